#include "app/aide.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int Largeur_Aide = 640;
constexpr int Hauteur_Aide = 600;

}  // namespace

Fenetre_Aide::Fenetre_Aide(QWidget* parent)
    : QWidget(parent, Qt::Window), navigateur_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Trajectel - Aide"));
    navigateur_->setOpenExternalLinks(true);
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(navigateur_);
    resize(Largeur_Aide, Hauteur_Aide);
}

void Fenetre_Aide::Ouvrir(const QString& fichier, int contexte) {
    QUrl adresse = QUrl::fromLocalFile(fichier);
    adresse.setFragment(Ancre_Contexte(contexte));
    navigateur_->setSource(adresse);
    show();
    raise();
    activateWindow();
}

QString Ancre_Contexte(int contexte) {
    return contexte > 0 ? QStringLiteral("c%1").arg(contexte) : QStringLiteral("sommaire");
}

#include "app/aide.h"

#include <QDialog>
#include <QShortcut>
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
    auto* fermer = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(fermer, &QShortcut::activated, this, &QWidget::close);
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

Aide_Dans_Dialogue::Aide_Dans_Dialogue(QDialog& dialogue, Fenetre_Aide& aide, const QString& fichier,
                                       int contexte)
    : dialogue_(dialogue), aide_(aide), proprietaire_(aide.parentWidget()) {
    auto* touche = new QShortcut(QKeySequence::HelpContents, &dialogue);
    QObject::connect(touche, &QShortcut::activated, &dialogue, [this, fichier, contexte] {
        if (aide_.parentWidget() != &dialogue_) aide_.setParent(&dialogue_, Qt::Window);
        aide_.Ouvrir(fichier, contexte);
    });
}

Aide_Dans_Dialogue::~Aide_Dans_Dialogue() {
    if (aide_.parentWidget() != &dialogue_) return;
    const bool visible = aide_.isVisible();
    aide_.setParent(proprietaire_, Qt::Window);
    if (visible) aide_.show();
}

#include "app/a_propos.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int Cote_Icone_Boite = 48;  // pixels of the picture in the box
constexpr int Largeur_Texte = 380;    // pixels of each paragraph
const QString Fichier_Icone = QStringLiteral(":/icones/trajectel.svg");

QLabel* Texte(const char* texte, QWidget* parent) {
    auto* etiquette = new QLabel(QString::fromUtf8(texte), parent);
    etiquette->setWordWrap(true);
    etiquette->setFixedWidth(Largeur_Texte);
    return etiquette;
}

}  // namespace

QIcon Icone_Programme() { return QIcon(Fichier_Icone); }

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent),
      ProgramIcon(new QLabel(this)),
      ProductName(new QLabel(this)),
      About1(Texte(
          "Logiciel de calcul d'éphémérides astronomiques. Il indique aussi les réglages nécessaires aux "
          "télescopes de l'OBVA pour qu'ils poursuivent automatiquement l'objet observé.",
          this)),
      About2(
          Texte("Logiciel libre, sous licence GPL version 3 ou ultérieure : utilisation libre et gratuite, "
                "pour les membres de l'OBVA comme pour tout observateur. Le logiciel est fourni tel quel, "
                "sans garantie d'aucune sorte.",
                this)),
      About3(Texte("Réalisé par l'équipe Trajectel pour les observateurs de l'OBVA.", this)),
      About4(Texte("Remarques et suggestions : par l'intermédiaire de l'OBVA.", this)),
      OKButton(new QPushButton(QStringLiteral("Ch'est parti biloute !"), this)) {
    setWindowTitle(QStringLiteral("A propos de Trajectel"));
    ProgramIcon->setPixmap(
        Icone_Programme().pixmap(QSize(Cote_Icone_Boite, Cote_Icone_Boite), devicePixelRatioF()));
    QFont gras = ProductName->font();
    gras.setBold(true);
    ProductName->setFont(gras);

    auto* entete = new QHBoxLayout;
    entete->addWidget(ProgramIcon);
    entete->addWidget(ProductName, 1);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(entete);
    for (QLabel* texte : {About1, About2, About3, About4}) colonne->addWidget(texte);
    colonne->addWidget(OKButton, 0, Qt::AlignHCenter);

    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    // A fixed-size box: the paragraphs set its width, the layout its height.
    colonne->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutBox::Montrer_Modal() {
    adjustSize();
    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        QRect place = frameGeometry();
        place.moveCenter(ecran->availableGeometry().center());
        move(place.topLeft());
    }
    exec();
}

#include "app/a_propos.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int Cote_Icone = 64;  // pixels of the drawn picture
constexpr int Cote_Icone_Boite = 48;
constexpr int Largeur_Texte = 380;  // pixels of each paragraph
const QColor Ciel(16, 24, 64);

void Dessiner_Comete(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Ciel);
    p.drawRoundedRect(QRectF(0, 0, Cote_Icone, Cote_Icone), 10, 10);
    // The tail points away from the Sun, up and to the right.
    QLinearGradient queue(QPointF(20, 44), QPointF(62, 4));
    queue.setColorAt(0, QColor(190, 220, 255, 230));
    queue.setColorAt(1, QColor(190, 220, 255, 0));
    p.setBrush(queue);
    p.drawPolygon(QPolygonF({QPointF(14, 40), QPointF(62, 2), QPointF(62, 20), QPointF(24, 50)}));
    QRadialGradient noyau(QPointF(18, 46), 10);
    noyau.setColorAt(0, Qt::white);
    noyau.setColorAt(0.4, QColor(255, 240, 170));
    noyau.setColorAt(1, QColor(255, 240, 170, 0));
    p.setBrush(noyau);
    p.drawEllipse(QPointF(18, 46), 10, 10);
}

QLabel* Texte(const char* texte, QWidget* parent) {
    auto* etiquette = new QLabel(QString::fromUtf8(texte), parent);
    etiquette->setWordWrap(true);
    etiquette->setFixedWidth(Largeur_Texte);
    return etiquette;
}

}  // namespace

QIcon Icone_Programme() {
    QPixmap image(Cote_Icone, Cote_Icone);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    Dessiner_Comete(peintre);
    return QIcon(image);
}

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent),
      ProgramIcon(new QLabel(this)),
      ProductName(new QLabel(this)),
      About1(Texte(
          "Logiciel de calcul d'éphémérides astronomiques. Il indique aussi les réglages nécessaires aux "
          "télescopes de l'OBVA pour qu'ils poursuivent automatiquement l'objet observé.",
          this)),
      About2(Texte("Utilisation libre et gratuite, pour les membres de l'OBVA comme pour tout observateur. "
                   "Le logiciel est fourni tel quel, sans garantie d'aucune sorte.",
                   this)),
      About3(Texte("Réalisé par l'équipe Trajectel pour les observateurs de l'OBVA.", this)),
      About4(Texte("Remarques et suggestions : par l'intermédiaire de l'OBVA.", this)),
      OKButton(new QPushButton(QStringLiteral("Ch'est parti biloute !"), this)) {
    setWindowTitle(QStringLiteral("A propos de Trajectel"));
    ProgramIcon->setPixmap(Icone_Programme().pixmap(Cote_Icone_Boite, Cote_Icone_Boite));
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

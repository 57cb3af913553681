#include "app/fenetre_nuit.h"

#include <QPainter>
#include <QPushButton>
#include <QShortcut>

#include "page/nuit.h"
#include "peinture/canevas_qpainter.h"
#include "plateforme/boite_outils.h"

namespace {
constexpr int Largeur_Initiale = 640;  // pixels
constexpr int Hauteur_Initiale = 400;
constexpr int Marge_Bouton = 6;
constexpr int Hauteur_Bande = 40;  // under the picture, for the button
const QString Texte_Imprimer = QStringLiteral("Imprimer…");
// The printed picture keeps the window's proportions, across the page.
constexpr double Proportion_Papier = 0.6;
}  // namespace

Fenetre_Nuit::Fenetre_Nuit(std::function<Calcul_Page()> calcul, Boite_Outils& boite, QWidget* parent)
    : QWidget(parent, Qt::Window), calcul_(std::move(calcul)), boite_(boite) {
    setWindowTitle(QString::fromUtf8(Titre_Nuit));
    resize(Largeur_Initiale, Hauteur_Initiale);
    imprimer_ = new QPushButton(Texte_Imprimer, this);
    connect(imprimer_, &QPushButton::clicked, this, [this] { Imprimer(); });
    auto* fermer = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(fermer, &QShortcut::activated, this, &QWidget::close);
}

void Fenetre_Nuit::Redessiner() {
    if (!isVisible() || width() <= 0 || height() <= Hauteur_Bande) return;
    image_ = QImage(width(), height() - Hauteur_Bande, QImage::Format_ARGB32_Premultiplied);
    image_.fill(Qt::white);
    {
        Canevas_QPainter canevas(image_);
        Dessiner_Nuit(canevas, image_.rect(), calcul_());
    }
    update();
}

void Fenetre_Nuit::Imprimer() {
    Canevas* imprimante = boite_.Dialogue_Impression();
    if (!imprimante) return;
    imprimante->Mettre_En_Paysage();
    imprimante->Debut_Document();
    const int largeur = imprimante->Largeur_Page();
    Dessiner_Nuit(*imprimante, QRect(0, 0, largeur, static_cast<int>(largeur * Proportion_Papier)),
                  calcul_());
    imprimante->Fin_Document();
}

void Fenetre_Nuit::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    peintre.drawImage(0, 0, image_);
}

void Fenetre_Nuit::resizeEvent(QResizeEvent*) {
    const QSize bouton = imprimer_->sizeHint();
    imprimer_->setGeometry(width() - bouton.width() - Marge_Bouton,
                           height() - (Hauteur_Bande + bouton.height()) / 2, bouton.width(), bouton.height());
    Redessiner();
}

void Fenetre_Nuit::showEvent(QShowEvent*) { Redessiner(); }

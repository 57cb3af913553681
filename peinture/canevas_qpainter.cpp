#include "peinture/canevas_qpainter.h"

#include <QFontMetrics>
#include <QImage>
#include <QPagedPaintDevice>
#include <algorithm>

namespace {

constexpr int Taille_Minimale = 1;  // points: Qt refuses a font of no size
const QColor Couleur_Texte = Qt::black;

Qt::PenStyle Style_Qt(Style_Trait style) {
    switch (style) {
        case Style_Trait::Tirets:
            return Qt::DashLine;
        case Style_Trait::Points:
            return Qt::DotLine;
        default:
            return Qt::SolidLine;
    }
}

}  // namespace

Canevas_QPainter::Canevas_QPainter(QImage& image)
    : support_(image), fond_(Qt::transparent), crayon_(Qt::black) {
    peintre_.begin(&image);
}

Canevas_QPainter::Canevas_QPainter(QPagedPaintDevice& imprimante)
    : support_(imprimante), imprimante_(&imprimante), fond_(Qt::white), crayon_(Qt::black) {}

Canevas_QPainter::Canevas_QPainter(QPaintDevice& surface, const QColor& fond)
    : support_(surface), fond_(fond), crayon_(Qt::black) {
    peintre_.begin(&surface);
}

Canevas_QPainter::~Canevas_QPainter() { Terminer(); }

void Canevas_QPainter::Terminer() {
    if (peintre_.isActive()) peintre_.end();
}

void Canevas_QPainter::Ecrire_Texte(int x, int y, const QString& texte) {
    if (!peintre_.isActive()) return;
    peintre_.setFont(police_);
    peintre_.setPen(Couleur_Texte);
    // The surface places texts by their top-left corner, QPainter by the baseline.
    peintre_.drawText(x, y + QFontMetrics(police_, &support_).ascent(), texte);
}

int Canevas_QPainter::Largeur_Texte(const QString& texte) {
    return QFontMetrics(police_, &support_).horizontalAdvance(texte);
}

int Canevas_QPainter::Hauteur_Texte(const QString&) { return QFontMetrics(police_, &support_).height(); }

void Canevas_QPainter::Choisir_Police(const QString& face, int taille, Jeu_Caracteres) {
    police_ = QFont(face);
    police_.setPointSize(std::max(taille, Taille_Minimale));
}

void Canevas_QPainter::Choisir_Crayon(uint32_t couleur, Style_Trait style, int epaisseur) {
    crayon_ = QPen(QColor::fromRgb(static_cast<QRgb>(couleur)), std::max(epaisseur, 0), Style_Qt(style));
}

void Canevas_QPainter::Tracer_Ligne(int x1, int y1, int x2, int y2) {
    if (!peintre_.isActive()) return;
    peintre_.setPen(crayon_);
    peintre_.drawLine(x1, y1, x2, y2);
}

void Canevas_QPainter::Remplir_Rectangle(const QRect& rectangle) {
    if (!peintre_.isActive()) return;
    // Replaces what was there, so that a transparent background clears the image.
    peintre_.setCompositionMode(QPainter::CompositionMode_Source);
    peintre_.fillRect(rectangle, fond_);
    peintre_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Canevas_QPainter::Colorier_Rectangle(const QRect& rectangle, uint32_t couleur) {
    if (!peintre_.isActive()) return;
    peintre_.fillRect(rectangle, QColor::fromRgb(static_cast<QRgb>(couleur)));
}

void Canevas_QPainter::Mettre_En_Paysage() {
    if (!imprimante_ || peintre_.isActive()) return;
    if (!orientation_rendue_) orientation_rendue_ = imprimante_->pageLayout().orientation();
    imprimante_->setPageOrientation(QPageLayout::Landscape);
}

void Canevas_QPainter::Debut_Document() {
    if (!imprimante_ || peintre_.isActive()) return;
    // Each document starts from the defaults: a pen or a face chosen for the
    // previous one must not colour this one.
    police_ = QFont();
    crayon_ = QPen(Qt::black);
    if (!peintre_.begin(imprimante_)) return;
    // A printer used again keeps in its engine the last pen of its previous
    // document, while the new painter believes it holds the default one and
    // would not hand a black pen over: the pen and font are handed over anew.
    peintre_.setPen(Qt::NoPen);
    peintre_.setPen(crayon_);
    peintre_.setFont(QFont(QStringLiteral("serif")));
    peintre_.setFont(police_);
}

void Canevas_QPainter::Fin_Document() {
    if (!imprimante_) return;
    Terminer();
    // The next print starts from the orientation the user chose.
    if (orientation_rendue_) imprimante_->setPageOrientation(*orientation_rendue_);
    orientation_rendue_.reset();
}

int Canevas_QPainter::Largeur_Page() const { return support_.width(); }

int Canevas_QPainter::Resolution() const { return support_.logicalDpiY(); }

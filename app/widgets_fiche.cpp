#include "app/widgets_fiche.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QtMath>
#include <algorithm>

#include "page/dessin.h"

namespace {

const QString Face_Symbole = QStringLiteral("Symbol");
constexpr int Largeur_Fleche = 19;
constexpr int Hauteur_Fleche = 11;
const QColor Couleur_Fleche(64, 64, 64);
constexpr int Pourcent = 100;

}  // namespace

// ---- Labels

Etiquette_Fiche::Etiquette_Fiche(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTextFormat(Qt::PlainText);
    // The mouse moving over the angle switch changes its hint.
    setMouseTracking(true);
}

void Etiquette_Fiche::Ecrire_Legende(const QString& legende) {
    legende_ = legende;
    Afficher();
}

void Etiquette_Fiche::Ecrire_Face(const QString& face) {
    face_ = face;
    Afficher();
}

void Etiquette_Fiche::Placer(const QRect& place) {
    place_ = place;
    Afficher();
}

void Etiquette_Fiche::Afficher() {
    setText(face_ == Face_Symbole ? Texte_Grec(legende_) : legende_);
    // Blanks at the end show nothing: only what is drawn may widen the label.
    QString visible = text();
    while (visible.endsWith(u' ')) visible.chop(1);
    const int largeur = std::max(place_.width(), fontMetrics().horizontalAdvance(visible));
    setGeometry(place_.x(), place_.y(), largeur, place_.height());
}

void Etiquette_Fiche::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && Clic) Clic();
    QLabel::mousePressEvent(e);
}

void Etiquette_Fiche::mouseMoveEvent(QMouseEvent* e) {
    if (Survol) Survol();
    QLabel::mouseMoveEvent(e);
}

// ---- Stepping pictures

Image_Cliquable::Image_Cliquable(QWidget* parent, const QPixmap& image) : QLabel(parent) {
    setPixmap(image);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void Image_Cliquable::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && Clic) Clic();
    QLabel::mousePressEvent(e);
}

QPixmap Fleche_Pas(bool vers_le_haut) {
    // At the screen's resolution, like the page.
    const qreal rapport = qApp->devicePixelRatio();
    QPixmap image(qCeil(Largeur_Fleche * rapport), qCeil(Hauteur_Fleche * rapport));
    image.setDevicePixelRatio(rapport);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(Couleur_Fleche);
    const int milieu = Largeur_Fleche / 2;
    const QPolygon haut({QPoint(milieu - 5, 8), QPoint(milieu + 6, 8), QPoint(milieu, 2)});
    const QPolygon bas({QPoint(milieu - 5, 2), QPoint(milieu + 6, 2), QPoint(milieu, 8)});
    peintre.drawPolygon(vers_le_haut ? haut : bas);
    return image;
}

// ---- Page image

Image_Page::Image_Page(QWidget* parent) : QWidget(parent), canevas_(*this) {
    setAttribute(Qt::WA_TranslucentBackground);
}

namespace {

// Device pixels for `taille` logical ones, rounded up so that the store
// always covers the widget.
QSize Pixels(QSizeF taille, qreal rapport) {
    return QSize(qCeil(taille.width() * rapport), qCeil(taille.height() * rapport));
}

}  // namespace

// The store has the screen's own resolution: the page is drawn at its real
// size in device pixels, not enlarged from a small image.
void Image_Page::Agrandir_Memoire(QSize taille) {
    const qreal rapport = devicePixelRatioF();
    const QSize voulue = taille_memoire_.expandedTo(taille).expandedTo(QSize(1, 1));
    if (voulue == taille_memoire_ && rapport == memoire_.devicePixelRatio()) return;
    canevas_.Terminer();
    QImage nouvelle(Pixels(voulue, rapport), QImage::Format_ARGB32_Premultiplied);
    nouvelle.setDevicePixelRatio(rapport);
    nouvelle.fill(Qt::transparent);
    if (!memoire_.isNull()) {
        QPainter peintre(&nouvelle);
        peintre.drawImage(QPointF(0, 0), memoire_);
    }
    memoire_ = nouvelle;
    taille_memoire_ = voulue;
}

void Image_Page::resizeEvent(QResizeEvent* e) {
    Agrandir_Memoire(size());
    QWidget::resizeEvent(e);
}

QImage Image_Page::Image_Affichee() {
    canevas_.Terminer();
    return memoire_.copy(QRect(QPoint(0, 0), Pixels(size(), memoire_.devicePixelRatio())));
}

void Image_Page::paintEvent(QPaintEvent*) {
    // A window moved to a screen of another resolution gets a store of that
    // resolution; the page is drawn again on it at the next refresh.
    if (devicePixelRatioF() != memoire_.devicePixelRatio()) Agrandir_Memoire(size());
    // The painting in progress ends before the image is shown.
    canevas_.Terminer();
    QPainter peintre(this);
    const QRectF montree(QPointF(0, 0), QSizeF(size()) * memoire_.devicePixelRatio());
    peintre.drawImage(QRectF(rect()), memoire_, montree);
}

// ---- Its surface

Canevas_QPainter& Canevas_Image::Surface() {
    if (!surface_) {
        image_.Agrandir_Memoire(image_.size());
        surface_ = std::make_unique<Canevas_QPainter>(image_.Memoire());
        if (police_) surface_->Choisir_Police(police_->face, police_->taille, police_->jeu);
        if (crayon_) surface_->Choisir_Crayon(crayon_->couleur, crayon_->style, crayon_->epaisseur);
    }
    image_.update();
    return *surface_;
}

void Canevas_Image::Ecrire_Texte(int x, int y, const QString& texte) { Surface().Ecrire_Texte(x, y, texte); }
int Canevas_Image::Largeur_Texte(const QString& texte) { return Surface().Largeur_Texte(texte); }
int Canevas_Image::Hauteur_Texte(const QString& texte) { return Surface().Hauteur_Texte(texte); }

void Canevas_Image::Choisir_Police(const QString& face, int taille, Jeu_Caracteres jeu) {
    police_ = Police{face, taille, jeu};
    Surface().Choisir_Police(face, taille, jeu);
}

void Canevas_Image::Choisir_Crayon(uint32_t couleur, Style_Trait style, int epaisseur) {
    crayon_ = Crayon{couleur, style, epaisseur};
    Surface().Choisir_Crayon(couleur, style, epaisseur);
}

void Canevas_Image::Tracer_Ligne(int x1, int y1, int x2, int y2) { Surface().Tracer_Ligne(x1, y1, x2, y2); }
void Canevas_Image::Remplir_Rectangle(const QRect& rectangle) { Surface().Remplir_Rectangle(rectangle); }
void Canevas_Image::Colorier_Rectangle(const QRect& rectangle, uint32_t couleur) {
    Surface().Colorier_Rectangle(rectangle, couleur);
}

// ---- Scroll bars

Barre_Defilement::Barre_Defilement(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
    setFocusPolicy(Qt::NoFocus);
    setRange(0, Pourcent);
    setSingleStep(1);
    // Qt moves by the page size on a click in the trough; the view wants its own large step.
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
        if (action == SliderPageStepAdd) setSliderPosition(std::min(value() + grand_pas_, maximum()));
        if (action == SliderPageStepSub) setSliderPosition(std::max(value() - grand_pas_, minimum()));
    });
}

void Barre_Defilement::Regler(int taille_page, int grand_pas) {
    const int page = std::clamp(taille_page, 1, Pourcent);
    grand_pas_ = std::clamp(grand_pas, 1, Pourcent);
    setPageStep(page);
    // A larger page does not pull the position back: the view keeps the frame
    // where it is, and the position it computes from it stays within reach.
    setMaximum(std::max({0, Pourcent - page + 1, value()}));
}

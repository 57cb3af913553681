#pragma once

// The widgets of the frame that Qt does not offer as such: labels that keep
// their caption apart from what they show, the small stepping pictures, the
// page image with its drawing surface, and scroll bars whose large step is
// not their page size.

#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "peinture/canevas_qpainter.h"

// A label of the frame. Its caption is what the rules read and compare; in
// the "Symbol" face its Latin letters show as the Greek ones they stand for.
// Like the labels it stands for, it grows to show its whole caption, while
// its place stays the one it was given.
class Etiquette_Fiche : public QLabel {
public:
    explicit Etiquette_Fiche(QWidget* parent);

    QString Legende() const { return legende_; }
    void Ecrire_Legende(const QString& legende);
    QString Face() const { return face_; }
    void Ecrire_Face(const QString& face);
    QRect Place() const { return place_; }
    void Placer(const QRect& place);

    std::function<void()> Clic;
    std::function<void()> Survol;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void Afficher();
    QString legende_;
    QString face_;
    QRect place_;
};

// One of the six small pictures that step the start date; it takes no focus.
class Image_Cliquable : public QLabel {
public:
    Image_Cliquable(QWidget* parent, const QPixmap& image);
    std::function<void()> Clic;

protected:
    void mousePressEvent(QMouseEvent* e) override;
};

class Image_Page;

// The surface the page is drawn on. It hands each call to a QPainter surface
// on the image's backing store, and opens a new one, with the same font and
// pen, when the store had to grow or the image was shown in between.
class Canevas_Image : public Canevas {
public:
    explicit Canevas_Image(Image_Page& image) : image_(image) {}
    void Ecrire_Texte(int x, int y, const QString& texte) override;
    int Largeur_Texte(const QString& texte) override;
    int Hauteur_Texte(const QString& texte) override;
    void Choisir_Police(const QString& face, int taille, Jeu_Caracteres jeu) override;
    void Choisir_Crayon(uint32_t couleur, Style_Trait style, int epaisseur) override;
    void Tracer_Ligne(int x1, int y1, int x2, int y2) override;
    void Remplir_Rectangle(const QRect& rectangle) override;
    void Colorier_Rectangle(const QRect& rectangle, uint32_t couleur) override;

    // Ends the painting in progress, if any.
    void Terminer() { surface_.reset(); }

private:
    Canevas_QPainter& Surface();
    Image_Page& image_;
    std::unique_ptr<Canevas_QPainter> surface_;
    struct Police {
        QString face;
        int taille;
        Jeu_Caracteres jeu;
    };
    struct Crayon {
        uint32_t couleur;
        Style_Trait style;
        int epaisseur;
    };
    std::optional<Police> police_;
    std::optional<Crayon> crayon_;
};

// The page image Fenetre: a transparent backing store at least as large as
// the widget, at the screen's resolution, of which the widget shows its own
// size.
class Image_Page : public QWidget {
public:
    explicit Image_Page(QWidget* parent);
    Canevas& Surface() { return canevas_; }
    QImage& Memoire() { return memoire_; }
    // Grows the backing store to hold `taille`; what was drawn stays.
    void Agrandir_Memoire(QSize taille);
    // What the widget shows, in device pixels, the painting in progress ended.
    QImage Image_Affichee();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QImage memoire_;
    QSize taille_memoire_;  // logical pixels
    Canevas_Image canevas_;
};

// A scroll bar in percent: its page size is the visible part, and a click in
// its trough moves by its own large step. The position goes from 0 to
// 100 − page size + 1, the last position showing the frame's end, or to the
// position held when the page grew.
class Barre_Defilement : public QScrollBar {
public:
    Barre_Defilement(Qt::Orientation orientation, QWidget* parent);
    void Regler(int taille_page, int grand_pas);

private:
    int grand_pas_ = 1;
};

// The small arrow of a stepping picture, 19 by 11 pixels.
QPixmap Fleche_Pas(bool vers_le_haut);

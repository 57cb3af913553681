#pragma once

// The drawing surface on QPainter: the page image on screen, or a printer
// (paper or PDF). Fonts are taken at the point size asked, on the device's
// own resolution; text metrics come from QFontMetrics on that device, so
// what is measured is what is drawn. The character set is not used: texts
// of the symbol face arrive as Unicode Greek letters.

#include <QColor>
#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPen>
#include <optional>

#include "plateforme/canevas.h"

class QImage;
class QPagedPaintDevice;

class Canevas_QPainter : public Canevas {
public:
    // Paints on the image from now until Terminer() or destruction; cleared
    // parts become transparent. The image must outlive the surface.
    explicit Canevas_QPainter(QImage& image);
    // Paints on the printer (or a PDF writer) between Debut_Document and Fin_Document; cleared
    // parts become white. The printer must outlive the surface.
    explicit Canevas_QPainter(QPagedPaintDevice& imprimante);
    // Paints on any other device (an SVG generator, say) from now on; cleared
    // parts take `fond`. The device must outlive the surface.
    Canevas_QPainter(QPaintDevice& surface, const QColor& fond);
    ~Canevas_QPainter() override;

    Canevas_QPainter(const Canevas_QPainter&) = delete;
    Canevas_QPainter& operator=(const Canevas_QPainter&) = delete;

    void Ecrire_Texte(int x, int y, const QString& texte) override;
    int Largeur_Texte(const QString& texte) override;
    int Hauteur_Texte(const QString& texte) override;
    void Choisir_Police(const QString& face, int taille, Jeu_Caracteres jeu) override;
    void Choisir_Crayon(uint32_t couleur, Style_Trait style, int epaisseur) override;
    void Tracer_Ligne(int x1, int y1, int x2, int y2) override;
    void Remplir_Rectangle(const QRect& rectangle) override;
    void Colorier_Rectangle(const QRect& rectangle, uint32_t couleur) override;

    void Mettre_En_Paysage() override;  // the printer's own orientation comes back at Fin_Document
    void Debut_Document() override;
    void Fin_Document() override;
    int Largeur_Page() const override;  // printable width, dots
    int Resolution() const override;    // vertical dots per inch

    // Ends the painting so that the image can be shown; idempotent.
    void Terminer();
    bool Actif() const { return peintre_.isActive(); }

private:
    QPaintDevice& support_;
    QPagedPaintDevice* imprimante_ = nullptr;
    std::optional<QPageLayout::Orientation> orientation_rendue_;  // to put back at the end
    QColor fond_;
    QFont police_;
    QPen crayon_;
    QPainter peintre_;
};

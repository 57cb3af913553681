#pragma once

// A drawing surface: the page image on screen, the printer, or a recording
// for the tests. Positions are in the surface's units (pixels or printer
// dots), texts placed by their top-left corner.

#include <QRect>
#include <QString>
#include <cstdint>

// Symbole marks text meant for the symbol face; the drawing hands it over as
// Unicode Greek letters, so a surface with Unicode fonts draws it as it is.
enum class Jeu_Caracteres { Defaut, Symbole };
enum class Style_Trait { Plein, Tirets, Points };

class Canevas {
public:
    virtual ~Canevas() = default;

    virtual void Ecrire_Texte(int x, int y, const QString& texte) = 0;
    virtual int Largeur_Texte(const QString& texte) = 0;
    virtual int Hauteur_Texte(const QString& texte) = 0;

    // Face, size in points and character set of the text drawn from now on.
    virtual void Choisir_Police(const QString& face, int taille, Jeu_Caracteres jeu) = 0;

    // Colour as 0xRRGGBB, style and width of the lines drawn from now on.
    virtual void Choisir_Crayon(uint32_t couleur, Style_Trait style, int epaisseur) = 0;
    virtual void Tracer_Ligne(int x1, int y1, int x2, int y2) = 0;

    // Clears a rectangle with the surface's background.
    virtual void Remplir_Rectangle(const QRect& rectangle) = 0;

    // Fills a rectangle with a colour (0xRRGGBB).
    virtual void Colorier_Rectangle(const QRect& rectangle, uint32_t couleur) = 0;

    // Printer only: one document is one printed page. Before the document
    // begins, the page may turn to landscape for this document alone. A
    // document begins with the default font and a black pen, one dot wide.
    virtual void Mettre_En_Paysage() {}
    virtual void Debut_Document() {}
    virtual void Fin_Document() {}
    virtual int Largeur_Page() const { return 0; }
    virtual int Resolution() const { return 96; }  // dots per inch
};

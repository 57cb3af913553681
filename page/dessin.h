#pragma once

// The drawing half of the page build: the table of rows into the page image
// on screen, or the full page (title, elements, table, credit line) on paper.

#include <QString>
#include <array>
#include <cstdint>

#include "form/etat.h"
#include "page/colonnes.h"
#include "page/lignes.h"
#include "page/vue.h"
#include "plateforme/boite_outils.h"

// The sans-serif face of every text of the page, on screen and on paper. Its
// condensed width (about 6 pixels a digit at 8 points) lets the widest row
// texts fit the fixed columns, which the regular DejaVu Sans overflows on
// paper; where it is missing, the system's default sans face stands in.
inline const QString Police_Page = QStringLiteral("DejaVu Sans Condensed");

// What the last build drew with, kept until the next one.
struct Etat_Dessin {
    bool Impression = false;                                   // draw on the printer rather than into Fenetre
    int32_t Hauteur_Ligne = 0;                                 // printer dots: height of "Hp" at 10 points
    std::array<int32_t, Nombre_Colonnes> Largeurs_Colonnes{};  // printer dots
    int32_t Largeur_Tableau = 0;                               // printer dots, columns in use
};

// Everything one build reads and writes.
struct Contexte_Page {
    Calcul_Page calcul;
    Etat_Dessin& dessin;
    Etat_Vue& vue;
    Etat_Document& document;
    Boite_Outils& boite;
    const QString& Version_Programme;
};

// The Latin letters of a symbol-face text as the Greek letters they stand
// for ("w =" gives "ω ="); other characters are kept.
QString Texte_Grec(const QString& texte);

// The rows of the page, then the table on screen or the page on paper;
// an invalid page only hides Fenetre.
void Construire_Page(const Contexte_Page& p);

// Sizes Fenetre and the frame, draws the header and the rows into Fenetre,
// then fits the scroll bars to the frame.
void Dessiner_Page_Ecran(const Contexte_Page& p);

// Shows the print dialog and, when it is accepted, prints the page.
void Imprimer_Page(const Contexte_Page& p);

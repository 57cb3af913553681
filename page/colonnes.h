#pragma once

// The columns of the ephemeris, one row each, for the screen, the paper and
// the batch program's text and TSV tables: widths, when a column is shown,
// its headers and the text of its cell. A new column is one row of the table.

#include <QString>
#include <array>
#include <vector>

#include "page/lignes.h"

// Visibilite: with the site's visibility; Jour and Heure: the same, for rows
// stepped by days (months, years) or by hours only.
enum class Presence {
    Toujours,
    Instrument,
    Totale,
    Noyau,
    Visibilite,
    Visibilite_Jour,
    Visibilite_Heure,
    Decimales,  // in the batch's tables only, when asked for
};

// Groupe heads the three columns it starts; Grec is a word and a symbol-face
// letter; Magnitude is centred on the screen's wider room for M1.
enum class Genre_Entete { Aucun, Centre, Groupe, Grec, Magnitude };
struct Entete {
    Genre_Entete genre;
    const char* mot;     // UTF-8
    const char* lettre;  // the Latin letter of the symbol face
};

using Texte_Cellule = QString (*)(const Ligne_Ephemeride& ligne, const Notation& notation);

// How a column's text and right rule are drawn on screen and paper.
enum class Trace {
    Centre,     // text centred
    Interieur,  // text centred, inside a group header: its right rule starts under the header
    Droite,     // text ending a margin before its right rule
};

struct Modele_Colonne {
    int pixels;    // width on screen
    int dixiemes;  // width on paper, tenths of a millimetre
    Presence presence;
    Trace trace;
    bool regle_jointe;  // on screen, the rule under the header runs on from the column before
    Entete ecran;
    Entete papier;
    const char* titre;  // header of the text and TSV tables, UTF-8
    Texte_Cellule texte;
};

// The sixteen columns of the ephemeris, seven of the site's visibility, then
// three of unrounded coordinates for scripts.
constexpr int Nombre_Colonnes = 26;

const std::array<Modele_Colonne, Nombre_Colonnes>& Modeles_Colonnes();

// The day, month and year lead every row, even one that could not be computed.
constexpr int Colonnes_Date = 3;

bool Colonne_Presente(const Modele_Colonne& colonne, const Calcul_Page& c);

// The indices in Modeles_Colonnes of the columns this page shows, in order.
std::vector<int> Colonnes_Presentes(const Calcul_Page& c);

#pragma once

// The site the visibility is computed for, and the visibility columns of a
// row as texts, shared by the screen, the paper and the batch program.

#include <QString>
#include <array>
#include <optional>

#include "astro/visibilite.h"
#include "form/textes_nombres.h"

struct Site_Observation {
    QString Nom;
    Lieu_Observation lieu;
    double Hauteur_Minimale = 15;  // degrees: the lowest altitude the telescope can use
    bool Afficher = false;         // "Afficher la visibilité"
};

// Column headers, in the order the page draws them; the times are UT.
inline constexpr char Entete_Elongation[] = "Elong.";
inline constexpr char Entete_Lever[] = "Lever TU";
inline constexpr char Entete_Passage[] = "Passage TU";
inline constexpr char Entete_Hauteur[] = "Haut.";
inline constexpr char Entete_Coucher[] = "Coucher TU";
inline constexpr char Entete_Nuit[] = "Nuit";
inline constexpr char Entete_Azimut[] = "Azim.";
// In place of the rise and set of a body that does not set that day.
inline constexpr char Texte_Circumpolaire[] = "circ.";

// The seven visibility texts of a row; a row stepped by hours has only
// Elongation, Hauteur and Azimut, the others only the rest.
struct Textes_Visibilite {
    QString Elongation;
    QString Lever;
    QString Passage;
    QString Hauteur;
    QString Coucher;
    QString Nuit;
    QString Azimut;
};

// "hh:mm" of a Julian day within the UT day that starts at JJ_0h, to the
// nearest minute; "--" when there is none.
QString Texte_Heure_TU(const std::optional<double>& jj, double JJ_0h);

// Degrees with one decimal ("#0.0"), "--" when not finite or absent.
QString Texte_Degres(const std::optional<double>& degres, const Notation& notation);

Textes_Visibilite Textes_Visibilite_Jour(const Visibilite_Jour& v, const Notation& notation);
Textes_Visibilite Textes_Visibilite_Instant(const Visibilite_Instant& v, const Notation& notation);

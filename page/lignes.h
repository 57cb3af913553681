#pragma once

// The computing half of the page build: whether the page and the magnitude
// data can be used, the absolute magnitudes, and the rows of the ephemeris,
// each handed to the drawing as soon as it is computed.

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "astro/elements.h"
#include "astro/instruments.h"
#include "astro/ligne.h"
#include "astro/position.h"
#include "form/textes_nombres.h"
#include "page/etat_page.h"
#include "page/visibilite_ligne.h"
#include "plateforme/boite_outils.h"

// The texts of Liste_Instruments, indexed by Instrument (0 "Aucun").
inline constexpr std::array<const char*, Nombre_Instruments + 1> Noms_Instruments = {
    "Aucun", "Arbelin", "Brisonne", "Corlande", "Dravelle", "Estrane"};
// The texts of Liste_Pas, indexed by Unite_Pas - 1 (UTF-8).
inline constexpr std::array<const char*, 4> Noms_Unites_Pas = {"heures", "jours", "mois", "années"};

// One row as drawn: the instant before the step, its texts and magnitudes.
struct Ligne_Ephemeride {
    float Jour = 0;
    int32_t Mois = 0;
    int32_t An = 0;
    Textes_Ligne textes;
    double M1 = 0;                 // total magnitude, meaningful only when MT_Valide
    double M2 = 0;                 // nucleus magnitude, meaningful only when MN_Valide
    Textes_Visibilite visibilite;  // only when the site's visibility is shown
};

using Consommateur_Lignes = std::function<void(const Ligne_Ephemeride&)>;

// Everything one page build reads and writes. The instant Jour, Mois, An of
// `el` is overwritten by the build: nothing may rely on it afterwards.
struct Calcul_Page {
    Elements& el;
    Etat_Page& page;
    Position& pos;
    const Tables_Instruments& tables;
    const Notation& notation;
    const Boite_Outils& boite;
    const Site_Observation* site = nullptr;  // none: the page has no visibility columns
};

// A site is set and its visibility is to be shown.
bool Visibilite_Montree(const Calcul_Page& c);
// The rows are stepped by hours.
bool Lignes_Horaires(const Elements& el);
// The Julian day of the first row, when the start date can be read.
std::optional<double> JJ_Premiere_Ligne(const Calcul_Page& c);

// 24 (hours), 31 (days), 12 (months) or 10 (years), whatever the step; no
// row for a unit that is none of these.
int32_t Nombre_Lignes(int32_t Unite_Pas);

// JJ_Perihelie from the three perihelion date fields as they stand, an empty
// or unreadable field counting as 0.
void Calculer_JJ_Perihelie(Elements& el, const Boite_Outils& boite, char separateur_decimal);

// Reads the two lists into Instrument and Unite_Pas, decides MT_Valide,
// MN_Valide and Page_Valide, and when the page is valid brings JJ_Perihelie
// and the absolute magnitudes up to date. Answers Page_Valide.
bool Preparer_Page(const Calcul_Page& c);

// From the start date, Nombre_Lignes rows in time order, one step apart.
// Stops early, keeping the rows already handed over, when the next instant
// cannot be held as a calendar date.
void Generer_Lignes(const Calcul_Page& c, const Consommateur_Lignes& consommateur);

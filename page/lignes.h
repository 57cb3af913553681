#pragma once

// The computing half of the page build: whether the page and the magnitude
// data can be used, the absolute magnitudes, and the rows of the ephemeris,
// each handed to the drawing as soon as it is computed.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "astro/elements.h"
#include "astro/instruments.h"
#include "astro/ligne.h"
#include "astro/position.h"
#include "form/entree_page.h"
#include "form/textes_nombres.h"
#include "page/etat_page.h"
#include "page/visibilite_ligne.h"

class Calcul_Place;

// One row as drawn: the instant before the step, its texts and magnitudes.
struct Ligne_Ephemeride {
    float Jour = 0;
    int32_t Mois = 0;
    int32_t An = 0;
    Textes_Ligne textes;
    double M1 = 0;                 // total magnitude, meaningful only when MT_Valide
    double M2 = 0;                 // nucleus magnitude, meaningful only when MN_Valide
    Textes_Visibilite visibilite;  // only when the site's visibility is shown
    double Alpha = 0;              // radians, unrounded
    double Delta = 0;              // radians, unrounded
    double Distance_Terre = 0;     // AU, unrounded
    // Not empty: the row could not be computed and this says why; only its
    // date stands beside it.
    QString Message;
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
    Entree_Page entree;                      // what the form holds for this build
    const Site_Observation* site = nullptr;  // none: the page has no visibility columns
};

// What keeps the page from being computed.
enum class Manque_Page {
    Distance_Perihelie,
    Date_Perihelie,
    Equinoxe_Elements,
    Equinoxe_Ephemeride,
    Pas_Nul,
    Date_Debut,
    Champs_A_Corriger,
};

// Everything the page lacks, in this order; none when it can be computed.
std::vector<Manque_Page> Manques_Page(const Elements& el, const Entree_Page& entree);

// A typed magnitude observed after the calendar reform, on a day of a month:
// its column's zero point is set from it.
bool Magnitude_Valide(const std::optional<Magnitude_Saisie>& m);

// A site is set and its visibility is to be shown.
bool Visibilite_Montree(const Calcul_Page& c);
// The rows are stepped by hours.
bool Lignes_Horaires(const Elements& el);
// The Julian day of the first row, when the start date can be read.
std::optional<double> JJ_Premiere_Ligne(const Calcul_Page& c);

// What the printed page and the batch's header say of the model that made
// the rows: nothing for the classic model, which pages always had.
QString Texte_Modele(const Calcul_Page& c);

// The integration the precise model follows: when the planets' pull is
// asked for and the elements have an epoch; none otherwise. The mount's
// place takes it too, and keeps it alive while it follows.
std::shared_ptr<Mouvement_Perturbe> Mouvement_Page(const Calcul_Page& c);
// The integration a mount follows: a mount always takes the precise place, so
// only the planets' check item decides, whatever model draws the rows.
std::shared_ptr<Mouvement_Perturbe> Mouvement_Monture(const Calcul_Page& c);

// The body's direction that the visibility follows: the classic place
// without `place`; with it, the apparent place of the date, seen from the
// site when the topocentric place is asked for. `place` outlives the answer.
Direction_Corps Direction_Visibilite(const Calcul_Page& c, Calcul_Place* place);

// 24 (hours), 31 (days), 12 (months) or 10 (years), whatever the step; no
// row for a unit that is none of these.
int32_t Nombre_Lignes(int32_t Unite_Pas);

// Takes the instrument, step and unit of the record into `el`, decides MT_Valide,
// MN_Valide and Page_Valide, and when the page is valid brings JJ_Perihelie
// and the columns' laws up to date, a typed magnitude setting its column's
// zero point. Answers Page_Valide.
bool Preparer_Page(const Calcul_Page& c);

// From the start date, Nombre_Lignes rows in time order, one step apart.
// Stops early, keeping the rows already handed over, when the next instant
// cannot be held as a calendar date.
void Generer_Lignes(const Calcul_Page& c, const Consommateur_Lignes& consommateur);

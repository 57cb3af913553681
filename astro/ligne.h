#pragma once

// The position values of one ephemeris row: sexagesimal texts, distance,
// drifts per day and, for a telescope, its two settings.

#include <string>

#include "astro/elements.h"
#include "astro/instruments.h"
#include "astro/position.h"

// What a row shows in place of a number that could not be computed.
constexpr char Texte_Indefini[] = "--";

struct Textes_Ligne {
    std::string Texte_Alpha_h;
    std::string Texte_Alpha_m;
    std::string Texte_Alpha_s;
    std::string Texte_Delta_d;
    std::string Texte_Delta_m;
    std::string Texte_Delta_s;
    std::string Texte_Distance;
    std::string Texte_Derive_a;
    std::string Texte_Derive_d;
    std::string Texte_Reglage_a;
    std::string Texte_Reglage_d;
};

struct Ligne_Calculee {
    Textes_Ligne textes;
    float Derive_a = 0;  // minutes of time per day
    float Derive_d = 0;  // minutes of arc per day
    // The row's place at its instant, unrounded; NaN when undefined.
    double Alpha = 0;           // radians
    double Delta = 0;           // radians
    double Distance_Terre = 0;  // AU
    Reglages reglages;
};

// The row at the instant of `el`; `pos` is left as the third computation
// (half an hour later) leaves it. With el.Instrument = 0 the settings texts
// keep their previous value.
void Calculer_Ligne(Elements& el, const Tables_Instruments& tables, char separateur_decimal, Position& pos,
                    Ligne_Calculee& ligne);

// The positions of a row, radians, whatever model computed them.
struct Trois_Positions {
    double alpha[3] = {};  // half an hour before, at, after the instant
    double delta[3] = {};
};

// The row's texts, drifts and settings from its three positions and its
// distance (AU) at the instant; with one of them undefined, the row is.
void Ecrire_Ligne(Trois_Positions p, double Distance_Terre, int32_t instrument,
                  const Tables_Instruments& tables, char separateur_decimal, Ligne_Calculee& ligne);

// The steps of the row, each usable on its own.

// Texte_Alpha_h, _m, _s of a right ascension in [0, 2π) radians, the rounded
// seconds carried into the minutes and the hours, 24 h written 00h.
void Ecrire_Alpha(double Alpha, char separateur_decimal, Textes_Ligne& t);

// Texte_Delta_d, _m, _s of a declination in radians, with the same carries.
void Ecrire_Delta(double Delta, char separateur_decimal, Textes_Ligne& t);

// Derive_a, Derive_d and their texts from the positions half an hour before
// and half an hour after the instant (radians), a crossing of 0 h undone.
void Calculer_Derives(double alpha_avant, double delta_avant, double alpha_apres, double delta_apres,
                      char separateur_decimal, Ligne_Calculee& ligne);

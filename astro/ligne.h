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
    Reglages reglages;
};

// The row at the instant of `el`; `pos` is left as the third computation
// (half an hour later) leaves it. With el.Instrument = 0 the settings texts
// keep their previous value.
void Calculer_Ligne(Elements& el, const Tables_Instruments& tables, char separateur_decimal, Position& pos,
                    Ligne_Calculee& ligne);

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

#pragma once

// The position values of one ephemeris row: sexagesimal texts, distance,
// drifts per day and, for a telescope, its two settings.

#include <string>

#include "astro/elements.h"
#include "astro/instruments.h"
#include "astro/position.h"

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

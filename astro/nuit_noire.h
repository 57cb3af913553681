#pragma once

// The night of an observing list: the first stretch after the site's local
// mean noon of a date with the Sun's centre below −18° (geometric, the
// program's own Sun); where the Sun never gets that low, the darkest stretch
// around its lowest point. Bounded searches on the Sun's path of the day.

#include <optional>

#include "astro/visibilite.h"

// Where the Sun stays above −18°, the darkest stretch runs while it is
// within this of its lowest altitude: about four hours at 60° of latitude.
constexpr double Marge_Periode_Sombre = 3;  // degrees

struct Nuit_Noire {
    double JJ_0h = 0;           // 0 h UT of the date
    Intervalle nuit;            // local mean noon to the next one, UT Julian days
    Intervalle sombre;          // the stretch the list looks at
    bool noire = false;         // the Sun is below −18° over `sombre`
    double Soleil_Minimal = 0;  // the Sun's lowest altitude in `nuit`, degrees
    Trajet soleil;              // the Sun over the two days from JJ_0h
};

// The night of the calendar date whose 0 h UT is `jj_0h`.
Nuit_Noire Calculer_Nuit_Noire(double jj_0h, const Lieu_Observation& lieu);

// 0 h UT of the date whose night is "tonight" at `jj_maintenant` (UT): the
// night still under way, else the coming one.
double JJ_Ce_Soir(double jj_maintenant, const Lieu_Observation& lieu);

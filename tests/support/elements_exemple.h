#pragma once

// The worked example of the position: i = 10°, ω = 30°, Ω = 80°, a = 3 AU
// (q = 0.8 AU for a parabola), perihelion on 1 January 2000 at 0 h, both
// equinoxes 2000.0, instant 1 March 2000 at 0 h.

#include "astro/elements.h"

inline Elements Elements_Exemple(double e) {
    constexpr double JJ_2000 = 2451544.5;  // 1 January 2000 at 0 h
    Elements el;
    el.JJ_Equinoxe = el.JJ_Equinoxe_ephemeride = el.JJ_Perihelie = JJ_2000;
    el.Jour = 1;
    el.Mois = 3;
    el.An = 2000;
    el.i = 10;
    el.Omega = 30;
    el.gOmega = 80;
    el.Longitude_Perihelie = 110;
    el.e = e;
    el.a = 3;
    el.q = 0.8;
    return el;
}

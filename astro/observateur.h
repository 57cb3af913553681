#pragma once

// Where an observing site is, seen from the Earth's centre: the site on the
// WGS84 ellipsoid turned with the Earth (Earth rotation angle, the celestial
// intermediate pole of IAU 2000B nutation; polar motion ignored, a few metres).

#include "astro/terre.h"
#include "astro/visibilite.h"

struct Etat_Observateur {
    Vecteur position;  // geocentric, ICRS axes, AU
    Vecteur vitesse;   // AU/day, the Earth's rotation
};

// At `jj_ut1` for the Earth's rotation (UTC serves: within 0.9 s) and `jj_tt`
// for the orientation of its pole.
Etat_Observateur Calculer_Observateur(const Lieu_Observation& lieu, double jj_ut1, double jj_tt);
// The same with the precession-nutation matrix of `jj_tt` (eraPnm00b)
// already at hand.
Etat_Observateur Calculer_Observateur(const Lieu_Observation& lieu, double jj_ut1, double jj_tt,
                                      const double npb[3][3]);

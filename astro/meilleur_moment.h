#pragma once

// A body's best moment in a stretch of the night: its highest altitude there
// and when; and the brightest a magnitude law can ever make a body whose
// perihelion lies at q, so that a list can leave out at once what can never
// reach its limit.

#include <functional>

#include "astro/lois_magnitude.h"
#include "astro/visibilite.h"

struct Meilleur_Moment {
    double JJ = 0;       // UT
    double Hauteur = 0;  // degrees, geometric
};

// The highest point of `hauteur` (degrees, as a function of the UT Julian
// day) in `dans`: sampled every few minutes, then the best sample refined
// to a few seconds. Smooth curves only: an altitude.
Meilleur_Moment Chercher_Meilleur_Moment(const std::function<double(double jj)>& hauteur,
                                         const Intervalle& dans);

// The same on a path of the sky at the site.
Meilleur_Moment Meilleur_Moment_Trajet(const Trajet& corps, const Intervalle& dans,
                                       const Lieu_Observation& lieu);

// The least magnitude the law can give a body that never comes nearer the
// Sun than q (AU), seen from the Earth: −∞ when no bound holds (an orbit
// that reaches the Earth's, a comet law whose K is negative).
double Magnitude_Minimale(const Loi_Magnitude& loi, double q);

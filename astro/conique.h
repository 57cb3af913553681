#pragma once

// Two-body motion on any conic through its perihelion, from q, e and the
// time since perihelion alone: the ellipse, the parabola and the hyperbola
// in one universal anomaly, so that nothing is lost close to e = 1.

#include "astro/constante_gauss.h"

// Where the body stands on its orbit.
struct Point_Orbite {
    double v = 0;  // true anomaly, degrees, in (-180, 180], negative before perihelion
    double r = 0;  // distance from the Sun, AU
};

// The body `t` days from perihelion on the conic of perihelion distance
// q > 0 (AU) and eccentricity e ≥ 0: a bounded number of safeguarded Newton
// steps, a finite result for every finite t, q > 0 and e of the orbits.
Point_Orbite Resoudre_Conique(double q, double e, double t);

// Stumpff's functions c2(z) = (1 − cos √z) / z and c3(z) = (√z − sin √z) / z^1.5,
// continued through z = 0 (1/2 and 1/6) to z < 0 (cosh and sinh).
struct Stumpff {
    double c2 = 0;
    double c3 = 0;
};
Stumpff Calculer_Stumpff(double z);

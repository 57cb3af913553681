#include "astro/elements.h"

#include <cmath>

#include "astro/angles.h"

namespace {
constexpr double Puissance_10_10 = 1e10;
}  // namespace

bool Orbite_Parabolique(double e) { return e >= Excentricite_Parabolique; }

bool Orbite_Demesuree(const Elements& el) {
    return !(std::abs(el.e) <= Excentricite_Max && std::abs(el.q) <= Distance_Max);
}

double Arrondi_10(double x) {
    const double echelle = x * Puissance_10_10;
    // Beyond 2^52 a double has no fraction left to round.
    if (!std::isfinite(echelle) || std::fabs(echelle) >= 4503599627370496.0) return x;
    return std::nearbyint(echelle) / Puissance_10_10;
}

double Moyen_Mouvement(double a) { return a > 0 ? K_Moyen_Mouvement / std::pow(a, 1.5) : 0; }

double Periode_Annees(double a) { return std::pow(a, 1.5); }

void Omega_Vers_Longitude(Elements& el) {
    el.Longitude_Perihelie = el.Omega + el.gOmega;
    if (el.Longitude_Perihelie > Tour) el.Longitude_Perihelie -= Tour;
}

void Longitude_Vers_Omega(Elements& el) {
    el.Omega = el.Longitude_Perihelie - el.gOmega;
    if (el.Omega < 0) el.Omega += Tour;
}

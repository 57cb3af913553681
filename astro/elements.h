#pragma once

// The element set of the body and the ephemeris parameters, with the
// relations that tie the derived elements to the typed ones.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "astro/constante_gauss.h"
#include "astro/equations_mouvement.h"
#include "astro/lois_magnitude.h"

// From this eccentricity on, the orbit is given by q and e alone: a, n and Q
// are neither shown nor used, and the body moves on its true conic.
constexpr double Excentricite_Parabolique = 0.99;

// The step's units, as the list of units shows them, indexed by Unite_Pas - 1 (UTF-8).
inline constexpr std::array<const char*, 4> Noms_Unites_Pas = {"heures", "jours", "mois", "années"};

// The instant the elements osculate at, and a comet's non-gravitational
// parameters, with where they came from. No epoch: the body follows its
// two-body orbit.
struct Osculation {
    std::optional<double> JJ_Epoque;             // Julian day, TT
    std::optional<Non_Gravitationnel> Non_Grav;  // AU/day²
    Origine_Loi origine = Origine_Loi::Programme;
    std::string source;  // the file they were imported from, in UTF-8
};

struct Elements {
    // Orbital elements: AU, degrees, degrees per day.
    double a = 0;
    double n = 0;
    double e = 0;
    double q = 0;
    double gQ = 0;
    double i = 0;
    double Omega = 0;  // argument of perihelion
    double Longitude_Perihelie = 0;
    double gOmega = 0;  // longitude of the ascending node

    // Perihelion passage and the two equinoxes (decimal years and Julian days).
    double Jour_Perihelie = 0;
    int32_t Mois_Perihelie = 0;
    int32_t An_Perihelie = 0;
    double JJ_Perihelie = 0;
    double Equinoxe = 0;
    double JJ_Equinoxe = 0;
    double Equinoxe_ephemeride = 0;
    double JJ_Equinoxe_ephemeride = 0;

    // The instant being computed: hour steps accumulate in single precision.
    float Jour = 0;
    int32_t Mois = 0;
    int32_t An = 0;

    // Kept by the computation.
    double Anomalie_Moyenne = 0;  // degrees
    int32_t Instrument = 0;       // 0 "Aucun", 1 to 5 the telescopes

    // Ephemeris parameters.
    int32_t Pas = 0;
    int32_t Unite_Pas = 0;  // 1 heures, 2 jours, 3 mois, 4 années

    // Carried with the orbit, so that every layer that reads the elements
    // reads them too: the law of each magnitude column, the program's own
    // unless a source or the user gave one, and the osculation.
    Lois_Magnitude Lois;
    Osculation Epoque;
};

// Elliptic below 0.99, given by q and e alone from 0.99 on (near-parabolic
// ellipses, the parabola and the hyperbolas).
bool Orbite_Parabolique(double e);

// No body follows a conic this open, nor this far: such values come from a
// damaged source, and would give a table of nothing.
constexpr double Excentricite_Max = 1000;
constexpr double Distance_Max = 1e6;  // AU
// Whether the eccentricity or the perihelion distance is beyond any body's,
// or no number.
bool Orbite_Demesuree(const Elements& el);

// x rounded to ten decimals, ties to even; values too large to carry ten
// decimals come back unchanged.
double Arrondi_10(double x);

// n = k / a^1.5, or 0 when a is not positive.
double Moyen_Mouvement(double a);

// Period in years, a^1.5.
double Periode_Annees(double a);

void Omega_Vers_Longitude(Elements& el);
void Longitude_Vers_Omega(Elements& el);

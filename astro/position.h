#pragma once

// Geocentric position of the body: a mean Sun with its equation of centre,
// two-body motion of the body, the mean obliquity and rigorous precession.
// No nutation, aberration, light time, parallax or perturbation.

#include <cstdint>

#include "astro/elements.h"

constexpr double Radians_Par_Degre = 0.017453292519943295769;
constexpr double Radians_Par_Seconde = 4.84813681109536e-6;
constexpr double Demi_Heure = 0.02083333333333;  // days

// Values of the last computation, read by the row and the page.
struct Position {
    double JJ_Instant = 0;
    double Obliquite = 0;        // degrees, of the date
    double Alpha = 0;            // radians, equinox of the ephemeris, [0, 2π)
    double Delta = 0;            // radians
    double Distance_Terre = 0;   // AU
    double Distance_Soleil = 0;  // AU
};

double Normaliser_Angle(double x);

// Position of the body at Jour, Mois, An of `el` moved by Decalage_Demi_Heure
// half hours (-1, 0 or +1).
void Calculer_Position(Elements& el, int32_t Decalage_Demi_Heure, Position& pos);

// From the equinox of the elements to that of the ephemeris, in place.
void Precesser_Position(const Elements& el, Position& pos);

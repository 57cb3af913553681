#pragma once

// Geocentric position of the body: a mean Sun with its equation of centre,
// two-body motion of the body, the mean obliquity and rigorous precession.
// No nutation, aberration, light time, parallax or perturbation.

#include <cstdint>

#include "astro/angles.h"
#include "astro/elements.h"
#include "astro/vecteur.h"

constexpr double Demi_Heure = 0.02083333333333;  // days

// Values of the last computation, read by the row and the page.
struct Position {
    double JJ_Instant = 0;
    double Obliquite = 0;        // degrees, of the date
    double Alpha = 0;            // radians, equinox of the ephemeris, [0, 2π)
    double Delta = 0;            // radians
    double Distance_Terre = 0;   // AU
    double Distance_Soleil = 0;  // AU
    double Angle_Phase = 0;      // degrees, Sun–body–Earth, for the magnitude laws
};

double Normaliser_Angle(double x);

// Position of the body at Jour, Mois, An of `el` moved by Decalage_Demi_Heure
// half hours (-1, 0 or +1).
void Calculer_Position(Elements& el, int32_t Decalage_Demi_Heure, Position& pos);

// The same at a Julian day, whatever Jour, Mois, An hold.
void Calculer_Position_JJ(Elements& el, double JJ_Instant, Position& pos);

// From the equinox of the elements to that of the ephemeris, in place.
void Precesser_Position(const Elements& el, Position& pos);

// The steps of the computation, each usable on its own.

// Julian centuries since 1900 January 0.5 (JD 2415020.0), the time argument
// of the Sun and of the obliquity.
double Siecles_Depuis_1900(double jj);

// Mean obliquity of the ecliptic, degrees, at T Julian centuries from 1900.
double Obliquite_Moyenne(double T);

// The Sun seen from the Earth, mean equinox of the date.
struct Soleil {
    double Ls = 0;           // true longitude, degrees
    double Rs = 0;           // distance, AU
    Vecteur equatoriales{};  // AU
};
Soleil Calculer_Soleil(double T, double Obliquite);

// The Sun's equatorial coordinates moved from the equinox of the date to that
// of the elements.
Vecteur Precesser_Soleil(const Vecteur& soleil, double JJ_Instant, double JJ_Equinoxe);

// Eccentric anomaly E, degrees, of mean anomaly M (degrees) and eccentricity e.
double Resoudre_Kepler(double M, double e);

// The root s of s³ + 3s = W.
double Resoudre_Barker(double W);

// Elliptic motion: the heliocentric ecliptic position, equinox of the elements.
struct Corps_Elliptique {
    double M = 0;       // mean anomaly, degrees
    double E = 0;       // eccentric anomaly, degrees
    double v = 0;       // true anomaly, degrees
    double r = 0;       // AU
    double lambda = 0;  // degrees
    double beta = 0;    // degrees
};
// Also refreshes n, q, gQ and Anomalie_Moyenne of `el`.
Corps_Elliptique Calculer_Elliptique(Elements& el, double JJ_Instant);

// Motion given by q and e alone (e of 0.99 or more): the heliocentric
// equatorial position, equinox of the elements. A parabola (e = 1) is solved
// by Barker's equation, any other conic by its own Kepler equation.
struct Corps_Parabolique {
    double W = 0;  // Barker's equation only
    double s = 0;
    double v = 0;            // true anomaly, degrees
    double r = 0;            // AU
    Vecteur equatoriales{};  // AU
};
Corps_Parabolique Calculer_Parabolique(const Elements& el, double JJ_Instant, double Obliquite);

// Heliocentric ecliptic (r AU, lambda and beta degrees) to equatorial rectangular.
Vecteur Ecliptique_Vers_Equatorial(double r, double lambda, double beta, double Obliquite);

// Adds the Sun's geocentric coordinates to the body's heliocentric ones and
// sets Distance_Terre, Alpha in [0, 2π) and Delta.
void Vers_Geocentrique(const Vecteur& corps, const Vecteur& soleil, Position& pos);

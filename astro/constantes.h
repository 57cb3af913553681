#pragma once

// The astronomical constants of the computation, each defined once, taken
// from ERFA's own macros where ERFA has them.

#include <erfam.h>

// J2000.0, 2000 January 1.5 TT, Julian day.
constexpr double JJ_J2000 = ERFA_DJ00;
// Days per Julian century, the time unit of the precession series.
constexpr double Siecle_Julien = ERFA_DJC;
constexpr double Jours_Par_An_Julien = ERFA_DJY;
// Seconds per day, and the day in hours and in minutes.
constexpr double Secondes_Par_Jour = ERFA_DAYSEC;
constexpr double Heures_Par_Jour = 24;
constexpr double Minutes_Par_Jour = 60 * Heures_Par_Jour;
constexpr double Millisecondes_Par_Jour = 1000 * Secondes_Par_Jour;
// The astronomical unit, metres (IAU 2012 Resolution B2).
constexpr double Unite_Astronomique = ERFA_DAU;
// The speed of light, metres per second (IAU 2009 system of constants),
// and in AU per day.
constexpr double Vitesse_Lumiere_Metres = ERFA_CMPS;
constexpr double Vitesse_Lumiere = Secondes_Par_Jour / ERFA_AULT;

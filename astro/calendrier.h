#pragma once

// Calendar dates and Julian days. Dates before 15 October 1582 belong to the
// Julian calendar, later ones to the Gregorian calendar.

#include <cstdint>

#include "astro/elements.h"

// Julian day of 15 October 1582 at 0 h, the first Gregorian day.
constexpr double JJ_Debut_Gregorien = 2299160.5;
// The same date as year + month / 100 + day / 10000.
constexpr double Date_Debut_Gregorien = 1582.1015;

double Date_Vers_JJ(int32_t mois, float an, double jour);

// Jour_Perihelie, Mois_Perihelie, An_Perihelie from JJ_Perihelie. A Julian day
// outside the years the program can hold leaves the date unchanged and answers false.
bool JJ_Vers_Date_Perihelie(Elements& el);

double JJ_Vers_Annee(double jj);
double Annee_Vers_JJ(double annee);

bool Annee_Bissextile(int32_t an);
int32_t Longueur_Mois(int32_t mois, int32_t an);
// The same, for whichever rule decided that the year is a leap year.
int32_t Longueur_Mois(int32_t mois, bool bissextile);

// Brings Jour, Mois, An back to a calendar date after a step, in bounded time
// for any value. Answers false, leaving the date as it stands, when the date
// would leave the years [An_Minimum, An_Maximum].
bool Normaliser_Date(Elements& el);

constexpr int32_t An_Minimum = -9999999;
constexpr int32_t An_Maximum = 9999999;

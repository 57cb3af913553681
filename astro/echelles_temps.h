#pragma once

// Time scales of a row. The instant the user types is UTC from 1960 on and
// Universal Time before; the motion of the body and the Earth runs on
// Terrestrial Time (TT), as does the perihelion time of the elements.

// TT − UT, seconds, at a decimal year (2000.0 is J2000.0): the polynomials of
// Espenak & Meeus, Five Millennium Canon of Solar Eclipses (NASA, 2006),
// between −500 and 2150, and their long-term parabola −20 + 32u² outside.
// Finite for every finite year.
double Delta_T(double annee);

// TT − UTC, seconds, at a Julian day in UTC: ERFA's table of leap seconds
// from 1960 to 2150, the last leap second held after the table's end as the
// published ephemeris services do; Delta_T before 1960, after 2150, and for
// a day that is not finite.
double TT_Moins_UTC(double jj_utc);

// The Julian day in TT of an instant given in UTC (UT before 1960).
double JJ_UTC_Vers_TT(double jj_utc);

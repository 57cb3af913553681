#include <gtest/gtest.h>

#include <cmath>

#include "astro/calendrier.h"
#include "astro/echelles_temps.h"

namespace {

// Espenak & Meeus, Five Millennium Canon: each polynomial at its origin
// gives its constant term; before −500 and after 2150 the parabola
// −20 + 32((y − 1820)/100)², from 2050 to 2150 less 0.5628 (2150 − y).
TEST(Echelles_Temps, DeltaTDesPolynomes) {
    struct Cas {
        double annee;
        double secondes;
    };
    const Cas cas[] = {{-1000, 25427.68}, {0, 10583.6},  {1000, 1574.2}, {1600, 120},   {1700, 8.83},
                       {1800, 13.72},     {1860, 7.62},  {1900, -2.79},  {1920, 21.2},  {1950, 29.07},
                       {1975, 45.45},     {2000, 63.86}, {2100, 202.74}, {2200, 442.08}};
    for (const Cas& c : cas) EXPECT_NEAR(Delta_T(c.annee), c.secondes, 1e-9) << c.annee;
}

// TAI − UTC from the IERS table (before 1972 a drift, 1.4178180 s +
// (MJD − 37300) × 0.001296 s from 1960, 4.2131700 s + (MJD − 39126) ×
// 0.002592 s from February 1968), plus TT − TAI = 32.184 s.
TEST(Echelles_Temps, TTMoinsUTCAutourDe1960EtDesSecondesIntercalaires) {
    struct Cas {
        int jour;
        int mois;
        int an;
        double heure;
        double secondes;
    };
    const Cas cas[] = {
        {1, 1, 1950, 0, 29.07},                 // ΔT, UT
        {31, 12, 1959, 12, 33.10223249783263},  // ΔT at 1959.99726
        {1, 1, 1960, 12, 33.12813},             // the table's first drift
        {31, 12, 1971, 12, 42.074946},
        {1, 1, 1972, 0, 42.184},  // whole seconds from here
        {31, 12, 2016, 12, 68.184},
        {1, 1, 2017, 0, 69.184},
        {1, 6, 2100, 0, 69.184},  // the last leap second held
    };
    for (const Cas& c : cas) {
        const double jj = Date_Vers_JJ(c.mois, static_cast<float>(c.an), c.jour + c.heure / 24);
        EXPECT_NEAR(TT_Moins_UTC(jj), c.secondes, 1e-6) << c.jour << '/' << c.mois << '/' << c.an;
        EXPECT_NEAR((JJ_UTC_Vers_TT(jj) - jj) * 86400, c.secondes, 1e-4)
            << c.jour << '/' << c.mois << '/' << c.an;
    }
}

TEST(Echelles_Temps, FiniPourToutesLesAnnees) {
    for (const int32_t an : {An_Minimum, -5000, 2151, 100000, An_Maximum}) {
        const double jj = Date_Vers_JJ(1, static_cast<float>(an), 1);
        const double annee = 2000 + (jj - 2451545.0) / 365.25;
        const double u = (annee - 1820) / 100;
        EXPECT_NEAR(TT_Moins_UTC(jj) / (-20 + 32 * u * u), 1, 1e-9) << an;
        EXPECT_TRUE(std::isfinite(JJ_UTC_Vers_TT(jj))) << an;
    }
}

}  // namespace

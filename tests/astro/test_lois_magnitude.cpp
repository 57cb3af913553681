#include <gtest/gtest.h>

#include <cmath>

#include "astro/lois_magnitude.h"

namespace {

// Ceres' H = 3.34, G = 0.12, reduced magnitudes every 20° of phase angle and
// at r = 2.7 AU, Δ = 1.8 AU every 18°: the reference values of the HG tests
// of the sbpy photometry package (NASA-Planetary-Science/sbpy,
// sbpy/photometry/tests/test_iau.py, TestHG.test_evaluate and test_mag).
TEST(Lois_Magnitude, AsteroideHG) {
    struct Cas {
        double r, Delta, beta, m;
    };
    const Cas cas[] = {
        {1, 1, 0, 3.34},
        {1, 1, 20, 4.37957695},
        {1, 1, 40, 4.97935011},
        {1, 1, 60, 5.55797517},
        {1, 1, 80, 6.20811269},
        {1, 1, 100, 7.03560828},
        {1, 1, 120, 8.2295693},
        {1, 1, 140, 10.19445176},
        {1, 1, 160, 14.29255427},
        {2.7, 1.8, 0, 6.773181346311468},
        {2.7, 1.8, 18, 7.746327508868813},
        {2.7, 1.8, 36, 8.297741273359549},
        {2.7, 1.8, 54, 8.813984838536113},
        {2.7, 1.8, 72, 9.366879943505342},
        {2.7, 1.8, 90, 10.024055427421063},
        {2.7, 1.8, 108, 10.886692329621765},
        {2.7, 1.8, 126, 12.143261499943726},
        {2.7, 1.8, 144, 14.18326309145893},
        {2.7, 1.8, 162, 18.48388800989832},
    };
    const Loi_Magnitude ceres = Loi_Asteroide(3.34, 0.12, Origine_Loi::Importee);
    for (const auto& c : cas) {
        EXPECT_NEAR(Magnitude_Loi(ceres, c.r, c.Delta, c.beta), c.m, 1e-6)
            << c.r << ' ' << c.Delta << ' ' << c.beta;
    }
    // Seen from behind the body sends back no light at all.
    EXPECT_EQ(Magnitude_Loi(ceres, 1, 1, 180), HUGE_VAL);
    EXPECT_TRUE(std::isnan(Magnitude_Loi(ceres, -1, -1, 0)));
}

// Periodic comet Kopff, IAU Circular 3020 (1977): Δ, r and the printed
// magnitude of the 15 rows that carry one, from g = 13.5, k = 4.
TEST(Lois_Magnitude, CometeKopffCirculaire3020) {
    struct Cas {
        const char* date;
        double Delta, r, m;
    };
    const Cas cas[] = {
        {"1977-02-06", 2.342, 1.601, 17.4}, {"1977-02-26", 2.243, 1.575, 17.2},
        {"1977-03-18", 2.163, 1.575, 17.1}, {"1977-04-07", 2.096, 1.601, 17.2},
        {"1977-04-27", 2.036, 1.650, 17.2}, {"1977-05-17", 1.973, 1.720, 17.3},
        {"1977-06-06", 1.899, 1.807, 17.5}, {"1977-06-26", 1.811, 1.906, 17.6},
        {"1977-07-16", 1.709, 2.014, 17.7}, {"1977-08-05", 1.602, 2.128, 17.8},
        {"1977-08-25", 1.509, 2.246, 17.9}, {"1977-09-14", 1.462, 2.365, 18.1},
        {"1977-10-04", 1.498, 2.486, 18.3}, {"1977-10-24", 1.639, 2.606, 18.7},
        {"1977-11-13", 1.884, 2.724, 19.2},
    };
    const double g = 13.5, k = 4;
    const Loi_Magnitude kopff = Loi_Comete(g, 2.5 * k, 0, Origine_Loi::Importee);
    // Printed to a tenth: within half a tenth of the law.
    for (const auto& c : cas) EXPECT_NEAR(Magnitude_Loi(kopff, c.r, c.Delta, 0), c.m, 0.05) << c.date;
}

// With the program's own laws, the page's magnitudes stay bit for bit what
// they have always been: the observed magnitude less the distances' effect
// at its date, plus the effect at the row's date.
TEST(Lois_Magnitude, LoisDuProgrammeInchangees) {
    const double distances[] = {0.01, 0.3, 1, 1.7, 4.2, 31};
    const double magnitude = 11.26;
    const double r0 = 1.37, Delta0 = 0.81;
    struct Colonne {
        Loi_Magnitude loi;
        double facteur_r;
    };
    const Colonne colonnes[] = {{Loi_Totale_Programme(), 10}, {Loi_Noyau_Programme(), 5}};
    for (const auto& col : colonnes) {
        const double absolue = magnitude - (col.facteur_r * std::log10(r0) + 5 * std::log10(Delta0));
        const Loi_Magnitude loi = Recalibrer_Loi(col.loi, magnitude, r0, Delta0, 47);
        for (double r : distances) {
            for (double Delta : distances) {
                const double attendue = absolue + (col.facteur_r * std::log10(r) + 5 * std::log10(Delta));
                EXPECT_EQ(Magnitude_Loi(loi, r, Delta, 33), attendue)
                    << col.facteur_r << ' ' << r << ' ' << Delta;
            }
        }
    }
}

// A typed estimate moves the zero point and nothing else: the law then gives
// that estimate at its own date, and the same differences elsewhere.
TEST(Lois_Magnitude, Recalibration) {
    const Loi_Magnitude lois[] = {
        Loi_Comete(6.5, 2.5 * 6, 0, Origine_Loi::Importee),
        Loi_Comete(14.2, 5, 0.035, Origine_Loi::Importee),
        Loi_Asteroide(7.1, 0.25, Origine_Loi::Saisie),
    };
    const double m = 9.4, r0 = 1.2, Delta0 = 0.4, beta0 = 52;
    const double r1 = 2.9, Delta1 = 2.1, beta1 = 17;
    for (const auto& loi : lois) {
        const Loi_Magnitude nouvelle = Recalibrer_Loi(loi, m, r0, Delta0, beta0);
        EXPECT_NEAR(Magnitude_Loi(nouvelle, r0, Delta0, beta0), m, 1e-12) << loi.Zero;
        EXPECT_NEAR(Magnitude_Loi(nouvelle, r1, Delta1, beta1) - Magnitude_Loi(nouvelle, r0, Delta0, beta0),
                    Magnitude_Loi(loi, r1, Delta1, beta1) - Magnitude_Loi(loi, r0, Delta0, beta0), 1e-12)
            << loi.Zero;
        EXPECT_EQ(nouvelle.forme, loi.forme);
        EXPECT_EQ(nouvelle.K, loi.K);
        EXPECT_EQ(nouvelle.PC, loi.PC);
        EXPECT_EQ(nouvelle.G, loi.G);
        EXPECT_EQ(nouvelle.origine, loi.origine);
    }
}

TEST(Lois_Magnitude, AnglePhase) {
    struct Cas {
        double r, Delta, R, beta;
    };
    const Cas cas[] = {
        {1.5, 0.5, 1, 0},            // opposition
        {1.5, 0.5, 1 - 1e-15, 0},    // rounding past the flat triangle
        {1, 1, 1, 60},               // equilateral
        {1, 1, std::sqrt(2.0), 90},  // right angle at the body
        {0.5, 0.5, 1, 180},          // between the Earth and the Sun
    };
    for (const auto& c : cas)
        EXPECT_NEAR(Angle_Phase(c.r, c.Delta, c.R), c.beta, 1e-6) << c.r << ' ' << c.Delta;
    EXPECT_TRUE(std::isnan(Angle_Phase(1, 0, 1)));
    EXPECT_TRUE(std::isnan(Angle_Phase(std::nan(""), 1, 1)));
}

TEST(Lois_Magnitude, Limites) {
    struct Cas {
        Parametre_Loi parametre;
        double valeur;
        bool valide;
    };
    const Cas cas[] = {
        {Parametre_Loi::Zero, -10, true},     {Parametre_Loi::Zero, 40, true},
        {Parametre_Loi::Zero, 40.001, false}, {Parametre_Loi::Zero, std::nan(""), false},
        {Parametre_Loi::K, 50, true},         {Parametre_Loi::K, -10.5, false},
        {Parametre_Loi::K, HUGE_VAL, false},  {Parametre_Loi::PC, 0, true},
        {Parametre_Loi::PC, -0.01, false},    {Parametre_Loi::PC, 0.5, true},
        {Parametre_Loi::G, -0.5, true},       {Parametre_Loi::G, 1.01, false},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(Parametre_Loi_Valide(c.parametre, c.valeur), c.valide)
            << Limites_Loi(c.parametre).nom << ' ' << c.valeur;
    }
    EXPECT_TRUE(Loi_Valide(Loi_Totale_Programme()));
    EXPECT_TRUE(Loi_Valide(Loi_Noyau_Programme()));
    // Only the parameters of the law's own form count.
    Loi_Magnitude asteroide = Loi_Asteroide(15, 0.15, Origine_Loi::Saisie);
    asteroide.K = 1e9;
    EXPECT_TRUE(Loi_Valide(asteroide));
    asteroide.G = 2;
    EXPECT_FALSE(Loi_Valide(asteroide));
    EXPECT_FALSE(Loi_Valide(Loi_Comete(10, 10, 1, Origine_Loi::Saisie)));
}

}  // namespace

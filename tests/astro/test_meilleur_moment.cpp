// The brightest a law can make a body, swept over every geometry its orbit
// allows; the best moment of known curves; the night of known sites.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "astro/angles.h"
#include "astro/calendrier.h"
#include "astro/meilleur_moment.h"
#include "astro/nuit_noire.h"

namespace {

// No r ≥ q, Earth–Sun distance R and Δ the triangle allows gives a magnitude below the bound.
TEST(Magnitude_Minimale, JamaisDepassee) {
    const Loi_Magnitude lois[] = {
        Loi_Asteroide(10, 0.15, Origine_Loi::Importee), Loi_Asteroide(15, -0.2, Origine_Loi::Importee),
        Loi_Asteroide(5, 0.9, Origine_Loi::Importee), Loi_Comete(8, 10, 0, Origine_Loi::Importee),
        Loi_Comete(12, 2.5, 0.03, Origine_Loi::Importee)};
    std::mt19937 hasard(29);
    std::uniform_real_distribution<double> u(0, 1);
    for (const Loi_Magnitude& loi : lois) {
        for (double q : {1.05, 1.3, 2.0, 3.5, 10.0}) {
            const double borne = Magnitude_Minimale(loi, q);
            ASSERT_TRUE(std::isfinite(borne));
            double plus_brillante = HUGE_VAL;
            for (int k = 0; k < 20000; ++k) {
                const double r = q * (1 + 3 * u(hasard) * u(hasard));
                const double R = 0.9833 + (1.0167 - 0.9833) * u(hasard);
                const double angle = Pi_Radians * u(hasard) * u(hasard);  // Sun–Earth–body, mostly small
                // Δ from the triangle: r² = R² + Δ² − 2RΔ cos(angle), Δ > 0.
                const double b = R * std::cos(angle);
                const double Delta = b + std::sqrt(b * b - R * R + r * r);
                const double beta = Angle_Phase(r, Delta, R);
                plus_brillante = std::min(plus_brillante, Magnitude_Loi(loi, r, Delta, beta));
            }
            EXPECT_GE(plus_brillante, borne) << loi.Zero << " q " << q;
            // Near the Earth's orbit the sampling seldom meets the closest approach.
            if (q >= 1.3) {
                EXPECT_LT(plus_brillante - borne, 1.5)
                    << "a bound that never bites " << loi.Zero << " q " << q;
            }
        }
    }
    // No bound where the orbit reaches the Earth's, or a comet brightens outwards.
    EXPECT_EQ(Magnitude_Minimale(lois[0], 0.9), -HUGE_VAL);
    EXPECT_EQ(Magnitude_Minimale(Loi_Comete(8, -1, 0, Origine_Loi::Importee), 3), -HUGE_VAL);
    EXPECT_EQ(Magnitude_Minimale(lois[0], std::nan("")), -HUGE_VAL);
}

// Curves whose highest point is known: inside, at either end, flat, not a number.
TEST(Meilleur_Moment, CourbesConnues) {
    struct Cas {
        const char* nom;
        double (*h)(double);
        Intervalle dans;
        double jj, hauteur;
    };
    const Cas cas[] = {
        {"sommet", [](double t) { return 60 - 400 * (t - 0.3137) * (t - 0.3137); }, {0, 0.5}, 0.3137, 60},
        {"début", [](double t) { return 30 - 10 * t; }, {0.2, 0.6}, 0.2, 28},
        {"fin", [](double t) { return 30 + 10 * t; }, {0.2, 0.6}, 0.6, 36},
        {"sinus", [](double t) { return 40 * std::sin(Deux_Pi * t); }, {0, 1}, 0.25, 40},
    };
    constexpr double seconde = 1.0 / 86400;
    for (const Cas& c : cas) {
        const Meilleur_Moment m = Chercher_Meilleur_Moment(c.h, c.dans);
        EXPECT_NEAR(m.JJ, c.jj, 2 * seconde) << c.nom;
        EXPECT_NEAR(m.Hauteur, c.hauteur, 1e-6) << c.nom;
    }
    EXPECT_TRUE(std::isnan(Chercher_Meilleur_Moment([](double) { return std::nan(""); }, {0, 1}).Hauteur));
    EXPECT_EQ(Chercher_Meilleur_Moment([](double t) { return t; }, {1, 1}).JJ, 1);
}

// The dark stretch of three sites: a night of spring, a night of southern
// winter, a night of northern summer that never gets dark. Times from the
// Sun sampled independently (PyEphem), to a minute.
TEST(Nuit_Noire, TroisSites) {
    struct Cas {
        const char* nom;
        Lieu_Observation lieu;
        int jour, mois, an;
        bool noire;
        double debut, fin, soleil_minimal;  // the last: φ + δ − 90° at the lower culmination
    };
    const Cas cas[] = {
        {"nord", {44, 5.7, 0}, 15, 3, 2026, true, 2461115.305365, 2461115.674683, -47.85},
        {"sud", {-30.2, -70.8, 0}, 15, 6, 2026, true, 2461207.469161, 2461207.925108, -83.1},
        {"haute latitude", {62, 25, 0}, 15, 6, 2026, false, 2461207.351724, 2461207.510140, -4.7},
    };
    constexpr double minute = 1.0 / 1440;
    for (const Cas& c : cas) {
        const Nuit_Noire n =
            Calculer_Nuit_Noire(Date_Vers_JJ(c.mois, static_cast<float>(c.an), c.jour), c.lieu);
        EXPECT_EQ(n.noire, c.noire) << c.nom;
        EXPECT_NEAR(n.sombre.debut, c.debut, minute) << c.nom;
        EXPECT_NEAR(n.sombre.fin, c.fin, minute) << c.nom;
        EXPECT_NEAR(n.Soleil_Minimal, c.soleil_minimal, 0.3) << c.nom;
        // Tonight: at 21 h UT of the date, that date; at 2 h UT the next day, still that night.
        const double jj_0h = n.JJ_0h;
        EXPECT_EQ(JJ_Ce_Soir(jj_0h + 21.0 / 24 - c.lieu.Longitude / 360, c.lieu), jj_0h) << c.nom;
        EXPECT_EQ(JJ_Ce_Soir(n.sombre.fin - minute, c.lieu), jj_0h) << c.nom;
        EXPECT_EQ(JJ_Ce_Soir(n.sombre.fin + 2 * minute, c.lieu), jj_0h + 1) << c.nom;
    }
}

}  // namespace

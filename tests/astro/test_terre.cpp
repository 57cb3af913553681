#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "astro/terre.h"

namespace {

double Ecart(const Vecteur& a, const Vecteur& b) { return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]); }

// The interpolated Earth against eraEpv00 every 0.02 day over a lunar
// month, in three centuries, nodes a day apart and nodes an hour apart.
TEST(Terre, InterpoleeAMoinsDe1e9UA) {
    for (const double origine : {2415020.5, 2451545.0, 2488070.5}) {
        for (const double ecart : {1.0, 1.0 / 24}) {
            Terre_Interpolee terre(origine, ecart);
            double pire_position = 0, pire_vitesse = 0, pire_barycentrique = 0;
            for (int k = 0; k <= 1500; ++k) {
                const double jj = origine - 1 + k * 0.02;
                const Etat_Terre exacte = Calculer_Terre(jj);
                const Etat_Terre e = terre.A(jj);
                pire_position = std::max(pire_position, Ecart(e.position, exacte.position));
                pire_vitesse = std::max(pire_vitesse, Ecart(e.vitesse, exacte.vitesse));
                pire_barycentrique = std::max(pire_barycentrique,
                                              Ecart(e.vitesse_barycentrique, exacte.vitesse_barycentrique));
            }
            EXPECT_NEAR(pire_position, 0, 1e-9) << origine << ' ' << ecart;
            // 1e-8 AU/day in 173 AU/day: 1e-5″ of aberration.
            EXPECT_NEAR(pire_vitesse, 0, 1e-8) << origine << ' ' << ecart;
            EXPECT_NEAR(pire_barycentrique, 0, 1e-8) << origine << ' ' << ecart;
        }
    }
}

// Nodes are computed once and shared by the instants between them.
TEST(Terre, NoeudsPartages) {
    Terre_Interpolee terre(2451545.0, 1.0 / 24);
    for (int k = 0; k < 31; ++k) {
        for (const double decalage : {-1.0 / 48, 0.0, 1.0 / 48}) terre.A(2451545.0 + k / 24.0 + decalage);
    }
    EXPECT_EQ(terre.Evaluations(), 33);
}

}  // namespace

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
            // Near a node the Taylor expansion leaves out the Moon: 4e-8 AU/day;
            // 1e-7 AU/day in 173 AU/day is 0.0001″ of aberration.
            EXPECT_NEAR(pire_vitesse, 0, 1e-7) << origine << ' ' << ecart;
            EXPECT_NEAR(pire_barycentrique, 0, 1e-7) << origine << ' ' << ecart;
        }
    }
}

// A 31-row page asks for each row's instant and the half hours either side:
// rows an hour apart share three nodes, rows a day or a month apart need one
// node each, and every answer stays within 1e-9 AU of eraEpv00.
TEST(Terre, UnNoeudParLigneAuPlus) {
    struct Cas {
        double pas;    // days between rows
        double ecart;  // days between nodes
        int64_t noeuds;
    };
    const double debut = 2459000.5;
    for (const Cas& c : {Cas{1.0 / 24, 0.625, 3}, Cas{1, 1, 31}, Cas{30, 1, 31}}) {
        Terre_Interpolee terre(debut, c.ecart);
        double pire = 0;
        for (int ligne = 0; ligne < 31; ++ligne) {
            for (const double decalage : {-1.0 / 48, 1.0 / 48, 0.0}) {
                const double jj = debut + ligne * c.pas + decalage;
                pire = std::max(pire, Ecart(terre.A(jj).position, Calculer_Terre(jj).position));
            }
        }
        EXPECT_EQ(terre.Evaluations(), c.noeuds) << c.pas;
        EXPECT_NEAR(pire, 0, 1e-9) << c.pas;
    }
}

}  // namespace

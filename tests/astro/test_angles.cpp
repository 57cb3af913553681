#include <gtest/gtest.h>

#include <cmath>

#include "astro/constante_gauss.h"

namespace {

// The degree functions at the angles whose values are known exactly, also
// past a full turn and below zero.
TEST(Angles, FonctionsDesDegres) {
    const double racine3_2 = std::sqrt(3.0) / 2;
    const double racine2_2 = std::sqrt(2.0) / 2;
    struct Cas {
        double degres;
        double sinus;
        double cosinus;
    };
    const Cas cas[] = {
        {0, 0, 1},
        {30, 0.5, racine3_2},
        {90, 1, 0},
        {180, 0, -1},
        {-45, -racine2_2, racine2_2},
        {Tour + 60, racine3_2, 0.5},
        {Demi_Tour + 90, -1, 0},
    };
    for (const Cas& c : cas) {
        EXPECT_NEAR(Sin_Deg(c.degres), c.sinus, 1e-15) << c.degres;
        EXPECT_NEAR(Cos_Deg(c.degres), c.cosinus, 1e-15) << c.degres;
    }
    EXPECT_NEAR(Tan_Deg(45), 1, 1e-15);
    EXPECT_NEAR(Tan_Deg(-60), -std::sqrt(3.0), 1e-14);
    EXPECT_NEAR(Deux_Pi * Degres_Par_Radian, Tour, 1e-12);
    EXPECT_NEAR(Radians_Par_Seconde * 3600, Radians_Par_Degre, 1e-18);
}

// What is written from Gauss's constant agrees with it to its last digit.
TEST(Constante_Gauss, ValeursQuiEnDecoulent) {
    EXPECT_NEAR(Moyen_Mouvement_Unite, 0.9856076686, 1e-10);             // degrees per day
    EXPECT_NEAR(Constante_Barker, 3 * K_Gauss / std::sqrt(2.0), 1e-10);  // cut after ten decimals
}

}  // namespace

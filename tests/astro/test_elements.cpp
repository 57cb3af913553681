#include <gtest/gtest.h>

#include <cmath>

#include "astro/elements.h"

namespace {

TEST(Arrondi_10, DixDecimalesEgaliteVersLePair) {
    const std::pair<double, double> cas[] = {
        {0.12345678901234, 0.123456789}, {0.5, 0.5},     {2.00000000005, 2.0},  // tie in binary is below: 2.0
        {-0.12345678915, -0.1234567892}, {1e300, 1e300}, {-1e20, -1e20}};
    for (const auto& [x, attendu] : cas)
        EXPECT_NEAR(Arrondi_10(x), attendu, std::fabs(attendu) * 1e-15 + 1e-15) << x;
    EXPECT_TRUE(std::isnan(Arrondi_10(std::nan(""))));
}

struct Cas_Angles {
    const char* nom;
    double Omega;
    double gOmega;
    double longitude;
};

TEST(Angles_Perihelie, DansLesDeuxSens) {
    const Cas_Angles cas[] = {{"somme au-dela de 360", 300, 100, 40},
                              {"somme de 360 exactement reste 360", 200, 160, 360},
                              {"sans correction", 30, 80, 110}};
    for (const auto& c : cas) {
        Elements el;
        el.Omega = c.Omega;
        el.gOmega = c.gOmega;
        Omega_Vers_Longitude(el);
        EXPECT_DOUBLE_EQ(el.Longitude_Perihelie, c.longitude) << c.nom;
        el.Omega = -1;
        Longitude_Vers_Omega(el);
        EXPECT_DOUBLE_EQ(el.Omega, c.Omega) << c.nom;
    }
}

TEST(Moyen_Mouvement, LoiDeKepler) {
    EXPECT_DOUBLE_EQ(Moyen_Mouvement(1), K_Moyen_Mouvement);
    EXPECT_NEAR(Moyen_Mouvement(3), 0.189681, 1e-6);
    EXPECT_EQ(Moyen_Mouvement(0), 0);
    EXPECT_EQ(Moyen_Mouvement(-2), 0);
}

}  // namespace

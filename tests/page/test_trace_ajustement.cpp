#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "page/trace_ajustement.h"
#include "support/canevas_enregistreur.h"

namespace {

TEST(Trace_Ajustement, PasDeGraduation) {
    const struct {
        double etendue;
        int graduations;
        double pas;
    } cas[] = {{1.0, 5, 0.2},     {0.43, 5, 0.1}, {7.3, 5, 2}, {12, 5, 5},  {365, 4, 100},
               {0.011, 5, 0.005}, {0, 5, 1},      {-3, 5, 1},  {NAN, 5, 1}, {1, 0, 1}};
    for (const auto& c : cas)
        EXPECT_NEAR(Pas_Graduation(c.etendue, c.graduations), c.pas, 1e-12)
            << c.etendue << ' ' << c.graduations;
}

// Ten estimates on the law 5 + 10 log r, the third set aside: nine blue
// squares and one red cross in each panel, the fitted line in black and
// the published one in dashes, all inside the frame; on paper the same
// picture, scaled.
TEST(Trace_Ajustement, PointsCroixEtLois) {
    Trace_Ajustement t;
    t.titre = QStringLiteral("1995O1");
    for (int k = 0; k < 10; ++k) {
        const double r = 1 + 0.2 * k, Delta = 1.5;
        t.estimations.push_back({2450000.5 + 10 * k,
                                 5 + 10 * std::log10(r) + 5 * std::log10(Delta) + (k == 2 ? 3 : 0), r,
                                 Delta});
        t.ecartee.push_back(k == 2);
        t.courbe.push_back({2450000.5 + 10 * k, 5 + 10 * std::log10(r) + 5 * std::log10(Delta), 6.0});
    }
    t.ajustee = {5, 10};
    t.publiee = Droite{6, 10};
    for (const auto& [resolution, cadre] :
         {std::pair{96, QRect(0, 0, 800, 300)}, std::pair{600, QRect(0, 0, 6000, 2200)}}) {
        Canevas_Enregistreur cv(resolution, cadre.width());
        ASSERT_TRUE(Dessiner_Ajustement(cv, cadre, t));
        const auto& c = cv.Coloriages();
        // One per estimate kept in each panel, and one in each legend.
        EXPECT_EQ(
            std::count_if(c.begin(), c.end(), [](const auto& x) { return x.couleur == Couleur_Gardee; }),
            2 * 9 + 2)
            << resolution;
        const auto& traits = cv.Traits();
        EXPECT_EQ(std::count_if(traits.begin(), traits.end(),
                                [](const auto& x) { return x.crayon.couleur == Couleur_Ecartee; }),
                  2 * 2 + 2 * 2)
            << resolution;
        EXPECT_GT(std::count_if(traits.begin(), traits.end(),
                                [](const auto& x) {
                                    return x.crayon.couleur == Couleur_Loi_Publiee &&
                                           x.crayon.style == Style_Trait::Tirets;
                                }),
                  10)
            << resolution;
        for (const Trait_Enregistre& x : traits) {
            EXPECT_TRUE(cadre.contains(x.x1, x.y1) && cadre.contains(x.x2, x.y2))
                << resolution << ' ' << x.x1 << ',' << x.y1;
        }
        EXPECT_EQ(cv.Trouver(QStringLiteral("1995O1 - magnitude réduite m - 5 log Δ selon log r")).size(),
                  1u);
        EXPECT_EQ(cv.Trouver(QStringLiteral("loi publiée")).size(), 2u);
    }
    t.estimations.clear();
    Canevas_Enregistreur vide;
    EXPECT_FALSE(Dessiner_Ajustement(vide, QRect(0, 0, 400, 300), t));
    EXPECT_EQ(vide.Trouver(QStringLiteral("Aucune estimation à montrer.")).size(), 1u);
}

}  // namespace

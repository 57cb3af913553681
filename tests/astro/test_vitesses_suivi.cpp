#include <gtest/gtest.h>

#include <cmath>

#include "astro/vitesses_suivi.h"
#include "support/ceres_horizons.h"
#include "support/elements_exemple.h"

namespace {

constexpr double Jj0 = 2461000.5;

// A body moving uniformly: `da` ″/s of right ascension as an angle, `dd` ″/s
// of declination, from (alpha0, delta0).
Place_A_L_Instant Uniforme(double alpha0, double delta0, double da, double dd) {
    return [=](double jj) {
        const double t = (jj - Jj0) * Secondes_Par_Jour;
        return Coordonnees_Monture{std::fmod(alpha0 + da * t / 54000 + 24, 24), delta0 + dd * t / 3600};
    };
}

TEST(Vitesses_Suivi, DepuisUnMouvementUniforme) {
    struct Cas {
        const char* nom;
        double alpha0, delta0, da, dd;
    };
    const Cas cas[] = {
        {"immobile", 6, 20, 0, 0},
        {"vers l'est et le nord", 6, 20, 2, 1},
        {"vers l'ouest et le sud, près du pôle", 12, 89, -30, -5},
        {"à travers 0 h vers l'est", 23.9999, -40, 15, 0.5},
        {"à travers 0 h vers l'ouest", 0.0001, -40, -15, 0},
        {"un corps très rapide", 3, 0, 3600, -3600},
    };
    for (const Cas& c : cas) {
        const auto place = Uniforme(c.alpha0, c.delta0, c.da, c.dd);
        for (const double demi : {1.0, 30.0}) {
            const Vitesses_Suivi v = Vitesses_Depuis_Mouvement(place, Jj0, demi);
            EXPECT_NEAR(v.Ascension_Droite, 15.041067 - c.da, 1e-4) << c.nom << ' ' << demi;
            EXPECT_NEAR(v.Declinaison, c.dd, 1e-4) << c.nom << ' ' << demi;
        }
        const Vitesses_Suivi m = Vitesses_Sur_Intervalle(place, Jj0, 60);
        EXPECT_NEAR(m.Ascension_Droite, 15.041067 - c.da, 1e-4) << c.nom;
        EXPECT_NEAR(m.Declinaison, c.dd, 1e-4) << c.nom;
    }
}

// On a curving path the rate over the coming interval lands the mount where
// the body will be, not where a tangent would take it.
TEST(Vitesses_Suivi, SurUnIntervalleLaCourbeEstRejointe) {
    const auto place = [](double jj) {
        const double t = (jj - Jj0) * Secondes_Par_Jour;
        return Coordonnees_Monture{1, 10 + 0.5 * t * t / 3600};  // 1″/s² in declination
    };
    const double intervalle = 60;
    EXPECT_NEAR(Vitesses_Depuis_Mouvement(place, Jj0, 30).Declinaison, 0, 1e-4);
    EXPECT_NEAR(Vitesses_Sur_Intervalle(place, Jj0, intervalle).Declinaison, 30, 1e-3);
}

TEST(Vitesses_Suivi, PlaceNonFinie) {
    const Place_A_L_Instant place = [](double) { return Coordonnees_Monture{NAN, 0}; };
    const Vitesses_Suivi v = Vitesses_Depuis_Mouvement(place, Jj0, 30);
    EXPECT_FALSE(std::isfinite(v.Ascension_Droite));
    EXPECT_TRUE(std::isnan(Ecart_Angulaire({NAN, 0}, {0, 0})));
}

TEST(Vitesses_Suivi, EcartAngulaire) {
    struct Cas {
        Coordonnees_Monture a, b;
        double ecart;  // arc seconds
    };
    const Cas cas[] = {
        {{5, 30}, {5, 30}, 0},
        {{5, 30}, {5, 30 + 20.0 / 3600}, 20},
        {{0, 0}, {1.0 / 3600, 0}, 15},                   // a second of time on the equator
        {{0, 60}, {1.0 / 3600, 60}, 7.5},                // shrinks as cos δ
        {{23.99999, 0}, {0.00001, 0}, 0.00002 * 54000},  // across 0 h
        {{3, 89.9999}, {15, 89.9999}, 0.72},             // across the pole
        {{0, 0}, {12, 0}, 180 * 3600.0},
    };
    for (const Cas& c : cas)
        EXPECT_NEAR(Ecart_Angulaire(c.a, c.b), c.ecart, 1e-6 * c.ecart + 1e-6)
            << c.a.Ascension_Droite << ' ' << c.a.Declinaison;
}

TEST(Vitesses_Suivi, SigneInverse) {
    struct Cas {
        double avant, apres;
        bool inverse;
    };
    const Cas cas[] = {{1, -1, true},  {-0.1, 2, true}, {1, 2, false},
                       {0, -1, false}, {-1, 0, false},  {-1, -2, false}};
    for (const Cas& c : cas)
        EXPECT_EQ(Signe_Inverse(c.avant, c.apres), c.inverse) << c.avant << ' ' << c.apres;
}

// The mount is given the apparent place of date from the site, the same
// as the computation of the places gives it, at any instant of a night.
TEST(Vitesses_Suivi, PlacePourLaMonture) {
    const Elements el = Elements_Exemple(0.5);
    const Lieu_Observation lieu{45, 5, 300};
    const auto place = Place_Pour_Monture(el, lieu, Jj0);
    Calcul_Place calcul(el, Jj0);
    const Choix_Modele choix{Modele_Calcul::Precis, true, true};
    for (const double heures : {0.0, 0.01, 6.0, 11.5}) {
        const double jj = Jj0 + heures / 24;
        const Coordonnees_Monture m = place(jj);
        const Coordonnees_Monture attendue = Vers_Monture(calcul.Calculer(jj, choix, &lieu));
        EXPECT_NEAR(m.Ascension_Droite, attendue.Ascension_Droite, 1e-12) << heures;
        EXPECT_NEAR(m.Declinaison, attendue.Declinaison, 1e-12) << heures;
        // A body a few AU away moves by a fraction of a second of arc a second.
        const Vitesses_Suivi v = Vitesses_Depuis_Mouvement(place, jj, 30);
        EXPECT_NEAR(v.Ascension_Droite, Vitesse_Siderale, 0.1) << heures;
        EXPECT_NEAR(v.Declinaison, 0, 0.1) << heures;
    }
}

// The elements with their epoch, as a file or an import gives them.
Elements Osculant(Elements el) {
    el.Epoque.JJ_Epoque = Epoque_1995;
    return el;
}

// Given the page's integration, the mount follows the perturbed place,
// minutes of arc from the two-body one, even once the page has moved on to
// other elements and dropped that integration.
TEST(Vitesses_Suivi, PlacePourLaMontureSuitLaPerturbation) {
    const Lieu_Observation lieu{45, 5, 300};
    const double jj = Ceres_2000.JJ;
    Mouvement_Retenu page;
    const auto perturbee = Place_Pour_Monture(Ceres_1995, lieu, jj, page.Pour(Osculant(Ceres_1995)));
    const auto deux_corps = Place_Pour_Monture(Ceres_1995, lieu, jj);
    Elements autre = Osculant(Ceres_1995);
    autre.e += 1e-3;
    page.Pour(autre);
    Mouvement_Perturbe fraiche(Ceres_1995, Epoque_1995);
    Calcul_Place calcul(Ceres_1995, jj, jj, &fraiche);
    const Coordonnees_Monture attendue =
        Vers_Monture(calcul.Calculer(jj, {Modele_Calcul::Precis, true, true}, &lieu));
    const Coordonnees_Monture m = perturbee(jj);
    EXPECT_NEAR(m.Ascension_Droite, attendue.Ascension_Droite, 1e-9);
    EXPECT_NEAR(m.Declinaison, attendue.Declinaison, 1e-9);
    EXPECT_GT(Ecart_Angulaire(m, deux_corps(jj)), 120);
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>

#include "astro/position.h"
#include "astro/visibilite.h"
#include "tests/support/elements_exemple.h"

namespace {

constexpr double Minute = 1.0 / 1440;  // days
double Heures(int h, int m, double s) { return h + m / 60.0 + s / 3600.0; }
double Radians(double degres) { return degres * Radians_Par_Degre; }

// A body that stays where it is.
Trajet Fixe(double debut, double alpha_degres, double delta_degres) {
    return Trajet::Echantillonner(debut, [=](double) {
        return Equatoriales{Radians(alpha_degres), Radians(delta_degres)};
    });
}

TEST(Temps_Sideral, ExemplesDeMeeus) {
    struct Cas {
        const char* nom;
        double jj;
        double degres;
    };
    // Meeus, Astronomical Algorithms, examples 12.a and 12.b: 1987 April 10.
    const Cas cas[] = {
        {"12.a, 0 h UT", 2446895.5, Heures(13, 10, 46.3668) * 15},
        {"12.b, 19 h 21 min UT", 2446896.30625, 128.7378734},
    };
    for (const Cas& c : cas) EXPECT_NEAR(Temps_Sideral_Moyen(c.jj), c.degres, 1e-6) << c.nom;
}

TEST(Horizontales, ExempleDeMeeus) {
    // Meeus, example 13.b: Venus from the US Naval Observatory, 1987 April
    // 10 at 19 h 21 min UT; his azimuth counts from the south, and he uses
    // the apparent sidereal time, 0.0016° off the mean one.
    const Lieu_Observation washington{38 + 55 / 60.0 + 17 / 3600.0, -(77 + 3 / 60.0 + 56 / 3600.0), 0};
    const Equatoriales venus{Radians(Heures(23, 9, 16.641) * 15), Radians(-(6 + 43 / 60.0 + 11.61 / 3600.0))};
    const Horizontales h = Vers_Horizontales(venus, 2446896.30625, washington);
    EXPECT_NEAR(h.Hauteur, 15.1249, 0.002);
    EXPECT_NEAR(h.Azimut, 68.0337 + 180, 0.003);
}

TEST(Lever_Passage_Coucher, VenusABostonSelonMeeus) {
    // Meeus, example 15.a: Venus from Boston on 1988 March 20, from his
    // positions of the 19th, 20th and 21st at 0 h; rise 12h25m, transit
    // 19h41m (0.81965 day), set 2h55m (0.12130 day).
    const double J0 = 2447240.5;
    const double alpha[] = {40.68021, 41.73129, 42.78204};
    const double delta[] = {18.04761, 18.44092, 18.82742};
    auto interpoler = [](const double(&y)[3], double n) {
        const double a = y[1] - y[0], b = y[2] - y[1];
        return y[1] + n / 2 * (a + b + n * (b - a));
    };
    Ciel_Jour ciel;
    ciel.JJ_0h = J0;
    ciel.corps = Trajet::Echantillonner(J0, [&](double jj) {
        return Equatoriales{Radians(interpoler(alpha, jj - J0)), Radians(interpoler(delta, jj - J0))};
    });
    ciel.soleil = Trajet::Echantillonner(J0, Equatoriales_Soleil);
    const Lieu_Observation boston{42.3333, -71.0833, 0};
    const Visibilite_Jour v = Calculer_Visibilite_Ciel(ciel, J0, boston);
    ASSERT_TRUE(v.Lever && v.Passage && v.Coucher);
    EXPECT_NEAR(*v.Lever - J0, 0.51766, Minute);
    EXPECT_NEAR(*v.Passage - J0, 0.81965, Minute);
    EXPECT_NEAR(*v.Coucher - J0, 0.12130, Minute);
    // 90° − φ + δ, δ interpolated at the transit.
    EXPECT_NEAR(v.Hauteur_Passage, 90 - 42.3333 + interpoler(delta, 0.81965), 0.01);
    EXPECT_EQ(v.cours, Cours::Normal);
}

TEST(Lever_Passage_Coucher, CasPolaires) {
    struct Cas {
        const char* nom;
        double latitude, delta;
        Cours cours;
        double hauteur_passage;  // 90 − |φ − δ|
    };
    const Cas cas[] = {
        {"circumpolaire au nord", 50, 80, Cours::Circumpolaire, 60},
        {"circumpolaire au sud", -50, -80, Cours::Circumpolaire, 60},
        {"jamais levé", 50, -80, Cours::Invisible, -40},
        {"au ras de l'horizon, levé", 50, -39.5, Cours::Normal, 0.5},
        {"au pôle, un astre au-dessus", 90, 10, Cours::Circumpolaire, 10},
    };
    const double J0 = 2451604.5;
    for (const Cas& c : cas) {
        Ciel_Jour ciel{J0, Fixe(J0, 100, c.delta), Trajet::Echantillonner(J0, Equatoriales_Soleil)};
        const Visibilite_Jour v = Calculer_Visibilite_Ciel(ciel, J0, {c.latitude, 5, 0});
        EXPECT_EQ(v.cours, c.cours) << c.nom;
        EXPECT_EQ(v.Lever.has_value(), c.cours == Cours::Normal) << c.nom;
        EXPECT_EQ(v.Coucher.has_value(), c.cours == Cours::Normal) << c.nom;
        ASSERT_TRUE(v.Passage) << c.nom;
        EXPECT_NEAR(v.Hauteur_Passage, c.hauteur_passage, 1e-6) << c.nom;
    }
}

TEST(Nuit, SoleilDeMinuitEtNuitPolaire) {
    struct Cas {
        const char* nom;
        double latitude;
        double jj;
        bool sombre;         // the Sun goes below −18°
        bool toute_la_nuit;  // and stays there from noon to noon
    };
    const Cas cas[] = {
        {"65° N au solstice d'été: soleil de minuit", 65, 2451716.5, false, false},
        {"50° N au solstice d'été: crépuscule toute la nuit", 50, 2451716.5, false, false},
        {"45° N au solstice d'été", 45, 2451716.5, true, false},
        {"45° N en mars", 45, 2451604.5, true, false},
        {"78° N au solstice d'hiver: le Soleil à -11° à midi", 78, 2451899.5, true, false},
        {"88° N au solstice d'hiver: nuit noire de midi à midi", 88, 2451899.5, true, true},
        {"88° S au solstice de juin", -88, 2451716.5, true, true},
    };
    const Elements el = Elements_Exemple(0.5);
    for (const Cas& c : cas) {
        const Lieu_Observation lieu{c.latitude, 10, 0};
        const Ciel_Jour ciel = Preparer_Ciel(el, c.jj);
        const Intervalle nuit = Nuit_Locale(ciel, lieu);
        const auto sombres = Intervalles_Sombres(ciel, nuit, lieu);
        EXPECT_EQ(!sombres.empty(), c.sombre) << c.nom;
        EXPECT_EQ(Calculer_Visibilite_Jour(el, c.jj, lieu).Hauteur_Noire.has_value(), c.sombre) << c.nom;
        if (c.toute_la_nuit) {
            ASSERT_EQ(sombres.size(), 1u) << c.nom;
            EXPECT_DOUBLE_EQ(sombres[0].debut, nuit.debut) << c.nom;
            EXPECT_DOUBLE_EQ(sombres[0].fin, nuit.fin) << c.nom;
        }
        // Each end of darkness inside the night is the Sun at −18°, exactly computed.
        for (const Intervalle& i : sombres) {
            for (double jj : {i.debut, i.fin}) {
                if (jj == nuit.debut || jj == nuit.fin) continue;
                EXPECT_NEAR(Vers_Horizontales(Equatoriales_Soleil(jj), jj, lieu).Hauteur, Hauteur_Nuit, 0.01)
                    << c.nom;
            }
        }
    }
}

// Over a year and several sites, each event found on the interpolated path
// holds, to within a minute, for the body computed exactly at that instant.
TEST(Lever_Passage_Coucher, BalayageContreLaPositionExacte) {
    const Elements el = Elements_Exemple(0.5);
    const Lieu_Observation lieux[] = {{48.85, 2.35, 0}, {-33.9, 151.2, 0}, {64, -150, 0}, {0, 179.9, 0}};
    auto hauteur = [&](double jj, const Lieu_Observation& l) {
        return Vers_Horizontales(Equatoriales_Corps(el, jj), jj, l).Hauteur;
    };
    int evenements = 0;
    for (const Lieu_Observation& l : lieux) {
        for (double jj = 2451544.5; jj < 2451544.5 + 366; jj += 7) {
            const Visibilite_Jour v = Calculer_Visibilite_Jour(el, jj, l);
            for (const auto& [instant, montant] : {std::pair{v.Lever, true}, std::pair{v.Coucher, false}}) {
                if (!instant) continue;
                ++evenements;
                EXPECT_GE(*instant, jj);
                EXPECT_LT(*instant, jj + 1);
                const double avant = hauteur(*instant - Minute, l), apres = hauteur(*instant + Minute, l);
                EXPECT_EQ(avant < Hauteur_Lever, montant) << jj << (montant ? " lever" : " coucher");
                EXPECT_EQ(apres < Hauteur_Lever, !montant) << jj << (montant ? " lever" : " coucher");
            }
            ASSERT_TRUE(v.Passage) << jj;
            const Equatoriales e = Equatoriales_Corps(el, *v.Passage);
            const double H = Normaliser_Angle(Temps_Sideral_Moyen(*v.Passage) + l.Longitude -
                                              e.Alpha / Radians_Par_Degre + 180) -
                             180;
            EXPECT_NEAR(H, 0, 0.25) << jj;  // a minute of time
            EXPECT_NEAR(v.Hauteur_Passage, hauteur(*v.Passage, l), 0.01) << jj;
            EXPECT_NEAR(v.Elongation, Separation(Equatoriales_Corps(el, jj), Equatoriales_Soleil(jj)), 0.01);
        }
    }
    EXPECT_GT(evenements, 300);
}

TEST(Visibilite_Instant, HauteurEtAzimutAuMeridien) {
    // Just after its transit the body stands at 90 − |φ − δ|, due south
    // (or due north when it passes north of the zenith).
    const Elements el = Elements_Exemple(0.5);
    const Lieu_Observation lieux[] = {{45, 0, 0}, {-60, 100, 0}};
    for (const Lieu_Observation& l : lieux) {
        const Visibilite_Jour jour = Calculer_Visibilite_Jour(el, 2451604.5, l);
        ASSERT_TRUE(jour.Passage);
        const Visibilite_Instant v = Calculer_Visibilite_Instant(el, *jour.Passage, l);
        const double delta = Equatoriales_Corps(el, *jour.Passage).Delta / Radians_Par_Degre;
        EXPECT_NEAR(v.horizontales.Hauteur, 90 - std::fabs(l.Latitude - delta), 0.01) << l.Latitude;
        const double plein = delta < l.Latitude ? 180 : 0;
        EXPECT_NEAR(std::remainder(v.horizontales.Azimut - plein, 360), 0, 0.3) << l.Latitude;
        EXPECT_NEAR(v.Elongation, jour.Elongation, 1) << l.Latitude;
    }
}

TEST(Visibilite, ValeursAberrantesSansBoucleSansPlantage) {
    Elements el = Elements_Exemple(0.5);
    const double jours[] = {NAN, INFINITY, 1e12, -1e12};
    for (double jj : jours) {
        const Visibilite_Jour v = Calculer_Visibilite_Jour(el, jj, {45, 0, 0});
        EXPECT_FALSE(v.Lever && std::isnan(*v.Lever)) << jj;
    }
    el.a = NAN;
    const Visibilite_Jour v = Calculer_Visibilite_Jour(el, 2451604.5, {45, 0, 0});
    EXPECT_FALSE(v.Lever.has_value());
}

// The sky of a day built on the day before's nodes gives the same events as one built afresh.
TEST(Ciel, NoeudsReprisDuJourPrecedent) {
    const Elements el = Elements_Exemple(0.5);
    const Lieu_Observation lieu{48.85, 2.35, 0};
    for (double pas : {1.0, 2.0, 0.5, 30.0}) {
        Ciel_Jour precedent = Preparer_Ciel(el, 2451604.5);
        for (int k = 1; k <= 5; ++k) {
            const double jj = 2451604.5 + k * pas;
            const Ciel_Jour repris = Preparer_Ciel(el, jj, &precedent);
            const Visibilite_Jour a = Calculer_Visibilite_Ciel(repris, jj, lieu);
            const Visibilite_Jour b = Calculer_Visibilite_Jour(el, jj, lieu);
            EXPECT_EQ(a.Lever, b.Lever) << pas << ' ' << k;
            EXPECT_EQ(a.Passage, b.Passage) << pas << ' ' << k;
            EXPECT_EQ(a.Coucher, b.Coucher) << pas << ' ' << k;
            EXPECT_EQ(a.Hauteur_Noire, b.Hauteur_Noire) << pas << ' ' << k;
            precedent = repris;
        }
    }
}

}  // namespace

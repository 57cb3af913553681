#include <gtest/gtest.h>

#include <cmath>

#include "app/cible_monture.h"

namespace {

// Where the Sun stands at three sites and instants, from its declination on
// the solstices: a wrong sign of the longitude or of the time shows at once.
TEST(Cible_Monture, HauteurDuSoleilEtPleinJour) {
    const struct {
        const char* nom;
        Lieu_Observation lieu;
        double jj;
        double hauteur;  // degrees, within one
        bool jour;
    } cas[] = {
        {"Greenwich, midi du solstice d'été", {51.48, 0, 0}, 2451717.0, 61.9, true},
        {"Greenwich, minuit du solstice d'hiver", {51.48, 0, 0}, 2451899.5, -61.9, false},
        {"Sydney, midi du solstice d'hiver boréal", {-33.87, 151.21, 0}, 2451899.5 + 2.0 / 24, 79.6, true},
    };
    for (const auto& c : cas) {
        EXPECT_NEAR(Hauteur_Soleil(c.lieu, c.jj), c.hauteur, 1) << c.nom;
        EXPECT_EQ(En_Plein_Jour(c.lieu, c.jj), c.jour) << c.nom;
    }
}

// A body on the meridian stands at 90° less the distance from the latitude
// to its declination; below the pole, at the latitude plus the declination less 90°.
TEST(Cible_Monture, RefusSousLaHauteurMinimale) {
    Site_Observation site;
    site.Nom = QStringLiteral("Essai");
    site.lieu = {45, 10, 0};
    site.Hauteur_Minimale = 15;
    const double jj = 2461000.25;
    const double meridien = (Temps_Sideral_Moyen(jj) + site.lieu.Longitude) / 15;  // hours
    const struct {
        const char* nom;
        double alpha;  // hours
        double delta;  // degrees
        bool refuse;
    } cas[] = {
        {"au zénith", meridien, 45, false},
        {"au méridien, 15,1°", meridien, -29.9, false},
        {"au méridien, 14,9°", meridien, -30.1, true},
        {"sous le pôle, 35°", meridien + 12, 80, false},
        {"sous le pôle, sous l'horizon", meridien + 12, 40, true},
        {"place inconnue", NAN, 45, true},
    };
    for (const auto& c : cas) {
        const QString refus =
            Refus_Cible(site, jj, Coordonnees_Monture{std::fmod(c.alpha + 24, 24), c.delta});
        EXPECT_EQ(!refus.isEmpty(), c.refuse) << c.nom << ": " << refus.toStdString();
    }
    const QString refus = Refus_Cible(site, jj, Coordonnees_Monture{meridien, -30.1});
    EXPECT_TRUE(refus.contains(QStringLiteral("14.9°")) && refus.contains(QStringLiteral("15.0°")) &&
                refus.contains(site.Nom))
        << refus.toStdString();
}

}  // namespace

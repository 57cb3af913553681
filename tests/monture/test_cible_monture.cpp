#include <gtest/gtest.h>

#include <QRegularExpression>
#include <cmath>

#include "monture/cible_monture.h"

namespace {

// The first angle a refusal names, degrees.
double Hauteur_Nommee(const QString& refus) {
    const auto m = QRegularExpression(QStringLiteral("(-?[0-9]+,[0-9])°")).match(refus);
    return m.hasMatch() ? m.captured(1).replace(u',', u'.').toDouble() : NAN;
}

// Where the Sun stands at three sites and instants, from its declination on
// the solstices: a wrong sign of the longitude or of the time shows at once.
TEST(Cible_Monture, PleinJourEtHauteurDuSoleil) {
    const struct {
        const char* nom;
        Lieu_Observation lieu;
        double jj;
        double hauteur;  // degrees, within one; NaN at night
    } cas[] = {
        {"Greenwich, midi du solstice d'été", {51.48, 0, 0}, 2451717.0, 61.9},
        {"Greenwich, minuit du solstice d'hiver", {51.48, 0, 0}, 2451899.5, NAN},
        {"Sydney, midi du solstice d'hiver boréal", {-33.87, 151.21, 0}, 2451899.5 + 2.0 / 24, 79.6},
        {"Sydney, minuit", {-33.87, 151.21, 0}, 2451899.5 + 14.0 / 24, NAN},
    };
    for (const auto& c : cas) {
        const QString refus = Refus_Jour(c.lieu, c.jj);
        EXPECT_EQ(refus.isEmpty(), std::isnan(c.hauteur)) << c.nom << ": " << refus.toStdString();
        if (!std::isnan(c.hauteur)) {
            EXPECT_NEAR(Hauteur_Nommee(refus), c.hauteur, 1) << c.nom;
        }
    }
}

// A body on the meridian stands at 90° less the distance from the latitude
// to its declination; below the pole, at the latitude plus the declination less 90°.
TEST(Cible_Monture, RefusSousLaHauteurMinimale) {
    const Lieu_Observation lieu{45, 10, 0};
    constexpr double Minimum = 15;
    const double jj = 2461000.25;
    const double meridien = (Temps_Sideral_Moyen(jj) + lieu.Longitude) / 15;  // hours
    const struct {
        const char* nom;
        double alpha;    // hours
        double delta;    // degrees
        double hauteur;  // named in the refusal; NaN when accepted
    } cas[] = {
        {"au zénith", meridien, 45, NAN},
        {"au méridien, 15,1°", meridien, -29.9, NAN},
        {"au méridien, 14,9°", meridien, -30.1, 14.9},
        {"sous le pôle, 35°", meridien + 12, 80, NAN},
        {"sous le pôle, sous l'horizon", meridien + 12, 40, -5},
    };
    for (const auto& c : cas) {
        const QString refus =
            Refus_Hauteur(lieu, Minimum, jj, Coordonnees_Monture{std::fmod(c.alpha + 24, 24), c.delta});
        EXPECT_EQ(refus.isEmpty(), std::isnan(c.hauteur)) << c.nom << ": " << refus.toStdString();
        if (!std::isnan(c.hauteur)) {
            EXPECT_NEAR(Hauteur_Nommee(refus), c.hauteur, 0.051) << c.nom << ": " << refus.toStdString();
        }
    }
    // What cannot be checked is not sent.
    EXPECT_FALSE(Refus_Hauteur(lieu, Minimum, jj, Coordonnees_Monture{NAN, 45}).isEmpty());
    EXPECT_FALSE(Refus_Hauteur(lieu, Minimum, NAN, Coordonnees_Monture{meridien, 45}).isEmpty());
}

}  // namespace

#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>

#include "astro/calendrier.h"
#include "page/textes_ligne.h"

namespace {

const Notation Virgule{',', " "};

TEST(Textes_Ligne, JourSurDeuxChiffres) {
    const std::pair<double, const char*> cas[] = {
        {5.5, "05,50"}, {9.999, "10,00"}, {15.0416666, "15,04"}, {31, "31,00"}, {0.004, "00,00"}};
    for (const auto& [jour, texte] : cas)
        EXPECT_EQ(Texte_Jour_Ligne(jour, Virgule), QString::fromUtf8(texte)) << jour;
    EXPECT_EQ(Texte_Jour_Ligne(5.5, Notation{'.', ","}), QStringLiteral("05.50"));
}

// A day the rounding of its column would carry past its month, or typed below
// 1, is shown in the month where it falls.
TEST(Textes_Ligne, DateDansSonMois) {
    struct Cas {
        const char* nom;
        double jour;
        int32_t mois;
        int32_t an;
        const char* attendu;
    };
    const Cas cas[] = {
        {"arrondi vers fevrier", 31.999, 1, 2025, "01,00 2 2025"},
        {"arrondi reste en janvier", 31.994, 1, 2025, "31,99 1 2025"},
        {"fevrier commun", 28.996, 2, 2023, "01,00 3 2023"},
        {"fevrier bissextile", 28.996, 2, 2024, "29,00 2 2024"},
        {"29 fevrier bissextile", 29.996, 2, 2024, "01,00 3 2024"},
        {"30 avril", 30.999, 4, 2024, "01,00 5 2024"},
        {"fin d'annee", 31.999, 12, 2024, "01,00 1 2025"},
        {"jour 0 en janvier", 0.5, 1, 2024, "31,50 12 2023"},
        {"jour arrondi a 0", 0.004, 3, 2023, "28,00 2 2023"},
        {"deux mois en arriere", -29.5, 3, 2023, "29,50 1 2023"},
        {"jour ordinaire", 15.5, 6, 2024, "15,50 6 2024"},
    };
    for (const Cas& c : cas) {
        const Textes_Date_Ligne t = Textes_Date(c.jour, c.mois, c.an, Virgule);
        EXPECT_EQ(QStringList({t.jour, t.mois, t.an}).join(u' '), QString::fromUtf8(c.attendu)) << c.nom;
    }
    // The printed start date rounds the day to a whole one.
    const Cas debuts[] = {
        {"debut arrondi vers fevrier", 31.6, 1, 2025, "01 02 2025"},
        {"debut arrondi a 10", 9.75, 3, 2024, "10 03 2024"},
        {"debut reste le 31", 31.4, 12, 2024, "31 12 2024"},
        {"debut vers l'an suivant", 31.5, 12, 2024, "01 01 2025"},
    };
    for (const Cas& c : debuts) {
        const Textes_Date_Ligne t = Textes_Date_Debut(c.jour, c.mois, c.an, Virgule);
        EXPECT_EQ(QStringList({t.jour, t.mois, t.an}).join(u' '), QString::fromUtf8(c.attendu)) << c.nom;
    }
    // Every month of four years, at instants that round up to the next day.
    for (int32_t an = 1999; an <= 2002; ++an) {
        for (int32_t mois = 1; mois <= 12; ++mois) {
            const int32_t L = Longueur_Mois(mois, an);
            for (const float jour : {L + 0.995f, L + 0.9999f, static_cast<float>(L), 1.0f}) {
                const Textes_Date_Ligne t = Textes_Date(jour, mois, an, Virgule);
                const int32_t mois_montre = t.mois.toInt();
                const double jour_montre = t.jour.left(2).toDouble();
                EXPECT_GE(jour_montre, 1) << jour << '/' << mois << '/' << an;
                EXPECT_LE(jour_montre, Longueur_Mois(mois_montre, t.an.toInt()))
                    << jour << '/' << mois << '/' << an;
            }
        }
    }
}

TEST(Textes_Ligne, EntiersEtMagnitudes) {
    EXPECT_EQ(Texte_Entier_Deux_Chiffres(7, Virgule), QStringLiteral("07"));
    EXPECT_EQ(Texte_Entier_Deux_Chiffres(9.6, Virgule), QStringLiteral("10"));
    EXPECT_EQ(Texte_Entier_Deux_Chiffres(12, Virgule), QStringLiteral("12"));
    EXPECT_EQ(Texte_Magnitude(11.26, Virgule), QStringLiteral("11,3"));
    EXPECT_EQ(Texte_Magnitude(-0.04, Virgule), QStringLiteral("0,0"));
    for (const double indefinie : {std::nan(""), HUGE_VAL, -HUGE_VAL})
        EXPECT_EQ(Texte_Magnitude(indefinie, Virgule), QStringLiteral("--")) << indefinie;
}

}  // namespace

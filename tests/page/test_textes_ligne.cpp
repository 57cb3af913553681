#include <gtest/gtest.h>

#include <cmath>

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

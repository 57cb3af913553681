#include <gtest/gtest.h>

#include "form/textes_nombres.h"

namespace {

TEST(Classe_Nombre, Textes) {
    const std::pair<const char*, int> cas[] = {
        {"12", 1},  {"-12,5", 2}, {"+3", 1}, {"5,", 2},  {",5", 2}, {",", 0},  {"1,2,3", 0}, {"1e5", 0},
        {"--5", 0}, {"", 0},      {"-", 0},  {"1.5", 2}, {"  ", 1}, {"-,", 0}, {"1 000", 1}, {"+-1", 0},
    };
    for (const auto& [texte, classe] : cas)
        EXPECT_EQ(Classe_Nombre(QString::fromUtf8(texte)), classe) << texte;
}

TEST(Normaliser_Nombre, Textes) {
    struct Cas {
        const char* texte;
        char separateur;
        const char* attendu;
    };
    const Cas cas[] = {{"1.5", ',', "1,5"}, {"1 5", ',', "1 5"}, {"-1", ',', ""}, {"1.2.3", ',', ""},
                       {".", ',', ""},      {"1,5", '.', "1.5"}, {"", ',', ""},   {"12", '.', "12"}};
    for (const auto& c : cas) {
        EXPECT_EQ(Normaliser_Nombre(QString::fromUtf8(c.texte), c.separateur), QString::fromUtf8(c.attendu))
            << c.texte << " avec " << c.separateur;
    }
}

TEST(Oter_Espaces, EspacesOrdinairesEtInsecables) {
    EXPECT_EQ(Oter_Espaces(QString::fromUtf8("1 2\u00a03 ")), QStringLiteral("123"));
    EXPECT_EQ(Oter_Espaces(QStringLiteral("abc")), QStringLiteral("abc"));
}

TEST(Lire_Reel, AvecLeSeparateurDuSysteme) {
    struct Cas {
        const char* texte;
        char separateur;
        bool ok;
        double valeur;
    };
    const Cas cas[] = {{"0,5", ',', true, 0.5}, {" 12,25 ", ',', true, 12.25}, {"0.5", ',', false, 0},
                       {"0.5", '.', true, 0.5}, {"0,5", '.', false, 0},        {"-3", '.', true, -3},
                       {"1e5", '.', true, 1e5}, {"", ',', false, 0},           {"-", ',', false, 0},
                       {"-,", ',', false, 0},   {"abc", ',', false, 0},        {"1e400", '.', false, 0},
                       {"nan", '.', false, 0},  {"inf", '.', false, 0},        {",5", ',', true, 0.5},
                       {"1 000", ',', false, 0}};
    for (const auto& c : cas) {
        double v = -99;
        EXPECT_EQ(Lire_Reel(QString::fromUtf8(c.texte), c.separateur, v), c.ok) << c.texte;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.valeur) << c.texte;
        }
    }
}

TEST(Lire_Entier, TrenteDeuxBits) {
    const std::pair<const char*, bool> cas[] = {
        {"2024", true}, {" 7 ", true},          {"2147483647", true}, {"2147483648", false}, {"1,5", false},
        {"", false},    {"99999999999", false}, {"1,000", false},     {"1 000", false}};
    for (const auto& [texte, ok] : cas) {
        int32_t v = 0;
        EXPECT_EQ(Lire_Entier(QString::fromUtf8(texte), v), ok) << texte;
    }
    int32_t v = 0;
    ASSERT_TRUE(Lire_Entier(QStringLiteral("-12"), v));
    EXPECT_EQ(v, -12);
}

TEST(Classe_Magnitude, Textes) {
    const std::pair<const char*, int> cas[] = {{"12", 1}, {" 9", 1},   {"12,5", 2},  {",5", 2},  {"-3.2", 2},
                                               {"-", 0},  {",", 0},    {"1.2.3", 0}, {"1e5", 0}, {"   ", 1},
                                               {"", 0},   {"-,", 2},   {"5-", 0},    {"+3", 0},  {"--1", 0},
                                               {"8,", 2}, {"1,2-", 0}, {"-8", 1},    {"1 5", 1}, {"½", 0}};
    for (const auto& [texte, classe] : cas)
        EXPECT_EQ(Classe_Magnitude(QString::fromUtf8(texte)), classe) << '"' << texte << '"';
}

// French takes the singular for 0 and 1, the plural from 2.
TEST(Accorder, Nombre) {
    const std::pair<int64_t, const char*> cas[] = {{0, "0 objet retenu"},
                                                   {1, "1 objet retenu"},
                                                   {2, "2 objets retenus"},
                                                   {-1, "-1 objet retenu"},
                                                   {1500000, "1500000 objets retenus"}};
    for (const auto& [n, texte] : cas)
        EXPECT_EQ(Accorder(n, QStringLiteral("%1 objet retenu"), QStringLiteral("%1 objets retenus")),
                  QString::fromUtf8(texte))
            << n;
}

}  // namespace

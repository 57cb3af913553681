#include <gtest/gtest.h>

#include <cmath>

#include "form/dates_juliennes.h"
#include "plateforme/boite_memoire.h"

namespace {

TEST(Afficher_JJ_Perihelie, Textes) {
    struct Cas {
        double jj;
        char separateur;
        const char* attendu;
    };
    const Cas cas[] = {
        {2451545.0, ',', "2451545"},
        {2451545.1234, ',', "2451545,123"},
        {2451545.1234, '.', "2451545.123"},
        {2451545.0005, ',', "2451545,001"},
        {0, ',', ""},
        {-12.5, ',', ""},
        {std::nan(""), ',', ""},
    };
    for (const auto& c : cas) {
        Elements el;
        el.JJ_Perihelie = c.jj;
        Boite_Memoire boite;
        boite.Ecrire_Texte(Controle::saisie_Jour_Perihelie, QStringLiteral("ancien"));
        Afficher_JJ_Perihelie(el, boite, Notation{c.separateur, " "});
        EXPECT_EQ(boite.Texte(Controle::saisie_Jour_Perihelie), QString::fromUtf8(c.attendu)) << c.jj;
    }
}

}  // namespace

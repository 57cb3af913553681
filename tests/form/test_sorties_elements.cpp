#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "astro/calendrier.h"
#include "sorties_essai.h"

namespace {

using C = Controle;
using E = Elements;

const std::string Un_E300 = "1" + std::string(300, '0');

// An elliptic orbit with e = 0.5, ω = 30, Ω = 100, equinoxes 1950.
void Orbite(Formulaire_Essai& f) {
    f.el = {};
    f.el.e = 0.5;
    f.el.a = 2;
    f.el.q = 1;
    f.el.gQ = 3;
    f.el.n = 0.3484655038;
    f.el.i = 10;
    f.el.Omega = 30;
    f.el.gOmega = 100;
    f.el.Longitude_Perihelie = 130;
    f.el.Equinoxe = f.el.Equinoxe_ephemeride = 1950;
    f.el.JJ_Equinoxe = f.el.JJ_Equinoxe_ephemeride = 2433282.5;
}

// One field left; one value, the field's text, Modifie and the refreshes checked.
struct Cas {
    const char* nom;
    C champ;
    const char* entree;
    std::string tape;
    double E::*membre;
    double valeur;
    const char* texte;
    bool modifie;
    int rafraichissements;
    C coche = C::Nombre_Controles;  // a Julian-date item checked first
};

TEST(Sorties_Elements, Table) {
    const Cas cas[] = {
        {"Q de 3, non arrondi", C::saisie_gQ, "6", "3", &E::n, 0.98560928312 / std::pow(2, 1.5), "3", true,
         1},
        {"Q vidé restauré", C::saisie_gQ, "3", "", &E::gQ, 3, "3", false, 0},
        {"Q si petit que n déborde", C::saisie_gQ, "3", "0," + std::string(299, '0') + "1", &E::gQ, 3, "3",
         false, 0},
        {"e de 0,2 garde a", C::saisie_e, "0,5", " 0, 2", &E::q, 1.6, "0,2", true, 1},
        {"e vidé restauré", C::saisie_e, "0,5", "", &E::e, 0.5, "0,5", false, 0},
        {"i 23,4 en simple précision", C::saisie_i, "10", "23,4", &E::i, 23.3999996185, "23,4", true, 1},
        {"i 359,9", C::saisie_i, "10", "359,9", &E::i, 359.8999938965, "359,9", true, 1},
        {"i 0 restauré", C::saisie_i, "10", "0", &E::i, 10, "10", false, 0},
        {"i 360 une fois en simple", C::saisie_i, "10", "359,99999999", &E::i, 10, "10", false, 0},
        {"i énorme restauré", C::saisie_i, "10", Un_E300, &E::i, 10, "10", false, 0},
        {"i vide de bout en bout", C::saisie_i, "", "", &E::i, 0, "", false, 0},
        {"ω 300 donne ϖ 40", C::saisie_Omega, "30", "300", &E::Longitude_Perihelie, 40, "300", true, 1},
        {"ω 0,00005 restauré", C::saisie_Omega, "30", "0,00005", &E::Omega, 30, "30", false, 0},
        {"ω 360 restauré", C::saisie_Omega, "30", "360", &E::Omega, 30, "30", false, 0},
        {"ω vidé garde sa valeur", C::saisie_Omega, "30", "", &E::Omega, 30, "", true, 0},
        // The cleaning keeps no sign: a negative angle leaves the field empty.
        {"ω signé vidé par le nettoyage", C::saisie_Omega, "30", "-10", &E::Omega, 30, "", true, 0},
        {"Ω 200 donne ϖ 230", C::saisie_gOmega, "100", "200", &E::Longitude_Perihelie, 230, "200", true, 1},
        {"Ω 0,0 est un nœud de 0", C::saisie_gOmega, "100", "0,0", &E::gOmega, 0, "0,0", true, 1},
        {"Ω 0 aussi", C::saisie_gOmega, "100", "0", &E::gOmega, 0, "0", true, 1},
        {"Ω 360 restauré", C::saisie_gOmega, "100", "360", &E::gOmega, 100, "100", false, 0},
        {"Ω vidé garde sa valeur", C::saisie_gOmega, "100", "", &E::gOmega, 100, "", true, 0},
        {"équinoxe 2000", C::Equinoxe, "1950", "2000", &E::JJ_Equinoxe, 2451544.5, "2000", true, 1},
        {"équinoxe 2200 prise", C::Equinoxe, "1950", "2200", &E::Equinoxe, 2200, "2200", true, 1},
        {"équinoxe 2200,5 refusée, modifiée", C::Equinoxe, "1950", "2200.5", &E::Equinoxe, 1950, "1950", true,
         1},
        {"équinoxe vidée restaurée", C::Equinoxe, "1950", "", &E::Equinoxe, 1950, "1950", false, 0},
        {"équinoxe inchangée, texte d'entrée", C::Equinoxe, " 1950", "1950", &E::Equinoxe, 1950, " 1950",
         false, 0},
        {"équinoxe julienne 2451545", C::Equinoxe, "1", "2451545", &E::Equinoxe, JJ_Vers_Annee(2451545),
         "2451545", true, 1, C::Julienne_éléments},
        {"équinoxe julienne 2524594 refusée", C::Equinoxe, "1", "2524594", &E::JJ_Equinoxe, 2433282.5, "1",
         true, 1, C::Julienne_éléments},
        {"éphéméride 1500 refusée", C::Equinoxe_ephemeride, "1950", "1500", &E::Equinoxe_ephemeride, 1950,
         "1950", true, 1},
        {"éphéméride julienne", C::Equinoxe_ephemeride, "1", "2451545", &E::JJ_Equinoxe_ephemeride, 2451545,
         "2451545", true, 1, C::Julienne_éphéméride},
    };
    for (const auto& c : cas) {
        Formulaire_Essai f;
        Orbite(f);
        if (c.coche != C::Nombre_Controles) f.boite.Cocher(c.coche, true);
        f.Quitter(c.champ, c.entree, c.tape.c_str());
        EXPECT_NEAR(f.el.*c.membre, c.valeur, 1e-9) << c.nom;
        EXPECT_EQ(f.Texte(c.champ), Q(c.texte)) << c.nom;
        EXPECT_EQ(f.document.Modifie, c.modifie) << c.nom;
        EXPECT_EQ(f.rafraichissements, c.rafraichissements) << c.nom;
        EXPECT_EQ(f.formulaire.Dernier_Champ, Tabulation(c.champ)) << c.nom;
    }
}

// saisie_a, saisie_n and saisie_q share one rule: the other sizes follow.
TEST(Sorties_Elements, TroisTailles) {
    struct Cas_Taille {
        const char* nom;
        double e;
        C champ;
        const char* tape;
        double a, q, gQ, n;
        const char* revolution;
        int rafraichissements;
    };
    const Cas_Taille cas[] = {
        {"a 2", 0.5, C::saisie_a, "2", 2, 1, 3, 0.3484655038, "Durée de révolution = 1 033,08 jours", 1},
        {"q 1", 0.5, C::saisie_q, "1", 2, 1, 3, 0.3484655038, "Durée de révolution = 1 033,08 jours", 1},
        {"n k", 0, C::saisie_n, "0,98560928312", 1, 1, 1, 0.9856092831, "Durée de révolution = 365,25 jours",
         1},
        {"q d'une parabole seul", 1, C::saisie_q, "3", 7, 3, 7, 7, "", 1},
        {"a 0 restauré", 0.5, C::saisie_a, "0", 7, 7, 7, 7, "x", 0},
        {"n qui s'arrondit à 0 refusé", 0.5, C::saisie_n, "0,00000000001", 7, 7, 7, 7, "x", 0},
        {"a dont la période déborde refusé", 0.5, C::saisie_a, Un_E300.c_str(), 7, 7, 7, 7, "x", 0},
        {"virgule seule: vidée, tout effacé", 0.5, C::saisie_a, ",", 0, 0, 0, 0, "x", 0},
        {"vidé: tout effacé", 0.5, C::saisie_n, "", 0, 0, 0, 0, "x", 0},
    };
    for (const auto& c : cas) {
        Formulaire_Essai f;
        f.el.e = c.e;
        f.el.a = f.el.q = f.el.gQ = f.el.n = 7;
        f.Remplir({{C::saisie_a, "7"},
                   {C::saisie_q, "7"},
                   {C::saisie_n, "7"},
                   {C::saisie_gQ, "7"},
                   {C::Révolution, "x"}});
        f.Quitter(c.champ, "7", c.tape);
        EXPECT_NEAR(f.el.a, c.a, 1e-12) << c.nom;
        EXPECT_NEAR(f.el.q, c.q, 1e-12) << c.nom;
        EXPECT_NEAR(f.el.gQ, c.gQ, 1e-12) << c.nom;
        EXPECT_NEAR(f.el.n, c.n, 1e-12) << c.nom;
        EXPECT_EQ(f.Texte(C::Révolution), Q(c.revolution)) << c.nom;
        EXPECT_EQ(f.Texte(C::saisie_gQ).isEmpty(), c.a == 0) << c.nom;
        EXPECT_EQ(f.rafraichissements, c.rafraichissements) << c.nom;
        EXPECT_EQ(f.document.Modifie, c.rafraichissements > 0 || c.a == 0) << c.nom;
    }
}

// In longitude mode the field holds ϖ, and ω follows from it.
TEST(Sorties_Elements, ModeLongitude) {
    const std::pair<C, const char*> cas[] = {{C::saisie_Omega, "200"}, {C::saisie_gOmega, "30"}};
    for (const auto& [champ, tape] : cas) {
        Formulaire_Essai f;
        Orbite(f);
        f.Ecrire(C::Label15, "L =  ");
        f.Quitter(champ, "1", tape);
        EXPECT_NEAR(f.el.Omega, 100, 1e-12) << Nom_Controle(champ);
    }
}

// Without a perihelion date, a new equinox of the elements dates the
// perihelion from the mean anomaly, unless the orbit is parabolic.
TEST(Sorties_Elements, PerihelieDepuisAnomalieMoyenne) {
    const std::pair<double, const char*> cas[] = {{1, "2"}, {0, ""}};
    for (const auto& [n, jour] : cas) {
        Formulaire_Essai f;
        f.el.n = n;
        f.el.Anomalie_Moyenne = 30;
        f.Quitter(C::Equinoxe, "", "2000");
        EXPECT_NEAR(f.el.JJ_Perihelie, n > 0 ? 2451514.5 : 0, 1e-9) << n;
        EXPECT_EQ(f.Texte(C::saisie_Jour_Perihelie), Q(jour)) << n;
        EXPECT_EQ(f.Texte(C::saisie_Mois_Perihelie), Q(n > 0 ? "12" : "")) << n;
        EXPECT_EQ(f.Texte(C::saisie_An_Perihelie), Q(n > 0 ? "1999" : "")) << n;
    }
}

TEST(Sorties_Elements, Commentaire) {
    const std::pair<const char*, bool> cas[] = {{"Encke", true}, {"  Halley ", false}};
    for (const auto& [tape, modifie] : cas) {
        Formulaire_Essai f;
        f.Quitter(C::Commentaire, "Halley", tape);
        EXPECT_EQ(f.document.Modifie, modifie) << tape;
        EXPECT_EQ(f.Texte(C::Commentaire), Q(tape)) << tape;
        EXPECT_EQ(f.rafraichissements, 0) << tape;
    }
}

// Whatever reaches a field, every element stays a finite number, and the
// exits end at once.
TEST(Sorties_Elements, TextesExtremes) {
    const std::string textes[] = {Un_E300,
                                  std::string(400, '9'),
                                  "0," + std::string(320, '0') + "1",
                                  "99999999999999",
                                  "2147483648",
                                  "-2147483648",
                                  ",",
                                  "-",
                                  "1e999",
                                  "0"};
    const auto debut = std::chrono::steady_clock::now();
    for (int k = 1; k < Nombre_Controles_Saisie - 2; ++k) {
        const C champ = Controle_Saisie(k);
        for (const std::string& texte : textes) {
            Formulaire_Essai f;
            Orbite(f);
            f.Remplir({{C::saisie_Jour, "31"}, {C::saisie_Mois, "12"}, {C::saisie_An, "2024"}});
            f.boite.Ecrire_Longueur_Max(champ, 0);
            f.Quitter(champ, "1", texte.c_str());
            for (double E::*m :
                 {&E::a, &E::n, &E::e, &E::q, &E::gQ, &E::i, &E::Omega, &E::Longitude_Perihelie, &E::gOmega,
                  &E::Jour_Perihelie, &E::JJ_Perihelie, &E::Equinoxe, &E::JJ_Equinoxe})
                EXPECT_TRUE(std::isfinite(f.el.*m)) << Nom_Controle(champ) << " " << texte;
            EXPECT_TRUE(std::isfinite(f.el.Jour)) << Nom_Controle(champ) << " " << texte;
        }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(5));
}

}  // namespace

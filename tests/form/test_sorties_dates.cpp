#include <gtest/gtest.h>

#include "form/dates_juliennes.h"
#include "sorties_essai.h"

namespace {

using C = Controle;

// The start date never modifies the document. Before: 31 / 1 / 2024.
TEST(Sorties_Dates, DebutDeLEphemeride) {
    struct Cas {
        const char* nom;
        C champ;
        const char* tape;
        const char* apres[3];  // day, month, year
        int rafraichissements;
    };
    const Cas cas[] = {
        {"jour 45 passe en février", C::saisie_Jour, "45", {"14", "2", "2024"}, 1},
        {"jour 0 reste en janvier", C::saisie_Jour, "0", {"0", "1", "2024"}, 1},
        {"jour -30 restauré", C::saisie_Jour, "-30", {"31", "1", "2024"}, 0},
        {"jour vidé devient 1", C::saisie_Jour, "", {"1", "1", "2024"}, 1},
        {"jour de 400 ans", C::saisie_Jour, "146098", {"1", "1", "2424"}, 1},
        {"jour de onze chiffres restauré", C::saisie_Jour, "99999999999", {"31", "1", "2024"}, 0},
        {"jour de quatorze chiffres restauré", C::saisie_Jour, "99999999999999", {"31", "1", "2024"}, 0},
        {"jour au-delà des flottants restauré",
         C::saisie_Jour,
         "1000000000000000000000000000000000000000",
         {"31", "1", "2024"},
         0},
        {"mois 14 devient 2, même année", C::saisie_Mois, "14", {"31", "2", "2024"}, 1},
        {"mois 24 devient 12", C::saisie_Mois, "24", {"31", "12", "2024"}, 1},
        {"mois 0 restauré", C::saisie_Mois, "0", {"31", "1", "2024"}, 0},
        {"année 0 restaurée", C::saisie_An, "0", {"31", "1", "2024"}, 0},
        {"année 2025", C::saisie_An, "2025", {"31", "1", "2025"}, 1},
    };
    for (const auto& c : cas) {
        Formulaire_Essai f;
        f.Remplir({{C::saisie_Jour, "31"}, {C::saisie_Mois, "1"}, {C::saisie_An, "2024"}});
        f.Quitter(c.champ, f.Texte(c.champ).toUtf8().constData(), c.tape);
        EXPECT_EQ(f.Texte(C::saisie_Jour), Q(c.apres[0])) << c.nom;
        EXPECT_EQ(f.Texte(C::saisie_Mois), Q(c.apres[1])) << c.nom;
        EXPECT_EQ(f.Texte(C::saisie_An), Q(c.apres[2])) << c.nom;
        EXPECT_EQ(f.rafraichissements, c.rafraichissements) << c.nom;
        EXPECT_FALSE(f.document.Modifie) << c.nom;
    }
}

// Step, perihelion date and magnitudes: what each field keeps, whether the
// document is modified and the page rebuilt.
TEST(Sorties_Dates, Table) {
    struct Cas {
        const char* nom;
        C champ;
        const char* tape;
        const char* texte;
        bool modifie;
        int rafraichissements;
    };
    const Cas cas[] = {
        {"pas le plus grand entier", C::Saisie_Pas, "2147483647", "2147483647", true, 1},
        {"pas 0 restauré", C::Saisie_Pas, "0", "7", false, 0},
        {"pas hors des entiers restauré", C::Saisie_Pas, "99999999999", "7", false, 0},
        {"jour du périhélie 31,75", C::saisie_Jour_Perihelie, "31,75", "31,75", true, 1},
        {"jour du périhélie 32 restauré, modifié", C::saisie_Jour_Perihelie, "32", "7", true, 0},
        {"jour du périhélie 0,5 restauré", C::saisie_Jour_Perihelie, "0,5", "7", true, 0},
        {"mois du périhélie 13 restauré", C::saisie_Mois_Perihelie, "13", "7", false, 0},
        {"mois du périhélie 12", C::saisie_Mois_Perihelie, "12", "12", true, 1},
        {"année du périhélie 0", C::saisie_An_Perihelie, "0", "0", true, 1},
        {"magnitude -2,5", C::Saisie_MT, "-2,5", "-2,5", true, 1},
        {"magnitude -30 restaurée", C::Saisie_MN, "-30", "7", false, 0},
        {"magnitude avec + restaurée", C::Saisie_MT, "+5", "7", false, 0},
        {"magnitude vidée : page refaite", C::Saisie_MN, "", "", true, 1},
        {"jour d'observation 45", C::Saisie_JMT, "45", "45", true, 1},
        {"jour d'observation décimal restauré", C::Saisie_JMN, "4,", "7", false, 0},
        {"mois d'observation 13 restauré", C::Saisie_MMT, "13", "7", false, 0},
        {"année d'observation 0 restaurée", C::Saisie_AMN, "0", "7", false, 0},
        {"année d'observation vidée : page refaite", C::Saisie_AMT, "", "", true, 1},
    };
    for (const auto& c : cas) {
        Formulaire_Essai f;
        f.el.Pas = 7;
        f.Quitter(c.champ, "7", c.tape);
        EXPECT_EQ(f.Texte(c.champ), Q(c.texte)) << c.nom;
        EXPECT_EQ(f.document.Modifie, c.modifie) << c.nom;
        EXPECT_EQ(f.rafraichissements, c.rafraichissements) << c.nom;
        if (c.champ == C::Saisie_Pas) {
            EXPECT_EQ(f.el.Pas, c.modifie ? 2147483647 : 7) << c.nom;
        }
    }
}

// The magnitude and its observation day rewrite the element fields, the
// month and year do not.
TEST(Sorties_Dates, MagnitudesEtAfficherElements) {
    const std::pair<C, const char*> cas[] = {
        {C::Saisie_MN, "2"}, {C::Saisie_JMT, "2"}, {C::Saisie_MMT, "ancien"}, {C::Saisie_AMN, "ancien"}};
    for (const auto& [champ, saisie_a] : cas) {
        Formulaire_Essai f;
        f.el.a = 2;
        f.Ecrire(C::saisie_a, "ancien");
        f.Quitter(champ, "7", "5");
        EXPECT_EQ(f.Texte(C::saisie_a), Q(saisie_a)) << Nom_Controle(champ);
    }
}

// In the Julian form a number is taken and gives the date; one the calendar
// cannot hold is refused. With no Julian day stored yet, the fuzzing of the
// form found the date set to that of day 0 (1,5 / 1 / -4712), which kept the
// page hidden.
TEST(Sorties_Dates, PerihelieJulien) {
    struct Cas {
        const char* nom;
        double stocke;
        const char* tape;
        bool pris;
        double jj;
        double jour;
        int32_t mois;
        int32_t an;
    };
    const Cas cas[] = {
        {"jour julien tapé", 2451545, "2460000", true, 2460000, 24.5, 2, 2023},
        {"aucun jour julien stocké", 0, "2450539,638", true, 2450539.638, 1.138, 4, 1997},
        {"hors du calendrier", 2451545, "99999999999999", false, 2451545, 7, 0, 0},
        {"texte vide", 2451545, "", false, 2451545, 7, 0, 0},
    };
    for (const auto& c : cas) {
        Formulaire_Essai f;
        f.el.JJ_Perihelie = c.stocke;
        f.el.Jour_Perihelie = 7;
        JulienneClick(f.el, f.boite, f.notation);
        const QByteArray entree = f.Texte(C::saisie_Jour_Perihelie).toUtf8();
        f.Quitter(C::saisie_Jour_Perihelie, entree.constData(), c.tape);
        EXPECT_NEAR(f.el.JJ_Perihelie, c.jj, 1e-9) << c.nom;
        EXPECT_NEAR(f.el.Jour_Perihelie, c.jour, 1e-9) << c.nom;
        EXPECT_EQ(f.el.Mois_Perihelie, c.mois) << c.nom;
        EXPECT_EQ(f.el.An_Perihelie, c.an) << c.nom;
        EXPECT_EQ(f.Texte(C::saisie_Jour_Perihelie), c.pris ? Q(c.tape) : QString::fromUtf8(entree)) << c.nom;
        EXPECT_TRUE(f.document.Modifie) << c.nom;
        EXPECT_EQ(f.rafraichissements, c.pris ? 1 : 0) << c.nom;
    }
}

}  // namespace

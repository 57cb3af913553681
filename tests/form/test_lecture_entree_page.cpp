#include <gtest/gtest.h>

#include "form/lecture_entree_page.h"
#include "plateforme/boite_memoire.h"

namespace {

using C = Controle;

struct Lecture : ::testing::Test {
    void Ecrire(Controle c, const char* texte) { boite.Ecrire_Texte(c, QString::fromUtf8(texte)); }
    Entree_Page Lire() { return Lire_Entree_Page(boite, el, refuses, ','); }

    Boite_Memoire boite;
    Elements el;
    Champs_Refuses refuses;
};

// What each group of fields gives the page, as the user left it.
TEST_F(Lecture, ChampsVersEntree) {
    const std::pair<Controle, const char*> champs[] = {
        {C::saisie_Jour, "9,75"},
        {C::saisie_Mois, "3"},
        {C::saisie_An, "2000"},
        {C::Liste_Pas, "heures"},
        {C::Liste_Instruments, "Corlande"},
        {C::Saisie_MT, "8,5"},
        {C::Saisie_JMT, "1"},
        {C::Saisie_MMT, "2"},
        {C::Saisie_AMT, "2000"},
        {C::Saisie_MN, "12"},
        {C::Saisie_JMN, "1"},
        {C::Saisie_MMN, ""},
        {C::Saisie_AMN, "2000"},
        {C::Equinoxe, "2000"},
        {C::saisie_Jour_Perihelie, "1,5"},
        {C::saisie_Mois_Perihelie, "x"},
        {C::saisie_An_Perihelie, "1986"},
        {C::Commentaire, "1P/Halley"},
    };
    for (const auto& [c, texte] : champs) Ecrire(c, texte);
    boite.Cocher(C::Julienne, true);
    boite.Ecrire_Police(C::Label15, QStringLiteral("symbol"));
    el.Pas = -3;
    const Entree_Page e = Lire();
    ASSERT_TRUE(e.Debut);
    EXPECT_NEAR(e.Debut->Jour, 9.75, 1e-12);
    EXPECT_EQ(e.Debut->Mois, 3);
    EXPECT_EQ(e.Debut->An, 2000);
    EXPECT_EQ(e.Pas, -3);
    EXPECT_EQ(e.Unite_Pas, 1);
    EXPECT_EQ(e.Instrument, 3);
    ASSERT_TRUE(e.Totale);
    EXPECT_NEAR(e.Totale->Magnitude, 8.5, 1e-12);
    EXPECT_EQ(e.Totale->Date.Mois, 2);
    EXPECT_FALSE(e.Noyau);  // its month is empty
    EXPECT_TRUE(e.Equinoxe_Saisi);
    EXPECT_FALSE(e.Equinoxe_Ephemeride_Saisi);
    EXPECT_TRUE(e.Julienne);
    EXPECT_NEAR(e.Jour_Perihelie, 1.5, 1e-12);
    EXPECT_EQ(e.Mois_Perihelie, 0);
    EXPECT_EQ(e.An_Perihelie, 1986);
    EXPECT_TRUE(e.Omega_Symbole);
    EXPECT_EQ(e.Texte(C::Commentaire), QStringLiteral("1P/Halley"));
    EXPECT_EQ(e.Texte(C::saisie_Jour), QStringLiteral("9,75"));
}

// A refused field counts as corrected once its text differs from what the read left.
TEST_F(Lecture, ChampsRefuses) {
    refuses = {{C::saisie_e, QStringLiteral("-1")}, {C::saisie_q, QStringLiteral("0")}};
    const std::pair<const char*, bool> cas[] = {{"-1", false}, {"-1,0", true}, {"", true}};
    Ecrire(C::saisie_q, "1");
    for (const auto& [texte, corriges] : cas) {
        Ecrire(C::saisie_e, texte);
        EXPECT_EQ(Lire().Champs_Corriges, corriges) << texte;
    }
}

}  // namespace

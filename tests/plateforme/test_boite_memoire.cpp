#include <gtest/gtest.h>

#include "plateforme/boite_memoire.h"

namespace {

TEST(Boite_Memoire, UnChampNeDepassePasSaLongueurMaximale) {
    Boite_Memoire boite;
    boite.Ecrire_Longueur_Max(Controle::Saisie_AMT, 4);
    boite.Ecrire_Texte(Controle::Saisie_AMT, QStringLiteral("202412"));
    EXPECT_EQ(boite.Texte(Controle::Saisie_AMT), QStringLiteral("2024"));
    boite.Ecrire_Longueur_Max(Controle::Label1, 2);
    boite.Ecrire_Texte(Controle::Label1, QStringLiteral("Ephéméride"));
    EXPECT_EQ(boite.Texte(Controle::Label1), QStringLiteral("Ephéméride"));
}

TEST(Controles, TabulationsEtNoms) {
    EXPECT_EQ(Controle_Saisie(0), Controle::Commentaire);
    EXPECT_EQ(Controle_Saisie(3), Controle::saisie_e);
    EXPECT_EQ(Controle_Saisie(27), Controle::Liste_Instruments);
    EXPECT_TRUE(Est_Controle_Saisie(Controle::Liste_Instruments));
    EXPECT_FALSE(Est_Controle_Saisie(Controle::Label1));
    EXPECT_STREQ(Nom_Controle(Controle::Révolution), "Révolution");
    EXPECT_STREQ(Nom_Controle(Controle::HelpAbout1), "HelpAbout1");
    EXPECT_STREQ(Nom_Controle(Controle::Julienne_éphéméride), "Julienne_éphéméride");
}

}  // namespace

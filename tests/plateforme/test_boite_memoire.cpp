#include <gtest/gtest.h>

#include "plateforme/boite_memoire.h"

namespace {

TEST(Boite_Memoire, LaLongueurMaximaleLimiteLaSaisieSeule) {
    Boite_Memoire boite;
    boite.Ecrire_Longueur_Max(Controle::Saisie_AMT, 4);
    boite.Ecrire_Texte(Controle::Saisie_AMT, QStringLiteral("202412"));
    EXPECT_EQ(boite.Texte(Controle::Saisie_AMT), QStringLiteral("202412")) << "ecrit par le programme";
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

namespace {

TEST(Boite_Memoire, CouperCopierCollerSurLaSelection) {
    Boite_Memoire boite;
    boite.Ecrire_Texte(Controle::saisie_a, QStringLiteral("2,5"));
    boite.Copier_Selection(Controle::saisie_a);
    EXPECT_FALSE(boite.Presse_Papiers_A_Texte()) << "rien de selectionne, rien de copie";

    boite.Selectionner_Tout(Controle::saisie_a);
    boite.Couper_Selection(Controle::saisie_a);
    EXPECT_EQ(boite.Presse_Papiers(), QStringLiteral("2,5"));
    EXPECT_TRUE(boite.Texte(Controle::saisie_a).isEmpty());

    boite.Ecrire_Texte(Controle::saisie_Mois_Perihelie, QStringLiteral("3"));
    boite.Fixer_Presse_Papiers(QStringLiteral("12"));
    boite.Coller_Dans(Controle::saisie_Mois_Perihelie);
    EXPECT_EQ(boite.Texte(Controle::saisie_Mois_Perihelie), QStringLiteral("312"));

    boite.Ecrire_Longueur_Max(Controle::saisie_Mois, 2);
    boite.Ecrire_Texte(Controle::saisie_Mois, QStringLiteral("1"));
    boite.Coller_Dans(Controle::saisie_Mois);
    EXPECT_EQ(boite.Texte(Controle::saisie_Mois), QStringLiteral("11")) << "le champ garde ce qui tient";
}

TEST(Boite_Memoire, QuestionsEtDialoguesScriptes) {
    Boite_Memoire boite;
    boite.Prevoir_Reponse(Reponse::Oui);
    EXPECT_EQ(boite.Confirmer(QStringLiteral("Q1"), Reponse::Non), Reponse::Oui);
    EXPECT_EQ(boite.Confirmer(QStringLiteral("Q2"), Reponse::Oui), Reponse::Annuler) << "sans reponse prevue";
    boite.Prevoir_Dialogue(QStringLiteral("/tmp/x/comete"));
    EXPECT_EQ(boite.Dialogue_Enregistrer({QStringLiteral("T"), {}, {}, {}}), QStringLiteral("/tmp/x/comete"));
    EXPECT_FALSE(boite.Dialogue_Ouvrir({}).has_value());
    ASSERT_EQ(boite.Dialogues().size(), 2u);
    EXPECT_EQ(boite.Dialogues()[0].titre, QStringLiteral("T"));
    ASSERT_EQ(boite.Messages().size(), 2u);
    EXPECT_EQ(boite.Messages()[1].texte, QStringLiteral("Q2"));
}

}  // namespace

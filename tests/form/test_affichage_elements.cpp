#include <gtest/gtest.h>

#include "astro/calendrier.h"
#include "form/affichage_elements.h"
#include "plateforme/boite_memoire.h"

namespace {

const Notation Virgule{',', " "};

class Excentricite : public ::testing::Test {
protected:
    void Taper_e(const char* texte, const char* texte_entree) {
        boite.Ecrire_Texte(Controle::saisie_e, QString::fromUtf8(texte));
        Recalculer_Excentricite(el, boite, QString::fromUtf8(texte_entree), Virgule);
    }
    bool Elliptiques_Visibles(bool visible) const {
        for (Controle c :
             {Controle::saisie_gQ, Controle::saisie_a, Controle::saisie_n, Controle::Titre4, Controle::Titre5,
              Controle::Titre6, Controle::Titre7, Controle::Titre9, Controle::Titre10}) {
            if (boite.Visible(c) != visible) return false;
        }
        return true;
    }
    Elements el;
    Boite_Memoire boite;
};

TEST_F(Excentricite, ElliptiqueSurElliptiqueGardeA) {
    el.a = 3;
    el.q = 99;
    Taper_e("0,5", "0,2");
    EXPECT_DOUBLE_EQ(el.e, 0.5);
    EXPECT_DOUBLE_EQ(el.a, 3);
    EXPECT_DOUBLE_EQ(el.q, 1.5);
    EXPECT_DOUBLE_EQ(el.gQ, 4.5);
    EXPECT_NEAR(el.n, 0.189681, 1e-6);
    EXPECT_EQ(boite.Texte(Controle::Révolution), QStringLiteral("Durée de révolution = 5,19 ans"));
    EXPECT_TRUE(boite.Visible(Controle::Révolution));
    EXPECT_TRUE(Elliptiques_Visibles(true));
    EXPECT_EQ(boite.Texte(Controle::saisie_e), QStringLiteral("0,5"));
}

TEST_F(Excentricite, ElliptiqueSurParaboliqueGardeQ) {
    el.q = 0.5;
    el.a = 0;
    Taper_e("0,5", "1");
    EXPECT_DOUBLE_EQ(el.q, 0.5);
    EXPECT_DOUBLE_EQ(el.a, 1);
    EXPECT_EQ(boite.Texte(Controle::Révolution), QStringLiteral("Durée de révolution = 365,25 jours"));
}

TEST_F(Excentricite, TexteEntreeVideNeChangeNiANiQ) {
    el.a = 2;
    el.q = 7;
    Taper_e("0,5", "");
    EXPECT_DOUBLE_EQ(el.a, 2);
    EXPECT_DOUBLE_EQ(el.q, 7);
    EXPECT_DOUBLE_EQ(el.gQ, 3);
}

TEST_F(Excentricite, ZeroVirguleQuatreVingtDixNeufEstParabolique) {
    el.a = 3;
    el.q = 0.8;
    el.n = 1;
    el.gQ = 5;
    boite.Ecrire_Texte(Controle::saisie_a, QStringLiteral("3"));
    Taper_e("0,99", "0,5");
    EXPECT_DOUBLE_EQ(el.q, 0.8);
    EXPECT_EQ(el.a, 0);
    EXPECT_EQ(el.n, 0);
    EXPECT_EQ(el.gQ, 0);
    EXPECT_TRUE(boite.Texte(Controle::saisie_a).isEmpty());
    EXPECT_FALSE(boite.Visible(Controle::Révolution));
    EXPECT_TRUE(Elliptiques_Visibles(false));
}

TEST_F(Excentricite, ChampVideRemetQGQEtEAZero) {
    el.q = 1;
    el.gQ = 2;
    el.e = 0.3;
    boite.Ecrire_Texte(Controle::Révolution, QStringLiteral("x"));
    Taper_e("", "0,3");
    EXPECT_EQ(el.q, 0);
    EXPECT_EQ(el.gQ, 0);
    EXPECT_EQ(el.e, 0);
    EXPECT_TRUE(boite.Texte(Controle::Révolution).isEmpty());
    EXPECT_EQ(boite.Texte(Controle::saisie_e), QStringLiteral("0"));
}

TEST_F(Excentricite, ANulAvecOrbiteElliptique) {
    el.a = 0;
    boite.Ecrire_Texte(Controle::Révolution, QStringLiteral("x"));
    Taper_e("0,5", "0,2");
    EXPECT_EQ(el.n, 0);
    EXPECT_TRUE(boite.Texte(Controle::Révolution).isEmpty());
    EXPECT_TRUE(Elliptiques_Visibles(true));
}

TEST_F(Excentricite, ArrondiADixDecimales) {
    Taper_e("0,123456789012345", "");
    EXPECT_DOUBLE_EQ(el.e, 0.123456789);
    EXPECT_EQ(boite.Texte(Controle::saisie_e), QStringLiteral("0,123456789"));
}

TEST(Afficher_Revolution, JoursOuAns) {
    const std::pair<double, const char*> cas[] = {{3, "Durée de révolution = 5,19 ans"},
                                                  {1, "Durée de révolution = 365,25 jours"},
                                                  {0.5, "Durée de révolution = 129,13 jours"},
                                                  {4, "Durée de révolution = 8 ans"},
                                                  {300, "Durée de révolution = 5 196,15 ans"}};
    for (const auto& [a, texte] : cas) {
        Elements el;
        el.a = a;
        Boite_Memoire boite;
        Afficher_Revolution(el, boite, Virgule);
        EXPECT_EQ(boite.Texte(Controle::Révolution), QString::fromUtf8(texte)) << a;
    }
}

TEST(Afficher_Revolution, PetitDemiGrandAxeLaisseLaVisibilite) {
    Elements el;
    el.a = 0.00005;
    Boite_Memoire boite;
    boite.Montrer(Controle::Révolution, false);
    Afficher_Revolution(el, boite, Virgule);
    EXPECT_FALSE(boite.Visible(Controle::Révolution));
}

class Affichage : public ::testing::Test {
protected:
    Elements el;
    Boite_Memoire boite;
};

TEST_F(Affichage, ElementsDansLeursChamps) {
    el.a = 3;
    el.n = 0.18968123456789;
    el.q = 1.5;
    el.gQ = 0;
    el.i = -1;
    el.gOmega = 80;
    el.Omega = 30;
    el.Longitude_Perihelie = 110;
    boite.Ecrire_Texte(Controle::Label15, QStringLiteral("w =  "));
    Afficher_Elements(el, boite, Virgule);
    EXPECT_EQ(boite.Texte(Controle::saisie_a), QStringLiteral("3"));
    EXPECT_EQ(boite.Texte(Controle::saisie_n), QStringLiteral("0,1896812346"));
    EXPECT_EQ(boite.Texte(Controle::saisie_q), QStringLiteral("1,5"));
    EXPECT_TRUE(boite.Texte(Controle::saisie_gQ).isEmpty());
    EXPECT_TRUE(boite.Texte(Controle::saisie_i).isEmpty());
    EXPECT_EQ(boite.Texte(Controle::saisie_gOmega), QStringLiteral("80"));
    EXPECT_EQ(boite.Texte(Controle::saisie_Omega), QStringLiteral("30"));

    boite.Ecrire_Texte(Controle::Label15, QStringLiteral("w~ =  "));
    Afficher_Elements(el, boite, Virgule);
    EXPECT_EQ(boite.Texte(Controle::saisie_Omega), QStringLiteral("110"));

    el.Longitude_Perihelie = -0.0001;
    Afficher_Elements(el, boite, Virgule);
    EXPECT_TRUE(boite.Texte(Controle::saisie_Omega).isEmpty());
}

TEST_F(Affichage, JourDuPerihelie) {
    struct Cas {
        const char* nom;
        const char* jour;
        double n;
        double jj_attendu;
    };
    const Cas cas[] = {{"jour 1 exactement laisse JJ", "1", 0.2, 123},
                       {"jour 1,5 recalcule", "1,5", 0.2, 2451545.0},
                       {"orbite sans moyen mouvement laisse JJ", "1,5", 0, 123}};
    for (const auto& c : cas) {
        el.JJ_Perihelie = 123;
        el.n = c.n;
        boite.Ecrire_Texte(Controle::saisie_Jour_Perihelie, QString::fromUtf8(c.jour));
        boite.Ecrire_Texte(Controle::saisie_Mois_Perihelie, QStringLiteral(" 1 "));
        boite.Ecrire_Texte(Controle::saisie_An_Perihelie, QStringLiteral("2000"));
        Afficher_Elements(el, boite, Virgule);
        EXPECT_NEAR(el.JJ_Perihelie, c.jj_attendu, 1e-9) << c.nom;
    }
}

TEST_F(Affichage, PeriheliJulien) {
    boite.Cocher(Controle::Julienne, true);
    boite.Ecrire_Texte(Controle::saisie_Jour_Perihelie, QStringLiteral("2451545,25"));
    Afficher_Elements(el, boite, Virgule);
    EXPECT_DOUBLE_EQ(el.JJ_Perihelie, 2451545.25);
    boite.Ecrire_Texte(Controle::saisie_Jour_Perihelie, QString());
    Afficher_Elements(el, boite, Virgule);
    EXPECT_EQ(el.JJ_Perihelie, 0);
}

}  // namespace

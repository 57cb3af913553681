#include <gtest/gtest.h>

#include "form/angle_perihelie.h"
#include "plateforme/boite_memoire.h"

namespace {

const Notation Virgule{',', " "};

// What the labels and the field show in one mode.
struct Vue_Angle {
    const char* legende;
    const char* police;
    const char* libelle;
    const char* indice;
};

const Vue_Angle Vue_Argument{"w =  ", "Symbol", "argument du périhélie =", "Argument du périhélie en degrés"};
const Vue_Angle Vue_Longitude{"L =  ", "Tahoma",
                              "longitude du périhélie =", "Longitude du périhélie en degrés"};

void Verifier_Vue(const Boite_Memoire& boite, const Vue_Angle& vue, const char* champ, const char* cas) {
    EXPECT_EQ(boite.Texte(Controle::Label15), QString::fromUtf8(vue.legende)) << cas;
    EXPECT_EQ(boite.Police(Controle::Label15), QString::fromUtf8(vue.police)) << cas;
    EXPECT_EQ(boite.Texte(Controle::Label16), QString::fromUtf8(vue.libelle)) << cas;
    EXPECT_EQ(boite.Indice(Controle::saisie_Omega), QString::fromUtf8(vue.indice)) << cas;
    EXPECT_EQ(boite.Texte(Controle::saisie_Omega), QString::fromUtf8(champ)) << cas;
}

TEST(Basculer_Angle, AllerEtRetour) {
    struct Cas {
        const char* nom;
        double Omega;
        double gOmega;
        const char* longitude;  // field after the first click
        const char* argument;   // field after the second click
    };
    const Cas cas[] = {
        {"somme au-delà d'un tour", 300, 100, "40", "300"},
        {"somme sous un tour", 30.25, 100, "130,25", "30,25"},
        {"angle nul", 0, 0, "", ""},
        {"un tour exact reste 360", 260, 100, "360", "260"},
        {"décimales", 12.3456789012, 0, "12,3456789012", "12,3456789012"},
    };
    for (const auto& c : cas) {
        Elements el;
        el.Omega = c.Omega;
        el.gOmega = c.gOmega;
        Boite_Memoire boite;
        Afficher_Argument(el, boite, Virgule);
        Basculer_Angle(el, boite, Virgule);
        Verifier_Vue(boite, Vue_Longitude, c.longitude, c.nom);
        Basculer_Angle(el, boite, Virgule);
        Verifier_Vue(boite, Vue_Argument, c.argument, c.nom);
        EXPECT_NEAR(el.Omega, c.Omega, 1e-9) << c.nom;
    }
}

// The stored values are converted, not the text being typed.
TEST(Basculer_Angle, NeLitPasLeChamp) {
    Elements el;
    el.Omega = 30;
    el.gOmega = 100;
    Boite_Memoire boite;
    Afficher_Argument(el, boite, Virgule);
    boite.Ecrire_Texte(Controle::saisie_Omega, QStringLiteral("40"));
    Basculer_Angle(el, boite, Virgule);
    EXPECT_EQ(boite.Texte(Controle::saisie_Omega), QStringLiteral("130"));
    EXPECT_NEAR(el.Longitude_Perihelie, 130, 1e-12);
    EXPECT_NEAR(el.Omega, 30, 1e-12);
}

// Any caption other than the argument's counts as the longitude mode, the
// empty one of a frame never shown included.
TEST(Basculer_Angle, LegendeInconnueVaALArgument) {
    Elements el;
    el.Longitude_Perihelie = 50;
    el.gOmega = 80;
    Boite_Memoire boite;
    Basculer_Angle(el, boite, Virgule);
    Verifier_Vue(boite, Vue_Argument, "330", "légende vide");
}

}  // namespace

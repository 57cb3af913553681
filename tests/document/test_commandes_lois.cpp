#include <gtest/gtest.h>

#include "document/commandes_import.h"
#include "document/commandes_lois.h"
#include "form/disposition_fiche.h"
#include "plateforme/boite_memoire.h"
#include "support/orbites_exemple.h"

namespace {

struct Banc {
    Boite_Memoire boite;
    Programme p{boite, Notation{',', " "}, QStringLiteral("1.0.0")};

    // Encke's line, its total law g = 11.5, k = 6, as imported from a file.
    Banc() {
        Creer_Fiche(boite);
        Remplir_Orbite(p, *Lire_Comete_MPC(Ligne_Encke).orbite, QStringLiteral("cometes.txt"));
        p.document.Modifie = false;
    }
};

}  // namespace

// What the dialog shows: each law with its parameters and origin, the epoch.
TEST(Modifier_Lois, Montre_Lois_Et_Origines) {
    Banc b;
    Modifier_Lois(b.p);
    const Saisie_Lois& s = b.boite.Lois_Montrees();
    EXPECT_EQ(s.totale.Zero.toStdString() + " " + s.totale.K.toStdString() + " " + s.totale.PC.toStdString(),
              "11,5 15 0");
    EXPECT_EQ(s.totale.Origine.toStdString(), "importée de cometes.txt");
    EXPECT_FALSE(s.totale.asteroide);
    EXPECT_EQ(s.noyau.K.toStdString() + " " + s.noyau.Origine.toStdString(), "5 programme");
    EXPECT_EQ(s.Epoque.toStdString(), "2460188,5");
    EXPECT_TRUE(s.A1.isEmpty());
    EXPECT_FALSE(b.p.document.Modifie);  // cancelled
}

// A value that is no number or out of its range is named and nothing is kept.
TEST(Modifier_Lois, Valeurs_Refusees) {
    const struct {
        const char* nom;
        std::function<void(Saisie_Lois&)> saisir;
        const char* refus;
    } cas[] = {
        {"M1 illisible", [](Saisie_Lois& s) { s.totale.Zero = QStringLiteral("abc"); },
         "Loi totale, magnitude absolue : « abc » n'est pas un nombre."},
        {"K1 trop grand", [](Saisie_Lois& s) { s.totale.K = QStringLiteral("60"); },
         "Loi totale, coefficient de log r : 60 n'est pas entre -10 et 50."},
        {"PC négatif", [](Saisie_Lois& s) { s.noyau.PC = QStringLiteral("-0,1"); },
         "Loi du noyau, coefficient de phase : -0,1 n'est pas entre 0 et 0,5."},
        {"G hors limites",
         [](Saisie_Lois& s) {
             s.noyau.asteroide = true;
             s.noyau.G = QStringLiteral("1,5");
         },
         "Loi du noyau, paramètre de pente G : 1,5 n'est pas entre -0,5 et 1."},
        {"époque illisible", [](Saisie_Lois& s) { s.Epoque = QStringLiteral("2023-09-01"); },
         "Epoque d'osculation : « 2023-09-01 » n'est ni un jour julien ni une date J/M/A du calendrier."},
        {"époque NaN", [](Saisie_Lois& s) { s.Epoque = QStringLiteral("nan"); },
         "Epoque d'osculation : « nan » n'est ni un jour julien ni une date J/M/A du calendrier."},
        {"date d'époque au 31 avril", [](Saisie_Lois& s) { s.Epoque = QStringLiteral("31/4/2023"); },
         "Epoque d'osculation : « 31/4/2023 » n'est ni un jour julien ni une date J/M/A du calendrier."},
        {"date d'époque au mois 13", [](Saisie_Lois& s) { s.Epoque = QStringLiteral("1/13/2023"); },
         "Epoque d'osculation : « 1/13/2023 » n'est ni un jour julien ni une date J/M/A du calendrier."},
        {"date d'époque incomplète", [](Saisie_Lois& s) { s.Epoque = QStringLiteral("1/2023"); },
         "Epoque d'osculation : « 1/2023 » n'est ni un jour julien ni une date J/M/A du calendrier."},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Banc b;
        b.boite.Prevoir_Lois(c.saisir);
        Modifier_Lois(b.p);
        ASSERT_EQ(b.boite.Refus_Lois().size(), 1u);
        EXPECT_EQ(b.boite.Refus_Lois()[0].toStdString(), c.refus);
        EXPECT_FALSE(b.p.document.Modifie);
        EXPECT_EQ(b.p.el.Lois.totale.origine, Origine_Loi::Importee);
        EXPECT_NEAR(b.p.el.Lois.totale.K, 15, 1e-12);
        EXPECT_EQ(b.p.el.Lois.noyau.forme, Forme_Loi::Comete);
        ASSERT_TRUE(b.p.el.Epoque.JJ_Epoque);
        EXPECT_NEAR(*b.p.el.Epoque.JJ_Epoque, 2460188.5, 1e-9);
    }
}

// A law changed becomes the user's own and the document is modified; a law
// only looked at keeps its origin; an epoch emptied is none.
TEST(Modifier_Lois, Changements_Gardes) {
    Banc b;
    b.boite.Prevoir_Lois([](Saisie_Lois&) {});
    Modifier_Lois(b.p);
    EXPECT_FALSE(b.p.document.Modifie);
    EXPECT_EQ(b.p.el.Lois.totale.source, "cometes.txt");

    b.boite.Prevoir_Lois([](Saisie_Lois& s) {
        s.noyau = {true,     QStringLiteral("15.7"), QString(), QString(), QStringLiteral("0,12"), QString(),
                   QString()};
        s.Epoque.clear();
    });
    Modifier_Lois(b.p);
    EXPECT_TRUE(b.p.document.Modifie);
    EXPECT_TRUE(b.boite.Refus_Lois().empty());
    EXPECT_EQ(b.p.el.Lois.totale.origine, Origine_Loi::Importee);
    const Loi_Magnitude& noyau = b.p.el.Lois.noyau;
    EXPECT_EQ(noyau.forme, Forme_Loi::Asteroide);
    EXPECT_NEAR(noyau.Zero, 15.7, 1e-12);
    EXPECT_NEAR(noyau.G, 0.12, 1e-12);
    EXPECT_EQ(noyau.origine, Origine_Loi::Saisie);
    EXPECT_FALSE(b.p.el.Epoque.JJ_Epoque);
    EXPECT_EQ(b.p.el.Epoque.origine, Origine_Loi::Saisie);
}

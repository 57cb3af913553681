#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "document/modele_calcul.h"
#include "plateforme/boite_memoire.h"

namespace {

// Every choice written is read back; a file of an earlier version, without
// the later lines, or with a line not understood, keeps the default; a file
// that is not this one gives the defaults and says so; any line ends and a
// byte-order mark are read as the program's own.
TEST(Modele_Calcul, ReglagesRelus) {
    QTemporaryDir racine;
    const QString dossier = racine.path() + QStringLiteral("/Trajectel/");
    Boite_Memoire boite;
    for (int k = 0; k < 8; ++k) {
        const Reglages_Calcul ecrits{(k & 1) != 0, (k & 2) != 0, (k & 4) != 0};
        ASSERT_TRUE(Enregistrer_Calcul(dossier, ecrits, boite));
        const Lecture_Calcul lus = Charger_Calcul(dossier);
        EXPECT_EQ(lus.reglages.classique, ecrits.classique) << k;
        EXPECT_EQ(lus.reglages.perturbations, ecrits.perturbations) << k;
        EXPECT_EQ(lus.reglages.topocentrique, ecrits.topocentrique) << k;
        EXPECT_TRUE(lus.raison.isEmpty()) << k;
    }
    struct Cas {
        const char* nom;
        QByteArray contenu;
        bool classique;
        bool perturbations;
        bool topocentrique;
        bool illisible;
    };
    const QByteArray tout = "[Trajectel Calcul]\r\nClassique=1\r\nPerturbations=0\r\nTopocentrique=1\r\n";
    const Cas cas[] = {
        {"version precedente", "[Trajectel Calcul]\r\nClassique=1\r\n", true, true, false, false},
        {"sans fin de ligne", "[Trajectel Calcul]\r\nClassique=0\r\nPerturbations=0", false, false, false,
         false},
        {"valeur inconnue", "[Trajectel Calcul]\r\nClassique=0\r\nPerturbations=non\r\n", false, true, false,
         false},
        {"lignes inversees", "[Trajectel Calcul]\r\nPerturbations=0\r\nClassique=1\r\n", false, true, false,
         false},
        {"fins CR seules", QByteArray(tout).replace("\r\n", "\r"), true, false, true, false},
        {"fins LF", QByteArray(tout).replace("\r\n", "\n"), true, false, true, false},
        {"marque d'ordre UTF-8", "\xef\xbb\xbf" + tout, true, false, true, false},
        {"vide", "", false, true, false, true},
        {"autre en-tête", QByteArray(tout).replace("Calcul]", "Lieu]"), false, true, false, true},
        {"trop long", tout + QByteArray(300, ' '), false, true, false, true},
    };
    for (const Cas& c : cas) {
        QFile f(dossier + Nom_Fichier_Calcul);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.contenu);
        f.close();
        const Lecture_Calcul lus = Charger_Calcul(dossier);
        EXPECT_EQ(lus.reglages.classique, c.classique) << c.nom;
        EXPECT_EQ(lus.reglages.perturbations, c.perturbations) << c.nom;
        EXPECT_EQ(lus.reglages.topocentrique, c.topocentrique) << c.nom;
        EXPECT_EQ(lus.raison.isEmpty(), !c.illisible) << c.nom;
    }
    EXPECT_TRUE(boite.Messages().empty());
}

}  // namespace

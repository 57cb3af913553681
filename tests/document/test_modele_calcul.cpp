#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "document/modele_calcul.h"
#include "plateforme/boite_memoire.h"

namespace {

// Every choice written is read back; a file of an earlier version, without
// the planets' line, or with a line not understood, keeps the default.
TEST(Modele_Calcul, ReglagesRelus) {
    QTemporaryDir racine;
    const QString dossier = racine.path() + QStringLiteral("/Trajectel/");
    Boite_Memoire boite;
    for (bool classique : {false, true}) {
        for (bool perturbations : {false, true}) {
            ASSERT_TRUE(Enregistrer_Calcul(dossier, {classique, perturbations}, boite));
            const Reglages_Calcul lus = Charger_Calcul(dossier);
            EXPECT_EQ(lus.classique, classique) << classique << perturbations;
            EXPECT_EQ(lus.perturbations, perturbations) << classique << perturbations;
        }
    }
    struct Cas {
        const char* nom;
        QByteArray contenu;
        bool classique;
        bool perturbations;
    };
    const Cas cas[] = {
        {"version precedente", "[Trajectel Calcul]\r\nClassique=1\r\n", true, true},
        {"sans fin de ligne", "[Trajectel Calcul]\r\nClassique=0\r\nPerturbations=0", false, false},
        {"valeur inconnue", "[Trajectel Calcul]\r\nClassique=0\r\nPerturbations=non\r\n", false, true},
        {"lignes inversees", "[Trajectel Calcul]\r\nPerturbations=0\r\nClassique=1\r\n", false, true},
        {"vide", "", false, true},
        {"trop long", "[Trajectel Calcul]\r\nClassique=1\r\nPerturbations=0\r\n" + QByteArray(300, ' '),
         false, true},
    };
    for (const Cas& c : cas) {
        QFile f(dossier + Nom_Fichier_Calcul);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.contenu);
        f.close();
        const Reglages_Calcul lus = Charger_Calcul(dossier);
        EXPECT_EQ(lus.classique, c.classique) << c.nom;
        EXPECT_EQ(lus.perturbations, c.perturbations) << c.nom;
    }
    EXPECT_TRUE(boite.Messages().empty());
}

}  // namespace

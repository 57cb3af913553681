#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "document/lieu.h"
#include "document/modele_calcul.h"
#include "monture/reglages_monture.h"
#include "plateforme/boite_memoire.h"
#include "support/echecs_ecriture.h"

namespace {

TEST(Reglages_Monture, Serveur) {
    struct Cas {
        const char* texte;
        const char* hote;  // "" when refused
        quint16 port;
    };
    const Cas cas[] = {
        {"localhost:7624", "localhost", 7624},
        {" 192.168.1.20:7625 ", "192.168.1.20", 7625},
        {"[::1]:7624", "::1", 7624},
        {"observatoire.local:1", "observatoire.local", 1},
        {"localhost", "localhost", 7624},
        {" observatoire.local ", "observatoire.local", 7624},
        {"[::1]", "::1", 7624},
        {"mon hote", "", 0},
        {":7624", "", 0},
        {"localhost:0", "", 0},
        {"localhost:65536", "", 0},
        {"localhost:port", "", 0},
        {"mon hote:7624", "", 0},
        {"", "", 0},
    };
    for (const Cas& c : cas) {
        const Lecture_Serveur s = Lire_Serveur(QString::fromUtf8(c.texte));
        EXPECT_EQ(s.valide, *c.hote != 0) << c.texte;
        EXPECT_EQ(s.hote, QString::fromUtf8(c.hote)) << c.texte;
        EXPECT_EQ(s.port, c.port) << c.texte;
        EXPECT_EQ(s.erreur.isEmpty(), s.valide) << c.texte;
    }
}

TEST(Reglages_Monture, EcritPuisRelu) {
    QTemporaryDir dossier;
    const QString d = dossier.path() + QStringLiteral("/Trajectel/");
    const Reglages_Monture reglages{QStringLiteral("::1"), 7700, QStringLiteral("Monture équatoriale")};
    EXPECT_TRUE(Enregistrer_Monture(d, reglages).isEmpty());
    QFile f(d + Nom_Fichier_Monture);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(),
              QByteArray("[Trajectel Monture]\r\nServeur=[::1]:7700\r\nAppareil=Monture équatoriale\r\n"));
    const Lecture_Monture lu = Charger_Monture(d);
    EXPECT_TRUE(lu.raison.isEmpty());
    EXPECT_TRUE(lu.reglages == reglages);
}

// A file damaged or written by hand never stops the program: it gives the
// defaults and says why, or is read when it is whole.
TEST(Reglages_Monture, FichierEcritALaMain) {
    struct Cas {
        const char* nom;
        QByteArray contenu;
        const char* appareil;  // nullptr: the defaults
    };
    const Cas cas[] = {
        {"UTF-8 sans CR", "[Trajectel Monture]\nServeur=localhost:7624\nAppareil=Télescope\n", "Télescope"},
        {"Windows-1252", "[Trajectel Monture]\r\nServeur=a:1\r\nAppareil=T\xE9lescope\r\n", "Télescope"},
        {"sans fin de ligne", "[Trajectel Monture]\r\nServeur=a:1\r\nAppareil=", ""},
        {"fins CR seules", "[Trajectel Monture]\rServeur=a:1\rAppareil=T\r", "T"},
        {"marque d'ordre UTF-8", "\xef\xbb\xbf[Trajectel Monture]\r\nServeur=a:1\r\nAppareil=T\r\n", "T"},
        {"hôte sans port", "[Trajectel Monture]\r\nServeur=localhost\r\nAppareil=T\r\n", "T"},
        {"vide", "", nullptr},
        {"ligne manquante", "[Trajectel Monture]\r\nServeur=localhost:7624\r\n", nullptr},
        {"port faux", "[Trajectel Monture]\r\nServeur=localhost:99999\r\nAppareil=X\r\n", nullptr},
        {"caractère de contrôle", QByteArray("[Trajectel Monture]\r\nServeur=a:1\r\nAppareil=X\x01Y\r\n"),
         nullptr},
        {"ligne très longue", "[Trajectel Monture]\r\nServeur=a:1\r\nAppareil=" + QByteArray(100000, 'x'),
         nullptr},
        {"binaire", QByteArray("\0\xff\xfe[Trajectel", 12), nullptr},
    };
    for (const Cas& c : cas) {
        QTemporaryDir dossier;
        const QString d = dossier.path() + u'/';
        QFile f(d + Nom_Fichier_Monture);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.contenu);
        f.close();
        const Lecture_Monture lu = Charger_Monture(d);
        if (c.appareil) {
            EXPECT_TRUE(lu.raison.isEmpty()) << c.nom;
            EXPECT_EQ(lu.reglages.Appareil, QString::fromUtf8(c.appareil)) << c.nom;
        } else {
            EXPECT_FALSE(lu.raison.isEmpty()) << c.nom;
            EXPECT_TRUE(lu.reglages == Reglages_Monture{}) << c.nom;
        }
    }
    QTemporaryDir vide;
    EXPECT_EQ(Charger_Monture(vide.path() + u'/').raison,
              QStringLiteral("le fichier Monture.ini n'existe pas"));
}

// A settings file that cannot be written says so in French, with the file
// and the reason the saves give, never the system's English.
TEST(Reglages_Monture, EcrituresRefuseesEnFrancais) {
    QTemporaryDir racine;
    const QString dossier = racine.path() + u'/';
    Boite_Memoire boite;
    const struct {
        const char* nom;
        QString fichier;
        std::function<QString()> ecrire;  // the message shown
    } cas[] = {
        {"Lieu.ini", Nom_Fichier_Lieu,
         [&] {
             Enregistrer_Lieu(dossier, Site_Observation{QStringLiteral("A"), {45, 5, 0}, 15, true}, boite);
             return boite.Messages().empty() ? QString() : boite.Messages().back().texte;
         }},
        {"Calcul.ini", Nom_Fichier_Calcul,
         [&] {
             Enregistrer_Calcul(dossier, {}, boite);
             return boite.Messages().empty() ? QString() : boite.Messages().back().texte;
         }},
        {"Monture.ini", Nom_Fichier_Monture,
         [&] { return Enregistrer_Monture(dossier, Reglages_Monture{}); }},
    };
    for (const auto& c : cas) {
        boite.Oublier_Messages();
        QString message;
        {
            const Limite_Taille limite(true);
            message = c.ecrire();
        }
        EXPECT_EQ(message, QString::fromUtf8("Erreur d'écriture du fichier ") + c.fichier + u'\n' + dossier +
                               c.fichier + QString::fromUtf8(" : fichier trop grand"))
            << c.nom;
        EXPECT_FALSE(QFile::exists(dossier + c.fichier)) << c.nom;
    }
}

}  // namespace

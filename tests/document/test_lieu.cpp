#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "document/configuration.h"
#include "document/lieu.h"
#include "plateforme/boite_memoire.h"

namespace {

TEST(Lieu, BornesDesChamps) {
    struct Cas {
        const char *latitude, *longitude, *altitude, *hauteur;
        const char* mot;  // the start of the word, "" when accepted
    };
    const Cas cas[] = {
        {"48,85", "2.35", "35", "15", ""},
        {"90", "-180", "-500", "0", ""},
        {"-90", "180", "9000", "90", ""},
        {" 45 ", " -0,5 ", "0", "15", ""},
        {"90,0001", "0", "0", "15", "La latitude"},
        {"-91", "0", "0", "15", "La latitude"},
        {"", "0", "0", "15", "La latitude"},
        {"nan", "0", "0", "15", "La latitude"},
        {"1e400", "0", "0", "15", "La latitude"},
        {"45", "180,5", "0", "15", "La longitude"},
        {"45", "2,3,4", "0", "15", "La longitude"},
        {"45", "0", "-501", "15", "L'altitude"},
        {"45", "0", "9000,1", "15", "L'altitude"},
        {"45", "0", "0", "-1", "La hauteur minimale"},
        {"45", "0", "0", "91", "La hauteur minimale"},
        {"45", "0", "2 936", "15", ""},
        {"45", "0", "2 9 3 6", "15", ""},
        {"45", "0", "2 936,5,1", "15", "L'altitude"},
    };
    for (const Cas& c : cas) {
        const Saisie_Site s = Lire_Champs_Site(QStringLiteral("OBVA"), QString::fromUtf8(c.latitude),
                                               QString::fromUtf8(c.longitude), QString::fromUtf8(c.altitude),
                                               QString::fromUtf8(c.hauteur), true);
        const QString mot = QString::fromUtf8(c.mot);
        EXPECT_EQ(s.site.has_value(), mot.isEmpty()) << c.latitude << ' ' << c.longitude << ' ' << c.altitude;
        EXPECT_TRUE(mot.isEmpty() ? s.erreur.isEmpty() : s.erreur.startsWith(mot))
            << c.latitude << ' ' << c.longitude << ' ' << s.erreur.toStdString();
    }
}

class Fichier_Lieu : public ::testing::Test {
protected:
    QString Dossier() const { return dossier.path() + u'/'; }
    void Ecrire(const QByteArray& octets) {
        QFile f(Dossier() + Nom_Fichier_Lieu);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(octets);
    }
    QTemporaryDir dossier;
    Boite_Memoire boite;
};

// The dialog writes numbers as the form does, and reads back what it wrote.
TEST(Lieu, NombresDuDialogue) {
    struct Cas {
        double valeur;
        Notation notation;
        const char* texte;
    };
    const Cas cas[] = {
        {44.7, {',', "\u202f"}, "44,7"},
        {2936, {',', "\u202f"}, "2\u202f936"},
        {2936, {',', "\u00a0"}, "2\u00a0936"},
        {-1234.5, {',', " "}, "-1 234,5"},
        {2936, {'.', ","}, "2936"},  // a comma between thousands would read as decimals
        {43.9316666666667, {'.', ","}, "43.9316666666667"},
        {-0.5, {',', " "}, "-0,5"},
    };
    for (const Cas& c : cas) {
        const QString texte = Texte_Champ_Site(c.valeur, c.notation);
        EXPECT_EQ(texte, QString::fromUtf8(c.texte)) << c.valeur;
        const Saisie_Site s =
            Lire_Champs_Site({}, QStringLiteral("0"), QStringLiteral("0"), texte, QStringLiteral("15"), true);
        const bool dans_les_bornes = c.valeur >= -500 && c.valeur <= 9000;
        ASSERT_EQ(s.site.has_value(), dans_les_bornes) << texte.toStdString();
        if (s.site) {
            EXPECT_EQ(s.site->lieu.Altitude, c.valeur) << texte.toStdString();
        }
    }
}

TEST_F(Fichier_Lieu, EcritPuisRelu) {
    const Site_Observation site{
        QStringLiteral("Observatoire d'Ondřejov, l'été"), {-33.25, 151.125, 1234.5}, 20, false};
    ASSERT_TRUE(Enregistrer_Lieu(Dossier() + QStringLiteral("sous/"), site, boite));
    QFile f(Dossier() + QStringLiteral("sous/") + Nom_Fichier_Lieu);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("[Trajectel Lieu]\r\nNom=Observatoire d'Ond\xc5\x99"
                                      "ejov, l'\xc3\xa9t\xc3\xa9\r\n"
                                      "Latitude=-33.25\r\n"
                                      "Longitude=151.125\r\nAltitude=1234.5\r\nHauteur_Minimale=20\r\n"
                                      "Afficher=Faux\r\n"));
    const Lecture_Lieu l = Charger_Lieu(Dossier() + QStringLiteral("sous/"));
    ASSERT_TRUE(l.site);
    EXPECT_EQ(l.site->Nom, site.Nom);
    EXPECT_EQ(l.site->lieu.Latitude, site.lieu.Latitude);
    EXPECT_EQ(l.site->lieu.Longitude, site.lieu.Longitude);
    EXPECT_EQ(l.site->lieu.Altitude, site.lieu.Altitude);
    EXPECT_EQ(l.site->Hauteur_Minimale, site.Hauteur_Minimale);
    EXPECT_FALSE(l.site->Afficher);
    // Trajectel.ini is another file: it is not touched.
    EXPECT_FALSE(QFile::exists(Dossier() + QStringLiteral("sous/") + Nom_Fichier_Configuration));
}

TEST_F(Fichier_Lieu, AbsentOuEndommagePasDeLieu) {
    // No file is a first start: nothing to say.
    EXPECT_FALSE(Charger_Lieu(Dossier()).site);
    EXPECT_TRUE(Charger_Lieu(Dossier()).raison.isEmpty());
    const QByteArray bon =
        "[Trajectel Lieu]\r\nNom=A\r\nLatitude=45\r\nLongitude=5\r\nAltitude=0\r\n"
        "Hauteur_Minimale=15\r\nAfficher=Vrai\r\n";
    struct Cas {
        const char* nom;
        QByteArray octets;
        bool lu;
    };
    QByteArray long_(5000, 'x');
    const Cas cas[] = {
        {"bon", bon, true},
        {"nom en Windows-1252", QByteArray(bon).replace("Nom=A", "Nom=l'\xe9t\xe9"), true},
        {"UTF-8 avec marque d'ordre", "\xef\xbb\xbf" + bon, true},
        {"fins de ligne LF", QByteArray(bon).replace("\r\n", "\n"), true},
        {"sans fin à la dernière ligne", bon.left(bon.size() - 2), true},
        {"vide", "", false},
        {"une ligne de moins", bon.left(bon.lastIndexOf("Afficher")), false},
        {"une ligne de trop", bon + "x\r\n", false},
        {"latitude hors bornes", QByteArray(bon).replace("Latitude=45", "Latitude=95"), false},
        {"latitude avec une virgule", QByteArray(bon).replace("Latitude=45", "Latitude=45,5"), false},
        {"latitude NaN", QByteArray(bon).replace("Latitude=45", "Latitude=nan"), false},
        {"clé changée", QByteArray(bon).replace("Longitude", "Longitud"), false},
        {"case ni Vrai ni Faux", QByteArray(bon).replace("Vrai", "Oui"), false},
        {"en-tête", QByteArray(bon).replace("[Trajectel Lieu]", "[Autre]"), false},
        {"très long", long_, false},
    };
    for (const Cas& c : cas) {
        Ecrire(c.octets);
        const Lecture_Lieu l = Charger_Lieu(Dossier());
        EXPECT_EQ(l.site.has_value(), c.lu) << c.nom;
        EXPECT_EQ(l.raison.isEmpty(), c.lu) << c.nom;
        if (!c.lu) {
            EXPECT_TRUE(l.raison.startsWith(QStringLiteral("Pas de lieu d'observation : "))) << c.nom;
        }
    }
    Ecrire(QByteArray(bon).replace("Nom=A", "Nom=l'\xe9t\xe9"));
    EXPECT_EQ(Charger_Lieu(Dossier()).site->Nom, QStringLiteral("l'été"));
    // A value out of its bounds: the status bar says the file is damaged, the
    // site dialog says which value.
    Ecrire(QByteArray(bon).replace("Latitude=45", "Latitude=95"));
    const Lecture_Lieu l = Charger_Lieu(Dossier());
    EXPECT_EQ(l.raison, QStringLiteral("Pas de lieu d'observation : le fichier Lieu.ini est endommagé "
                                       "(Edition, Lieu d'observation…)"));
    EXPECT_EQ(l.detail, QStringLiteral("Le fichier Lieu.ini est endommagé : La latitude doit être comprise "
                                       "entre -90 et 90 degrés (nord positif)."));
}

TEST(Lieu, UnNomSurUneSeuleLigne) {
    const Site_Observation site{QStringLiteral("Pic\r\nDu\tMidi"), {42.9, 0.14, 2877}, 15, true};
    EXPECT_EQ(Lignes_Lieu(site)[1], QStringLiteral("Nom=PicDuMidi"));
}

TEST_F(Fichier_Lieu, EchecDEcritureAverti) {
    // A folder where the file should be: it cannot be replaced.
    ASSERT_TRUE(QDir(Dossier()).mkpath(Nom_Fichier_Lieu));
    EXPECT_FALSE(Enregistrer_Lieu(Dossier(), Site_Observation{}, boite));
    ASSERT_FALSE(boite.Messages().empty());
}

}  // namespace

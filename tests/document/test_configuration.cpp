#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>
#include <stdexcept>

#include "document/configuration.h"
#include "plateforme/boite_memoire.h"
#include "support/echecs_ecriture.h"

namespace {

const QRect Placement_Defaut(0, 0, 600, 830);  // on the 1920 by 1080 screen

// What start-up reads the settings into, fresh for each case.
struct Banc {
    Boite_Memoire boite;
    Historique historique;
    Etat_Document document;
    Configuration configuration;
    Contexte_Configuration ctx{boite, historique, document, configuration, QStringLiteral("1.0.0")};

    explicit Banc(const QString& dossier = {}) {
        configuration.Dossier_Configuration = dossier;
        boite.Placer(Controle::Principale, {100, 50, 700, 900});
    }
    QRect Fenetre() const { return boite.Geometrie(Controle::Principale); }
    void Lire(QByteArray contenu) {
        QBuffer tampon(&contenu);
        tampon.open(QIODevice::ReadOnly);
        Lire_Configuration(ctx, tampon);
    }
    int Avertissements(const char* titre, const char* texte) const {
        int n = 0;
        for (const auto& m : boite.Messages())
            n += m.genre == Boite_Memoire::Genre::Avertissement && m.titre == QString::fromUtf8(titre) &&
                 m.texte == QString::fromUtf8(texte);
        return n;
    }
};

// A settings file as the program writes it, entries "/e/1.elt" to "/e/10.elt",
// with line `numero` replaced when given.
QByteArray Fichier_Type(int numero = 0, const char* ligne = nullptr, int lignes = 17) {
    QStringList l = {"[Trajectel 1.0.0]", "0", "650", "700", "10", "20", "Vrai"};
    for (int k = 1; k <= Taille_Historique; ++k) l << QStringLiteral("/e/%1.elt").arg(k);
    if (numero > 0) l[numero - 1] = QString::fromLatin1(ligne);
    return l.mid(0, lignes).join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

TEST(Nettoyer_Ligne, GuillemetsEtBlancsFinaux) {
    const std::pair<const char*, const char*> cas[] = {
        {"", ""},   {"12   ", "12"},  {"  12", "  12"}, {"\"12 \"", "12"}, {"\"12\" ", "12\""},
        {"\"", ""}, {"12\t", "12\t"},
    };
    for (const auto& [ligne, attendu] : cas)
        EXPECT_EQ(Nettoyer_Ligne(QString::fromUtf8(ligne)), QString::fromUtf8(attendu))
            << '[' << ligne << ']';
}

// Every line of the file, the faults of a file written by hand, and what
// reaches the window and the list.
TEST(Lire_Configuration, LignesEtDefauts) {
    struct Cas {
        const char* nom;
        QByteArray contenu;
        QRect fenetre;  // Placement_Defaut exactly when the file is faulty
        Etat_Fenetre etat;
        int32_t numero_etat;  // Etat_Fenetre as kept for the end
        int entrees;          // recent files read
    };
    const auto N = Etat_Fenetre::Normale;
    const QRect lu(10, 20, 650, 700);
    const Cas cas[] = {
        {"fichier type", Fichier_Type(), lu, N, 0, 10},
        {"fins de ligne LF", Fichier_Type().replace("\r\n", "\n"), lu, N, 0, 10},
        {"maximisée", Fichier_Type(2, "2"), lu, Etat_Fenetre::Maximisee, 2, 10},
        {"minimisée, entre guillemets", Fichier_Type(2, "\"1  \""), lu, Etat_Fenetre::Minimisee, 1, 10},
        {"état inconnu laissé tel quel", Fichier_Type(2, "7"), lu, N, 7, 10},
        {"largeur 5000 sur 1920", Fichier_Type(3, "5000"), {10, 20, 600, 700}, N, 0, 10},
        {"hauteur 1081 sur 1080", Fichier_Type(4, "1081"), {10, 20, 650, 830}, N, 0, 10},
        {"gauche 1910 sur 1920", Fichier_Type(5, "1910"), {0, 20, 650, 700}, N, 0, 10},
        {"gauche -8 gardée", Fichier_Type(5, " -8"), {-8, 20, 650, 700}, N, 0, 10},
        {"gauche hors de toute coordonnée", Fichier_Type(5, "-2147483648"), {0, 20, 650, 700}, N, 0, 10},
        {"largeur négative", Fichier_Type(3, "-2147483648"), {10, 20, 600, 700}, N, 0, 10},
        {"16 lignes", Fichier_Type(0, nullptr, 16), Placement_Defaut, N, 0, 9},
        {"section d'un autre programme", Fichier_Type(1, "[Trajetcel 1.0.0]"), Placement_Defaut, N, 0, 0},
        {"fichier vide", QByteArray(), Placement_Defaut, N, 0, 0},
        {"largeur vide", Fichier_Type(3, ""), Placement_Defaut, N, 0, 0},
        {"largeur NaN", Fichier_Type(3, "NaN"), Placement_Defaut, N, 0, 0},
        {"largeur 1e3", Fichier_Type(3, "1e3"), Placement_Defaut, N, 0, 0},
        {"largeur hors de 32 bits", Fichier_Type(3, "99999999999"), Placement_Defaut, N, 0, 0},
        {"octets binaires", QByteArray("\x00\xff\x81\r\n\x01", 6), Placement_Defaut, N, 0, 0},
    };
    for (const Cas& c : cas) {
        Banc b;
        b.Lire(c.contenu);
        const bool erreur = c.fenetre == Placement_Defaut;
        EXPECT_EQ(b.document.Erreur_Fichier, erreur) << c.nom;
        EXPECT_EQ(
            b.Avertissements("Trajectel - Initialisation", "Erreur de lecture du fichier Trajectel.ini"),
            erreur ? 1 : 0)
            << c.nom;
        EXPECT_EQ(b.Fenetre(), c.fenetre) << c.nom;
        EXPECT_EQ(b.boite.Etat_Principale(), c.etat) << c.nom;
        EXPECT_EQ(b.configuration.Etat_Fenetre, c.numero_etat) << c.nom;
        for (int k = 0; k < Taille_Historique; ++k) {
            const QString attendu = k < c.entrees ? QStringLiteral("/e/%1.elt").arg(k + 1) : QString();
            EXPECT_EQ(b.historique.Entrees[k], attendu) << c.nom << ", entrée " << k + 1;
        }
    }
}

// A file that is not ours is read no further than 17 lines of 4096
// characters, whatever its size.
TEST(Lire_Configuration, FichiersEnormes) {
    const std::pair<const char*, QByteArray> cas[] = {
        {"entrée de 100000 caractères", Fichier_Type(8, QByteArray(100000, 'x').constData())},
        {"10 Mo sans fin de ligne", QByteArray(10 << 20, 'z')},
        {"un million de lignes", QByteArray(1 << 20, '\n')},
    };
    for (const auto& [nom, contenu] : cas) {
        Banc b;
        QByteArray octets = contenu;
        QBuffer tampon(&octets);
        ASSERT_TRUE(tampon.open(QIODevice::ReadOnly));
        Lire_Configuration(b.ctx, tampon);
        EXPECT_TRUE(b.document.Erreur_Fichier) << nom;
        EXPECT_EQ(b.Fenetre(), Placement_Defaut) << nom;
        EXPECT_LE(b.historique.Entrees[0].size(), 4096) << nom;
        EXPECT_LE(tampon.pos(), 17 * 4098) << nom;
    }
}

TEST(Placement_Par_Defaut, SelonLEcran) {
    const std::pair<QSize, QRect> cas[] = {
        {{1920, 1080}, {0, 0, 600, 830}},
        {{600, 830}, {0, 0, 700, 900}},
        {{590, 1200}, {0, 0, 700, 830}},
    };
    for (const auto& [ecran, attendu] : cas) {
        Banc b;
        b.boite.Fixer_Taille_Ecran(ecran);
        b.boite.Ecrire_Etat_Principale(Etat_Fenetre::Maximisee);
        Placement_Par_Defaut(b.boite);
        EXPECT_EQ(b.Fenetre(), attendu) << ecran.width() << 'x' << ecran.height();
        EXPECT_EQ(b.boite.Etat_Principale(), Etat_Fenetre::Normale);
    }
}

// Start-up: a missing file, or anything but a regular file, gives the default
// placement without a word; a pipe in its place would block the reading.
TEST(Charger_Configuration, FichierAbsentOuSpecial) {
    const std::pair<const char*, void (*)(const QString&)> cas[] = {
        {"absent", [](const QString&) {}},
        {"dossier", [](const QString& chemin) { QDir().mkpath(chemin); }},
        {"tube nommé", [](const QString& chemin) { ::mkfifo(QFile::encodeName(chemin).constData(), 0600); }},
    };
    for (const auto& [nom, preparer] : cas) {
        QTemporaryDir dossier;
        preparer(dossier.filePath(Nom_Fichier_Configuration));
        Banc b(dossier.path() + u'/');
        Charger_Configuration(b.ctx);
        EXPECT_EQ(b.Fenetre(), Placement_Defaut) << nom;
        EXPECT_TRUE(b.boite.Messages().empty()) << nom;
    }
}

// Written, the file is exactly its 17 lines in Windows-1252 with CR LF, in a
// folder created when missing; read back, it gives the same window and list.
TEST(Ecrire_Configuration, AllerEtRetour) {
    struct Cas {
        const char* nom;
        Etat_Fenetre etat;
        int32_t lu_au_demarrage;
        const char* ligne2;
    };
    const Cas cas[] = {
        {"normale", Etat_Fenetre::Normale, 2, "0"},
        {"maximisée", Etat_Fenetre::Maximisee, 0, "2"},
        {"minimisée, ouverte maximisée", Etat_Fenetre::Minimisee, 2, "2"},
    };
    for (const Cas& c : cas) {
        QTemporaryDir racine;
        const QString dossier = racine.path() + QStringLiteral("/a/Trajectel/");
        Banc b(dossier);
        b.boite.Placer(Controle::Principale, {-8, 12, 640, 720});
        b.boite.Ecrire_Etat_Principale(c.etat);
        b.configuration.Etat_Fenetre = c.lu_au_demarrage;
        b.historique.Entrees[0] = QStringLiteral("/home/obs/Comètes/encke.elt");
        b.historique.Entrees[1] = QStringLiteral("/tmp/a\nb.elt");  // would split its line: left empty
        b.historique.Entrees[2] = QStringLiteral("/tmp/halley.elt");
        Ecrire_Configuration(b.ctx);
        EXPECT_TRUE(b.boite.Messages().empty()) << c.nom;

        QFile fichier(dossier + Nom_Fichier_Configuration);
        ASSERT_TRUE(fichier.open(QIODevice::ReadOnly)) << c.nom;
        const QByteArray attendu = QByteArray("[Trajectel 1.0.0]\r\n") + c.ligne2 +
                                   "\r\n640\r\n720\r\n-8\r\n12\r\nVrai\r\n/home/obs/Com\xe8tes/encke.elt\r\n"
                                   "\r\n/tmp/halley.elt\r\n" +
                                   QByteArray("\r\n").repeated(7);
        EXPECT_EQ(fichier.readAll(), attendu) << c.nom;
        EXPECT_EQ(QDir(dossier).entryList(QDir::Files), QStringList{Nom_Fichier_Configuration}) << c.nom;

        Banc relu(dossier);
        Charger_Configuration(relu.ctx);
        EXPECT_EQ(relu.Fenetre(), QRect(-8, 12, 640, 720)) << c.nom;
        EXPECT_EQ(relu.historique.Entrees[0], b.historique.Entrees[0]) << c.nom;
        EXPECT_EQ(relu.historique.Entrees[2], b.historique.Entrees[2]) << c.nom;
    }
}

TEST(Ecrire_Configuration, DossierImpossible) {
    QTemporaryDir dossier;
    QFile ordinaire(dossier.filePath(QStringLiteral("fichier")));
    ASSERT_TRUE(ordinaire.open(QIODevice::WriteOnly));
    Banc b(dossier.filePath(QStringLiteral("fichier/Trajectel/")));
    Ecrire_Configuration(b.ctx);
    ASSERT_EQ(b.boite.Messages().size(), 1u);
    EXPECT_TRUE(b.boite.Messages()[0].texte.startsWith(
        QString::fromUtf8("Erreur d'écriture du fichier Trajectel.ini\n")));
}

// A full disk, real where a small file system can be mounted, injected in
// any case: the error is reported and the settings file already there is
// left whole, with nothing beside it.
TEST(Ecrire_Configuration, DisquePlein) {
    for (const bool reel : {true, false}) {
        QTemporaryDir racine;
        std::optional<Disque_Plein> disque;
        if (reel && !disque.emplace(racine.path()).Monte()) continue;
        const QString dossier = racine.path() + QStringLiteral("/Trajectel/");
        Banc avant(dossier);
        Ecrire_Configuration(avant.ctx);
        QFile fichier(dossier + Nom_Fichier_Configuration);
        ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
        const QByteArray ancien = fichier.readAll();
        fichier.close();

        Banc b(dossier);
        b.historique.Entrees[0] = QStringLiteral("/home/obs/une comète au nom assez long pour remplir.elt");
        if (reel) disque->Remplir();
        {
            const Limite_Taille limite(!reel);
            Ecrire_Configuration(b.ctx);
        }
        // The system's reason is reported, as for any failed write.
        ASSERT_EQ(b.boite.Messages().size(), 1u) << reel;
        EXPECT_EQ(b.boite.Messages()[0].genre, Boite_Memoire::Genre::Erreur) << reel;
        // In French, with the file: « disque plein » or, injected, « fichier trop grand ».
        EXPECT_TRUE(b.boite.Messages()[0].texte.startsWith(
            QString::fromUtf8("Erreur d'écriture du fichier Trajectel.ini\n") + dossier +
            Nom_Fichier_Configuration + QStringLiteral(" : ") +
            QString::fromUtf8(reel ? "disque plein" : "fichier trop grand")))
            << reel << b.boite.Messages()[0].texte.toStdString();
        ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
        EXPECT_EQ(fichier.readAll(), ancien) << reel;
        fichier.close();
        EXPECT_EQ(QDir(dossier).entryList(QDir::Files), QStringList{Nom_Fichier_Configuration})
            << "pas de reste " << reel;
    }
}

TEST(Dossier_Configuration, SelonXdg) {
    const QByteArray avant = qgetenv("XDG_CONFIG_HOME");
    const QString maison = QDir::homePath() + QStringLiteral("/.config/Trajectel/");
    const std::pair<const char*, QString> cas[] = {
        {"/tmp/xdg", QStringLiteral("/tmp/xdg/Trajectel/")},
        {"/tmp/xdg/", QStringLiteral("/tmp/xdg/Trajectel/")},
        {"", maison},
        {"relatif/config", maison},
    };
    for (const auto& [xdg, attendu] : cas) {
        qputenv("XDG_CONFIG_HOME", xdg);
        EXPECT_EQ(Dossier_Configuration(), attendu) << '[' << xdg << ']';
    }
    qputenv("XDG_CONFIG_HOME", avant);
}

// The file is replaced whole or not at all: an interruption once the new
// content is written leaves the old file as it was, and no temporary file.
TEST(Ecrire_Fichier_Entier, ToutOuRien) {
    using R = Ecriture_Fichier::Resultat;
    const std::pair<bool, const char*> cas[] = {{false, "nouveau"}, {true, "ancien"}};
    for (const auto& [interrompre, contenu] : cas) {
        QTemporaryDir dossier;
        const QString nom = dossier.filePath(QStringLiteral("comete.elt"));
        QFile ancien(nom);
        ASSERT_TRUE(ancien.open(QIODevice::WriteOnly) && ancien.write("ancien") == 6);
        ancien.close();
        R resultat = R::Echec_Ecriture;
        try {
            resultat = Ecrire_Fichier_Entier(nom, "nouveau", [&, interrompu = interrompre] {
                           if (interrompu) throw std::runtime_error("interruption");
                       }).resultat;
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(resultat, interrompre ? R::Echec_Ecriture : R::Ecrit) << contenu;
        ASSERT_TRUE(ancien.open(QIODevice::ReadOnly));
        EXPECT_EQ(ancien.readAll(), QByteArray(contenu));
        EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"comete.elt"})
            << contenu;
    }
}

}  // namespace

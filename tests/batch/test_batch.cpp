#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "batch/ephemeride.h"
#include "batch/options_batch.h"

namespace {

const QString Exemples = QStringLiteral(TRAJECTEL_EXEMPLES);

struct Resultat {
    int statut;
    QString sortie;
    QString erreurs;
};

Resultat Executer(const QStringList& arguments) {
    QString sortie;
    QString erreurs;
    QTextStream flux_sortie(&sortie);
    QTextStream flux_erreurs(&erreurs);
    const int statut = Executer_Ephemeride(arguments, flux_sortie, flux_erreurs, QDate(2024, 3, 1));
    flux_sortie.flush();
    flux_erreurs.flush();
    return {statut, sortie, erreurs};
}

QString Exemple(const char* nom) { return Exemples + u'/' + QString::fromUtf8(nom); }

QStringList Lignes(const QString& texte) { return texte.split(u'\n', Qt::SkipEmptyParts); }

TEST(Batch, ChaqueExempleDansLesDeuxFormats) {
    const QStringList fichiers = QDir(Exemples).entryList({QStringLiteral("*.elt")}, QDir::Files);
    ASSERT_EQ(fichiers.size(), 6);
    for (const QString& fichier : fichiers) {
        const Resultat tsv =
            Executer({Exemples + u'/' + fichier, QStringLiteral("--format"), QStringLiteral("tsv")});
        EXPECT_EQ(tsv.statut, Succes) << fichier.toStdString() << tsv.erreurs.toStdString();
        const QStringList lignes = Lignes(tsv.sortie);
        ASSERT_EQ(lignes.size(), 32) << fichier.toStdString();
        for (const QString& ligne : lignes) {
            EXPECT_EQ(ligne.count(u'\t'), lignes[0].count(u'\t'))
                << fichier.toStdString() << ": " << ligne.toStdString();
        }
        const Resultat texte = Executer({Exemples + u'/' + fichier});
        EXPECT_EQ(texte.statut, Succes) << fichier.toStdString();
        EXPECT_TRUE(texte.sortie.startsWith(QStringLiteral("Ephéméride de "))) << fichier.toStdString();
        EXPECT_EQ(Lignes(texte.sortie).size(), 2 + 32) << fichier.toStdString();
    }
}

TEST(Batch, EnckeCommeMeeus) {
    // Meeus, Astronomical Algorithms, example 33.b: 10h34m14.2s +19°09'31" on 1990 October 6.0.
    const Resultat r =
        Executer({Exemple("encke.elt"), QStringLiteral("--debut"), QStringLiteral("6/10/1990"),
                  QStringLiteral("--separateur"), QStringLiteral("."), QStringLiteral("--format"),
                  QStringLiteral("tsv"), QStringLiteral("--instrument"), QStringLiteral("Arbelin")});
    ASSERT_EQ(r.statut, Succes) << r.erreurs.toStdString();
    const QStringList lignes = Lignes(r.sortie);
    EXPECT_EQ(lignes[0],
              QStringLiteral("J\tM\tAn\tAlpha h\tAlpha m\tAlpha s\tDelta d\tDelta m\tDelta s\tDistance\t"
                             "Dérive a\tDérive d\tRéglage a\tRéglage d"));
    EXPECT_EQ(lignes[1],
              QStringLiteral("06.00\t10\t1990\t10h\t34m\t15s\t 19°\t09'\t15\"\t0.825 UA\t8.31 mn/j\t"
                             "-71.5 '/j\t-0.252\t-9.415 - V2"));
    EXPECT_TRUE(lignes[2].startsWith(QStringLiteral("07.00\t10\t1990\t"))) << lignes[2].toStdString();
}

TEST(Batch, MagnitudesEtPasEnHeures) {
    const Resultat r = Executer({Exemple("churyumov-gerasimenko.elt"), QStringLiteral("--debut=15,0/8/2015"),
                                 QStringLiteral("--unite=heures"), QStringLiteral("--pas=2"),
                                 QStringLiteral("--separateur=,"), QStringLiteral("--format=tsv")});
    ASSERT_EQ(r.statut, Succes) << r.erreurs.toStdString();
    const QStringList lignes = Lignes(r.sortie);
    ASSERT_EQ(lignes.size(), 25);
    EXPECT_TRUE(lignes[0].endsWith(QStringLiteral("\tDérive d\tM1\tM2")));
    // At the observation instant the magnitudes come back as observed.
    EXPECT_TRUE(lignes[1].startsWith(QStringLiteral("15,00\t8\t2015\t")));
    EXPECT_TRUE(lignes[1].endsWith(QStringLiteral("\t12,5\t16,8"))) << lignes[1].toStdString();
    EXPECT_TRUE(lignes[2].startsWith(QStringLiteral("15,08\t8\t2015\t"))) << lignes[2].toStdString();
    EXPECT_TRUE(lignes[24].startsWith(QStringLiteral("16,92\t8\t2015\t"))) << lignes[24].toStdString();
}

TEST(Batch, StatutsEtMessages) {
    QTemporaryDir dossier;
    QFile incomplet(dossier.filePath(QStringLiteral("incomplet.elt")));
    ASSERT_TRUE(incomplet.open(QIODevice::WriteOnly));
    QFile source(Exemple("halley.elt"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    incomplet.write(
        source.readAll().replace("Equinoxe des \xe9l\xe9ments = 1950", "Equinoxe des \xe9l\xe9ments = 0"));
    incomplet.close();

    struct Cas {
        const char* nom;
        QStringList arguments;
        int statut;
        const char* message;
    };
    const Cas cas[] = {
        {"sans fichier", {}, Erreur_Usage, "fichier d'éléments manquant"},
        {"option inconnue",
         {Exemple("halley.elt"), QStringLiteral("--vite")},
         Erreur_Usage,
         "option inconnue"},
        {"valeur manquante",
         {Exemple("halley.elt"), QStringLiteral("--pas")},
         Erreur_Usage,
         "valeur manquante"},
        {"pas non entier",
         {Exemple("halley.elt"), QStringLiteral("--pas"), QStringLiteral("1,5")},
         Erreur_Usage,
         "pas invalide"},
        {"mois 13",
         {Exemple("halley.elt"), QStringLiteral("--debut"), QStringLiteral("1/13/2024")},
         Erreur_Usage,
         "date de début invalide"},
        {"unite inconnue",
         {Exemple("halley.elt"), QStringLiteral("--unite"), QStringLiteral("semaines")},
         Erreur_Usage,
         "unité inconnu"},
        {"deux fichiers", {Exemple("halley.elt"), Exemple("encke.elt")}, Erreur_Usage, "un seul fichier"},
        {"fichier absent",
         {dossier.filePath(QStringLiteral("absent.elt"))},
         Fichier_Illisible,
         "Erreur d'ouverture de fichier"},
        {"equinoxe manquante", {incomplet.fileName()}, Page_Invalide, "équinoxe des éléments"},
        {"pas nul",
         {Exemple("halley.elt"), QStringLiteral("--pas"), QStringLiteral("0")},
         Page_Invalide,
         "pas non nul"},
        {"lettre inconnue",
         {Exemple("halley.elt"), QStringLiteral("-x")},
         Erreur_Usage,
         "option inconnue : -x"},
        {"valeur donnee a un interrupteur",
         {Exemple("halley.elt"), QStringLiteral("--aide=oui")},
         Erreur_Usage,
         "l'option --aide ne prend pas de valeur"},
        {"derniere valeur manquante",
         {Exemple("halley.elt"), QStringLiteral("--pas"), QStringLiteral("2"), QStringLiteral("--sortie")},
         Erreur_Usage,
         "valeur manquante après --sortie"},
        {"fichier vide", {QString()}, Erreur_Usage, "fichier d'éléments manquant"},
    };
    for (const Cas& c : cas) {
        const Resultat r = Executer(c.arguments);
        EXPECT_EQ(r.statut, c.statut) << c.nom;
        EXPECT_TRUE(r.erreurs.contains(QString::fromUtf8(c.message)))
            << c.nom << ": " << r.erreurs.toStdString();
        EXPECT_TRUE(r.sortie.isEmpty()) << c.nom;
    }
}

TEST(Batch, AideVersionEtFinDesOptions) {
    struct Cas {
        QStringList arguments;
        const char* debut;
    };
    const Cas cas[] = {
        {{QStringLiteral("--help")}, "Usage : trajectel-ephemeride"},
        {{QStringLiteral("-h")}, "Usage : trajectel-ephemeride"},
        {{Exemple("halley.elt"), QStringLiteral("--aide")}, "Usage : trajectel-ephemeride"},
        {{QStringLiteral("--version")}, "trajectel-ephemeride " TRAJECTEL_VERSION "\n"},
        {{QStringLiteral("-v")}, "trajectel-ephemeride " TRAJECTEL_VERSION "\n"},
        // After "--" a name that looks like an option is still the file.
        {{QStringLiteral("--format"), QStringLiteral("tsv"), QStringLiteral("--"), Exemple("halley.elt")},
         "J\tM\tAn"},
    };
    for (const Cas& c : cas) {
        const Resultat r = Executer(c.arguments);
        EXPECT_EQ(r.statut, Succes) << c.arguments.join(u' ').toStdString() << r.erreurs.toStdString();
        EXPECT_TRUE(r.sortie.startsWith(QString::fromUtf8(c.debut))) << r.sortie.toStdString();
    }
    // Every option of the line is in the help.
    const QString aide = Executer({QStringLiteral("--aide")}).sortie;
    for (const char* option :
         {"--debut J/M/A", "--pas N", "--unite heures|jours|mois|années", "--instrument Aucun|",
          "--separateur ,|.", "--format texte|tsv|pdf", "--sortie CHEMIN", "-v, --version"}) {
        EXPECT_TRUE(aide.contains(QString::fromUtf8(option))) << option;
    }
}

TEST(Batch, SortieDansUnFichier) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("halley.tsv"));
    const Resultat r =
        Executer({Exemple("halley.elt"), QStringLiteral("--format"), QStringLiteral("tsv"),
                  QStringLiteral("--sortie"), chemin, QStringLiteral("--unite"), QStringLiteral("mois")});
    ASSERT_EQ(r.statut, Succes);
    EXPECT_TRUE(r.sortie.isEmpty());
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    EXPECT_EQ(Lignes(QString::fromUtf8(fichier.readAll())).size(), 13);

    const Resultat impossible = Executer({Exemple("halley.elt"), QStringLiteral("--sortie"),
                                          dossier.filePath(QStringLiteral("absent/x.txt"))});
    EXPECT_EQ(impossible.statut, Fichier_Illisible);
}

TEST(Batch, LeProgrammeLui_Meme) {
    QProcess programme;
    // A text run starts no graphical application: a missing display plugin
    // would stop it.
    QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
    environnement.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("aucune"));
    programme.setProcessEnvironment(environnement);
    programme.start(QStringLiteral(TRAJECTEL_EPHEMERIDE),
                    {Exemple("halley.elt"), QStringLiteral("--format"), QStringLiteral("tsv"),
                     QStringLiteral("--debut"), QStringLiteral("27/11/1985")});
    ASSERT_TRUE(programme.waitForFinished(30000));
    EXPECT_EQ(programme.exitCode(), 0);
    const QStringList lignes = Lignes(QString::fromUtf8(programme.readAllStandardOutput()));
    ASSERT_EQ(lignes.size(), 32);
    EXPECT_TRUE(lignes[0].startsWith(QStringLiteral("J\tM\tAn\tAlpha h")));
    // Halley on 1985 November 27 at 0 h: 01h52m20s +17°02'40" for the equinox 2000.
    EXPECT_TRUE(lignes[1].contains(QStringLiteral("\t01h\t5"))) << lignes[1].toStdString();
    EXPECT_TRUE(lignes[1].contains(QStringLiteral("\t 17°\t0"))) << lignes[1].toStdString();
}

// Where the environment names no runtime folder (cron, ssh, a root shell),
// standard error still holds the program's own messages and nothing else.
TEST(Batch, ErreurStandardSansRemarquesDuToolkit) {
    QTemporaryDir dossier;
    const QString pdf = dossier.filePath(QStringLiteral("h.pdf"));
    const std::pair<QStringList, QString> cas[] = {
        {{Exemple("halley.elt")}, {}},
        {{Exemple("halley.elt"), QStringLiteral("--format=pdf"), QStringLiteral("--sortie"), pdf}, {}},
        {{dossier.filePath(QStringLiteral("absent.elt"))},
         QStringLiteral(
             "trajectel-ephemeride : Trajectel - Ouvrir un fichier : Erreur d'ouverture de fichier\n")},
    };
    QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
    environnement.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    for (const auto& [arguments, attendu] : cas) {
        QProcess programme;
        programme.setProcessEnvironment(environnement);
        programme.start(QStringLiteral(TRAJECTEL_EPHEMERIDE), arguments);
        ASSERT_TRUE(programme.waitForFinished(60000));
        EXPECT_EQ(programme.readAllStandardError().toStdString(), attendu.toStdString())
            << arguments.join(u' ').toStdString();
    }
}

// The batch program reads a pipe it is handed, as a shell's <(...) makes one.
TEST(Batch, FichierDansUnTube) {
    QProcess programme;
    programme.start(QStringLiteral("bash"),
                    {QStringLiteral("-c"), QStringLiteral("\"$0\" <(cat \"$1\") --format tsv"),
                     QStringLiteral(TRAJECTEL_EPHEMERIDE), Exemple("halley.elt")});
    ASSERT_TRUE(programme.waitForFinished(60000));
    EXPECT_EQ(programme.exitCode(), 0) << programme.readAllStandardError().toStdString();
    EXPECT_EQ(Lignes(QString::fromUtf8(programme.readAllStandardOutput())).size(), 32);
}

TEST(Batch, PagePdf) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("halley.pdf"));
    QProcess programme;
    programme.start(QStringLiteral(TRAJECTEL_EPHEMERIDE),
                    {Exemple("halley.elt"), QStringLiteral("--format"), QStringLiteral("pdf"),
                     QStringLiteral("--sortie"), chemin, QStringLiteral("--debut"),
                     QStringLiteral("27/11/1985"), QStringLiteral("--separateur"), QStringLiteral(",")});
    ASSERT_TRUE(programme.waitForFinished(60000));
    EXPECT_EQ(programme.exitCode(), 0) << programme.readAllStandardError().toStdString();
    QFile pdf(chemin);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray contenu = pdf.readAll();
    EXPECT_TRUE(contenu.startsWith("%PDF"));
    EXPECT_EQ(contenu.count("/Type /Page\n") + contenu.count("/Type /Page\r"), 1) << "une seule page";

    QProcess texte;
    texte.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), chemin, QStringLiteral("-")});
    if (!texte.waitForFinished(30000) || texte.exitStatus() != QProcess::NormalExit)
        GTEST_SKIP() << "pdftotext absent";
    const QString page = QString::fromUtf8(texte.readAllStandardOutput());
    EXPECT_TRUE(page.contains(QStringLiteral("Ephéméride de 1P/Halley"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("27,00"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("26,00"))) << "31 lignes, jusqu'au 26 décembre";

    const Resultat sans_sortie =
        Executer({Exemple("halley.elt"), QStringLiteral("--format"), QStringLiteral("pdf")});
    EXPECT_EQ(sans_sortie.statut, Erreur_Usage);
}

}  // namespace

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <csignal>

#include "astro/echelles_temps.h"
#include "astro/position.h"
#include "batch/ephemeride.h"
#include "batch/options_batch.h"
#include "support/ceres_horizons.h"
#include "support/orbites_exemple.h"

namespace {

const QString Exemples = QStringLiteral(TRAJECTEL_EXEMPLES);

struct Resultat {
    int statut;
    QString sortie;
    QString erreurs;
};

// The tests that check today's numbers run the classic model, which keeps them.
Resultat Executer_Modele(const QStringList& arguments) {
    QString sortie;
    QString erreurs;
    QTextStream flux_sortie(&sortie);
    QTextStream flux_erreurs(&erreurs);
    const int statut = Executer_Ephemeride(arguments, flux_sortie, flux_erreurs, QDate(2024, 3, 1));
    flux_sortie.flush();
    flux_erreurs.flush();
    return {statut, sortie, erreurs};
}

Resultat Executer(const QStringList& arguments) {
    return Executer_Modele(QStringList{QStringLiteral("--modele"), QStringLiteral("classique")} + arguments);
}

QString Exemple(const char* nom) { return Exemples + u'/' + QString::fromUtf8(nom); }

QStringList Lignes(const QString& texte) { return texte.split(u'\n', Qt::SkipEmptyParts); }

// The lines but those of the header that say where the magnitudes come from.
QStringList Lignes_Sans_Magnitudes(const QString& texte) {
    QStringList lignes = Lignes(texte);
    lignes.removeIf([](const QString& l) {
        return l.startsWith(QStringLiteral("Magnitude totale : ")) ||
               l.startsWith(QStringLiteral("Magnitude du noyau : "));
    });
    return lignes;
}

// A program run for real; a crash or a hang gives the status -1.
Resultat Lancer(const QString& programme, const QStringList& arguments,
                const QProcessEnvironment& environnement = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(environnement);
    p.start(programme, arguments);
    const bool fini = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit;
    EXPECT_TRUE(fini) << programme.toStdString() << ' ' << arguments.join(u' ').toStdString();
    return {fini ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// Every line has as many cells as the header.
void Colonnes_Egales(const QStringList& lignes, const QString& fichier) {
    for (const QString& ligne : lignes)
        EXPECT_EQ(ligne.count(u'\t'), lignes[0].count(u'\t'))
            << fichier.toStdString() << ": " << ligne.toStdString();
}

// Every example in text and in TSV, and with a site by days and by hours:
// the visibility columns come after today's, cell for cell.
TEST(Batch, ChaqueExempleDansChaqueFormat) {
    const QStringList fichiers = QDir(Exemples).entryList({QStringLiteral("*.elt")}, QDir::Files);
    ASSERT_EQ(fichiers.size(), 7);
    struct Cas {
        const char* unite;
        const char* fin_entete;
        int colonnes;
    };
    const Cas cas[] = {{"jours", "\tElong.\tLever TU\tPassage TU\tHaut.\tCoucher TU\tNuit", 6},
                       {"heures", "\tElong.\tHaut.\tAzim.", 3}};
    for (const QString& fichier : fichiers) {
        const QString chemin = Exemples + u'/' + fichier;
        const Resultat tsv = Executer({chemin, QStringLiteral("--format"), QStringLiteral("tsv")});
        EXPECT_EQ(tsv.statut, Succes) << fichier.toStdString() << tsv.erreurs.toStdString();
        const QStringList avant = Lignes(tsv.sortie);
        ASSERT_EQ(avant.size(), 32) << fichier.toStdString();
        Colonnes_Egales(avant, fichier);
        const Resultat texte = Executer({chemin});
        EXPECT_EQ(texte.statut, Succes) << fichier.toStdString();
        EXPECT_TRUE(texte.sortie.startsWith(QStringLiteral("Ephéméride de "))) << fichier.toStdString();
        EXPECT_EQ(Lignes_Sans_Magnitudes(texte.sortie).size(), 2 + 32) << fichier.toStdString();
        for (const Cas& c : cas) {
            const Resultat r = Executer({chemin, QStringLiteral("--format=tsv"), QStringLiteral("--lieu"),
                                         QStringLiteral("45.9,6.1,600"), QStringLiteral("--unite"),
                                         QString::fromUtf8(c.unite)});
            ASSERT_EQ(r.statut, Succes) << fichier.toStdString() << r.erreurs.toStdString();
            const QStringList lignes = Lignes(r.sortie);
            EXPECT_TRUE(lignes[0].endsWith(QString::fromUtf8(c.fin_entete))) << lignes[0].toStdString();
            Colonnes_Egales(lignes, fichier);
            if (c.colonnes != 6) continue;
            ASSERT_EQ(avant.size(), lignes.size());
            for (int k = 0; k < lignes.size(); ++k)
                EXPECT_EQ(lignes[k].section(u'\t', 0, -1 - c.colonnes), avant[k]) << fichier.toStdString();
        }
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
        {"pdf sans sortie",
         {Exemple("halley.elt"), QStringLiteral("--format"), QStringLiteral("pdf")},
         Erreur_Usage,
         "le format pdf demande --sortie"},
        {"sortie impossible",
         {Exemple("halley.elt"), QStringLiteral("--sortie"),
          dossier.filePath(QStringLiteral("absent/x.txt"))},
         Fichier_Illisible,
         "impossible d'écrire"},
        {"monture sans lieu",
         {Exemple("halley.elt"), QStringLiteral("--monture=localhost:7624"), QStringLiteral("--appareil=M")},
         Erreur_Usage,
         "--monture demande --lieu"},
        {"monture sans appareil",
         {Exemple("halley.elt"), QStringLiteral("--monture=localhost:7624"), QStringLiteral("--lieu=45,5")},
         Erreur_Usage,
         "--monture demande --appareil"},
        {"appareil sans monture",
         {Exemple("halley.elt"), QStringLiteral("--appareil=M"), QStringLiteral("--lieu=45,5")},
         Erreur_Usage,
         "demandent --monture"},
        {"serveur au port vide",
         {Exemple("halley.elt"), QStringLiteral("--monture=localhost:"), QStringLiteral("--appareil=M"),
          QStringLiteral("--lieu=45,5")},
         Erreur_Usage,
         "serveur invalide : localhost:"},
        {"duree nulle",
         {Exemple("halley.elt"), QStringLiteral("--monture=localhost:7624"), QStringLiteral("--appareil=M"),
          QStringLiteral("--lieu=45,5"), QStringLiteral("--duree=0")},
         Erreur_Usage,
         "durée invalide : 0"},
        {"monture et tsv",
         {Exemple("halley.elt"), QStringLiteral("--monture=localhost:7624"), QStringLiteral("--appareil=M"),
          QStringLiteral("--lieu=45,5"), QStringLiteral("--format=tsv")},
         Erreur_Usage,
         "--monture écrit ses lignes sur la sortie standard"},
    };
    const auto verifier = [](const std::string& nom, const QStringList& arguments, int statut,
                             const char* message) {
        const Resultat r = Executer(arguments);
        EXPECT_EQ(r.statut, statut) << nom;
        EXPECT_TRUE(r.erreurs.contains(QString::fromUtf8(message))) << nom << ": " << r.erreurs.toStdString();
        EXPECT_TRUE(r.sortie.isEmpty()) << nom;
    };
    for (const Cas& c : cas) verifier(c.nom, c.arguments, c.statut, c.message);
    // Start dates and steps the fields could not take, refused rather than changed.
    const std::pair<const char*, const char*> refus[] = {
        {"--debut=1/1/10000", "date de début invalide : 1/1/10000"},
        {"--debut=1/1/-1000", "date de début invalide : 1/1/-1000"},
        {"--debut=1/1/0", "date de début invalide"},
        {"--debut=30/2/2025", "date de début invalide : 30/2/2025 (ce mois n'a pas ce jour)"},
        {"--debut=29/2/2023", "ce mois n'a pas ce jour"},
        {"--debut=30.99999999/4/2024", "ce mois n'a pas ce jour"},  // a float rounds it to 31
        {"--pas=-1", "pas invalide : -1"},
        {"--pas=-2147483648", "pas invalide : -2147483648"},
        {"--pas=2147483648", "pas invalide"},
        {"--pas=+2", "pas invalide"},
    };
    for (const auto& [option, message] : refus)
        verifier(option, {Exemple("halley.elt"), QString::fromUtf8(option)}, Erreur_Usage, message);
    for (const char* lieu : {"95,0", "45", "45,181", "45,0,9001", "45,0,0,1", "a,b", "45;2"})
        verifier(std::string("lieu ") + lieu,
                 {Exemple("halley.elt"), QStringLiteral("--lieu"), QString::fromUtf8(lieu)}, Erreur_Usage,
                 "lieu invalide");
}

// The options of the model: what each run accepts and the statuses of the
// combinations it refuses; the header names the precise model only.
TEST(Batch, OptionsDuModele) {
    const auto i = [](const char* t) { return QString::fromUtf8(t); };
    struct Cas {
        QStringList options;
        int statut;
        const char* attendu;  // in the header on success, in the message otherwise
    };
    const Cas cas[] = {
        {{}, Succes, "Calcul : modèle précis, place astrométrique géocentrique, deux corps\n"},
        {{i("--modele"), i("precis"), i("--apparent")}, Succes, "place apparente géocentrique"},
        {{i("--lieu"), i("45,5"), i("--topocentrique")}, Succes, "place astrométrique topocentrique"},
        {{i("--modele"), i("classique")}, Succes, ""},
        {{i("--modele"), i("exact")}, Erreur_Usage, "modèle inconnu : exact"},
        {{i("--topocentrique")}, Erreur_Usage, "--topocentrique demande --lieu"},
        {{i("--modele"), i("classique"), i("--apparent")}, Erreur_Usage, "demandent le modèle precis"},
        {{i("--decimales")}, Erreur_Usage, "--decimales demande --format tsv"},
        {{i("--apparent=1")}, Erreur_Usage, "ne prend pas de valeur"},
    };
    for (const Cas& c : cas) {
        const Resultat r =
            Executer_Modele(QStringList{Exemple("halley.elt"), i("--debut=1/1/1986")} + c.options);
        const std::string nom = c.options.join(u' ').toStdString();
        EXPECT_EQ(r.statut, c.statut) << nom << r.erreurs.toStdString();
        const QString& texte = c.statut == Succes ? r.sortie : r.erreurs;
        EXPECT_TRUE(texte.contains(i(c.attendu))) << nom << ": " << texte.toStdString();
        if (*c.attendu == 0) {
            EXPECT_FALSE(r.sortie.contains(i("Calcul :"))) << nom;
        }
    }
}

// One precise row end to end: the decimal columns follow today's, agree with
// the rounded ones, and the row lies a few seconds of arc from the classic one.
TEST(Batch, LignePreciseEtDecimales) {
    const QStringList arguments = {Exemple("halley.elt"), QStringLiteral("--debut=9/2/1986"),
                                   QStringLiteral("--format=tsv"), QStringLiteral("--separateur=.")};
    const Resultat precis = Executer_Modele(arguments + QStringList{QStringLiteral("--decimales")});
    const Resultat classique = Executer(arguments + QStringList{QStringLiteral("--decimales")});
    ASSERT_EQ(precis.statut, Succes) << precis.erreurs.toStdString();
    const QStringList lignes = Lignes(precis.sortie);
    EXPECT_TRUE(lignes[0].endsWith(QString::fromUtf8("\tDérive d\tAlpha (h)\tDelta (°)\tDistance (UA)")))
        << lignes[0].toStdString();
    Colonnes_Egales(lignes, QStringLiteral("halley"));
    const auto cellules = [](const QString& ligne) { return ligne.split(u'\t'); };
    const QStringList p = cellules(lignes[1]), c = cellules(Lignes(classique.sortie)[1]);
    const qsizetype n = p.size();
    ASSERT_EQ(n, 15);
    EXPECT_EQ(p.mid(0, n - 3).join(u'\t'), Lignes(Executer_Modele(arguments).sortie)[1]);
    // The unrounded values, seven, six and eight decimals, round to the page's texts.
    const double alpha = p[n - 3].toDouble(), delta = p[n - 2].toDouble(), distance = p[n - 1].toDouble();
    EXPECT_EQ(p[n - 3].section(u'.', 1).size(), 7);
    EXPECT_EQ(p[n - 2].section(u'.', 1).size(), 6);
    EXPECT_EQ(p[n - 1].section(u'.', 1).size(), 8);
    const double secondes = (alpha - p[3].chopped(1).toDouble() - p[4].chopped(1).toDouble() / 60) * 3600;
    EXPECT_NEAR(secondes, p[5].chopped(1).toDouble(), 0.5 + 1e-6);
    EXPECT_NEAR(distance, p[9].section(u' ', 0, 0).toDouble(), 0.0005 + 1e-9);
    const double ecart = std::hypot((alpha - c[n - 3].toDouble()) * 15 * std::cos(delta * Pi_Radians / 180),
                                    delta - c[n - 2].toDouble()) *
                         3600;
    EXPECT_GT(ecart, 1);
    EXPECT_LT(ecart, 120);
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
          "--separateur ,|.", "--format texte|tsv|pdf", "--sortie CHEMIN", "--modele classique|precis",
          "--topocentrique", "--apparent", "--decimales", "--monture HOTE:PORT", "--appareil NOM",
          "--duree MINUTES", "--jour", "-v, --version"}) {
        EXPECT_TRUE(aide.contains(QString::fromUtf8(option))) << option;
    }
    for (const char* option : {"--catalogue NOM", "--actualiser NOM[,NOM", "--url URL", "--catalogues"})
        EXPECT_TRUE(aide.contains(QString::fromUtf8(option))) << option;
}

// Dates the fields can hold, and the row that shows them.
TEST(Batch, DatesDeDebutTenues) {
    const std::pair<const char*, const char*> cas[] = {
        {"29/2/2024", "29.00\t2\t2024\t"},     {"31,5/1/2024", "31.50\t1\t2024\t"},
        {"1/1/9999", "01.00\t1\t9999\t"},      {"31.999/1/2025", "01.00\t2\t2025\t"},
        {"30,996/4/2024", "01.00\t5\t2024\t"},
    };
    for (const auto& [debut, ligne] : cas) {
        const Resultat r =
            Executer({Exemple("halley.elt"), QStringLiteral("--debut"), QString::fromUtf8(debut),
                      QStringLiteral("--format=tsv"), QStringLiteral("--separateur=.")});
        ASSERT_EQ(r.statut, Succes) << debut << r.erreurs.toStdString();
        EXPECT_TRUE(Lignes(r.sortie)[1].startsWith(QString::fromUtf8(ligne)))
            << Lignes(r.sortie)[1].toStdString();
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
}

TEST(Batch, LeProgrammeLui_Meme) {
    // A text run starts no graphical application: a missing display plugin
    // would stop it.
    QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
    environnement.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("aucune"));
    const Resultat r = Lancer(QStringLiteral(TRAJECTEL_EPHEMERIDE),
                              {Exemple("halley.elt"), QStringLiteral("--format"), QStringLiteral("tsv"),
                               QStringLiteral("--debut"), QStringLiteral("27/11/1985")},
                              environnement);
    EXPECT_EQ(r.statut, 0);
    const QStringList lignes = Lignes(r.sortie);
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
        EXPECT_EQ(Lancer(QStringLiteral(TRAJECTEL_EPHEMERIDE), arguments, environnement).erreurs, attendu)
            << arguments.join(u' ').toStdString();
    }
}

// The batch program reads a pipe it is handed, as a shell's <(...) makes one.
TEST(Batch, FichierDansUnTube) {
    const Resultat r = Lancer(QStringLiteral("bash"),
                              {QStringLiteral("-c"), QStringLiteral("\"$0\" <(cat \"$1\") --format tsv"),
                               QStringLiteral(TRAJECTEL_EPHEMERIDE), Exemple("halley.elt")});
    EXPECT_EQ(r.statut, 0) << r.erreurs.toStdString();
    EXPECT_EQ(Lignes(r.sortie).size(), 32);
}

TEST(Batch, PagePdf) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("halley.pdf"));
    const Resultat r =
        Lancer(QStringLiteral(TRAJECTEL_EPHEMERIDE),
               {Exemple("halley.elt"), QStringLiteral("--format"), QStringLiteral("pdf"),
                QStringLiteral("--sortie"), chemin, QStringLiteral("--debut"), QStringLiteral("27/11/1985"),
                QStringLiteral("--separateur"), QStringLiteral(",")});
    EXPECT_EQ(r.statut, 0) << r.erreurs.toStdString();
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
}

// The batch program copied without the program that draws the page: the
// page is refused, not reported written.
TEST(Batch, PagePdfSansSonImprimeur) {
    QTemporaryDir dossier;
    const QString seul = dossier.filePath(QStringLiteral("trajectel-ephemeride"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TRAJECTEL_EPHEMERIDE), seul));
    const QString chemin = dossier.filePath(QStringLiteral("halley.pdf"));
    const Resultat r = Lancer(
        seul, {Exemple("halley.elt"), QStringLiteral("--format=pdf"), QStringLiteral("--sortie"), chemin});
    EXPECT_EQ(r.statut, Fichier_Illisible);
    EXPECT_TRUE(r.erreurs.contains(QStringLiteral("impossible de lancer trajectel-ephemeride-pdf")));
    EXPECT_FALSE(QFile::exists(chemin));
    // Text needs no printing program.
    EXPECT_EQ(Lancer(seul, {Exemple("halley.elt")}).statut, Succes);
}

// Outputs that cannot be written: the status says so, standard error says
// why, and the file named keeps what it held, with nothing left beside it.
// In the scripts "$0" is the program, "$1" the element file, "$2" the folder
// of the output "$2/F". A file size limit stands for a full disk.
TEST(Batch, SortiesImpossiblesAEcrire) {
    struct Cas {
        const char* nom;
        const char* script;
        const char* message;
    };
    const Cas cas[] = {
        {"texte sur un disque plein", "\"$0\" \"$1\" >/dev/full",
         "impossible d'écrire la sortie standard : No space left on device"},
        {"tsv sortie fermee", "\"$0\" \"$1\" --format tsv >&-",
         "impossible d'écrire la sortie standard : Bad file descriptor"},
        {"aide sur un disque plein", "\"$0\" --aide >/dev/full",
         "impossible d'écrire la sortie standard : No space left on device"},
        {"texte vers un dossier", "\"$0\" \"$1\" --sortie \"$2\"", "impossible d'écrire $2 : Is a directory"},
        {"pdf vers un dossier", "\"$0\" \"$1\" --format pdf --sortie \"$2\"",
         "impossible d'écrire $2 : Is a directory"},
        {"texte vers un appareil plein", "\"$0\" \"$1\" --sortie /dev/full",
         "impossible d'écrire /dev/full : No space left on device"},
        {"pdf vers un appareil plein", "\"$0\" \"$1\" --format pdf --sortie /dev/full",
         "impossible d'écrire /dev/full : No space left on device"},
        {"texte, fichier limite", "trap '' XFSZ; ulimit -f 1; exec \"$0\" \"$1\" --sortie \"$2/F\"",
         "impossible d'écrire $2/F : File too large"},
        {"pdf, fichier limite",
         "trap '' XFSZ; ulimit -f 4; exec \"$0\" \"$1\" --format pdf --sortie \"$2/F\"",
         "impossible d'écrire $2/F : File too large"},
        {"dossier absent", "\"$0\" \"$1\" --format pdf --sortie \"$2/absent/F\"",
         "impossible d'écrire $2/absent/F : "},
    };
    // The system's reasons in their untranslated words.
    QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
    environnement.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    for (const Cas& c : cas) {
        QTemporaryDir dossier;
        QFile ancien(dossier.filePath(QStringLiteral("F")));
        ASSERT_TRUE(ancien.open(QIODevice::WriteOnly) && ancien.write("contenu précédent") > 0);
        ancien.close();
        const Resultat r =
            Lancer(QStringLiteral("bash"),
                   {QStringLiteral("-c"), QString::fromUtf8(c.script), QStringLiteral(TRAJECTEL_EPHEMERIDE),
                    Exemple("halley.elt"), dossier.path()},
                   environnement);
        EXPECT_EQ(r.statut, Fichier_Illisible) << c.nom;
        const QString message = QString::fromUtf8(c.message).replace(QStringLiteral("$2"), dossier.path());
        EXPECT_TRUE(r.erreurs.startsWith(QStringLiteral("trajectel-ephemeride : ") + message))
            << c.nom << " : " << r.erreurs.toStdString();
        EXPECT_EQ(QDir(dossier.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  QStringList{QStringLiteral("F")})
            << c.nom;
        ASSERT_TRUE(ancien.open(QIODevice::ReadOnly));
        EXPECT_EQ(ancien.readAll(), QByteArray("contenu précédent")) << c.nom;
    }
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/full")).exists() &&
                !QFileInfo(QStringLiteral("/dev/full")).isFile());
}

// A reader that stops early ends the program by the usual signal, without
// a word: the program starts once the reader has closed its end ("$2/ferme").
// A device that takes everything is written.
TEST(Batch, LecteurQuiSArreteEtAppareil) {
    QTemporaryDir dossier;
    const Resultat ferme = Lancer(
        QStringLiteral("bash"),
        {QStringLiteral("-c"),
         QStringLiteral(
             "{ for k in $(seq 200); do [ -e \"$2/ferme\" ] && break; sleep 0.05; done; \"$0\" \"$1\"; } "
             "| { exec 0<&-; : >\"$2/ferme\"; }; exit ${PIPESTATUS[0]}"),
         QStringLiteral(TRAJECTEL_EPHEMERIDE), Exemple("halley.elt"), dossier.path()});
    EXPECT_EQ(ferme.statut, 128 + SIGPIPE);
    EXPECT_TRUE(ferme.erreurs.isEmpty()) << ferme.erreurs.toStdString();
    const Resultat nul =
        Lancer(QStringLiteral(TRAJECTEL_EPHEMERIDE),
               {Exemple("halley.elt"), QStringLiteral("--sortie"), QStringLiteral("/dev/null")});
    EXPECT_EQ(nul.statut, Succes) << nul.erreurs.toStdString();
}

const QString Cometes = Exemples + QStringLiteral("/cometes-mpc.txt");

// An imported object gives the very ephemeris of the element file that
// holds the same numbers: both go through the same reader.
TEST(Batch, ImportCommeFichierElements) {
    QTemporaryDir dossier;
    const QString elt = dossier.filePath(QStringLiteral("hb.elt"));
    QFile f(elt);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "Trajectel version 1.0.0\r\nObjet : C/1995 O1 (Hale-Bopp)\r\nExcentricit\xe9 = 0,994928\r\n"
        "Distance du p\xe9rih\xe9lie = 0,916241 UA\r\nInclinaison = 88,9908 \xb0\r\n"
        "Argument du p\xe9rih\xe9lie = 130,6448 \xb0\r\nLongitude du noeud ascendant = 283,3593 \xb0\r\n"
        "Jour du p\xe9rih\xe9lie = 29,6333\r\nMois du p\xe9rih\xe9lie = 3\r\nAnn\xe9"
        "e du p\xe9rih\xe9lie = 1997\r\n"
        "Equinoxe des \xe9l\xe9ments = 2000\r\nEquinoxe \xe9ph\xe9m\xe9ride = 2000\r\n");
    for (const char* l :
         {"Magnitude totale = ", "Jour pour la magnitude totale ", "Mois pour la magnitude totale ",
          "Ann\xe9"
          "e pour la magnitude totale ",
          "Magnitude du noyau = ", "Jour pour la magnitude du noyau ", "Mois pour la magnitude du noyau ",
          "Ann\xe9"
          "e pour la magnitude du noyau "})
        f.write(QByteArray(l) + "0\r\n");
    f.close();
    const QStringList debut = {QStringLiteral("--debut"), QStringLiteral("1/4/1997"), QStringLiteral("--pas"),
                               QStringLiteral("3")};
    const Resultat fichier = Executer(QStringList{elt} + debut);
    const Resultat import = Executer(QStringList{QStringLiteral("--importer"), Cometes,
                                                 QStringLiteral("--objet"), QStringLiteral("hale")} +
                                     debut);
    ASSERT_EQ(fichier.statut, Succes) << fichier.erreurs.toStdString();
    ASSERT_EQ(import.statut, Succes) << import.erreurs.toStdString();
    // The same rows, the import adding the magnitude its g,k law gives.
    const QStringList lignes_import = Lignes_Sans_Magnitudes(import.sortie);
    const QStringList lignes_fichier = Lignes(fichier.sortie);
    ASSERT_EQ(lignes_import.size(), lignes_fichier.size());
    for (int k = 0; k < lignes_fichier.size(); ++k)
        EXPECT_TRUE(lignes_import[k].startsWith(lignes_fichier[k])) << lignes_import[k].toStdString();
    EXPECT_TRUE(lignes_import.filter(QStringLiteral("M1")).size() == 1);
    EXPECT_TRUE(import.erreurs.isEmpty()) << import.erreurs.toStdString();
}

// Each published format's law gives its columns without a typed magnitude:
// g,k the total, H,G the nucleus, Horizons' M1, K1, M2, K2 both.
TEST(Batch, MagnitudesDesObjetsImportes) {
    QTemporaryDir dossier;
    const struct {
        const char* nom;
        std::string texte;
        const char* colonnes;  // the header's end
        int nombres;           // magnitude cells at the end of each row
    } cas[] = {
        {"encke.txt", Ligne_Encke, "Dérive d\tM1", 1},
        {"ceres.txt", Ligne_Ceres, "Dérive d\tM2", 1},
        {"halley.txt", Horizons_Halley_Entete + Horizons_Halley, "Dérive d\tM1\tM2", 2},
    };
    for (const auto& c : cas) {
        const QString chemin = dossier.filePath(QString::fromUtf8(c.nom));
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(c.texte.c_str()) > 0);
        f.close();
        const Resultat r = Executer({QStringLiteral("--importer"), chemin, QStringLiteral("--rang"),
                                     QStringLiteral("1"), QStringLiteral("--format"), QStringLiteral("tsv"),
                                     QStringLiteral("--separateur"), QStringLiteral(".")});
        ASSERT_EQ(r.statut, Succes) << c.nom << r.erreurs.toStdString();
        const QStringList lignes = Lignes(r.sortie);
        ASSERT_EQ(lignes.size(), 32) << c.nom;
        EXPECT_TRUE(lignes[0].endsWith(QString::fromUtf8(c.colonnes))) << lignes[0].toStdString();
        for (int k = 1; k < lignes.size(); ++k) {
            const QStringList cellules = lignes[k].split(u'\t');
            for (int n = 1; n <= c.nombres; ++n) {
                bool lu = false;
                const double m = cellules[cellules.size() - n].toDouble(&lu);
                EXPECT_TRUE(lu && m > -10 && m < 40) << c.nom << ' ' << lignes[k].toStdString();
            }
        }
    }
}

TEST(Batch, ImportStatutsEtListes) {
    QTemporaryDir dossier;
    const QString texte = dossier.filePath(QStringLiteral("texte.txt"));
    QFile f(texte);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("Bonjour\n") > 0);
    f.close();
    const auto i = [](const char* t) { return QString::fromUtf8(t); };
    const struct {
        QStringList arguments;
        int statut;
        int lignes_sortie;
        const char* erreur;  // the beginning of standard error, "" for nothing
    } cas[] = {
        {{i("--importer"), Cometes, i("--lister")}, Succes, 2, ""},
        {{i("--importer"), Cometes, i("--objet"), i("ENCKE")}, Succes, 2 + 32, ""},
        {{i("--importer"), Cometes, i("--objet"), i("C")},
         Erreur_Usage,
         0,
         "trajectel-ephemeride : 2 objets contiennent « C », précisez --objet ou choisissez par --rang :\n"
         "1\tC/1995 O1 (Hale-Bopp), époque 24/02/2020\t"},
        {{i("--importer"), Cometes, i("--objet"), i("C"), i("--rang"), i("2")}, Succes, 2 + 32, ""},
        {{i("--importer"), Cometes, i("--rang"), i("1")}, Succes, 2 + 32, ""},
        {{i("--importer"), Cometes, i("--objet"), i("hale"), i("--rang"), i("2")},
         Erreur_Usage,
         0,
         "trajectel-ephemeride : l'objet de rang 2 ne contient pas « hale »"},
        {{i("--importer"), Cometes, i("--rang"), i("3")},
         Erreur_Usage,
         0,
         "trajectel-ephemeride : pas d'objet de rang 3 : le fichier en compte 2"},
        {{i("--importer"), Cometes, i("--rang"), i("0")},
         Erreur_Usage,
         0,
         "trajectel-ephemeride : rang invalide : 0"},
        {{i("--importer"), Cometes}, Erreur_Usage, 0, "trajectel-ephemeride : 2 objets contiennent"},
        {{i("--importer"), Cometes, i("--objet"), i("Halley")},
         Erreur_Usage,
         0,
         "trajectel-ephemeride : aucun objet ne contient « Halley »"},
        {{i("--objet"), i("Encke"), Exemple("encke.elt")},
         Erreur_Usage,
         0,
         "trajectel-ephemeride : --objet, --rang et --lister demandent --importer"},
        {{i("--importer"), Cometes, Exemple("encke.elt")},
         Erreur_Usage,
         0,
         "trajectel-ephemeride : --importer remplace le fichier d'éléments"},
        {{i("--importer"), Cometes, i("--lister"), i("--objet"), i("x")},
         Erreur_Usage,
         0,
         "trajectel-ephemeride : --lister exclut --objet et --rang"},
        {{i("--importer"), dossier.filePath(i("absent"))},
         Fichier_Illisible,
         0,
         "trajectel-ephemeride : impossible de lire"},
        {{i("--importer"), texte},
         Fichier_Illisible,
         0,
         "trajectel-ephemeride : aucune orbite dans un format connu"},
    };
    for (const auto& c : cas) {
        const Resultat r = Executer(c.arguments);
        const std::string trace = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(r.statut, c.statut) << trace << r.erreurs.toStdString();
        EXPECT_EQ(Lignes_Sans_Magnitudes(r.sortie).size(), c.lignes_sortie) << trace;
        EXPECT_TRUE(*c.erreur ? r.erreurs.startsWith(QString::fromUtf8(c.erreur)) : r.erreurs.isEmpty())
            << trace << " : " << r.erreurs.toStdString();
    }
}

// Files that give no orbit, or a doubtful one: each says why, in its own words.
TEST(Batch, ImportMessagesPropres) {
    QTemporaryDir dossier;
    const auto fichier = [&](const char* nom, const std::string& contenu) {
        QFile f(dossier.filePath(QString::fromUtf8(nom)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenu.data(), static_cast<qint64>(contenu.size()));
        return f.fileName();
    };
    const QString gros = fichier("gros.txt", Ligne_Parabole);
    ASSERT_TRUE(QFile::resize(gros, qint64{2} << 30));  // sparse
    const QString halley = fichier("halley.txt", Horizons_Halley_Entete + Horizons_Halley);
    const auto i = [](const char* t) { return QString::fromUtf8(t); };
    const QStringList debut = {i("--debut"), i("1/5/2021"), i("--pas"), i("5")};
    const struct {
        const char* nom;
        QStringList arguments;
        int statut;
        int lignes_sortie;
        const char* erreur;  // the beginning of standard error, "" for nothing
    } cas[] = {
        {"angle de 1e-308",
         QStringList{i("--importer"),
                     fichier("angle.txt", "C/2020 X1,p,05/02.125/2021,45.6,1e-308,1.234,210.5,2000")} +
             debut,
         Succes, 2 + 32, ""},
        {"e de 1e308",
         {i("--importer"), fichier("e.txt", "C/2019 Q4,h,12/08.5/2019,44.05,308.14,209.12,1e308,2.00,2000")},
         Fichier_Illisible,
         0,
         "trajectel-ephemeride : Une orbite absurde (excentricité, distance ou date du périhélie démesurée) "
         "a été ignorée.\ntrajectel-ephemeride : aucune orbite utilisable"},
        {"q nul",
         {i("--importer"), fichier("q.txt", "C/2020 X1,p,05/02.125/2021,45.6,120.3,0,210.5,2000")},
         Fichier_Illisible,
         0,
         "trajectel-ephemeride : Une orbite dont la distance du périhélie n'est pas positive a été ignorée.\n"
         "trajectel-ephemeride : aucune orbite utilisable"},
        {"2 Gio",
         {i("--importer"), gros},
         Fichier_Illisible,
         0,
         "trajectel-ephemeride : fichier trop grand pour être importé"},
        {"Horizons, deux orbites du meme corps", {i("--importer"), halley, i("--lister")}, Succes, 2, ""},
        {"Horizons, le nom choisit les deux",
         {i("--importer"), halley, i("--objet"), i("Halley")},
         Erreur_Usage,
         0,
         "trajectel-ephemeride : 2 objets contiennent « Halley », précisez --objet ou choisissez par --rang "
         ":\n"
         "1\t1P/Halley, époque 1/01/2024\t"},
        {"Horizons, le rang choisit l'une",
         QStringList{i("--importer"), halley, i("--objet"), i("Halley"), i("--rang"), i("1")} + debut, Succes,
         2 + 32, ""},
        {"MPCORB, M de 358",
         QStringList{i("--importer"),
                     fichier("loin.txt", std::string(Ligne_Ceres).replace(26, 9, "358.00000"))} +
             debut,
         Succes, 2 + 32, ""},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const Resultat r = Executer(c.arguments);
        EXPECT_EQ(r.statut, c.statut) << r.erreurs.toStdString();
        EXPECT_EQ(Lignes_Sans_Magnitudes(r.sortie).size(), c.lignes_sortie);
        EXPECT_TRUE(*c.erreur ? r.erreurs.startsWith(QString::fromUtf8(c.erreur)) : r.erreurs.isEmpty())
            << r.erreurs.toStdString();
    }
}

// Each object listed with the epoch of its elements and the laws its line gives.
TEST(Batch, ListeAvecEpoquesEtLois) {
    const Resultat r = Executer({QStringLiteral("--importer"), Cometes, QStringLiteral("--lister")});
    ASSERT_EQ(r.statut, Succes) << r.erreurs.toStdString();
    EXPECT_EQ(
        Lignes(r.sortie).join(u'\n').toStdString(),
        "C/1995 O1 (Hale-Bopp), époque 24/02/2020\t29.6333/03/1997\t0.916241\t0.994928\tM1 = -2 ; K1 = 10\n"
        "2P/Encke, époque 1/10/1990\t28.545/10/1990\t0.330886\t0.85022\tM1 = 11.5 ; K1 = 15");
}

// Halley from Sydney on 9 March 1986, a morning object high in the south.
TEST(Batch, HalleyDepuisSydney) {
    const Resultat r = Executer({Exemple("halley.elt"), QStringLiteral("--debut=9/3/1986"),
                                 QStringLiteral("--lieu=-33.9,151.2"), QStringLiteral("--format=tsv"),
                                 QStringLiteral("--separateur=.")});
    ASSERT_EQ(r.statut, Succes) << r.erreurs.toStdString();
    const QStringList cellules = Lignes(r.sortie)[1].split(u'\t');
    EXPECT_EQ(cellules.mid(cellules.size() - 6).join(u' '),
              QStringLiteral("46.8 16:01 22:58 76.0 06:00 28.4"));
}

}  // namespace

namespace {

struct Place_Tsv {
    double alpha;  // radians
    double delta;
};

// The unrounded place of the first row of a TSV page with --decimales.
Place_Tsv Premiere_Place(const Resultat& r) {
    const QStringList cellules = Lignes(r.sortie).value(1).split(u'\t');
    if (cellules.size() < 3) return {NAN, NAN};
    const double heures = cellules[cellules.size() - 3].toDouble();
    const double degres = cellules[cellules.size() - 2].toDouble();
    return {heures * Pi_Radians / 12, degres * Radians_Par_Degre};
}

double Ecart_Secondes(const Place_Tsv& a, double alpha, double delta) {
    const double c =
        std::sin(a.delta) * std::sin(delta) + std::cos(a.delta) * std::cos(delta) * std::cos(a.alpha - alpha);
    return std::acos(std::min(1.0, c)) / Radians_Par_Seconde;
}

// Ceres typed with its epoch, and imported from an MPCORB line, follows the
// planets by default: the header says from which epoch, and the row moves
// minutes of arc from the two-body row that --deux-corps gives; the typed
// set lands within 5″ of Horizons (test data named in ceres_horizons.h).
TEST(Batch, PerturbeOuDeuxCorps) {
    QTemporaryDir dossier;
    const QString mpcorb = dossier.filePath(QStringLiteral("MPCORB.DAT"));
    {
        QFile f(mpcorb);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(Ligne_Ceres) + "\r\n");
    }
    struct Cas {
        const char* nom;
        QStringList source;
        const char* debut;
        const char* epoque;
    };
    const Cas cas[] = {
        {"fichier",
         {Exemple("ceres-1995.elt")},
         "--debut=1/1/2000",
         "perturbé depuis l'époque 14/01/1995 TT"},
        {"MPCORB",
         {QStringLiteral("--importer"), mpcorb},
         "--debut=1/1/2025",
         "perturbé depuis l'époque 31/05/2020 TT"},
    };
    const QStringList tsv = {QStringLiteral("--format=tsv"), QStringLiteral("--decimales"),
                             QStringLiteral("--separateur=.")};
    for (const Cas& c : cas) {
        const QStringList arguments = c.source + QStringList{QString::fromUtf8(c.debut)};
        const Resultat perturbe = Executer_Modele(arguments);
        const Resultat deux_corps = Executer_Modele(arguments + QStringList{QStringLiteral("--deux-corps")});
        ASSERT_EQ(perturbe.statut, Succes) << c.nom << perturbe.erreurs.toStdString();
        ASSERT_EQ(deux_corps.statut, Succes) << c.nom << deux_corps.erreurs.toStdString();
        EXPECT_TRUE(perturbe.sortie.contains(QString::fromUtf8(c.epoque)))
            << c.nom << perturbe.sortie.toStdString();
        EXPECT_TRUE(deux_corps.sortie.contains(QStringLiteral("géocentrique, deux corps\n"))) << c.nom;
        const Place_Tsv p = Premiere_Place(Executer_Modele(arguments + tsv));
        const Place_Tsv k =
            Premiere_Place(Executer_Modele(arguments + tsv + QStringList{QStringLiteral("--deux-corps")}));
        EXPECT_GT(Ecart_Secondes(p, k.alpha, k.delta), 120) << c.nom;
    }
    const Place_Tsv ceres = Premiere_Place(
        Executer_Modele(QStringList{Exemple("ceres-1995.elt"), QStringLiteral("--debut=1/1/2000")} + tsv));
    const Direction_Publiee h = Direction_Horizons(Ceres_1995, Ceres_2000, JJ_UTC_Vers_TT(Ceres_2000.JJ));
    EXPECT_NEAR(Ecart_Secondes(ceres, h.alpha, h.delta), 0, 5);
}

// A row past 200 years from the epoch keeps its date and says why it has
// no place, in the aligned text and in the TSV, whose cells stay as many.
TEST(Batch, LigneAuDelaDeDeuxCentsAns) {
    const QStringList arguments = {Exemple("ceres-1995.elt"), QStringLiteral("--debut=1/1/2195"),
                                   QStringLiteral("--separateur=.")};
    const QString message = QString::fromUtf8("Plus de 200 ans depuis l'époque d'osculation");
    const Resultat texte = Executer_Modele(arguments);
    const Resultat tsv = Executer_Modele(arguments + QStringList{QStringLiteral("--format=tsv")});
    ASSERT_EQ(texte.statut, Succes) << texte.erreurs.toStdString();
    const QStringList lignes_tsv = Lignes(tsv.sortie);
    ASSERT_EQ(lignes_tsv.size(), 32);
    Colonnes_Egales(lignes_tsv, QStringLiteral("tsv"));
    EXPECT_TRUE(lignes_tsv[1].contains(QStringLiteral("h\t")));  // 1 January 2195: a place
    EXPECT_TRUE(lignes_tsv[31].startsWith(QStringLiteral("31.00\t1\t2195\t") + message));
    EXPECT_TRUE(texte.sortie.contains(QStringLiteral("31.00  1  2195  ") + message + u'\n'))
        << texte.sortie.toStdString();
}

}  // namespace

namespace {

// The header says where each magnitude column comes from: the law, its
// origin and the estimate that sets its zero point; nothing without a column.
TEST(Batch, EnTeteDesMagnitudes) {
    const struct {
        const char* nom;
        QStringList arguments;
        QStringList lignes;
    } cas[] = {
        {"estimations sur les lois du programme",
         {Exemple("churyumov-gerasimenko.elt"), QStringLiteral("--debut=15/8/2015")},
         {QStringLiteral("Magnitude totale : loi du programme, K1 = 10 ; estimation 12,5 le 15/08/2015, "
                         "d'où M1 = 10,31"),
          QStringLiteral("Magnitude du noyau : loi du programme, K2 = 5 ; estimation 16,8 le 15/08/2015, "
                         "d'où M2 = 15,09")}},
        {"loi g, k importée",
         {QStringLiteral("--importer"), Exemple("cometes-mpc.txt"), QStringLiteral("--objet=Encke")},
         {QStringLiteral("Magnitude totale : loi M1 = 11,5, K1 = 15, importée de cometes-mpc.txt")}},
        {"aucune colonne", {Exemple("halley.elt")}, {}},
    };
    for (const auto& c : cas) {
        const Resultat r = Executer(c.arguments + QStringList{QStringLiteral("--separateur=,")});
        ASSERT_EQ(r.statut, Succes) << c.nom << r.erreurs.toStdString();
        const QString en_tete = r.sortie.left(r.sortie.indexOf(QStringLiteral("\n\n")));
        QStringList lues;
        for (const QString& ligne : en_tete.split(u'\n'))
            if (ligne.startsWith(QStringLiteral("Magnitude "))) lues << ligne;
        EXPECT_EQ(lues.join(u'\n').toStdString(), c.lignes.join(u'\n').toStdString()) << c.nom;
    }
}

}  // namespace

namespace {

// Every element file the batch refuses says why: an absurd orbit with the
// import's words and status 1, in either model; a fault of the file with
// « Erreur de lecture du fichier », then its line and reason, and status 3.
// The cases are in tests/data/fichiers_refuses.tsv.
TEST(Batch, FichiersRefusesDisentPourquoi) {
    QFile table(QStringLiteral(TRAJECTEL_DONNEES_TESTS "/fichiers_refuses.tsv"));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    QFile source(Exemple("halley.elt"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QList<QByteArray> halley = source.readAll().split('\n');
    QTemporaryDir dossier;
    int cas = 0;
    for (const QString& ligne : QString::fromUtf8(table.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        if (ligne.startsWith(u'#')) continue;
        const QStringList c = ligne.split(u'\t');
        ASSERT_EQ(c.size(), 6) << ligne.toStdString();
        SCOPED_TRACE(c[0].toStdString());
        const int numero = c[1].toInt();
        QList<QByteArray> lignes = halley.mid(0, 20);
        if (c[2] == u"coupé")
            lignes = lignes.mid(0, numero);
        else if (numero > lignes.size())
            lignes << c[2].toLatin1() + '\r';
        else
            lignes[numero - 1] = c[2].toLatin1() + '\r';
        QFile fichier(dossier.filePath(QStringLiteral("refuse%1.elt").arg(++cas)));
        ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
        fichier.write(lignes.join('\n') + '\n');
        fichier.close();
        QStringList arguments{fichier.fileName()};
        if (!c[3].isEmpty()) arguments << c[3];
        const Resultat r = Executer_Modele(arguments);
        EXPECT_EQ(r.statut, c[4].toInt());
        EXPECT_TRUE(r.sortie.isEmpty());
        for (const QString& fragment :
             QString(c[5]).replace(QStringLiteral("\\n"), QStringLiteral("\n")).split(u'|'))
            EXPECT_TRUE(r.erreurs.contains(fragment)) << r.erreurs.toStdString();
    }
    EXPECT_EQ(cas, 7);
}

}  // namespace

// The batch program's tonight list: its header and cells, the defaults,
// and every refusal of its command line, each with its message and status.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>

#include "batch/ephemeride.h"
#include "support/copies_essai.h"

namespace {

const QString Catalogue = QStringLiteral(TRAJECTEL_DONNEES_TESTS "/ce_soir/catalogue.txt");

struct Resultat {
    int statut;
    QString sortie;
    QString erreurs;
};

// At 15 March 2026, 21 h UT: tonight is the night of the 15th.
Resultat Executer(const QStringList& arguments) {
    QString sortie, erreurs;
    QTextStream s(&sortie), e(&erreurs);
    const QDateTime maintenant(QDate(2026, 3, 15), QTime(21, 0), Qt::UTC);
    const int statut = Executer_Ephemeride(arguments, s, e, QDate(2026, 3, 15), nullptr, maintenant);
    s.flush();
    e.flush();
    return {statut, sortie, erreurs};
}

QStringList Base() {
    return {QStringLiteral("--ce-soir"), QStringLiteral("--importer"), Catalogue, QStringLiteral("--lieu"),
            QStringLiteral("44,5.7")};
}

TEST(Ce_Soir_Batch, TsvEtDefauts) {
    const Resultat tsv = Executer(Base() + QStringList{QStringLiteral("--format"), QStringLiteral("tsv"),
                                                       QStringLiteral("--separateur"), QStringLiteral(",")});
    ASSERT_EQ(tsv.statut, 0) << tsv.erreurs.toStdString();
    const QStringList lignes = tsv.sortie.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GT(lignes.size(), 5);
    EXPECT_EQ(lignes[0], QStringLiteral("Objet\tMagnitude\tHauteur\tHeure TU\tAD J2000\tDéc. J2000\t"
                                        "Élongation\tDistance Lune\tDistance Terre\tMouvement (″/min)"));
    const QRegularExpression heure(QStringLiteral("^\\d\\d:\\d\\d$"));
    double precedente = -100;
    for (int k = 1; k < lignes.size(); ++k) {
        const QStringList c = lignes[k].split(u'\t');
        ASSERT_EQ(c.size(), 10) << lignes[k].toStdString();
        EXPECT_TRUE(heure.match(c[3]).hasMatch()) << c[3].toStdString();
        const double m = QString(c[1]).replace(u',', u'.').toDouble();
        const double h = QString(c[2]).replace(u',', u'.').toDouble();
        EXPECT_LE(m, 12.0);  // the default limit
        EXPECT_GE(h, 20.0);  // the default altitude
        EXPECT_GE(m, precedente);
        precedente = m;
    }
    // The damaged lines and the bodies without a law are said on standard error.
    EXPECT_TRUE(tsv.erreurs.contains(QStringLiteral("2 lignes illisibles"))) << tsv.erreurs.toStdString();
    EXPECT_TRUE(tsv.erreurs.contains(QStringLiteral("3 objets sans loi"))) << tsv.erreurs.toStdString();
    // Tonight at 21 h UT is the night given by its date.
    const Resultat date =
        Executer(Base() + QStringList{QStringLiteral("--format"), QStringLiteral("tsv"),
                                      QStringLiteral("--separateur"), QStringLiteral(","),
                                      QStringLiteral("--date"), QStringLiteral("15/3/2026")});
    EXPECT_EQ(date.sortie, tsv.sortie);
    // Text: the night first, then the aligned table; a lower limit keeps fewer bodies.
    const Resultat texte =
        Executer(Base() + QStringList{QStringLiteral("--magnitude-limite"), QStringLiteral("11")});
    ASSERT_EQ(texte.statut, 0);
    EXPECT_TRUE(texte.sortie.startsWith(QStringLiteral("Ce soir : nuit du 15/3/2026, lieu 44")))
        << texte.sortie.toStdString();
    EXPECT_TRUE(texte.sortie.contains(QStringLiteral("Nuit noire de 19:20 à 04:12 TU.")));
    EXPECT_LT(texte.sortie.count(u'\n'), tsv.sortie.count(u'\n') + 6);
    // Nothing that bright: the count agrees with its number.
    const Resultat aucun =
        Executer(Base() + QStringList{QStringLiteral("--magnitude-limite"), QStringLiteral("-30")});
    EXPECT_TRUE(aucun.sortie.contains(QStringLiteral(" objets lus, 0 objet retenu\n")))
        << aucun.sortie.toStdString();
}

// The rows of a TSV list, header first, the others sorted: two runs that
// read the same bodies give the same rows, whatever their files' order.
QStringList Rangees(const QString& tsv) {
    QStringList lignes = tsv.split(u'\n', Qt::SkipEmptyParts);
    if (!lignes.isEmpty()) std::sort(lignes.begin() + 1, lignes.end());
    return lignes;
}

// The made-up catalogue split into the local copies of the comets and of
// the minor planets: named together, or one named beside the other's file,
// they give the list of the whole file; alone, their own bodies.
TEST(Ce_Soir_Batch, CataloguesLocaux) {
    Copies_Essai copies;
    const QDateTime hier(QDate(2026, 3, 14), QTime(8, 0), Qt::UTC);
    ASSERT_TRUE(copies.Placer(QStringLiteral("cometes"), Catalogue, Ligne_Comete, false, hier));
    ASSERT_TRUE(copies.Placer(QStringLiteral("planetes-mineures"), Catalogue, Ligne_Comete, true, hier));
    const QStringList tsv = {QStringLiteral("--format"), QStringLiteral("tsv"), QStringLiteral("--lieu"),
                             QStringLiteral("44,5.7"), QStringLiteral("--ce-soir")};
    const Resultat entier = Executer(tsv + QStringList{QStringLiteral("--importer"), Catalogue});
    ASSERT_EQ(entier.statut, 0) << entier.erreurs.toStdString();
    const QString K = QStringLiteral("--catalogue");
    const QString mineures = Trouver_Copie(QStringLiteral("planetes-mineures"))->chemin;
    const QStringList memes[] = {
        {K, QStringLiteral("cometes,planetes-mineures")},
        {K, QStringLiteral("planetes-mineures,cometes,cometes")},
        {K, QStringLiteral("cometes"), QStringLiteral("--importer"), mineures},
    };
    for (const QStringList& sources : memes) {
        const Resultat r = Executer(tsv + sources);
        EXPECT_EQ(r.statut, 0) << sources.join(u' ').toStdString() << r.erreurs.toStdString();
        EXPECT_EQ(Rangees(r.sortie), Rangees(entier.sortie)) << sources.join(u' ').toStdString();
    }
    const Resultat cometes = Executer(tsv + QStringList{K, QStringLiteral("cometes")});
    const QStringList lignes = cometes.sortie.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GT(lignes.size(), 2);
    ASSERT_LT(lignes.size(), entier.sortie.count(u'\n'));
    for (int k = 1; k < lignes.size(); ++k)
        EXPECT_TRUE(lignes[k].contains(QStringLiteral("/"))) << "une comète : " << lignes[k].toStdString();
}

// Names the batch cannot read, each refused with its message and the
// status of a refused command line.
TEST(Ce_Soir_Batch, CataloguesRefuses) {
    Copies_Essai copies;
    ASSERT_TRUE(copies.Placer(QStringLiteral("cometes"), Catalogue, Ligne_Comete, false,
                              QDateTime(QDate(2026, 3, 14), QTime(8, 0), Qt::UTC)));
    const QStringList base = {QStringLiteral("--ce-soir"), QStringLiteral("--lieu"), QStringLiteral("44,5.7"),
                              QStringLiteral("--catalogue")};
    const std::pair<QStringList, const char*> cas[] = {
        {base + QStringList{QStringLiteral("cometes,etoiles")},
         "catalogue inconnu : etoiles (attendu cometes, "},
        {base + QStringList{QStringLiteral("cometes,")}, "catalogue inconnu :  (attendu cometes, "},
        {base + QStringList{QStringLiteral("cometes,lointains")},
         "pas de copie locale du catalogue lointains ; « trajectel-ephemeride --actualiser lointains » la "
         "télécharge\n"},
        {base + QStringList{QStringLiteral("geocroiseurs"), QStringLiteral("--importer"), Catalogue},
         "pas de copie locale du catalogue geocroiseurs ; « trajectel-ephemeride --actualiser geocroiseurs » "
         "la télécharge\n"},
        {{QStringLiteral("--catalogue"), QStringLiteral("cometes,planetes-mineures"),
          QStringLiteral("--lister")},
         "une éphéméride lit un seul catalogue ; plusieurs avec --ce-soir"},
        {{QStringLiteral("--ce-soir"), QStringLiteral("--lieu"), QStringLiteral("44,5.7")},
         "--ce-soir demande --importer FICHIER ou --catalogue NOM[,NOM…]"},
    };
    for (const auto& [arguments, message] : cas) {
        const Resultat r = Executer(arguments);
        EXPECT_EQ(r.statut, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(
            r.erreurs.startsWith(QStringLiteral("trajectel-ephemeride : ") + QString::fromUtf8(message)))
            << r.erreurs.toStdString();
        EXPECT_TRUE(r.sortie.isEmpty());
    }
}

TEST(Ce_Soir_Batch, Refus) {
    struct Cas {
        QStringList arguments;
        int statut;
        const char* message;
    };
    const QString L = QStringLiteral("--lieu"), I = QStringLiteral("--importer"),
                  C = QStringLiteral("--ce-soir");
    const Cas cas[] = {
        {{C, I, Catalogue}, 2, "--ce-soir demande le lieu d'observation"},
        {{C, L, QStringLiteral("44,5")}, 2, "--ce-soir demande --importer FICHIER"},
        {Base() + QStringList{QStringLiteral("--date"), QStringLiteral("31/2/2026")}, 2,
         "date invalide : 31/2/2026"},
        {Base() + QStringList{QStringLiteral("--date"), QStringLiteral("1/1/10000")}, 2, "date invalide"},
        {Base() + QStringList{QStringLiteral("--hauteur-minimale"), QStringLiteral("-6")}, 2,
         "hauteur minimale invalide : -6"},
        {Base() + QStringList{QStringLiteral("--hauteur-minimale"), QStringLiteral("nan")}, 2,
         "hauteur minimale invalide"},
        {Base() + QStringList{QStringLiteral("--magnitude-limite"), QStringLiteral("36")}, 2,
         "magnitude limite invalide : 36"},
        {Base() + QStringList{QStringLiteral("--magnitude-limite"), QStringLiteral("1e400")}, 2,
         "magnitude limite invalide"},
        {Base() + QStringList{QStringLiteral("--elongation-minimale"), QStringLiteral("181")}, 2,
         "élongation minimale invalide"},
        {Base() + QStringList{QStringLiteral("--format"), QStringLiteral("pdf")}, 2,
         "--ce-soir écrit du texte"},
        {Base() + QStringList{QStringLiteral("--lister")}, 2, "--ce-soir exclut"},
        {{QStringLiteral("--hauteur-minimale"), QStringLiteral("10"), QStringLiteral("fichier.elt")},
         2,
         "--date, --hauteur-minimale"},
        {{C, I, QStringLiteral("/nulle/part.txt"), L, QStringLiteral("44,5")},
         3,
         "impossible de lire /nulle/part.txt"},
        {{C, I, QStringLiteral("/dev/zero"), L, QStringLiteral("44,5")}, 3, "impossible de lire /dev/zero"},
    };
    for (const Cas& c : cas) {
        const Resultat r = Executer(c.arguments);
        EXPECT_EQ(r.statut, c.statut) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(
            r.erreurs.startsWith(QStringLiteral("trajectel-ephemeride : ") + QString::fromUtf8(c.message)))
            << r.erreurs.toStdString();
        EXPECT_TRUE(r.sortie.isEmpty());
    }
}

}  // namespace

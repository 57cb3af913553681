#include <gtest/gtest.h>

#include <initializer_list>

#include "document/historique.h"
#include "plateforme/boite_memoire.h"

namespace {

using Liste = std::array<const char*, Taille_Historique>;

Historique Remplir(const Liste& entrees) {
    Historique h;
    for (int k = 0; k < Taille_Historique; ++k) h.Entrees[k] = QString::fromUtf8(entrees[k]);
    return h;
}

void Verifier_Entrees(const Historique& h, const Liste& attendu, const char* cas) {
    for (int k = 0; k < Taille_Historique; ++k) {
        EXPECT_EQ(h.Entrees[k], QString::fromUtf8(attendu[k])) << cas << ", entrée " << k + 1;
    }
}

TEST(Nom_Court, Chemins) {
    const std::pair<const char*, const char*> cas[] = {
        {"/home/obs/halley.elt", "halley.elt"},
        {"halley.elt", "halley.elt"},
        {"/home/obs/", ""},
        {"C:\\Comètes\\encke.elt", "encke.elt"},
        {"/a\\b/c.elt", "c.elt"},
        {"a/b\\c.elt", "c.elt"},
        {"", ""},
    };
    for (const auto& [chemin, nom] : cas)
        EXPECT_EQ(Nom_Court(QString::fromUtf8(chemin)), QString::fromUtf8(nom)) << chemin;
}

TEST(Mettre_A_Jour_Historique, Insertion) {
    struct Cas {
        const char* nom;
        Liste avant;
        const char* Nom_Fichier;
        const char* Dernier_Fichier;
        Liste apres;
    };
    const Cas cas[] = {
        {"liste vide", {}, "/x/a.elt", "/x/a.elt", {"/x/a.elt"}},
        {"4e remonte en tête",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         "4",
         "4",
         {"4", "1", "2", "3", "5", "6", "7", "8", "9", "10"}},
        {"11e fichier chasse le plus ancien",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         "n",
         "n",
         {"n", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"sans dernier fichier, rien n'entre", {"1", "2"}, "n", "", {"1", "2"}},
        {"casse différente, deux entrées", {"/x/A.elt"}, "/x/a.elt", "/x/a.elt", {"/x/a.elt", "/x/A.elt"}},
        {"blancs autour du nom", {"a", "/x/b.elt "}, " /x/b.elt", "b", {" /x/b.elt", "a"}},
        {"un blanc final ôté", {"a ", "b"}, "c", "c", {"c", "a", "b"}},
        {"deux trous de suite, un seul comblé", {"a", "", "", "b", "c"}, "d", "d", {"d", "a", "", "b", "c"}},
        {"trou en dernière place",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         "10",
         "10",
         {"10", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
    };
    for (const auto& c : cas) {
        Historique h = Remplir(c.avant);
        Etat_Document doc;
        doc.Nom_Fichier = QString::fromUtf8(c.Nom_Fichier);
        doc.Dernier_Fichier = QString::fromUtf8(c.Dernier_Fichier);
        Boite_Memoire boite;
        Mettre_A_Jour_Historique(h, doc, boite);
        Verifier_Entrees(h, c.apres, c.nom);
    }
}

TEST(Mettre_A_Jour_Historique, Libelles) {
    const QString dossier = QStringLiteral("/home/observateur/");  // 18 characters
    struct Cas {
        const char* nom;
        QString entree;
        QString libelle;
    };
    const QString nom_52(52, u'n');
    const QString nom_12 = QStringLiteral("comete12.elt");
    const QString chemin_60 = QString(47, u'd') + u'/' + nom_12;
    const QString chemin_49 = QString(36, u'd') + QStringLiteral("/") + nom_12;
    const QString chemin_50 = chemin_49 + u'x';
    const QString Points = QStringLiteral("...");
    const Cas cas[] = {
        {"nom de 52 coupé à 47", dossier + nom_52, QString(47, u'n') + Points},
        {"nom de 48 seul", dossier + QString(48, u'n'), QString(48, u'n')},
        {"nom de 47 seul", dossier + QString(47, u'n'), QString(47, u'n')},
        {"nom de 49 seul", dossier + QString(49, u'n'), QString(49, u'n')},
        {"nom de 50 coupé", dossier + QString(50, u'n'), QString(47, u'n') + Points},
        {"chemin de 60, début et fin", chemin_60,
         QString(9, u'd') + Points + QString(37, u'd') + u'/' + nom_12},
        {"chemin de 49 entier", chemin_49, chemin_49},
        {"chemin de 50 coupé", chemin_50, QString(9, u'd') + Points + chemin_50},
        {"nom de 46, chemin de 64", dossier + QString(46, u'n'),
         QStringLiteral("/home/obs...eur/") + QString(46, u'n')},
        {"entrée vide", QString(), QString()},
    };
    for (const auto& c : cas) {
        Historique h;
        h.Entrees[0] = c.entree;
        Etat_Document doc;
        Boite_Memoire boite;
        Mettre_A_Jour_Historique(h, doc, boite);
        EXPECT_EQ(h.Libelles_Historique[0], c.libelle) << c.nom;
    }
}

TEST(Mettre_A_Jour_Historique, ArticlesDuMenu) {
    constexpr std::array<Controle, Taille_Historique> articles = {
        Controle::Historique1, Controle::Historique2, Controle::Historique3, Controle::Historique4,
        Controle::Historique5, Controle::Historique6, Controle::Historique7, Controle::Historique8,
        Controle::Historique9, Controle::Historique10};
    struct Cas {
        const char* nom;
        Liste entrees;
        int visibles;  // items shown, from Historique1 on
        bool trait;    // separator N3 shown
    };
    const Cas cas[] = {
        {"liste vide", {}, 0, false},
        {"un fichier", {"/x/a.elt"}, 1, true},
        {"un trou arrête le menu", {"a", "", "c"}, 1, true},
        {"première entrée vide", {"", "b"}, 0, false},
        {"dix fichiers", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "/x/dix.elt"}, 10, true},
    };
    for (const auto& c : cas) {
        Historique h = Remplir(c.entrees);
        Etat_Document doc;
        Boite_Memoire boite;
        for (Controle a : articles) boite.Ecrire_Texte(a, QStringLiteral("ancien"));
        Mettre_A_Jour_Historique(h, doc, boite);
        EXPECT_EQ(boite.Visible(Controle::N3), c.trait) << c.nom;
        for (int k = 0; k < Taille_Historique; ++k) {
            EXPECT_EQ(boite.Visible(articles[k]), k < c.visibles) << c.nom << ", article " << k + 1;
            if (k < c.visibles) {
                const QString attendu =
                    QStringLiteral("&%1 %2").arg(k + 1).arg(QString::fromUtf8(c.entrees[k]));
                EXPECT_EQ(boite.Texte(articles[k]), attendu) << c.nom << ", article " << k + 1;
            }
        }
    }
}

TEST(Retirer_Historique, Entrees) {
    const Liste pleine = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    struct Cas {
        int k;
        Liste apres;
    };
    const Cas cas[] = {
        {1, {"2", "3", "4", "5", "6", "7", "8", "9", "10", ""}},
        {5, {"1", "2", "3", "4", "6", "7", "8", "9", "10", ""}},
        {9, {"1", "2", "3", "4", "5", "6", "7", "8", "10", ""}},
        {10, {"1", "2", "3", "4", "5", "6", "7", "8", "9", ""}},
        {0, pleine},
        {11, pleine},
    };
    for (const auto& c : cas) {
        Historique h = Remplir(pleine);
        Retirer_Historique(h, c.k);
        Verifier_Entrees(h, c.apres, std::to_string(c.k).c_str());
    }
}

}  // namespace

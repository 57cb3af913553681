// Catalogues.ini, the batch's options for the catalogues, the counts as
// printed, and the gzip unpacking, each as a table of cases.

#include <gtest/gtest.h>

#include <QFile>

#include "batch/options_batch.h"
#include "catalogues/copies_locales.h"
#include "catalogues/examen_contenu.h"
#include "serveur_http_essai.h"

namespace {

QByteArray Donnee(const char* nom) {
    QFile f(QStringLiteral(TRAJECTEL_DONNEES_ESSAI "/catalogues/") + QString::fromUtf8(nom));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

const QString Miroir = QStringLiteral("http://miroir.example.org/mpc/CometEls.txt");

TEST(Catalogues_Ini, LignesLues) {
    struct Cas {
        const char* nom;
        QStringList lignes;
        QString cometes;  // the address read for the comets
        QString raison;
    };
    const QString mpc = QStringLiteral("https://www.minorplanetcenter.net/iau/MPCORB/CometEls.txt");
    const Cas cas[] = {
        {"absent", {}, mpc, {}},
        {"miroir", {QStringLiteral("; commentaire"), QStringLiteral("cometes = ") + Miroir}, Miroir, {}},
        {"ligne sans =",
         {QStringLiteral("n'importe quoi")},
         mpc,
         QStringLiteral("ligne illisible dans Catalogues.ini : n'importe quoi")},
        {"nom inconnu",
         {QStringLiteral("etoiles=") + Miroir},
         mpc,
         QStringLiteral("catalogue inconnu dans Catalogues.ini : etoiles")},
        {"ftp",
         {QStringLiteral("cometes=ftp://miroir.example.org/CometEls.txt")},
         mpc,
         QStringLiteral(
             "adresse refusée dans Catalogues.ini pour cometes (seuls http et https sont acceptés)")},
        {"sans serveur",
         {QStringLiteral("cometes=https:///CometEls.txt")},
         mpc,
         QStringLiteral("adresse refusée dans Catalogues.ini pour cometes (serveur manquant)")},
    };
    for (const Cas& c : cas) {
        const Adresses_Catalogues a = Lire_Lignes_Catalogues(c.lignes);
        EXPECT_EQ(a.adresses.at(QStringLiteral("cometes")), c.cometes) << c.nom;
        EXPECT_EQ(a.raison, c.raison) << c.nom;
        EXPECT_EQ(a.adresses.size(), 4u) << c.nom;
        EXPECT_EQ(Lire_Lignes_Catalogues(Lignes_Catalogues(a.adresses)).adresses, a.adresses) << c.nom;
    }
}

TEST(Catalogues_Options, LigneDeCommande) {
    struct Cas {
        QStringList arguments;
        QString erreur;
    };
    const auto l = [](const char* texte) { return QString::fromUtf8(texte).split(u' '); };
    const Cas cas[] = {
        {l("--actualiser cometes,lointains"), {}},
        {l("--actualiser cometes --url http://127.0.0.1:8080/c.txt"), {}},
        {l("--catalogues"), {}},
        {l("--catalogue geocroiseurs --objet Eros"), {}},
        {l("--catalogue cometes --lister"), {}},
        {l("--actualiser etoiles"),
         QStringLiteral("catalogue inconnu : etoiles (attendu cometes, planetes-mineures, "
                        "geocroiseurs, lointains)")},
        {l("--actualiser cometes,lointains --url http://127.0.0.1/c.txt"),
         QStringLiteral("--url remplace l'adresse d'un seul catalogue : --actualiser NOM --url URL")},
        {l("--url http://127.0.0.1/c.txt --catalogues"),
         QStringLiteral("--url remplace l'adresse d'un seul catalogue : --actualiser NOM --url URL")},
        {l("--actualiser cometes --url file:///tmp/c.txt"),
         QStringLiteral("adresse invalide : file:///tmp/c.txt (seuls http et https sont acceptés)")},
        {l("--actualiser cometes halley.elt"),
         QStringLiteral("--actualiser et --catalogues s'emploient sans fichier ni calcul")},
        {l("--catalogues --catalogue cometes"),
         QStringLiteral("--actualiser et --catalogues s'emploient sans fichier ni calcul")},
        {l("--catalogue cometes --importer CometEls.txt"),
         QStringLiteral("--catalogue et --importer s'excluent")},
        {l("--catalogue cometes halley.elt"), QStringLiteral("--catalogue remplace le fichier d'éléments")},
        {l("--catalogue comete"),
         QStringLiteral("catalogue inconnu : comete (attendu cometes, planetes-mineures, "
                        "geocroiseurs, lointains)")},
    };
    for (const Cas& c : cas) {
        const Lecture_Options lu = Lire_Options(c.arguments);
        EXPECT_EQ(lu.erreur, c.erreur) << c.arguments.join(u' ').toStdString();
    }
}

TEST(Catalogues_Textes, NombresEtDates) {
    const std::pair<qint64, const char*> nombres[] = {
        {0, "0"}, {999, "999"}, {1012, "1 012"}, {35000, "35 000"}, {1500000, "1 500 000"}};
    for (const auto& [n, texte] : nombres) EXPECT_EQ(Texte_Nombre(n), QString::fromUtf8(texte)) << n;
    const std::pair<qint64, const char*> objets[] = {
        {0, "0 objet"}, {1, "1 objet"}, {2, "2 objets"}, {1012, "1 012 objets"}};
    for (const auto& [n, texte] : objets) EXPECT_EQ(Texte_Objets(n), QString::fromUtf8(texte)) << n;
    const QDateTime t(QDate(2026, 12, 9), QTime(7, 31, 40), Qt::UTC);
    EXPECT_EQ(Texte_Date(t), QStringLiteral("9/12/2026"));
    EXPECT_EQ(Texte_Date_Heure(t), QStringLiteral("9/12/2026 07:31"));
    const Source_Catalogue& cometes = *Trouver_Source(QStringLiteral("cometes"));
    Copie_Locale c{&cometes, {}, {}};
    c.releve.Objets = 1012;
    c.releve.Telechargement = t;
    EXPECT_EQ(Texte_Copie(c, t.addDays(7)), QStringLiteral("Comètes (MPC) du 9/12/2026, 1 012 objets"));
    EXPECT_EQ(
        Texte_Copie(c, t.addDays(8)),
        QStringLiteral("Comètes (MPC) du 9/12/2026, 1 012 objets — copie de plus d'une semaine, à mettre à "
                       "jour"));
}

// Whole, in pieces of every size, two members one after the other; cut short or damaged.
TEST(Catalogues_Gzip, MembresEtMorceaux) {
    const QByteArray gz = Donnee("MPCORB.DAT.gz");
    const QByteArray clair = Donnee("MPCORB.DAT");
    struct Cas {
        const char* nom;
        QByteArray entree;
        QByteArray attendu;
        bool complete;
    };
    QByteArray abime = gz;
    abime[gz.size() / 2] = static_cast<char>(abime[gz.size() / 2] ^ 0xFF);
    const Cas cas[] = {
        {"entier", gz, clair, true},
        {"deux membres", gz + gz, clair + clair, true},
        {"coupé", gz.left(gz.size() - 8), {}, false},
        {"abîmé", abime, {}, false},
        {"vide", {}, {}, false},
    };
    for (const Cas& c : cas) {
        for (qsizetype morceau : {qsizetype{1}, qsizetype{7}, qsizetype{4096}}) {
            Decompression_Gzip d;
            QByteArray sortie;
            for (qsizetype k = 0; k < c.entree.size(); k += morceau)
                d.Ajouter(c.entree.constData() + k, std::min(morceau, c.entree.size() - k),
                          [&](const char* o, int64_t n) {
                              sortie.append(o, n);
                              return true;
                          });
            EXPECT_EQ(d.Complete(), c.complete) << c.nom << ' ' << morceau;
            if (c.complete) {
                EXPECT_EQ(sortie, c.attendu) << c.nom << ' ' << morceau;
            }
        }
    }
}

}  // namespace

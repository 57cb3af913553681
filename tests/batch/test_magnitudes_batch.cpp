#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "astro/ajustement_loi.h"
#include "astro/calendrier.h"
#include "batch/ephemeride.h"
#include "batch/options_batch.h"
#include "form/disposition_fiche.h"
#include "support/banc_fichier.h"

namespace {

const QString Hale_Bopp = QStringLiteral(TRAJECTEL_EXEMPLES "/hale-bopp.elt");
const QString Estimations = QStringLiteral(TRAJECTEL_DONNEES_TESTS "/icq_hale_bopp.txt");

struct Sortie {
    int statut;
    QString sortie;
    QString erreurs;
};

Sortie Executer(const QStringList& arguments) {
    QString sortie, erreurs;
    QTextStream flux_sortie(&sortie), flux_erreurs(&erreurs);
    const int statut = Executer_Ephemeride(arguments, flux_sortie, flux_erreurs, QDate(2024, 3, 1));
    flux_sortie.flush();
    flux_erreurs.flush();
    return {statut, sortie, erreurs};
}

// The fitted law gives the M1 column: the first row's magnitude is the
// law's at the comet's own distances on that day.
TEST(Magnitudes_Batch, LoiAjusteePourLaColonneM1) {
    const Sortie r = Executer({Hale_Bopp, QStringLiteral("--magnitudes-observees"), Estimations,
                               QStringLiteral("--debut=21/9/1996"), QStringLiteral("--separateur=,"),
                               QStringLiteral("--format=tsv")});
    ASSERT_EQ(r.statut, Succes) << r.erreurs.toStdString();
    EXPECT_EQ(
        r.erreurs.toStdString(),
        "trajectel-ephemeride : icq_hale_bopp.txt : 5 lignes sans magnitude totale (chevelure ou queue "
        "seules)\nLoi ajustée : M1 = -1,34, K1 = 9,00 (48 estimations, 0 écartées, écart-type 0,28 mag)\n");
    const QStringList lignes = r.sortie.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lignes.size(), 2);
    const QStringList entete = lignes[0].split(u'\t'), cellules = lignes[1].split(u'\t');
    const int colonne = static_cast<int>(entete.indexOf(QStringLiteral("M1")));
    ASSERT_GE(colonne, 0);
    Banc b(',');
    Creer_Fiche(b.boite);
    b.document.Nom_Fichier = Hale_Bopp;
    Lire_Fichier_Elements(b.ctx);
    b.el.JJ_Perihelie =
        Date_Vers_JJ(b.el.Mois_Perihelie, static_cast<float>(b.el.An_Perihelie), b.el.Jour_Perihelie);
    const Estimation_Reduite e = Reduire_Estimations(b.el, {Date_Vers_JJ(9, 1996, 21)}, {0})[0];
    const double attendue = -1.34327 + 8.99553 * e.x() - e.y();
    EXPECT_NEAR(QString(cellules[colonne]).replace(u',', u'.').toDouble(), attendue, 0.05 + 1e-6)
        << lignes[1].toStdString();
}

// No law fitted: status 1 and why; the file unreadable: 3; the options misused: 2.
TEST(Magnitudes_Batch, StatutsEtRaisons) {
    QTemporaryDir dossier;
    const QString quatre = dossier.filePath(QStringLiteral("quatre.txt"));
    QFile f(quatre);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    for (int k = 1; k <= 4; ++k)
        f.write("   1995O1  1996 0" + QByteArray::number(k) +
                " 10.00  S  8.0                                              BOR  \r");
    f.close();
    const QString prefixe = QStringLiteral("trajectel-ephemeride : ");
    struct Cas {
        const char* nom;
        QStringList options;
        int statut;
        QString erreurs;  // its last line
    };
    const Cas cas[] = {
        {"quatre",
         {QStringLiteral("--magnitudes-observees"), quatre},
         Page_Invalide,
         prefixe + QStringLiteral(
                       "aucune loi ajustée aux magnitudes de quatre.txt : Trop peu d'estimations : 4, il en "
                       "faut au moins 5.")},
        {"observateur",
         {QStringLiteral("--magnitudes-observees"), Estimations, QStringLiteral("--observateur=XYZ")},
         Page_Invalide,
         prefixe + QStringLiteral(
                       "aucune loi ajustée aux magnitudes de icq_hale_bopp.txt : Aucune des 48 estimations "
                       "de 1995O1 ne répond aux choix (côté du périhélie, dates, observateur).")},
        {"après",
         {QStringLiteral("--magnitudes-observees"), Estimations, QStringLiteral("--cote=apres")},
         Page_Invalide,
         prefixe + QStringLiteral(
                       "aucune loi ajustée aux magnitudes de icq_hale_bopp.txt : Aucune des 48 estimations "
                       "de 1995O1 ne répond aux choix (côté du périhélie, dates, observateur).")},
        {"absent",
         {QStringLiteral("--magnitudes-observees"), dossier.filePath(QStringLiteral("absent.txt"))},
         Fichier_Illisible,
         prefixe + QStringLiteral("impossible de lire ") + dossier.filePath(QStringLiteral("absent.txt"))},
        {"côté inconnu",
         {QStringLiteral("--magnitudes-observees"), Estimations, QStringLiteral("--cote=milieu")},
         Erreur_Usage,
         QStringLiteral("« trajectel-ephemeride --aide » décrit les options.")},
        {"côté sans fichier",
         {QStringLiteral("--cote=avant")},
         Erreur_Usage,
         QStringLiteral("« trajectel-ephemeride --aide » décrit les options.")},
    };
    for (const Cas& c : cas) {
        const Sortie r = Executer(QStringList{Hale_Bopp} + c.options);
        EXPECT_EQ(r.statut, c.statut) << c.nom;
        EXPECT_EQ(r.erreurs.trimmed().split(u'\n').last().toStdString(), c.erreurs.toStdString()) << c.nom;
        EXPECT_TRUE(r.sortie.isEmpty()) << c.nom;
    }
    EXPECT_TRUE(
        Executer({Hale_Bopp, QStringLiteral("--cote=avant")})
            .erreurs.startsWith(prefixe +
                                QStringLiteral("--cote et --observateur demandent --magnitudes-observees")));
}

}  // namespace

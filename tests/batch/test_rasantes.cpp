#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include "batch/ephemeride.h"

namespace {

const QString Donnees = QStringLiteral(TRAJECTEL_DONNEES_TESTS);
const QString Impossible = QStringLiteral("Intégration du mouvement impossible");

struct Rasante {
    QString fichier;
    QString debut;
    QStringList jours_atteints;
};

std::vector<Rasante> Lire_Rasantes() {
    std::vector<Rasante> rasantes;
    QFile f(Donnees + QStringLiteral("/rasantes.tsv"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream flux(&f);
    while (!flux.atEnd()) {
        const QString ligne = flux.readLine();
        if (ligne.startsWith(u'#') || ligne.isEmpty()) continue;
        const QStringList champs = ligne.split(u'\t');
        if (champs.size() != 3) continue;
        rasantes.push_back({champs[0], champs[1], champs[2].split(u' ', Qt::SkipEmptyParts)});
    }
    return rasantes;
}

// A body grazing the Earth, Jupiter or the Sun: the rows the integration
// reaches have their figures, every other says it cannot be reached, and
// the page ends at once rather than retrying each row.
TEST(Batch_Rasantes, LignesAtteintesEtLignesImpossibles) {
    const std::vector<Rasante> rasantes = Lire_Rasantes();
    ASSERT_EQ(rasantes.size(), 3U);
    for (const Rasante& r : rasantes) {
        QString sortie, erreurs;
        QTextStream flux_sortie(&sortie), flux_erreurs(&erreurs);
        const QStringList arguments = {Donnees + u'/' + r.fichier, QStringLiteral("--debut"), r.debut,
                                       QStringLiteral("--format"), QStringLiteral("tsv")};
        ASSERT_EQ(Executer_Ephemeride(arguments, flux_sortie, flux_erreurs, QDate(2026, 12, 1)), 0)
            << r.fichier.toStdString() << erreurs.toStdString();
        flux_sortie.flush();
        QStringList atteints;
        int lignes = 0;
        for (const QString& ligne : sortie.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList cellules = ligne.split(u'\t');
            bool nombre = false;
            const double jour = cellules.value(0).toDouble(&nombre);
            if (!nombre) continue;
            ++lignes;
            if (ligne.contains(Impossible)) continue;
            EXPECT_TRUE(cellules.value(3).endsWith(u'h')) << ligne.toStdString();
            atteints << QString::number(static_cast<int>(jour));
        }
        EXPECT_EQ(lignes, 31) << r.fichier.toStdString();
        EXPECT_EQ(atteints, r.jours_atteints) << r.fichier.toStdString() << '\n' << sortie.toStdString();
    }
}

}  // namespace

// Reading the local copy of the full minor-planet catalogue (1.5 million
// lines, made up once in a temporary folder, never kept) through
// --catalogue, against --importer of the very same file: one object, and the
// whole list.

#include <benchmark/benchmark.h>

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <fstream>
#include <string>

#include "batch/ephemeride.h"
#include "catalogues/copies_locales.h"
#include "support/mpcorb_genere.h"
#include "support/orbites_exemple.h"

namespace {

constexpr int Lignes_Catalogue = 1'500'000;

// Line k: Ceres's line with its own number, name and elements.
std::string Ligne(int64_t k) {
    std::string l(Ligne_Ceres);
    Ecrire_Colonne(l, 1, "%07lld", static_cast<long long>(k % 10'000'000));
    Ecrire_Colonne(l, 27, "%9.5f", (k * 7919) % 36'000'000 / 100'000.0);
    Ecrire_Colonne(l, 71, "%9.7f", (k % 9000) / 10'000.0);
    Ecrire_Colonne(l, 93, "%11.7f", 1.5 + (k % 3000) / 1000.0);
    const std::string nom = "(" + std::to_string(k + 1) + ") Essai" + std::to_string(k);
    Ecrire_Nom(l, nom);
    return l;
}

// The copy where the update puts it, with its record.
struct Copie_Generee {
    QTemporaryDir racine;
    QString dossier;
    QString chemin;
    Copie_Generee() {
        qputenv("XDG_DATA_HOME", racine.path().toLocal8Bit());
        dossier = Dossier_Catalogues();
        QDir().mkpath(dossier);
        const Source_Catalogue& source = *Trouver_Source(QStringLiteral("planetes-mineures"));
        chemin = Chemin_Copie(dossier, source);
        Ecrire_Mpcorb(chemin.toStdString(), Lignes_Catalogue, Ligne);
        Releve_Copie r;
        r.Adresse = Adresse_Defaut(source);
        r.Telechargement = r.Verification = QDateTime::currentDateTimeUtc();
        r.Objets = Lignes_Catalogue;
        Ecrire_Releve(dossier, source, r);
    }
};

const Copie_Generee& Copie() {
    static const Copie_Generee c;
    return c;
}

void Executer(benchmark::State& etat, const QStringList& arguments) {
    for (auto _ : etat) {
        QString sortie, erreurs;
        QTextStream flux_sortie(&sortie), flux_erreurs(&erreurs);
        const int statut = Executer_Ephemeride(arguments, flux_sortie, flux_erreurs, QDate(2026, 12, 10));
        flux_sortie.flush();
        if (statut != 0) etat.SkipWithError(erreurs.toStdString().c_str());
        benchmark::DoNotOptimize(sortie.size());
    }
}

const QString Rang = QStringLiteral("750000");

void BM_Importer_Un_Objet(benchmark::State& etat) {
    Executer(etat, {QStringLiteral("--importer"), Copie().chemin, QStringLiteral("--rang"), Rang});
}
void BM_Catalogue_Un_Objet(benchmark::State& etat) {
    Copie();
    Executer(etat, {QStringLiteral("--catalogue"), QStringLiteral("planetes-mineures"),
                    QStringLiteral("--rang"), Rang});
}
void BM_Importer_Lister(benchmark::State& etat) {
    Executer(etat, {QStringLiteral("--importer"), Copie().chemin, QStringLiteral("--lister")});
}
void BM_Catalogue_Lister(benchmark::State& etat) {
    Copie();
    Executer(etat, {QStringLiteral("--catalogue"), QStringLiteral("planetes-mineures"),
                    QStringLiteral("--lister")});
}

BENCHMARK(BM_Importer_Un_Objet)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Catalogue_Un_Objet)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Importer_Lister)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Catalogue_Lister)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();

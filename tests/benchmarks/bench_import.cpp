// A minor-planet catalogue of 1.5 million lines in the MPCORB layout, made
// up once in a temporary folder (generer_mpcorb.py writes the same for the
// batch program): the time to read it into the index, the time of one
// search as the user types, and the memory the index holds; then, in the
// same run, a plain reading of its lines and one object found in it by name
// and by rank; the run ends by checking that one object costs at most 1.5
// times the plain reading (status 1 when it does not).

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>

#include "document/commandes_import.h"
#include "support/mpcorb_genere.h"
#include "support/orbites_exemple.h"

namespace {

constexpr int Lignes_Catalogue = 1'500'000;

// Line k: Ceres's line with its own designation and elements.
std::string Ligne(int64_t k) {
    std::string l(Ligne_Ceres);
    Ecrire_Colonne(l, 1, "%07lld", static_cast<long long>(k % 10'000'000));
    Ecrire_Colonne(l, 27, "%9.5f", (k * 7919) % 36'000'000 / 100'000.0);
    Ecrire_Colonne(l, 38, "%9.5f", (k * 104'729) % 36'000'000 / 100'000.0);
    Ecrire_Colonne(l, 49, "%9.5f", (k * 1'299'709) % 36'000'000 / 100'000.0);
    Ecrire_Colonne(l, 60, "%9.5f", (k * 15'485'863) % 3'000'000 / 100'000.0);
    Ecrire_Colonne(l, 71, "%9.7f", (k % 9000) / 10'000.0);
    Ecrire_Colonne(l, 81, "%11.8f", 0.1 + (k % 1000) / 1000.0);
    Ecrire_Colonne(l, 93, "%11.7f", 1.5 + (k % 3000) / 1000.0);
    const std::string nom = "(" + std::to_string(k + 1) + ") " + std::to_string(1990 + k % 35) + " " +
                            static_cast<char>('A' + k % 24) + static_cast<char>('A' + k / 24 % 25) +
                            std::to_string(k % 997);
    Ecrire_Nom(l, nom);
    return l;
}

const Mpcorb_Temporaire& Catalogue() {
    static const Mpcorb_Temporaire c(Lignes_Catalogue, Ligne);
    return c;
}

std::unique_ptr<Catalogue_Orbites> Lire() {
    Fichier_Orbites lu =
        Lire_Fichier_Orbites(Catalogue().chemin, Notation{',', " "}, [](int64_t, int64_t) { return true; });
    return std::move(lu.catalogue);
}

// Resident memory of the process, in bytes.
double Memoire_Residente() {
    long pages_totales = 0;
    long pages_residentes = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) return 0;
    if (std::fscanf(statm, "%ld %ld", &pages_totales, &pages_residentes) != 2) pages_residentes = 0;
    std::fclose(statm);
    return static_cast<double>(pages_residentes) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

void BM_Index_Catalogue(benchmark::State& etat) {
    Catalogue();
    for (auto _ : etat) {
        const double avant = Memoire_Residente();
        std::unique_ptr<Catalogue_Orbites> c = Lire();
        etat.counters["memoire_index_Mo"] = (Memoire_Residente() - avant) / 1e6;
        etat.counters["orbites"] = c ? c->Nombre() : 0;
        etat.counters["taille_index_Mo"] = c ? static_cast<double>(c->Taille_Memoire()) / 1e6 : 0;
        etat.PauseTiming();
        c.reset();
        etat.ResumeTiming();
    }
}
BENCHMARK(BM_Index_Catalogue)->Unit(benchmark::kMillisecond)->Iterations(3);

// The reference for one object: the lines of the same file read plainly,
// each into a string, and nothing done with them.
int64_t Lecture_Simple() {
    std::ifstream f(Catalogue().chemin.toStdString(), std::ios::binary);
    std::string ligne;
    int64_t lignes = 0;
    while (std::getline(f, ligne)) ++lignes;
    return lignes;
}

void BM_Lecture_Simple(benchmark::State& etat) {
    Catalogue();
    for (auto _ : etat) etat.counters["lignes"] = static_cast<double>(Lecture_Simple());
}
BENCHMARK(BM_Lecture_Simple)->Unit(benchmark::kMillisecond)->Iterations(3);

// The object named as --objet names it, or the one of a rank as --rang
// gives it (from 0; negative for none), out of the whole catalogue: one
// pass, every line checked, only the chosen one read whole.
constexpr const char* Objet_Cherche = "(1234567) ";
constexpr int64_t Rang_Cherche = 1'234'566;

struct Choix_Lu {
    Bilan_Lecture bilan;
    int64_t trouves = 0;
};

Choix_Lu Choisir(const QString& objet, int64_t rang) {
    const Recherche_Nom recherche(objet);
    Choix_Lu lu;
    Lire_Fichier_Orbites_En_Flux(
        Catalogue().chemin, [&](Orbite_Publiee&&) { ++lu.trouves; },
        [&](int64_t r, std::string_view nom) { return (rang < 0 || r == rang) && recherche.Contient(nom); },
        lu.bilan);
    return lu;
}

void BM_Un_Objet(benchmark::State& etat, bool par_rang) {
    Catalogue();
    for (auto _ : etat) {
        const double avant = Memoire_Residente();
        const Choix_Lu lu =
            par_rang ? Choisir(QString(), Rang_Cherche) : Choisir(QString::fromLatin1(Objet_Cherche), -1);
        etat.counters["memoire_Mo"] = (Memoire_Residente() - avant) / 1e6;
        etat.counters["orbites"] = static_cast<double>(lu.bilan.Orbites);
        etat.counters["trouves"] = static_cast<double>(lu.trouves);
    }
}
BENCHMARK_CAPTURE(BM_Un_Objet, objet, false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Un_Objet, rang, true)->Unit(benchmark::kMillisecond)->Iterations(3);

// Each text as the user types it, letter by letter: the last letters match
// one name, the first ones most of the catalogue.
void BM_Recherche(benchmark::State& etat, const char* texte) {
    static const std::unique_ptr<Catalogue_Orbites> c = Lire();
    std::size_t trouves = 0;
    for (auto _ : etat) {
        const std::vector<int> rangs = c->Chercher(QString::fromLatin1(texte));
        trouves = rangs.size();
        benchmark::DoNotOptimize(rangs.data());
    }
    etat.counters["trouves"] = static_cast<double>(trouves);
}
BENCHMARK_CAPTURE(BM_Recherche, un_chiffre, "1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recherche, annee, "2001 ")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recherche, designation, "(1234567) ")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recherche, absent, "ceres")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recherche, vide, "")->Unit(benchmark::kMillisecond);

// One object may cost at most this many times a plain reading of the lines.
constexpr double Rapport_Max = 1.5;
constexpr int Essais = 3;  // the best of each, against the machine's other work

// The processor time of f, in seconds: the best of a few runs.
template <typename F>
double Temps_Processeur(F f) {
    double meilleur = 1e300;
    for (int k = 0; k < Essais; ++k) {
        const std::clock_t debut = std::clock();
        benchmark::DoNotOptimize(f());
        meilleur = std::min(meilleur, static_cast<double>(std::clock() - debut) / CLOCKS_PER_SEC);
    }
    return meilleur;
}

// The check of one run: one object by name and by rank against a plain
// reading of the same file, each found once.
bool Verifier_Rapports() {
    Catalogue();
    const double simple = Temps_Processeur(Lecture_Simple);
    const double objet =
        Temps_Processeur([] { return Choisir(QString::fromLatin1(Objet_Cherche), -1).trouves; });
    const double rang = Temps_Processeur([] { return Choisir(QString(), Rang_Cherche).trouves; });
    const bool trouves = Choisir(QString::fromLatin1(Objet_Cherche), -1).trouves == 1 &&
                         Choisir(QString(), Rang_Cherche).trouves == 1;
    const bool tenue = trouves && objet <= Rapport_Max * simple && rang <= Rapport_Max * simple;
    std::printf(
        "Lecture simple %.0f ms, --objet %.0f ms (%.2f fois), --rang %.0f ms (%.2f fois) : "
        "borne de %.1f fois %s\n",
        simple * 1e3, objet * 1e3, objet / simple, rang * 1e3, rang / simple, Rapport_Max,
        tenue ? "tenue" : "DÉPASSÉE");
    return tenue;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return Verifier_Rapports() ? 0 : 1;
}

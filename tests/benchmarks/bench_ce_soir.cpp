// Tonight's list over a made-up minor-planet catalogue of 1.5 million lines
// in the MPCORB layout (written once into a temporary folder, never kept),
// against the program's own load of the same file for one object, in one
// run: each iteration times the load, then the list, and reports their ratio.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "astro/calendrier.h"
#include "document/commandes_import.h"
#include "document/liste_ce_soir.h"
#include "support/mpcorb_genere.h"
#include "support/orbites_exemple.h"

namespace {

constexpr int Lignes_Catalogue = 1'500'000;
constexpr double K_Degres = 0.9856076686;  // mean motion at 1 AU, degrees per day
// The number of bodies brighter than H grows as 10^(0.4 H) up to the faintest.
constexpr double H_Plus_Faible = 19.5;
constexpr double Nombre_Or = 0.6180339887498949;

double Fraction(double x) { return x - std::floor(x); }

// Line k: Ceres's line with its own designation, H and orbit; one body in 50
// comes near the Earth. Osculating on 2026 March 15 (K263F), the night asked.
std::string Ligne(int64_t k) {
    std::string l(Ligne_Ceres);
    const double u = (Fraction(k * Nombre_Or) * Lignes_Catalogue + 0.5) / Lignes_Catalogue;
    const bool proche = k % 50 == 0;
    const double a = proche ? 1.1 + Fraction(k * 0.37) : 2.1 + 1.2 * Fraction(k * 0.73);
    const double e = proche ? 0.2 + 0.4 * Fraction(k * 0.91) : 0.3 * Fraction(k * 0.53);
    Ecrire_Colonne(l, 1, "%07lld", static_cast<long long>(k % 10'000'000));
    Ecrire_Colonne(l, 9, "%5.2f", H_Plus_Faible + 2.5 * std::log10(u));
    Ecrire_Colonne(l, 21, "%s", "K263F");
    Ecrire_Colonne(l, 27, "%9.5f", 360 * Fraction(k * 0.161));
    Ecrire_Colonne(l, 38, "%9.5f", 360 * Fraction(k * 0.287));
    Ecrire_Colonne(l, 49, "%9.5f", 360 * Fraction(k * 0.419));
    Ecrire_Colonne(l, 60, "%9.5f", 30 * Fraction(k * 0.577));
    Ecrire_Colonne(l, 71, "%9.7f", e);
    Ecrire_Colonne(l, 81, "%11.8f", K_Degres / std::pow(a, 1.5));
    Ecrire_Colonne(l, 93, "%11.7f", a);
    const std::string nom = "(" + std::to_string(k + 1) + ") Essai";
    Ecrire_Nom(l, nom);
    return l;
}

const Mpcorb_Temporaire& Catalogue() {
    static const Mpcorb_Temporaire c(Lignes_Catalogue, Ligne);
    return c;
}

double Secondes_Depuis(std::chrono::steady_clock::time_point debut) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
}

// The load the import makes of the file, then the list from a northern site.
void BM_Ce_Soir_Contre_Chargement(benchmark::State& etat) {
    Catalogue();
    Demande_Ce_Soir d;
    d.lieu = {44.0, 5.7, 0};
    d.JJ_0h = Date_Vers_JJ(3, 2026, 15);
    d.Magnitude_Limite = static_cast<double>(etat.range(0));
    double chargement = 0, liste = 0, orbites = 0, retenus = 0;
    for (auto _ : etat) {
        auto debut = std::chrono::steady_clock::now();
        const Fichier_Orbites lu = Lire_Fichier_Orbites(Catalogue().chemin, Notation{',', " "},
                                                        [](int64_t, int64_t) { return true; });
        chargement += Secondes_Depuis(debut);
        orbites = lu.catalogue ? lu.catalogue->Nombre() : 0;
        debut = std::chrono::steady_clock::now();
        const Liste_Ce_Soir l = Calculer_Liste_Ce_Soir(d, {Catalogue().chemin}, [](double) { return true; });
        liste += Secondes_Depuis(debut);
        retenus = static_cast<double>(l.lignes.size());
    }
    const double n = static_cast<double>(etat.iterations());
    etat.counters["chargement_s"] = chargement / n;
    etat.counters["liste_s"] = liste / n;
    etat.counters["rapport"] = liste / chargement;
    etat.counters["orbites"] = orbites;
    etat.counters["retenus"] = retenus;
}
// The default limit, and fainter ones that leave more bodies to compute.
BENCHMARK(BM_Ce_Soir_Contre_Chargement)->Arg(12)->Arg(15)->Arg(17)->Unit(benchmark::kSecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();

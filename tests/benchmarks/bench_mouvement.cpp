#include <benchmark/benchmark.h>

#include "astro/mouvement_perturbe.h"

namespace {

// Ceres' osculating elements of 2020 January 1 (JPL Horizons), ecliptic and
// equinox of J2000.
constexpr double Epoque = 2458849.5;
constexpr double Dix_Ans = 3652.5;  // days
constexpr int Lignes_Page = 31;     // a page of daily rows
constexpr double Demi_Heure_Jours = 1.0 / 48;

Elements Ceres() {
    Elements el;
    el.q = 2.556401146697176;
    el.e = .07687465013145245;
    el.a = el.q / (1 - el.e);
    el.i = 10.59127767086216;
    el.Omega = 73.80896808746482;
    el.gOmega = 80.3011901917491;
    el.JJ_Perihelie = 2458240.1791309435;
    el.JJ_Equinoxe = 2451545.0;
    el.JJ_Equinoxe_ephemeride = 2451545.0;
    return el;
}

// The three positions of each row, half an hour apart, as the page asks them.
void Calculer_Page(const Elements& el, Mouvement_Perturbe& m, double debut) {
    Position pos;
    for (int ligne = 0; ligne < Lignes_Page; ++ligne) {
        for (int decalage = -1; decalage <= 1; ++decalage) {
            const double JJ = debut + ligne + decalage * Demi_Heure_Jours;
            benchmark::DoNotOptimize(Calculer_Position_Perturbee(el, m, JJ, pos));
        }
    }
    benchmark::DoNotOptimize(pos);
}

// A fresh integration from the epoch, then the page ten years on.
void Page_Dix_Ans_Apres_Epoque(benchmark::State& state) {
    const Elements el = Ceres();
    for (auto _ : state) {
        Mouvement_Perturbe m(el, Epoque);
        Calculer_Page(el, m, Epoque + Dix_Ans);
    }
}
BENCHMARK(Page_Dix_Ans_Apres_Epoque)->Unit(benchmark::kMillisecond);

// The same page with its start stepped by one day each time: the integration
// continues from the states already computed.
void Page_Decalee_D_Un_Jour(benchmark::State& state) {
    const Elements el = Ceres();
    Mouvement_Perturbe m(el, Epoque);
    double debut = Epoque + Dix_Ans;
    Calculer_Page(el, m, debut);
    for (auto _ : state) {
        debut += 1;
        Calculer_Page(el, m, debut);
    }
}
BENCHMARK(Page_Decalee_D_Un_Jour)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

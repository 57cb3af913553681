#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

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

// The state 0.001 AU beyond planet k (2 the Earth, 4 Jupiter), at its
// speed: the body falls onto it within a day or two of the epoch.
Etat_Corps Pres_De_La_Planete(int k) {
    const double dt = 1e-3;  // days
    const Vecteur p = Position_Planete(k, Epoque);
    const Vecteur avant = Position_Planete(k, Epoque - dt), apres = Position_Planete(k, Epoque + dt);
    const double s = 1 + 0.001 / std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    Etat_Corps etat;
    etat.JJ = Epoque;
    etat.position = {p[0] * s, p[1] * s, p[2] * s};
    etat.vitesse = {(apres[0] - avant[0]) / (2 * dt), (apres[1] - avant[1]) / (2 * dt),
                    (apres[2] - avant[2]) / (2 * dt)};
    return etat;
}

// A comet 0.005 AU from the Sun at perihelion, its forces A1 = 1e-4 and
// A2 = -1e-4 AU/day², the largest the element files take.
Elements Rasante_Soleil() {
    Elements el = Ceres();
    el.q = 0.005;
    el.e = 0.9999;
    el.a = el.q / (1 - el.e);
    el.i = 144.5;
    el.Omega = 80;
    el.gOmega = 0;
    el.JJ_Perihelie = Epoque + 16;
    return el;
}

// A grazer's page of daily rows around the epoch, as the page computes it:
// a fresh integration, its work bounded as a page bounds it.
void Page_Rasante(benchmark::State& state, int cas) {
    const Elements el = Rasante_Soleil();
    Forces forces;
    forces.ng = {1e-4, -1e-4, 0};
    long evaluations = 0;
    for (auto _ : state) {
        auto m = cas == 0 ? std::make_unique<Mouvement_Perturbe>(el, Epoque, forces)
                          : std::make_unique<Mouvement_Perturbe>(Pres_De_La_Planete(cas), el.JJ_Equinoxe);
        m->Limiter_Evaluations(Evaluations_Maximum_Calcul);
        Calculer_Page(el, *m, Epoque - 12);
        evaluations = m->Evaluations();
    }
    state.counters["evaluations"] = static_cast<double>(evaluations);
}
void Page_Rasante_Terre(benchmark::State& state) { Page_Rasante(state, 2); }
void Page_Rasante_Jupiter(benchmark::State& state) { Page_Rasante(state, 4); }
void Page_Rasante_Soleil(benchmark::State& state) { Page_Rasante(state, 0); }
BENCHMARK(Page_Rasante_Terre)->Unit(benchmark::kMillisecond);
BENCHMARK(Page_Rasante_Jupiter)->Unit(benchmark::kMillisecond);
BENCHMARK(Page_Rasante_Soleil)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

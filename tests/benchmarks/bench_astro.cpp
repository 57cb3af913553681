#include <benchmark/benchmark.h>

#include "astro/ligne.h"
#include "tests/support/elements_exemple.h"

namespace {

// The worked example: equinoxes 2000.0, perihelion 1 January 2000, instant 1 March 2000.
Elements Exemple(double e) { return Elements_Exemple(e); }

// Calculer_Position on each kind of orbit: elliptic, near-parabolic ellipse,
// parabola (Barker) and hyperbola, the last three from q = 0.8 AU.
void Calculer_Position_Orbite(benchmark::State& state, double e) {
    Elements el = Exemple(e);
    Position pos;
    for (auto _ : state) {
        Calculer_Position(el, 0, pos);
        benchmark::DoNotOptimize(pos);
    }
}
BENCHMARK_CAPTURE(Calculer_Position_Orbite, elliptique, 0.5);
BENCHMARK_CAPTURE(Calculer_Position_Orbite, quasi_parabolique, 0.995);
BENCHMARK_CAPTURE(Calculer_Position_Orbite, parabolique, 1.0);
BENCHMARK_CAPTURE(Calculer_Position_Orbite, hyperbolique, 3.0);

// Newton from E = M is at its slowest near e = 0.99, where the bisection takes over.
void Position_Kepler_Difficile(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(Resoudre_Kepler(24.593, 0.9899));
}
BENCHMARK(Position_Kepler_Difficile);

void Ligne_Avec_Instrument(benchmark::State& state) {
    Elements el = Exemple(0.5);
    el.Instrument = 1;
    Tables_Instruments tables;
    Remplir_Instruments(tables);
    Position pos;
    Ligne_Calculee ligne;
    for (auto _ : state) {
        Calculer_Ligne(el, tables, ',', pos, ligne);
        benchmark::DoNotOptimize(ligne);
    }
}
BENCHMARK(Ligne_Avec_Instrument);

}  // namespace

BENCHMARK_MAIN();

#include <benchmark/benchmark.h>

#include "astro/calendrier.h"
#include "astro/ligne.h"
#include "astro/place.h"
#include "tests/support/elements_exemple.h"

#ifdef TRAJECTEL_LIBNOVA
#include <libnova/elliptic_motion.h>
#endif

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

// A 31-row page asks for 93 positions: each row's instant and the half
// hours either side of it, for its drifts. The time shown is per position.
constexpr int Lignes_Page = 31;
constexpr int Positions_Page = 3 * Lignes_Page;

void Par_Position(benchmark::State& state) {
    state.counters["par_position"] = benchmark::Counter(
        Positions_Page, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

template <typename Fonction>
void Parcourir_Page(double debut, double pas, Fonction position) {
    for (int ligne = 0; ligne < Lignes_Page; ++ligne) {
        for (const int decalage : {-1, 1, 0}) position(debut + ligne * pas + decalage * Demi_Heure);
    }
}

// Today's model over a page.
void Page_Classique(benchmark::State& state, double pas) {
    Elements el = Exemple(0.5);
    Position pos;
    for (auto _ : state) {
        Parcourir_Page(Date_Vers_JJ(3, 2000, 1), pas, [&](double jj) {
            Calculer_Position_JJ(el, jj, pos);
            benchmark::DoNotOptimize(pos);
        });
    }
    Par_Position(state);
}
BENCHMARK_CAPTURE(Page_Classique, heures, 1.0 / 24);

// The precise model over a page, everything the page prepares included.
void Page_Precise(benchmark::State& state, double pas, Choix_Modele choix) {
    const Elements el = Exemple(0.5);
    const Lieu_Observation lieu{45, 6, 1000};
    const double debut = Date_Vers_JJ(3, 2000, 1);
    for (auto _ : state) {
        Calcul_Place calcul(el, debut, debut + (Lignes_Page - 1) * pas);
        Parcourir_Page(debut, pas,
                       [&](double jj) { benchmark::DoNotOptimize(calcul.Calculer(jj, choix, &lieu)); });
    }
    Par_Position(state);
}
const Choix_Modele Astrometrique{};
const Choix_Modele Topocentrique{Modele_Calcul::Precis, true, false};
const Choix_Modele Apparente_Topocentrique{Modele_Calcul::Precis, true, true};
BENCHMARK_CAPTURE(Page_Precise, heures_astrometrique, 1.0 / 24, Astrometrique);
BENCHMARK_CAPTURE(Page_Precise, jours_astrometrique, 1.0, Astrometrique);
BENCHMARK_CAPTURE(Page_Precise, mois_astrometrique, 30.0, Astrometrique);
BENCHMARK_CAPTURE(Page_Precise, heures_topocentrique, 1.0 / 24, Topocentrique);
BENCHMARK_CAPTURE(Page_Precise, heures_apparente_topocentrique, 1.0 / 24, Apparente_Topocentrique);

void Terre_eraEpv00(benchmark::State& state) {
    double jj = 2451545.0;
    for (auto _ : state) benchmark::DoNotOptimize(Calculer_Terre(jj += 0.001));
}
BENCHMARK(Terre_eraEpv00);

#ifdef TRAJECTEL_LIBNOVA
// libnova's equatorial position of a body on an ellipse, same orbit.
void Libnova_Elliptique(benchmark::State& state) {
    const Elements el = Exemple(0.5);
    ln_ell_orbit orbite{el.a, el.e, el.i, el.Omega, el.gOmega, Moyen_Mouvement(el.a), el.JJ_Perihelie};
    ln_equ_posn position{};
    const double jj = Date_Vers_JJ(3, 2000, 1);
    for (auto _ : state) {
        ln_get_ell_body_equ_coords(jj, &orbite, &position);
        benchmark::DoNotOptimize(position);
    }
}
BENCHMARK(Libnova_Elliptique);
#endif

}  // namespace

BENCHMARK_MAIN();

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <map>
#include <string>

#ifdef TRAJECTEL_LIBNOVA
#include <libnova/elliptic_motion.h>
#endif

#include "page/lignes.h"
#include "peinture/canevas_qpainter.h"
#include "support/page_exemple.h"

namespace {

// One whole screen build: 31 rows, a telescope, both magnitudes.
void Page_Enregistreur(benchmark::State& state) {
    Page_Exemple p;
    p.Choisir("Arbelin", true, true);
    for (auto _ : state) {
        p.ecran.Oublier();
        Construire_Page(p.Contexte());
        benchmark::DoNotOptimize(p.ecran.Textes().data());
    }
    state.counters["textes"] = static_cast<double>(p.ecran.Textes().size());
}
BENCHMARK(Page_Enregistreur)->Unit(benchmark::kMicrosecond);

// The same with the visibility from a site: rise, transit, set and night of
// each of the 31 days. It must stay within three times the build above.
void Page_Enregistreur_Visibilite(benchmark::State& state) {
    Page_Exemple p;
    p.Choisir("Arbelin", true, true);
    p.site = Site_Observation{QStringLiteral("Paris"), {48.85, 2.35, 35}, 15, true};
    for (auto _ : state) {
        p.ecran.Oublier();
        Construire_Page(p.Contexte());
        benchmark::DoNotOptimize(p.ecran.Textes().data());
    }
    state.counters["textes"] = static_cast<double>(p.ecran.Textes().size());
}
BENCHMARK(Page_Enregistreur_Visibilite)->Unit(benchmark::kMicrosecond);

// The same build rasterised into the page image, without and with the visibility.
void Page_Image(benchmark::State& state) {
    Page_Exemple p;
    p.Choisir("Arbelin", true, true);
    if (state.range(0)) p.site = Site_Observation{QStringLiteral("Paris"), {48.85, 2.35, 35}, 15, true};
    QImage image(961, 550, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        Canevas_QPainter canevas(image);
        p.boite.Fixer_Canevas_Fenetre(&canevas);
        Construire_Page(p.Contexte());
        canevas.Terminer();
        p.boite.Fixer_Canevas_Fenetre(nullptr);
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(Page_Image)->ArgName("visibilite")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The rows of the precise model, their elements osculating ten years before
// the first row: the planets' pull integrated from the epoch at each build
// (a fresh page state), or the two-body rows beside it.
Page_Exemple& Page_Dix_Ans(Page_Exemple& p, bool perturbations) {
    p.entree.Modele.modele = Modele_Calcul::Precis;
    p.entree.Modele.perturbations = perturbations;
    p.el.Epoque.JJ_Epoque = Page_Exemple::JJ_2000 + 60 - 3652.5;  // ten years before 1 March 2000
    return p;
}

int Lignes_Generees(Page_Exemple& p) {
    int lignes = 0;
    const Calcul_Page calcul = p.Contexte().calcul;
    Preparer_Page(calcul);
    Generer_Lignes(calcul, [&lignes](const Ligne_Ephemeride& l) { lignes += l.Message.isEmpty(); });
    return lignes;
}

void Lignes_Dix_Ans_Apres_Epoque(benchmark::State& state) {
    Page_Exemple p;
    Page_Dix_Ans(p, state.range(0) != 0);
    int lignes = 0;
    for (auto _ : state) {
        p.page = Etat_Page{};
        lignes = Lignes_Generees(p);
    }
    state.counters["lignes"] = lignes;
}
BENCHMARK(Lignes_Dix_Ans_Apres_Epoque)
    ->ArgName("perturbations")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// The same page, its start moved by one day at each build: the kept
// integration continues from the nearest state instead of the epoch.
void Lignes_Decalees_D_Un_Jour(benchmark::State& state) {
    Page_Exemple p;
    Page_Dix_Ans(p, true);
    Lignes_Generees(p);
    int lignes = 0;
    for (auto _ : state) {
        p.entree.Debut->Jour += 1;
        lignes = Lignes_Generees(p);
    }
    state.counters["lignes"] = lignes;
}
BENCHMARK(Lignes_Decalees_D_Un_Jour)->Unit(benchmark::kMillisecond);

// The page of the example as the window builds it, with each model, a row
// a day (31 rows) and a row an hour (24 rows). Each row takes three places,
// for its drifts; the time per place is shown with the build's.
void Page_Modele(benchmark::State& state, Modele_Calcul modele, const char* unite) {
    Page_Exemple p;
    p.Choisir_Unite(unite);
    p.entree.Modele.modele = modele;
    const int lignes = Nombre_Lignes(p.entree.Unite_Pas);
    for (auto _ : state) {
        p.ecran.Oublier();
        Construire_Page(p.Contexte());
        benchmark::DoNotOptimize(p.ecran.Textes().data());
    }
    state.counters["par_position"] = benchmark::Counter(
        3.0 * lignes, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK_CAPTURE(Page_Modele, classique_jours, Modele_Calcul::Classique, "jours")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Page_Modele, precis_jours, Modele_Calcul::Precis, "jours")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Page_Modele, classique_heures, Modele_Calcul::Classique, "heures")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Page_Modele, precis_heures, Modele_Calcul::Precis, "heures")->Unit(benchmark::kMicrosecond);

#ifdef TRAJECTEL_LIBNOVA
// libnova's equatorial position of the example's body, one place, for scale.
void Libnova_Position(benchmark::State& state) {
    const Page_Exemple p;
    ln_ell_orbit orbite{
        p.el.a, p.el.e, p.el.i, p.el.Omega, p.el.gOmega, Moyen_Mouvement(p.el.a), Page_Exemple::JJ_2000};
    ln_equ_posn position{};
    const double jj = Page_Exemple::JJ_2000 + 60;
    for (auto _ : state) {
        ln_get_ell_body_equ_coords(jj, &orbite, &position);
        benchmark::DoNotOptimize(position);
    }
}
BENCHMARK(Libnova_Position);
#endif

// Keeps each run's processor time (the machine may be shared), then names
// the precise build against the classic one.
class Rapport_Rapports : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) temps_[r.benchmark_name()] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const char* unite : {"jours", "heures"}) {
            const auto classique = temps_.find(std::string("Page_Modele/classique_") + unite);
            const auto precis = temps_.find(std::string("Page_Modele/precis_") + unite);
            if (classique == temps_.end() || precis == temps_.end() || !(classique->second > 0)) continue;
            std::printf("page %s : précis / classique = %.2f\n", unite, precis->second / classique->second);
        }
    }

private:
    std::map<std::string, double> temps_;
};

}  // namespace

// Fonts need a QGuiApplication; no display is needed.
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    Rapport_Rapports rapport;
    benchmark::RunSpecifiedBenchmarks(&rapport);
    benchmark::Shutdown();
    return 0;
}

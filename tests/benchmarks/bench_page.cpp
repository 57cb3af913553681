#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

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

}  // namespace

// Fonts need a QGuiApplication; no display is needed.
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

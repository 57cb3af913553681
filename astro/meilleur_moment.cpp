#include "astro/meilleur_moment.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "astro/constantes.h"

namespace {

// Samples every 10 minutes: an altitude bends so little between two that its
// highest point lies within one sample of the best one.
constexpr double Pas_Echantillon = 10.0 / Minutes_Par_Jour;  // days
constexpr int Echantillons_Maximum = 2000;  // a stretch longer than two weeks is sampled more sparsely
// The golden section stops within a second, or after this many steps.
constexpr double Precision_Instant = 1.0 / Secondes_Par_Jour;  // days
constexpr int Pas_Maximum_Section = 60;
const double Section_Doree = (std::sqrt(5.0) - 1) / 2;

// The Earth's greatest distance from the Sun, a (1 + e) with the elements of
// J2000 (Simon et al. 1994): nothing farther from the Sun than this plus Δ
// can be seen at a distance below Δ.
constexpr double Aphelie_Terre = 1.0167103;  // AU
constexpr double Facteur_Delta = 5;          // magnitudes per decade of Δ, and of r Δ for the H,G law

// The highest point of a curve in [a, b], which holds one, by golden section.
Meilleur_Moment Affiner(const std::function<double(double)>& h, double a, double b) {
    double x1 = b - Section_Doree * (b - a), x2 = a + Section_Doree * (b - a);
    double h1 = h(x1), h2 = h(x2);
    for (int pas = 0; pas < Pas_Maximum_Section && b - a > Precision_Instant; ++pas) {
        if (h1 >= h2) {
            b = x2;
            x2 = x1;
            h2 = h1;
            x1 = b - Section_Doree * (b - a);
            h1 = h(x1);
        } else {
            a = x1;
            x1 = x2;
            h1 = h2;
            x2 = a + Section_Doree * (b - a);
            h2 = h(x2);
        }
    }
    return h1 >= h2 ? Meilleur_Moment{x1, h1} : Meilleur_Moment{x2, h2};
}

}  // namespace

Meilleur_Moment Chercher_Meilleur_Moment(const std::function<double(double jj)>& hauteur,
                                         const Intervalle& dans) {
    const double duree = dans.fin - dans.debut;
    if (!(duree > 0) || !std::isfinite(duree)) return {dans.debut, hauteur(dans.debut)};
    const int n = static_cast<int>(
        std::clamp(std::ceil(duree / Pas_Echantillon), 1.0, static_cast<double>(Echantillons_Maximum)));
    const double pas = duree / n;
    Meilleur_Moment meilleur{dans.debut, -std::numeric_limits<double>::infinity()};
    int rang = 0;
    for (int k = 0; k <= n; ++k) {
        const double t = k == n ? dans.fin : dans.debut + k * pas;
        const double h = hauteur(t);
        if (h > meilleur.Hauteur) {
            meilleur = {t, h};
            rang = k;
        }
    }
    if (!std::isfinite(meilleur.Hauteur)) return {dans.debut, std::nan("")};
    const double a = std::max(dans.debut, meilleur.JJ - (rang > 0 ? pas : 0));
    const double b = std::min(dans.fin, meilleur.JJ + (rang < n ? pas : 0));
    const Meilleur_Moment affine = Affiner(hauteur, a, b);
    return affine.Hauteur > meilleur.Hauteur ? affine : meilleur;
}

Meilleur_Moment Meilleur_Moment_Trajet(const Trajet& corps, const Intervalle& dans,
                                       const Lieu_Observation& lieu) {
    return Chercher_Meilleur_Moment([&](double jj) { return Hauteur(corps, jj, lieu); }, dans);
}

// r ≥ q and Δ ≥ r − R ≥ q − R: both distances, and r Δ, are least at
// perihelion. The H,G phase function never exceeds 1, and the phase term of a
// comet law never lowers the magnitude when PC ≥ 0.
double Magnitude_Minimale(const Loi_Magnitude& loi, double q) {
    constexpr double moins_infini = -std::numeric_limits<double>::infinity();
    if (!(q > Aphelie_Terre) || !std::isfinite(q)) return moins_infini;
    const double Delta = q - Aphelie_Terre;
    if (loi.forme == Forme_Loi::Asteroide) return loi.Zero + Facteur_Delta * std::log10(q * Delta);
    if (!(loi.K >= 0) || !(loi.PC >= 0)) return moins_infini;
    return loi.Zero + Facteur_Delta * std::log10(Delta) + loi.K * std::log10(q);
}

#include "astro/lois_magnitude.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "astro/angles.h"

namespace {

constexpr double Facteur_Delta = 5;             // magnitudes per decade of Δ
constexpr double Facteur_Flux = 2.5;            // magnitudes per decade of flux
constexpr double K1_Programme = 10;             // magnitudes per decade of r, total
constexpr double K2_Programme = 5;              // magnitudes per decade of r, nucleus
constexpr double Poids_Petites_Phases = 90.56;  // W = exp(−90.56 tan²(β/2))

// The two basis functions Φ1, Φ2 of Bowell et al. (1989), Asteroids II, p. 549.
struct Base_HG {
    double A;
    double B;
    double C;
};
constexpr Base_HG Phi1{3.332, 0.631, 0.986};
constexpr Base_HG Phi2{1.862, 1.218, 0.238};

// Φi = W Φi,S + (1 − W) Φi,L: the smooth part at small phase angles, the
// linear one at large angles.
double Phi(const Base_HG& b, double sin_beta, double tan_demi, double W) {
    const double S = 1 - b.C * sin_beta / (0.119 + 1.341 * sin_beta - 0.754 * sin_beta * sin_beta);
    const double L = std::exp(-b.A * std::pow(tan_demi, b.B));
    return W * S + (1 - W) * L;
}

// Wide enough for every published law: great comets' M1 near −2 to the
// faintest asteroids' H above 30, g,k laws up to k = 20.
constexpr Limites_Parametre Limites[] = {
    {Parametre_Loi::Zero, "magnitude absolue", -10, 40},
    {Parametre_Loi::K, "coefficient de log r", -10, 50},
    {Parametre_Loi::PC, "coefficient de phase", 0, 0.5},
    {Parametre_Loi::G, "paramètre de pente G", -0.5, 1},
};

}  // namespace

Loi_Magnitude Loi_Totale_Programme() { return Loi_Comete(0, K1_Programme, 0, Origine_Loi::Programme); }

Loi_Magnitude Loi_Noyau_Programme() { return Loi_Comete(0, K2_Programme, 0, Origine_Loi::Programme); }

Loi_Magnitude Loi_Comete(double M, double K, double PC, Origine_Loi origine) {
    Loi_Magnitude loi;
    loi.forme = Forme_Loi::Comete;
    loi.Zero = M;
    loi.K = K;
    loi.PC = PC;
    loi.origine = origine;
    return loi;
}

Loi_Magnitude Loi_Asteroide(double H, double G, Origine_Loi origine) {
    Loi_Magnitude loi;
    loi.forme = Forme_Loi::Asteroide;
    loi.Zero = H;
    loi.G = G;
    loi.origine = origine;
    return loi;
}

double Angle_Phase(double r, double Delta, double R) {
    if (!(r > 0 && Delta > 0)) return std::nan("");
    const double cosinus = (r * r + Delta * Delta - R * R) / (2 * r * Delta);
    return std::acos(std::clamp(cosinus, -1.0, 1.0)) / Radians_Par_Degre;
}

double Fonction_Phase_HG(double G, double beta) {
    const double b = beta * Radians_Par_Degre;
    const double tan_demi = std::tan(b / 2);
    const double sin_beta = std::sin(b);
    const double W = std::exp(-Poids_Petites_Phases * tan_demi * tan_demi);
    return (1 - G) * Phi(Phi1, sin_beta, tan_demi, W) + G * Phi(Phi2, sin_beta, tan_demi, W);
}

// The comet law in the order the page has always summed it, so that the
// program's own laws give today's magnitudes to the last bit.
double Effet_Distances(const Loi_Magnitude& loi, double r, double Delta, double beta) {
    if (loi.forme == Forme_Loi::Asteroide) {
        // Two negative distances would make a positive product.
        if (!(r > 0 && Delta > 0)) return std::nan("");
        const double phase = Fonction_Phase_HG(loi.G, beta);
        // Seen from behind, no light comes back: infinitely faint.
        if (phase <= 0) return HUGE_VAL;
        return Facteur_Delta * std::log10(r * Delta) - Facteur_Flux * std::log10(phase);
    }
    const double effet = loi.K * std::log10(r) + Facteur_Delta * std::log10(Delta);
    return loi.PC == 0 ? effet : effet + loi.PC * beta;
}

double Magnitude_Loi(const Loi_Magnitude& loi, double r, double Delta, double beta) {
    return loi.Zero + Effet_Distances(loi, r, Delta, beta);
}

Loi_Magnitude Recalibrer_Loi(const Loi_Magnitude& loi, double magnitude, double r, double Delta,
                             double beta) {
    Loi_Magnitude recalibree = loi;
    recalibree.Zero = magnitude - Effet_Distances(loi, r, Delta, beta);
    return recalibree;
}

const Limites_Parametre& Limites_Loi(Parametre_Loi parametre) {
    return *std::find_if(std::begin(Limites), std::end(Limites),
                         [parametre](const Limites_Parametre& l) { return l.parametre == parametre; });
}

bool Parametre_Loi_Valide(Parametre_Loi parametre, double valeur) {
    const Limites_Parametre& l = Limites_Loi(parametre);
    return std::isfinite(valeur) && valeur >= l.minimum && valeur <= l.maximum;
}

bool Loi_Valide(const Loi_Magnitude& loi) {
    if (!Parametre_Loi_Valide(Parametre_Loi::Zero, loi.Zero)) return false;
    if (loi.forme == Forme_Loi::Asteroide) return Parametre_Loi_Valide(Parametre_Loi::G, loi.G);
    return Parametre_Loi_Valide(Parametre_Loi::K, loi.K) && Parametre_Loi_Valide(Parametre_Loi::PC, loi.PC);
}

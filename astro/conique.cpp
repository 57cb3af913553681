#include "astro/conique.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "astro/angles.h"

namespace {

// Times beyond this, in units of q^1.5 / k, put the body further than a
// double can tell; the bound keeps the guesses below from overflowing.
constexpr double T_Maximum = 1e300;

// Below |z| = 1 the closed forms of c2 and c3 lose digits to cancellation
// (1 − cos √z, √z − sin √z), the series none: its terms fall as 1/n!, and
// ten of them reach the last digit there.
constexpr double Limite_Serie = 1;
constexpr int Termes_Serie = 10;
// Past z = −1e6, cosh √−z and sinh √−z are beyond a double anyway: the
// functions stay infinite instead of becoming inf/inf.
constexpr double Z_Minimum = -1e6;

// Newton's steps from a guess on the right side of the root take a few
// steps; the safeguard's bisections make every step shrink the bracket. The
// bound only stops what rounding could keep going.
constexpr int Pas_Maximum = 100;
constexpr double Tolerance_Relative = 2e-15;  // on the universal anomaly

// 1 / n!, for the terms of the series.
constexpr int Dernier_Terme = 2 * (Termes_Serie - 1) + 3;
constexpr std::array<double, Dernier_Terme + 1> Inverses_Factorielles = [] {
    std::array<double, Dernier_Terme + 1> f{};
    double factorielle = 1;
    for (int n = 0; n <= Dernier_Terme; ++n) {
        if (n > 0) factorielle *= n;
        f[n] = 1 / factorielle;
    }
    return f;
}();

// Σ (−z)^k / (2k + premier)!, by Horner from the last term.
double Serie_Stumpff(double z, int premier) {
    double somme = 0;
    for (int k = Termes_Serie - 1; k >= 0; --k) somme = somme * -z + Inverses_Factorielles[2 * k + premier];
    return somme;
}

// The universal anomaly ξ = x / √q of the body, scaled so that q falls out:
// ξ + e ξ³ c3((1 − e) ξ²) = T, with T = k t / q^1.5 ≥ 0.
struct Kepler_Universel {
    double e;
    double T;

    // F(ξ) and its derivative r / q.
    void Evaluer(double xi, double& F, double& derivee) const {
        const Stumpff s = Calculer_Stumpff((1 - e) * xi * xi);
        F = xi + e * xi * xi * xi * s.c3 - T;
        derivee = 1 + e * xi * xi * s.c2;
    }
};

// The parabola's root, by Cardano's formula written without cancellation:
// s³ + 3s = W with W = 3T / √2, and ξ = √2 s.
double Anomalie_Parabolique(double T) {
    const double W = 3 * T / std::sqrt(2.0);
    const double Y = std::cbrt(W / 2 + std::hypot(W / 2, 1.0));
    return std::sqrt(2.0) * W / (Y * Y + 1 + 1 / (Y * Y));
}

// A guess never left of the root: on the hyperbola asinh(M / (e − 1)) is
// above the root of e sinh H − H = M, and so is the parabola's root, since
// the hyperbola's universal function lies above the parabola's.
double Premier_Essai(double e, double T, double haut) {
    double xi = std::min(Anomalie_Parabolique(T), haut);
    if (e > 1) {
        const double racine = std::sqrt(e - 1);
        const double hyperbolique = std::asinh(T * racine) / racine;
        if (hyperbolique < xi) xi = hyperbolique;
    }
    return xi;
}

// Safeguarded Newton: F increases with ξ and is convex on the bracket, so a
// step that leaves the bracket [bas, haut] is replaced by a bisection.
double Resoudre_Universel(const Kepler_Universel& k, double haut) {
    double bas = 0;
    double xi = Premier_Essai(k.e, k.T, haut);
    for (int pas = 0; pas < Pas_Maximum; ++pas) {
        double F = 0, derivee = 0;
        k.Evaluer(xi, F, derivee);
        if (F == 0) return xi;
        if (F < 0) {
            bas = xi;
        } else {
            haut = xi;
        }
        const double pas_newton = F / derivee;
        if (std::fabs(pas_newton) <= Tolerance_Relative * xi) return xi - pas_newton;
        xi -= pas_newton;
        // NaN fails both comparisons too.
        if (!(xi > bas && xi < haut)) xi = bas + (haut - bas) / 2;
        if (haut - bas <= Tolerance_Relative * haut) return xi;
    }
    return xi;
}

}  // namespace

Stumpff Calculer_Stumpff(double z) {
    if (std::fabs(z) < Limite_Serie) return {Serie_Stumpff(z, 2), Serie_Stumpff(z, 3)};
    if (z > 0) {
        const double y = std::sqrt(z);
        const double s = std::sin(y / 2);
        return {2 * s * s / z, (y - std::sin(y)) / (z * y)};
    }
    z = std::max(z, Z_Minimum);
    // One exponential for both hyperbolic functions: from y/2 = 0.5 on,
    // e^(y/2) − e^(−y/2) loses less than a bit.
    const double y = std::sqrt(-z);
    const double exp_demi = std::exp(y / 2);
    const double sh = (exp_demi - 1 / exp_demi) / 2, ch = (exp_demi + 1 / exp_demi) / 2;
    return {2 * sh * sh / -z, (2 * sh * ch - y) / (-z * y)};
}

Point_Orbite Resoudre_Conique(double q, double e, double t) {
    // Before perihelion the body is at the mirror image of where it will be.
    double signe = t < 0 ? -1 : 1;
    // Divided twice: q·√q of a tiny q is 0, and 0/0 would be NaN at t = 0.
    double T = std::min(K_Gauss * std::fabs(t) / q / std::sqrt(q), T_Maximum);
    double haut = T;  // F(ξ) ≥ ξ − T
    if (e < 1) {
        // Whole revolutions are taken off, then the half after aphelion is
        // the mirror of the half before it.
        const double Periode = Deux_Pi / std::pow(1 - e, 1.5);
        T = std::fmod(T, Periode);
        if (T > Periode / 2) {
            T = Periode - T;
            signe = -signe;
        }
        haut = std::min(T, Pi_Radians / std::sqrt(1 - e));  // E = π
    }
    const double xi = Resoudre_Universel({e, T}, haut);
    const Stumpff s = Calculer_Stumpff((1 - e) * xi * xi);
    // Position in the orbit's plane, perihelion along the first axis, in q.
    const double X = 1 - xi * xi * s.c2;
    const double Y = xi * std::sqrt(1 + e) * (1 - (1 - e) * xi * xi * s.c3);
    Point_Orbite p;
    p.v = signe * std::atan2(Y, X) * Degres_Par_Radian;
    p.r = q * (1 + e * xi * xi * s.c2);
    return p;
}

#include "astro/position.h"

#include <algorithm>
#include <cmath>

#include "astro/calendrier.h"
#include "astro/conique.h"
#include "astro/constantes.h"

namespace {

constexpr double JJ_1900 = 2415020.0;                  // 1900 January 0.5, days
constexpr double JJ_1900_Tropical = 2415020.313;       // start of the tropical year 1900, days
constexpr double Siecle_Tropical = 36524.2199;         // days
constexpr double JJ_1900_Precession = 2415020.5;       // 1900 January 1.0, days
constexpr double Echelle_Distance_Soleil = 1.0000002;  // semi-major axis of the Earth's orbit, AU
constexpr double Tolerance_Kepler = 1e-9;              // degrees
constexpr double Tolerance_Barker = 1e-9;              // on the residual of s³ + 3s = W
// Newton's method started from E = M converges in under 20 steps for nearly
// every orbit, but beyond e = 0.97 it can wander between quadrants for
// hundreds of steps, or for ever. Past this bound the root is found by
// bisection, which always converges: Kepler's function is increasing.
constexpr int Pas_Maximum_Kepler = 50;
constexpr int Pas_Maximum_Dichotomie = 100;
// From s = 0 a large W first gives s = W/3, then each step takes off about a
// third: W = 1e30 still converges in under 120 steps. The bound stops a loop
// fed with NaN or infinities.
constexpr int Pas_Maximum_Barker = 200;
constexpr double Declinaison_Arccos = 1.4137166941154069573;  // 81 degrees, radians

// Rounding may push a sine or a cosine just past ±1.
double Arcsin(double x) { return std::asin(std::clamp(x, -1.0, 1.0)); }
double Arccos(double x) { return std::acos(std::clamp(x, -1.0, 1.0)); }

// The precession angles grow without bound with the interval between the
// equinoxes, so whole turns are taken off exactly, whatever their number.
double Ramener_Tour(double alpha) {
    alpha = std::fmod(alpha, Deux_Pi);
    if (alpha < 0) alpha += Deux_Pi;
    // -1e-17 + 2π is 2π in a double.
    if (alpha >= Deux_Pi) alpha -= Deux_Pi;
    return alpha;
}

double Polynome(double T, double c0, double c1, double c2, double c3 = 0) {
    return c0 + T * (c1 + T * (c2 + T * c3));
}

// Precession angles ζ, z, θ in radians, from the epoch T (centuries) over t
// centuries (Newcomb).
struct Angles_Precession {
    double zeta = 0;
    double z = 0;
    double theta = 0;
};

Angles_Precession Calculer_Angles_Precession(double T, double t) {
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double zeta = (2304.250 + 1.396 * T) * t + 0.302 * t2 + 0.018 * t3;
    const double z = zeta + 0.791 * t2 + 0.001 * t3;
    const double theta = (2004.682 - 0.853 * T) * t - 0.426 * t2 - 0.042 * t3;
    return {zeta * Radians_Par_Seconde, z * Radians_Par_Seconde, theta * Radians_Par_Seconde};
}

// One rigorous precession of (Alpha, Delta) in place.
void Precesser(const Angles_Precession& p, Position& pos) {
    const double alpha = pos.Alpha;
    const double delta = pos.Delta;
    const double P1 = std::cos(delta) * std::sin(alpha + p.zeta);
    const double P2 =
        std::cos(p.theta) * std::cos(delta) * std::cos(alpha + p.zeta) - std::sin(p.theta) * std::sin(delta);
    const double P3 =
        std::sin(p.theta) * std::cos(delta) * std::cos(alpha + p.zeta) + std::cos(p.theta) * std::sin(delta);
    pos.Alpha = Ramener_Tour(std::atan2(P1, P2) + p.z);
    // Near the pole the arc sine loses its precision.
    double d = delta > Declinaison_Arccos ? Arccos(std::sqrt(P1 * P1 + P2 * P2)) : Arcsin(P3);
    if (d > Pi_Radians / 2) d = Pi_Radians - d;
    if (d < -Pi_Radians / 2) d = -Pi_Radians - d;
    pos.Delta = d;
}

struct Orientation {
    double Ap = 0;  // degrees
    double Bp = 0;
    double Cp = 0;
    double ma = 0;
    double mb = 0;
    double mc = 0;
};

// The orbit's plane seen in equatorial axes (Meeus' constants a, b, c, A, B, C).
Orientation Calculer_Orientation(double gOmega, double i, double Obliquite) {
    const double sO = Sin_Deg(gOmega), cO = Cos_Deg(gOmega);
    const double si = Sin_Deg(i), ci = Cos_Deg(i);
    const double se = Sin_Deg(Obliquite), ce = Cos_Deg(Obliquite);
    const double Px = cO, Py = ce * sO, Pz = se * sO;
    const double Qx = -ci * sO, Qy = ce * ci * cO - se * si, Qz = se * ci * cO + ce * si;
    Orientation o;
    o.Ap = std::atan2(Px, Qx) / Radians_Par_Degre;
    o.Bp = std::atan2(Py, Qy) / Radians_Par_Degre;
    o.Cp = std::atan2(Pz, Qz) / Radians_Par_Degre;
    o.ma = std::sqrt(Px * Px + Qx * Qx);
    o.mb = std::sqrt(Py * Py + Qy * Qy);
    o.mc = std::sqrt(Pz * Pz + Qz * Qz);
    return o;
}

// E − e° sin E = M has its root within e° of M.
double Kepler_Par_Dichotomie(double M, double e_degres) {
    double bas = M - std::fabs(e_degres);
    double haut = M + std::fabs(e_degres);
    for (int pas = 0; pas < Pas_Maximum_Dichotomie && haut - bas > Tolerance_Kepler; ++pas) {
        const double milieu = (bas + haut) / 2;
        if (milieu - e_degres * Sin_Deg(milieu) < M) {
            bas = milieu;
        } else {
            haut = milieu;
        }
    }
    return (bas + haut) / 2;
}

}  // namespace

double Normaliser_Angle(double x) {
    // fmod is exact, as the subtractions of whole turns would be, and takes
    // the same time for any value.
    double r = std::fmod(x, Tour);
    if (r < 0) r += Tour;
    if (r >= Tour) r = 0;
    return r;
}

double Siecles_Depuis_1900(double jj) { return (jj - JJ_1900) / Siecle_Julien; }

double Obliquite_Moyenne(double T) { return Polynome(T, 23.452294, -0.0130125, -0.00000164, 0.000000503); }

Soleil Calculer_Soleil(double T, double Obliquite) {
    const double L0 = Normaliser_Angle(Polynome(T, 279.69668, 36000.76892, 0.0003025));
    const double Ms = Normaliser_Angle(Polynome(T, 358.47583, 35999.04975, -0.00015, -0.0000033));
    const double es = Polynome(T, 0.01675104, -0.0000418, -0.000000126);
    const double Cs =
        Normaliser_Angle(Polynome(T, 1.91946, -0.004789, -0.000014) * Sin_Deg(Ms) +
                         Polynome(T, 0.020094, -0.0001, 0) * Sin_Deg(2 * Ms) + 0.000293 * Sin_Deg(3 * Ms));
    Soleil s;
    s.Ls = Normaliser_Angle(L0 + Cs);
    const double vs = Normaliser_Angle(Ms + Cs);
    s.Rs = Echelle_Distance_Soleil * (1 - es * es) / (1 + es * Cos_Deg(vs));
    s.equatoriales = {s.Rs * Cos_Deg(s.Ls), s.Rs * Sin_Deg(s.Ls) * Cos_Deg(Obliquite),
                      s.Rs * Sin_Deg(s.Ls) * Sin_Deg(Obliquite)};
    return s;
}

Vecteur Precesser_Soleil(const Vecteur& soleil, double JJ_Instant, double JJ_Equinoxe) {
    const double Tp = (JJ_Instant - JJ_1900_Tropical) / Siecle_Tropical;
    const double t = (JJ_Equinoxe - JJ_Instant) / Siecle_Tropical;
    const Angles_Precession p = Calculer_Angles_Precession(Tp, t);
    const double cZ = std::cos(p.zeta), sZ = std::sin(p.zeta);
    const double cz = std::cos(p.z), sz = std::sin(p.z);
    const double cT = std::cos(p.theta), sT = std::sin(p.theta);
    const double Xs = soleil[0], Ys = soleil[1], Zs = soleil[2];
    return {(cZ * cz * cT - sZ * sz) * Xs + (-sZ * cz * cT - cZ * sz) * Ys + (-cz * sT) * Zs,
            (cZ * sz * cT + sZ * cz) * Xs + (cZ * cz - sZ * sz * cT) * Ys + (-sz * sT) * Zs,
            (cZ * sT) * Xs + (-sZ * sT) * Ys + cT * Zs};
}

double Resoudre_Kepler(double M, double e) {
    const double e_degres = e / Radians_Par_Degre;
    double E = M;
    for (int pas = 0; pas < Pas_Maximum_Kepler; ++pas) {
        const double E_suivant = E + (M + e_degres * Sin_Deg(E) - E) / (1 - e * Cos_Deg(E));
        const double changement = std::fabs(E - E_suivant);
        E = E_suivant;
        if (changement <= Tolerance_Kepler) return E;
    }
    return Kepler_Par_Dichotomie(M, e_degres);
}

double Resoudre_Barker(double W) {
    double s = 0;
    for (int pas = 0; pas < Pas_Maximum_Barker; ++pas) {
        const double s_precedent = s;
        s = (2 * s * s * s + W) / (3 * (s * s + 1));
        if (std::fabs(s * s * s + 3 * s - W) <= Tolerance_Barker) break;
        // For a large W the residual cannot reach the tolerance; s is then as
        // exact as a double allows and would stay as it is.
        if (s == s_precedent) break;
    }
    return s;
}

Corps_Elliptique Calculer_Elliptique(Elements& el, double JJ_Instant) {
    if (el.a > 0) el.n = Moyen_Mouvement(el.a);
    el.q = (1 - el.e) * el.a;
    el.gQ = (1 + el.e) * el.a;
    Corps_Elliptique c;
    c.M = Normaliser_Angle((JJ_Instant - el.JJ_Perihelie) * el.n);
    el.Anomalie_Moyenne = c.M;
    c.E = Resoudre_Kepler(c.M, el.e);
    const double L = Normaliser_Angle(c.M + el.Longitude_Perihelie);
    c.v = 2 * std::atan(std::sqrt((1 + el.e) / (1 - el.e)) * Tan_Deg(c.E / 2)) / Radians_Par_Degre;
    if (c.v < 0) c.v += Tour;
    c.r = (1 - el.e * el.e) * el.a / (1 + el.e * Cos_Deg(c.v));
    double u = L + c.v - c.M - el.gOmega;  // argument of latitude
    if (u < 0) u += Tour;
    double lambda0 = std::atan2(Sin_Deg(u) * Cos_Deg(el.i), Cos_Deg(u)) / Radians_Par_Degre;
    if (lambda0 < 0) lambda0 += Tour;
    c.lambda = lambda0 + el.gOmega;
    if (c.lambda > Tour) c.lambda -= Tour;
    c.beta = Arcsin(Sin_Deg(el.i) * Sin_Deg(u)) / Radians_Par_Degre;
    return c;
}

Corps_Parabolique Calculer_Parabolique(const Elements& el, double JJ_Instant, double Obliquite) {
    const Orientation o = Calculer_Orientation(el.gOmega, el.i, Obliquite);
    Corps_Parabolique c;
    const double t = JJ_Instant - el.JJ_Perihelie;
    if (el.e == 1) {
        c.W = Constante_Barker * t / el.q / std::sqrt(el.q);
        c.s = Resoudre_Barker(c.W);
        c.v = 2 * std::atan(c.s) / Radians_Par_Degre;
        c.r = el.q * (1 + c.s * c.s);
    } else {
        const Point_Orbite p = Resoudre_Conique(el.q, el.e, t);
        c.v = p.v;
        c.r = p.r;
    }
    c.equatoriales = {c.r * o.ma * Sin_Deg(o.Ap + el.Omega + c.v),
                      c.r * o.mb * Sin_Deg(o.Bp + el.Omega + c.v),
                      c.r * o.mc * Sin_Deg(o.Cp + el.Omega + c.v)};
    return c;
}

Vecteur Ecliptique_Vers_Equatorial(double r, double lambda, double beta, double Obliquite) {
    const double x = r * Cos_Deg(beta) * Cos_Deg(lambda);
    const double y = r * Cos_Deg(beta) * Sin_Deg(lambda);
    const double z = r * Sin_Deg(beta);
    const double ce = Cos_Deg(Obliquite), se = Sin_Deg(Obliquite);
    return {x, y * ce - z * se, y * se + z * ce};
}

void Vers_Geocentrique(const Vecteur& corps, const Vecteur& soleil, Position& pos) {
    const Vecteur d = {corps[0] + soleil[0], corps[1] + soleil[1], corps[2] + soleil[2]};
    pos.Distance_Terre = Norme(d);
    pos.Alpha = Ramener_Tour(std::atan2(d[1], d[0]));
    pos.Delta = Arcsin(d[2] / pos.Distance_Terre);
}

void Precesser_Position(const Elements& el, Position& pos) {
    const double T = (el.JJ_Equinoxe - JJ_1900_Precession) / Siecle_Julien;
    const double t = (el.JJ_Equinoxe_ephemeride - el.JJ_Equinoxe) / Siecle_Julien;
    Precesser(Calculer_Angles_Precession(T, t), pos);
}

// The body's heliocentric position is referred to the equinox of its
// elements, so the Sun is brought there before the two are added, and the
// only precession left is to the equinox of the ephemeris.
void Calculer_Position(Elements& el, int32_t Decalage_Demi_Heure, Position& pos) {
    Calculer_Position_JJ(
        el, Date_Vers_JJ(el.Mois, static_cast<float>(el.An), el.Jour) + Decalage_Demi_Heure * Demi_Heure,
        pos);
}

void Calculer_Position_JJ(Elements& el, double JJ_Instant, Position& pos) {
    pos.JJ_Instant = JJ_Instant;
    pos.Obliquite = Obliquite_Moyenne(Siecles_Depuis_1900(pos.JJ_Instant));
    const Soleil soleil = Calculer_Soleil(Siecles_Depuis_1900(pos.JJ_Instant), pos.Obliquite);
    const Vecteur soleil_elements = Precesser_Soleil(soleil.equatoriales, pos.JJ_Instant, el.JJ_Equinoxe);
    const double Obliquite_Elements = Obliquite_Moyenne(Siecles_Depuis_1900(el.JJ_Equinoxe));
    Vecteur corps;
    if (Orbite_Parabolique(el.e)) {
        const Corps_Parabolique c = Calculer_Parabolique(el, pos.JJ_Instant, Obliquite_Elements);
        pos.Distance_Soleil = c.r;
        corps = c.equatoriales;
    } else {
        const Corps_Elliptique c = Calculer_Elliptique(el, pos.JJ_Instant);
        pos.Distance_Soleil = c.r;
        corps = Ecliptique_Vers_Equatorial(c.r, c.lambda, c.beta, Obliquite_Elements);
    }
    Vers_Geocentrique(corps, soleil_elements, pos);
    pos.Angle_Phase = Angle_Phase(pos.Distance_Soleil, pos.Distance_Terre, soleil.Rs);
    Precesser_Position(el, pos);
}

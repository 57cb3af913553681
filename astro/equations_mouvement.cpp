#include "astro/equations_mouvement.h"

#include <erfa.h>

#include <cmath>
#include <limits>

#include "astro/conique.h"
#include "astro/constantes.h"

namespace {

constexpr double k2 = K_Gauss * K_Gauss;  // the Sun's GM, AU³/day²

// Mass of the Sun over that of each planet, Mercury to Neptune, the Earth
// with the Moon: the IAU (1976) system of astronomical constants.
constexpr double Rapports_Masse[Nombre_Planetes] = {6023600.0, 408523.5, 328900.5, 3098710.0,
                                                    1047.355,  3498.5,   22869.0,  19314.0};

// g(r) = α (r/r0)^−m (1 + (r/r0)^n)^−k, α making g(1 AU) = 1.
constexpr double Alpha_g = 0.1112620426;
constexpr double r0_g = 2.808;  // AU
constexpr double m_g = 2.15;
constexpr double n_g = 5.093;
constexpr double k_g = 4.6142;

// Sidereal periods, days, and the nodes per period. The theory of the outer
// planets carries terms of Jupiter's and Saturn's periods: their nodes stay
// about four months apart.
constexpr double Periodes[Nombre_Planetes] = {87.969,  224.701, 365.256, 686.980,
                                              4332.59, 10759.2, 30688.5, 60182.0};
constexpr double Noeuds_Par_Periode[Nombre_Planetes] = {32, 32, 32, 32, 64, 128, 256, 512};
// Lagrange's interpolation on the nodes n − 3 … n + 4 around an instant
// between nodes n and n + 1.
constexpr int Premier_Noeud = -3;
constexpr int Noeuds_Interpolation = 8;
// Beyond about 27,000 years from J2000 the node's index would not fit, and
// no theory of the planets holds anyway.
constexpr double Ecart_Maximum_2000 = 1e7;  // days

Vecteur Produit_Vectoriel(const Vecteur& a, const Vecteur& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// Adds s·a to `somme`.
void Ajouter(Vecteur& somme, double s, const Vecteur& a) {
    for (int j = 0; j < 3; ++j) somme[j] += s * a[j];
}

double Pas_Noeuds(int k) { return Periodes[k] / Noeuds_Par_Periode[k]; }

// The planets' pull on the body, less their pull on the Sun (the frame is
// the Sun's, which they accelerate too).
void Ajouter_Planetes(const Positions_Planetes& planetes, const Vecteur& x, Vecteur& a) {
    for (int k = 0; k < Nombre_Planetes; ++k) {
        const Vecteur& p = planetes[k];
        const Vecteur d = {p[0] - x[0], p[1] - x[1], p[2] - x[2]};
        const double mu = k2 / Rapports_Masse[k];
        const double nd = Norme(d), np = Norme(p);
        Ajouter(a, mu / (nd * nd * nd), d);
        Ajouter(a, -mu / (np * np * np), p);
    }
}

// A1 along the radius, A3 along the orbit's pole, A2 completing the triad.
void Ajouter_Non_Gravitationnel(const Non_Gravitationnel& ng, const Vecteur& x, const Vecteur& v,
                                Vecteur& a) {
    const double r = Norme(x);
    const Vecteur h = Produit_Vectoriel(x, v);
    const double nh = Norme(h);
    if (!(r > 0 && nh > 0)) return;
    const Vecteur radial = {x[0] / r, x[1] / r, x[2] / r};
    const Vecteur normal = {h[0] / nh, h[1] / nh, h[2] / nh};
    const Vecteur transverse = Produit_Vectoriel(normal, radial);
    const double g = Fonction_g(r);
    Ajouter(a, g * ng.A1, radial);
    Ajouter(a, g * ng.A2, transverse);
    Ajouter(a, g * ng.A3, normal);
}

}  // namespace

double Fonction_g(double r) {
    const double x = r / r0_g;
    return Alpha_g * std::pow(x, -m_g) * std::pow(1 + std::pow(x, n_g), -k_g);
}

Vecteur Position_Planete(int k, double JJ_TT) {
    double pv[2][3];
    // Two parts keep the time's precision; beyond the years 1000 to 3000 the
    // theory only degrades, which its status says and we accept.
    eraPlan94(JJ_J2000, JJ_TT - JJ_J2000, k + 1, pv);
    return {pv[0][0], pv[0][1], pv[0][2]};
}

Planetes_Interpolees::Planetes_Interpolees() : JJ_(std::nan("")) {
    for (auto& planete : noeuds_) {
        for (auto& noeud : planete) noeud.indice = std::numeric_limits<long>::min();
    }
}

const Vecteur& Planetes_Interpolees::Noeud_Planete(int k, long indice) {
    Noeud& noeud = noeuds_[k][static_cast<std::size_t>(indice) % Cases];
    if (noeud.indice != indice) {
        noeud.indice = indice;
        double pv[2][3];
        eraPlan94(JJ_J2000, indice * Pas_Noeuds(k), k + 1, pv);
        noeud.position = {pv[0][0], pv[0][1], pv[0][2]};
    }
    return noeud.position;
}

const Positions_Planetes& Planetes_Interpolees::Positions(double JJ_TT) {
    if (JJ_TT == JJ_) return positions_;
    JJ_ = JJ_TT;
    const double t = JJ_TT - JJ_J2000;
    if (!(std::fabs(t) <= Ecart_Maximum_2000)) {
        positions_.fill({std::nan(""), std::nan(""), std::nan("")});
        return positions_;
    }
    for (int k = 0; k < Nombre_Planetes; ++k) {
        const double x = t / Pas_Noeuds(k);
        const long n = static_cast<long>(std::floor(x));
        const double s = x - n;  // in [0, 1)
        positions_[k] = {0, 0, 0};
        for (int a = 0; a < Noeuds_Interpolation; ++a) {
            double poids = 1;
            for (int b = 0; b < Noeuds_Interpolation; ++b) {
                if (b != a) poids *= (s - (Premier_Noeud + b)) / (a - b);
            }
            Ajouter(positions_[k], poids, Noeud_Planete(k, n + Premier_Noeud + a));
        }
    }
    return positions_;
}

Vecteur Acceleration(const Forces& forces, const Positions_Planetes& planetes, const Vecteur& x,
                     const Vecteur& v) {
    const double r = Norme(x);
    Vecteur a = {0, 0, 0};
    Ajouter(a, -k2 / (r * r * r), x);
    if (forces.planetes) Ajouter_Planetes(planetes, x, a);
    if (forces.ng.A1 != 0 || forces.ng.A2 != 0 || forces.ng.A3 != 0)
        Ajouter_Non_Gravitationnel(forces.ng, x, v, a);
    return a;
}

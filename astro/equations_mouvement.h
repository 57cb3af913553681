#pragma once

// The body's heliocentric equations of motion under the Sun, the eight
// planets and, for a comet, its non-gravitational forces: the right-hand side
// that the integration follows. Frame: the mean equator and equinox of J2000,
// that of ERFA's planets; AU, days, time scale TT.

#include <array>

#include "astro/vecteur.h"

// Non-gravitational parameters of a comet, AU/day²: radial, transverse
// (in the orbit's plane, along the motion) and normal.
struct Non_Gravitationnel {
    double A1 = 0;
    double A2 = 0;
    double A3 = 0;
};

// The forces taken into account.
struct Forces {
    bool planetes = true;  // off: the Sun alone, the two-body motion
    Non_Gravitationnel ng;
};

// g(r) of Marsden, Sekanina and Yeomans (1973), the sublimation of water ice,
// r in AU; 1 at r = 1 AU.
double Fonction_g(double r);

// Number of the planets, Mercury to Neptune, the Earth being the Earth–Moon
// barycentre.
constexpr int Nombre_Planetes = 8;

using Positions_Planetes = std::array<Vecteur, Nombre_Planetes>;

// Heliocentric position of planet `k` (0 Mercury … 7 Neptune), AU, from
// ERFA's eraPlan94.
Vecteur Position_Planete(int k, double JJ_TT);

// The planets' positions between nodes of eraPlan94 by Lagrange's
// interpolation on the eight nodes around the instant, the nodes a fixed
// fraction of each planet's period apart: fewer calls to the theory, for an
// interpolation error below 1e-7 of the distance (2e-6 for Mercury, whose
// pull is tiny), under the theory's own.
// The nodes already computed are kept, so the stages of a step and the next
// steps reuse them.
class Planetes_Interpolees {
public:
    Planetes_Interpolees();
    // Not finite for an instant beyond any planetary theory.
    const Positions_Planetes& Positions(double JJ_TT);

private:
    struct Noeud {
        long indice;
        Vecteur position;
    };
    static constexpr int Cases = 64;  // nodes kept per planet
    std::array<std::array<Noeud, Cases>, Nombre_Planetes> noeuds_;
    Positions_Planetes positions_;
    double JJ_;

    const Vecteur& Noeud_Planete(int k, long indice);
};

// The body's acceleration at position x (AU) and velocity v (AU/day), the
// planets at `planetes`, AU/day².
Vecteur Acceleration(const Forces& forces, const Positions_Planetes& planetes, const Vecteur& x,
                     const Vecteur& v);

#pragma once

// The Earth's motion from ERFA's eraEpv00 (VSOP2000 fitted to DE405), with
// the axes of the ICRS: heliocentric position in AU, velocities in AU per
// day, at a Julian day in TT. One evaluation costs some 30 µs, so a page
// takes the Earth at a few instants and interpolates between them.

#include <cstdint>
#include <unordered_map>

#include "astro/vecteur.h"

struct Etat_Terre {
    Vecteur position;               // heliocentric, AU
    Vecteur vitesse;                // heliocentric, AU/day
    Vecteur vitesse_barycentrique;  // AU/day, for the aberration
};

Etat_Terre Calculer_Terre(double jj_tt);

// The Earth of one page: nodes every `ecart` days from `origine`, each
// computed the first time an instant needs it. Between two nodes, a cubic
// Hermite curve through their positions and velocities; within 36 minutes
// of a node whose neighbour is not known, a Taylor expansion with the Sun's
// pull, so that a page stepped by days or more needs one node per row, if
// its rows fall on nodes. Either stays within 1e-9 AU of eraEpv00 with
// nodes a day apart (the Moon's monthly pull on the Earth is what bounds
// the spacing). Which of the two answers an instant depends on the nodes
// already known; both stay within that bound.
class Terre_Interpolee {
public:
    static constexpr double Ecart_Maximum = 1.0;  // days

    explicit Terre_Interpolee(double origine, double ecart = Ecart_Maximum);
    Etat_Terre A(double jj_tt);
    // Nodes computed so far (eraEpv00 calls, for the benchmarks).
    int64_t Evaluations() const { return evaluations_; }

private:
    const Etat_Terre& Noeud(int64_t k);

    double origine_;
    double ecart_;
    std::unordered_map<int64_t, Etat_Terre> noeuds_;
    int64_t evaluations_ = 0;
};

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
// computed the first time an instant needs it. Nodes a day apart or less:
// between two nodes, the cubic through their positions and velocities.
// Nodes up to three days apart: the curve of degree 7 through the positions
// and velocities of the two nodes either side, which follows the Moon's
// monthly pull on the Earth as the cubic cannot; at either end of a page of
// `intervalles` intervals, through six nodes on its side, so that no node
// lies beyond it. Within 36 minutes of a node whose neighbours are not
// known, a Taylor expansion with the Sun's pull, so that a page stepped by
// three days or more needs one node per row, if its rows fall on nodes.
// Each stays within 1e-9 AU of eraEpv00; which one answers an instant
// depends on the nodes already known.
class Terre_Interpolee {
public:
    static constexpr double Ecart_Cubique = 1.0;  // days
    static constexpr double Ecart_Maximum = 3.0;  // days

    // `intervalles`: how many intervals the page spans; 0 when unknown.
    explicit Terre_Interpolee(double origine, double ecart = Ecart_Cubique, int64_t intervalles = 0);
    Etat_Terre A(double jj_tt);
    // Nodes computed so far (eraEpv00 calls, for the benchmarks).
    int64_t Evaluations() const { return evaluations_; }

private:
    // The nodes the curve goes through between nodes k and k + 1.
    struct Pochoir {
        int64_t premier;
        int n;
    };
    Pochoir Pochoir_De(int64_t k) const;
    const Etat_Terre& Noeud(int64_t k);
    bool Connu(int64_t k) const { return noeuds_.count(k) != 0; }

    double origine_;
    double ecart_;
    int64_t intervalles_;
    std::unordered_map<int64_t, Etat_Terre> noeuds_;
    int64_t evaluations_ = 0;
};

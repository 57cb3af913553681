#include "astro/terre.h"

#include <erfa.h>

#include <algorithm>
#include <cmath>

#include "astro/conique.h"

namespace {

// A page needs a few dozen nodes; past this many the cache starts afresh
// rather than grow without bound.
constexpr std::size_t Noeuds_Maximum = 4096;
// Node numbers beyond this are no longer exact in a double: such an instant
// is computed directly.
constexpr double Indice_Maximum = 1e15;

// Within this of a node (days), a Taylor expansion from it is enough: what
// it leaves out is mostly the Moon's pull on the Earth, 1.7e-6 AU/day², so
// 5e-10 AU at most.
constexpr double Portee_Taylor = 0.025;

// Nodes either side of an instant that the curve of degree 7 goes through;
// at either end of a page, the six nodes on its side, which miss by 8e-10 AU
// at most where two beyond the page would cost two more eraEpv00 calls.
constexpr int Noeuds_Courbe = 4;
constexpr int Noeuds_Bord = 6;

// The curve through positions and velocities at nodes `x` (days): Newton's
// divided differences on the nodes taken twice, a repeated node's first
// difference being its velocity. It gives the position and velocity at `t`;
// `n` nodes at most Noeuds_Bord.
Etat_Terre Hermite(const double* x, const Etat_Terre* noeuds, int n, double t) {
    constexpr int Termes_Maximum = 2 * Noeuds_Bord;
    const int m = 2 * n;
    double z[Termes_Maximum] = {};
    for (int j = 0; j < m; ++j) z[j] = x[j / 2];
    Etat_Terre e{};
    for (int axe = 0; axe < 3; ++axe) {
        double d[Termes_Maximum] = {};
        for (int j = 0; j < m; ++j) d[j] = noeuds[j / 2].position[axe];
        for (int ordre = 1; ordre < m; ++ordre) {
            for (int j = m - 1; j >= ordre; --j) {
                const bool double_noeud = ordre == 1 && j % 2 == 1;
                d[j] = double_noeud ? noeuds[j / 2].vitesse[axe] : (d[j] - d[j - 1]) / (z[j] - z[j - ordre]);
            }
        }
        // Horner's scheme for the value and its derivative together.
        double p = d[m - 1], dp = 0;
        for (int j = m - 2; j >= 0; --j) {
            dp = dp * (t - z[j]) + p;
            p = p * (t - z[j]) + d[j];
        }
        e.position[axe] = p;
        e.vitesse[axe] = dp;
    }
    return e;
}

// The Sun's own barycentric motion changes over years: a straight line
// between the nodes either side will do.
void Ajouter_Soleil(const Etat_Terre& a, const Etat_Terre& b, double s, Etat_Terre& e) {
    for (int i = 0; i < 3; ++i) {
        const double soleil_a = a.vitesse_barycentrique[i] - a.vitesse[i];
        const double soleil_b = b.vitesse_barycentrique[i] - b.vitesse[i];
        e.vitesse_barycentrique[i] = e.vitesse[i] + soleil_a + s * (soleil_b - soleil_a);
    }
}

// The node's motion carried `d` days on with the Sun's pull, −k² x / |x|³.
Etat_Terre Prolonger(const Etat_Terre& n, double d) {
    const Vecteur& x = n.position;
    const double r = Norme(x);
    const double g = r > 0 ? -K_Gauss * K_Gauss / (r * r * r) : 0;
    Etat_Terre e;
    for (int i = 0; i < 3; ++i) {
        const double a = g * x[i];
        e.position[i] = x[i] + d * (n.vitesse[i] + d * a / 2);
        e.vitesse[i] = n.vitesse[i] + d * a;
        e.vitesse_barycentrique[i] = n.vitesse_barycentrique[i] + d * a;
    }
    return e;
}

}  // namespace

Etat_Terre Calculer_Terre(double jj_tt) {
    double pvh[2][3], pvb[2][3];
    // Status 1 only warns that the date is outside 1900-2100, where the
    // series slowly lose their precision.
    eraEpv00(jj_tt, 0.0, pvh, pvb);
    return {{pvh[0][0], pvh[0][1], pvh[0][2]},
            {pvh[1][0], pvh[1][1], pvh[1][2]},
            {pvb[1][0], pvb[1][1], pvb[1][2]}};
}

Terre_Interpolee::Terre_Interpolee(double origine, double ecart, int64_t intervalles)
    : origine_(origine),
      ecart_(ecart > 0 && ecart <= Ecart_Maximum ? ecart : Ecart_Maximum),
      intervalles_(intervalles) {}

const Etat_Terre& Terre_Interpolee::Noeud(int64_t k) {
    auto trouve = noeuds_.find(k);
    if (trouve != noeuds_.end()) return trouve->second;
    if (noeuds_.size() >= Noeuds_Maximum) noeuds_.clear();
    ++evaluations_;
    return noeuds_.emplace(k, Calculer_Terre(origine_ + static_cast<double>(k) * ecart_)).first->second;
}

Terre_Interpolee::Pochoir Terre_Interpolee::Pochoir_De(int64_t k) const {
    if (ecart_ <= Ecart_Cubique) return {k, 2};
    const bool dans_page = intervalles_ >= Noeuds_Bord - 1 && k >= 0 && k < intervalles_;
    if (dans_page && k == 0) return {0, Noeuds_Bord};
    if (dans_page && k == intervalles_ - 1) return {intervalles_ + 1 - Noeuds_Bord, Noeuds_Bord};
    return {k - 1, Noeuds_Courbe};
}

Etat_Terre Terre_Interpolee::A(double jj_tt) {
    const double x = (jj_tt - origine_) / ecart_;
    if (!(std::fabs(x) < Indice_Maximum)) {
        ++evaluations_;
        return Calculer_Terre(jj_tt);
    }
    const double plancher = std::floor(x);
    const int64_t k = static_cast<int64_t>(plancher);
    const double s = x - plancher;
    const Pochoir p = Pochoir_De(k);
    bool connus = true;
    for (int j = 0; j < p.n; ++j) connus = connus && Connu(p.premier + j);
    if (!connus) {
        const bool avant = s < 0.5;
        const double d = (avant ? s : s - 1) * ecart_;
        if (std::fabs(d) <= Portee_Taylor) return Prolonger(Noeud(avant ? k : k + 1), d);
    }
    // Copies: fetching a node may start the cache afresh.
    double t[Noeuds_Bord];
    Etat_Terre noeuds[Noeuds_Bord];
    for (int j = 0; j < p.n; ++j) {
        // In days from the instant, so that large Julian days lose nothing.
        t[j] = (static_cast<double>(p.premier + j - k) - s) * ecart_;
        noeuds[j] = Noeud(p.premier + j);
    }
    Etat_Terre e = Hermite(t, noeuds, p.n, 0.0);
    const int64_t avant = k - p.premier;
    Ajouter_Soleil(noeuds[avant], noeuds[avant + 1], s, e);
    return e;
}

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

Vecteur Combiner(double a, const Vecteur& x, double b, const Vecteur& y, double c, const Vecteur& z, double d,
                 const Vecteur& w) {
    return {a * x[0] + b * y[0] + c * z[0] + d * w[0], a * x[1] + b * y[1] + c * z[1] + d * w[1],
            a * x[2] + b * y[2] + c * z[2] + d * w[2]};
}

// The cubic through both nodes' positions and velocities, at the fraction s
// of the interval h (days) between them.
Etat_Terre Hermite(const Etat_Terre& a, const Etat_Terre& b, double s, double h) {
    const double s2 = s * s, s3 = s2 * s;
    const double h00 = 2 * s3 - 3 * s2 + 1, h10 = s3 - 2 * s2 + s, h01 = -2 * s3 + 3 * s2, h11 = s3 - s2;
    // The derivatives, per day.
    const double d00 = (6 * s2 - 6 * s) / h, d10 = 3 * s2 - 4 * s + 1, d01 = -d00, d11 = 3 * s2 - 2 * s;
    Etat_Terre e;
    e.position = Combiner(h00, a.position, h10 * h, a.vitesse, h01, b.position, h11 * h, b.vitesse);
    e.vitesse = Combiner(d00, a.position, d10, a.vitesse, d01, b.position, d11, b.vitesse);
    // The Sun's own barycentric motion changes over years: a straight line will do.
    for (int i = 0; i < 3; ++i) {
        const double soleil_a = a.vitesse_barycentrique[i] - a.vitesse[i];
        const double soleil_b = b.vitesse_barycentrique[i] - b.vitesse[i];
        e.vitesse_barycentrique[i] = e.vitesse[i] + soleil_a + s * (soleil_b - soleil_a);
    }
    return e;
}

// The node's motion carried `d` days on with the Sun's pull, −k² x / |x|³.
Etat_Terre Prolonger(const Etat_Terre& n, double d) {
    const Vecteur& x = n.position;
    const double r = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
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

Terre_Interpolee::Terre_Interpolee(double origine, double ecart)
    : origine_(origine), ecart_(ecart > 0 && ecart <= Ecart_Maximum ? ecart : Ecart_Maximum) {}

const Etat_Terre& Terre_Interpolee::Noeud(int64_t k) {
    auto trouve = noeuds_.find(k);
    if (trouve != noeuds_.end()) return trouve->second;
    if (noeuds_.size() >= Noeuds_Maximum) noeuds_.clear();
    ++evaluations_;
    return noeuds_.emplace(k, Calculer_Terre(origine_ + static_cast<double>(k) * ecart_)).first->second;
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
    if (noeuds_.count(k) == 0 || noeuds_.count(k + 1) == 0) {
        const bool avant = s < 0.5;
        const double d = (avant ? s : s - 1) * ecart_;
        if (std::fabs(d) <= Portee_Taylor) return Prolonger(Noeud(avant ? k : k + 1), d);
    }
    // Copies: fetching the second node may start the cache afresh.
    const Etat_Terre a = Noeud(k);
    const Etat_Terre b = Noeud(k + 1);
    return Hermite(a, b, s, ecart_);
}

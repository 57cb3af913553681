#include "astro/ajustement_loi.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "astro/place.h"

namespace {

constexpr double Facteur_Delta = 5;  // magnitudes per decade of Δ
// σ = 1.4826 × the median absolute residual for normally spread residuals
// (Rousseeuw & Croux 1993): a scale the blunders themselves cannot inflate.
constexpr double Facteur_Mediane = 1.4826;
// Estimates are given to 0.1 mag: a scale below half of that would set
// aside estimates that merely round the other way.
constexpr double Ecart_Type_Minimum = 0.05;  // mag
// Each pass sets aside or takes back at least one estimate, so the passes
// end; this bound only guards against a cycle between two sets.
constexpr int Passes_Maximum = 50;

struct Sommes {
    double n = 0, x = 0, y = 0, xx = 0, xy = 0;
    void Ajouter(double xi, double yi) {
        n += 1;
        x += xi;
        y += yi;
        xx += xi * xi;
        xy += xi * yi;
    }
};

// The least-squares line through the estimates kept; with K fixed, the mean
// of y − K x.
std::optional<Droite> Droite_Gardees(const std::vector<Estimation_Reduite>& e,
                                     const std::vector<bool>& ecartee, std::optional<double> K_Fixe) {
    Sommes s;
    for (std::size_t k = 0; k < e.size(); ++k)
        if (!ecartee[k]) s.Ajouter(e[k].x(), e[k].y());
    if (s.n == 0) return std::nullopt;
    if (K_Fixe) return Droite{(s.y - *K_Fixe * s.x) / s.n, *K_Fixe};
    const double d = s.n * s.xx - s.x * s.x;
    if (!(d > 0)) return std::nullopt;
    const double K = (s.n * s.xy - s.x * s.y) / d;
    return Droite{(s.y - K * s.x) / s.n, K};
}

double Residu(const Estimation_Reduite& e, const Droite& d) { return e.y() - (d.M1 + d.K1 * e.x()); }

// The robust scale of the residuals of every estimate, set aside or not:
// measured over the kept ones alone, it would shrink at each pass and set
// aside good estimates in turn.
double Echelle(const std::vector<Estimation_Reduite>& e, const Droite& d) {
    std::vector<double> absolus;
    absolus.reserve(e.size());
    for (const Estimation_Reduite& x : e) absolus.push_back(std::abs(Residu(x, d)));
    const auto milieu = absolus.begin() + static_cast<std::ptrdiff_t>(absolus.size() / 2);
    std::nth_element(absolus.begin(), milieu, absolus.end());
    return std::max(Facteur_Mediane * *milieu, Ecart_Type_Minimum);
}

// The plain standard deviation of the estimates kept, with the degrees of
// freedom the fit took.
double Ecart_Type(const std::vector<Estimation_Reduite>& e, const std::vector<bool>& ecartee, const Droite& d,
                  int parametres) {
    double somme = 0;
    std::size_t n = 0;
    for (std::size_t k = 0; k < e.size(); ++k) {
        if (ecartee[k]) continue;
        somme += Residu(e[k], d) * Residu(e[k], d);
        ++n;
    }
    return n > static_cast<std::size_t>(parametres) ? std::sqrt(somme / static_cast<double>(n - parametres))
                                                    : 0;
}

double Etendue_Log_r(const std::vector<Estimation_Reduite>& e) {
    const auto [bas, haut] = std::minmax_element(
        e.begin(), e.end(),
        [](const Estimation_Reduite& a, const Estimation_Reduite& b) { return a.x() < b.x(); });
    return haut->x() - bas->x();
}

bool Distances_Valides(const std::vector<Estimation_Reduite>& e) {
    return std::all_of(e.begin(), e.end(), [](const Estimation_Reduite& a) {
        return std::isfinite(a.x()) && std::isfinite(a.y());
    });
}

}  // namespace

double Estimation_Reduite::x() const { return std::log10(r); }
double Estimation_Reduite::y() const { return magnitude - Facteur_Delta * std::log10(Delta); }

std::vector<Estimation_Reduite> Reduire_Estimations(const Elements& el, const std::vector<double>& jj,
                                                    const std::vector<double>& magnitudes) {
    std::vector<Estimation_Reduite> reduites;
    if (jj.empty() || jj.size() != magnitudes.size()) return reduites;
    const auto [premier, dernier] = std::minmax_element(jj.begin(), jj.end());
    Calcul_Place calcul(el, *premier, *dernier);
    const Choix_Modele geocentrique{Modele_Calcul::Precis, false, false, false};
    // Estimates are dated to 0.01 day: many observers share an instant, computed once.
    std::unordered_map<double, std::pair<double, double>> distances;
    reduites.reserve(jj.size());
    for (std::size_t k = 0; k < jj.size(); ++k) {
        auto [place, nouvelle] = distances.try_emplace(jj[k]);
        if (nouvelle) {
            const Place p = calcul.Calculer(jj[k], geocentrique);
            place->second = {p.Distance_Soleil, p.Distance_Terre};
        }
        reduites.push_back({jj[k], magnitudes[k], place->second.first, place->second.second});
    }
    return reduites;
}

std::optional<Droite> Moindres_Carres(const std::vector<Estimation_Reduite>& estimations) {
    return Droite_Gardees(estimations, std::vector<bool>(estimations.size(), false), std::nullopt);
}

// Iterative clipping rather than Huber weights: an estimate is either used
// or set aside, which is what an observer can check against the logbook and
// what the plot can mark, and with 2.5 σ a normal scatter loses only 1 % of
// its estimates. Each pass fits the estimates kept, measures the scatter by
// the median absolute residual, and keeps every estimate, set aside earlier
// or not, within 2.5 σ of the new line, until the set stops changing.
Resultat_Ajustement Ajuster_Loi(const std::vector<Estimation_Reduite>& estimations,
                                std::optional<double> K1_Fixe) {
    Resultat_Ajustement r;
    r.ecartee.assign(estimations.size(), false);
    if (estimations.size() < Estimations_Minimum) {
        r.refus = Refus_Ajustement::Trop_Peu;
        return r;
    }
    if (!Distances_Valides(estimations) || (K1_Fixe && !std::isfinite(*K1_Fixe))) {
        r.refus = Refus_Ajustement::Valeurs_Absurdes;
        return r;
    }
    r.Etendue_Log_r = Etendue_Log_r(estimations);
    if (!K1_Fixe && r.Etendue_Log_r < Etendue_Log_r_Minimum) {
        r.refus = Refus_Ajustement::Ecart_r_Court;
        return r;
    }
    std::optional<Droite> d = Droite_Gardees(estimations, r.ecartee, K1_Fixe);
    for (int passe = 0; d && passe < Passes_Maximum; ++passe) {
        const double seuil = Seuil_Ecart * Echelle(estimations, *d);
        std::vector<bool> ecartee(estimations.size());
        for (std::size_t k = 0; k < estimations.size(); ++k)
            ecartee[k] = std::abs(Residu(estimations[k], *d)) > seuil;
        if (ecartee == r.ecartee) break;
        const std::size_t gardees =
            static_cast<std::size_t>(std::count(ecartee.begin(), ecartee.end(), false));
        if (gardees < Estimations_Minimum) break;
        r.ecartee = std::move(ecartee);
        d = Droite_Gardees(estimations, r.ecartee, K1_Fixe);
    }
    r.Ecartees = static_cast<std::size_t>(std::count(r.ecartee.begin(), r.ecartee.end(), true));
    r.Utilisees = estimations.size() - r.Ecartees;
    if (!d || !std::isfinite(d->M1) || !std::isfinite(d->K1)) {
        r.refus = Refus_Ajustement::Valeurs_Absurdes;
        return r;
    }
    if (!Parametre_Loi_Valide(Parametre_Loi::Zero, d->M1) || !Parametre_Loi_Valide(Parametre_Loi::K, d->K1)) {
        r.refus = Refus_Ajustement::Valeurs_Absurdes;
        return r;
    }
    r.M1 = d->M1;
    r.K1 = d->K1;
    r.Ecart_Type = Ecart_Type(estimations, r.ecartee, *d, K1_Fixe ? 1 : 2);
    return r;
}

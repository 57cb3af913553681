#include "astro/visibilite.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/constantes.h"
#include "astro/position.h"

namespace {

// The searches stop within a second of time, or once the function is within
// 1e-4° of its target; the bound stops a search fed with NaN.
constexpr double Precision_Recherche = 1e-5;  // days
constexpr double Precision_Angle = 1e-4;      // degrees
constexpr int Pas_Maximum_Recherche = 60;
// A day holds three culminations; more only for a body racing round the pole.
constexpr std::size_t Culminations_Maximum = 16;
// Lagrange through the nodes 0 to 4: the products of (i - j) over j ≠ i.
constexpr std::array<double, Trajet::Noeuds> Denominateurs_Lagrange = {24, -6, 4, -6, 24};

// Meeus' eq. 12.4, not reduced to one turn, so that the hour angle runs on
// without a jump through a whole search.
double Sideral_Deroule(double jj) {
    const double d = jj - JJ_J2000;
    const double T = d / Siecle_Julien;
    return 280.46061837 + 360.98564736629 * d + 0.000387933 * T * T - T * T * T / 38710000;
}

// Hour angle, degrees, without reduction: it grows by about 361° a day.
double Angle_Horaire(const Equatoriales& e, double jj, const Lieu_Observation& lieu) {
    return Sideral_Deroule(jj) + lieu.Longitude - e.Alpha * Degres_Par_Radian;
}

double Hauteur_Equatoriale(const Equatoriales& e, double H, const Lieu_Observation& lieu) {
    const double s =
        Sin_Deg(lieu.Latitude) * std::sin(e.Delta) + Cos_Deg(lieu.Latitude) * std::cos(e.Delta) * Cos_Deg(H);
    return std::asin(std::clamp(s, -1.0, 1.0)) * Degres_Par_Radian;
}

// A root of f in [a, b], where f(a) and f(b) lie on either side of 0: false
// position with the Illinois step, which keeps the root bracketed and takes
// a handful of evaluations for the nearly straight functions searched here.
template <typename Fonction>
double Racine(Fonction f, double a, double b) {
    double fa = f(a), fb = f(b);
    int garde = 0;  // the end kept at the last step: -1 a, +1 b
    double c = (a + b) / 2;
    for (int pas = 0; pas < Pas_Maximum_Recherche && b - a > Precision_Recherche; ++pas) {
        c = (fa * b - fb * a) / (fa - fb);
        if (!(c > a && c < b)) c = (a + b) / 2;  // NaN, or a flat stretch
        const double fc = f(c);
        if (!(std::fabs(fc) > Precision_Angle)) break;
        if ((fc < 0) == (fa < 0)) {
            a = c;
            fa = fc;
            if (garde == -1) fb /= 2;
            garde = -1;
        } else {
            b = c;
            fb = fc;
            if (garde == +1) fa /= 2;
            garde = +1;
        }
    }
    return c;
}

struct Culmination {
    double jj;
    bool superieure;  // on the meridian above the pole, not below it
};

// The instants of [a, b] at which the hour angle is a whole number of half
// turns, in time order.
std::vector<Culmination> Culminations(const Trajet& t, const Lieu_Observation& lieu, double a, double b) {
    std::vector<Culmination> c;
    auto H = [&](double jj) { return Angle_Horaire(t.A(jj), jj, lieu); };
    const double Ha = H(a), Hb = H(b);
    if (!std::isfinite(Ha) || !std::isfinite(Hb)) return c;
    for (double k = std::ceil(Ha / Demi_Tour);
         k <= std::floor(Hb / Demi_Tour) && c.size() < Culminations_Maximum; ++k) {
        const double jj = Racine([&](double x) { return H(x) - k * Demi_Tour; }, a, b);
        c.push_back({jj, std::fmod(k, 2) == 0});
    }
    std::sort(c.begin(), c.end(), [](const Culmination& x, const Culmination& y) { return x.jj < y.jj; });
    return c;
}

struct Croisement {
    double jj;
    bool montant;
};

// The instants of [a, b] at which the altitude crosses `niveau`. Between two
// culminations the altitude only rises or only falls, so each stretch holds
// at most one crossing.
std::vector<Croisement> Croisements(const Trajet& t, const Lieu_Observation& lieu, double a, double b,
                                    double niveau, const std::vector<Culmination>& culminations) {
    std::vector<double> bornes{a};
    for (const Culmination& c : culminations)
        if (c.jj > a && c.jj < b) bornes.push_back(c.jj);
    bornes.push_back(b);
    auto f = [&](double jj) { return Hauteur(t, jj, lieu) - niveau; };
    std::vector<Croisement> resultat;
    for (std::size_t k = 0; k + 1 < bornes.size(); ++k) {
        const bool dessous = f(bornes[k]) < 0;
        if (dessous != (f(bornes[k + 1]) < 0))
            resultat.push_back({Racine(f, bornes[k], bornes[k + 1]), dessous});
    }
    return resultat;
}

// The greatest altitude of the body over some stretches: at an end of one,
// or at an upper culmination inside it.
std::optional<double> Hauteur_Maximale(const Trajet& t, const Lieu_Observation& lieu,
                                       const std::vector<Intervalle>& intervalles,
                                       const std::vector<Culmination>& culminations) {
    std::optional<double> maximum;
    auto retenir = [&](double jj) {
        const double h = Hauteur(t, jj, lieu);
        if (!maximum || h > *maximum) maximum = h;
    };
    for (const Intervalle& i : intervalles) {
        retenir(i.debut);
        retenir(i.fin);
        for (const Culmination& c : culminations)
            if (c.superieure && c.jj > i.debut && c.jj < i.fin) retenir(c.jj);
    }
    return maximum;
}

}  // namespace

double Temps_Sideral_Moyen(double jj) { return Normaliser_Angle(Sideral_Deroule(jj)); }

Horizontales Vers_Horizontales(const Equatoriales& e, double jj, const Lieu_Observation& lieu) {
    const double H = Angle_Horaire(e, jj, lieu);
    Horizontales h;
    h.Hauteur = Hauteur_Equatoriale(e, H, lieu);
    const double A = std::atan2(
        -std::cos(e.Delta) * Sin_Deg(H),
        std::sin(e.Delta) * Cos_Deg(lieu.Latitude) - std::cos(e.Delta) * Cos_Deg(H) * Sin_Deg(lieu.Latitude));
    h.Azimut = Normaliser_Angle(A * Degres_Par_Radian);
    return h;
}

Equatoriales Equatoriales_Soleil(double jj) {
    const double T = Siecles_Depuis_1900(jj);
    const Soleil s = Calculer_Soleil(T, Obliquite_Moyenne(T));
    const Vecteur& c = s.equatoriales;
    return {std::atan2(c[1], c[0]), std::asin(std::clamp(c[2] / s.Rs, -1.0, 1.0))};
}

Equatoriales Equatoriales_Corps(const Elements& el, double jj) {
    Elements copie = el;
    copie.JJ_Equinoxe_ephemeride = jj;
    Position pos;
    Calculer_Position_JJ(copie, jj, pos);
    return {pos.Alpha, pos.Delta};
}

double Separation(const Equatoriales& a, const Equatoriales& b) {
    // The arc tangent form keeps its precision at small and large angles alike.
    const double dA = b.Alpha - a.Alpha;
    const double x = std::cos(b.Delta) * std::sin(dA);
    const double y =
        std::cos(a.Delta) * std::sin(b.Delta) - std::sin(a.Delta) * std::cos(b.Delta) * std::cos(dA);
    const double z =
        std::sin(a.Delta) * std::sin(b.Delta) + std::cos(a.Delta) * std::cos(b.Delta) * std::cos(dA);
    return std::atan2(std::sqrt(x * x + y * y), z) * Degres_Par_Radian;
}

void Trajet::Ranger(int k, const Equatoriales& e) {
    double alpha = e.Alpha;
    if (k > 0) alpha += Deux_Pi * std::round((alpha_[k - 1] - alpha) / Deux_Pi);
    alpha_[k] = alpha;
    delta_[k] = e.Delta;
}

Equatoriales Trajet::A(double jj) const {
    const double u = (jj - debut_) / Ecart;
    // Products of (u - j) left and right of each node, without a division by zero at the nodes.
    std::array<double, Noeuds> gauche{}, droite{};
    gauche[0] = 1;
    for (int i = 1; i < Noeuds; ++i) gauche[i] = gauche[i - 1] * (u - (i - 1));
    droite[Noeuds - 1] = 1;
    for (int i = Noeuds - 2; i >= 0; --i) droite[i] = droite[i + 1] * (u - (i + 1));
    Equatoriales e;
    for (int i = 0; i < Noeuds; ++i) {
        const double poids = gauche[i] * droite[i] / Denominateurs_Lagrange[i];
        e.Alpha += poids * alpha_[i];
        e.Delta += poids * delta_[i];
    }
    e.Delta = std::clamp(e.Delta, -Pi_Radians / 2, Pi_Radians / 2);
    return e;
}

double Hauteur(const Trajet& t, double jj, const Lieu_Observation& lieu) {
    const Equatoriales e = t.A(jj);
    return Hauteur_Equatoriale(e, Angle_Horaire(e, jj, lieu), lieu);
}

std::optional<Equatoriales> Trajet::Noeud(double jj) const {
    const double k = (jj - debut_) / Ecart;
    if (!(k >= 0 && k < Noeuds) || k != std::floor(k)) return std::nullopt;
    const auto i = static_cast<std::size_t>(k);
    return Equatoriales{alpha_[i], delta_[i]};
}

Ciel_Jour Preparer_Ciel(const Elements& el, double jj, const Ciel_Jour* precedent) {
    return Preparer_Ciel([&el](double t) { return Equatoriales_Corps(el, t); }, jj, precedent);
}

Ciel_Jour Preparer_Ciel(const Direction_Corps& corps, double jj, const Ciel_Jour* precedent) {
    Ciel_Jour ciel;
    // Whole days and half days from it are exact in a double, so the nodes
    // of consecutive days meet exactly.
    ciel.JJ_0h = std::floor(jj - 0.5) + 0.5;
    auto avec_precedent = [precedent](const Trajet Ciel_Jour::*trajet, auto calcul) {
        return [=](double t) {
            if (precedent)
                if (const auto e = (precedent->*trajet).Noeud(t)) return *e;
            return calcul(t);
        };
    };
    ciel.corps = Trajet::Echantillonner(
        ciel.JJ_0h, avec_precedent(&Ciel_Jour::corps, [&corps](double t) { return corps(t); }));
    ciel.soleil = Trajet::Echantillonner(ciel.JJ_0h, avec_precedent(&Ciel_Jour::soleil, Equatoriales_Soleil));
    return ciel;
}

Intervalle Nuit_Locale(const Ciel_Jour& ciel, const Lieu_Observation& lieu) {
    const double midi = ciel.JJ_0h + 0.5 - lieu.Longitude / Tour;
    return {midi, midi + 1};
}

std::vector<Intervalle> Intervalles_Sombres(const Ciel_Jour& ciel, const Intervalle& dans,
                                            const Lieu_Observation& lieu) {
    std::vector<Intervalle> sombres;
    bool sombre = Hauteur(ciel.soleil, dans.debut, lieu) < Hauteur_Nuit;
    double debut = dans.debut;
    const auto culminations = Culminations(ciel.soleil, lieu, dans.debut, dans.fin);
    for (const Croisement& c :
         Croisements(ciel.soleil, lieu, dans.debut, dans.fin, Hauteur_Nuit, culminations)) {
        if (!c.montant) {
            debut = c.jj;
            sombre = true;
        } else if (sombre) {
            sombres.push_back({debut, c.jj});
            sombre = false;
        }
    }
    if (sombre) sombres.push_back({debut, dans.fin});
    return sombres;
}

Visibilite_Jour Calculer_Visibilite_Jour(const Elements& el, double jj, const Lieu_Observation& lieu) {
    return Calculer_Visibilite_Ciel(Preparer_Ciel(el, jj), jj, lieu);
}

Visibilite_Jour Calculer_Visibilite_Ciel(const Ciel_Jour& ciel, double jj, const Lieu_Observation& lieu) {
    Visibilite_Jour v;
    v.JJ_0h = ciel.JJ_0h;
    v.Elongation = Separation(ciel.corps.A(jj), ciel.soleil.A(jj));
    const double a = ciel.JJ_0h, b = a + 1;
    const std::vector<Culmination> culminations = Culminations(ciel.corps, lieu, a, b);
    for (const Culmination& c : culminations) {
        if (c.superieure && c.jj < b) {
            v.Passage = c.jj;
            v.Hauteur_Passage = Hauteur(ciel.corps, c.jj, lieu);
            break;
        }
    }
    const std::vector<Croisement> croisements =
        Croisements(ciel.corps, lieu, a, b, Hauteur_Lever, culminations);
    for (const Croisement& c : croisements) {
        if (c.montant && !v.Lever) v.Lever = c.jj;
        if (!c.montant && !v.Coucher) v.Coucher = c.jj;
    }
    if (croisements.empty())
        v.cours = Hauteur(ciel.corps, a, lieu) >= Hauteur_Lever ? Cours::Circumpolaire : Cours::Invisible;
    const Intervalle nuit = Nuit_Locale(ciel, lieu);
    v.Hauteur_Noire = Hauteur_Maximale(ciel.corps, lieu, Intervalles_Sombres(ciel, nuit, lieu),
                                       Culminations(ciel.corps, lieu, nuit.debut, nuit.fin));
    return v;
}

Visibilite_Instant Calculer_Visibilite_Instant(const Elements& el, double jj, const Lieu_Observation& lieu) {
    return Calculer_Visibilite_Direction(Equatoriales_Corps(el, jj), jj, lieu);
}

Visibilite_Instant Calculer_Visibilite_Direction(const Equatoriales& corps, double jj,
                                                 const Lieu_Observation& lieu) {
    return {Separation(corps, Equatoriales_Soleil(jj)), Vers_Horizontales(corps, jj, lieu)};
}

#include "astro/mouvement_perturbe.h"

#include <erfa.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_odeiv2.h>

#include <cmath>
#include <cstddef>
#include <iterator>
#include <limits>
#include <mutex>

#include "astro/conique.h"
#include "astro/constantes.h"

namespace {

constexpr int Dimension = 6;  // position and velocity
// A close approach to a planet or a sun-grazing perihelion takes small steps,
// but 200 years of a main-belt orbit take about 10,000: the bound only stops
// what would never end.
constexpr long Pas_Maximum_Appel = 200000;
// A step shorter than this, days (8.6 ms), no longer follows a body but its
// fall onto a point mass: a sun-grazer at the smallest perihelion distance
// taken, 0.0001 AU (3.6 s from r to v), still takes steps of some 1e-6 day.
constexpr double Pas_Minimum = 1e-7;

// Equatorial radii of the planets, km, Mercury to Neptune (IAU WGCCRE 2015);
// the Earth's counts from the Earth–Moon barycentre, which stands for it.
constexpr double Rayons_Planetes_km[Nombre_Planetes] = {2439.7, 6051.8, 6378.137, 3396.19,
                                                        71492,  60268,  25559,    24764};
constexpr double Km_Par_UA = Unite_Astronomique / 1000;
// Past this many remembered states all but the epoch are forgotten (a few MB).
constexpr std::size_t Etats_Maximum = 50000;
constexpr double Premier_Pas = 1;  // days, a guess the control corrects at once

const Positions_Planetes Sans_Planetes{};

const char* const Texte_Trop_Loin = "Plus de 200 ans depuis l'époque d'osculation";
const char* const Texte_Non_Convergee = "Intégration du mouvement impossible";

struct Contexte {
    Forces forces;
    double JJ_Epoque;
    Planetes_Interpolees planetes;
    long evaluations = 0;  // of the right-hand side, since the start
};

// The body at x (AU, J2000) at t days from the epoch is inside a planet:
// past that, the motion means nothing.
bool Dans_Une_Planete(Contexte& c, double t, const double y[]) {
    if (!c.forces.planetes) return false;
    const Positions_Planetes& planetes = c.planetes.Positions(c.JJ_Epoque + t);
    for (int k = 0; k < Nombre_Planetes; ++k) {
        const double dx = y[0] - planetes[k][0], dy = y[1] - planetes[k][1], dz = y[2] - planetes[k][2];
        const double R = Rayons_Planetes_km[k] / Km_Par_UA;
        if (dx * dx + dy * dy + dz * dz < R * R) return true;
    }
    return false;
}

int Second_Membre(double t, const double y[], double f[], void* parametres) {
    auto* c = static_cast<Contexte*>(parametres);
    ++c->evaluations;
    const Vecteur x = {y[0], y[1], y[2]};
    const Vecteur v = {y[3], y[4], y[5]};
    const Positions_Planetes& planetes =
        c->forces.planetes ? c->planetes.Positions(c->JJ_Epoque + t) : Sans_Planetes;
    const Vecteur a = Acceleration(c->forces, planetes, x, v);
    for (int j = 0; j < 3; ++j) {
        f[j] = v[j];
        f[3 + j] = a[j];
    }
    return std::isfinite(a[0] + a[1] + a[2]) ? GSL_SUCCESS : GSL_EBADFUNC;
}

// GSL's default handler ends the program on an error; failures are read
// from the return values here.
void Couper_Gestionnaire_Erreurs() {
    static std::once_flag fait;
    std::call_once(fait, [] { gsl_set_error_handler_off(); });
}

Vecteur Combinaison(const Vecteur& P, double a, const Vecteur& Q, double b) {
    return {a * P[0] + b * Q[0], a * P[1] + b * Q[1], a * P[2] + b * Q[2]};
}

Vecteur Vers_Equateur(const Vecteur& c, double Obliquite) {
    const double ce = std::cos(Obliquite * Radians_Par_Degre), se = std::sin(Obliquite * Radians_Par_Degre);
    return {c[0], c[1] * ce - c[2] * se, c[1] * se + c[2] * ce};
}

// The matrix applied to a vector, or its transpose.
Vecteur Tourner(const double m[3][3], const double v[3], bool transposee) {
    double r[3];
    for (int i = 0; i < 3; ++i) {
        r[i] = 0;
        for (int j = 0; j < 3; ++j) r[i] += (transposee ? m[j][i] : m[i][j]) * v[j];
    }
    return {r[0], r[1], r[2]};
}

}  // namespace

Etat_Corps Etat_Osculateur(const Elements& el, double JJ) {
    const double q = Orbite_Parabolique(el.e) ? el.q : (1 - el.e) * el.a;
    const Point_Orbite p = Resoudre_Conique(q, el.e, JJ - el.JJ_Perihelie);
    const double v = p.v * Radians_Par_Degre;
    const double vitesse = K_Gauss / std::sqrt(q * (1 + el.e));  // √(μ / p)
    // The unit vectors towards the perihelion and 90° further in the orbit's
    // plane, in ecliptic axes of the equinox of the elements.
    const double so = std::sin(el.Omega * Radians_Par_Degre), co = std::cos(el.Omega * Radians_Par_Degre);
    const double sO = std::sin(el.gOmega * Radians_Par_Degre), cO = std::cos(el.gOmega * Radians_Par_Degre);
    const double si = std::sin(el.i * Radians_Par_Degre), ci = std::cos(el.i * Radians_Par_Degre);
    const Vecteur P = {co * cO - so * sO * ci, co * sO + so * cO * ci, so * si};
    const Vecteur Q = {-so * cO - co * sO * ci, -so * sO + co * cO * ci, co * si};
    const double Obliquite = Obliquite_Moyenne(Siecles_Depuis_1900(el.JJ_Equinoxe));
    Etat_Corps etat;
    etat.JJ = JJ;
    etat.position = Vers_Equateur(Combinaison(P, p.r * std::cos(v), Q, p.r * std::sin(v)), Obliquite);
    etat.vitesse =
        Vers_Equateur(Combinaison(P, -vitesse * std::sin(v), Q, vitesse * (el.e + std::cos(v))), Obliquite);
    return etat;
}

const char* Message_Echec(Echec_Integration echec) {
    switch (echec) {
        case Echec_Integration::Trop_Loin:
            return Texte_Trop_Loin;
        case Echec_Integration::Non_Convergee:
        case Echec_Integration::Budget_Epuise:
            return Texte_Non_Convergee;
        case Echec_Integration::Aucun:
            break;
    }
    return nullptr;
}

struct Mouvement_Perturbe::Gsl {
    Contexte contexte;
    gsl_odeiv2_system systeme;
    gsl_odeiv2_step* pas;
    gsl_odeiv2_control* controle;
    gsl_odeiv2_evolve* evolution;

    Gsl(const Forces& forces, double JJ_Epoque, double tolerance)
        : contexte{forces, JJ_Epoque, {}},
          systeme{Second_Membre, nullptr, Dimension, &contexte},
          pas(gsl_odeiv2_step_alloc(gsl_odeiv2_step_rk8pd, Dimension)),
          controle(gsl_odeiv2_control_y_new(tolerance, tolerance)),
          evolution(gsl_odeiv2_evolve_alloc(Dimension)) {}
    ~Gsl() {
        gsl_odeiv2_evolve_free(evolution);
        gsl_odeiv2_control_free(controle);
        gsl_odeiv2_step_free(pas);
    }
    Gsl(const Gsl&) = delete;
    Gsl& operator=(const Gsl&) = delete;
};

Mouvement_Perturbe::Mouvement_Perturbe(const Elements& el, double JJ_Epoque, const Forces& forces,
                                       double tolerance)
    : Mouvement_Perturbe(Etat_Osculateur(el, JJ_Epoque), el.JJ_Equinoxe, forces, tolerance) {}

Mouvement_Perturbe::Mouvement_Perturbe(const Etat_Corps& initial, double JJ_Equinoxe, const Forces& forces,
                                       double tolerance)
    : JJ_Epoque_(initial.JJ),
      pas_precedent_(Premier_Pas),
      limite_apres_(std::numeric_limits<double>::infinity()),
      limite_avant_(-std::numeric_limits<double>::infinity()),
      forces_(forces),
      JJ_Equinoxe_(JJ_Equinoxe),
      tolerance_(tolerance) {
    Couper_Gestionnaire_Erreurs();
    gsl_ = std::make_unique<Gsl>(forces, initial.JJ, tolerance);
    eraPmat76(JJ_Equinoxe, 0, vers_elements_);
    const Vecteur x2000 = Tourner(vers_elements_, initial.position.data(), true);
    const Vecteur v2000 = Tourner(vers_elements_, initial.vitesse.data(), true);
    etats_[0] = {x2000[0], x2000[1], x2000[2], v2000[0], v2000[1], v2000[2]};
}

Mouvement_Perturbe::~Mouvement_Perturbe() = default;

long Mouvement_Perturbe::Evaluations() const { return gsl_->contexte.evaluations; }

void Mouvement_Perturbe::Limiter_Evaluations(long evaluations) {
    budget_ = evaluations < 0 ? -1 : Evaluations() + evaluations;
}

std::unique_ptr<Mouvement_Perturbe> Mouvement_Perturbe::Copie() const {
    auto copie = std::make_unique<Mouvement_Perturbe>(Vers_Elements(0, etats_.at(0)), JJ_Equinoxe_, forces_,
                                                      tolerance_);
    // The states themselves, so that both answer to the last bit.
    copie->etats_ = etats_;
    copie->pas_precedent_ = pas_precedent_;
    copie->pas_effectues_ = pas_effectues_;
    copie->budget_ = budget_;
    copie->gsl_->contexte.evaluations = gsl_->contexte.evaluations;
    copie->limite_apres_ = limite_apres_;
    copie->limite_avant_ = limite_avant_;
    return copie;
}

// The integration failed going from t_depart, stopping at t_atteint: what
// lies beyond, away from the epoch, cannot be reached either.
void Mouvement_Perturbe::Noter_Echec(double t_depart, double t_atteint) {
    if (t_atteint >= t_depart && t_atteint >= 0) limite_apres_ = std::fmin(limite_apres_, t_atteint);
    if (t_atteint <= t_depart && t_atteint <= 0) limite_avant_ = std::fmax(limite_avant_, t_atteint);
}

std::map<double, Mouvement_Perturbe::Vecteur_Etat>::const_iterator Mouvement_Perturbe::Plus_Proche(
    double t) const {
    auto apres = etats_.lower_bound(t);
    if (apres == etats_.begin()) return apres;
    auto avant = std::prev(apres);
    if (apres == etats_.end() || t - avant->first <= apres->first - t) return avant;
    return apres;
}

// From the state y at t_depart to t, y left at t; every step is remembered.
Echec_Integration Mouvement_Perturbe::Integrer(double t_depart, Vecteur_Etat& y, double t) {
    gsl_odeiv2_step_reset(gsl_->pas);
    gsl_odeiv2_evolve_reset(gsl_->evolution);
    double tc = t_depart;
    double h = std::copysign(pas_precedent_, t - tc);
    for (long n = 0; n < Pas_Maximum_Appel && tc != t; ++n) {
        if (budget_ >= 0 && gsl_->contexte.evaluations >= budget_) return Echec_Integration::Budget_Epuise;
        const int statut = gsl_odeiv2_evolve_apply(gsl_->evolution, gsl_->controle, gsl_->pas, &gsl_->systeme,
                                                   &tc, t, &h, y.data());
        if (statut != GSL_SUCCESS || (tc != t && std::fabs(h) < Pas_Minimum) ||
            Dans_Une_Planete(gsl_->contexte, tc, y.data())) {
            Noter_Echec(t_depart, tc);
            return Echec_Integration::Non_Convergee;
        }
        ++pas_effectues_;
        // The last step is cut short to land on t: its size says nothing of
        // the next call's.
        if (tc != t) pas_precedent_ = std::fabs(h);
        if (etats_.size() >= Etats_Maximum) {
            const Vecteur_Etat epoque = etats_.at(0);
            etats_.clear();
            etats_[0] = epoque;
        }
        etats_[tc] = y;
    }
    if (tc == t) return Echec_Integration::Aucun;
    Noter_Echec(t_depart, tc);
    return Echec_Integration::Non_Convergee;
}

Etat_Corps Mouvement_Perturbe::Vers_Elements(double t, const Vecteur_Etat& y) const {
    Etat_Corps etat;
    etat.JJ = JJ_Epoque_ + t;
    etat.position = Tourner(vers_elements_, &y[0], false);
    etat.vitesse = Tourner(vers_elements_, &y[3], false);
    return etat;
}

Resultat_Integration Mouvement_Perturbe::Calculer(double JJ) {
    const double t = JJ - JJ_Epoque_;
    if (!(std::fabs(t) <= Ecart_Maximum_Epoque)) return {Echec_Integration::Trop_Loin, {}};
    if (Inaccessible(t)) return {Echec_Integration::Non_Convergee, {}};
    const auto proche = Plus_Proche(t);
    const double t_depart = proche->first;
    Vecteur_Etat y = proche->second;
    const Echec_Integration echec = Integrer(t_depart, y, t);
    if (echec != Echec_Integration::Aucun) return {echec, {}};
    // Elements that make no orbit give no state, even at the epoch itself.
    for (double composante : y) {
        if (std::isfinite(composante)) continue;
        if (t_depart == 0 && t == 0) {
            limite_apres_ = -std::numeric_limits<double>::infinity();
            limite_avant_ = std::numeric_limits<double>::infinity();
        }
        Noter_Echec(t_depart, t);
        return {Echec_Integration::Non_Convergee, {}};
    }
    return {Echec_Integration::Aucun, Vers_Elements(t, y)};
}

// Everything the state at the epoch and the forces are made of.
Mouvement_Retenu::Cle Mouvement_Retenu::Cle_De(const Elements& el) {
    const Non_Gravitationnel ng = el.Epoque.Non_Grav.value_or(Non_Gravitationnel{});
    return {
        el.a,  el.e,  el.q, el.i, el.Omega, el.gOmega, el.JJ_Perihelie, el.JJ_Equinoxe, *el.Epoque.JJ_Epoque,
        ng.A1, ng.A2, ng.A3};
}

std::shared_ptr<Mouvement_Perturbe> Mouvement_Retenu::Pour(const Elements& el) {
    if (!el.Epoque.JJ_Epoque) return nullptr;
    const Cle cle = Cle_De(el);
    // Compared as written: a value that is not a number never matches, so
    // such a set is started afresh each time.
    if (mouvement_ && cle == cle_) return mouvement_;
    Forces forces;
    forces.ng = el.Epoque.Non_Grav.value_or(Non_Gravitationnel{});
    mouvement_ = std::make_shared<Mouvement_Perturbe>(el, *el.Epoque.JJ_Epoque, forces);
    cle_ = cle;
    return mouvement_;
}

Mouvement_Retenu Mouvement_Retenu::Copie_Independante() const {
    Mouvement_Retenu copie;
    copie.cle_ = cle_;
    if (mouvement_) copie.mouvement_ = mouvement_->Copie();
    return copie;
}

// The steps of Calculer_Position_JJ around the integrated place.
Echec_Integration Calculer_Position_Perturbee(const Elements& el, Mouvement_Perturbe& mouvement, double JJ,
                                              Position& pos) {
    const Resultat_Integration resultat = mouvement.Calculer(JJ);
    if (resultat.echec != Echec_Integration::Aucun) return resultat.echec;
    const Vecteur& corps = resultat.etat.position;
    pos.JJ_Instant = JJ;
    pos.Obliquite = Obliquite_Moyenne(Siecles_Depuis_1900(JJ));
    const Soleil soleil = Calculer_Soleil(Siecles_Depuis_1900(JJ), pos.Obliquite);
    pos.Distance_Soleil = Norme(corps);
    Vers_Geocentrique(corps, Precesser_Soleil(soleil.equatoriales, JJ, el.JJ_Equinoxe), pos);
    Precesser_Position(el, pos);
    return Echec_Integration::Aucun;
}

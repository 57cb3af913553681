#pragma once

// The body followed from the epoch of its osculating elements to any instant
// within 200 years, under the forces of the equations of motion, by GSL's
// eighth-order Runge–Kutta (Prince–Dormand) with adaptive steps. Answers are
// in the frame of the two-body code: heliocentric, equatorial, mean equator
// and equinox of the elements; AU, AU/day, time scale TT.

#include <array>
#include <cstddef>
#include <map>
#include <memory>

#include "astro/constantes.h"
#include "astro/elements.h"
#include "astro/equations_mouvement.h"
#include "astro/position.h"

// Farthest an instant may lie from the epoch, days: beyond it the planets'
// theory and the elements themselves no longer mean much.
constexpr double Ecart_Maximum_Epoque = 200 * Jours_Par_An_Julien;

// Local error allowed per step, relative to the state: 20 years of a
// main-belt orbit then stay within 1e-9 AU of the exact two-body motion,
// 0.0002″ seen from 1 AU, far below the 0.1″ allowed.
constexpr double Tolerance_Integration = 1e-13;

// Heliocentric state at the Julian day JJ (TT).
struct Etat_Corps {
    double JJ = 0;
    Vecteur position{};  // AU
    Vecteur vitesse{};   // AU/day
};

// The two-body state of the element set at JJ (TT), Gauss's constant, from
// the conic through its perihelion.
Etat_Corps Etat_Osculateur(const Elements& el, double JJ);

enum class Echec_Integration {
    Aucun,
    Trop_Loin,      // more than 200 years from the epoch
    Non_Convergee,  // the steps bound was reached or the step fell to nothing
    Budget_Epuise,  // the work allowed to the caller ran out first
};

// What the page shows instead of a row that failed; nullptr for Aucun.
const char* Message_Echec(Echec_Integration echec);

struct Resultat_Integration {
    Echec_Integration echec = Echec_Integration::Aucun;
    Etat_Corps etat;
};

// Evaluations of the forces one computation may take (a page's rows, or a
// magnitude's recalibration): some 0.5 s. 200 years of a main-belt orbit
// take some 10,000 steps of 13 evaluations; a body the steps cannot follow
// would take every one allowed and get no further.
constexpr long Evaluations_Maximum_Calcul = 150000;

// One body's integration, kept between calls: each instant asked for
// continues from the nearest state already computed, so consecutive rows
// continue one integration and a page moved by a day starts next to the old
// one instead of at the epoch. Once it fails on one side of the epoch, the
// instants beyond where it stopped are refused at once.
class Mouvement_Perturbe {
public:
    // From the osculating elements at their epoch (TT).
    Mouvement_Perturbe(const Elements& el, double JJ_Epoque, const Forces& forces = {},
                       double tolerance = Tolerance_Integration);
    // From a state in the frame of the equinox JJ_Equinoxe, its instant the epoch.
    Mouvement_Perturbe(const Etat_Corps& depart, double JJ_Equinoxe, const Forces& forces = {},
                       double tolerance = Tolerance_Integration);
    ~Mouvement_Perturbe();
    Mouvement_Perturbe(const Mouvement_Perturbe&) = delete;
    Mouvement_Perturbe& operator=(const Mouvement_Perturbe&) = delete;

    // The body's state at JJ (TT), or why there is none.
    Resultat_Integration Calculer(double JJ);

    double JJ_Epoque() const { return JJ_Epoque_; }
    // Steps taken since the start: what a call cost.
    long Pas_Effectues() const { return pas_effectues_; }

    // Evaluations of the forces since the start: the work done.
    long Evaluations() const;
    // From now on, at most about `evaluations` more (a step's worth beyond):
    // the calls that would need more answer Budget_Epuise. A negative
    // number lifts the bound.
    void Limiter_Evaluations(long evaluations);

    // An integration of its own that starts where this one stands: the same
    // states, failures and forces, for another thread to continue.
    std::unique_ptr<Mouvement_Perturbe> Copie() const;

    // State vector: position then velocity, mean equator and equinox of J2000.
    using Vecteur_Etat = std::array<double, 6>;

private:
    struct Gsl;
    std::unique_ptr<Gsl> gsl_;
    double JJ_Epoque_;
    double vers_elements_[3][3];            // J2000 to the elements' frame
    std::map<double, Vecteur_Etat> etats_;  // by days from the epoch
    double pas_precedent_;                  // |h| of the last step, days
    long pas_effectues_ = 0;
    long budget_ = -1;  // the count of evaluations to stop at; negative: none
    // Days from the epoch where the integration failed, after and before it.
    double limite_apres_;
    double limite_avant_;
    Forces forces_;
    double JJ_Equinoxe_;
    double tolerance_;

    bool Inaccessible(double t) const { return t > limite_apres_ || t < limite_avant_; }
    void Noter_Echec(double t_depart, double t_atteint);

    std::map<double, Vecteur_Etat>::const_iterator Plus_Proche(double t) const;
    Echec_Integration Integrer(double t_depart, Vecteur_Etat& y, double t);
    Etat_Corps Vers_Elements(double t, const Vecteur_Etat& y) const;
};

// The integration of the last element set asked for, kept while its orbit,
// epoch, non-gravitational parameters and equinox stay the same, so that
// the next page continues it; any change starts a new one from the epoch.
// Copies share the integration.
class Mouvement_Retenu {
public:
    // The motion of `el` from its epoch; none when it has no epoch. Whoever
    // keeps the answer keeps that integration alive after a change.
    std::shared_ptr<Mouvement_Perturbe> Pour(const Elements& el);

    // A copy that shares nothing with this one: another thread may continue
    // its integration while this one is used.
    Mouvement_Retenu Copie_Independante() const;

private:
    static constexpr std::size_t Taille_Cle = 12;
    using Cle = std::array<double, Taille_Cle>;
    static Cle Cle_De(const Elements& el);
    Cle cle_{};
    std::shared_ptr<Mouvement_Perturbe> mouvement_;
};

// The position of the body at JJ as Calculer_Position_JJ gives it, the
// integrated heliocentric place taking the place of the two-body one.
Echec_Integration Calculer_Position_Perturbee(const Elements& el, Mouvement_Perturbe& mouvement, double JJ,
                                              Position& pos);

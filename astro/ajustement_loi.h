#pragma once

// A comet's total law m = M1 + 5 log Δ + K1 log r fitted to the observers'
// own estimates. Each estimate is reduced to y = m − 5 log Δ against
// x = log r, and the line y = M1 + K1 x is fitted robustly, so that a few
// blunders (a wrong star, a wrong comet, a typing slip) leave the law where
// the bulk of the estimates puts it. Pure: the places come from the caller
// or from Calcul_Place.

#include <cstddef>
#include <optional>
#include <vector>

#include "astro/elements.h"

// One estimate with the body's distances at its instant.
struct Estimation_Reduite {
    double JJ = 0;         // UT Julian day of the estimate
    double magnitude = 0;  // total magnitude estimated
    double r = 0;          // AU, Sun–body when its light left it
    double Delta = 0;      // AU, Earth–body
    double x() const;      // log10 r
    double y() const;      // m − 5 log10 Δ
};

// r and Δ of each estimate from the body's precise geocentric place at its
// instant, light time included; `jj` in UT.
std::vector<Estimation_Reduite> Reduire_Estimations(const Elements& el, const std::vector<double>& jj,
                                                    const std::vector<double>& magnitudes);

enum class Refus_Ajustement {
    Aucun,
    Trop_Peu,          // under Estimations_Minimum estimates, before or after the set-aside ones
    Ecart_r_Court,     // the estimates span too little of log r to give K1
    Valeurs_Absurdes,  // a distance that is not positive, or a result out of the laws' ranges
};

// Under this many estimates a line and its scatter say nothing.
constexpr std::size_t Estimations_Minimum = 5;
// The estimates must span this much of log10 r (r from 1 to 1.1 AU, say) for
// K1 to be told apart from the scatter of 0.3 mag visual estimates carry.
constexpr double Etendue_Log_r_Minimum = 0.04;
// Set aside beyond this many standard deviations.
constexpr double Seuil_Ecart = 2.5;

struct Resultat_Ajustement {
    Refus_Ajustement refus = Refus_Ajustement::Aucun;
    double M1 = 0;
    double K1 = 0;
    double Ecart_Type = 0;  // mag, of the estimates kept around the law
    std::size_t Utilisees = 0;
    std::size_t Ecartees = 0;
    std::vector<bool> ecartee;  // per estimate, in the order given
    double Etendue_Log_r = 0;   // of the estimates given
    bool Reussi() const { return refus == Refus_Ajustement::Aucun; }
};

// The law fitted to the estimates; with `K1_Fixe`, M1 alone.
Resultat_Ajustement Ajuster_Loi(const std::vector<Estimation_Reduite>& estimations,
                                std::optional<double> K1_Fixe = std::nullopt);

// The plain least-squares line through every estimate, blunders and all:
// what the robust fit is measured against.
struct Droite {
    double M1 = 0;
    double K1 = 0;
};
std::optional<Droite> Moindres_Carres(const std::vector<Estimation_Reduite>& estimations);

#include "astro/vitesses_suivi.h"

#include <cmath>
#include <limits>
#include <memory>

#include "astro/angles.h"
#include "astro/constantes.h"

namespace {

constexpr double Secondes_Arc_Par_Heure = 54000;  // 15° an hour of right ascension
constexpr double Heures_Par_Tour = 24;

// The change of right ascension from a to b, hours, the short way round 0 h.
double Difference_Alpha(double a, double b) { return std::remainder(b - a, Heures_Par_Tour); }

Vitesses_Suivi Vitesses_Entre(const Coordonnees_Monture& avant, const Coordonnees_Monture& apres,
                              double duree) {
    const double d_alpha =
        Difference_Alpha(avant.Ascension_Droite, apres.Ascension_Droite) * Secondes_Arc_Par_Heure / duree;
    const double d_delta = (apres.Declinaison - avant.Declinaison) * Secondes_Arc_Par_Degre / duree;
    return {Vitesse_Siderale - d_alpha, d_delta};
}

// A Julian day holds time to some 40 µs only: the rate is taken over the
// interval between the two instants actually used.
Vitesses_Suivi Vitesses_Entre_Instants(const Place_A_L_Instant& place, double jj1, double jj2) {
    return Vitesses_Entre(place(jj1), place(jj2), (jj2 - jj1) * Secondes_Par_Jour);
}

}  // namespace

Vitesses_Suivi Vitesses_Depuis_Mouvement(const Place_A_L_Instant& place, double jj, double demi_intervalle) {
    const double h = demi_intervalle / Secondes_Par_Jour;
    return Vitesses_Entre_Instants(place, jj - h, jj + h);
}

Vitesses_Suivi Vitesses_Sur_Intervalle(const Place_A_L_Instant& place, double jj, double intervalle) {
    return Vitesses_Entre_Instants(place, jj, jj + intervalle / Secondes_Par_Jour);
}

double Ecart_Angulaire(const Coordonnees_Monture& a, const Coordonnees_Monture& b) {
    const double radian_heure = Pi_Radians / 12, radian_degre = Pi_Radians / 180;
    const double d_alpha = (b.Ascension_Droite - a.Ascension_Droite) * radian_heure;
    const double d1 = a.Declinaison * radian_degre, d2 = b.Declinaison * radian_degre;
    const double x = std::cos(d2) * std::sin(d_alpha);
    const double y = std::cos(d1) * std::sin(d2) - std::sin(d1) * std::cos(d2) * std::cos(d_alpha);
    const double z = std::sin(d1) * std::sin(d2) + std::cos(d1) * std::cos(d2) * std::cos(d_alpha);
    return std::atan2(std::hypot(x, y), z) / radian_degre * Secondes_Arc_Par_Degre;
}

bool Signe_Inverse(double avant, double apres) {
    return (avant < 0 && apres > 0) || (avant > 0 && apres < 0);
}

Place_A_L_Instant Place_Pour_Monture(const Elements& el, const Lieu_Observation& lieu, double origine,
                                     std::shared_ptr<Mouvement_Perturbe> mouvement) {
    // The computation keeps the Earth's nodes and the last light times
    // between calls: shared by the copies of the function, which also hold
    // the integration it reads.
    auto calcul = std::make_shared<Calcul_Place>(el, origine, std::numeric_limits<double>::quiet_NaN(),
                                                 mouvement.get());
    const Choix_Modele choix{Modele_Calcul::Precis, true, true};
    return [calcul, mouvement, choix, lieu](double jj) {
        return Vers_Monture(calcul->Calculer(jj, choix, &lieu));
    };
}

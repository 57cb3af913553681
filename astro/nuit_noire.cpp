#include "astro/nuit_noire.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/constantes.h"
#include "astro/meilleur_moment.h"

namespace {

// Steps of the walk out from the Sun's lowest point to where it rises past
// the darkest stretch's level; the bisection then stops within a second.
constexpr double Pas_Marche = 10.0 / Minutes_Par_Jour;  // days
constexpr double Precision_Instant = 1.0 / Secondes_Par_Jour;
constexpr int Pas_Maximum_Dichotomie = 40;
constexpr int Pas_Maximum_Marche = 160;  // more than a day of steps

// The instant between `dedans` (Sun below `niveau`) and `dehors` where it crosses it.
double Croisement(const Trajet& soleil, const Lieu_Observation& lieu, double niveau, double dedans,
                  double dehors) {
    for (int pas = 0; pas < Pas_Maximum_Dichotomie && std::fabs(dehors - dedans) > Precision_Instant; ++pas) {
        const double milieu = (dedans + dehors) / 2;
        if (Hauteur(soleil, milieu, lieu) < niveau) {
            dedans = milieu;
        } else {
            dehors = milieu;
        }
    }
    return dedans;
}

// From `depart`, where the Sun is below `niveau`, the last instant before it
// rises past it, walking by `sens` (+1 later, −1 earlier) within `dans`.
double Bord(const Trajet& soleil, const Lieu_Observation& lieu, double niveau, double depart, int sens,
            const Intervalle& dans) {
    double dedans = depart;
    for (int pas = 0; pas < Pas_Maximum_Marche; ++pas) {
        const double suivant = dedans + sens * Pas_Marche;
        if (suivant <= dans.debut || suivant >= dans.fin) {
            const double bout = sens > 0 ? dans.fin : dans.debut;
            return Hauteur(soleil, bout, lieu) < niveau ? bout
                                                        : Croisement(soleil, lieu, niveau, dedans, bout);
        }
        if (!(Hauteur(soleil, suivant, lieu) < niveau))
            return Croisement(soleil, lieu, niveau, dedans, suivant);
        dedans = suivant;
    }
    return dedans;
}

}  // namespace

Nuit_Noire Calculer_Nuit_Noire(double jj_0h, const Lieu_Observation& lieu) {
    Nuit_Noire n;
    n.JJ_0h = jj_0h;
    n.soleil = Trajet::Echantillonner(jj_0h, Equatoriales_Soleil);
    Ciel_Jour ciel;
    ciel.JJ_0h = jj_0h;
    ciel.soleil = n.soleil;
    n.nuit = Nuit_Locale(ciel, lieu);
    const Meilleur_Moment plus_bas =
        Chercher_Meilleur_Moment([&](double jj) { return -Hauteur(n.soleil, jj, lieu); }, n.nuit);
    n.Soleil_Minimal = -plus_bas.Hauteur;
    const std::vector<Intervalle> sombres = Intervalles_Sombres(ciel, n.nuit, lieu);
    if (!sombres.empty()) {
        n.sombre = sombres.front();
        n.noire = true;
        return n;
    }
    const double niveau = n.Soleil_Minimal + Marge_Periode_Sombre;
    n.sombre = {Bord(n.soleil, lieu, niveau, plus_bas.JJ, -1, n.nuit),
                Bord(n.soleil, lieu, niveau, plus_bas.JJ, +1, n.nuit)};
    return n;
}

double JJ_Ce_Soir(double jj_maintenant, const Lieu_Observation& lieu) {
    // The local mean date: UT moved by the longitude.
    const double local = jj_maintenant + lieu.Longitude / Tour;
    const double jj_0h = std::floor(local - 0.5) + 0.5;
    if (!std::isfinite(jj_0h)) return jj_0h;
    const Nuit_Noire veille = Calculer_Nuit_Noire(jj_0h - 1, lieu);
    return jj_maintenant < veille.sombre.fin ? jj_0h - 1 : jj_0h;
}

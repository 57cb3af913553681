#pragma once

// The place of the body as the published ephemerides give it. The precise
// model takes the Earth from ERFA, the body on its conic with Gauss's
// constant at the instant its light left it (light time), TT for the motion,
// and the IAU 2006 precession between the equinox of the elements, the ICRS
// and the equinox of the ephemeris:
// - astrometric: the direction of the body's light, referred to the mean
//   equator and equinox of the ephemeris;
// - apparent: also deflected by the Sun and aberrated by the observer's
//   motion, on the true equator and equinox of the date (IAU 2000B nutation),
//   which is where a mount points.
// Either may be seen from the Earth's centre or from the observing site.
// The classic model is Calculer_Position, kept as it was.

#include <limits>

#include "astro/conique.h"
#include "astro/elements.h"
#include "astro/mouvement_perturbe.h"
#include "astro/observateur.h"
#include "astro/position.h"
#include "astro/terre.h"
#include "astro/visibilite.h"

enum class Modele_Calcul { Classique, Precis };

struct Choix_Modele {
    Modele_Calcul modele = Modele_Calcul::Precis;
    bool topocentrique = false;  // from the site; without a site, from the Earth's centre
    bool apparente = false;      // apparent place of the date rather than astrometric
    bool perturbations = true;   // the planets' pull from the epoch, when the elements have one
};

struct Place {
    double JJ_TT = 0;                        // the instant, days
    double Alpha = 0;                        // radians, [0, 2π)
    double Delta = 0;                        // radians
    double Distance_Terre = 0;               // Δ, AU, from the observer to where the light left the body
    double Distance_Soleil = 0;              // r, AU, of the body when its light left it
    double Distance_Soleil_Observateur = 0;  // AU
    double Angle_Phase = 0;                  // degrees, Sun–body–observer
    double Temps_Lumiere = 0;                // days
    // Why the body has no place; the other fields are then not numbers.
    Echec_Integration Echec = Echec_Integration::Aucun;
};

// What a mount takes: right ascension in hours, [0, 24), declination in degrees.
struct Coordonnees_Monture {
    double Ascension_Droite = 0;
    double Declinaison = 0;
};
Coordonnees_Monture Vers_Monture(const Place& p);

// The places of one element set, for one page: what does not change from
// row to row (the elements, the rotations between the equinoxes, the
// Earth's nodes) is prepared once.
class Calcul_Place {
public:
    // `debut_utc` and `fin_utc`: the page's first and last rows, between
    // which the Earth's nodes are spread, one to three days apart at most;
    // without `fin_utc`, they are one day apart from `debut_utc`. With
    // `mouvement`, the precise model takes the body's heliocentric place from
    // that integration of `el` rather than from its conic; it outlives this.
    Calcul_Place(const Elements& el, double debut_utc,
                 double fin_utc = std::numeric_limits<double>::quiet_NaN(),
                 Mouvement_Perturbe* mouvement = nullptr);

    // The place at `jj_utc` (UT before 1960). Topocentric only with a site.
    // The classic model answers with Calculer_Position_JJ at that instant.
    Place Calculer(double jj_utc, const Choix_Modele& choix, const Lieu_Observation* lieu = nullptr);

    int64_t Evaluations_Terre() const { return terre_.Evaluations(); }

private:
    struct Matrice {
        double m[3][3];
    };
    struct Corps {
        Vecteur position;  // heliocentric, ICRS axes, AU
        double r = 0;
        Echec_Integration echec = Echec_Integration::Aucun;
    };
    void Orienter(const Elements& el);
    Corps Heliocentrique(double jj_tt);
    Corps Integre(double jj_tt);
    Corps Retarder(double jj_tt, const Vecteur& observateur, double& tau);
    Place Classique(double jj_utc);
    void Ecrire_Direction(const Vecteur& v, const Matrice& rotation, Place& p) const;

    Elements classique_;  // what the classic model may change
    // The conic: q (from a for an ellipse), e, the perihelion time (TT), and
    // the unit vectors towards perihelion (P) and 90° of true anomaly
    // further (Q), ICRS axes.
    double q_ = 0;
    double e_ = 0;
    double JJ_Perihelie_ = 0;
    Vecteur P_{};
    Vecteur Q_{};
    Matrice Icrs_Vers_Ephemeride_;  // frame bias and precession to the mean equator of the ephemeris
    Matrice Equateur_Vers_Icrs_;    // from the mean equator of the elements to the ICRS
    Terre_Interpolee terre_;
    Mouvement_Perturbe* mouvement_;
    // The light times of the last two places foretell the next one's, so
    // that its iteration mostly ends after one pass.
    struct Suivi_Lumiere {
        double t[2] = {0, 0};  // TT, days, latest first
        double tau[2] = {0, 0};
        int connus = 0;
        double Prevoir(double jj_tt) const;
        void Noter(double jj_tt, double temps_lumiere);
    };
    Suivi_Lumiere lumiere_;
};

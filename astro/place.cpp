#include "astro/place.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

#include "astro/calendrier.h"
#include "astro/echelles_temps.h"

namespace {

constexpr double JJ_J2000 = 2451545.0;  // days, TT
constexpr double Jours_Par_An_Julien = 365.25;
constexpr double Secondes_Par_Jour = 86400.0;
constexpr double Vitesse_Lumiere = Secondes_Par_Jour / ERFA_AULT;  // AU/day
constexpr double Heures_Par_Radian = 12 / Pi_Radians;
constexpr double Degres_Par_Radian = 180 / Pi_Radians;
// Each pass of the light time divides its error by about c over the body's
// speed relative to the observer (10⁴ for a comet near the Earth): three
// passes reach 1e-9 day; the bound stops what rounding could keep going.
constexpr double Tolerance_Lumiere = 1e-9;  // days
constexpr int Passes_Maximum_Lumiere = 10;
// The Sun's deflection is left out within this of the Sun's limb (radians of
// the angle body–Sun seen from the observer, eraLd's limiter).
constexpr double Limite_Deflexion = 1e-6;

double Norme(const Vecteur& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

Vecteur Difference(const Vecteur& a, const Vecteur& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

Vecteur Somme(const Vecteur& a, const Vecteur& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }

// m · v and mᵀ · v.
Vecteur Tourner(const double m[3][3], const Vecteur& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}
Vecteur Tourner_Inverse(const double m[3][3], const Vecteur& v) {
    return {m[0][0] * v[0] + m[1][0] * v[1] + m[2][0] * v[2],
            m[0][1] * v[0] + m[1][1] * v[1] + m[2][1] * v[2],
            m[0][2] * v[0] + m[1][2] * v[1] + m[2][2] * v[2]};
}

Vecteur Unitaire(const Vecteur& v) {
    const double n = Norme(v);
    return n > 0 ? Vecteur{v[0] / n, v[1] / n, v[2] / n} : v;
}

// The Julian epoch TT of an equinox the program holds as a Julian day of a
// decimal year (2000.0 is 1 January 2000 at 0 h): J2000.0 is noon.
double Epoque_Equinoxe(double jj) {
    const double annee = JJ_Vers_Annee(jj);
    return std::isfinite(annee) ? JJ_J2000 + (annee - 2000) * Jours_Par_An_Julien : jj;
}

struct Observateur {
    Vecteur position;  // heliocentric, AU
    Vecteur vitesse;   // barycentric, AU/day
};

// The Sun's deflection then the aberration of the observer's motion, on the
// direction `p` of the body seen from the observer (eraLd, eraAb).
Vecteur Deflechir_Aberrer(const Vecteur& p, const Vecteur& heliocentrique, const Observateur& o) {
    double u[3] = {p[0], p[1], p[2]}, q[3], e[3], deflechie[3], v[3], apparente[3];
    const Vecteur uq = Unitaire(heliocentrique), ue = Unitaire(o.position);
    for (int i = 0; i < 3; ++i) {
        q[i] = uq[i];
        e[i] = ue[i];
        v[i] = o.vitesse[i] / Vitesse_Lumiere;
    }
    const double em = Norme(o.position);
    eraLd(1.0, u, q, e, em, Limite_Deflexion, deflechie);
    const double v2 = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    eraAb(deflechie, v, em, std::sqrt(1 - v2), apparente);
    return {apparente[0], apparente[1], apparente[2]};
}

}  // namespace

Coordonnees_Monture Vers_Monture(const Place& p) {
    return {p.Alpha * Heures_Par_Radian, p.Delta * Degres_Par_Radian};
}

Calcul_Place::Calcul_Place(const Elements& el, double origine_utc, double ecart_terre)
    : elements_(el), classique_(el), terre_(JJ_UTC_Vers_TT(origine_utc), ecart_terre) {
    if (!Orbite_Parabolique(el.e) && el.a > 0) elements_.q = (1 - el.e) * el.a;
    const double epoque_elements = Epoque_Equinoxe(el.JJ_Equinoxe);
    Obliquite_Elements_ = eraObl06(epoque_elements, 0.0) * Degres_Par_Radian;
    eraPmat06(epoque_elements, 0.0, Icrs_Vers_Elements_.m);
    eraPmat06(Epoque_Equinoxe(el.JJ_Equinoxe_ephemeride), 0.0, Icrs_Vers_Ephemeride_.m);
}

// The conic solver gives the body on the mean equator of the elements'
// equinox; the transposed precession brings it to the ICRS.
Calcul_Place::Corps Calcul_Place::Heliocentrique(double jj_tt) const {
    const Corps_Parabolique c = Calculer_Parabolique(elements_, jj_tt, Obliquite_Elements_);
    return {Tourner_Inverse(Icrs_Vers_Elements_.m, {c.equatoriales.x, c.equatoriales.y, c.equatoriales.z}),
            c.r};
}

void Calcul_Place::Ecrire_Direction(const Vecteur& v, const Matrice& rotation, Place& p) const {
    const Vecteur t = Tourner(rotation.m, v);
    double y[3] = {t[0], t[1], t[2]};
    double alpha = 0, delta = 0;
    eraC2s(y, &alpha, &delta);
    p.Alpha = eraAnp(alpha);
    p.Delta = delta;
}

Place Calcul_Place::Classique(double jj_utc) {
    Position pos;
    Calculer_Position_JJ(classique_, jj_utc, pos);
    Place p;
    p.JJ_TT = jj_utc;
    p.Alpha = pos.Alpha;
    p.Delta = pos.Delta;
    p.Distance_Terre = pos.Distance_Terre;
    p.Distance_Soleil = pos.Distance_Soleil;
    return p;
}

Place Calcul_Place::Calculer(double jj_utc, const Choix_Modele& choix, const Lieu_Observation* lieu) {
    if (choix.modele == Modele_Calcul::Classique) return Classique(jj_utc);
    Place p;
    p.JJ_TT = JJ_UTC_Vers_TT(jj_utc);
    const Etat_Terre terre = terre_.A(p.JJ_TT);
    Observateur o{terre.position, terre.vitesse_barycentrique};
    if (choix.topocentrique && lieu != nullptr) {
        const Etat_Observateur site = Calculer_Observateur(*lieu, jj_utc, p.JJ_TT);
        o.position = Somme(o.position, site.position);
        o.vitesse = Somme(o.vitesse, site.vitesse);
    }
    Corps corps = Heliocentrique(p.JJ_TT);
    Vecteur d = Difference(corps.position, o.position);
    for (int passe = 0; passe < Passes_Maximum_Lumiere; ++passe) {
        const double tau = Norme(d) / Vitesse_Lumiere;
        const bool fini = std::fabs(tau - p.Temps_Lumiere) < Tolerance_Lumiere;
        p.Temps_Lumiere = tau;
        if (fini) break;
        corps = Heliocentrique(p.JJ_TT - tau);
        d = Difference(corps.position, o.position);
    }
    p.Distance_Terre = Norme(d);
    p.Distance_Soleil = corps.r;
    p.Distance_Soleil_Observateur = Norme(o.position);
    double b[3] = {corps.position[0], corps.position[1], corps.position[2]}, dd[3] = {d[0], d[1], d[2]};
    p.Angle_Phase = eraSepp(b, dd) * Degres_Par_Radian;
    if (choix.apparente) {
        Matrice npb;
        eraPnm00b(p.JJ_TT, 0.0, npb.m);
        Ecrire_Direction(Deflechir_Aberrer(Unitaire(d), corps.position, o), npb, p);
    } else {
        Ecrire_Direction(d, Icrs_Vers_Ephemeride_, p);
    }
    return p;
}

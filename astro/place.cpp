#include "astro/place.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "astro/angles.h"
#include "astro/calendrier.h"
#include "astro/constantes.h"
#include "astro/echelles_temps.h"

namespace {

// Each pass of the light time divides its error by about c over the body's
// speed relative to the observer (10⁴ for a comet near the Earth); foretold
// from the last places, it mostly takes one or two passes to reach 1e-9 day.
// The bound stops what rounding could keep going.
constexpr double Tolerance_Lumiere = 1e-9;  // days
constexpr int Passes_Maximum_Lumiere = 10;
constexpr double Portee_Prevision = 1;  // days
// eraLd's limiter, which keeps the Sun's deflection finite for a body right
// behind the Sun.
constexpr double Limite_Deflexion = 1e-6;

Vecteur Difference(const Vecteur& a, const Vecteur& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

Vecteur Somme(const Vecteur& a, const Vecteur& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }

// m · v.
Vecteur Tourner(const double m[3][3], const Vecteur& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
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

// Elements referred to the equinox 1950 are B1950.0 ones, on the FK4 frame
// of the catalogues they were computed against: typed as the year 1950, or
// as B1950.0's Julian day to the four decimals the field shows.
constexpr double JJ_B1950 = 2433282.42345905;  // days, TT
constexpr double Tolerance_JJ_B1950 = 0.5e-4;  // days
constexpr double Epoque_Besselienne_1950 = 1950.0;
// The mean obliquity of B1950.0, 23° 26′ 44.836″, which B1950 ecliptic
// elements were computed with.
constexpr double Obliquite_B1950 = (23 + 26.0 / 60 + 44.836 / 3600) * Radians_Par_Degre;

bool Equinoxe_B1950(double jj) {
    return jj == Annee_Vers_JJ(1950) || std::fabs(jj - JJ_B1950) < Tolerance_JJ_B1950;
}

// FK4 axes at B1950.0 to the ICRS. eraFk45z, made for star places, also
// takes off the E-terms of aberration, which an orbit does not have; they
// shift a direction and its opposite alike, so half the difference of the
// two images is the rotation alone. FK5 then goes to the ICRS (eraFk5hip).
void Fk4_Vers_Icrs(double m[3][3]) {
    double r5h[3][3], s5h[3];
    eraFk5hip(r5h, s5h);
    for (int j = 0; j < 3; ++j) {
        double fk5[3] = {0, 0, 0};
        for (const double signe : {1.0, -1.0}) {
            double u[3] = {0, 0, 0}, v[3];
            u[j] = signe;
            double alpha = 0, delta = 0;
            eraC2s(u, &alpha, &delta);
            eraFk45z(alpha, delta, Epoque_Besselienne_1950, &alpha, &delta);
            eraS2c(alpha, delta, v);
            for (int i = 0; i < 3; ++i) fk5[i] += signe * v[i] / 2;
        }
        double icrs[3];
        eraRxp(r5h, fk5, icrs);
        for (int i = 0; i < 3; ++i) m[i][j] = icrs[i];
    }
}

// The rotation from the mean equator of the elements' equinox to the ICRS,
// and that equinox's obliquity (radians): FK4 for B1950, else the IAU 2006
// precession (transposed).
double Equateur_Vers_Icrs(double jj_equinoxe, double m[3][3]) {
    if (Equinoxe_B1950(jj_equinoxe)) {
        Fk4_Vers_Icrs(m);
        return Obliquite_B1950;
    }
    const double epoque = Epoque_Equinoxe(jj_equinoxe);
    double precession[3][3];
    eraPmat06(epoque, 0.0, precession);
    eraTr(precession, m);
    return eraObl06(epoque, 0.0);
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
    // Far outside the centuries the Earth's series were fitted to, they can
    // give it any speed, even beyond light's.
    eraAb(deflechie, v, em, std::sqrt(std::max(0.0, 1 - v2)), apparente);
    return {apparente[0], apparente[1], apparente[2]};
}

// A body the integration could not follow there.
Place Sans_Place(Echec_Integration echec) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    Place p;
    p.JJ_TT = p.Alpha = p.Delta = p.Distance_Terre = p.Distance_Soleil = nan;
    p.Distance_Soleil_Observateur = p.Angle_Phase = p.Temps_Lumiere = nan;
    p.Echec = echec;
    return p;
}

}  // namespace

Coordonnees_Monture Vers_Monture(const Place& p) {
    return {p.Alpha * Heures_Par_Radian, p.Delta * Degres_Par_Radian};
}

namespace {

// Nodes evenly spread over the page. A short page takes them a day apart at
// most, where two nodes either side cost less than four; a page of days,
// three days apart at most, a third of its rows; a page whose rows are
// three days or more apart, a day apart at most again, so that rows on
// whole days (a step in days, months or years) fall on nodes, one node per
// row. The spacing comes from the rows' own instants: a whole number of
// days stays one, whatever TT − UT does over the page.
constexpr double Page_Courte = 2.0;   // days
constexpr double Page_Longue = 90.0;  // days: 31 rows three days apart
// Beyond this, a page's ends are not worth telling apart.
constexpr double Intervalles_Maximum = 1e9;

Terre_Interpolee Terre_Page(double debut_utc, double fin_utc) {
    const double debut_tt = JJ_UTC_Vers_TT(debut_utc);
    const double duree = fin_utc - debut_utc;
    if (!(duree > 0 && std::isfinite(duree))) return Terre_Interpolee(debut_tt);
    const bool jours = duree > Page_Courte && duree < Page_Longue;
    const double ecart = jours ? Terre_Interpolee::Ecart_Maximum : Terre_Interpolee::Ecart_Cubique;
    const double intervalles = std::ceil(duree / ecart);
    const int64_t n = intervalles < Intervalles_Maximum ? static_cast<int64_t>(intervalles) : 0;
    return Terre_Interpolee(debut_tt, duree / intervalles, n);
}

}  // namespace

Calcul_Place::Calcul_Place(const Elements& el, double debut_utc, double fin_utc,
                           Mouvement_Perturbe* mouvement)
    : classique_(el),
      q_(!Orbite_Parabolique(el.e) && el.a > 0 ? (1 - el.e) * el.a : el.q),
      e_(el.e),
      JJ_Perihelie_(el.JJ_Perihelie),
      terre_(Terre_Page(debut_utc, fin_utc)),
      mouvement_(mouvement) {
    Orienter(el);
    eraPmat06(Epoque_Equinoxe(el.JJ_Equinoxe_ephemeride), 0.0, Icrs_Vers_Ephemeride_.m);
}

// P and Q on the ecliptic of the elements, then on the mean equator of their
// equinox, then in the ICRS.
void Calcul_Place::Orienter(const Elements& el) {
    const double w = el.Omega * Radians_Par_Degre, N = el.gOmega * Radians_Par_Degre,
                 i = el.i * Radians_Par_Degre;
    const double cw = std::cos(w), sw = std::sin(w), cN = std::cos(N), sN = std::sin(N);
    const double ci = std::cos(i), si = std::sin(i);
    const Vecteur P = {cw * cN - sw * sN * ci, cw * sN + sw * cN * ci, sw * si};
    const Vecteur Q = {-sw * cN - cw * sN * ci, -sw * sN + cw * cN * ci, cw * si};
    const double eps = Equateur_Vers_Icrs(el.JJ_Equinoxe, Equateur_Vers_Icrs_.m), ce = std::cos(eps),
                 se = std::sin(eps);
    const auto Vers_Icrs = [&](const Vecteur& v) {
        return Tourner(Equateur_Vers_Icrs_.m, {v[0], ce * v[1] - se * v[2], se * v[1] + ce * v[2]});
    };
    P_ = Vers_Icrs(P);
    Q_ = Vers_Icrs(Q);
}

Calcul_Place::Corps Calcul_Place::Heliocentrique(double jj_tt) {
    if (mouvement_) return Integre(jj_tt);
    const Point_Orbite o = Resoudre_Conique(q_, e_, jj_tt - JJ_Perihelie_);
    const double v = o.v * Radians_Par_Degre;
    const double x = o.r * std::cos(v), y = o.r * std::sin(v);
    return {{x * P_[0] + y * Q_[0], x * P_[1] + y * Q_[1], x * P_[2] + y * Q_[2]}, o.r};
}

// The integration answers on the mean equator of the elements' equinox.
Calcul_Place::Corps Calcul_Place::Integre(double jj_tt) {
    const Resultat_Integration r = mouvement_->Calculer(jj_tt);
    if (r.echec != Echec_Integration::Aucun) {
        constexpr double nan = std::numeric_limits<double>::quiet_NaN();
        return {{nan, nan, nan}, nan, r.echec};
    }
    const Vecteur icrs = Tourner(Equateur_Vers_Icrs_.m, r.etat.position);
    return {icrs, Norme(icrs)};
}

void Calcul_Place::Ecrire_Direction(const Vecteur& v, const Matrice& rotation, Place& p) const {
    const Vecteur t = Tourner(rotation.m, v);
    double y[3] = {t[0], t[1], t[2]};
    double alpha = 0, delta = 0;
    eraC2s(y, &alpha, &delta);
    p.Alpha = eraAnp(alpha);
    p.Delta = delta;
}

// The classic model takes the instant as it comes, with its own Sun.
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

// A straight line through the last two light times when they are close
// enough in time for it to hold; else the last one.
double Calcul_Place::Suivi_Lumiere::Prevoir(double jj_tt) const {
    if (connus == 0) return 0;
    const double ecart = t[0] - t[1];
    if (connus == 1 || !(std::fabs(ecart) > 0 && std::fabs(jj_tt - t[0]) <= Portee_Prevision)) return tau[0];
    const double prevu = tau[0] + (jj_tt - t[0]) * (tau[0] - tau[1]) / ecart;
    return prevu >= 0 ? prevu : tau[0];
}

void Calcul_Place::Suivi_Lumiere::Noter(double jj_tt, double temps_lumiere) {
    if (!std::isfinite(jj_tt) || !std::isfinite(temps_lumiere)) {
        connus = 0;
        return;
    }
    t[1] = t[0];
    tau[1] = tau[0];
    t[0] = jj_tt;
    tau[0] = temps_lumiere;
    if (connus < 2) ++connus;
}

// The body where its light left it to reach `observateur` (heliocentric,
// AU) at `jj_tt`, and the light time `tau` (days).
Calcul_Place::Corps Calcul_Place::Retarder(double jj_tt, const Vecteur& observateur, double& tau) {
    tau = lumiere_.Prevoir(jj_tt);
    Corps corps = Heliocentrique(jj_tt - tau);
    for (int passe = 0; passe < Passes_Maximum_Lumiere && corps.echec == Echec_Integration::Aucun; ++passe) {
        const double nouveau = Norme(Difference(corps.position, observateur)) / Vitesse_Lumiere;
        const bool fini = std::fabs(nouveau - tau) < Tolerance_Lumiere;
        tau = nouveau;
        if (fini) break;
        corps = Heliocentrique(jj_tt - tau);
    }
    lumiere_.Noter(jj_tt, tau);
    return corps;
}

Place Calcul_Place::Calculer(double jj_utc, const Choix_Modele& choix, const Lieu_Observation* lieu) {
    if (choix.modele == Modele_Calcul::Classique) return Classique(jj_utc);
    Place p;
    p.JJ_TT = JJ_UTC_Vers_TT(jj_utc);
    const Etat_Terre terre = terre_.A(p.JJ_TT);
    Observateur o{terre.position, terre.vitesse_barycentrique};
    const bool topocentrique = choix.topocentrique && lieu != nullptr;
    Matrice npb{};  // the true equator and equinox of the date
    if (topocentrique || choix.apparente) eraPnm00b(p.JJ_TT, 0.0, npb.m);
    if (topocentrique) {
        const Etat_Observateur site = Calculer_Observateur(*lieu, jj_utc, p.JJ_TT, npb.m);
        o.position = Somme(o.position, site.position);
        o.vitesse = Somme(o.vitesse, site.vitesse);
    }
    const Corps corps = Retarder(p.JJ_TT, o.position, p.Temps_Lumiere);
    if (corps.echec != Echec_Integration::Aucun) return Sans_Place(corps.echec);
    const Vecteur d = Difference(corps.position, o.position);
    p.Distance_Terre = Norme(d);
    p.Distance_Soleil = corps.r;
    p.Distance_Soleil_Observateur = Norme(o.position);
    double b[3] = {corps.position[0], corps.position[1], corps.position[2]}, dd[3] = {d[0], d[1], d[2]};
    p.Angle_Phase = eraSepp(b, dd) * Degres_Par_Radian;
    if (choix.apparente) {
        Ecrire_Direction(Deflechir_Aberrer(Unitaire(d), corps.position, o), npb, p);
    } else {
        Ecrire_Direction(d, Icrs_Vers_Ephemeride_, p);
    }
    return p;
}

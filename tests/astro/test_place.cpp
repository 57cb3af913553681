#include <erfa.h>
#include <gtest/gtest.h>

#include <cmath>

#include "astro/calendrier.h"
#include "astro/echelles_temps.h"
#include "astro/place.h"
#include "tests/support/ceres_horizons.h"

namespace {

constexpr double Secondes_Par_Radian = 206264.80624709636;
constexpr double Heure = 1.0 / 24;

// Angle between two directions, seconds of arc.
double Ecart_Secondes(double alpha1, double delta1, double alpha2, double delta2) {
    const double c =
        std::sin(delta1) * std::sin(delta2) + std::cos(delta1) * std::cos(delta2) * std::cos(alpha1 - alpha2);
    const double x = std::cos(delta2) * std::sin(alpha1 - alpha2);
    const double y =
        std::cos(delta1) * std::sin(delta2) - std::sin(delta1) * std::cos(delta2) * std::cos(alpha1 - alpha2);
    return std::atan2(std::hypot(x, y), c) * Secondes_Par_Radian;
}

double Heures(double h, double m, double s) { return (h + m / 60 + s / 3600) * Pi_Radians / 12; }
double Degres(double signe, double d, double m, double s) {
    return signe * (d + m / 60 + s / 3600) * Radians_Par_Degre;
}

// C/1995 O1 (Hale-Bopp), elements of MPC 106342 (epoch 2020 Feb. 24 TT,
// equinox J2000.0), as quoted with the MPC's ephemeris for the geocentre in
// Skyfield's test data (authorities/mpc-hale-bopp, test_keplerlib.py).
Elements Hale_Bopp() {
    Elements el;
    el.q = 0.916241;
    el.e = 0.994928;
    el.Omega = 130.6448;
    el.gOmega = 283.3593;
    el.i = 88.9908;
    el.JJ_Perihelie = Date_Vers_JJ(3, 1997, 29.6333);
    el.JJ_Equinoxe = el.JJ_Equinoxe_ephemeride = Annee_Vers_JJ(2000);
    return el;
}

struct Cas_Publie {
    int jour;  // 0 h UT, 2020
    int mois;
    double alpha;  // radians
    double delta;
    double Distance_Terre;  // AU, printed to 0.001
    double Distance_Soleil;
};

TEST(Place, AstrometriqueCommeLeMPC) {
    const Cas_Publie cas[] = {
        {31, 5, Heures(23, 59, 16.6), Degres(-1, 84, 46, 58), 43.266, 43.621},
        {1, 6, Heures(23, 59, 33.3), Degres(-1, 84, 48, 12), 43.265, 43.625},
        {2, 6, Heures(23, 59, 49.3), Degres(-1, 84, 49, 27), 43.265, 43.628},
        {3, 6, Heures(0, 0, 4.5), Degres(-1, 84, 50, 42), 43.265, 43.631},
        {4, 6, Heures(0, 0, 18.9), Degres(-1, 84, 51, 57), 43.265, 43.635},
    };
    Calcul_Place calcul(Hale_Bopp(), Date_Vers_JJ(5, 2020, 31), Date_Vers_JJ(6, 2020, 4));
    for (const Cas_Publie& c : cas) {
        const Place p = calcul.Calculer(Date_Vers_JJ(c.mois, 2020, c.jour), Choix_Modele{});
        EXPECT_NEAR(Ecart_Secondes(p.Alpha, p.Delta, c.alpha, c.delta), 0, 1.5) << c.jour << '/' << c.mois;
        EXPECT_NEAR(p.Distance_Terre, c.Distance_Terre, 0.0005) << c.jour << '/' << c.mois;
        EXPECT_NEAR(p.Distance_Soleil, c.Distance_Soleil, 0.0005) << c.jour << '/' << c.mois;
    }
}

Vecteur Cartesien(double alpha, double delta, double distance) {
    return {distance * std::cos(delta) * std::cos(alpha), distance * std::cos(delta) * std::sin(alpha),
            distance * std::sin(delta)};
}

// A body passing 0.02 AU or so from the Earth in early June 2020 (its
// perihelion lies where the Earth then is), equinoxes 2000.0.
Elements Proche() {
    Elements el;
    el.q = 1.02;
    el.a = el.q / (1 - 0.3);
    el.e = 0.3;
    el.i = 2;
    el.gOmega = 0;
    el.Omega = 251;
    el.Longitude_Perihelie = 251;
    el.JJ_Perihelie = Date_Vers_JJ(6, 2020, 1);
    el.JJ_Equinoxe = el.JJ_Equinoxe_ephemeride = Annee_Vers_JJ(2000);
    return el;
}

// The site's own vector by the textbook route (Meeus, Astronomical
// Algorithms, ch. 11: ρ sin φ′ and ρ cos φ′ on the WGS84 ellipsoid, turned by
// the apparent sidereal time and brought to the mean equator of J2000 by the
// inverse of the equinox-based precession-nutation), taken off the
// geocentric place: the topocentric place, up to the light time across the
// Earth's radius.
TEST(Place, TopocentriqueCommeLeCalculParLaParallaxe) {
    const Lieu_Observation lieu{45.0, 6.0, 1000.0};
    constexpr double a_WGS84 = 6378137.0, f_WGS84 = 1 / 298.257223563;  // m
    constexpr double UA = 149597870700.0;                               // m
    Calcul_Place calcul(Proche(), Date_Vers_JJ(6, 2020, 1), Date_Vers_JJ(6, 2020, 1.75));
    Choix_Modele topocentrique;
    topocentrique.topocentrique = true;
    for (const double heure : {0.0, 6.0, 12.0, 18.0}) {
        const double jj = Date_Vers_JJ(6, 2020, 1 + heure / 24);
        const Place g = calcul.Calculer(jj, Choix_Modele{});
        const Place t = calcul.Calculer(jj, topocentrique, &lieu);
        const double phi = lieu.Latitude * Radians_Par_Degre;
        const double u = std::atan((1 - f_WGS84) * std::tan(phi));
        const double rho_sin = (1 - f_WGS84) * std::sin(u) + lieu.Altitude / a_WGS84 * std::sin(phi);
        const double rho_cos = std::cos(u) + lieu.Altitude / a_WGS84 * std::cos(phi);
        const double theta = eraGst00b(jj, 0) + lieu.Longitude * Radians_Par_Degre;
        double vrai[3] = {a_WGS84 / UA * rho_cos * std::cos(theta), a_WGS84 / UA * rho_cos * std::sin(theta),
                          a_WGS84 / UA * rho_sin};
        double npb[3][3], bp[3][3], moyen[3], j2000[3];
        eraPnm00b(g.JJ_TT, 0, npb);
        eraPmat06(2451545.0, 0, bp);
        eraTrxp(npb, vrai, moyen);
        eraRxp(bp, moyen, j2000);
        const Vecteur G = Cartesien(g.Alpha, g.Delta, g.Distance_Terre);
        double T[3] = {G[0] - j2000[0], G[1] - j2000[1], G[2] - j2000[2]};
        double alpha = 0, delta = 0, distance = 0;
        eraP2s(T, &alpha, &delta, &distance);
        ASSERT_LT(g.Distance_Terre, 0.05);
        EXPECT_GT(Ecart_Secondes(g.Alpha, g.Delta, t.Alpha, t.Delta), 60) << heure;
        EXPECT_NEAR(Ecart_Secondes(t.Alpha, t.Delta, alpha, delta), 0, 0.1) << heure;
        EXPECT_NEAR(t.Distance_Terre, distance, 1e-8) << heure;
    }
}

// The apparent place against ERFA's own route from an astrometric direction
// to CIRS (eraAtci13: the Sun's deflection for a source at infinity,
// aberration, IAU 2006/2000A); a CIRS right ascension less the equation of
// the origins is one of the true equinox. The two differ by the Sun's
// deflection of a body at a finite distance, a few thousandths of a second.
TEST(Place, ApparenteCommeEraAtci13) {
    Calcul_Place calcul(Proche(), Date_Vers_JJ(3, 2020, 1), Date_Vers_JJ(12, 2020, 1));
    Choix_Modele apparente;
    apparente.apparente = true;
    double biais[3][3];
    eraPmat06(2451545.0, 0, biais);
    for (const int mois : {3, 6, 9, 12}) {
        const double jj = Date_Vers_JJ(mois, 2020, 1);
        const Place a = calcul.Calculer(jj, Choix_Modele{});
        const Place p = calcul.Calculer(jj, apparente);
        // The astrometric place is on the mean equator of J2000: back to the ICRS.
        const Vecteur v = Cartesien(a.Alpha, a.Delta, 1);
        double j2000[3] = {v[0], v[1], v[2]}, icrs[3];
        eraTrxp(biais, j2000, icrs);
        double rc = 0, dc = 0, ri = 0, di = 0, eo = 0;
        eraC2s(icrs, &rc, &dc);
        eraAtci13(rc, dc, 0, 0, 0, 0, a.JJ_TT, 0, &ri, &di, &eo);
        EXPECT_GT(Ecart_Secondes(a.Alpha, a.Delta, p.Alpha, p.Delta), 200) << mois;
        EXPECT_NEAR(Ecart_Secondes(p.Alpha, p.Delta, eraAnp(ri - eo), di), 0, 0.01) << mois;
        EXPECT_NEAR(p.Distance_Terre, a.Distance_Terre, 1e-12) << mois;
        const Coordonnees_Monture m = Vers_Monture(p);
        EXPECT_NEAR(m.Ascension_Droite, p.Alpha * 12 / Pi_Radians, 1e-12) << mois;
        EXPECT_NEAR(m.Declinaison, p.Delta / Radians_Par_Degre, 1e-12) << mois;
    }
}

// The heliocentric place of the body at `jj_tt` from elements on the
// ecliptic and equinox of B1950.0, by another route: the ecliptic to the
// FK4 equator with the B1950.0 obliquity, then FK4 to FK5 as ERFA converts
// a star's place (eraFk45z, which also takes off the E-terms of aberration,
// 0.343″ at most). FK5 and the ICRS differ by some 0.02″.
Vecteur Heliocentrique_B1950(const Elements& el, double jj_tt) {
    constexpr double Obliquite_1950 = 84404.836 / Secondes_Par_Radian;
    const Point_Orbite o = Resoudre_Conique(el.q, el.e, jj_tt - el.JJ_Perihelie);
    const double u = (el.Omega + o.v) * Radians_Par_Degre, N = el.gOmega * Radians_Par_Degre,
                 i = el.i * Radians_Par_Degre;
    const double x = std::cos(u) * std::cos(N) - std::sin(u) * std::sin(N) * std::cos(i);
    const double y = std::cos(u) * std::sin(N) + std::sin(u) * std::cos(N) * std::cos(i);
    const double z = std::sin(u) * std::sin(i);
    double fk4[3] = {x, y * std::cos(Obliquite_1950) - z * std::sin(Obliquite_1950),
                     y * std::sin(Obliquite_1950) + z * std::cos(Obliquite_1950)};
    double alpha = 0, delta = 0;
    eraC2s(fk4, &alpha, &delta);
    eraFk45z(alpha, delta, 1950.0, &alpha, &delta);
    return Cartesien(alpha, delta, o.r);
}

// Elements whose equinox is 1950, typed as the year or as B1950.0's Julian
// day, are B1950.0 FK4 ones: their astrometric place matches the route
// above. The same angles precessed from 1950 with IAU 2006 land elsewhere.
TEST(Place, Equinoxe1950EnFK4) {
    Elements el = Hale_Bopp();
    const double jj = Date_Vers_JJ(6, 2020, 1);
    struct Cas {
        const char* equinoxe;
        double JJ_Equinoxe;
        bool fk4;
    };
    const Cas cas[] = {{"1950", Annee_Vers_JJ(1950), true},
                       {"2433282,4235", 2433282.4235, true},
                       {"1950,01", Annee_Vers_JJ(1950.01), false}};
    for (const Cas& c : cas) {
        el.JJ_Equinoxe = c.JJ_Equinoxe;
        Calcul_Place calcul(el, jj);
        const Place p = calcul.Calculer(jj, Choix_Modele{});
        const Vecteur corps = Heliocentrique_B1950(el, p.JJ_TT - p.Temps_Lumiere);
        const Vecteur terre = Calculer_Terre(p.JJ_TT).position;
        double d[3] = {corps[0] - terre[0], corps[1] - terre[1], corps[2] - terre[2]};
        double alpha = 0, delta = 0;
        eraC2s(d, &alpha, &delta);
        const double ecart = Ecart_Secondes(p.Alpha, p.Delta, eraAnp(alpha), delta);
        if (c.fk4) {
            EXPECT_NEAR(ecart, 0, 0.4) << c.equinoxe;
        } else {
            EXPECT_GT(ecart, 0.6) << c.equinoxe;
        }
    }
}

// A page asks for each row's instant and the half hours either side. The
// Earth it needs costs a few eraEpv00 calls: two for a page of hours, about
// a third of the rows for a page of days, at most one per row once rows are
// three days or more apart, calendar months and years included.
TEST(Place, EvaluationsDeLaTerreParPage) {
    struct Cas {
        const char* page;
        int lignes;
        double pas;  // days; 0: a calendar month
        int64_t evaluations;
    };
    const Cas cas[] = {{"heures", 24, Heure, 2}, {"jours", 31, 1, 11}, {"2 jours", 31, 2, 21},
                       {"5 jours", 31, 5, 31},   {"mois", 12, 0, 12},  {"années", 10, 365, 10}};
    for (const Cas& c : cas) {
        const auto instant = [&](int ligne) {
            return c.pas > 0 ? Date_Vers_JJ(1, 2024, 1.25) + ligne * c.pas
                             : Date_Vers_JJ(1 + ligne, 2024, 1.25);
        };
        Calcul_Place calcul(Proche(), instant(0), instant(c.lignes - 1));
        for (int ligne = 0; ligne < c.lignes; ++ligne) {
            for (const double decalage : {-Heure / 2, Heure / 2, 0.0})
                EXPECT_TRUE(std::isfinite(calcul.Calculer(instant(ligne) + decalage, Choix_Modele{}).Alpha));
        }
        EXPECT_EQ(calcul.Evaluations_Terre(), c.evaluations) << c.page;
    }
}

}  // namespace

namespace {

// Whatever the instant and the conic, a place comes back, finite when they are.
TEST(Place, FiniePourLesExtremes) {
    const Lieu_Observation lieu{89.9, -179.9, 9000};
    const Choix_Modele choix[] = {
        {}, {Modele_Calcul::Precis, true, false}, {Modele_Calcul::Precis, true, true}};
    struct Cas {
        double q;
        double e;
    };
    for (const Cas& c : {Cas{1e-4, 0}, Cas{1e-4, 1}, Cas{1e4, 0.98}, Cas{0.5, 1e6}}) {
        for (const int32_t an : {An_Minimum, -4000, 1582, 2026, 3000, An_Maximum}) {
            Elements el = Proche();
            el.q = c.q;
            el.e = c.e;
            el.a = c.e < 1 ? c.q / (1 - c.e) : 0;
            const double jj = Date_Vers_JJ(1, static_cast<float>(an), 1);
            Calcul_Place calcul(el, jj, jj + 30);
            for (const Choix_Modele& m : choix) {
                const Place p = calcul.Calculer(jj + 1.5, m, &lieu);
                EXPECT_TRUE(std::isfinite(p.Alpha) && std::isfinite(p.Delta) &&
                            std::isfinite(p.Distance_Terre) && std::isfinite(p.Angle_Phase))
                    << c.q << ' ' << c.e << ' ' << an;
            }
        }
    }
    Calcul_Place calcul(Proche(), std::nan(""), std::nan(""));
    EXPECT_TRUE(std::isnan(calcul.Calculer(std::nan(""), Choix_Modele{}).Alpha));
}

}  // namespace

namespace {

// Ceres from elements two to five years old: the page's precise place,
// following the integration, against Horizons (test data named in
// ceres_horizons.h), where the two-body place is minutes of arc away.
TEST(Place, PerturbeeCommeHorizons) {
    struct Cas {
        const char* nom;
        const Elements& el;
        double epoque;
        Horizons publie;
    };
    const Cas cas[] = {
        {"1995 -> 2000", Ceres_1995, Epoque_1995, Ceres_2000},
        {"2020 -> 2022 juin", Ceres_2020, Epoque_2020, Ceres_2022[0]},
        {"2020 -> 2022 juillet", Ceres_2020, Epoque_2020, Ceres_2022[3]},
    };
    const Choix_Modele astrometrique;
    for (const Cas& c : cas) {
        Mouvement_Perturbe mouvement(c.el, c.epoque);
        // The row's instant in UTC whose TT is Horizons' instant.
        const double jj_utc = c.publie.JJ - (JJ_UTC_Vers_TT(c.publie.JJ) - c.publie.JJ);
        Calcul_Place perturbe(c.el, jj_utc, jj_utc, &mouvement);
        const Place p = perturbe.Calculer(jj_utc, astrometrique);
        const Place deux_corps = Calcul_Place(c.el, jj_utc).Calculer(jj_utc, astrometrique);
        const Direction_Publiee h = Direction_Horizons(c.el, c.publie, p.JJ_TT);
        EXPECT_NEAR(Ecart_Secondes(p.Alpha, p.Delta, h.alpha, h.delta), 0, 5) << c.nom;
        EXPECT_GT(Ecart_Secondes(deux_corps.Alpha, deux_corps.Delta, h.alpha, h.delta), 120) << c.nom;
        EXPECT_NEAR(p.JJ_TT, c.publie.JJ, 1e-6) << c.nom;
        EXPECT_EQ(p.Echec, Echec_Integration::Aucun) << c.nom;
    }
}

}  // namespace

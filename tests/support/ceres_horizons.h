#pragma once

// Ceres as JPL Horizons gives it, with the elements the same answers quote:
// test data shared by the integration's and the page's suites.

#include <erfa.h>
#include <erfam.h>

#include <cmath>

#include "astro/elements.h"
#include "astro/mouvement_perturbe.h"

// Elements referred to the ecliptic and equinox of J2000 (AU, degrees, TT).
inline Elements Elements_2000(double q, double e, double i, double omega, double noeud, double JJ_Perihelie) {
    Elements el;
    el.q = q;
    el.e = e;
    el.a = e < 1 ? q / (1 - e) : 0;
    el.i = i;
    el.Omega = omega;
    el.gOmega = noeud;
    el.JJ_Perihelie = JJ_Perihelie;
    el.JJ_Equinoxe = el.JJ_Equinoxe_ephemeride = JJ_J2000;
    return el;
}

struct Horizons {
    double JJ;
    double x, y, z;  // AU, heliocentric, ecliptic and equinox of J2000, geometric
};

// Ceres from JPL Horizons' answers kept as test data by the astroquery
// package (astropy/astroquery, astroquery/jplhorizons/tests/data):
// ceres_vectors.txt (elements of epoch 1995 Jan. 14, solution JPL#34, and
// the place on 2000 Jan. 1) and ceres_vectors_range.txt (elements of epoch
// 2020 Jan. 1, JPL#48, and the places of 2022 June 10 to July 10).
inline const Elements Ceres_1995 = Elements_2000(2.556624726195814, .07610292126891821, 10.60069567603618,
                                                 71.44921526124109, 80.65851514365535, 2449823.0922807939);
inline constexpr double Epoque_1995 = 2449731.5;
inline const Elements Ceres_2020 = Elements_2000(2.556401146697176, .07687465013145245, 10.59127767086216,
                                                 73.80896808746482, 80.3011901917491, 2458240.1791309435);
inline constexpr double Epoque_2020 = 2458849.5;
inline constexpr Horizons Ceres_2000{2451544.5, -2.377530254715913, 8.007773098011088E-01,
                                     4.628376171505864E-01};
inline constexpr Horizons Ceres_2022[] = {
    {2459740.5, -8.354726583796999E-01, 2.455132459520164, 2.314862198331841E-01},
    {2459750.5, -9.347458493663700E-01, 2.411365344494129, 2.483916160514805E-01},
    {2459760.5, -1.032442649066608, 2.363530154574458, 2.648779352961165E-01},
    {2459770.5, -1.128387470845915, 2.311682815778683, 2.809145935195726E-01},
};

struct Direction_Publiee {
    double alpha;  // radians, mean equator and equinox of J2000
    double delta;
};

// Where the Earth's centre sees Ceres at `jj_tt`: Horizons' geometric place
// `h`, carried to the instant its light left by the conic of `el` over
// those few minutes, seen from ERFA's Earth.
inline Direction_Publiee Direction_Horizons(const Elements& el, const Horizons& h, double jj_tt) {
    double terre_h[2][3], terre_b[2][3];
    eraEpv00(ERFA_DJ00, jj_tt - ERFA_DJ00, terre_h, terre_b);
    const double eps = 84381.448 / ERFA_DR2AS;  // IAU 1976, Horizons' ecliptic
    const double publie[3] = {h.x, h.y * std::cos(eps) - h.z * std::sin(eps),
                              h.y * std::sin(eps) + h.z * std::cos(eps)};
    const Etat_Corps ancre = Etat_Osculateur(el, h.JJ);
    double d[3] = {0, 0, 0}, tau = 0;
    for (int passe = 0; passe < 4; ++passe) {
        const Etat_Corps depart = Etat_Osculateur(el, jj_tt - tau);
        for (int k = 0; k < 3; ++k)
            d[k] = publie[k] + (depart.position[k] - ancre.position[k]) - terre_h[0][k];
        tau = std::hypot(d[0], d[1], d[2]) * ERFA_AULT / ERFA_DAYSEC;
    }
    Direction_Publiee p{};
    eraC2s(d, &p.alpha, &p.delta);
    p.alpha = eraAnp(p.alpha);
    return p;
}

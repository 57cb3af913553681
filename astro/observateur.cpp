#include "astro/observateur.h"

#include <erfa.h>

#include "astro/constantes.h"
#include "astro/position.h"

namespace {

// x = rᵀ · v: from the intermediate (CIRS) axes back to the ICRS.
Vecteur Vers_ICRS(double r[3][3], const double v[3]) {
    double p[3] = {v[0], v[1], v[2]};
    double q[3];
    eraTrxp(r, p, q);
    return {q[0], q[1], q[2]};
}

}  // namespace

Etat_Observateur Calculer_Observateur(const Lieu_Observation& lieu, double jj_ut1, double jj_tt) {
    double npb[3][3];
    eraPnm00b(jj_tt, 0.0, npb);
    return Calculer_Observateur(lieu, jj_ut1, jj_tt, npb);
}

Etat_Observateur Calculer_Observateur(const Lieu_Observation& lieu, double jj_ut1, double jj_tt,
                                      const double npb[3][3]) {
    double rbpn[3][3], rc2i[3][3], pv[2][3];
    // ERFA takes its matrices as modifiable arrays.
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) rbpn[i][j] = npb[i][j];
    }
    eraC2ibpn(jj_tt, 0.0, rbpn, rc2i);
    const double theta = eraEra00(jj_ut1, 0.0);
    // Metres and metres per second, intermediate axes.
    eraPvtob(lieu.Longitude * Radians_Par_Degre, lieu.Latitude * Radians_Par_Degre, lieu.Altitude, 0.0, 0.0,
             0.0, theta, pv);
    for (int i = 0; i < 3; ++i) {
        pv[0][i] /= Unite_Astronomique;
        pv[1][i] *= Secondes_Par_Jour / Unite_Astronomique;
    }
    return {Vers_ICRS(rc2i, pv[0]), Vers_ICRS(rc2i, pv[1])};
}

#include "astro/echelles_temps.h"

#include <erfa.h>

#include <array>
#include <cmath>

#include "astro/constantes.h"

namespace {

constexpr double TT_Moins_TAI = 32.184;  // seconds
constexpr double Debut_UTC = 1960.0;     // first year of the leap-second table
constexpr double Fin_UTC = 2150.0;       // no leap second can be foreseen so far ahead

// One interval of the Canon: ΔT = Σ c_k ((y − origine) / echelle)^k for y
// below `fin`. Coefficients of the Canon, seconds.
struct Polynome_Delta_T {
    double fin;
    double origine;
    double echelle;
    std::array<double, 8> c;
};

constexpr std::array<Polynome_Delta_T, 12> Polynomes = {{
    {500, 0, 100, {10583.6, -1014.41, 33.78311, -5.952053, -0.1798452, 0.022174192, 0.0090316521}},
    {1600, 1000, 100, {1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073}},
    {1700, 1600, 1, {120, -0.9808, -0.01532, 1 / 7129.0}},
    {1800, 1700, 1, {8.83, 0.1603, -0.0059285, 0.00013336, -1 / 1174000.0}},
    {1860,
     1800,
     1,
     {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272, -0.0000001699, 0.000000000875}},
    {1900, 1860, 1, {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1 / 233174.0}},
    {1920, 1900, 1, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197}},
    {1941, 1920, 1, {21.20, 0.84493, -0.076100, 0.0020936}},
    {1961, 1950, 1, {29.07, 0.407, -1 / 233.0, 1 / 2547.0}},
    {1986, 1975, 1, {45.45, 1.067, -1 / 260.0, -1 / 718.0}},
    {2005, 2000, 1, {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599}},
    {2050, 2000, 1, {62.92, 0.32217, 0.005589}},
}};
constexpr double Debut_Polynomes = -500;
// From 2050 to 2150 the parabola, less a term that joins it to 2050.
constexpr double Fin_Canon = 2150;
constexpr double Raccord_2050 = 0.5628;  // seconds per year

double Parabole_Long_Terme(double annee) {
    const double u = (annee - 1820) / 100;
    return -20 + 32 * u * u;
}

double Evaluer(const Polynome_Delta_T& p, double annee) {
    const double t = (annee - p.origine) / p.echelle;
    double somme = 0;
    for (auto k = p.c.size(); k-- > 0;) somme = somme * t + p.c[k];
    return somme;
}

}  // namespace

double Delta_T(double annee) {
    if (annee >= Debut_Polynomes) {
        for (const Polynome_Delta_T& p : Polynomes) {
            if (annee < p.fin) return Evaluer(p, annee);
        }
    }
    if (annee >= Polynomes.back().fin && annee < Fin_Canon) {
        return Parabole_Long_Terme(annee) - Raccord_2050 * (Fin_Canon - annee);
    }
    return Parabole_Long_Terme(annee);
}

double TT_Moins_UTC(double jj_utc) {
    const double annee = 2000 + (jj_utc - JJ_J2000) / Jours_Par_An_Julien;
    if (!(annee >= Debut_UTC && annee < Fin_UTC)) return Delta_T(annee);
    // The calendar date and the fraction of its day, as the row gives them:
    // on a day that ends with a leap second, the hours before it still have
    // the old offset.
    int an = 0, mois = 0, jour = 0;
    double fraction = 0, tai_moins_utc = 0;
    // Status 1 only says that the year is past the table's end: its last
    // leap second then holds.
    if (eraJd2cal(jj_utc, 0.0, &an, &mois, &jour, &fraction) != 0 ||
        eraDat(an, mois, jour, fraction, &tai_moins_utc) < 0) {
        return Delta_T(annee);
    }
    return tai_moins_utc + TT_Moins_TAI;
}

double JJ_UTC_Vers_TT(double jj_utc) { return jj_utc + TT_Moins_UTC(jj_utc) / Secondes_Par_Jour; }

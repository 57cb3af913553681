#include "astro/calendrier.h"

#include <cmath>

#include "astro/constantes.h"

namespace {

// Constants of the classical conversions (Meeus, Astronomical Algorithms, ch. 7).
constexpr double Origine_JJ = 1720994.5;
constexpr double Jours_Par_Mois_Moyen = 30.6001;
constexpr double Origine_Siecles_Gregoriens = 1867216.25;
constexpr double Jours_Par_Siecle_Gregorien = 36524.25;

constexpr int64_t Jours_Par_Cycle_Gregorien = 146097;  // 400 years
constexpr int32_t Annees_Par_Cycle = 400;

// A double is used as an integer only once it is known to fit.
bool Tient_Dans_Int32(double x) { return std::isfinite(x) && x >= -2147483648.0 && x <= 2147483647.0; }

struct Date_Calendrier {
    double jour;
    double mois;
    double an;
};

// Day, month, year of the Julian day whose day starts at Z - 0.5, once A is
// known (Meeus 7.3).
Date_Calendrier Date_Depuis_A(double A, double fraction) {
    const double B = A + 1524;
    const double K = std::floor((B - 122.1) / Jours_Par_An_Julien);
    const double D = std::floor(Jours_Par_An_Julien * K);
    const double E = std::floor((B - D) / Jours_Par_Mois_Moyen);
    const double jour = B - D - std::floor(Jours_Par_Mois_Moyen * E) + fraction;
    const double mois = E < 13.5 ? E - 1 : E - 13;
    const double an = mois > 2.5 ? K - 4716 : K - 4715;
    return {jour, mois, an};
}

}  // namespace

double Date_Vers_JJ(int32_t mois, float an, double jour) {
    double y = an;
    double m = mois;
    if (mois == 1 || mois == 2) {
        y = y - 1;
        m = m + 12;
    }
    // The calendar is decided on the date as given, not on y and m.
    const double date = static_cast<double>(an) + mois / 100.0 + jour / 10000.0;
    double B = 0;
    if (date >= Date_Debut_Gregorien) {
        const double A = std::trunc(y / 100);
        B = 2 - A + std::trunc(A / 4);
    }
    // Floor rather than Trunc: the same from year 0 on, and before it the
    // inverse of JJ_Vers_Date_Perihelie, which would otherwise move such a
    // date by a day at each conversion.
    return std::floor(Jours_Par_An_Julien * y) + std::floor(Jours_Par_Mois_Moyen * (m + 1)) + jour +
           Origine_JJ + B;
}

bool JJ_Vers_Date_Perihelie(Elements& el) {
    const double jj = el.JJ_Perihelie;
    const double Z = std::floor(jj + 0.5);
    // The time of day rounded to 0.00001 day (ties to even, as the processor rounds).
    const double F = std::nearbyint((jj + 0.5 - Z) * 100000) / 100000;
    double A = Z;
    if (jj >= JJ_Debut_Gregorien) {
        const double alpha = std::floor((Z - Origine_Siecles_Gregoriens) / Jours_Par_Siecle_Gregorien);
        A = Z + 1 + alpha - std::floor(alpha / 4);
    }
    const Date_Calendrier d = Date_Depuis_A(A, F);
    if (!std::isfinite(d.jour) || d.an < An_Minimum || d.an > An_Maximum) return false;
    el.Jour_Perihelie = d.jour;
    el.Mois_Perihelie = static_cast<int32_t>(d.mois);
    el.An_Perihelie = static_cast<int32_t>(d.an);
    return true;
}

double Annee_Vers_JJ(double annee) {
    if (!Tient_Dans_Int32(annee)) return std::nan("");
    const int64_t y = static_cast<int64_t>(std::trunc(annee));
    const int64_t m = 1;
    const int64_t d = 1;
    const int64_t jours =
        367 * y - (7 * (y + (m + 9) / 12)) / 4 + (275 * m) / 9 + d - (3 * ((y + (m - 9) / 7) / 100 + 1)) / 4;
    return static_cast<double>(jours) + 1721028.5 + (annee - static_cast<double>(y)) * Jours_Par_An_Julien;
}

double JJ_Vers_Annee(double jj) {
    const double Z = std::trunc(jj + 0.5);
    const double alpha = std::trunc((Z - Origine_Siecles_Gregoriens) / Jours_Par_Siecle_Gregorien);
    const double A = Z + 1 + alpha - std::trunc(alpha / 4);
    const double B = A + 1524;
    const double K = std::trunc((B - 122.1) / Jours_Par_An_Julien);
    const double D = std::trunc(Jours_Par_An_Julien * K);
    const double E = std::trunc((B - D) / Jours_Par_Mois_Moyen);
    const double mois = E < 13.5 ? E - 1 : E - 13;
    const double Y = mois > 2.5 ? K - 4716 : K - 4715;
    if (!Tient_Dans_Int32(Y)) return std::nan("");
    return Y + (jj - Date_Vers_JJ(1, static_cast<float>(Y), 1.0)) / Jours_Par_An_Julien;
}

bool Annee_Bissextile(int32_t an) { return an % 4 == 0 && (an % 100 != 0 || an % 400 == 0); }

int32_t Longueur_Mois(int32_t mois, int32_t an) { return Longueur_Mois(mois, Annee_Bissextile(an)); }

int32_t Longueur_Mois(int32_t mois, bool bissextile) {
    switch (mois) {
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        case 2:
            return bissextile ? 29 : 28;
        default:
            return 31;
    }
}

namespace {

// Whole 400-year cycles are taken off arithmetically, so that a huge day is
// normalised in bounded time; what remains is less than 400 years of days.
bool Retirer_Cycles(double& jour, int64_t& an) {
    if (jour < 1 + Jours_Par_Cycle_Gregorien) return true;
    const double cycles = std::floor((jour - 1) / static_cast<double>(Jours_Par_Cycle_Gregorien));
    if (cycles > static_cast<double>(An_Maximum) / Annees_Par_Cycle) return false;
    const int64_t n = static_cast<int64_t>(cycles);
    jour -= static_cast<double>(n * Jours_Par_Cycle_Gregorien);
    an += n * Annees_Par_Cycle;
    return true;
}

}  // namespace

bool Normaliser_Date(Elements& el) {
    if (!std::isfinite(el.Jour)) return false;
    int64_t an = el.An;
    int64_t mois = el.Mois;
    if (mois > 12) {
        an += (mois - 1) / 12;
        mois = (mois - 1) % 12 + 1;
    }
    double jour = el.Jour;
    if (jour >= 2 && !Retirer_Cycles(jour, an)) return false;
    // Less than 400 years of days are left: at most 4800 months.
    for (int pas = 0; pas < 12 * Annees_Par_Cycle + 12 && mois >= 1 && mois <= 12; ++pas) {
        if (an < An_Minimum || an > An_Maximum) return false;
        const int32_t L = Longueur_Mois(static_cast<int32_t>(mois), static_cast<int32_t>(an));
        if (jour < L + 1) break;
        jour -= L;
        if (++mois > 12) {
            mois = 1;
            ++an;
        }
    }
    if (an < An_Minimum || an > An_Maximum) return false;
    el.Jour = static_cast<float>(jour);
    el.Mois = static_cast<int32_t>(mois);
    el.An = static_cast<int32_t>(an);
    return true;
}

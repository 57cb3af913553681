#include "document/dates_publiees.h"

#include <cmath>

#include "astro/calendrier.h"

namespace {

bool Date_Tenue(int32_t mois, int32_t an, double jour) {
    if (mois < 1 || mois > 12 || an < An_Minimum || an > An_Maximum) return false;
    return jour >= 1 && jour < Longueur_Mois(mois, an) + 1;
}

}  // namespace

std::optional<double> JJ_Calendrier(std::optional<int32_t> mois, std::optional<int32_t> an,
                                    std::optional<double> jour) {
    if (!mois || !an || !jour || !Date_Tenue(*mois, *an, *jour)) return std::nullopt;
    return Date_Vers_JJ(*mois, static_cast<float>(*an), *jour);
}

double JJ_Min() {
    static const double jj = Date_Vers_JJ(1, static_cast<float>(An_Minimum), 1);
    return jj;
}

double JJ_Max() {
    static const double jj = Date_Vers_JJ(12, static_cast<float>(An_Maximum), 31);
    return jj;
}

namespace {

constexpr int32_t An_Epoque_Min = 1;
constexpr int32_t An_Epoque_Max = 9999;

}  // namespace

bool Epoque_Tenue(double jj) {
    static const double min = Date_Vers_JJ(1, static_cast<float>(An_Epoque_Min), 1);
    static const double max = Date_Vers_JJ(1, static_cast<float>(An_Epoque_Max + 1), 1);
    return jj >= min && jj < max;
}

std::optional<Date_Perihelie> Date_Arrondie(double jj, int decimales) {
    if (!(jj >= JJ_Min() && jj <= JJ_Max()) || decimales < 0 || decimales > 9) return std::nullopt;
    const double unite = std::pow(10.0, decimales);
    // In units of the last decimal, from the midnight before Julian day 0;
    // the days are floored, before Julian day 0 too.
    const long long u = std::llround((jj + 0.5) * unite);
    const auto par_jour = static_cast<long long>(unite);
    const long long jours = u / par_jour - (u % par_jour < 0 ? 1 : 0);
    Elements el;
    el.JJ_Perihelie = static_cast<double>(jours) - 0.5;
    if (!JJ_Vers_Date_Perihelie(el)) return std::nullopt;
    const double fraction = static_cast<double>(u - jours * static_cast<long long>(unite)) / unite;
    return Date_Perihelie{std::floor(el.Jour_Perihelie + 0.5) + fraction, el.Mois_Perihelie, el.An_Perihelie};
}

namespace {

// A digit 1-9, or a letter from A for 10 on: months and days of packed dates.
int Valeur_Compacte(char c) {
    if (c >= '1' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 0;
}

bool Chiffre(char c) { return c >= '0' && c <= '9'; }

}  // namespace

namespace {

constexpr int Premier_Siecle = 10;  // "A" is the 10th century

// Whether the packed date's century letter and year digits stand where they should.
bool Forme_Compacte(std::string_view date) {
    return date.size() == 5 && date[0] >= 'A' && date[0] <= 'Z' && Chiffre(date[1]) && Chiffre(date[2]);
}

int32_t An_Compacte(std::string_view date) {
    return (date[0] - 'A' + Premier_Siecle) * 100 + (date[1] - '0') * 10 + (date[2] - '0');
}

}  // namespace

std::optional<double> JJ_Date_Compacte(std::string_view date) {
    if (!Forme_Compacte(date)) return std::nullopt;
    return JJ_Calendrier(Valeur_Compacte(date[3]), An_Compacte(date), Valeur_Compacte(date[4]));
}

// Every month has 28 days: the year is asked only for February's end.
bool Date_Compacte_Tenue(std::string_view date) {
    constexpr int Jours_Tout_Mois = 28;
    if (!Forme_Compacte(date)) return false;
    const int mois = Valeur_Compacte(date[3]);
    const int jour = Valeur_Compacte(date[4]);
    if (mois < 1 || mois > 12 || jour < 1) return false;
    if (jour <= Jours_Tout_Mois) return true;
    // Only February's length depends on the year.
    if (mois != 2) return jour <= Longueur_Mois(mois, false);
    return Date_Tenue(mois, An_Compacte(date), jour);
}

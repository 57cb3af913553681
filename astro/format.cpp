#include "astro/format.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

namespace {

// Every number is first reduced to this many significant decimal digits, so that a
// value such as 1.005 (binary 1.00499999...) rounds as its decimal text suggests.
constexpr int Chiffres_Significatifs = 15;
// Beyond this magnitude a pattern would write a wall of digits: the general format takes over.
constexpr double Limite_Motif = 1e18;
// General format: decimal exponents from this one up to the next are written in fixed notation.
constexpr int Exposant_Fixe_Min = -5;
constexpr int Exposant_Fixe_Max = Chiffres_Significatifs - 1;
// The largest double, 1.7976931348623157e308, cut to 15 digits: rounded, its
// digits would be 179769313486232, a number no double holds.
constexpr std::string_view Chiffres_Double_Max = "179769313486231";
constexpr long long Exposant_Double_Max = 308;

// A magnitude as decimal digits: chiffres[k] has the weight 10^(exposant - k).
struct Decimal {
    std::string chiffres;
    long long exposant = 0;
};

// The value's magnitude rounded to 15 significant digits. std::to_chars is exact and
// ignores the locale, unlike printf.
Decimal Decomposer(double valeur) {
    char texte[64];
    const auto [fin, erreur] = std::to_chars(texte, texte + sizeof texte, std::fabs(valeur),
                                             std::chars_format::scientific, Chiffres_Significatifs - 1);
    Decimal d;
    if (erreur != std::errc()) return d;
    const char* p = texte;
    for (; p != fin && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') d.chiffres += *p;
    int exposant = 0;
    if (p != fin) {
        ++p;
        if (p != fin && *p == '+') ++p;
        std::from_chars(p, fin, exposant);
    }
    d.exposant = exposant;
    return d;
}

bool Est_Nul(const Decimal& d) { return d.chiffres.find_first_not_of('0') == std::string::npos; }

char Chiffre(const Decimal& d, long long puissance) {
    const long long k = d.exposant - puissance;
    if (k < 0 || k >= static_cast<long long>(d.chiffres.size())) return '0';
    return d.chiffres[static_cast<std::size_t>(k)];
}

// Keeps the digits down to 10^-decimales, rounding half away from zero on the digit that follows.
void Arrondir(Decimal& d, long long decimales) {
    const long long gardes = d.exposant + decimales + 1;
    if (gardes >= static_cast<long long>(d.chiffres.size())) return;
    if (gardes < 0) {
        d.chiffres.clear();
        return;
    }
    const bool vers_le_haut = d.chiffres[static_cast<std::size_t>(gardes)] >= '5';
    d.chiffres.resize(static_cast<std::size_t>(gardes));
    if (!vers_le_haut) return;
    std::size_t k = d.chiffres.size();
    for (; k > 0 && d.chiffres[k - 1] == '9'; --k) d.chiffres[k - 1] = '0';
    if (k > 0) {
        ++d.chiffres[k - 1];
    } else {
        d.chiffres.insert(d.chiffres.begin(), '1');
        ++d.exposant;
    }
}

// Digits of the whole part, without leading zeros ("" for a value below 1), padded to min_chiffres.
std::string Chiffres_Entiers(const Decimal& d, std::size_t min_chiffres) {
    std::string texte;
    if (!Est_Nul(d))
        for (long long p = d.exposant; p >= 0; --p) texte += Chiffre(d, p);
    if (texte.size() < min_chiffres) texte.insert(0, min_chiffres - texte.size(), '0');
    return texte;
}

// Digits after the point: at least min_chiffres, beyond that only up to the last non-zero one.
std::string Chiffres_Decimaux(const Decimal& d, std::size_t min_chiffres, std::size_t max_chiffres) {
    std::string texte;
    std::size_t significatifs = min_chiffres;
    for (std::size_t j = 1; j <= max_chiffres; ++j) {
        texte += Chiffre(d, -static_cast<long long>(j));
        if (texte.back() != '0' && j > significatifs) significatifs = j;
    }
    texte.resize(significatifs);
    return texte;
}

std::string Texte_Non_Fini(double valeur) {
    if (std::isnan(valeur)) return "NAN";
    return valeur < 0 ? "-INF" : "INF";
}

// ---- Patterns ----

bool Est_Place(char c) { return c == '0' || c == '#'; }

// What a pattern asks for, read once before the value is laid out on it.
struct Motif {
    std::string_view entier;     // before the point, or the whole pattern without one
    std::string_view decimales;  // after the point
    std::size_t places_entieres = 0;
    std::size_t min_entiers = 0;  // placeholders from the first "0" of the whole part on
    std::size_t min_decimales = 0;
    std::size_t max_decimales = 0;
    bool groupement = false;
};

Motif Analyser_Motif(std::string_view texte) {
    Motif m;
    const std::size_t point = texte.find('.');
    m.entier = texte.substr(0, point);
    if (point != std::string_view::npos) m.decimales = texte.substr(point + 1);
    m.groupement = texte.find(',') != std::string_view::npos;
    bool zero_vu = false;
    for (char c : m.entier) {
        zero_vu = zero_vu || c == '0';
        if (Est_Place(c)) ++m.places_entieres;
        if (Est_Place(c) && zero_vu) ++m.min_entiers;
    }
    for (char c : m.decimales) {
        if (Est_Place(c)) ++m.max_decimales;
        if (c == '0') m.min_decimales = m.max_decimales;
    }
    return m;
}

// Writes whole-part digits [de, a) of `chiffres`, with a thousands separator after each digit
// that leaves a multiple of three behind it.
void Ecrire_Entiers(std::string& sortie, const std::string& chiffres, long long de, long long a,
                    std::string_view milliers) {
    const long long n = static_cast<long long>(chiffres.size());
    for (long long k = de < 0 ? 0 : de; k < a && k < n; ++k) {
        sortie += chiffres[static_cast<std::size_t>(k)];
        const long long restants = n - 1 - k;
        if (restants > 0 && restants % 3 == 0) sortie += milliers;
    }
}

// The first placeholder takes every digit the pattern has no room for; surplus placeholders on the
// left write nothing. Literal text stays unless it sits among placeholders that wrote nothing.
void Poser_Entiers(std::string& sortie, const Motif& m, const std::string& chiffres,
                   std::string_view milliers) {
    const long long decalage =
        static_cast<long long>(chiffres.size()) - static_cast<long long>(m.places_entieres);
    long long i = 0;
    for (char c : m.entier) {
        if (Est_Place(c)) {
            Ecrire_Entiers(sortie, chiffres, i == 0 ? 0 : i + decalage, i + decalage + 1, milliers);
            ++i;
        } else if (c != ',' && (i == 0 || i + decalage > 0)) {
            sortie += c;
        }
    }
    if (m.places_entieres == 0)
        Ecrire_Entiers(sortie, chiffres, 0, static_cast<long long>(chiffres.size()), milliers);
}

// Literal text among the decimals is kept only where a later placeholder writes a digit, or after
// the last placeholder: "#0.### ###" writes 2,5 and not "2,5 " for 2.5.
void Poser_Decimales(std::string& sortie, const Motif& m, const std::string& chiffres, char separateur) {
    if (!chiffres.empty()) sortie += separateur;
    std::size_t j = 0;
    for (char c : m.decimales) {
        if (Est_Place(c)) {
            if (j < chiffres.size()) sortie += chiffres[j];
            ++j;
        } else if (c != ',' && (j < chiffres.size() || j >= m.max_decimales)) {
            sortie += c;
        }
    }
}

// ---- General format ----

std::string Exposant_General(const Decimal& d, char separateur) {
    std::string texte(1, d.chiffres[0]);
    if (d.chiffres.size() > 1) texte += separateur + d.chiffres.substr(1);
    return texte + 'E' + std::to_string(d.exposant);
}

std::string Fixe_General(const Decimal& d, char separateur) {
    std::string texte = Chiffres_Entiers(d, 1);
    const long long places = static_cast<long long>(d.chiffres.size()) - 1 - d.exposant;
    const std::string decimales = Chiffres_Decimaux(d, 0, places > 0 ? static_cast<std::size_t>(places) : 0);
    if (!decimales.empty()) texte += separateur + decimales;
    return texte;
}

}  // namespace

std::string Formater_Motif(double valeur, std::string_view motif, char separateur_decimal,
                           std::string_view separateur_milliers) {
    if (!std::isfinite(valeur)) return Texte_Non_Fini(valeur);
    if (std::fabs(valeur) >= Limite_Motif || motif.empty()) return Format_General(valeur, separateur_decimal);
    const Motif m = Analyser_Motif(motif);
    Decimal d = Decomposer(valeur);
    Arrondir(d, static_cast<long long>(m.max_decimales));
    std::string sortie = valeur < 0 && !Est_Nul(d) ? "-" : "";
    Poser_Entiers(sortie, m, Chiffres_Entiers(d, m.min_entiers),
                  m.groupement ? separateur_milliers : std::string_view{});
    Poser_Decimales(sortie, m, Chiffres_Decimaux(d, m.min_decimales, m.max_decimales), separateur_decimal);
    return sortie;
}

std::string Format_General(double valeur, char separateur_decimal) {
    if (!std::isfinite(valeur)) return Texte_Non_Fini(valeur);
    Decimal d = Decomposer(valeur);
    if (Est_Nul(d)) return "0";
    // Written so that it still reads back as a double.
    if (d.exposant == Exposant_Double_Max && d.chiffres > Chiffres_Double_Max)
        d.chiffres = Chiffres_Double_Max;
    d.chiffres.erase(d.chiffres.find_last_not_of('0') + 1);
    const bool fixe = d.exposant >= Exposant_Fixe_Min && d.exposant <= Exposant_Fixe_Max;
    const std::string texte =
        fixe ? Fixe_General(d, separateur_decimal) : Exposant_General(d, separateur_decimal);
    return valeur < 0 ? "-" + texte : texte;
}

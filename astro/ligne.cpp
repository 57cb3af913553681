#include "astro/ligne.h"

#include <cmath>
#include <limits>

#include "astro/angles.h"
#include "astro/constantes.h"
#include "astro/format.h"

namespace {

// A change over one hour, in radians, as minutes of time per day (12/π hours
// per radian, 60 minutes, 24 hours) and as minutes of arc per day.
constexpr double Derive_a_Par_Radian_Heure = 17280 / Pi_Radians;
constexpr double Derive_d_Par_Radian_Heure = 259200 / Pi_Radians;
constexpr int Soixante = 60;  // minutes per hour or degree, seconds per minute

struct Sexagesimal {
    double unites = 0;  // whole hours or degrees
    int minutes = 0;
    int secondes = 0;
};

// x, finite and not negative, into whole units, minutes and seconds rounded
// half up, 60 seconds carried into the minutes and 60 minutes into the units.
Sexagesimal Decomposer(double x) {
    Sexagesimal r;
    r.unites = std::trunc(x);
    const double minutes = (x - r.unites) * Soixante;
    r.minutes = static_cast<int>(minutes);
    r.secondes = static_cast<int>((minutes - r.minutes) * Soixante + 0.5);
    if (r.secondes >= Soixante) {
        r.secondes -= Soixante;
        ++r.minutes;
    }
    if (r.minutes >= Soixante) {
        r.minutes -= Soixante;
        ++r.unites;
    }
    return r;
}

std::string Deux_Chiffres(const std::string& texte, double valeur) {
    return valeur < 10 ? "0" + texte : texte;
}

struct Textes_Sexagesimaux {
    std::string unites = Texte_Indefini;
    std::string minutes = Texte_Indefini;
    std::string secondes = Texte_Indefini;
};

// The three parts of x, two digits at least, the units in the general format;
// a whole number of units reaching `tour` starts again from 0.
Textes_Sexagesimaux Ecrire_Sexagesimal(double x, double tour, char separateur) {
    Textes_Sexagesimaux t;
    if (!std::isfinite(x)) return t;
    Sexagesimal d = Decomposer(x);
    if (d.unites >= tour) d.unites -= tour;
    t.unites = Deux_Chiffres(Format_General(d.unites, separateur), d.unites);
    t.minutes = Deux_Chiffres(std::to_string(d.minutes), d.minutes);
    t.secondes = Deux_Chiffres(std::to_string(d.secondes), d.secondes);
    return t;
}

constexpr double Indefinie = std::numeric_limits<double>::quiet_NaN();

std::string Texte_Nombre(double valeur, const char* motif, char separateur) {
    return std::isfinite(valeur) ? Formater_Motif(valeur, motif, separateur) : Texte_Indefini;
}

// Beyond the range of a float the drift is undefined rather than undefined behaviour.
float Vers_Float(double x) {
    return std::fabs(x) <= std::numeric_limits<float>::max() ? static_cast<float>(x)
                                                             : std::numeric_limits<float>::quiet_NaN();
}

bool Instrument_Choisi(int32_t instrument) { return instrument >= 1 && instrument <= Nombre_Instruments; }

void Ecrire_Reglages(const Tables_Instruments& tables, int32_t instrument, char separateur,
                     Ligne_Calculee& ligne) {
    if (!Instrument_Choisi(instrument)) return;
    if (std::isfinite(ligne.Derive_a) && std::isfinite(ligne.Derive_d)) {
        Calculer_Reglages(tables, instrument, ligne.Derive_a, ligne.Derive_d, separateur, ligne.reglages);
    } else {
        ligne.reglages = Reglages{};
        ligne.reglages.Texte_Reglage_a = Texte_Indefini;
        ligne.reglages.Texte_Reglage_d = Texte_Indefini;
    }
    ligne.textes.Texte_Reglage_a = ligne.reglages.Texte_Reglage_a;
    ligne.textes.Texte_Reglage_d = ligne.reglages.Texte_Reglage_d;
}

// A row with one position undefined is undefined throughout.
void Verifier(Trois_Positions& p, double& Distance_Terre) {
    bool finies = std::isfinite(Distance_Terre);
    for (int k = 0; k < 3; ++k) finies = finies && std::isfinite(p.alpha[k]) && std::isfinite(p.delta[k]);
    if (finies) return;
    p = {{Indefinie, Indefinie, Indefinie}, {Indefinie, Indefinie, Indefinie}};
    Distance_Terre = Indefinie;
}

}  // namespace

void Ecrire_Alpha(double Alpha, char separateur_decimal, Textes_Ligne& t) {
    const Textes_Sexagesimaux x =
        Ecrire_Sexagesimal(Alpha * Heures_Par_Radian, Heures_Par_Jour, separateur_decimal);
    t.Texte_Alpha_h = x.unites + "h";
    t.Texte_Alpha_m = x.minutes + "m";
    t.Texte_Alpha_s = x.secondes + "s";
}

void Ecrire_Delta(double Delta, char separateur_decimal, Textes_Ligne& t) {
    const double G = Delta * Degres_Par_Radian;
    // Trunc(G) is taken towards zero: the parts of |G| are those of G.
    const Textes_Sexagesimaux x = Ecrire_Sexagesimal(std::fabs(G), Tour, separateur_decimal);
    const bool sud = G < 0 && std::isfinite(G);
    t.Texte_Delta_d = (sud ? "-" : " ") + x.unites + "°";
    t.Texte_Delta_m = x.minutes + "'";
    t.Texte_Delta_s = x.secondes + "\"";
}

void Calculer_Derives(double alpha_avant, double delta_avant, double alpha_apres, double delta_apres,
                      char separateur_decimal, Ligne_Calculee& ligne) {
    // Undo a crossing of 0 h between the two positions.
    if (alpha_avant - alpha_apres > Pi_Radians) alpha_apres += Deux_Pi;
    if (alpha_avant - alpha_apres < -Pi_Radians) alpha_avant += Deux_Pi;
    ligne.Derive_a = Vers_Float((alpha_apres - alpha_avant) * Derive_a_Par_Radian_Heure);
    ligne.Derive_d = Vers_Float((delta_apres - delta_avant) * Derive_d_Par_Radian_Heure);
    // Round is half to even, before the pattern's own rounding.
    const double a = std::nearbyint(static_cast<double>(ligne.Derive_a) * 100) / 100;
    const double d = std::nearbyint(static_cast<double>(ligne.Derive_d) * 10) / 10;
    ligne.textes.Texte_Derive_a = Texte_Nombre(a, "#0.00", separateur_decimal) + " mn/j";
    ligne.textes.Texte_Derive_d = Texte_Nombre(d, "#0.0", separateur_decimal) + " '/j";
}

void Calculer_Ligne(Elements& el, const Tables_Instruments& tables, char separateur_decimal, Position& pos,
                    Ligne_Calculee& ligne) {
    Trois_Positions p;
    for (int k = 0; k < 3; ++k) {
        Calculer_Position(el, k - 1, pos);
        p.alpha[k] = pos.Alpha;
        p.delta[k] = pos.Delta;
    }
    Ecrire_Ligne(p, pos.Distance_Terre, el.Instrument, tables, separateur_decimal, ligne);
}

void Ecrire_Ligne(Trois_Positions p, double Distance_Terre, int32_t instrument,
                  const Tables_Instruments& tables, char separateur_decimal, Ligne_Calculee& ligne) {
    Verifier(p, Distance_Terre);
    ligne.Alpha = p.alpha[1];
    ligne.Delta = p.delta[1];
    ligne.Distance_Terre = Distance_Terre;
    Ecrire_Alpha(p.alpha[1], separateur_decimal, ligne.textes);
    Ecrire_Delta(p.delta[1], separateur_decimal, ligne.textes);
    ligne.textes.Texte_Distance = Texte_Nombre(Distance_Terre, "#0.000", separateur_decimal) + " UA";
    Calculer_Derives(p.alpha[0], p.delta[0], p.alpha[2], p.delta[2], separateur_decimal, ligne);
    Ecrire_Reglages(tables, instrument, separateur_decimal, ligne);
}

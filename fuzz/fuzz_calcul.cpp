// Arbitrary elements and instants, every bit pattern included (NaN,
// infinities, subnormals), through the position and the row with each
// telescope. A row either shows a figure that can be true or shows "--".
// Then orbits given by q and e (e from 0.99 to 100, some within 1e-12 of
// the parabola) up to 10^7 days from perihelion: a point of the conic, never
// NaN.

#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "astro/conique.h"
#include "astro/ligne.h"
#include "astro/position.h"
#include "invariant.h"

namespace {

double Reel(FuzzedDataProvider& f) {
    const uint64_t bits = f.ConsumeIntegral<uint64_t>();
    double x = 0;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

float Reel_Simple(FuzzedDataProvider& f) {
    const uint32_t bits = f.ConsumeIntegral<uint32_t>();
    float x = 0;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

Elements Lire_Elements(FuzzedDataProvider& f) {
    Elements el;
    for (double* x : {&el.a, &el.n, &el.e, &el.q, &el.i, &el.Omega, &el.Longitude_Perihelie, &el.gOmega,
                      &el.JJ_Perihelie, &el.JJ_Equinoxe, &el.JJ_Equinoxe_ephemeride}) {
        *x = Reel(f);
    }
    el.Jour = Reel_Simple(f);
    el.Mois = f.ConsumeIntegral<int32_t>();
    el.An = f.ConsumeIntegral<int32_t>();
    return el;
}

// "07", "59" and the like: two digits below `limite`, or "--".
void Verifier_Partie(const std::string& texte, int limite, const char* quoi) {
    if (texte.rfind("--", 0) == 0) return;
    Exiger(texte.size() >= 2 && std::isdigit(static_cast<unsigned char>(texte[0])) &&
               std::isdigit(static_cast<unsigned char>(texte[1])),
           quoi);
    Exiger((texte[0] - '0') * 10 + (texte[1] - '0') < limite, quoi);
}

constexpr int Heures = 24;
constexpr int Soixante = 60;
constexpr int Degres_Pole = 91;

void Verifier_Ligne(const Textes_Ligne& t) {
    Verifier_Partie(t.Texte_Alpha_h, Heures, "heures de l'ascension droite");
    Verifier_Partie(t.Texte_Alpha_m, Soixante, "minutes de l'ascension droite");
    Verifier_Partie(t.Texte_Alpha_s, Soixante, "secondes de l'ascension droite");
    Exiger(!t.Texte_Delta_d.empty(), "signe de la déclinaison");
    Verifier_Partie(t.Texte_Delta_d.substr(1), Degres_Pole, "degrés de la déclinaison");
    Verifier_Partie(t.Texte_Delta_m, Soixante, "minutes de la déclinaison");
    Verifier_Partie(t.Texte_Delta_s, Soixante, "secondes de la déclinaison");
}

void Verifier_Position(const Position& pos) {
    if (!std::isfinite(pos.Alpha) || !std::isfinite(pos.Delta)) return;
    Exiger(pos.Alpha >= 0 && pos.Alpha < 2 * Pi_Radians, "ascension droite dans [0, 2π)");
    Exiger(std::fabs(pos.Delta) <= Pi_Radians / 2, "déclinaison dans [-π/2, π/2]");
}

// Solved from finite values, the conic gives a point: no NaN, never nearer
// the Sun than q.
void Verifier_Conique(double q, double e, double t) {
    if (!(q > 0 && e >= Excentricite_Parabolique && std::isfinite(q) && std::isfinite(e) && std::isfinite(t)))
        return;
    const Point_Orbite p = Resoudre_Conique(q, e, t);
    Exiger(!std::isnan(p.v) && !std::isnan(p.r), "conique sans NaN");
    Exiger(std::fabs(p.v) <= 180, "anomalie vraie dans [-180, 180]");
    Exiger(p.r >= q, "distance au Soleil au moins q");
}

constexpr double Log_q_Minimum = -9.3;  // q from 1e-4 AU
constexpr double Log_q_Maximum = 7.0;   // to 1e3 AU
constexpr double Excentricite_Maximum = 100;
constexpr double Temps_Maximum = 1e7;  // days from perihelion
constexpr double Pres_De_La_Parabole = 1e-12;

// An orbit of the form's range, with its position computed at an instant.
void Verifier_Orbite_Conique(FuzzedDataProvider& f, const Elements& el) {
    const double q = std::exp(f.ConsumeFloatingPointInRange(Log_q_Minimum, Log_q_Maximum));
    double ecart = f.ConsumeFloatingPointInRange(Excentricite_Parabolique - 1, Excentricite_Maximum - 1);
    if (f.ConsumeBool()) ecart *= Pres_De_La_Parabole;
    const double t = f.ConsumeFloatingPointInRange(-Temps_Maximum, Temps_Maximum);
    Verifier_Conique(q, 1 + ecart, t);
    Elements copie = el;
    copie.q = q;
    copie.e = 1 + ecart;
    Position pos;
    Calculer_Position(copie, 0, pos);
    Verifier_Position(pos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider f(data, size);
    const Elements el = Lire_Elements(f);
    const char separateur = f.ConsumeBool() ? ',' : '.';
    Tables_Instruments tables;
    Remplir_Instruments(tables);
    for (int32_t decalage = -1; decalage <= 1; ++decalage) {
        Elements copie = el;
        Position pos;
        Calculer_Position(copie, decalage, pos);
        Verifier_Position(pos);
    }
    for (int32_t instrument = 0; instrument <= Nombre_Instruments + 1; ++instrument) {
        Elements copie = el;
        copie.Instrument = instrument;
        Position pos;
        Ligne_Calculee ligne;
        Calculer_Ligne(copie, tables, separateur, pos, ligne);
        Verifier_Ligne(ligne.textes);
    }
    Verifier_Conique(el.q, el.e, Reel(f));
    Verifier_Orbite_Conique(f, el);
    return 0;
}

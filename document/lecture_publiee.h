#pragma once

// What the readers of the published formats share: fields cut from a line,
// numbers read whole, the test that values make an orbit, and the laws the
// formats write. Only those readers include it.

#include <QString>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "document/import_elements.h"

namespace Publie {

using Vue = std::string_view;

inline bool Blanc(char c) { return c == ' ' || c == '\t'; }
inline bool Chiffre(char c) { return c >= '0' && c <= '9'; }
inline bool Lettre(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool Commence_Par(Vue t, Vue debut) { return t.substr(0, debut.size()) == debut; }

// Blanks and a final CR off both ends.
inline Vue Rogner(Vue t) {
    while (!t.empty() && Blanc(t.front())) t.remove_prefix(1);
    while (!t.empty() && (Blanc(t.back()) || t.back() == '\r')) t.remove_suffix(1);
    return t;
}

// Whether a line holds "=" (Horizons pairs) and "," (XEphem fields).
struct Signes_Ligne {
    bool egal = false, virgule = false;
};
Signes_Ligne Chercher_Signes(Vue ligne);

// Columns of a fixed-column line, from 1, both included.
struct Zone {
    std::size_t premiere, derniere;
};
// A number of a fixed-column format: blanks, a sign, digits, the decimal
// point at its column and digits to the field's end.
struct Champ_Fixe {
    std::size_t premiere, point, derniere;
};

// The zone's text, cut at the line's end.
inline Vue Colonnes(Vue ligne, Zone z) {
    if (ligne.size() < z.premiere) return {};
    return ligne.substr(z.premiere - 1, z.derniere - z.premiere + 1);
}
// A field of numbers must be whole: a line cut inside it holds none.
inline Vue Champ(Vue ligne, Zone z) { return ligne.size() < z.derniere ? Vue() : Colonnes(ligne, z); }
std::optional<double> Nombre_Fixe(Vue ligne, const Champ_Fixe& c);

// A fixed field's digits as one integer and its decimals: the format's
// bounds are tested on it exactly, without a conversion.
struct Fixe {
    uint64_t mantisse = 0;
    std::size_t decimales = 0;
    bool negatif = false;
};
// The field as Nombre_Fixe reads it, when it is one of at most 15 digits.
std::optional<Fixe> Fixe_Champ(Vue ligne, const Champ_Fixe& c);
double Valeur(const Fixe& f);
// The sign of f − borne, borne being at most 1e6 and f of at most 12 decimals.
int Comparer(const Fixe& f, uint64_t borne);

// The columns a format leaves blank, where the line reaches them.
template <std::size_t N>
bool Blancs_En_Place(Vue l, const std::array<std::size_t, N>& colonnes) {
    return std::all_of(colonnes.begin(), colonnes.end(),
                       [l](std::size_t c) { return c > l.size() || l[c - 1] == ' '; });
}

// The whole text, blanks aside, as a finite number; a field left blank is no number.
std::optional<double> Nombre(Vue t);
std::optional<int32_t> Entier(Vue t);
std::vector<Vue> Decouper(Vue ligne, char separateur);

// The texts of the sources are UTF-8 or, in older files, Windows-1252.
QString Texte_Source(Vue t);

// No orbit, and why. Built member by member: braces would clear the whole
// room of an orbit, once for each line of a catalogue.
inline Orbite_Lue Sans_Orbite(Refus_Orbite refus, bool ecartee = false) {
    Orbite_Lue lue;
    lue.refus = refus;
    lue.ecartee = ecartee;
    return lue;
}

// Whether the values read make an orbit, and why not.
Orbite_Lue Examiner(const Orbite_Publiee& o);
// A sound orbit that `garder` keeps gets its name, and true: its laws are
// to be read. One it leaves out is marked so.
bool Garder(Orbite_Lue& lue, Vue nom, const Garde_Orbite& garder);

// The perihelion of an ellipse given by its mean anomaly M (degrees) at an
// epoch and its mean motion n (degrees per day).
std::optional<double> Perihelie_Depuis_Anomalie(std::optional<double> epoque, std::optional<double> M,
                                                std::optional<double> n);
// Perihelion of an ellipse of semi-major axis a; not positive when a is not.
std::optional<double> Distance_Perihelie(std::optional<double> a, std::optional<double> e);

// A comet's g + 5 log Δ + 2.5 k log r: the law of the total column.
std::optional<Loi_Magnitude> Loi_g_k(std::optional<double> g, std::optional<double> k);
// An asteroid's H,G: the law of the nucleus column, the whole body being one.
std::optional<Loi_Magnitude> Loi_H_G(std::optional<double> H, std::optional<double> G);
std::optional<Loi_Magnitude> Loi_Acceptee(const Loi_Magnitude& loi);

// An epoch, or the NaN of none.
inline double Epoque_Ou_Rien(std::optional<double> jj) { return jj.value_or(NAN); }

}  // namespace Publie

// Reconnaitre_Ligne, the line's signs already known.
Forme_Ligne Reconnaitre_Ligne(std::string_view ligne, const Publie::Signes_Ligne& signes);

// Whether a line has the shape of each format, before it is read.
bool Forme_Comete_MPC(std::string_view ligne);
bool Forme_MPCORB(std::string_view ligne);
bool Forme_XEphem(std::string_view ligne_rognee);
bool Repere_Horizons(std::string_view ligne);
bool Paires_Presentes_Horizons(std::string_view ligne);

// The minor planets' orbits of the MPC's catalogue (MPCORB), as the Minor
// Planet Center defines them in "Export Format for Minor-Planet Orbits"
// (https://minorplanetcenter.net/iau/info/MPOrbitFormat.html).

#include <array>
#include <cstdint>
#include <cstring>

#include "document/dates_publiees.h"
#include "document/import_elements.h"
#include "document/lecture_publiee.h"

using namespace Publie;

namespace {

// The columns of the format, from 1.
namespace MPCORB {
constexpr Zone Designation{1, 7};        // number or packed provisional designation
constexpr Zone H{9, 13};                 // absolute magnitude
constexpr Zone G{15, 19};                // slope parameter
constexpr Zone Epoque{21, 25};           // packed date, 0h TT
constexpr Champ_Fixe M{27, 30, 35};      // mean anomaly at the epoch, degrees
constexpr Champ_Fixe w{38, 41, 46};      // argument of perihelion, J2000.0
constexpr Champ_Fixe Noeud{49, 52, 57};  // longitude of the ascending node
constexpr Champ_Fixe i{60, 63, 68};      // inclination
constexpr Champ_Fixe e{71, 72, 79};
constexpr Champ_Fixe n{81, 83, 91};   // mean daily motion, degrees per day
constexpr Champ_Fixe a{93, 96, 103};  // semi-major axis, AU
constexpr Zone Nom{167, 194};         // readable designation
// The columns between the fields, blank in every line.
constexpr std::array<std::size_t, 17> Blancs = {8,  14, 20, 26, 36, 37,  47,  48, 58,
                                                59, 69, 70, 80, 92, 104, 105, 166};
}  // namespace MPCORB

// Below this mean motion (degrees per day), the perihelion could fall
// outside the calendar: 360° / 1e-6 is a million years from the epoch.
constexpr double n_Min_Rapide = 1e-6;

// The readable designation, or the packed one.
Vue Nom_MPCORB(Vue l) {
    const Vue nom = Rogner(Colonnes(l, MPCORB::Nom));
    return nom.empty() ? Rogner(Colonnes(l, MPCORB::Designation)) : nom;
}

// The reader's verdict on a line, found on the fields' digits alone: true
// for an orbit, false for a refusal (in `refus`), none when only the full
// reading can tell. The table test of it and the full reading keeps them one.
std::optional<bool> Verdict_Chiffres(Vue l, Refus_Orbite& refus) {
    refus = Refus_Orbite::Illisible;
    if (!Blancs_En_Place(l, MPCORB::Blancs)) return false;
    const auto e = Fixe_Champ(l, MPCORB::e), a = Fixe_Champ(l, MPCORB::a), M = Fixe_Champ(l, MPCORB::M);
    const auto n = Fixe_Champ(l, MPCORB::n), w = Fixe_Champ(l, MPCORB::w);
    const auto noeud = Fixe_Champ(l, MPCORB::Noeud), i = Fixe_Champ(l, MPCORB::i);
    if (!e || !a || !M || !n || !w || !noeud || !i) return std::nullopt;
    // q from a and e, the perihelion from M and n at the epoch.
    if (Comparer(*e, 0) < 0 || Comparer(*e, 1) >= 0 || Comparer(*n, 0) <= 0 || Comparer(*M, 0) < 0 ||
        Comparer(*M, 360) > 0 || !Date_Compacte_Tenue(Champ(l, MPCORB::Epoque)))
        return false;
    // The fields' widths keep e and q far within bounds; the perihelion too
    // unless n is tiny.
    if (Valeur(*n) < n_Min_Rapide) return std::nullopt;
    if (Comparer(*a, 0) <= 0) {
        refus = Refus_Orbite::Distance_Nulle;
        return false;
    }
    return Comparer(*i, 0) >= 0 && Comparer(*i, 180) <= 0 && Comparer(*w, 0) >= 0 && Comparer(*w, 360) <= 0 &&
           Comparer(*noeud, 0) >= 0 && Comparer(*noeud, 360) <= 0;
}

// ---- The skeleton of a line, eight columns at a time ----
//
// A whole catalogue is walked to count and rank its orbits, and a sound line
// is told by what each column holds: blanks between the fields, the decimal
// points, digits after them. Eight bytes are tested at once against masks
// whose bytes stand where the columns are, whatever the byte order.

constexpr std::size_t Colonnes_Squelette = 104;  // columns 1 to 104: every field up to a's end
constexpr std::size_t Mots_Squelette = Colonnes_Squelette / 8;
using Mots = std::array<uint64_t, Mots_Squelette>;

constexpr uint64_t Octets(uint8_t v) { return 0x0101010101010101ULL * v; }
constexpr uint64_t Hauts = Octets(0x80);
constexpr uint64_t Bas = Octets(0x7F);

// The high bit of each byte of x that is not v.
uint64_t Differents(uint64_t x, uint8_t v) {
    const uint64_t t = x ^ Octets(v);
    return (((t & Bas) + Bas) | t) & Hauts;
}

// The high bit of each byte of x that is no digit: x − '0' must be below 10.
uint64_t Non_Chiffres(uint64_t x) {
    const uint64_t t = x ^ Octets('0');
    return (((t & Bas) + Octets(0x80 - 10)) | t) & Hauts;
}

Mots Charger(const char* octets) {
    Mots m{};
    std::memcpy(m.data(), octets, Colonnes_Squelette);
    return m;
}

struct Masques_Squelette {
    Mots chiffres, blancs, points;
};

constexpr std::array<Champ_Fixe, 7> Champs_Orbite = {MPCORB::M, MPCORB::w, MPCORB::Noeud, MPCORB::i,
                                                     MPCORB::e, MPCORB::n, MPCORB::a};

Masques_Squelette Construire_Masques() {
    std::array<char, Colonnes_Squelette> chiffres{}, blancs{}, points{};
    const auto marquer = [](std::array<char, Colonnes_Squelette>& a, std::size_t colonne) {
        a[colonne - 1] = static_cast<char>(0x80);
    };
    for (const Champ_Fixe& c : Champs_Orbite) {
        marquer(points, c.point);
        for (std::size_t k = c.point + 1; k <= c.derniere; ++k) marquer(chiffres, k);
    }
    for (const std::size_t c : MPCORB::Blancs)
        if (c <= Colonnes_Squelette) marquer(blancs, c);
    return {Charger(chiffres.data()), Charger(blancs.data()), Charger(points.data())};
}

// Blanks, points and decimals where the format puts them, up to column 104.
bool Squelette_En_Place(Vue l) {
    static const Masques_Squelette masques = Construire_Masques();
    if (l.size() < Colonnes_Squelette) return false;
    const Mots m = Charger(l.data());
    uint64_t faux = 0;
    for (std::size_t k = 0; k < Mots_Squelette; ++k)
        faux |= (Non_Chiffres(m[k]) & masques.chiffres[k]) | (Differents(m[k], ' ') & masques.blancs[k]) |
                (Differents(m[k], '.') & masques.points[k]);
    return faux == 0 && Blancs_En_Place(l, std::array<std::size_t, 2>{105, 166});
}

// The whole part of a field whose decimals are digits: blanks, then digits
// up to the point. None for a sign, a tab or anything else.
std::optional<uint32_t> Partie_Entiere(Vue l, const Champ_Fixe& c) {
    std::size_t k = c.premiere - 1;
    while (k + 1 < c.point && l[k] == ' ') ++k;
    uint32_t n = 0;
    for (; k + 1 < c.point; ++k) {
        if (!Chiffre(l[k])) return std::nullopt;
        n = n * 10 + static_cast<uint32_t>(l[k] - '0');
    }
    return n;
}

// Whether the field's first `nombre` decimals are all 0.
bool Decimales_Nulles(Vue l, const Champ_Fixe& c, std::size_t nombre) {
    const Vue d = l.substr(c.point, nombre);
    return d.find_first_not_of('0') == Vue::npos;
}

// n below 1e-6 degrees a day: its first six decimals nought.
constexpr std::size_t Decimales_n_Lent = 6;

// The verdict of Verdict_Chiffres on a line whose skeleton stands, from the
// whole parts of the fields; a value at a bound is left to it.
std::optional<bool> Verdict_Rapide(Vue l, Refus_Orbite& refus) {
    refus = Refus_Orbite::Illisible;
    if (!Squelette_En_Place(l)) return Verdict_Chiffres(l, refus);
    std::array<uint32_t, Champs_Orbite.size()> entiers{};
    for (std::size_t k = 0; k < Champs_Orbite.size(); ++k) {
        const std::optional<uint32_t> n = Partie_Entiere(l, Champs_Orbite[k]);
        if (!n) return Verdict_Chiffres(l, refus);
        entiers[k] = *n;
    }
    const auto [M, w, noeud, i, e, n, a] = entiers;
    if (e >= 1 || M > 360 || !Date_Compacte_Tenue(Champ(l, MPCORB::Epoque))) return false;
    const bool lent = n == 0 && Decimales_Nulles(l, MPCORB::n, Decimales_n_Lent);
    if (lent || M == 360 || i == 180 || w == 360 || noeud == 360) return Verdict_Chiffres(l, refus);
    if (a == 0 && Decimales_Nulles(l, MPCORB::a, MPCORB::a.derniere - MPCORB::a.point)) {
        refus = Refus_Orbite::Distance_Nulle;
        return false;
    }
    return i < 180 && w < 360 && noeud < 360;
}

}  // namespace

// Blanks around the packed epoch, whose century letter and year digits stand
// where the format puts them, and a line that reaches the semi-major axis.
bool Forme_MPCORB(Vue l) {
    const std::size_t epoque = MPCORB::Epoque.premiere - 1;
    return l.size() >= MPCORB::a.derniere && l[epoque - 1] == ' ' && l[MPCORB::Epoque.derniere] == ' ' &&
           l[epoque] >= 'A' && l[epoque] <= 'Z' && Chiffre(l[epoque + 1]) && Chiffre(l[epoque + 2]);
}

std::optional<Tri_Ligne> Trier_MPCORB(Vue l, const Garde_Orbite& garder) {
    Refus_Orbite refus = Refus_Orbite::Illisible;
    const std::optional<bool> verdict = Verdict_Rapide(l, refus);
    if (verdict && !*verdict) return Tri_Ligne{refus, false};
    if (verdict && !garder(Nom_MPCORB(l))) return Tri_Ligne{refus, true};
    return std::nullopt;
}

Orbite_Lue Lire_MPCORB(Vue l, const Garde_Orbite& garder) {
    if (garder)
        if (const std::optional<Tri_Ligne> tri = Trier_MPCORB(l, garder))
            return Sans_Orbite(tri->refus, tri->ecartee);
    if (!Blancs_En_Place(l, MPCORB::Blancs)) return {};
    const std::optional<double> e = Nombre_Fixe(l, MPCORB::e);
    const std::optional<double> q = Distance_Perihelie(Nombre_Fixe(l, MPCORB::a), e);
    const std::optional<double> epoque = JJ_Date_Compacte(Champ(l, MPCORB::Epoque));
    const std::optional<double> jj =
        Perihelie_Depuis_Anomalie(epoque, Nombre_Fixe(l, MPCORB::M), Nombre_Fixe(l, MPCORB::n));
    const std::optional<double> w = Nombre_Fixe(l, MPCORB::w);
    const std::optional<double> noeud = Nombre_Fixe(l, MPCORB::Noeud);
    const std::optional<double> i = Nombre_Fixe(l, MPCORB::i);
    if (!jj || !q || !w || !noeud || !i) return {};
    Orbite_Lue lue = Examiner({{}, *e, *q, *i, *w, *noeud, *jj, 2000, *epoque});
    if (Garder(lue, Nom_MPCORB(l), garder))
        lue.orbite->Loi_Noyau = Loi_H_G(Nombre(Colonnes(l, MPCORB::H)), Nombre(Colonnes(l, MPCORB::G)));
    return lue;
}

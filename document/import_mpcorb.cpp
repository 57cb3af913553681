// The minor planets' orbits of the MPC's catalogue (MPCORB), as the Minor
// Planet Center defines them in "Export Format for Minor-Planet Orbits"
// (https://minorplanetcenter.net/iau/info/MPOrbitFormat.html).

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// ---- The skeleton of a line, sixteen columns at a time ----
//
// A whole catalogue is walked to count and rank its orbits, and a sound line
// is told by what each column holds: blanks between the fields, the decimal
// points, digits after them, and before them blanks then digits. Sixteen
// columns are compared at once and each kind of character becomes a row of
// bits, bit c − 1 for column c (machines without SSE2 take the exact verdict).

constexpr std::size_t Colonnes_Squelette = 112;  // seven times sixteen: every field, up to a's end
using Bits = std::array<uint64_t, 2>;            // columns 1 to 64, 65 to 128

constexpr std::array<Champ_Fixe, 7> Champs_Orbite = {MPCORB::M, MPCORB::w, MPCORB::Noeud, MPCORB::i,
                                                     MPCORB::e, MPCORB::n, MPCORB::a};

struct Masques_Squelette {
    Bits chiffres{}, blancs{}, points{}, entiers{};  // the whole parts: blanks then digits
};

constexpr void Marquer(Bits& b, std::size_t colonne) {
    b[(colonne - 1) / 64] |= uint64_t{1} << ((colonne - 1) % 64);
}

constexpr Masques_Squelette Construire_Masques() {
    Masques_Squelette m;
    for (const Champ_Fixe& c : Champs_Orbite) {
        Marquer(m.points, c.point);
        for (std::size_t k = c.point + 1; k <= c.derniere; ++k) Marquer(m.chiffres, k);
        for (std::size_t k = c.premiere; k < c.point; ++k) Marquer(m.entiers, k);
    }
    for (const std::size_t c : MPCORB::Blancs)
        if (c <= Colonnes_Squelette) Marquer(m.blancs, c);
    return m;
}
constexpr Masques_Squelette Masques = Construire_Masques();

// A whole part within one row of 64 columns, of at most three: a digit's
// next two columns, shifted onto it, stay in its row.
constexpr bool Entiers_Dans_Leur_Rangee() {
    for (const Champ_Fixe& c : Champs_Orbite)
        if ((c.premiere - 1) / 64 != (c.point - 1) / 64 || c.point - c.premiere > 3) return false;
    return true;
}
static_assert(Entiers_Dans_Leur_Rangee());

#if defined(__SSE2__)
// The digits, blanks and points of `vecteurs` times sixteen columns from
// `debut`, as rows of bits kept in registers.
struct Rangee {
    uint64_t chiffres = 0, blancs = 0, points = 0;
};

template <std::size_t vecteurs>
Rangee Lire_Rangee(const char* debut) {
    const __m128i zero = _mm_set1_epi8('0'), neuf = _mm_set1_epi8(9);
    const __m128i blanc = _mm_set1_epi8(' '), point = _mm_set1_epi8('.');
    const auto bits = [](__m128i oui, std::size_t k) {
        return static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(oui))) << (16 * k);
    };
    Rangee r;
    for (std::size_t k = 0; k < vecteurs; ++k) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(debut + 16 * k));
        const __m128i d = _mm_sub_epi8(x, zero);
        r.chiffres |= bits(_mm_cmpeq_epi8(_mm_min_epu8(d, neuf), d), k);
        r.blancs |= bits(_mm_cmpeq_epi8(x, blanc), k);
        r.points |= bits(_mm_cmpeq_epi8(x, point), k);
    }
    return r;
}

// The columns of row j that hold what they should not.
uint64_t Fautes(const Rangee& r, std::size_t j) {
    const uint64_t entiers = Masques.entiers[j];
    // A blank one or two columns after a digit of a whole part.
    const uint64_t chiffres_entiers = r.chiffres & entiers;
    const uint64_t blancs_apres = ((chiffres_entiers << 1) | (chiffres_entiers << 2)) & r.blancs & entiers;
    return (~r.chiffres & Masques.chiffres[j]) | (~r.blancs & Masques.blancs[j]) |
           (~r.points & Masques.points[j]) | (~(r.chiffres | r.blancs) & entiers) | blancs_apres;
}
#endif

// Blanks, points and decimals where the format puts them up to column 112
// and at 166, and whole parts of blanks then digits: every field a number
// without sign.
bool Squelette_En_Place(Vue l) {
#if defined(__SSE2__)
    static_assert(Colonnes_Squelette == 112);
    if (l.size() < Colonnes_Squelette) return false;
    return (Fautes(Lire_Rangee<4>(l.data()), 0) | Fautes(Lire_Rangee<3>(l.data() + 64), 1)) == 0 &&
           Blancs_En_Place(l, std::array<std::size_t, 1>{166});
#else
    static_cast<void>(l);
    return false;
#endif
}

// The whole part of a field whose skeleton stands: its blanks count as 0.
uint32_t Partie_Entiere(Vue l, const Champ_Fixe& c) {
    uint32_t n = 0;
    for (std::size_t k = c.premiere - 1; k + 1 < c.point; ++k)
        n = n * 10 + (static_cast<uint32_t>(static_cast<unsigned char>(l[k])) & 0x0F);
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
    const uint32_t M = Partie_Entiere(l, MPCORB::M), w = Partie_Entiere(l, MPCORB::w);
    const uint32_t noeud = Partie_Entiere(l, MPCORB::Noeud), i = Partie_Entiere(l, MPCORB::i);
    const uint32_t e = Partie_Entiere(l, MPCORB::e), n = Partie_Entiere(l, MPCORB::n);
    const uint32_t a = Partie_Entiere(l, MPCORB::a);
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

Tri_Ligne Trier_MPCORB(Vue l, const Garde_Orbite& garder) {
    Refus_Orbite refus = Refus_Orbite::Illisible;
    const std::optional<bool> verdict = Verdict_Rapide(l, refus);
    if (!verdict) return Tri_Ligne::A_Lire;
    if (!*verdict)
        return refus == Refus_Orbite::Distance_Nulle ? Tri_Ligne::Distance_Nulle : Tri_Ligne::Illisible;
    return garder(Nom_MPCORB(l)) ? Tri_Ligne::A_Lire : Tri_Ligne::Ecartee;
}

Orbite_Lue Lire_MPCORB(Vue l, const Garde_Orbite& garder) {
    switch (garder ? Trier_MPCORB(l, garder) : Tri_Ligne::A_Lire) {
        case Tri_Ligne::A_Lire:
            break;
        case Tri_Ligne::Ecartee:
            return Sans_Orbite(Refus_Orbite::Illisible, true);
        case Tri_Ligne::Illisible:
            return Sans_Orbite(Refus_Orbite::Illisible);
        case Tri_Ligne::Distance_Nulle:
            return Sans_Orbite(Refus_Orbite::Distance_Nulle);
    }
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

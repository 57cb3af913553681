// The minor planets' orbits of the MPC's catalogue (MPCORB), as the Minor
// Planet Center defines them in "Export Format for Minor-Planet Orbits"
// (https://minorplanetcenter.net/iau/info/MPOrbitFormat.html).

#include <array>

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
// reading can tell. A whole catalogue is walked this way, and only the
// orbits chosen are read; the table test of both keeps them one.
std::optional<bool> Verdict_Rapide(Vue l, Refus_Orbite& refus) {
    refus = Refus_Orbite::Illisible;
    if (!Blancs_En_Place(l, MPCORB::Blancs)) return false;
    const auto e = Fixe_Champ(l, MPCORB::e), a = Fixe_Champ(l, MPCORB::a), M = Fixe_Champ(l, MPCORB::M);
    const auto n = Fixe_Champ(l, MPCORB::n), w = Fixe_Champ(l, MPCORB::w);
    const auto noeud = Fixe_Champ(l, MPCORB::Noeud), i = Fixe_Champ(l, MPCORB::i);
    if (!e || !a || !M || !n || !w || !noeud || !i) return std::nullopt;
    // q from a and e, the perihelion from M and n at the epoch.
    if (Comparer(*e, 0) < 0 || Comparer(*e, 1) >= 0 || Comparer(*n, 0) <= 0 || Comparer(*M, 0) < 0 ||
        Comparer(*M, 360) > 0 || !JJ_Date_Compacte(Champ(l, MPCORB::Epoque)))
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

}  // namespace

// Blanks around the packed epoch, whose century letter and year digits stand
// where the format puts them, and a line that reaches the semi-major axis.
bool Forme_MPCORB(Vue l) {
    const std::size_t epoque = MPCORB::Epoque.premiere - 1;
    return l.size() >= MPCORB::a.derniere && l[epoque - 1] == ' ' && l[MPCORB::Epoque.derniere] == ' ' &&
           l[epoque] >= 'A' && l[epoque] <= 'Z' && Chiffre(l[epoque + 1]) && Chiffre(l[epoque + 2]);
}

Orbite_Lue Lire_MPCORB(Vue l, const Garde_Orbite& garder) {
    if (garder) {
        Refus_Orbite refus = Refus_Orbite::Illisible;
        const std::optional<bool> verdict = Verdict_Rapide(l, refus);
        if (verdict && !*verdict) return {std::nullopt, refus};
        if (verdict && !garder(Nom_MPCORB(l))) return {std::nullopt, refus, true};
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

// XEphem's database lines, comma-separated, as the XEphem Reference Manual
// defines them in "Database file format"
// (https://www.clearskyinstitute.com/xephem/help/xephem.html#mozTocId468501).

#include <cmath>

#include "document/dates_publiees.h"
#include "document/import_elements.h"
#include "document/lecture_publiee.h"

using namespace Publie;

namespace {

// The fields of each type of orbit, by rank from 0; the two magnitude
// fields follow the equinox.
namespace XEphem {
constexpr std::size_t Nom = 0;
constexpr std::size_t Type = 1;  // e, h or p
namespace Ellipse {
constexpr std::size_t i = 2, Noeud = 3, w = 4, a = 5, n = 6, e = 7, M = 8, Epoque = 9, Equinoxe = 10;
constexpr std::size_t Champs = 11;
}  // namespace Ellipse
namespace Hyperbole {
constexpr std::size_t Perihelie = 2, i = 3, Noeud = 4, w = 5, e = 6, q = 7, Equinoxe = 8;
constexpr std::size_t Champs = 9;
}  // namespace Hyperbole
// The parabola puts the argument of perihelion before q and the node.
namespace Parabole {
constexpr std::size_t Perihelie = 2, i = 3, w = 4, q = 5, Noeud = 6, Equinoxe = 7;
constexpr std::size_t Champs = 8;
}  // namespace Parabole
}  // namespace XEphem

// XEphem writes dates month/day.fraction/year, a validity range after "|".
std::optional<double> JJ_XEphem(Vue date) {
    date = date.substr(0, date.find('|'));
    const std::vector<Vue> parties = Decouper(date, '/');
    if (parties.size() != 3) return std::nullopt;
    return JJ_Calendrier(Entier(parties[0]), Entier(parties[2]), Nombre(parties[1]));
}

// The two magnitude fields from `premier`: g,k after a "g", H,G after an "H"
// or, where `nu_H_G`, bare.
void Lois_XEphem(const std::vector<Vue>& f, std::size_t premier, bool nu_H_G, Orbite_Publiee& o) {
    if (f.size() < premier + 2) return;
    Vue zero = Rogner(f[premier]);
    const char prefixe = zero.empty() ? ' ' : zero.front();
    if (prefixe == 'g' || prefixe == 'H') zero = zero.substr(1);
    // The slope may carry its own letter, "G0.12" or "k4.0".
    Vue pente = Rogner(f[premier + 1]);
    if (!pente.empty() && Lettre(pente.front())) pente = pente.substr(1);
    const std::optional<double> a = Nombre(zero);
    const std::optional<double> b = Nombre(pente);
    const bool H_G = prefixe == 'H' || (nu_H_G && prefixe != 'g');
    if (H_G)
        o.Loi_Noyau = Loi_H_G(a, b);
    else
        o.Loi_Totale = Loi_g_k(a, b);
}

// The values of one orbit, as its fields give them.
struct Valeurs {
    std::optional<double> e, q, i, w, noeud, jj, equinoxe, epoque;
};

Valeurs Lire_Ellipse(const std::vector<Vue>& f) {
    namespace E = XEphem::Ellipse;
    Valeurs v;
    const std::optional<double> a = Nombre(f[E::a]);
    std::optional<double> n = Nombre(f[E::n]);
    // XEphem leaves the mean motion to be computed from a.
    if ((!n || *n == 0) && Rogner(f[E::n]).find_first_not_of("0.") == Vue::npos && a && *a > 0)
        n = Moyen_Mouvement_Unite / std::pow(*a, 1.5);
    v.i = Nombre(f[E::i]), v.noeud = Nombre(f[E::Noeud]), v.w = Nombre(f[E::w]), v.e = Nombre(f[E::e]);
    v.q = Distance_Perihelie(a, v.e);
    v.epoque = JJ_XEphem(f[E::Epoque]);
    v.jj = Perihelie_Depuis_Anomalie(v.epoque, Nombre(f[E::M]), n);
    v.equinoxe = Nombre(f[E::Equinoxe]);
    return v;
}

Valeurs Lire_Hyperbole(const std::vector<Vue>& f) {
    namespace H = XEphem::Hyperbole;
    Valeurs v;
    v.jj = JJ_XEphem(f[H::Perihelie]), v.i = Nombre(f[H::i]), v.noeud = Nombre(f[H::Noeud]);
    v.w = Nombre(f[H::w]), v.e = Nombre(f[H::e]), v.q = Nombre(f[H::q]), v.equinoxe = Nombre(f[H::Equinoxe]);
    return v;
}

Valeurs Lire_Parabole(const std::vector<Vue>& f) {
    namespace P = XEphem::Parabole;
    Valeurs v;
    v.jj = JJ_XEphem(f[P::Perihelie]), v.i = Nombre(f[P::i]), v.w = Nombre(f[P::w]), v.q = Nombre(f[P::q]);
    v.noeud = Nombre(f[P::Noeud]), v.equinoxe = Nombre(f[P::Equinoxe]), v.e = 1.0;
    return v;
}

// How many fields a type of orbit has before its magnitudes; 0 for no type.
std::size_t Champs_Type(char type) {
    switch (type) {
        case 'e':
            return XEphem::Ellipse::Champs;
        case 'h':
            return XEphem::Hyperbole::Champs;
        case 'p':
            return XEphem::Parabole::Champs;
        default:
            return 0;
    }
}

}  // namespace

// A name, then a field whose first letter is the type of object (with, after
// "|", the rest of its description).
bool Forme_XEphem(Vue t) {
    const std::size_t virgule = t.find(',');
    if (virgule == Vue::npos || virgule == 0) return false;
    const Vue type = Rogner(t.substr(virgule + 1, t.find(',', virgule + 1) - virgule - 1));
    return !type.empty() && Lettre(type.front()) && (type.size() == 1 || type[1] == '|');
}

Orbite_Lue Lire_XEphem(Vue l, const Garde_Orbite& garder) {
    const std::vector<Vue> f = Decouper(Rogner(l), ',');
    if (f.size() <= XEphem::Type || Rogner(f[XEphem::Type]).empty()) return {};
    const char type = Rogner(f[XEphem::Type]).front();
    const std::size_t champs = Champs_Type(type);
    if (champs == 0 || f.size() < champs) return {};
    const Valeurs v = type == 'e' ? Lire_Ellipse(f) : type == 'h' ? Lire_Hyperbole(f) : Lire_Parabole(f);
    if (!v.e || !v.q || !v.i || !v.w || !v.noeud || !v.jj || !v.equinoxe) return {};
    Orbite_Lue lue =
        Examiner({{}, *v.e, *v.q, *v.i, *v.w, *v.noeud, *v.jj, *v.equinoxe, Epoque_Ou_Rien(v.epoque)});
    if (Garder(lue, Rogner(f[XEphem::Nom]), garder)) Lois_XEphem(f, champs, type == 'e', *lue.orbite);
    return lue;
}

// The MPC's one-line comet orbits, as the Minor Planet Center defines them in
// "Format for Cometary Orbits" (https://minorplanetcenter.net/iau/info/CometOrbitFormat.html).

#include <array>

#include "document/dates_publiees.h"
#include "document/import_elements.h"
#include "document/lecture_publiee.h"

using namespace Publie;

namespace {

// The columns of the format, from 1.
namespace Comete {
constexpr Zone Designation{1, 12};  // periodic number, orbit type, packed provisional designation
constexpr Zone An{15, 18};          // of perihelion
constexpr Zone Mois{20, 21};
constexpr Champ_Fixe Jour{23, 25, 29};  // with its fraction, TT
constexpr Champ_Fixe q{31, 33, 39};     // AU
constexpr Champ_Fixe e{42, 43, 49};
constexpr Champ_Fixe w{52, 55, 59};      // argument of perihelion, J2000.0, degrees
constexpr Champ_Fixe Noeud{62, 65, 69};  // longitude of the ascending node
constexpr Champ_Fixe i{72, 75, 79};      // inclination
constexpr Zone Epoque{82, 89};           // YYYYMMDD of a perturbed solution
constexpr Champ_Fixe g{92, 94, 95};      // absolute magnitude
constexpr Champ_Fixe k{97, 99, 100};     // slope parameter
constexpr Zone Nom{103, 158};            // designation and name
// The columns between the fields, blank in every line.
constexpr std::array<std::size_t, 20> Blancs = {13, 14, 19, 22, 30, 40, 41, 50, 51,  60,
                                                61, 70, 71, 80, 81, 90, 91, 96, 101, 102};
}  // namespace Comete

// The epoch, YYYYMMDD at 0h TT; none when the columns are blank.
std::optional<double> Epoque_Comete(Vue l) {
    const Vue date = Champ(l, Comete::Epoque);
    if (date.size() != 8 || !std::all_of(date.begin(), date.end(), Chiffre)) return std::nullopt;
    return JJ_Calendrier(Entier(date.substr(4, 2)), Entier(date.substr(0, 4)), Nombre(date.substr(6, 2)));
}

}  // namespace

// The blanks around the date of perihelion and its digits stand where the
// format puts them, and the line reaches the inclination.
bool Forme_Comete_MPC(Vue l) {
    return l.size() >= Comete::i.derniere && l[Comete::An.derniere] == ' ' &&
           l[Comete::Mois.derniere] == ' ' && Chiffre(l[Comete::An.derniere - 1]) &&
           Chiffre(l[Comete::Mois.derniere - 1]);
}

Orbite_Lue Lire_Comete_MPC(Vue l, const Garde_Orbite& garder) {
    if (!Blancs_En_Place(l, Comete::Blancs)) return {};
    const std::optional<double> jj = JJ_Calendrier(
        Entier(Champ(l, Comete::Mois)), Entier(Champ(l, Comete::An)), Nombre_Fixe(l, Comete::Jour));
    const std::optional<double> q = Nombre_Fixe(l, Comete::q);
    const std::optional<double> e = Nombre_Fixe(l, Comete::e);
    const std::optional<double> w = Nombre_Fixe(l, Comete::w);
    const std::optional<double> noeud = Nombre_Fixe(l, Comete::Noeud);
    const std::optional<double> i = Nombre_Fixe(l, Comete::i);
    if (!jj || !q || !e || !w || !noeud || !i) return {};
    Vue nom = Rogner(Colonnes(l, Comete::Nom));
    if (nom.empty()) nom = Rogner(Colonnes(l, Comete::Designation));
    Orbite_Lue lue = Examiner({{}, *e, *q, *i, *w, *noeud, *jj, 2000, Epoque_Ou_Rien(Epoque_Comete(l))});
    if (Garder(lue, nom, garder))
        lue.orbite->Loi_Totale = Loi_g_k(Nombre_Fixe(l, Comete::g), Nombre_Fixe(l, Comete::k));
    return lue;
}

#include "document/import_elements.h"

#include <QByteArray>
#include <QUtf8StringView>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

#include "astro/calendrier.h"
#include "document/cp1252.h"

namespace {

using Vue = std::string_view;

constexpr double Equinoxe_Max = 9999;  // a year
// No body follows a conic this open, nor this far: such values come from a
// damaged source, and would give a table of nothing.
constexpr double Excentricite_Max = 1000;
constexpr double Distance_Max = 1e6;  // UA
constexpr double Inclinaison_Max = 180;
constexpr double Angle_Max = 360;

// What the pieces of a text are cut into: no line is longer than this.
constexpr std::size_t Longueur_Max_Ligne = 4096;
constexpr int64_t Taille_Morceau = int64_t{1} << 20;  // bytes

constexpr std::size_t Champs_Ellipse_XEphem = 11;
constexpr std::size_t Champs_Hyperbole_XEphem = 9;
constexpr std::size_t Champs_Parabole_XEphem = 8;

const Vue Entete_Nom_Horizons = "Target body name:";
const Vue Entete_Horizons = "JPL/HORIZONS";
const Vue Debut_Table_Horizons = "$$SOE";
const Vue Fin_Table_Horizons = "$$EOE";
const Vue Marque_Ordre = "\xEF\xBB\xBF";  // UTF-8 byte-order mark

bool Blanc(char c) { return c == ' ' || c == '\t'; }
bool Chiffre(char c) { return c >= '0' && c <= '9'; }
bool Lettre(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

Vue Rogner(Vue t) {
    while (!t.empty() && Blanc(t.front())) t.remove_prefix(1);
    while (!t.empty() && (Blanc(t.back()) || t.back() == '\r')) t.remove_suffix(1);
    return t;
}

// Columns `premiere` to `derniere` (from 1, both included), cut at the line's end.
Vue Colonnes(Vue ligne, std::size_t premiere, std::size_t derniere) {
    if (ligne.size() < premiere) return {};
    return ligne.substr(premiere - 1, derniere - premiere + 1);
}

// A field of numbers must be whole: a line cut inside it holds none.
Vue Champ(Vue ligne, std::size_t premiere, std::size_t derniere) {
    return ligne.size() < derniere ? Vue() : Colonnes(ligne, premiere, derniere);
}

// The whole text, blanks aside, as a finite number; a field left blank is no number.
std::optional<double> Nombre(Vue t) {
    t = Rogner(t);
    if (t.empty()) return std::nullopt;
    double x = 0;
    const auto [fin, erreur] = std::from_chars(t.data(), t.data() + t.size(), x);
    if (erreur != std::errc() || fin != t.data() + t.size() || !std::isfinite(x)) return std::nullopt;
    return x;
}

std::optional<int32_t> Entier(Vue t) {
    t = Rogner(t);
    int32_t n = 0;
    const auto [fin, erreur] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (t.empty() || erreur != std::errc() || fin != t.data() + t.size()) return std::nullopt;
    return n;
}

// The texts of the sources are UTF-8 or, in older files, Windows-1252.
QString Texte_Source(Vue t) {
    if (QUtf8StringView(t.data(), static_cast<qsizetype>(t.size())).isValidUtf8())
        return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
    return Decoder_Cp1252(QByteArray(t.data(), static_cast<qsizetype>(t.size())));
}

// The calendar date (day with fraction) as a Julian day, when it is one.
std::optional<double> JJ_Calendrier(std::optional<int32_t> mois, std::optional<int32_t> an,
                                    std::optional<double> jour) {
    if (!mois || !an || !jour || *mois < 1 || *mois > 12) return std::nullopt;
    if (*an < An_Minimum || *an > An_Maximum) return std::nullopt;
    if (!(*jour >= 1 && *jour < Longueur_Mois(*mois, *an) + 1)) return std::nullopt;
    return Date_Vers_JJ(*mois, static_cast<float>(*an), *jour);
}

// The Julian days of the calendar's years.
double JJ_Min() { return Date_Vers_JJ(1, static_cast<float>(An_Minimum), 1); }
double JJ_Max() { return Date_Vers_JJ(12, static_cast<float>(An_Maximum), 31); }

// Whether the values read make an orbit, and why not. A perihelion anywhere
// in the calendar is one, even before AD 1.
Orbite_Lue Examiner(const Orbite_Publiee& o) {
    const auto angle = [](double x, double max) { return x >= 0 && x <= max; };
    const auto refus = [](Refus_Orbite r) { return Orbite_Lue{std::nullopt, r}; };
    for (const double x : {o.e, o.q, o.i, o.Omega, o.gOmega, o.JJ_Perihelie, o.Equinoxe})
        if (std::isnan(x)) return refus(Refus_Orbite::Illisible);
    if (!(std::abs(o.e) <= Excentricite_Max && std::abs(o.q) <= Distance_Max && o.JJ_Perihelie >= JJ_Min() &&
          o.JJ_Perihelie <= JJ_Max()))
        return refus(Refus_Orbite::Absurde);
    if (!(o.q > 0)) return refus(Refus_Orbite::Distance_Nulle);
    if (!(o.e >= 0 && angle(o.i, Inclinaison_Max) && angle(o.Omega, Angle_Max) &&
          angle(o.gOmega, Angle_Max) && o.Equinoxe > Date_Debut_Gregorien && o.Equinoxe <= Equinoxe_Max))
        return refus(Refus_Orbite::Illisible);
    return {o, Refus_Orbite::Illisible};
}

// A digit 1-9, or a letter from A for 10 on: months and days of packed dates.
int Valeur_Compacte(char c) {
    if (c >= '1' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 0;
}

// The perihelion of an ellipse given by its mean anomaly M at an epoch and
// its mean motion n (degrees per day): the one nearest the epoch, so that a
// distant body near its perihelion keeps a date the calendar holds.
std::optional<double> Perihelie_Depuis_Anomalie(std::optional<double> epoque, std::optional<double> M,
                                                std::optional<double> n) {
    if (!epoque || !M || !n || !(*n > 0) || !(*M >= 0 && *M <= Angle_Max)) return std::nullopt;
    return *M > Demi_Tour ? *epoque + (Angle_Max - *M) / *n : *epoque - *M / *n;
}

// Perihelion of an ellipse of semi-major axis a; not positive when a is not.
std::optional<double> Distance_Perihelie(std::optional<double> a, std::optional<double> e) {
    if (!a || !e || !(*e >= 0 && *e < 1)) return std::nullopt;
    return *a * (1 - *e);
}

// ---- Magnitude laws ----

// k of a g,k law is magnitudes per decade of r divided by 2.5.
constexpr double Pente_Par_k = 2.5;
// The slope the MPC assumes for an asteroid whose G is not given.
constexpr double G_Par_Defaut = 0.15;

std::optional<Loi_Magnitude> Loi_Acceptee(const Loi_Magnitude& loi) {
    if (!Loi_Valide(loi)) return std::nullopt;
    return loi;
}

// A comet's g + 5 log Δ + 2.5 k log r: the law of the total column.
std::optional<Loi_Magnitude> Loi_g_k(std::optional<double> g, std::optional<double> k) {
    if (!g || !k) return std::nullopt;
    return Loi_Acceptee(Loi_Comete(*g, Pente_Par_k * *k, 0, Origine_Loi::Importee));
}

// An asteroid's H,G: the law of the nucleus column, the whole body being one.
std::optional<Loi_Magnitude> Loi_H_G(std::optional<double> H, std::optional<double> G) {
    if (!H) return std::nullopt;
    return Loi_Acceptee(Loi_Asteroide(*H, G.value_or(G_Par_Defaut), Origine_Loi::Importee));
}

// An epoch, or the NaN of none.
double Epoque_Ou_Rien(std::optional<double> jj) { return jj.value_or(NAN); }

// ---- Fixed columns ----

// A number of a fixed-column format, its columns from 1: blanks, a sign,
// digits, the decimal point at its column and digits to the field's end.
struct Champ_Fixe {
    std::size_t premiere, point, derniere;
};

std::optional<double> Nombre_Fixe(Vue l, const Champ_Fixe& c) {
    const Vue champ = Champ(l, c.premiere, c.derniere);
    if (champ.empty() || l[c.point - 1] != '.') return std::nullopt;
    for (std::size_t k = c.point; k < c.derniere; ++k)
        if (!Chiffre(l[k])) return std::nullopt;
    return Nombre(champ);
}

// The columns a format leaves blank, where the line reaches them.
template <std::size_t N>
bool Blancs_En_Place(Vue l, const std::array<std::size_t, N>& colonnes) {
    return std::all_of(colonnes.begin(), colonnes.end(),
                       [l](std::size_t c) { return c > l.size() || l[c - 1] == ' '; });
}

constexpr std::array<std::size_t, 20> Blancs_Comete = {13, 14, 19, 22, 30, 40, 41, 50, 51,  60,
                                                       61, 70, 71, 80, 81, 90, 91, 96, 101, 102};
constexpr Champ_Fixe Jour_Comete{23, 25, 29};
constexpr Champ_Fixe q_Comete{31, 33, 39};
constexpr Champ_Fixe e_Comete{42, 43, 49};
constexpr Champ_Fixe w_Comete{52, 55, 59};
constexpr Champ_Fixe Noeud_Comete{62, 65, 69};
constexpr Champ_Fixe i_Comete{72, 75, 79};
constexpr Champ_Fixe g_Comete{92, 94, 95};
constexpr Champ_Fixe k_Comete{97, 99, 100};

constexpr std::array<std::size_t, 17> Blancs_MPCORB = {8,  14, 20, 26, 36, 37,  47,  48, 58,
                                                       59, 69, 70, 80, 92, 104, 105, 166};
constexpr Champ_Fixe M_MPCORB{27, 30, 35};
constexpr Champ_Fixe w_MPCORB{38, 41, 46};
constexpr Champ_Fixe Noeud_MPCORB{49, 52, 57};
constexpr Champ_Fixe i_MPCORB{60, 63, 68};
constexpr Champ_Fixe e_MPCORB{71, 72, 79};
constexpr Champ_Fixe n_MPCORB{81, 83, 91};
constexpr Champ_Fixe a_MPCORB{93, 96, 103};

std::vector<Vue> Decouper(Vue ligne, char separateur) {
    std::vector<Vue> champs;
    std::size_t debut = 0;
    for (;;) {
        const std::size_t fin = ligne.find(separateur, debut);
        champs.push_back(ligne.substr(debut, fin == Vue::npos ? Vue::npos : fin - debut));
        if (fin == Vue::npos) return champs;
        debut = fin + 1;
    }
}

// The epoch of a comet line, YYYYMMDD at 0h TT; none when the columns are blank.
std::optional<double> Epoque_Comete(Vue l) {
    const Vue date = Champ(l, 82, 89);
    if (date.size() != 8 || !std::all_of(date.begin(), date.end(), Chiffre)) return std::nullopt;
    return JJ_Calendrier(Entier(date.substr(4, 2)), Entier(date.substr(0, 4)), Nombre(date.substr(6, 2)));
}

// XEphem writes dates month/day.fraction/year, a validity range after "|".
std::optional<double> JJ_XEphem(Vue date) {
    date = date.substr(0, date.find('|'));
    const std::vector<Vue> parties = Decouper(date, '/');
    if (parties.size() != 3) return std::nullopt;
    return JJ_Calendrier(Entier(parties[0]), Entier(parties[2]), Nombre(parties[1]));
}

// ---- Horizons ----

// The six keys of an orbit, the epoch of the header's set, then the body's
// physical parameters: a comet's magnitude laws and non-gravitational
// parameters, an asteroid's H and G.
constexpr std::array<Vue, 17> Cles_Horizons = {"EC", "QR", "TP",    "OM", "W",  "IN", "EPOCH", "M1", "M2",
                                               "K1", "K2", "PHCOF", "A1", "A2", "A3", "H",     "G"};
constexpr int Cle_Epoque = 6;
constexpr int Premiere_Physique = 7;
enum class Physique { M1, M2, K1, K2, PHCOF, A1, A2, A3, H, G };
constexpr unsigned Toutes_Cles = (1u << Cle_Epoque) - 1;

struct Paire {
    int cle;  // rank in Cles_Horizons
    Vue valeur;
};

// The pairs KEY= value of a line whose key is one of the seven, in order.
std::vector<Paire> Paires_Horizons(Vue ligne) {
    std::vector<Paire> paires;
    for (std::size_t egal = ligne.find('='); egal != Vue::npos; egal = ligne.find('=', egal + 1)) {
        std::size_t fin = egal;
        while (fin > 0 && Blanc(ligne[fin - 1])) --fin;
        std::size_t debut = fin;
        while (debut > 0 && (Lettre(ligne[debut - 1]) || Chiffre(ligne[debut - 1]))) --debut;
        if (debut == fin || !Lettre(ligne[debut]) || (debut > 0 && !Blanc(ligne[debut - 1]))) continue;
        std::string cle(ligne.substr(debut, fin - debut));
        std::transform(cle.begin(), cle.end(), cle.begin(), [](char c) { return Lettre(c) ? c & ~0x20 : c; });
        const auto trouvee = std::find(Cles_Horizons.begin(), Cles_Horizons.end(), cle);
        if (trouvee == Cles_Horizons.end()) continue;
        std::size_t v = egal + 1;
        while (v < ligne.size() && Blanc(ligne[v])) ++v;
        std::size_t w = v;
        while (w < ligne.size() && !Blanc(ligne[w])) ++w;
        paires.push_back({static_cast<int>(trouvee - Cles_Horizons.begin()), ligne.substr(v, w - v)});
    }
    return paires;
}

bool Commence_Par(Vue t, Vue debut) { return t.substr(0, debut.size()) == debut; }

// The name of a header line, after `entete`; it ends at the source, or at a
// run of blanks before the date of "JPL/HORIZONS   1P/Halley   2024-Jan-01".
std::optional<Vue> Nom_Entete(Vue ligne, Vue entete) {
    const Vue t = Rogner(ligne);
    if (!Commence_Par(t, entete)) return std::nullopt;
    Vue nom = Rogner(t.substr(entete.size()));
    nom = nom.substr(0, std::min(nom.find('{'), nom.find("  ")));
    return Rogner(nom);
}

std::optional<Vue> Nom_Horizons(Vue ligne) { return Nom_Entete(ligne, Entete_Nom_Horizons); }

// "2459000.500000000 = A.D. 2020-May-31 00:00:00.0000 TDB": the epoch of the
// table's next set.
std::optional<double> Epoque_Table(Vue ligne) {
    const Vue t = Rogner(ligne);
    const std::size_t egal = t.find('=');
    if (egal == Vue::npos) return std::nullopt;
    const Vue ere = Rogner(t.substr(egal + 1)).substr(0, 4);
    if (ere != "A.D." && ere != "B.C.") return std::nullopt;
    return Nombre(t.substr(0, egal));
}

// The lines that mark a listing's parts.
bool Repere_Horizons(Vue ligne) {
    const Vue t = Rogner(ligne);
    return Commence_Par(t, Entete_Horizons) || Commence_Par(t, Entete_Nom_Horizons) ||
           t == Debut_Table_Horizons || t == Fin_Table_Horizons || Epoque_Table(t);
}

}  // namespace

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

std::optional<double> JJ_Date_Compacte(Vue date) {
    if (date.size() != 5 || date[0] < 'A' || date[0] > 'Z' || !Chiffre(date[1]) || !Chiffre(date[2]))
        return std::nullopt;
    constexpr int Premier_Siecle = 10;  // "A" is the 10th century
    const int32_t an = (date[0] - 'A' + Premier_Siecle) * 100 + (date[1] - '0') * 10 + (date[2] - '0');
    return JJ_Calendrier(Valeur_Compacte(date[3]), an, Valeur_Compacte(date[4]));
}

Orbite_Lue Lire_Comete_MPC(Vue l) {
    if (!Blancs_En_Place(l, Blancs_Comete)) return {};
    const std::optional<double> jj =
        JJ_Calendrier(Entier(Champ(l, 20, 21)), Entier(Champ(l, 15, 18)), Nombre_Fixe(l, Jour_Comete));
    const std::optional<double> q = Nombre_Fixe(l, q_Comete);
    const std::optional<double> e = Nombre_Fixe(l, e_Comete);
    const std::optional<double> w = Nombre_Fixe(l, w_Comete);
    const std::optional<double> noeud = Nombre_Fixe(l, Noeud_Comete);
    const std::optional<double> i = Nombre_Fixe(l, i_Comete);
    if (!jj || !q || !e || !w || !noeud || !i) return {};
    Vue nom = Rogner(Colonnes(l, 103, 158));
    if (nom.empty()) nom = Rogner(Colonnes(l, 1, 12));
    Orbite_Lue lue =
        Examiner({Texte_Source(nom), *e, *q, *i, *w, *noeud, *jj, 2000, Epoque_Ou_Rien(Epoque_Comete(l))});
    if (lue.orbite) lue.orbite->Loi_Totale = Loi_g_k(Nombre_Fixe(l, g_Comete), Nombre_Fixe(l, k_Comete));
    return lue;
}

Orbite_Lue Lire_MPCORB(Vue l) {
    if (!Blancs_En_Place(l, Blancs_MPCORB)) return {};
    const std::optional<double> e = Nombre_Fixe(l, e_MPCORB);
    const std::optional<double> q = Distance_Perihelie(Nombre_Fixe(l, a_MPCORB), e);
    const std::optional<double> epoque = JJ_Date_Compacte(Champ(l, 21, 25));
    const std::optional<double> jj =
        Perihelie_Depuis_Anomalie(epoque, Nombre_Fixe(l, M_MPCORB), Nombre_Fixe(l, n_MPCORB));
    const std::optional<double> w = Nombre_Fixe(l, w_MPCORB);
    const std::optional<double> noeud = Nombre_Fixe(l, Noeud_MPCORB);
    const std::optional<double> i = Nombre_Fixe(l, i_MPCORB);
    if (!jj || !q || !w || !noeud || !i) return {};
    Vue nom = Rogner(Colonnes(l, 167, 194));
    if (nom.empty()) nom = Rogner(Colonnes(l, 1, 7));
    Orbite_Lue lue = Examiner({Texte_Source(nom), *e, *q, *i, *w, *noeud, *jj, 2000, *epoque});
    if (lue.orbite) lue.orbite->Loi_Noyau = Loi_H_G(Nombre(Colonnes(l, 9, 13)), Nombre(Colonnes(l, 15, 19)));
    return lue;
}

namespace {

// The two magnitude fields of an XEphem line from `premier`: g,k after a "g",
// H,G after an "H" or, where `nu_H_G`, bare.
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

}  // namespace

Orbite_Lue Lire_XEphem(Vue l) {
    const std::vector<Vue> f = Decouper(Rogner(l), ',');
    if (f.size() < 2 || Rogner(f[1]).empty()) return {};
    const QString nom = Texte_Source(Rogner(f[0]));
    std::optional<double> e, q, i, w, noeud, jj, equinoxe, epoque;
    const char type = Rogner(f[1]).front();
    switch (type) {
        case 'e': {
            if (f.size() < Champs_Ellipse_XEphem) return {};
            const std::optional<double> a = Nombre(f[5]);
            std::optional<double> n = Nombre(f[6]);
            // XEphem leaves the mean motion to be computed from a.
            if ((!n || *n == 0) && Rogner(f[6]).find_first_not_of("0.") == Vue::npos && a && *a > 0)
                n = Moyen_Mouvement_Unite / std::pow(*a, 1.5);
            i = Nombre(f[2]), noeud = Nombre(f[3]), w = Nombre(f[4]), e = Nombre(f[7]);
            q = Distance_Perihelie(a, e);
            epoque = JJ_XEphem(f[9]);
            jj = Perihelie_Depuis_Anomalie(epoque, Nombre(f[8]), n);
            equinoxe = Nombre(f[10]);
            break;
        }
        case 'h':
            if (f.size() < Champs_Hyperbole_XEphem) return {};
            jj = JJ_XEphem(f[2]), i = Nombre(f[3]), noeud = Nombre(f[4]), w = Nombre(f[5]);
            e = Nombre(f[6]), q = Nombre(f[7]), equinoxe = Nombre(f[8]);
            break;
        case 'p':
            // The parabola puts the argument of perihelion before q and the node.
            if (f.size() < Champs_Parabole_XEphem) return {};
            jj = JJ_XEphem(f[2]), i = Nombre(f[3]), w = Nombre(f[4]), q = Nombre(f[5]);
            noeud = Nombre(f[6]), equinoxe = Nombre(f[7]), e = 1.0;
            break;
        default:
            return {};
    }
    if (!e || !q || !i || !w || !noeud || !jj || !equinoxe) return {};
    Orbite_Lue lue = Examiner({nom, *e, *q, *i, *w, *noeud, *jj, *equinoxe, Epoque_Ou_Rien(epoque)});
    // The magnitudes follow the equinox, the last field of the orbit.
    const std::size_t premier = type == 'e'   ? Champs_Ellipse_XEphem
                                : type == 'h' ? Champs_Hyperbole_XEphem
                                              : Champs_Parabole_XEphem;
    if (lue.orbite) Lois_XEphem(f, premier, type == 'e', *lue.orbite);
    return lue;
}

Forme_Ligne Reconnaitre_Ligne(Vue l) {
    const Vue t = Rogner(l);
    if (t.empty()) return Forme_Ligne::Vide;
    if (t.front() == '#') return Forme_Ligne::Commentaire;
    if (Repere_Horizons(l)) return Forme_Ligne::Horizons;
    const bool sans_signes = l.find_first_of("=,") == Vue::npos;
    if (sans_signes && l.size() >= 103 && l[19] == ' ' && l[25] == ' ' && l[20] >= 'A' && l[20] <= 'Z' &&
        Chiffre(l[21]) && Chiffre(l[22]))
        return Forme_Ligne::MPCORB;
    if (sans_signes && l.size() >= 79 && l[18] == ' ' && l[21] == ' ' && Chiffre(l[17]) && Chiffre(l[20]))
        return Forme_Ligne::Comete_MPC;
    const std::size_t virgule = t.find(',');
    if (virgule != Vue::npos && virgule > 0) {
        const Vue type = Rogner(t.substr(virgule + 1, t.find(',', virgule + 1) - virgule - 1));
        if (!type.empty() && Lettre(type.front()) && (type.size() == 1 || type[1] == '|'))
            return Forme_Ligne::XEphem;
    }
    if (!Paires_Horizons(l).empty()) return Forme_Ligne::Horizons;
    return Forme_Ligne::Inconnue;
}

// ---- Horizons ----

void Refus_Comptes::Compter(Refus_Orbite refus) {
    switch (refus) {
        case Refus_Orbite::Illisible:
            ++Ignorees;
            break;
        case Refus_Orbite::Distance_Nulle:
            ++Distances_Nulles;
            break;
        case Refus_Orbite::Absurde:
            ++Absurdes;
            break;
    }
}

bool Lecteur_Horizons::Lire_Ligne(Vue ligne) {
    if (Lire_Repere(ligne)) return true;
    const std::vector<Paire> paires = Paires_Horizons(ligne);
    for (const Paire& p : paires) {
        if (p.cle >= Premiere_Physique)
            physique_[static_cast<std::size_t>(p.cle - Premiere_Physique)] = Nombre(p.valeur).value_or(NAN);
        else if (p.cle != Cle_Epoque)
            Prendre(p.cle, p.valeur);
        else if (const std::optional<double> jj = Nombre(p.valeur))
            epoque_ = *jj;
    }
    return !paires.empty();
}

// The header's lines, and those that open and close the table. A second
// header line of a kind already read begins the next listing.
bool Lecteur_Horizons::Lire_Repere(Vue ligne) {
    const std::optional<Vue> entete = Nom_Entete(ligne, Entete_Horizons);
    const std::optional<Vue> cible = Nom_Horizons(ligne);
    if (entete || cible) {
        if ((entete && (nomme_ || !entete_.empty() || !table_.empty())) || (cible && cible_)) Finir_Listage();
        if (!nomme_) nom_ = Texte_Source(entete ? *entete : *cible);
        nomme_ = true;
        cible_ = cible_ || cible;
        return true;
    }
    const Vue t = Rogner(ligne);
    if (t == Debut_Table_Horizons || t == Fin_Table_Horizons) {
        Abandonner_Ensemble();
        if (t == Fin_Table_Horizons) Finir_Listage();
        dans_table_ = t == Debut_Table_Horizons;
        return true;
    }
    if (const std::optional<double> jj = Epoque_Table(t)) {
        Abandonner_Ensemble();
        epoque_ = *jj;
        return true;
    }
    return false;
}

// A value that is no number before an orbit has begun is another field of
// the header (the perihelion written as a date); once begun, it spoils it.
void Lecteur_Horizons::Prendre(int cle, Vue valeur) {
    const std::optional<double> x = Nombre(valeur);
    if (!x && lues_ == 0) return;
    const unsigned bit = 1u << cle;
    if (lues_ & bit) Abandonner_Ensemble();
    valeurs_[cle] = x.value_or(NAN);
    lues_ |= bit;
    if (lues_ == Toutes_Cles) Completer();
}

void Lecteur_Horizons::Completer() {
    lues_ = 0;
    Orbite_Lue lue = Examiner({nom_,
                               valeurs_[0],
                               valeurs_[1],
                               valeurs_[5],
                               valeurs_[4],
                               valeurs_[3],
                               valeurs_[2],
                               2000,
                               epoque_,
                               {},
                               {},
                               {}});
    epoque_ = NAN;
    if (!lue.orbite) {
        refus_.Compter(lue.refus);
        return;
    }
    if (!dans_table_)
        entete_.push_back(std::move(*lue.orbite));
    else if (nomme_)
        Envoyer(std::move(*lue.orbite));
    else
        table_.push_back(std::move(*lue.orbite));
}

// A set begun and not completed is one skipped.
void Lecteur_Horizons::Abandonner_Ensemble() {
    if (lues_ != 0) ++refus_.Ignorees;
    lues_ = 0;
}

// The sets held back get the listing's name, the table's first.
void Lecteur_Horizons::Finir_Listage() {
    Abandonner_Ensemble();
    for (std::vector<Orbite_Publiee>* attente : {&table_, &entete_}) {
        for (Orbite_Publiee& o : *attente) {
            o.Designation = nom_;
            Envoyer(std::move(o));
        }
        attente->clear();
    }
    physique_.fill(NAN);
    nom_.clear();
    nomme_ = cible_ = dans_table_ = false;
    epoque_ = NAN;
}

namespace {

// A physical parameter of the listing, when it gave one.
std::optional<double> Parametre(const std::array<double, 10>& physique, Physique p) {
    const double x = physique[static_cast<std::size_t>(p)];
    if (std::isnan(x)) return std::nullopt;
    return x;
}

std::optional<Loi_Magnitude> Loi_Comete_Horizons(std::optional<double> M, std::optional<double> K,
                                                 std::optional<double> PC) {
    if (!M || !K) return std::nullopt;
    return Loi_Acceptee(Loi_Comete(*M, *K, PC.value_or(0), Origine_Loi::Importee));
}

// Any of A1, A2, A3 given makes the comet's forces; the others are nought.
std::optional<Non_Gravitationnel> Non_Grav_Horizons(const std::array<double, 10>& physique) {
    const std::optional<double> A1 = Parametre(physique, Physique::A1);
    const std::optional<double> A2 = Parametre(physique, Physique::A2);
    const std::optional<double> A3 = Parametre(physique, Physique::A3);
    if (!A1 && !A2 && !A3) return std::nullopt;
    return Non_Gravitationnel{A1.value_or(0), A2.value_or(0), A3.value_or(0)};
}

}  // namespace

// Every set of the listing carries the body's laws and forces.
void Lecteur_Horizons::Envoyer(Orbite_Publiee&& o) {
    const auto p = [this](Physique k) { return Parametre(physique_, k); };
    o.Loi_Totale = Loi_Comete_Horizons(p(Physique::M1), p(Physique::K1), std::nullopt);
    o.Loi_Noyau = Loi_Comete_Horizons(p(Physique::M2), p(Physique::K2), p(Physique::PHCOF));
    if (!o.Loi_Noyau) o.Loi_Noyau = Loi_H_G(p(Physique::H), p(Physique::G));
    o.Non_Grav = Non_Grav_Horizons(physique_);
    recepteur_(std::move(o));
}

void Lecteur_Horizons::Terminer() { Finir_Listage(); }

// ---- A whole text ----

namespace {

struct Lecture {
    const std::function<void(Orbite_Publiee&&)>& recevoir;
    Bilan_Lecture bilan;
    int64_t inconnues_apres = 0;  // unknown lines after the first fixed-column orbit
    bool fixe_vue = false;
    int64_t horizons = 0;
    Lecteur_Horizons lecteur_horizons{[this](Orbite_Publiee&& o) {
        ++horizons;
        Recevoir(std::move(o));
    }};

    void Recevoir(Orbite_Publiee&& o) {
        ++bilan.Orbites;
        recevoir(std::move(o));
    }
    bool premiere = true;

    void Prendre(Orbite_Lue&& o) {
        if (o.orbite)
            Recevoir(std::move(*o.orbite));
        else
            bilan.Compter(o.refus);
    }

    void Ligne(Vue l) {
        if (premiere && Commence_Par(l, Marque_Ordre)) l.remove_prefix(Marque_Ordre.size());
        premiere = false;
        // No format has lines this long: it is no orbit, whatever it begins with.
        if (l.size() >= Longueur_Max_Ligne) {
            ++bilan.Ignorees;
            return;
        }
        switch (Reconnaitre_Ligne(l)) {
            case Forme_Ligne::Vide:
            case Forme_Ligne::Commentaire:
                break;
            case Forme_Ligne::Comete_MPC:
                fixe_vue = true;
                Prendre(Lire_Comete_MPC(l));
                break;
            case Forme_Ligne::MPCORB:
                fixe_vue = true;
                Prendre(Lire_MPCORB(l));
                break;
            case Forme_Ligne::XEphem:
                Prendre(Lire_XEphem(l));
                break;
            case Forme_Ligne::Horizons:
                lecteur_horizons.Lire_Ligne(l);
                break;
            case Forme_Ligne::Inconnue:
                if (fixe_vue) ++inconnues_apres;
                break;
        }
    }

    void Terminer() {
        lecteur_horizons.Terminer();
        const Refus_Comptes& horizons_refus = lecteur_horizons.Refus();
        bilan.Ignorees += horizons_refus.Ignorees;
        bilan.Distances_Nulles += horizons_refus.Distances_Nulles;
        bilan.Absurdes += horizons_refus.Absurdes;
        // The text around a Horizons listing is no damaged line.
        if (horizons == 0) bilan.Ignorees += inconnues_apres;
    }
};

}  // namespace

namespace {

// The end of a line: LF, CR, or the CR of CR LF, whose LF then ends an empty line.
const char* Fin_Ligne(const char* debut, const char* fin) {
    const char* saut = std::find_if(debut, fin, [](char c) { return c == '\n' || c == '\r'; });
    return saut == fin ? nullptr : saut;
}

}  // namespace

Bilan_Lecture Lire_Orbites(const std::function<int64_t(char* tampon, int64_t taille)>& lire,
                           const std::function<void(Orbite_Publiee&&)>& recevoir,
                           const std::function<bool(int64_t lus)>& avancer) {
    Lecture lecture{recevoir, {}};
    std::vector<char> tampon(static_cast<std::size_t>(Taille_Morceau) + Longueur_Max_Ligne);
    // The line being read runs from `debut` to `fin`, searched for its end up
    // to `examine`; it never holds Longueur_Max_Ligne bytes between pieces.
    std::size_t debut = 0;
    std::size_t examine = 0;
    std::size_t fin = 0;
    bool sauter = false;  // the rest of an overlong line
    int64_t lus = 0;
    const auto ligne = [&](std::size_t f) {
        if (!sauter) lecture.Ligne(Vue(tampon.data() + debut, f - debut));
    };
    for (;;) {
        if (fin + static_cast<std::size_t>(Taille_Morceau) > tampon.size()) {
            std::memmove(tampon.data(), tampon.data() + debut, fin - debut);
            fin -= debut;
            examine -= debut;
            debut = 0;
        }
        const int64_t n = lire(tampon.data() + fin, Taille_Morceau);
        if (n < 0) {
            lecture.bilan.Echec = true;
            return lecture.bilan;
        }
        fin += static_cast<std::size_t>(n);
        while (const char* saut = Fin_Ligne(tampon.data() + examine, tampon.data() + fin)) {
            ligne(static_cast<std::size_t>(saut - tampon.data()));
            sauter = false;
            debut = examine = static_cast<std::size_t>(saut - tampon.data()) + 1;
        }
        examine = fin;
        if (n == 0) {
            if (fin > debut) ligne(fin);
            break;
        }
        if (fin - debut >= Longueur_Max_Ligne) {
            ligne(fin);
            sauter = true;
            debut = fin;
        }
        lus += n;
        if (!avancer(lus)) {
            lecture.bilan.Interrompue = true;
            return lecture.bilan;
        }
    }
    lecture.Terminer();
    return lecture.bilan;
}

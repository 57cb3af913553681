#include "document/lecture_publiee.h"

#include <QByteArray>
#include <QUtf8StringView>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "astro/angles.h"
#include "astro/calendrier.h"
#include "document/cp1252.h"
#include "document/dates_publiees.h"

namespace Publie {

namespace {

constexpr double Equinoxe_Max = 9999;  // a year
constexpr double Inclinaison_Max = 180;
constexpr double Angle_Max = 360;

// k of a g,k law is magnitudes per decade of r divided by 2.5.
constexpr double Pente_Par_k = 2.5;
// The slope the MPC assumes for an asteroid whose G is not given.
constexpr double G_Par_Defaut = 0.15;

}  // namespace

namespace {

constexpr std::array<double, 23> Puissances_Dix = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Up to this many digits, the integer they make is exact in a double.
constexpr std::size_t Chiffres_Exacts = 15;

// Blanks, a minus sign perhaps, then digits up to the point, and digits
// after it: one integer over a power of ten. Anything else: none.
std::optional<Fixe> Lire_Fixe(Vue champ, std::size_t point) {
    std::size_t k = 0;
    while (k < point && Blanc(champ[k])) ++k;
    Fixe f;
    f.negatif = k < point && champ[k] == '-';
    if (f.negatif) ++k;
    const std::size_t chiffres = champ.size() - k - 1;
    f.decimales = champ.size() - point - 1;
    if (chiffres > Chiffres_Exacts || f.decimales >= Puissances_Dix.size()) return std::nullopt;
    // The whole part and the decimals apart, each digit tested without a
    // branch: a whole catalogue's fields are read this way.
    const auto chiffres_de = [&champ](std::size_t debut, std::size_t fin, bool& bons) {
        uint64_t n = 0;
        for (std::size_t j = debut; j < fin; ++j) {
            const auto c = static_cast<uint64_t>(static_cast<unsigned char>(champ[j])) - '0';
            bons &= c <= 9;
            n = n * 10 + c;
        }
        return n;
    };
    bool bons = true;
    const uint64_t entier = chiffres_de(k, point, bons);
    const uint64_t fraction = chiffres_de(point + 1, champ.size(), bons);
    if (!bons) return std::nullopt;
    // At most Chiffres_Exacts digits in all, so the power is exact.
    f.mantisse = entier * static_cast<uint64_t>(Puissances_Dix[f.decimales]) + fraction;
    return f;
}

}  // namespace

std::optional<Fixe> Fixe_Champ(Vue l, const Champ_Fixe& c) {
    const Vue champ = Champ(l, {c.premiere, c.derniere});
    if (champ.empty() || l[c.point - 1] != '.') return std::nullopt;
    return Lire_Fixe(champ, c.point - c.premiere);
}

// Both the integer and the power of ten are exact in a double, so their
// quotient is the correctly rounded value, as from_chars gives it, for a
// fraction of its cost over a whole catalogue.
double Valeur(const Fixe& f) {
    const double x = static_cast<double>(f.mantisse) / Puissances_Dix[f.decimales];
    return f.negatif ? -x : x;
}

int Comparer(const Fixe& f, uint64_t borne) {
    if (f.negatif) return f.mantisse == 0 && borne == 0 ? 0 : -1;
    const uint64_t b = borne * static_cast<uint64_t>(Puissances_Dix[f.decimales]);
    return f.mantisse < b ? -1 : f.mantisse > b ? 1 : 0;
}

std::optional<double> Nombre_Fixe(Vue l, const Champ_Fixe& c) {
    const Vue champ = Champ(l, {c.premiere, c.derniere});
    if (champ.empty() || l[c.point - 1] != '.') return std::nullopt;
    for (std::size_t k = c.point; k < c.derniere; ++k)
        if (!Chiffre(l[k])) return std::nullopt;
    if (const std::optional<Fixe> f = Lire_Fixe(champ, c.point - c.premiere)) return Valeur(*f);
    return Nombre(champ);
}

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

QString Texte_Source(Vue t) {
    if (QUtf8StringView(t.data(), static_cast<qsizetype>(t.size())).isValidUtf8())
        return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
    return Decoder_Cp1252(QByteArray(t.data(), static_cast<qsizetype>(t.size())));
}

// A perihelion anywhere in the calendar is one, even before AD 1.
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
    // An epoch the page cannot integrate from leaves the orbit on its conic.
    Orbite_Lue lue{o, Refus_Orbite::Illisible};
    if (!Epoque_Tenue(o.JJ_Epoque)) lue.orbite->JJ_Epoque = NAN;
    return lue;
}

bool Garder(Orbite_Lue& lue, Vue nom, const Garde_Orbite& garder) {
    if (!lue.orbite) return false;
    if (garder && !garder(nom)) {
        lue.orbite.reset();
        lue.ecartee = true;
        return false;
    }
    lue.orbite->Designation = Texte_Source(nom);
    return true;
}

// The one nearest the epoch, so that a distant body near its perihelion
// keeps a date the calendar holds.
std::optional<double> Perihelie_Depuis_Anomalie(std::optional<double> epoque, std::optional<double> M,
                                                std::optional<double> n) {
    if (!epoque || !M || !n || !(*n > 0) || !(*M >= 0 && *M <= Angle_Max)) return std::nullopt;
    return *M > Demi_Tour ? *epoque + (Angle_Max - *M) / *n : *epoque - *M / *n;
}

std::optional<double> Distance_Perihelie(std::optional<double> a, std::optional<double> e) {
    if (!a || !e || !(*e >= 0 && *e < 1)) return std::nullopt;
    return *a * (1 - *e);
}

std::optional<Loi_Magnitude> Loi_Acceptee(const Loi_Magnitude& loi) {
    if (!Loi_Valide(loi)) return std::nullopt;
    return loi;
}

std::optional<Loi_Magnitude> Loi_g_k(std::optional<double> g, std::optional<double> k) {
    if (!g || !k) return std::nullopt;
    return Loi_Acceptee(Loi_Comete(*g, Pente_Par_k * *k, 0, Origine_Loi::Importee));
}

std::optional<Loi_Magnitude> Loi_H_G(std::optional<double> H, std::optional<double> G) {
    if (!H) return std::nullopt;
    return Loi_Acceptee(Loi_Asteroide(*H, G.value_or(G_Par_Defaut), Origine_Loi::Importee));
}

}  // namespace Publie

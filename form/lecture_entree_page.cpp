#include "form/lecture_entree_page.h"

#include <cmath>
#include <limits>

#include "form/textes_nombres.h"

namespace {

constexpr double Jour_Maximum = std::numeric_limits<float>::max();

// The index of `texte` in `noms`, or none.
template <std::size_t N>
std::optional<int32_t> Indice_Texte(const QString& texte, const std::array<const char*, N>& noms) {
    for (std::size_t k = 0; k < N; ++k) {
        if (texte == QString::fromUtf8(noms[k])) return static_cast<int32_t>(k);
    }
    return std::nullopt;
}

// A day is kept in a 32-bit float: a number beyond its range is not a day.
bool Lire_Jour(const QString& texte, char separateur, double& jour) {
    return Lire_Reel(texte, separateur, jour) && std::fabs(jour) <= Jour_Maximum;
}

// The four fields of one observed magnitude.
struct Champs_Magnitude {
    Controle magnitude;
    Controle jour;
    Controle mois;
    Controle an;
};
constexpr Champs_Magnitude Champs_Totale{Controle::Saisie_MT, Controle::Saisie_JMT, Controle::Saisie_MMT,
                                         Controle::Saisie_AMT};
constexpr Champs_Magnitude Champs_Noyau{Controle::Saisie_MN, Controle::Saisie_JMN, Controle::Saisie_MMN,
                                        Controle::Saisie_AMN};

bool Textes_Magnitude_Valides(const Controles_Lus& controles, const Champs_Magnitude& m) {
    return Classe_Magnitude(controles.Texte(m.magnitude)) != 0 &&
           Classe_Nombre(controles.Texte(m.jour)) != 0 && Classe_Nombre(controles.Texte(m.mois)) == 1 &&
           Classe_Nombre(controles.Texte(m.an)) == 1;
}

// The magnitude and its date; a text that passes the tests but cannot be
// read makes the data unusable too.
std::optional<Magnitude_Saisie> Lire_Magnitude(const Controles_Lus& controles, const Champs_Magnitude& m,
                                               char separateur) {
    Magnitude_Saisie s;
    if (!Textes_Magnitude_Valides(controles, m) ||
        !Lire_Reel(controles.Texte(m.magnitude), separateur, s.Magnitude))
        return std::nullopt;
    const std::optional<Instant_Saisi> date = Lire_Instant_Saisi(
        controles.Texte(m.jour), controles.Texte(m.mois), controles.Texte(m.an), separateur);
    if (!date) return std::nullopt;
    s.Date = *date;
    return s;
}

bool Champs_Corriges(const Controles_Lus& controles, const Champs_Refuses& refuses) {
    for (const auto& [champ, texte] : refuses) {
        if (controles.Texte(champ) == texte) return false;
    }
    return true;
}

// The captions and fields the printed page and the batch's header copy.
constexpr Controle Controles_Imprimes[] = {
    Controle::Commentaire,
    Controle::Liste_Instruments,
    Controle::saisie_Jour,
    Controle::saisie_Mois,
    Controle::saisie_An,
    Controle::saisie_a,
    Controle::saisie_n,
    Controle::saisie_e,
    Controle::saisie_gQ,
    Controle::saisie_q,
    Controle::saisie_i,
    Controle::saisie_Omega,
    Controle::saisie_gOmega,
    Controle::saisie_Jour_Perihelie,
    Controle::saisie_Mois_Perihelie,
    Controle::saisie_An_Perihelie,
    Controle::Equinoxe,
    Controle::Equinoxe_ephemeride,
    Controle::Titre4,
    Controle::Titre5,
    Controle::Titre6,
    Controle::Titre7,
    Controle::Label8,
    Controle::Titre9,
    Controle::Titre10,
    Controle::Label11,
    Controle::Label12,
    Controle::Label13,
    Controle::Label14,
    Controle::Label15,
    Controle::Label16,
    Controle::Label17,
    Controle::Label18,
    Controle::Label19,
    Controle::Label20,
    Controle::TitrePerihelie,
    Controle::Label26,
    Controle::Label29,
};

void Lire_Perihelie(const Controles_Lus& controles, char separateur, Entree_Page& e) {
    e.Julienne = controles.Julienne;
    e.Jour_Perihelie = Reel_Ou_Zero(controles.Texte(Controle::saisie_Jour_Perihelie), separateur);
    e.Mois_Perihelie = Entier_Ou_Zero(controles.Texte(Controle::saisie_Mois_Perihelie));
    e.An_Perihelie = Entier_Ou_Zero(controles.Texte(Controle::saisie_An_Perihelie));
}

}  // namespace

std::optional<int32_t> Numero_Instrument(const QString& texte) {
    return Indice_Texte(texte, Noms_Instruments);
}

std::optional<int32_t> Numero_Unite_Pas(const QString& texte) {
    const std::optional<int32_t> indice = Indice_Texte(texte, Noms_Unites_Pas);
    if (!indice) return std::nullopt;
    return *indice + 1;
}

std::optional<Instant_Saisi> Lire_Instant_Saisi(const QString& jour, const QString& mois, const QString& an,
                                                char separateur) {
    Instant_Saisi instant;
    if (!Lire_Jour(jour, separateur, instant.Jour) || !Lire_Entier(mois, instant.Mois) ||
        !Lire_Entier(an, instant.An))
        return std::nullopt;
    return instant;
}

Entree_Page Lire_Entree_Page(const Boite_Outils& boite, const Elements& el, const Champs_Refuses& refuses,
                             char separateur) {
    const Controles_Lus controles{[&boite](Controle c) { return boite.Texte(c); },
                                  boite.Coche(Controle::Julienne), boite.Police(Controle::Label15)};
    return Lire_Entree_Page(controles, el, refuses, separateur);
}

Entree_Page Lire_Entree_Page(const Controles_Lus& controles, const Elements& el,
                             const Champs_Refuses& refuses, char separateur) {
    Entree_Page e;
    e.Debut =
        Lire_Instant_Saisi(controles.Texte(Controle::saisie_Jour), controles.Texte(Controle::saisie_Mois),
                           controles.Texte(Controle::saisie_An), separateur);
    e.Pas = el.Pas;
    e.Unite_Pas = Numero_Unite_Pas(controles.Texte(Controle::Liste_Pas)).value_or(el.Unite_Pas);
    e.Instrument = Numero_Instrument(controles.Texte(Controle::Liste_Instruments)).value_or(el.Instrument);
    e.Totale = Lire_Magnitude(controles, Champs_Totale, separateur);
    e.Noyau = Lire_Magnitude(controles, Champs_Noyau, separateur);
    e.Equinoxe_Saisi = !controles.Texte(Controle::Equinoxe).isEmpty();
    e.Equinoxe_Ephemeride_Saisi = !controles.Texte(Controle::Equinoxe_ephemeride).isEmpty();
    Lire_Perihelie(controles, separateur, e);
    e.Champs_Corriges = Champs_Corriges(controles, refuses);
    e.Omega_Symbole = controles.Police_Label15.compare(QStringLiteral("Symbol"), Qt::CaseInsensitive) == 0;
    for (Controle c : Controles_Imprimes) e.Textes[c] = controles.Texte(c);
    return e;
}

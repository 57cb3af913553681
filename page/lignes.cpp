#include "page/lignes.h"

#include <cmath>
#include <limits>
#include <optional>

#include "astro/calendrier.h"

namespace {

constexpr double q_Minimum = 0.0001;  // AU: below it the orbit is not computed
// 1582, the year of the calendar reform: an observation must be later.
constexpr int32_t An_Reforme = static_cast<int32_t>(Date_Debut_Gregorien);
constexpr double Facteur_r_Totale = 10;  // magnitudes per decade of r, total magnitude
constexpr double Facteur_r_Noyau = 5;    // magnitudes per decade of r, nucleus
constexpr double Facteur_Delta = 5;      // magnitudes per decade of Δ
constexpr long double Heures_Par_Jour = 24;
constexpr double Jour_Maximum = std::numeric_limits<float>::max();

// Values of Unite_Pas.
constexpr int32_t En_Heures = 1;
constexpr int32_t En_Jours = 2;
constexpr int32_t En_Mois = 3;
constexpr int32_t En_Annees = 4;

// The index of `texte` in `noms`, or -1.
template <std::size_t N>
int32_t Indice_Texte(const QString& texte, const std::array<const char*, N>& noms) {
    for (std::size_t k = 0; k < N; ++k) {
        if (texte == QString::fromUtf8(noms[k])) return static_cast<int32_t>(k);
    }
    return -1;
}

// A list text that matches no item leaves the value as it was.
void Lire_Listes(const Boite_Outils& boite, Elements& el) {
    const int32_t instrument = Indice_Texte(boite.Texte(Controle::Liste_Instruments), Noms_Instruments);
    if (instrument >= 0) el.Instrument = instrument;
    const int32_t unite = Indice_Texte(boite.Texte(Controle::Liste_Pas), Noms_Unites_Pas);
    if (unite >= 0) el.Unite_Pas = unite + 1;
}

// A day is kept in a 32-bit float: a number beyond its range is not a day.
bool Lire_Jour(const QString& texte, char separateur, double& jour) {
    return Lire_Reel(texte, separateur, jour) && std::fabs(jour) <= Jour_Maximum;
}

struct Instant {
    double Jour = 0;  // within the range of a float
    int32_t Mois = 0;
    int32_t An = 0;
};

bool Lire_Instant(const Boite_Outils& boite, Controle jour, Controle mois, Controle an, char separateur,
                  Instant& instant) {
    return Lire_Jour(boite.Texte(jour), separateur, instant.Jour) &&
           Lire_Entier(boite.Texte(mois), instant.Mois) && Lire_Entier(boite.Texte(an), instant.An);
}

bool Lire_Debut(const Boite_Outils& boite, char separateur, Instant& debut) {
    return Lire_Instant(boite, Controle::saisie_Jour, Controle::saisie_Mois, Controle::saisie_An, separateur,
                        debut);
}

void Placer_Instant(const Instant& instant, Elements& el) {
    el.Jour = static_cast<float>(instant.Jour);
    el.Mois = instant.Mois;
    el.An = instant.An;
}

// The four fields of one observed magnitude.
struct Magnitude_Observee {
    Controle magnitude;
    Controle jour;
    Controle mois;
    Controle an;
};
constexpr Magnitude_Observee Totale{Controle::Saisie_MT, Controle::Saisie_JMT, Controle::Saisie_MMT,
                                    Controle::Saisie_AMT};
constexpr Magnitude_Observee Noyau{Controle::Saisie_MN, Controle::Saisie_JMN, Controle::Saisie_MMN,
                                   Controle::Saisie_AMN};

bool Textes_Magnitude_Valides(const Boite_Outils& boite, const Magnitude_Observee& m) {
    return Classe_Magnitude(boite.Texte(m.magnitude)) != 0 && Classe_Nombre(boite.Texte(m.jour)) != 0 &&
           Classe_Nombre(boite.Texte(m.mois)) == 1 && Classe_Nombre(boite.Texte(m.an)) == 1;
}

struct Donnees_Magnitude {
    bool valide = false;
    double magnitude = 0;
    Instant date;
};

// The magnitude and its date; a text that passes the tests but cannot be
// read makes the data unusable too.
Donnees_Magnitude Lire_Magnitude(const Boite_Outils& boite, const Magnitude_Observee& m, char separateur) {
    Donnees_Magnitude d;
    d.valide = Textes_Magnitude_Valides(boite, m) &&
               Lire_Reel(boite.Texte(m.magnitude), separateur, d.magnitude) &&
               Lire_Instant(boite, m.jour, m.mois, m.an, separateur, d.date) && d.date.Jour >= 1 &&
               d.date.Mois > 0 && d.date.An > An_Reforme;
    return d;
}

// The magnitude change from r = Δ = 1 AU to the distances of `pos`; not
// finite when a distance is not a positive number.
double Effet_Distances(double facteur_r, const Position& pos) {
    return facteur_r * std::log10(pos.Distance_Soleil) + Facteur_Delta * std::log10(pos.Distance_Terre);
}

// The observed magnitude reduced to r = Δ = 1 AU with the position at its date.
double Magnitude_Absolue(const Calcul_Page& c, const Donnees_Magnitude& d, double facteur_r) {
    Placer_Instant(d.date, c.el);
    Calculer_Position(c.el, 0, c.pos);
    return d.magnitude - Effet_Distances(facteur_r, c.pos);
}

bool Perihelie_Renseigne(const Elements& el) {
    return el.Jour_Perihelie >= 1 && el.Mois_Perihelie >= 1 && el.An_Perihelie >= 1;
}

// An equinox counts only once its Julian day is set: a text alone would
// precess from year 0.
bool Equinoxes_Renseignes(const Elements& el, const Boite_Outils& boite) {
    return !boite.Texte(Controle::Equinoxe).isEmpty() &&
           !boite.Texte(Controle::Equinoxe_ephemeride).isEmpty() && el.JJ_Equinoxe > 0 &&
           el.JJ_Equinoxe_ephemeride > 0;
}

bool Champs_Corriges(const Calcul_Page& c) {
    for (const auto& [champ, texte] : c.page.Champs_A_Corriger) {
        if (c.boite.Texte(champ) == texte) return false;
    }
    return true;
}

bool Page_Montrable(const Calcul_Page& c) {
    Instant debut;
    return c.el.q > q_Minimum && Perihelie_Renseigne(c.el) && Equinoxes_Renseignes(c.el, c.boite) &&
           Lire_Debut(c.boite, c.notation.Separateur_Decimal, debut) && c.el.Pas != 0 && Champs_Corriges(c);
}

// Jour plus a number of days, unless the sum leaves the range of a float.
bool Ajouter_Jours(Elements& el, long double jours) {
    const long double somme = static_cast<long double>(el.Jour) + jours;
    if (!(std::fabs(somme) <= Jour_Maximum)) return false;
    el.Jour = static_cast<float>(somme);
    return true;
}

// A month or year plus the step, unless the sum leaves 32 bits.
bool Ajouter_Entier(int32_t& valeur, int32_t pas) {
    const int64_t somme = static_cast<int64_t>(valeur) + pas;
    if (somme < std::numeric_limits<int32_t>::min() || somme > std::numeric_limits<int32_t>::max())
        return false;
    valeur = static_cast<int32_t>(somme);
    return true;
}

// The next instant, as a calendar date; false when it cannot be held.
bool Avancer_Instant(Elements& el) {
    bool tenu = false;
    switch (el.Unite_Pas) {
        case En_Heures:
            // Divided in extended precision; the float day then carries the rounding.
            tenu = Ajouter_Jours(el, el.Pas / Heures_Par_Jour);
            break;
        case En_Jours:
            tenu = Ajouter_Jours(el, el.Pas);
            break;
        case En_Mois:
            tenu = Ajouter_Entier(el.Mois, el.Pas);
            break;
        case En_Annees:
            tenu = Ajouter_Entier(el.An, el.Pas);
            break;
        default:
            break;
    }
    return tenu && Normaliser_Date(el);
}

// At the row's instant for hour steps, over the row's UT day otherwise; the
// sky of the row before lends the positions the two days share.
Textes_Visibilite Visibilite_Ligne(const Calcul_Page& c, std::optional<Ciel_Jour>& ciel) {
    const double jj = Date_Vers_JJ(c.el.Mois, static_cast<float>(c.el.An), c.el.Jour);
    const Lieu_Observation& lieu = c.site->lieu;
    if (Lignes_Horaires(c.el))
        return Textes_Visibilite_Instant(Calculer_Visibilite_Instant(c.el, jj, lieu), c.notation);
    ciel = Preparer_Ciel(c.el, jj, ciel ? &*ciel : nullptr);
    return Textes_Visibilite_Jour(Calculer_Visibilite_Ciel(*ciel, jj, lieu), c.notation);
}

// The row at the current instant, once Calculer_Ligne has left r and Δ.
Ligne_Ephemeride Composer_Ligne(const Calcul_Page& c, const Textes_Ligne& textes,
                                std::optional<Ciel_Jour>& ciel) {
    Ligne_Ephemeride ligne;
    ligne.Jour = c.el.Jour;
    ligne.Mois = c.el.Mois;
    ligne.An = c.el.An;
    ligne.textes = textes;
    if (c.page.MT_Valide) ligne.M1 = c.page.MT_Absolue + Effet_Distances(Facteur_r_Totale, c.pos);
    if (c.page.MN_Valide) ligne.M2 = c.page.MN_Absolue + Effet_Distances(Facteur_r_Noyau, c.pos);
    if (Visibilite_Montree(c)) ligne.visibilite = Visibilite_Ligne(c, ciel);
    return ligne;
}

}  // namespace

bool Visibilite_Montree(const Calcul_Page& c) { return c.site != nullptr && c.site->Afficher; }

bool Lignes_Horaires(const Elements& el) { return el.Unite_Pas == En_Heures; }

std::optional<double> JJ_Premiere_Ligne(const Calcul_Page& c) {
    Instant debut;
    if (!Lire_Debut(c.boite, c.notation.Separateur_Decimal, debut)) return std::nullopt;
    return Date_Vers_JJ(debut.Mois, static_cast<float>(debut.An), static_cast<float>(debut.Jour));
}

int32_t Nombre_Lignes(int32_t Unite_Pas) {
    switch (Unite_Pas) {
        case En_Heures:
            return 24;
        case En_Jours:
            return 31;
        case En_Mois:
            return 12;
        case En_Annees:
            return 10;
        default:
            return 0;
    }
}

void Calculer_JJ_Perihelie(Elements& el, const Boite_Outils& boite, char separateur_decimal) {
    const double jour = Reel_Ou_Zero(boite.Texte(Controle::saisie_Jour_Perihelie), separateur_decimal);
    const int32_t mois = Entier_Ou_Zero(boite.Texte(Controle::saisie_Mois_Perihelie));
    const int32_t an = Entier_Ou_Zero(boite.Texte(Controle::saisie_An_Perihelie));
    el.JJ_Perihelie = Date_Vers_JJ(mois, static_cast<float>(an), jour);
}

bool Preparer_Page(const Calcul_Page& c) {
    Lire_Listes(c.boite, c.el);
    const char separateur = c.notation.Separateur_Decimal;
    const Donnees_Magnitude MT = Lire_Magnitude(c.boite, Totale, separateur);
    const Donnees_Magnitude MN = Lire_Magnitude(c.boite, Noyau, separateur);
    c.page.MT_Valide = MT.valide;
    c.page.MN_Valide = MN.valide;
    c.page.Page_Valide = Page_Montrable(c);
    if (!c.page.Page_Valide) return false;

    if (c.boite.Coche(Controle::Julienne)) {
        c.el.JJ_Perihelie = Reel_Ou_Zero(c.boite.Texte(Controle::saisie_Jour_Perihelie), separateur);
    } else {
        Calculer_JJ_Perihelie(c.el, c.boite, separateur);
    }
    if (MT.valide) c.page.MT_Absolue = Magnitude_Absolue(c, MT, Facteur_r_Totale);
    if (MN.valide) c.page.MN_Absolue = Magnitude_Absolue(c, MN, Facteur_r_Noyau);
    return true;
}

void Generer_Lignes(const Calcul_Page& c, const Consommateur_Lignes& consommateur) {
    Instant debut;
    if (!consommateur || !Lire_Debut(c.boite, c.notation.Separateur_Decimal, debut)) return;
    Placer_Instant(debut, c.el);
    const int32_t n = Nombre_Lignes(c.el.Unite_Pas);
    Ligne_Calculee calcul;
    std::optional<Ciel_Jour> ciel;
    for (int32_t k = 1; k <= n; ++k) {
        Calculer_Ligne(c.el, c.tables, c.notation.Separateur_Decimal, c.pos, calcul);
        consommateur(Composer_Ligne(c, calcul.textes, ciel));
        if (!Avancer_Instant(c.el)) return;
    }
}

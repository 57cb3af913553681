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
constexpr double Jour_Maximum = std::numeric_limits<float>::max();  // a day is kept in a float

// Values of Unite_Pas.
constexpr int32_t En_Heures = 1;
constexpr int32_t En_Jours = 2;
constexpr int32_t En_Mois = 3;
constexpr int32_t En_Annees = 4;

void Placer_Instant(const Instant_Saisi& instant, Elements& el) {
    el.Jour = static_cast<float>(instant.Jour);
    el.Mois = instant.Mois;
    el.An = instant.An;
}

// Observed after the calendar reform, on a day of a month.
bool Magnitude_Valide(const std::optional<Magnitude_Saisie>& m) {
    return m && m->Date.Jour >= 1 && m->Date.Mois > 0 && m->Date.An > An_Reforme;
}

// The magnitude change from r = Δ = 1 AU to the distances of `pos`; not
// finite when a distance is not a positive number.
double Effet_Distances(double facteur_r, const Position& pos) {
    return facteur_r * std::log10(pos.Distance_Soleil) + Facteur_Delta * std::log10(pos.Distance_Terre);
}

// The observed magnitude reduced to r = Δ = 1 AU with the position at its date.
double Magnitude_Absolue(const Calcul_Page& c, const Magnitude_Saisie& m, double facteur_r) {
    Placer_Instant(m.Date, c.el);
    Calculer_Position(c.el, 0, c.pos);
    return m.Magnitude - Effet_Distances(facteur_r, c.pos);
}

bool Perihelie_Renseigne(const Elements& el) {
    return el.Jour_Perihelie >= 1 && el.Mois_Perihelie >= 1 && el.An_Perihelie >= 1;
}

// An equinox counts only once its Julian day is set: a text alone would
// precess from year 0.
bool Equinoxe_Renseigne(bool saisi, double JJ) { return saisi && JJ > 0; }

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
    const std::optional<Instant_Saisi>& debut = c.entree.Debut;
    if (!debut) return std::nullopt;
    return Date_Vers_JJ(debut->Mois, static_cast<float>(debut->An), static_cast<float>(debut->Jour));
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

std::vector<Manque_Page> Manques_Page(const Elements& el, const Entree_Page& e) {
    std::vector<Manque_Page> manques;
    if (!(el.q > q_Minimum)) manques.push_back(Manque_Page::Distance_Perihelie);
    if (!Perihelie_Renseigne(el)) manques.push_back(Manque_Page::Date_Perihelie);
    if (!Equinoxe_Renseigne(e.Equinoxe_Saisi, el.JJ_Equinoxe))
        manques.push_back(Manque_Page::Equinoxe_Elements);
    if (!Equinoxe_Renseigne(e.Equinoxe_Ephemeride_Saisi, el.JJ_Equinoxe_ephemeride))
        manques.push_back(Manque_Page::Equinoxe_Ephemeride);
    if (e.Pas == 0) manques.push_back(Manque_Page::Pas_Nul);
    if (!e.Debut) manques.push_back(Manque_Page::Date_Debut);
    if (!e.Champs_Corriges) manques.push_back(Manque_Page::Champs_A_Corriger);
    return manques;
}

bool Preparer_Page(const Calcul_Page& c) {
    const Entree_Page& e = c.entree;
    c.el.Instrument = e.Instrument;
    c.el.Unite_Pas = e.Unite_Pas;
    c.el.Pas = e.Pas;
    c.page.MT_Valide = Magnitude_Valide(e.Totale);
    c.page.MN_Valide = Magnitude_Valide(e.Noyau);
    c.page.Page_Valide = Manques_Page(c.el, e).empty();
    if (!c.page.Page_Valide) return false;

    c.el.JJ_Perihelie =
        e.Julienne ? e.Jour_Perihelie
                   : Date_Vers_JJ(e.Mois_Perihelie, static_cast<float>(e.An_Perihelie), e.Jour_Perihelie);
    if (c.page.MT_Valide) c.page.MT_Absolue = Magnitude_Absolue(c, *e.Totale, Facteur_r_Totale);
    if (c.page.MN_Valide) c.page.MN_Absolue = Magnitude_Absolue(c, *e.Noyau, Facteur_r_Noyau);
    return true;
}

void Generer_Lignes(const Calcul_Page& c, const Consommateur_Lignes& consommateur) {
    if (!consommateur || !c.entree.Debut) return;
    Placer_Instant(*c.entree.Debut, c.el);
    const int32_t n = Nombre_Lignes(c.el.Unite_Pas);
    Ligne_Calculee calcul;
    std::optional<Ciel_Jour> ciel;
    for (int32_t k = 1; k <= n; ++k) {
        Calculer_Ligne(c.el, c.tables, c.notation.Separateur_Decimal, c.pos, calcul);
        consommateur(Composer_Ligne(c, calcul.textes, ciel));
        if (!Avancer_Instant(c.el)) return;
    }
}

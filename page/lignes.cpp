#include "page/lignes.h"

#include <cmath>
#include <limits>
#include <optional>

#include "astro/calendrier.h"
#include "astro/constantes.h"
#include "astro/place.h"
#include "page/textes_ligne.h"

const char* const Texte_Calcul_En_Cours = "calcul en cours…";

namespace {

constexpr double q_Minimum = 0.0001;  // AU: below it the orbit is not computed
// 1582, the year of the calendar reform: an observation must be later.
constexpr int32_t An_Reforme = static_cast<int32_t>(Date_Debut_Gregorien);
constexpr double Jour_Maximum = std::numeric_limits<float>::max();  // a day is kept in a float

const char* const Texte_Modele_Precis = "modèle précis, place %1 %2";
const char* const Place_Astrometrique = "astrométrique";
const char* const Place_Apparente = "apparente";
const char* const Vue_Geocentrique = "géocentrique";
const char* const Vue_Topocentrique = "topocentrique";
const char* const Texte_Perturbe = "perturbé depuis l'époque %1 TT";
const char* const Texte_Deux_Corps = "deux corps";

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

// A column shows a typed magnitude, or a law the program did not make up.
bool Colonne_Magnitude(const std::optional<Magnitude_Saisie>& m, const Loi_Magnitude& loi) {
    return Magnitude_Valide(m) || loi.origine != Origine_Loi::Programme;
}

// The magnitude the law gives at the distances and phase angle of `pos`.
double Magnitude_Position(const Loi_Magnitude& loi, const Position& pos) {
    return Magnitude_Loi(loi, pos.Distance_Soleil, pos.Distance_Terre, pos.Angle_Phase);
}

bool Modele_Classique(const Calcul_Page& c) { return c.entree.Modele.modele == Modele_Calcul::Classique; }

double JJ_Instant(const Elements& el) { return Date_Vers_JJ(el.Mois, static_cast<float>(el.An), el.Jour); }

// What the row's magnitudes and the page read of a place.
void Noter_Place(const Place& place, double jj, Position& pos) {
    pos.JJ_Instant = jj;
    pos.Alpha = place.Alpha;
    pos.Delta = place.Delta;
    pos.Distance_Terre = place.Distance_Terre;
    pos.Distance_Soleil = place.Distance_Soleil;
    pos.Angle_Phase = place.Angle_Phase;
}

// Bounds the integration's work while it lives: a body the integration
// cannot follow costs a computation no more than the page allows.
class Budget_Integration {
public:
    Budget_Integration(Mouvement_Perturbe* mouvement, const Etat_Page& page) : mouvement_(mouvement) {
        if (mouvement_) mouvement_->Limiter_Evaluations(page.Evaluations_Maximum);
    }
    ~Budget_Integration() {
        if (mouvement_) mouvement_->Limiter_Evaluations(-1);
    }
    Budget_Integration(const Budget_Integration&) = delete;
    Budget_Integration& operator=(const Budget_Integration&) = delete;

private:
    Mouvement_Perturbe* mouvement_;
};

// The law whose zero point gives the observed magnitude at the position of
// its date, seen from the Earth's centre; its slope is kept.
Loi_Magnitude Recalibrer(const Calcul_Page& c, const Magnitude_Saisie& m, const Loi_Magnitude& loi) {
    Placer_Instant(m.Date, c.el);
    if (Modele_Classique(c)) {
        Calculer_Position(c.el, 0, c.pos);
    } else {
        const double jj = JJ_Instant(c.el);
        const std::shared_ptr<Mouvement_Perturbe> mouvement = Mouvement_Page(c);
        const Budget_Integration budget(mouvement.get(), c.page);
        Calcul_Place perturbe(c.el, jj, jj, mouvement.get());
        Place place = perturbe.Calculer(jj, Choix_Modele{});
        if (place.Echec == Echec_Integration::Budget_Epuise) c.page.Budget_Epuise = true;
        // An observation the integration cannot reach still sets the law
        // from the orbit the elements describe.
        if (place.Echec != Echec_Integration::Aucun)
            place = Calcul_Place(c.el, jj, jj).Calculer(jj, Choix_Modele{});
        Noter_Place(place, jj, c.pos);
    }
    return Recalibrer_Loi(loi, m.Magnitude, c.pos.Distance_Soleil, c.pos.Distance_Terre, c.pos.Angle_Phase);
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
            tenu = Ajouter_Jours(el, el.Pas / static_cast<long double>(Heures_Par_Jour));
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

// The site the place is seen from, when it is asked for and the visibility shown.
const Lieu_Observation* Lieu_Topocentrique(const Calcul_Page& c) {
    return c.entree.Modele.topocentrique && Visibilite_Montree(c) ? &c.site->lieu : nullptr;
}

// The row by the precise model: the place half an hour before, at and after
// the row's instant (UTC) for the drifts; `pos` keeps the place at the
// instant, whose distances the magnitudes take. Answers why the body has no
// place, the row then left as it was.
Echec_Integration Calculer_Ligne_Precise(const Calcul_Page& c, Calcul_Place& calcul, Ligne_Calculee& ligne) {
    const double jj = JJ_Instant(c.el);
    Trois_Positions p;
    for (int k = 0; k < 3; ++k) {
        const double instant = jj + (k - 1) * Demi_Heure;
        const Place place = calcul.Calculer(instant, c.entree.Modele, Lieu_Topocentrique(c));
        if (place.Echec != Echec_Integration::Aucun) return place.Echec;
        p.alpha[k] = place.Alpha;
        p.delta[k] = place.Delta;
        if (k == 1) Noter_Place(place, instant, c.pos);
    }
    Ecrire_Ligne(p, c.pos.Distance_Terre, c.el.Instrument, c.tables, c.notation.Separateur_Decimal, ligne);
    return Echec_Integration::Aucun;
}

// The Julian day of the page's last row, from its first one in `el`.
double JJ_Derniere_Ligne(Elements el) {
    const int32_t n = Nombre_Lignes(el.Unite_Pas);
    for (int32_t k = 1; k < n; ++k)
        if (!Avancer_Instant(el)) break;
    return JJ_Instant(el);
}

// At the row's instant for hour steps, over the row's UT day otherwise; the
// sky of the row before lends the positions the two days share.
Textes_Visibilite Visibilite_Ligne(const Calcul_Page& c, std::optional<Calcul_Place>& place,
                                   std::optional<Ciel_Jour>& ciel) {
    const double jj = Date_Vers_JJ(c.el.Mois, static_cast<float>(c.el.An), c.el.Jour);
    const Lieu_Observation& lieu = c.site->lieu;
    const Direction_Corps corps = Direction_Visibilite(c, place ? &*place : nullptr);
    if (Lignes_Horaires(c.el))
        return Textes_Visibilite_Instant(Calculer_Visibilite_Direction(corps(jj), jj, lieu), c.notation);
    ciel = Preparer_Ciel(corps, jj, ciel ? &*ciel : nullptr);
    return Textes_Visibilite_Jour(Calculer_Visibilite_Ciel(*ciel, jj, lieu), c.notation);
}

Ligne_Ephemeride Ligne_Datee(const Elements& el) {
    Ligne_Ephemeride ligne;
    ligne.Jour = el.Jour;
    ligne.Mois = el.Mois;
    ligne.An = el.An;
    return ligne;
}

// A row the integration could not reach: its date and why.
Ligne_Ephemeride Ligne_Echec(const Calcul_Page& c, Echec_Integration echec) {
    Ligne_Ephemeride ligne = Ligne_Datee(c.el);
    ligne.Alpha = ligne.Delta = ligne.Distance_Terre = std::numeric_limits<double>::quiet_NaN();
    const bool differe = echec == Echec_Integration::Budget_Epuise && c.page.Calcul_Differe;
    ligne.Message = QString::fromUtf8(differe ? Texte_Calcul_En_Cours : Message_Echec(echec));
    return ligne;
}

// The row at the current instant, once Calculer_Ligne has left r and Δ.
Ligne_Ephemeride Composer_Ligne(const Calcul_Page& c, const Ligne_Calculee& calcul,
                                std::optional<Calcul_Place>& place, std::optional<Ciel_Jour>& ciel) {
    Ligne_Ephemeride ligne = Ligne_Datee(c.el);
    ligne.textes = calcul.textes;
    ligne.Alpha = calcul.Alpha;
    ligne.Delta = calcul.Delta;
    ligne.Distance_Terre = calcul.Distance_Terre;
    if (c.page.MT_Valide) ligne.M1 = Magnitude_Position(c.page.Lois.totale, c.pos);
    if (c.page.MN_Valide) ligne.M2 = Magnitude_Position(c.page.Lois.noyau, c.pos);
    if (Visibilite_Montree(c)) ligne.visibilite = Visibilite_Ligne(c, place, ciel);
    return ligne;
}

}  // namespace

bool Magnitude_Valide(const std::optional<Magnitude_Saisie>& m) {
    return m && m->Date.Jour >= 1 && m->Date.Mois > 0 && m->Date.An > An_Reforme;
}

bool Visibilite_Montree(const Calcul_Page& c) { return c.site != nullptr && c.site->Afficher; }

bool Lignes_Horaires(const Elements& el) { return el.Unite_Pas == En_Heures; }

std::optional<double> JJ_Premiere_Ligne(const Calcul_Page& c) {
    const std::optional<Instant_Saisi>& debut = c.entree.Debut;
    if (!debut) return std::nullopt;
    return Date_Vers_JJ(debut->Mois, static_cast<float>(debut->An), static_cast<float>(debut->Jour));
}

Direction_Corps Direction_Visibilite(const Calcul_Page& c, Calcul_Place* place) {
    if (!place) return [&el = c.el](double jj) { return Equatoriales_Corps(el, jj); };
    const Lieu_Observation* lieu = Lieu_Topocentrique(c);
    const Choix_Modele choix{Modele_Calcul::Precis, lieu != nullptr, true};
    return [place, choix, lieu](double jj) {
        const Place p = place->Calculer(jj, choix, lieu);
        return Equatoriales{p.Alpha, p.Delta};
    };
}

// The instant the integration starts from, written as the rows write theirs.
QString Texte_Mouvement(const Calcul_Page& c) {
    if (!c.entree.Modele.perturbations || !c.el.Epoque.JJ_Epoque) return QString::fromUtf8(Texte_Deux_Corps);
    return QString::fromUtf8(Texte_Perturbe).arg(Texte_Date_JJ(*c.el.Epoque.JJ_Epoque, c.notation));
}

QString Texte_Modele(const Calcul_Page& c) {
    if (Modele_Classique(c)) return {};
    const bool topocentrique = Lieu_Topocentrique(c) != nullptr;
    return QString::fromUtf8(Texte_Modele_Precis)
               .arg(QString::fromUtf8(c.entree.Modele.apparente ? Place_Apparente : Place_Astrometrique),
                    QString::fromUtf8(topocentrique ? Vue_Topocentrique : Vue_Geocentrique)) +
           QStringLiteral(", ") + Texte_Mouvement(c);
}

std::shared_ptr<Mouvement_Perturbe> Mouvement_Page(const Calcul_Page& c) {
    return Modele_Classique(c) ? nullptr : Mouvement_Monture(c);
}

std::shared_ptr<Mouvement_Perturbe> Mouvement_Monture(const Calcul_Page& c) {
    return c.entree.Modele.perturbations ? c.page.Mouvement.Pour(c.el) : nullptr;
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
    c.page.MT_Valide = Colonne_Magnitude(e.Totale, c.el.Lois.totale);
    c.page.MN_Valide = Colonne_Magnitude(e.Noyau, c.el.Lois.noyau);
    c.page.Lois = c.el.Lois;
    c.page.Page_Valide = Manques_Page(c.el, e).empty();
    c.page.Budget_Epuise = false;
    if (!c.page.Page_Valide) return false;

    c.el.JJ_Perihelie =
        e.Julienne ? e.Jour_Perihelie
                   : Date_Vers_JJ(e.Mois_Perihelie, static_cast<float>(e.An_Perihelie), e.Jour_Perihelie);
    if (Magnitude_Valide(e.Totale)) c.page.Lois.totale = Recalibrer(c, *e.Totale, c.el.Lois.totale);
    if (Magnitude_Valide(e.Noyau)) c.page.Lois.noyau = Recalibrer(c, *e.Noyau, c.el.Lois.noyau);
    return true;
}

void Generer_Lignes(const Calcul_Page& c, const Consommateur_Lignes& consommateur) {
    if (!consommateur || !c.entree.Debut) return;
    Placer_Instant(*c.entree.Debut, c.el);
    const int32_t n = Nombre_Lignes(c.el.Unite_Pas);
    Ligne_Calculee calcul;
    std::optional<Ciel_Jour> ciel;
    std::optional<Calcul_Place> place;
    const std::shared_ptr<Mouvement_Perturbe> mouvement = Mouvement_Page(c);
    const Budget_Integration budget(mouvement.get(), c.page);
    if (!Modele_Classique(c)) place.emplace(c.el, JJ_Instant(c.el), JJ_Derniere_Ligne(c.el), mouvement.get());
    for (int32_t k = 1; k <= n; ++k) {
        Echec_Integration echec = Echec_Integration::Aucun;
        if (place) {
            echec = Calculer_Ligne_Precise(c, *place, calcul);
        } else {
            Calculer_Ligne(c.el, c.tables, c.notation.Separateur_Decimal, c.pos, calcul);
        }
        if (echec == Echec_Integration::Budget_Epuise) c.page.Budget_Epuise = true;
        consommateur(echec == Echec_Integration::Aucun ? Composer_Ligne(c, calcul, place, ciel)
                                                       : Ligne_Echec(c, echec));
        if (!Avancer_Instant(c.el)) return;
    }
}

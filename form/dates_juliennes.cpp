#include "form/dates_juliennes.h"

#include <QRect>
#include <cmath>

#include "astro/calendrier.h"
#include "form/disposition_fiche.h"

namespace {

const char* const Motif_JJ_Perihelie = "#0.###";
const char* const Motif_JJ_Equinoxe = "#0.####";
const char* const Motif_General = "";  // an empty pattern writes the general format

// Maximum lengths of saisie_Jour_Perihelie, characters.
constexpr int Longueur_Jour_Calendaire = 8;
constexpr int Longueur_Jour_Julien = 14;
// The Julian caption is wider: 110 pixels where the calendar one has 92.
constexpr int Largeur_Titre_Julien = 110;
constexpr int Largeur_Titre_Calendaire = 92;
// A perihelion day this small or smaller is no date (days).
constexpr double Jour_Nul = 0.0001;

QString Texte(const char* utf8) { return QString::fromUtf8(utf8); }

// Caption, places and maximum length of the perihelion in its Julian form;
// the hints are the caller's. The length is set before any text is written,
// since an edit field cuts a text to its maximum length.
void Forme_Julienne(Boite_Outils& boite) {
    boite.Montrer(Controle::saisie_Mois_Perihelie, false);
    boite.Montrer(Controle::saisie_An_Perihelie, false);
    boite.Ecrire_Texte(Controle::TitrePerihelie, Texte("Date du périhélie JJ ="));
    const QRect titre = boite.Geometrie(Controle::TitrePerihelie);
    const int largeur =
        Place_Initiale(Controle::TitrePerihelie).width() * Largeur_Titre_Julien / Largeur_Titre_Calendaire;
    Placer_Gauche_Largeur(boite, Controle::TitrePerihelie, titre.x(), largeur);
    Placer_Gauche_Largeur(boite, Controle::saisie_Jour_Perihelie, titre.x() + largeur,
                          boite.Geometrie(Controle::saisie_gQ).width());
    boite.Ecrire_Longueur_Max(Controle::saisie_Jour_Perihelie, Longueur_Jour_Julien);
}

QString Texte_Entier_Positif(int32_t valeur) { return valeur > 0 ? QString::number(valeur) : QString(); }

// The stored perihelion date into its three fields, the day with `motif_jour`.
void Ecrire_Date_Perihelie(const Elements& el, Boite_Outils& boite, const Notation& notation,
                           const char* motif_jour) {
    boite.Ecrire_Texte(
        Controle::saisie_Jour_Perihelie,
        el.Jour_Perihelie > Jour_Nul ? Texte_Motif(el.Jour_Perihelie, motif_jour, notation) : QString());
    boite.Ecrire_Texte(Controle::saisie_Mois_Perihelie, Texte_Entier_Positif(el.Mois_Perihelie));
    boite.Ecrire_Texte(Controle::saisie_An_Perihelie, Texte_Entier_Positif(el.An_Perihelie));
}

// What distinguishes the two equinox items.
struct Mode_Equinoxe {
    Controle item;
    Controle champ;
    Controle etiquette;
    Controle deplace;  // the control that moves between the two forms
    double Elements::*annee;
    double Elements::*jj;
    const char* legende_jj;
    const char* legende_annee;
    const char* indice_jj;
    const char* indice_annee;
    int gauche_jj;
    int gauche_annee;
    const char* motif_annee;
};

const Mode_Equinoxe Equinoxe_Elements{Controle::Julienne_éléments,
                                      Controle::Equinoxe,
                                      Controle::Label26,
                                      Controle::Equinoxe,
                                      &Elements::Equinoxe,
                                      &Elements::JJ_Equinoxe,
                                      "Equinoxe des éléments JJ =",
                                      "Equinoxe des éléments =",
                                      "Date julienne de l'équinoxe des éléments",
                                      "Année calendaire de l'équinoxe des éléments",
                                      165,
                                      152,
                                      "#0.#######"};

const Mode_Equinoxe Equinoxe_Ephemeride{Controle::Julienne_éphéméride,
                                        Controle::Equinoxe_ephemeride,
                                        Controle::Label29,
                                        Controle::Label29,
                                        &Elements::Equinoxe_ephemeride,
                                        &Elements::JJ_Equinoxe_ephemeride,
                                        "Equinoxe éphéméride JJ =",
                                        "Equinoxe éphéméride =",
                                        "Date julienne de l'équinoxe de l'éphéméride",
                                        "Année calendaire de l'équinoxe de l'éphéméride",
                                        328,
                                        341,
                                        Motif_General};

// The number the field holds, blanks removed; false when it holds none.
bool Lire_Champ(const Boite_Outils& boite, Controle c, const Notation& notation, double& valeur) {
    const QString texte = boite.Texte(c);
    return Classe_Nombre(texte) != 0 && Lire_Reel(Oter_Espaces(texte), notation.Separateur_Decimal, valeur);
}

// Both values from a year typed; one of the Gregorian calendar's first day or
// before clears them. A year whose Julian day cannot be computed is not read.
void Lire_Annee(Elements& el, const Mode_Equinoxe& m, double annee) {
    if (!(annee > Date_Debut_Gregorien)) {
        el.*m.annee = 0;
        el.*m.jj = 0;
        return;
    }
    const double jj = Annee_Vers_JJ(annee);
    if (!std::isfinite(jj)) return;
    el.*m.annee = annee;
    el.*m.jj = jj;
}

void Lire_JJ(Elements& el, const Mode_Equinoxe& m, double jj) {
    if (!(jj > JJ_Debut_Gregorien)) {
        el.*m.annee = 0;
        el.*m.jj = 0;
        return;
    }
    const double annee = JJ_Vers_Annee(jj);
    if (!std::isfinite(annee)) return;
    el.*m.annee = annee;
    el.*m.jj = jj;
}

QString Texte_Positif(double valeur, const char* motif, const Notation& notation) {
    return valeur > 0 ? Texte_Motif(valeur, motif, notation) : QString();
}

void Basculer_Equinoxe(Elements& el, Boite_Outils& boite, const Notation& notation, const Mode_Equinoxe& m) {
    const bool julien = !boite.Coche(m.item);
    boite.Cocher(m.item, julien);
    double valeur = 0;
    const bool lu = Lire_Champ(boite, m.champ, notation, valeur);
    if (julien) {
        if (lu) Lire_Annee(el, m, valeur);
        boite.Ecrire_Texte(m.champ, Texte_Positif(el.*m.jj, Motif_JJ_Equinoxe, notation));
    } else {
        if (lu) Lire_JJ(el, m, valeur);
        boite.Ecrire_Texte(m.champ, Texte_Positif(el.*m.annee, m.motif_annee, notation));
    }
    boite.Ecrire_Texte(m.etiquette, Texte(julien ? m.legende_jj : m.legende_annee));
    const QRect place = boite.Geometrie(m.deplace);
    Placer_Gauche_Largeur(boite, m.deplace, julien ? m.gauche_jj : m.gauche_annee, place.width());
    boite.Ecrire_Indice(m.champ, Texte(julien ? m.indice_jj : m.indice_annee));
}

}  // namespace

void Forme_Calendaire(Boite_Outils& boite) {
    boite.Montrer(Controle::saisie_Mois_Perihelie, true);
    boite.Montrer(Controle::saisie_An_Perihelie, true);
    boite.Ecrire_Texte(Controle::TitrePerihelie, Texte("Date du périhélie ="));
    const QRect titre = boite.Geometrie(Controle::TitrePerihelie);
    Placer_Gauche_Largeur(boite, Controle::TitrePerihelie, titre.x(),
                          Place_Initiale(Controle::TitrePerihelie).width());
    const QRect jour = Place_Initiale(Controle::saisie_Jour_Perihelie);
    Placer_Gauche_Largeur(boite, Controle::saisie_Jour_Perihelie, jour.x(), jour.width());
    boite.Ecrire_Longueur_Max(Controle::saisie_Jour_Perihelie, Longueur_Jour_Calendaire);
}

void Afficher_JJ_Perihelie(const Elements& el, Boite_Outils& boite, const Notation& notation) {
    // Written as a negation so that a NaN empties the field too.
    const bool sans_date = !(el.JJ_Perihelie > 0);
    boite.Ecrire_Texte(Controle::saisie_Jour_Perihelie,
                       sans_date ? QString() : Texte_Motif(el.JJ_Perihelie, Motif_JJ_Perihelie, notation));
}

void JulienneClick(Elements& el, Boite_Outils& boite, const Notation& notation) {
    const bool julien = !boite.Coche(Controle::Julienne);
    boite.Cocher(Controle::Julienne, julien);
    if (julien) {
        Forme_Julienne(boite);
        boite.Ecrire_Indice(Controle::saisie_Jour_Perihelie, Texte("Date julienne du périhélie"));
        Afficher_JJ_Perihelie(el, boite, notation);
        return;
    }
    Forme_Calendaire(boite);
    boite.Ecrire_Indice(Controle::saisie_Jour_Perihelie, Texte("Jour calendaire du périhélie"));
    boite.Ecrire_Indice(Controle::saisie_Mois_Perihelie, Texte("Mois calendaire du périhélie"));
    boite.Ecrire_Indice(Controle::saisie_An_Perihelie, Texte("Année calendaire du périhélie"));
    Lire_Date_Perihelie(el, boite);
    Ecrire_Date_Perihelie(el, boite, notation, Motif_General);
}

void Julienne_élémentsClick(Elements& el, Boite_Outils& boite, const Notation& notation) {
    Basculer_Equinoxe(el, boite, notation, Equinoxe_Elements);
}

void Julienne_éphémérideClick(Elements& el, Boite_Outils& boite, const Notation& notation) {
    Basculer_Equinoxe(el, boite, notation, Equinoxe_Ephemeride);
}

void Lire_Date_Perihelie(Elements& el, const Boite_Outils& boite) {
    const QString texte = boite.Texte(Controle::saisie_Jour_Perihelie);
    if (!texte.isEmpty() && Classe_Nombre(texte) != 0) JJ_Vers_Date_Perihelie(el);
}

void Rafraichir_Perihelie(Elements& el, Boite_Outils& boite, const Notation& notation) {
    if (boite.Coche(Controle::Julienne)) {
        Forme_Julienne(boite);
        Afficher_JJ_Perihelie(el, boite, notation);
        return;
    }
    Forme_Calendaire(boite);
    JJ_Vers_Date_Perihelie(el);
    Ecrire_Date_Perihelie(el, boite, notation, Motif_JJ_Perihelie);
}

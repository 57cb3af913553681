#include "form/affichage_elements.h"

#include <array>
#include <cmath>

#include "astro/calendrier.h"
#include "astro/constantes.h"

namespace {

constexpr double Periode_Minimale_En_Annees = 3.0;  // shorter periods are written in days
constexpr double Demi_Grand_Axe_Visible = 0.0001;   // AU
constexpr double Angle_Nul = 0.0001;                // degrees
const char* const Motif_Element = "#0.##########";
const char* const Motif_Periode = ",#0.###";

// The fields and labels that exist only for an elliptic orbit.
constexpr std::array<Controle, 9> Controles_Elliptiques = {
    Controle::saisie_gQ, Controle::saisie_a, Controle::saisie_n, Controle::Titre4, Controle::Titre5,
    Controle::Titre6,    Controle::Titre7,   Controle::Titre9,   Controle::Titre10};

void Montrer_Elliptiques(Boite_Outils& boite, bool visible) {
    for (const Controle c : Controles_Elliptiques) boite.Montrer(c, visible);
}

void Passer_Parabolique(Elements& el, Boite_Outils& boite) {
    el.a = 0;
    el.gQ = 0;
    el.n = 0;
    boite.Montrer(Controle::Révolution, false);
    for (const Controle c : {Controle::saisie_gQ, Controle::saisie_a, Controle::saisie_n})
        boite.Ecrire_Texte(c, {});
    Montrer_Elliptiques(boite, false);
}

// The previous orbit tells which of a and q the new eccentricity keeps.
void Passer_Elliptique(Elements& el, Boite_Outils& boite, const QString& Texte_Entree_e,
                       const Notation& notation) {
    double e_avant = 0;
    if (Lire_Reel(Texte_Entree_e, notation.Separateur_Decimal, e_avant)) {
        if (!Orbite_Parabolique(e_avant)) {
            el.q = (1 - el.e) * el.a;
        } else {
            el.a = el.q / (1 - el.e);
        }
    }
    el.gQ = (1 + el.e) * el.a;
    if (el.a != 0) {
        Afficher_Revolution(el, boite, notation);
    } else {
        boite.Ecrire_Texte(Controle::Révolution, {});
    }
    el.n = Moyen_Mouvement(el.a);
    Montrer_Elliptiques(boite, true);
}

void Ecrire_Element(Boite_Outils& boite, Controle c, double valeur, const Notation& notation) {
    boite.Ecrire_Texte(c, valeur > 0 ? Texte_Motif(valeur, Motif_Element, notation) : QString());
}

void Mettre_A_Jour_JJ_Perihelie(Elements& el, const Boite_Outils& boite, const Notation& notation) {
    const char sep = notation.Separateur_Decimal;
    if (boite.Coche(Controle::Julienne)) {
        el.JJ_Perihelie = Reel_Ou_Zero(boite.Texte(Controle::saisie_Jour_Perihelie), sep);
        return;
    }
    const double jour = Reel_Ou_Zero(boite.Texte(Controle::saisie_Jour_Perihelie), sep);
    const int32_t mois = Entier_Ou_Zero(boite.Texte(Controle::saisie_Mois_Perihelie));
    const int32_t an = Entier_Ou_Zero(boite.Texte(Controle::saisie_An_Perihelie));
    if (jour > 1 && el.n > 0) el.JJ_Perihelie = Date_Vers_JJ(mois, static_cast<float>(an), jour);
}

}  // namespace

void Afficher_Revolution(const Elements& el, Boite_Outils& boite, const Notation& notation) {
    const double P = Periode_Annees(el.a);
    QString texte = QStringLiteral("Durée de révolution = ");
    if (P >= Periode_Minimale_En_Annees) {
        texte += Texte_Motif(std::trunc(P * 100) / 100, Motif_Periode, notation) + QStringLiteral(" ans");
    } else {
        texte += Texte_Motif(std::trunc(P * Jours_Par_An_Julien * 100) / 100, Motif_Periode, notation) +
                 QStringLiteral(" jours");
    }
    boite.Ecrire_Texte(Controle::Révolution, texte);
    if (el.a > Demi_Grand_Axe_Visible) boite.Montrer(Controle::Révolution, true);
}

void Recalculer_Excentricite(Elements& el, Boite_Outils& boite, const QString& Texte_Entree_e,
                             const Notation& notation) {
    const QString texte = boite.Texte(Controle::saisie_e);
    if (texte.isEmpty()) {
        el.q = 0;
        el.gQ = 0;
        el.e = 0;
        boite.Ecrire_Texte(Controle::Révolution, {});
    } else {
        el.e = Arrondi_10(Reel_Ou_Zero(texte, notation.Separateur_Decimal));
        if (!Orbite_Parabolique(el.e)) {
            Passer_Elliptique(el, boite, Texte_Entree_e, notation);
        } else {
            Passer_Parabolique(el, boite);
        }
    }
    boite.Ecrire_Texte(Controle::saisie_e, Texte_General(el.e, notation.Separateur_Decimal));
}

void Afficher_Elements(Elements& el, Boite_Outils& boite, const Notation& notation) {
    Ecrire_Element(boite, Controle::saisie_a, el.a, notation);
    Ecrire_Element(boite, Controle::saisie_n, el.n, notation);
    Ecrire_Element(boite, Controle::saisie_q, el.q, notation);
    Ecrire_Element(boite, Controle::saisie_gQ, el.gQ, notation);
    Ecrire_Element(boite, Controle::saisie_i, el.i, notation);
    Ecrire_Element(boite, Controle::saisie_gOmega, el.gOmega, notation);

    const bool argument = boite.Texte(Controle::Label15) == QStringLiteral("w =  ");
    const double angle = argument ? el.Omega : el.Longitude_Perihelie;
    boite.Ecrire_Texte(Controle::saisie_Omega, std::fabs(angle) > Angle_Nul
                                                   ? Texte_Motif(angle, Motif_Element, notation)
                                                   : QString());

    Mettre_A_Jour_JJ_Perihelie(el, boite, notation);
}

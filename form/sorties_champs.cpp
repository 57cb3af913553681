#include "form/sorties_champs.h"

#include <cmath>
#include <limits>

#include "form/affichage_elements.h"
#include "form/edition.h"
#include "form/sorties_dates.h"
#include "form/sorties_elements.h"

namespace {

// How a field's text is cleaned when the field is left.
enum class Nettoyage {
    Espaces,    // spaces removed
    Normalise,  // rewritten with the decimal separator, then spaces removed
};

using Regle_Sortie = void (*)(Contexte_Formulaire&, const Sortie_Champ&);

struct Sortie_Numerique {
    Controle champ;
    Nettoyage nettoyage;
    Regle_Sortie regle;
};

using N = Nettoyage;
using C = Controle;

// The 25 numeric fields; row X is the handler Fiche<X>Exit.
constexpr Sortie_Numerique Sorties[] = {
    {C::Equinoxe, N::Normalise, Sortie_Equinoxe},
    {C::Equinoxe_ephemeride, N::Normalise, Sortie_Equinoxe},
    {C::saisie_e, N::Espaces, Sortie_Excentricite},
    {C::saisie_q, N::Normalise, Sortie_Taille},
    {C::saisie_a, N::Normalise, Sortie_Taille},
    {C::saisie_gQ, N::Espaces, Sortie_Distance_Aphelie},
    {C::saisie_n, N::Normalise, Sortie_Taille},
    {C::saisie_i, N::Espaces, Sortie_Inclinaison},
    {C::saisie_Omega, N::Normalise, Sortie_Angle_Perihelie},
    {C::saisie_gOmega, N::Normalise, Sortie_Noeud},
    {C::saisie_Jour_Perihelie, N::Espaces, Sortie_Jour_Perihelie},
    {C::saisie_Mois_Perihelie, N::Espaces, Sortie_Mois_Perihelie},
    {C::saisie_An_Perihelie, N::Espaces, Sortie_An_Perihelie},
    {C::Saisie_MT, N::Espaces, Sortie_Magnitude},
    {C::Saisie_JMT, N::Espaces, Sortie_Magnitude},
    {C::Saisie_MMT, N::Espaces, Sortie_Magnitude},
    {C::Saisie_AMT, N::Espaces, Sortie_Magnitude},
    {C::Saisie_MN, N::Espaces, Sortie_Magnitude},
    {C::Saisie_JMN, N::Espaces, Sortie_Magnitude},
    {C::Saisie_MMN, N::Espaces, Sortie_Magnitude},
    {C::Saisie_AMN, N::Espaces, Sortie_Magnitude},
    {C::saisie_Jour, N::Espaces, Sortie_Jour_Debut},
    {C::saisie_Mois, N::Espaces, Sortie_Mois_Debut},
    {C::saisie_An, N::Espaces, Sortie_An_Debut},
    {C::Saisie_Pas, N::Espaces, Sortie_Pas},
};

const Sortie_Numerique* Sortie_De(Controle c) {
    for (const Sortie_Numerique& s : Sorties) {
        if (s.champ == c) return &s;
    }
    return nullptr;
}

QString Nettoyer(const QString& texte, Nettoyage nettoyage, const Notation& notation) {
    if (nettoyage == Nettoyage::Normalise) {
        return Oter_Espaces(Normaliser_Nombre(texte, notation.Separateur_Decimal));
    }
    return Oter_Espaces(texte);
}

// The common start of a numeric field's exit: cleaned, written back, compared.
Sortie_Champ Commencer_Sortie(Contexte_Formulaire& ctx, const Sortie_Numerique& s) {
    const QString texte = Nettoyer(ctx.boite.Texte(s.champ), s.nettoyage, ctx.notation);
    ctx.boite.Ecrire_Texte(s.champ, texte);
    const bool change = texte.trimmed() != ctx.formulaire.Entree(s.champ).trimmed();
    return {s.champ, texte, change};
}

// FicheCommentaireExit: the comment shows on the page at the next refresh.
void Sortie_Commentaire(Contexte_Formulaire& ctx) {
    const QString texte = ctx.boite.Texte(Controle::Commentaire).trimmed();
    if (texte != ctx.formulaire.Entree(Controle::Commentaire).trimmed()) ctx.document.Modifie = true;
}

// ---- What each exit takes, for a text that was not typed

using Test_Prise = bool (*)(Controle champ, const QString& texte, const Elements& el, const Notation& n);

struct Prise_Champ {
    Controle champ;
    Test_Prise prise;
    // Its values come from the keyboard alone, so its key filter holds for
    // them; the eccentricity is also written in the general format, the
    // perihelion year also comes from a Julian day and may be negative.
    bool clavier;
};

template <bool (*tenu)(const QString&, const Notation&)>
bool Tenu(Controle, const QString& texte, const Elements&, const Notation& n) {
    return tenu(texte, n);
}
bool Taille_Prise_Seule(Controle champ, const QString& texte, const Elements& el, const Notation& n) {
    Elements apres;
    return Taille_Prise(champ, texte, el, n, apres);
}
template <bool (*prise)(const QString&, const Notation&, float&)>
bool Angle_Pris(Controle, const QString& texte, const Elements&, const Notation& n) {
    float angle = 0;
    return prise(texte, n, angle);
}
bool Annee_Equinoxe_Prise(Controle champ, const QString& texte, const Elements&, const Notation& n) {
    return Equinoxe_Prise(champ, texte, n, false);
}
bool Mois_Pris(Controle, const QString& texte, const Elements&, const Notation&) {
    int32_t mois = 0;
    return Mois_Perihelie_Pris(texte, mois);
}
bool Entier_Pris(Controle, const QString& texte, const Elements&, const Notation&) {
    int32_t n = 0;
    return Lire_Nombre_Entier(texte, n);
}

const Prise_Champ Prises[] = {
    {C::saisie_e, Tenu<Excentricite_Tenue>, false},
    {C::saisie_q, Taille_Prise_Seule, true},
    {C::saisie_a, Taille_Prise_Seule, true},
    {C::saisie_n, Taille_Prise_Seule, true},
    {C::saisie_i, Angle_Pris<Inclinaison_Prise>, true},
    {C::saisie_Omega, Tenu<Argument_Tenu>, true},
    {C::saisie_gOmega, Angle_Pris<Noeud_Pris>, true},
    {C::Equinoxe, Annee_Equinoxe_Prise, true},
    {C::Equinoxe_ephemeride, Annee_Equinoxe_Prise, true},
    {C::saisie_Jour_Perihelie, Tenu<Jour_Perihelie_Tenu>, true},
    {C::saisie_Mois_Perihelie, Mois_Pris, true},
    {C::saisie_An_Perihelie, Entier_Pris, false},
};

const Prise_Champ* Prise_De(Controle c) {
    for (const Prise_Champ& p : Prises) {
        if (p.champ == c) return &p;
    }
    return nullptr;
}

}  // namespace

bool Valeur_Prise(Controle champ, const QString& texte, const Elements& el, const Notation& notation) {
    const Sortie_Numerique* s = Sortie_De(champ);
    const Prise_Champ* p = Prise_De(champ);
    if (s == nullptr || p == nullptr) return true;
    const QString propre = Nettoyer(texte, s->nettoyage, notation);
    if (propre.isEmpty()) return false;
    if (p->clavier && !Caracteres_Saisissables(champ, propre, notation.Separateur_Decimal)) return false;
    return p->prise(champ, propre, el, notation);
}

void Executer_Sortie(Contexte_Formulaire& ctx, Controle champ) {
    if (champ == Controle::Commentaire) {
        ctx.formulaire.Dernier_Champ = Tabulation(champ);
        Sortie_Commentaire(ctx);
        return;
    }
    const Sortie_Numerique* s = Sortie_De(champ);
    if (s == nullptr) return;
    ctx.formulaire.Dernier_Champ = Tabulation(champ);
    s->regle(ctx, Commencer_Sortie(ctx, *s));
}

void Restaurer(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    ctx.boite.Ecrire_Texte(s.champ, ctx.formulaire.Entree(s.champ));
}

void Accepter(Contexte_Formulaire& ctx, bool afficher_elements) {
    ctx.document.Modifie = true;
    if (afficher_elements) Afficher_Elements(ctx.el, ctx.boite, ctx.notation);
    ctx.Rafraichir();
}

bool Lire_Nombre(const QString& texte, const Notation& notation, double& valeur) {
    return Classe_Nombre(texte) != 0 && Lire_Reel(texte, notation.Separateur_Decimal, valeur);
}

bool Lire_Nombre_Entier(const QString& texte, int32_t& valeur) {
    return Classe_Nombre(texte) == 1 && Lire_Entier(texte, valeur);
}

bool Vers_Simple(double valeur, float& simple) {
    // Narrowing a double beyond the float range is undefined: refuse it first.
    if (!(std::fabs(valeur) <= std::numeric_limits<float>::max())) return false;
    simple = static_cast<float>(valeur);
    return true;
}

#include "form/edition.h"

#include <algorithm>

#include "astro/elements.h"
#include "form/affichage_elements.h"
#include "form/dates_juliennes.h"
#include "form/disposition_fiche.h"
#include "form/listes.h"

namespace {

using C = Controle;

constexpr char16_t Touche_Entree = 13;
constexpr char16_t Touche_Echap = 27;
constexpr char16_t Dernier_Caractere_Passant = 32;  // control characters and the space

// Where the focus goes on Enter. A few rows depend on the frame's state:
// they name the condition and the control to go to when it does not hold.
enum class Condition { Aucune, Orbite_Elliptique, Perihelie_Julien, a_Visible };

struct Saut_Entree {
    Controle depuis;
    Controle vers;
    Condition si = Condition::Aucune;
    Controle sinon = Controle::Nombre_Controles;
};

constexpr Saut_Entree Sauts_Entree[] = {
    {C::Commentaire, C::Equinoxe},
    {C::Equinoxe, C::Equinoxe_ephemeride},
    {C::Equinoxe_ephemeride, C::saisie_e},
    {C::saisie_e, C::saisie_q},
    {C::saisie_q, C::saisie_a, Condition::Orbite_Elliptique, C::saisie_i},
    {C::saisie_a, C::saisie_gQ},
    {C::saisie_gQ, C::saisie_n},
    {C::saisie_n, C::saisie_i},
    {C::saisie_i, C::saisie_Omega},
    {C::saisie_Omega, C::saisie_gOmega},
    {C::saisie_gOmega, C::saisie_Jour_Perihelie},
    {C::saisie_Jour_Perihelie, C::Equinoxe, Condition::Perihelie_Julien, C::saisie_Mois_Perihelie},
    {C::saisie_Mois_Perihelie, C::saisie_An_Perihelie},
    {C::saisie_An_Perihelie, C::Saisie_MT},
    {C::Saisie_MT, C::Saisie_JMT},
    {C::Saisie_JMT, C::Saisie_MMT},
    {C::Saisie_MMT, C::Saisie_AMT},
    {C::Saisie_AMT, C::Saisie_MN},
    {C::Saisie_MN, C::Saisie_JMN},
    {C::Saisie_JMN, C::Saisie_MMN},
    {C::Saisie_MMN, C::Saisie_AMN},
    {C::Saisie_AMN, C::saisie_Jour},
    {C::saisie_Jour, C::saisie_Mois},
    {C::saisie_Mois, C::saisie_An},
    {C::saisie_An, C::Saisie_Pas},
    {C::Saisie_Pas, C::Liste_Pas},
    {C::Liste_Pas, C::Commentaire},
    {C::Liste_Instruments, C::saisie_a, Condition::a_Visible, C::saisie_e},
};

bool Condition_Tenue(const Contexte_Formulaire& ctx, Condition si) {
    switch (si) {
        case Condition::Aucune:
            return true;
        case Condition::Orbite_Elliptique:
            return !Orbite_Parabolique(ctx.el.e) && ctx.boite.Visible(C::saisie_a);
        case Condition::Perihelie_Julien:
            return ctx.boite.Coche(C::Julienne);
        case Condition::a_Visible:
            return ctx.boite.Visible(C::saisie_a);
    }
    return true;
}

bool Est_Liste(Controle c) { return c == C::Liste_Pas || c == C::Liste_Instruments; }

// The exit rule of whichever control loses the focus.
void Quitter_Controle(Contexte_Formulaire& ctx, Controle c) {
    if (c == C::Liste_Instruments) {
        FicheListe_InstrumentsExit(ctx);
    } else if (c == C::Liste_Pas) {
        FicheListe_PasExit(ctx);
    } else if (Est_Controle_Saisie(c)) {
        Executer_Sortie(ctx, c);
    }
}

void Activer_Edition(Boite_Outils& boite, bool couper_copier, bool coller) {
    boite.Activer(C::Couper, couper_copier);
    boite.Activer(C::Copier, couper_copier);
    boite.Activer(C::Coller, coller);
}

// The comment takes any text the clipboard holds, as long as there is one.
void Activer_Edition_Commentaire(Boite_Outils& boite) {
    Activer_Edition(boite, true, boite.Presse_Papiers_A_Texte() && !boite.Presse_Papiers().isEmpty());
}

// A numeric field is offered only a number to paste.
void Activer_Edition_Nombre(Boite_Outils& boite) {
    Activer_Edition(boite, true,
                    boite.Presse_Papiers_A_Texte() && Classe_Nombre(boite.Presse_Papiers()) != 0);
}

// Enter in saisie_e: the typed value is taken as it stands, unrounded, before
// the exit compares the field with what it held on entry.
void Prendre_Excentricite(Contexte_Formulaire& ctx) {
    const char separateur = ctx.notation.Separateur_Decimal;
    const QString texte = Oter_Espaces(Normaliser_Nombre(ctx.boite.Texte(C::saisie_e), separateur));
    ctx.boite.Ecrire_Texte(C::saisie_e, texte);
    double e = 0;
    if (Classe_Nombre(texte) != 0 && Lire_Reel(texte, separateur, e)) ctx.el.e = e;
}

void Valider_Par_Entree(Contexte_Formulaire& ctx, Controle c) {
    const Controle cible = Cible_Entree(ctx, c);
    if (c == C::saisie_e) Prendre_Excentricite(ctx);
    Donner_Focus(ctx, cible);
    if (c == C::Commentaire) {
        // The comment shows on the page at the next refresh, not now.
        ctx.boite.Selectionner_Tout(C::Commentaire);
        return;
    }
    ctx.Rafraichir();
}

void Restaurer_Par_Echap(Contexte_Formulaire& ctx, Controle c) {
    ctx.boite.Ecrire_Texte(c, ctx.formulaire.Entree(c));
    ctx.boite.Selectionner_Tout(c);
}

QChar Filtrer(const Contexte_Formulaire& ctx, Controle c, QChar touche) {
    return Filtrer_Touche(c, touche, ctx.boite.Texte(c), ctx.notation.Separateur_Decimal);
}

// ---- The reset, step by step

const QString Legende_Equinoxe_Ephemeride = QStringLiteral("Equinoxe éphéméride =");
const QString Legende_Equinoxe_Elements = QStringLiteral("Equinoxe des éléments =");
constexpr int Gauche_Label29 = 345;  // pixels; the reset's place, not the creation's

// Pixels from the frame's left edge to the right edge of its rightmost control.
int Droite_Des_Controles(const Boite_Outils& boite) {
    int droite = 0;
    for (const Disposition_Controle& d : Disposition_Fiche())
        if (d.controle != C::Fenetre) droite = std::max(droite, boite.Geometrie(d.controle).right() + 1);
    return droite;
}

// The page image back to its size at creation and blanked over all of it: an
// image grown from a shorter page would still show the rows of a longer one
// drawn before. The frame holds the image and every field beside it.
void Vider_Image(Boite_Outils& boite) {
    QRect fenetre = boite.Geometrie(C::Fenetre);
    fenetre.setSize(Place_Initiale(C::Fenetre).size());
    boite.Placer(C::Fenetre, fenetre);
    boite.Canevas_Fenetre().Remplir_Rectangle(QRect(QPoint(0, 0), fenetre.size()));
    const int haut = boite.Geometrie(C::ToolBar1).height();
    const int largeur = std::max(fenetre.width(), Droite_Des_Controles(boite));
    boite.Placer(C::Fiche, QRect(0, haut, largeur, fenetre.y() + fenetre.height()));
}

constexpr Controle Champs_Vides[] = {
    C::saisie_e,
    C::saisie_a,
    C::saisie_n,
    C::saisie_gQ,
    C::saisie_q,
    C::saisie_i,
    C::saisie_Omega,
    C::saisie_gOmega,
    C::saisie_Jour_Perihelie,
    C::saisie_Mois_Perihelie,
    C::saisie_An_Perihelie,
    C::Commentaire,
    C::Saisie_MT,
    C::Saisie_JMT,
    C::Saisie_MMT,
    C::Saisie_AMT,
    C::Saisie_MN,
    C::Saisie_JMN,
    C::Saisie_MMN,
    C::Saisie_AMN,
};

void Vider_Elements(Contexte_Formulaire& ctx) {
    for (Controle c : Champs_Vides) ctx.boite.Ecrire_Texte(c, {});
    Elements& el = ctx.el;
    el.e = el.a = el.n = el.gQ = el.q = el.i = el.Omega = 0;
    el.gOmega = el.Longitude_Perihelie = 0;
    el.Jour_Perihelie = 0;
    el.Mois_Perihelie = el.An_Perihelie = 0;
    el.Anomalie_Moyenne = 0;
    el.Lois = {};
    el.Epoque = {};
    ctx.boite.Ecrire_Texte(C::Saisie_Pas, QStringLiteral("1"));
    el.Pas = 1;
    ctx.boite.Ecrire_Texte(C::Liste_Pas, QString::fromUtf8(Noms_Unites_Pas[1]));  // days
}

void Vider_Equinoxes(Contexte_Formulaire& ctx) {
    Boite_Outils& boite = ctx.boite;
    ctx.el.Equinoxe_ephemeride = ctx.el.JJ_Equinoxe_ephemeride = 0;
    ctx.el.Equinoxe = ctx.el.JJ_Equinoxe = 0;
    boite.Ecrire_Texte(C::Label29, Legende_Equinoxe_Ephemeride);
    Placer_Gauche_Largeur(boite, C::Label29, Gauche_Label29, boite.Geometrie(C::Label29).width());
    boite.Ecrire_Texte(C::Label26, Legende_Equinoxe_Elements);
    Placer_Gauche_Largeur(boite, C::Equinoxe, Place_Initiale(C::Equinoxe).x(),
                          boite.Geometrie(C::Equinoxe).width());
    boite.Cocher(C::Julienne_éphéméride, false);
    boite.Cocher(C::Julienne_éléments, false);
    boite.Ecrire_Texte(C::Equinoxe, {});
    boite.Ecrire_Texte(C::Equinoxe_ephemeride, {});
}

// The perihelion back in its calendar form, at the places of the frame's creation.
void Perihelie_Calendaire(Boite_Outils& boite) {
    Forme_Calendaire(boite);
    boite.Cocher(C::Julienne, false);
}

void Document_Vierge(Contexte_Formulaire& ctx) {
    ctx.document.Modifie = false;
    ctx.document.Nom_Fichier.clear();
    ctx.document.Dernier_Fichier.clear();
    for (Controle c : {C::ToolEnregistrer, C::Enregistrer, C::Imprimer1, C::ToolImprimer})
        ctx.boite.Activer(c, false);
    ctx.boite.Ecrire_Texte(C::Principale, Titre_Programme);
}

void Recalculer_e(Contexte_Formulaire& ctx) {
    Recalculer_Excentricite(ctx.el, ctx.boite, ctx.formulaire.Entree(C::saisie_e), ctx.notation);
}

}  // namespace

void Donner_Focus(Contexte_Formulaire& ctx, Controle nouveau) {
    const Controle ancien = ctx.formulaire.Focus;
    if (nouveau != ancien) {
        // Recorded first, so that nothing the exit does takes it for a change still to come.
        ctx.formulaire.Focus = nouveau;
        Quitter_Controle(ctx, ancien);
        FicheEnter(ctx, nouveau);
    }
    ctx.boite.Montrer_Focus(nouveau);
}

void Appliquer_Sortie(Contexte_Formulaire& ctx) {
    const Controle c = ctx.formulaire.Focus;
    if (!Est_Controle_Saisie(c)) return;
    Quitter_Controle(ctx, c);
    const QString texte = ctx.boite.Texte(c);
    ctx.formulaire.Entree(c) = c == C::Commentaire ? texte.trimmed() : texte;
    // The comment's exit leaves the refresh, which enables Save, to later.
    if (!ctx.document.Modifie) return;
    for (Controle commande : {C::ToolEnregistrer, C::Enregistrer}) ctx.boite.Activer(commande, true);
}

void FicheEnter(Contexte_Formulaire& ctx, Controle c) {
    if (!Est_Controle_Saisie(c)) return;
    const QString texte = ctx.boite.Texte(c);
    QString& entree = ctx.formulaire.Entree(c);
    if (c == C::Commentaire) {
        entree = texte.trimmed();
        ctx.boite.Selectionner_Tout(c);
        Activer_Edition_Commentaire(ctx.boite);
        return;
    }
    entree = texte;
    // The step's unit leaves the clipboard commands as they are.
    if (c == C::Liste_Instruments) Activer_Edition(ctx.boite, false, false);
    if (!Est_Liste(c)) Activer_Edition_Nombre(ctx.boite);
}

void FicheClick(Contexte_Formulaire& ctx, Controle champ) {
    if (!Est_Controle_Saisie(champ) || Est_Liste(champ)) return;
    if (Tabulation(champ) != ctx.formulaire.Dernier_Champ) {
        ctx.formulaire.Dernier_Champ = Tabulation(champ);
        ctx.boite.Selectionner_Tout(champ);
    }
    if (champ == C::Commentaire) Activer_Edition_Commentaire(ctx.boite);
}

QChar FicheKeyPress(Contexte_Formulaire& ctx, Controle c, QChar touche) {
    if (!Est_Controle_Saisie(c)) return touche;
    if (touche == Touche_Entree) {
        Valider_Par_Entree(ctx, c);
        return {};
    }
    if (touche == Touche_Echap) {
        Restaurer_Par_Echap(ctx, c);
        return {};
    }
    return Filtrer(ctx, c, touche);
}

Controle Cible_Entree(const Contexte_Formulaire& ctx, Controle c) {
    for (const Saut_Entree& s : Sauts_Entree)
        if (s.depuis == c) return Condition_Tenue(ctx, s.si) ? s.vers : s.sinon;
    return c;
}

QChar Filtre_Chiffres(QChar touche, const QString&) {
    if (touche.unicode() <= Dernier_Caractere_Passant || (touche >= u'0' && touche <= u'9')) return touche;
    return {};
}

QChar Filtre_Decimal(QChar touche, const QString& texte, char separateur) {
    if (touche == u',' || touche == u'.') {
        const QChar virgule = QLatin1Char(separateur);
        return texte.contains(virgule) ? QChar() : virgule;
    }
    return Filtre_Chiffres(touche, texte);
}

QChar Filtre_Signe(QChar touche, const QString& texte, char separateur) {
    if (touche == u'-') return texte.isEmpty() ? touche : QChar();
    return Filtre_Decimal(touche, texte, separateur);
}

QChar Filtrer_Touche(Controle c, QChar touche, const QString& texte, char separateur) {
    const Disposition_Controle* d = Disposition_De(c);
    switch (d == nullptr ? Filtre_Touche::Aucun : d->filtre) {
        case Filtre_Touche::Aucun:
            return touche;
        case Filtre_Touche::Decimal:
            return Filtre_Decimal(touche, texte, separateur);
        case Filtre_Touche::Signe:
            return Filtre_Signe(touche, texte, separateur);
        case Filtre_Touche::Chiffres:
            return Filtre_Chiffres(touche, texte);
    }
    return touche;
}

bool Caracteres_Saisissables(Controle c, const QString& texte, char separateur) {
    QString tape;
    for (const QChar touche : texte) {
        if (Filtrer_Touche(c, touche, tape, separateur) != touche) return false;
        tape.append(touche);
    }
    return true;
}

bool Texte_Saisissable(Controle c, const QString& texte, char separateur) {
    const Disposition_Controle* d = Disposition_De(c);
    if (d != nullptr && d->longueur_max > 0 && texte.size() > d->longueur_max) return false;
    return Caracteres_Saisissables(c, texte, separateur);
}

void Reinitialiser_Fiche(Contexte_Formulaire& ctx) {
    Vider_Image(ctx.boite);
    Donner_Focus(ctx, C::Commentaire);
    ctx.boite.Montrer(C::Révolution, false);
    Vider_Elements(ctx);
    Vider_Equinoxes(ctx);
    Recalculer_e(ctx);
    ctx.boite.Montrer(C::Révolution, false);
    ctx.boite.Ecrire_Texte(C::Révolution, {});
    Perihelie_Calendaire(ctx.boite);
    Afficher_Elements(ctx.el, ctx.boite, ctx.notation);
    Donner_Focus(ctx, C::Commentaire);
    ctx.formulaire.Entree(C::Commentaire) = ctx.boite.Texte(C::Commentaire).trimmed();
    ctx.boite.Selectionner_Tout(C::Commentaire);
    Document_Vierge(ctx);
    ctx.Ajuster_Barres();
    Recalculer_e(ctx);
}

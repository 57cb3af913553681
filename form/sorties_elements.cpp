#include "form/sorties_elements.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/calendrier.h"
#include "form/affichage_elements.h"
#include "form/angle_perihelie.h"
#include "form/dates_juliennes.h"

namespace {

constexpr double Inclinaison_Max = 360;         // degrees, excluded
constexpr double Angle_Nul = 0.0001;            // degrees: an angle this small or smaller is none
constexpr double Moyen_Mouvement_Nul = 0.0001;  // degrees per day
constexpr double Annee_Max = 2200;              // equinox as a year, included
constexpr double JJ_Max = 2524594;              // equinox as a Julian day, excluded

// One of the three sizes that define the orbit with e, and how a follows from it.
struct Regle_Taille {
    Controle champ;
    double Elements::*taille;
    double (*Demi_Grand_Axe)(const Elements& el);
};

const Regle_Taille Regles_Taille[] = {
    {Controle::saisie_a, &Elements::a, [](const Elements& el) { return el.a; }},
    {Controle::saisie_n, &Elements::n,
     [](const Elements& el) { return std::pow(K_Moyen_Mouvement / el.n, 2.0 / 3.0); }},
    {Controle::saisie_q, &Elements::q, [](const Elements& el) { return el.q / (1 - el.e); }},
};

const Regle_Taille& Regle_De(Controle champ) {
    for (const Regle_Taille& r : Regles_Taille) {
        if (r.champ == champ) return r;
    }
    return Regles_Taille[0];
}

// The sizes of an elliptic orbit that follow from the one just typed, each
// rounded to ten decimals.
void Deriver_Tailles(Elements& el, const Regle_Taille& r) {
    el.a = Arrondi_10(r.Demi_Grand_Axe(el));
    if (r.taille != &Elements::q) el.q = Arrondi_10((1 - el.e) * el.a);
    el.gQ = Arrondi_10((1 + el.e) * el.a);
    if (r.taille != &Elements::n) el.n = Arrondi_10(K_Moyen_Mouvement / std::pow(el.a, 1.5));
}

// A size so small or so large that another, or the period, cannot be
// written is refused.
bool Tailles_Finies(const Elements& el) {
    return std::isfinite(el.a) && std::isfinite(el.q) && std::isfinite(el.gQ) && std::isfinite(el.n) &&
           std::isfinite(Periode_Annees(el.a));
}

// The sizes that follow from a value typed in the field of `r`; false when
// the value is none or they cannot be held.
bool Tailles_Suivantes(const Elements& avant, const Regle_Taille& r, double v, Elements& el) {
    if (!(v > 0)) return false;
    el = avant;
    el.*r.taille = Arrondi_10(v);
    if (!Orbite_Parabolique(el.e)) Deriver_Tailles(el, r);
    return Tailles_Finies(el);
}

void Prendre_Taille(Contexte_Formulaire& ctx, const Elements& el) {
    ctx.el = el;
    if (!Orbite_Parabolique(el.e)) {
        Afficher_Revolution(ctx.el, ctx.boite, ctx.notation);
    } else {
        ctx.boite.Ecrire_Texte(Controle::Révolution, {});
    }
    Accepter(ctx, true);
}

void Effacer_Tailles(Contexte_Formulaire& ctx) {
    for (double Elements::*taille : {&Elements::q, &Elements::a, &Elements::n, &Elements::gQ}) {
        ctx.el.*taille = 0;
    }
    for (Controle c : {Controle::saisie_q, Controle::saisie_a, Controle::saisie_n, Controle::saisie_gQ}) {
        ctx.boite.Ecrire_Texte(c, {});
    }
}

// An emptied field that nothing refills stays empty; leaving it so marks the
// document modified when it held something on entry.
void Marquer_Si_Vide(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    if (!ctx.formulaire.Entree(s.champ).isEmpty()) ctx.document.Modifie = true;
}

bool Mode_Argument(const Boite_Outils& boite) { return boite.Texte(Controle::Label15) == Legende_Argument; }

// The value narrowed to single precision, as the angle fields store it;
// false when it is not below `maximum` once narrowed.
bool Angle_Simple(double v, double maximum, float& simple) {
    return std::fabs(v) < maximum && Vers_Simple(v, simple) && std::fabs(simple) < maximum;
}

}  // namespace

bool Taille_Prise(Controle champ, const QString& texte, const Elements& avant, const Notation& notation,
                  Elements& el) {
    double v = 0;
    return Lire_Nombre(texte, notation, v) && Tailles_Suivantes(avant, Regle_De(champ), v, el);
}

bool Inclinaison_Prise(const QString& texte, const Notation& notation, float& i) {
    double v = 0;
    return Lire_Nombre(texte, notation, v) && v > 0 && Angle_Simple(v, Inclinaison_Max, i);
}

namespace {

bool Angle_Perihelie_Pris(const QString& texte, const Notation& notation, float& angle) {
    double v = 0;
    return Lire_Nombre(texte, notation, v) && Angle_Simple(v, Tour, angle) && std::fabs(angle) > Angle_Nul;
}

}  // namespace

bool Noeud_Pris(const QString& texte, const Notation& notation, float& noeud) {
    double v = 0;
    return Lire_Nombre(texte, notation, v) && v >= 0 && Angle_Simple(v, Tour, noeud);
}

bool Excentricite_Tenue(const QString& texte, const Notation& notation) {
    double e = 0;
    return Lire_Reel(texte, notation.Separateur_Decimal, e) && e >= 0;
}

bool Argument_Tenu(const QString& texte, const Notation& notation) {
    double v = 0;
    return Lire_Nombre(texte, notation, v) && v >= 0 && v <= Tour;
}

void Sortie_Taille(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    if (s.change) {
        Elements el;
        if (Taille_Prise(s.champ, s.texte, ctx.el, ctx.notation, el)) {
            Prendre_Taille(ctx, el);
        } else if (!s.texte.isEmpty()) {
            Restaurer(ctx, s);
        }
    }
    if (ctx.boite.Texte(s.champ).isEmpty()) {
        Effacer_Tailles(ctx);
        Marquer_Si_Vide(ctx, s);
    }
}

void Sortie_Distance_Aphelie(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    if (!s.change) return;
    double v = 0;
    if (!Lire_Nombre(s.texte, ctx.notation, v) || v <= 0) return Restaurer(ctx, s);
    Elements el = ctx.el;
    el.gQ = v;
    el.a = el.gQ / (1 + el.e);
    el.q = (1 - el.e) * el.a;
    el.n = K_Moyen_Mouvement / std::pow(el.a, 1.5);
    if (!Tailles_Finies(el)) return Restaurer(ctx, s);
    ctx.el = el;
    Afficher_Revolution(ctx.el, ctx.boite, ctx.notation);
    Accepter(ctx, true);
}

void Sortie_Excentricite(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    if (!s.change) return;
    double v = 0;
    if (!Lire_Nombre(s.texte, ctx.notation, v)) return Restaurer(ctx, s);
    Recalculer_Excentricite(ctx.el, ctx.boite, ctx.formulaire.Entree(Controle::saisie_e), ctx.notation);
    Accepter(ctx, true);
}

void Sortie_Inclinaison(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    if (s.change) {
        float i = 0;
        if (Inclinaison_Prise(s.texte, ctx.notation, i)) {
            ctx.el.i = Arrondi_10(i);
            Accepter(ctx, false);
        } else {
            Restaurer(ctx, s);
        }
    }
    if (ctx.boite.Texte(s.champ).isEmpty()) ctx.el.i = 0;
}

void Sortie_Angle_Perihelie(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    if (s.change) {
        float angle = 0;
        if (Angle_Perihelie_Pris(s.texte, ctx.notation, angle)) {
            Elements& el = ctx.el;
            if (Mode_Argument(ctx.boite)) {
                el.Omega = Arrondi_10(angle);
                Omega_Vers_Longitude(el);
            } else {
                el.Longitude_Perihelie = Arrondi_10(angle);
                Longitude_Vers_Omega(el);
            }
            Accepter(ctx, false);
        } else if (!s.texte.isEmpty()) {
            Restaurer(ctx, s);
        }
    }
    if (ctx.boite.Texte(s.champ).isEmpty()) Marquer_Si_Vide(ctx, s);
}

// "0" is taken like every other text of the value 0: a node of 0.
void Sortie_Noeud(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    if (s.texte.isEmpty()) return Marquer_Si_Vide(ctx, s);
    if (!s.change) return;
    float noeud = 0;
    if (!Noeud_Pris(s.texte, ctx.notation, noeud)) return Restaurer(ctx, s);
    Elements& el = ctx.el;
    el.gOmega = Arrondi_10(noeud);
    if (Mode_Argument(ctx.boite)) {
        Omega_Vers_Longitude(el);
    } else {
        Longitude_Vers_Omega(el);
    }
    Accepter(ctx, false);
}

namespace {

// What distinguishes the two equinox fields.
struct Regle_Equinoxe {
    Controle champ;
    Controle item_julien;
    double Elements::*annee;
    double Elements::*jj;
    bool perihelie;  // the equinox of the elements also dates the perihelion
};

const Regle_Equinoxe Regles_Equinoxe[] = {
    {Controle::Equinoxe, Controle::Julienne_éléments, &Elements::Equinoxe, &Elements::JJ_Equinoxe, true},
    {Controle::Equinoxe_ephemeride, Controle::Julienne_éphéméride, &Elements::Equinoxe_ephemeride,
     &Elements::JJ_Equinoxe_ephemeride, false},
};

const Regle_Equinoxe& Equinoxe_De(Controle champ) {
    return champ == Controle::Equinoxe ? Regles_Equinoxe[0] : Regles_Equinoxe[1];
}

// Both forms of the equinox from the value typed; false when it is out of range.
bool Prendre_Equinoxe(Elements& el, const Regle_Equinoxe& r, bool julien, double x) {
    if (julien) {
        if (!(x > JJ_Debut_Gregorien && x < JJ_Max)) return false;
        el.*r.jj = x;
        el.*r.annee = JJ_Vers_Annee(x);
    } else {
        if (!(x > Date_Debut_Gregorien && x <= Annee_Max)) return false;
        el.*r.annee = x;
        el.*r.jj = Annee_Vers_JJ(x);
    }
    return true;
}

// With no perihelion date typed, the mean anomaly at the equinox dates it.
void Dater_Perihelie(Contexte_Formulaire& ctx) {
    Elements& el = ctx.el;
    if (!(el.n > Moyen_Mouvement_Nul) || !ctx.boite.Texte(Controle::saisie_Jour_Perihelie).isEmpty()) return;
    el.JJ_Perihelie = el.JJ_Equinoxe - el.Anomalie_Moyenne / el.n;
    Rafraichir_Perihelie(el, ctx.boite, ctx.notation);
}

}  // namespace

bool Equinoxe_Prise(Controle champ, const QString& texte, const Notation& notation, bool julien) {
    double x = 0;
    Elements el;
    return Lire_Nombre(texte, notation, x) && Prendre_Equinoxe(el, Equinoxe_De(champ), julien, x);
}

// A number out of range is refused, yet still marks the document modified
// and rebuilds the page.
void Sortie_Equinoxe(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    if (!s.change) {
        ctx.boite.Ecrire_Texte(s.champ, ctx.formulaire.Entree(s.champ));
        return;
    }
    double x = 0;
    if (!Lire_Nombre(s.texte, ctx.notation, x)) return Restaurer(ctx, s);
    const Regle_Equinoxe& r = Equinoxe_De(s.champ);
    if (!Prendre_Equinoxe(ctx.el, r, ctx.boite.Coche(r.item_julien), x)) Restaurer(ctx, s);
    if (r.perihelie) Dater_Perihelie(ctx);
    Accepter(ctx, r.perihelie);
}

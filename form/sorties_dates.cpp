#include "form/sorties_dates.h"

#include <limits>

#include "astro/calendrier.h"
#include "form/dates_juliennes.h"

namespace {

constexpr double Plancher = -30;  // start day, magnitude, observation day: taken above it
constexpr int32_t Mois_Par_An = 12;
constexpr double Jour_Perihelie_Min = 1;   // included
constexpr double Jour_Perihelie_Max = 32;  // excluded

bool Tient_Dans_Int32(int64_t x) {
    return x >= std::numeric_limits<int32_t>::min() && x <= std::numeric_limits<int32_t>::max();
}

// The text of a start field, "1" written back when it was left empty;
// `change` tells whether the text differs from the one held on entry.
QString Texte_Ou_Un(Contexte_Formulaire& ctx, const Sortie_Champ& s, bool& change) {
    change = s.change;
    if (!s.texte.isEmpty()) return s.texte;
    const QString un = QStringLiteral("1");
    ctx.boite.Ecrire_Texte(s.champ, un);
    change = un != ctx.formulaire.Entree(s.champ).trimmed();
    return un;
}

}  // namespace

bool Lire_Mois_An(const Boite_Outils& boite, Date_Debut& d) {
    const QString mois = boite.Texte(Controle::saisie_Mois);
    int32_t m = 0;
    int32_t a = 0;
    if (!mois.isEmpty() && !Lire_Nombre_Entier(mois, m)) return false;
    if (!Lire_Nombre_Entier(boite.Texte(Controle::saisie_An), a)) return false;
    d.Mois = m;
    d.An = a;
    return true;
}

bool Normaliser_Debut(Elements& el, Date_Debut& d) {
    if (!Tient_Dans_Int32(d.Mois) || !Tient_Dans_Int32(d.An)) return false;
    Elements essai = el;
    essai.Jour = d.Jour;
    essai.Mois = static_cast<int32_t>(d.Mois);
    essai.An = static_cast<int32_t>(d.An);
    if (!Normaliser_Date(essai)) return false;
    d = {essai.Jour, essai.Mois, essai.An};
    return true;
}

bool Ecrire_Date_Debut(Contexte_Formulaire& ctx, const Date_Debut& d) {
    if (!Tient_Dans_Int32(d.Mois) || !Tient_Dans_Int32(d.An)) return false;
    ctx.el.Jour = d.Jour;
    ctx.el.Mois = static_cast<int32_t>(d.Mois);
    ctx.el.An = static_cast<int32_t>(d.An);
    ctx.boite.Ecrire_Texte(Controle::saisie_Jour, Texte_General(d.Jour, ctx.notation.Separateur_Decimal));
    ctx.boite.Ecrire_Texte(Controle::saisie_Mois, QString::number(d.Mois));
    ctx.boite.Ecrire_Texte(Controle::saisie_An, QString::number(d.An));
    return true;
}

// A day past the month's end moves the date on; a day of 0 or a negative one
// stays as typed. A date the calendar cannot hold is refused.
void Sortie_Jour_Debut(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    bool change = false;
    const QString texte = Texte_Ou_Un(ctx, s, change);
    if (!change) return;
    double v = 0;
    Date_Debut d;
    if (!Lire_Nombre(texte, ctx.notation, v) || !(v > Plancher) || !Vers_Simple(v, d.Jour) ||
        !Lire_Mois_An(ctx.boite, d) || !Normaliser_Debut(ctx.el, d) || !Ecrire_Date_Debut(ctx, d)) {
        return Restaurer(ctx, s);
    }
    ctx.Rafraichir();
}

// A month above 12 is brought down by whole years, the year left as it is.
void Sortie_Mois_Debut(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    bool change = false;
    const QString texte = Texte_Ou_Un(ctx, s, change);
    if (!change) return;
    int32_t mois = 0;
    if (!Lire_Nombre_Entier(texte, mois)) return Restaurer(ctx, s);
    if (mois > Mois_Par_An) mois = (mois - 1) % Mois_Par_An + 1;
    if (mois < 1) return Restaurer(ctx, s);
    ctx.boite.Ecrire_Texte(s.champ, QString::number(mois));
    ctx.Rafraichir();
}

void Sortie_An_Debut(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    if (!s.change) return;
    int32_t an = 0;
    if (!Lire_Nombre_Entier(s.texte, an) || an == 0) return Restaurer(ctx, s);
    ctx.Rafraichir();
}

void Sortie_Pas(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    if (!s.change) return;
    int32_t pas = 0;
    if (!Lire_Nombre_Entier(s.texte, pas) || pas == 0) return Restaurer(ctx, s);
    ctx.el.Pas = pas;
    Accepter(ctx, false);
}

namespace {

// A Julian day whose calendar date the program cannot hold is refused.
bool JJ_Perihelie_Lisible(const Elements& el, double jj) {
    Elements essai = el;
    essai.JJ_Perihelie = jj;
    return JJ_Vers_Date_Perihelie(essai);
}

}  // namespace

namespace {

bool Jour_Perihelie_Pris(const QString& texte, const Notation& notation, double& jour) {
    return Lire_Nombre(texte, notation, jour) && jour >= Jour_Perihelie_Min && jour < Jour_Perihelie_Max;
}

}  // namespace

bool Jour_Perihelie_Tenu(const QString& texte, const Notation& notation) {
    double jour = 0;
    return Lire_Nombre(texte, notation, jour) && jour >= Jour_Perihelie_Min && jour <= Jour_Perihelie_Max;
}

bool Mois_Perihelie_Pris(const QString& texte, int32_t& mois) {
    return Lire_Nombre_Entier(texte, mois) && mois >= 1 && mois <= Mois_Par_An;
}

// Any change marks the document modified, even one that is then refused.
void Sortie_Jour_Perihelie(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    if (!s.change) return;
    ctx.document.Modifie = true;
    double v = 0;
    const bool nombre = Lire_Nombre(s.texte, ctx.notation, v);
    if (ctx.boite.Coche(Controle::Julienne)) {
        if (!nombre || !JJ_Perihelie_Lisible(ctx.el, v)) return Restaurer(ctx, s);
        // The date follows the Julian day typed, which the refresh would
        // take from the field anyway; from the one stored before, it would
        // lag a change behind, and with none stored yet be that of day 0,
        // whose year keeps the page hidden.
        ctx.el.JJ_Perihelie = v;
        Lire_Date_Perihelie(ctx.el, ctx.boite);
    } else {
        if (!Jour_Perihelie_Pris(s.texte, ctx.notation, v)) return Restaurer(ctx, s);
        ctx.el.Jour_Perihelie = v;
    }
    ctx.Rafraichir();
}

void Sortie_Mois_Perihelie(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    if (!s.change) return;
    int32_t mois = 0;
    if (!Mois_Perihelie_Pris(s.texte, mois)) return Restaurer(ctx, s);
    ctx.el.Mois_Perihelie = mois;
    Accepter(ctx, false);
}

void Sortie_An_Perihelie(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    if (!s.change) return;
    int32_t an = 0;
    if (!Lire_Nombre_Entier(s.texte, an)) return Restaurer(ctx, s);
    ctx.el.An_Perihelie = an;
    Accepter(ctx, false);
}

namespace {

// The rule of a magnitude field or of a field of its observation date: the
// value taken lies in (minimum, maximum], zero excepted where it is no value.
struct Regle_Magnitude {
    Controle champ;
    bool entier;  // a whole number, else a magnitude
    double minimum;
    double maximum;
    bool sans_zero;
    bool afficher_elements;
};

constexpr double Infini = std::numeric_limits<double>::infinity();

constexpr Regle_Magnitude Regles_Magnitude[] = {
    {Controle::Saisie_MT, false, Plancher, Infini, false, true},
    {Controle::Saisie_MN, false, Plancher, Infini, false, true},
    {Controle::Saisie_JMT, true, Plancher, Infini, false, true},
    {Controle::Saisie_JMN, true, Plancher, Infini, false, true},
    {Controle::Saisie_MMT, true, 0, Mois_Par_An, false, false},
    {Controle::Saisie_MMN, true, 0, Mois_Par_An, false, false},
    {Controle::Saisie_AMT, true, -Infini, Infini, true, false},
    {Controle::Saisie_AMN, true, -Infini, Infini, true, false},
};

const Regle_Magnitude& Magnitude_De(Controle champ) {
    for (const Regle_Magnitude& r : Regles_Magnitude) {
        if (r.champ == champ) return r;
    }
    return Regles_Magnitude[0];
}

// A magnitude is taken as the page will read it.
bool Lire_Magnitude(const QString& texte, const Notation& notation, double& valeur) {
    return Classe_Magnitude(texte) != 0 && Lire_Nombre(texte, notation, valeur);
}

bool Lire_Valeur(const Regle_Magnitude& r, const QString& texte, const Notation& notation, double& valeur) {
    if (!r.entier) return Lire_Magnitude(texte, notation, valeur);
    int32_t entier = 0;
    if (!Lire_Nombre_Entier(texte, entier)) return false;
    valeur = entier;
    return true;
}

}  // namespace

// An emptied field withdraws the estimate: the columns go back to their law.
void Sortie_Magnitude(Contexte_Formulaire& ctx, const Sortie_Champ& s) {
    if (!s.change) return;
    if (s.texte.isEmpty()) return Accepter(ctx, false);
    const Regle_Magnitude& r = Magnitude_De(s.champ);
    double v = 0;
    if (!Lire_Valeur(r, s.texte, ctx.notation, v) || !(v > r.minimum && v <= r.maximum) ||
        (r.sans_zero && v == 0)) {
        return Restaurer(ctx, s);
    }
    Accepter(ctx, r.afficher_elements);
}

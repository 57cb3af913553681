#include "form/boutons_pas.h"

#include <cmath>
#include <limits>

#include "astro/calendrier.h"
#include "form/sorties_dates.h"

namespace {

constexpr float Seuil_Fraction = 0.0001f;
constexpr int64_t Mois_Par_An = 12;
constexpr int32_t Jours_Mois_Long = 31;

float Fraction(float x) { return x - std::trunc(x); }

int32_t Dernier_Jour(int64_t mois, int64_t an) {
    return Longueur_Mois(static_cast<int32_t>(mois), Annee_Bissextile_Boutons(an));
}

void Mois_Precedent(Date_Debut& d) {
    if (--d.Mois < 1) {
        d.Mois = Mois_Par_An;
        --d.An;
    }
}

void Mois_Suivant(Date_Debut& d) {
    if (++d.Mois > Mois_Par_An) {
        d.Mois = 1;
        ++d.An;
    }
}

// The start date as the buttons read it: an empty day counts as the 1st.
bool Lire_Date_Debut(const Contexte_Formulaire& ctx, Date_Debut& d) {
    QString jour = ctx.boite.Texte(Controle::saisie_Jour);
    if (jour.isEmpty()) jour = QStringLiteral("1");
    double v = 0;
    return Lire_Nombre(jour, ctx.notation, v) && Vers_Simple(v, d.Jour) && Lire_Mois_An(ctx.boite, d);
}

// One step of the date; false when the new date cannot be held.
using Pas_Date = bool (*)(Elements& el, Date_Debut& d);

bool Jour_Plus(Elements& el, Date_Debut& d) {
    d.Jour += 1;
    return Normaliser_Debut(el, d);
}

// Stepping back past the 1st lands on the last day of the month before, the
// time of day lost.
bool Jour_Moins(Elements&, Date_Debut& d) {
    d.Jour -= 1;
    if (d.Jour < 1) {
        Mois_Precedent(d);
        d.Jour = static_cast<float>(Dernier_Jour(d.Mois, d.An));
    }
    return true;
}

bool Mois_Plus(Elements& el, Date_Debut& d) {
    Mois_Suivant(d);
    return Normaliser_Debut(el, d);
}

// The day is capped to the shorter month; a month of 31 days keeps it.
bool Mois_Moins(Elements&, Date_Debut& d) {
    Mois_Precedent(d);
    const int32_t dernier = Dernier_Jour(d.Mois, d.An);
    if (dernier < Jours_Mois_Long && d.Jour > static_cast<float>(dernier))
        d.Jour = static_cast<float>(dernier);
    return true;
}

void Changer_Date(Contexte_Formulaire& ctx, Pas_Date pas) {
    Date_Debut d;
    if (!Lire_Date_Debut(ctx, d) || !pas(ctx.el, d) || !Ecrire_Date_Debut(ctx, d)) return;
    ctx.Rafraichir();
}

// There is no year 0: the step from -1 goes to 1 and back.
void Changer_An(Contexte_Formulaire& ctx, int32_t pas) {
    int32_t an = 0;
    if (!Lire_Nombre_Entier(ctx.boite.Texte(Controle::saisie_An), an)) return;
    int64_t nouvel = static_cast<int64_t>(an) + pas;
    if (nouvel == 0) nouvel = pas;
    if (nouvel > std::numeric_limits<int32_t>::max() || nouvel < std::numeric_limits<int32_t>::min()) return;
    ctx.el.An = static_cast<int32_t>(nouvel);
    ctx.boite.Ecrire_Texte(Controle::saisie_An, QString::number(ctx.el.An));
    ctx.Rafraichir();
}

}  // namespace

bool Annee_Bissextile_Boutons(int64_t an) {
    const float a = static_cast<float>(an);
    const bool par_4 = Fraction(a / 4) < Seuil_Fraction;
    const bool par_100 = Fraction(a / 100) < Seuil_Fraction;
    const bool hors_400 = Fraction(a / 400) > Seuil_Fraction;
    return par_4 && !(par_100 && hors_400);
}

void FicheJourPlusClick(Contexte_Formulaire& ctx) { Changer_Date(ctx, Jour_Plus); }
void FicheJourMoinsClick(Contexte_Formulaire& ctx) { Changer_Date(ctx, Jour_Moins); }
void FicheMoisPlusClick(Contexte_Formulaire& ctx) { Changer_Date(ctx, Mois_Plus); }
void FicheMoisMoinsClick(Contexte_Formulaire& ctx) { Changer_Date(ctx, Mois_Moins); }
void FicheAnPlusClick(Contexte_Formulaire& ctx) { Changer_An(ctx, 1); }
void FicheAnMoinsClick(Contexte_Formulaire& ctx) { Changer_An(ctx, -1); }

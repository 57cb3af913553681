#include "page/textes_ligne.h"

#include <cmath>

#include "astro/calendrier.h"
#include "astro/elements.h"
#include "astro/ligne.h"

namespace {
const char* const Motif_Jour = "#0.00";
const char* const Motif_Entier = "#0";
const char* const Motif_Magnitude = "#0.0";
// A row's day lies within a month or two of its month's first day; one
// further away than these months' days is shown as it stands.
constexpr int Mois_Deplaces_Max = 3;
constexpr double Jours_Deplaces_Max = 31 * Mois_Deplaces_Max;

// The day as `motif` writes it.
double Jour_Ecrit(double jour, const char* motif, const Notation& n) {
    double ecrit = jour;
    Lire_Reel(Texte_Motif(jour, motif, n), n.Separateur_Decimal, ecrit);
    return ecrit;
}

// Moves the day by one month towards its own month; false when it is there.
bool Deplacer_Mois(double& jour, double ecrit, int64_t& mois, int64_t& an) {
    if (ecrit < 1) {
        if (--mois < 1) {
            mois = 12;
            --an;
        }
        jour += Longueur_Mois(static_cast<int32_t>(mois), static_cast<int32_t>(an));
        return true;
    }
    const int32_t L = Longueur_Mois(static_cast<int32_t>(mois), static_cast<int32_t>(an));
    if (ecrit < L + 1) return false;
    jour -= L;
    if (++mois > 12) {
        mois = 1;
        ++an;
    }
    return true;
}

struct Date_Ecrite {
    double jour;
    int64_t mois;
    int64_t an;
};

// The date whose day, written with `motif`, is one its month has.
Date_Ecrite Date_Dans_Son_Mois(double jour, int32_t mois, int32_t an, const char* motif, const Notation& n) {
    Date_Ecrite d{jour, mois, an};
    if (mois < 1 || mois > 12 || an <= An_Minimum || an >= An_Maximum ||
        !(std::fabs(jour) < Jours_Deplaces_Max))
        return d;
    for (int k = 0; k < Mois_Deplaces_Max; ++k)
        if (!Deplacer_Mois(d.jour, Jour_Ecrit(d.jour, motif, n), d.mois, d.an)) break;
    return d;
}
}  // namespace

QString Deux_Chiffres(const QString& texte, char separateur_decimal) {
    const int separateur = texte.indexOf(QChar::fromLatin1(separateur_decimal));
    const int longueur_entiere = separateur < 0 ? texte.size() : separateur;
    const bool un_chiffre = longueur_entiere == 1 && texte[0].isDigit();
    return un_chiffre ? QStringLiteral("0") + texte : texte;
}

QString Texte_Jour_Ligne(double jour, const Notation& notation) {
    return Deux_Chiffres(Texte_Motif(jour, Motif_Jour, notation), notation.Separateur_Decimal);
}

Textes_Date_Ligne Textes_Date(double jour, int32_t mois, int32_t an, const Notation& n) {
    const Date_Ecrite d = Date_Dans_Son_Mois(jour, mois, an, Motif_Jour, n);
    return {Texte_Jour_Ligne(d.jour, n), Texte_General(static_cast<double>(d.mois), n.Separateur_Decimal),
            Texte_General(static_cast<double>(d.an), n.Separateur_Decimal)};
}

Textes_Date_Ligne Textes_Date_Debut(double jour, int32_t mois, int32_t an, const Notation& n) {
    const Date_Ecrite d = Date_Dans_Son_Mois(jour, mois, an, Motif_Entier, n);
    return {Texte_Entier_Deux_Chiffres(d.jour, n), Texte_Entier_Deux_Chiffres(static_cast<double>(d.mois), n),
            Texte_General(static_cast<double>(d.an), n.Separateur_Decimal)};
}

QString Texte_Date_JJ(double jj, const Notation& n) {
    Elements date;
    date.JJ_Perihelie = jj;
    if (!std::isfinite(jj) || !JJ_Vers_Date_Perihelie(date)) return {};
    const double jour = date.Jour_Perihelie;
    const bool entier = Jour_Ecrit(jour, Motif_Jour, n) == std::floor(Jour_Ecrit(jour, Motif_Jour, n));
    const Date_Ecrite d = Date_Dans_Son_Mois(jour, date.Mois_Perihelie, date.An_Perihelie,
                                             entier ? Motif_Entier : Motif_Jour, n);
    const QString texte_jour = entier ? Texte_Entier_Deux_Chiffres(d.jour, n) : Texte_Jour_Ligne(d.jour, n);
    return texte_jour + u'/' + Texte_Entier_Deux_Chiffres(static_cast<double>(d.mois), n) + u'/' +
           Texte_General(static_cast<double>(d.an), n.Separateur_Decimal);
}

QString Texte_Entier_Deux_Chiffres(double valeur, const Notation& n) {
    return Deux_Chiffres(Texte_Motif(valeur, Motif_Entier, n), n.Separateur_Decimal);
}

// A magnitude at distances the computation could not give is shown like the
// other values of such a row.
QString Texte_Magnitude(double magnitude, const Notation& notation) {
    if (!std::isfinite(magnitude)) return QString::fromLatin1(Texte_Indefini);
    return Texte_Motif(magnitude, Motif_Magnitude, notation);
}

#include "document/commandes_lois.h"

#include <array>
#include <cmath>
#include <optional>

#include "astro/calendrier.h"
#include "document/fichier_elements.h"
#include "document/fichier_lois_epoque.h"
#include "form/textes_nombres.h"
#include "page/legendes.h"

namespace {

const QString Nom_Totale = QStringLiteral("Loi totale");
const QString Nom_Noyau = QStringLiteral("Loi du noyau");
const QString Nom_Epoque = QStringLiteral("Epoque d'osculation");
const QString Pas_Un_Nombre = QStringLiteral("%1, %2 : « %3 » n'est pas un nombre.");
const QString Hors_Limites = QStringLiteral("%1, %2 : %3 n'est pas entre %4 et %5.");
const QString Pas_Un_Jour =
    QStringLiteral("%1 : « %2 » n'est ni un jour julien ni une date J/M/A du calendrier.");
const QChar Barre_Date = u'/';

QString Nombre_Texte(double x, char separateur) { return Texte_General(x, separateur); }

std::optional<double> Nombre_Saisi(const QString& texte, char separateur) {
    double x = 0;
    if (!Lire_Reel(Normaliser_Separateur(texte.trimmed(), separateur), separateur, x) || !std::isfinite(x))
        return std::nullopt;
    return x;
}

Saisie_Loi Saisie_Loi_Depuis(const Loi_Magnitude& loi, char separateur) {
    return {loi.forme == Forme_Loi::Asteroide,
            Nombre_Texte(loi.Zero, separateur),
            Nombre_Texte(loi.K, separateur),
            Nombre_Texte(loi.PC, separateur),
            Nombre_Texte(loi.G, separateur),
            Texte_Origine(loi.origine, loi.source),
            QString()};
}

// The texts a law of this form uses, with their parameter.
struct Champ_Loi {
    Parametre_Loi parametre;
    const QString Saisie_Loi::*texte;
};
std::vector<Champ_Loi> Champs_Loi(const Saisie_Loi& s) {
    if (s.asteroide) return {{Parametre_Loi::Zero, &Saisie_Loi::Zero}, {Parametre_Loi::G, &Saisie_Loi::G}};
    return {{Parametre_Loi::Zero, &Saisie_Loi::Zero},
            {Parametre_Loi::K, &Saisie_Loi::K},
            {Parametre_Loi::PC, &Saisie_Loi::PC}};
}

QString Refus_Loi(const Saisie_Loi& s, const QString& colonne, char separateur) {
    for (const Champ_Loi& c : Champs_Loi(s)) {
        const Limites_Parametre& l = Limites_Loi(c.parametre);
        const QString nom = QString::fromUtf8(l.nom);
        const std::optional<double> x = Nombre_Saisi(s.*c.texte, separateur);
        if (!x) return Pas_Un_Nombre.arg(colonne, nom, s.*c.texte);
        if (!Parametre_Loi_Valide(c.parametre, *x))
            return Hors_Limites.arg(colonne, nom, s.*c.texte, Nombre_Texte(l.minimum, separateur),
                                    Nombre_Texte(l.maximum, separateur));
    }
    return {};
}

bool Epoque_Valide(double jj) {
    return jj >= Date_Vers_JJ(1, static_cast<float>(An_Minimum), 1) &&
           jj <= Date_Vers_JJ(12, static_cast<float>(An_Maximum), 31);
}

// "14/1/1995" or "14,5/1/1995": a day its month has, a month, a year; the
// epoch's Julian day, or none.
std::optional<double> Date_Epoque(const QString& texte, char separateur) {
    const QStringList parties = texte.trimmed().split(Barre_Date);
    if (parties.size() != 3) return std::nullopt;
    bool mois_lu = false;
    bool an_lu = false;
    const int mois = parties[1].trimmed().toInt(&mois_lu);
    const int an = parties[2].trimmed().toInt(&an_lu);
    const std::optional<double> jour = Nombre_Saisi(parties[0], separateur);
    if (!mois_lu || !an_lu || !jour || mois < 1 || mois > 12 || an < An_Minimum || an > An_Maximum)
        return std::nullopt;
    if (*jour < 1 || *jour >= Longueur_Mois(mois, an) + 1) return std::nullopt;
    return Date_Vers_JJ(mois, static_cast<float>(an), *jour);
}

// The epoch typed as a Julian day or as a date; none when it is neither or
// lies outside the calendar's years.
std::optional<double> Epoque_Saisie(const QString& texte, char separateur) {
    const std::optional<double> jj =
        texte.contains(Barre_Date) ? Date_Epoque(texte, separateur) : Nombre_Saisi(texte, separateur);
    if (!jj || !Epoque_Valide(*jj)) return std::nullopt;
    return jj;
}

// The law the texts give, or nothing when they give the numbers it had:
// a law merely looked at keeps where it came from.
std::optional<Loi_Magnitude> Loi_Changee(const Saisie_Loi& s, const Loi_Magnitude& avant, char separateur) {
    const double zero = *Nombre_Saisi(s.Zero, separateur);
    const Loi_Magnitude loi = s.asteroide
                                  ? Loi_Asteroide(zero, *Nombre_Saisi(s.G, separateur), Origine_Loi::Saisie)
                                  : Loi_Comete(zero, *Nombre_Saisi(s.K, separateur),
                                               *Nombre_Saisi(s.PC, separateur), Origine_Loi::Saisie);
    const bool meme = loi.forme == avant.forme && loi.Zero == avant.Zero &&
                      (s.asteroide ? loi.G == avant.G : loi.K == avant.K && loi.PC == avant.PC);
    if (meme) return std::nullopt;
    return loi;
}

// What the texts change in the element set; false when nothing.
bool Appliquer(const Saisie_Lois& saisie, const Saisie_Lois& montree, char separateur, Elements& el) {
    bool change = false;
    for (auto [texte, loi] : {std::pair{&saisie.totale, &el.Lois.totale}, {&saisie.noyau, &el.Lois.noyau}}) {
        if (const std::optional<Loi_Magnitude> nouvelle = Loi_Changee(*texte, *loi, separateur)) {
            *loi = *nouvelle;
            change = true;
        }
    }
    if (saisie.Epoque.trimmed() != montree.Epoque.trimmed()) {
        el.Epoque.JJ_Epoque = Epoque_Saisie(saisie.Epoque, separateur);
        el.Epoque.origine = Origine_Loi::Saisie;
        el.Epoque.source.clear();
        change = true;
    }
    return change;
}

}  // namespace

Saisie_Lois Saisie_Depuis(const Elements& el, char separateur) {
    Saisie_Lois s;
    s.totale = Saisie_Loi_Depuis(el.Lois.totale, separateur);
    s.noyau = Saisie_Loi_Depuis(el.Lois.noyau, separateur);
    const Osculation& o = el.Epoque;
    if (o.JJ_Epoque) s.Epoque = Nombre_Texte(*o.JJ_Epoque, separateur);
    if (o.Non_Grav) {
        s.A1 = Nombre_Texte(o.Non_Grav->A1, separateur);
        s.A2 = Nombre_Texte(o.Non_Grav->A2, separateur);
        s.A3 = Nombre_Texte(o.Non_Grav->A3, separateur);
    }
    if (o.JJ_Epoque || o.Non_Grav) s.Origine_Epoque = Texte_Origine(o.origine, o.source);
    return s;
}

QString Refus_Lois(const Saisie_Lois& saisie, char separateur) {
    QString refus = Refus_Loi(saisie.totale, Nom_Totale, separateur);
    if (refus.isEmpty()) refus = Refus_Loi(saisie.noyau, Nom_Noyau, separateur);
    if (!refus.isEmpty() || saisie.Epoque.trimmed().isEmpty()) return refus;
    if (!Epoque_Saisie(saisie.Epoque, separateur)) return Pas_Un_Jour.arg(Nom_Epoque, saisie.Epoque);
    return {};
}

void Modifier_Lois(Programme& p) {
    const char separateur = p.notation.Separateur_Decimal;
    Saisie_Lois montree = Saisie_Depuis(p.el, separateur);
    const Calcul_Page calcul = p.Calcul();
    montree.totale.Colonne = Texte_Suivi_Colonne(calcul, true);
    montree.noyau.Colonne = Texte_Suivi_Colonne(calcul, false);
    const std::optional<Saisie_Lois> saisie = p.boite.Saisir_Lois(
        montree, [separateur](const Saisie_Lois& s) { return Refus_Lois(s, separateur); });
    // The platform's answer is checked again: nothing refused is ever kept.
    if (!saisie || !Refus_Lois(*saisie, separateur).isEmpty()) return;
    if (!Appliquer(*saisie, montree, separateur, p.el)) return;
    p.document.Modifie = true;
    Rafraichir(p.Page());
}

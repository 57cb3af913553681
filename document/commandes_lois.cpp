#include "document/commandes_lois.h"

#include <array>
#include <cmath>
#include <optional>

#include "astro/calendrier.h"
#include "document/fichier_elements.h"
#include "document/fichier_lois_epoque.h"
#include "form/textes_nombres.h"

namespace {

const QString Nom_Totale = QStringLiteral("Loi totale");
const QString Nom_Noyau = QStringLiteral("Loi du noyau");
const QString Nom_Epoque = QStringLiteral("Epoque d'osculation");
const QString Pas_Un_Nombre = QStringLiteral("%1, %2 : « %3 » n'est pas un nombre.");
const QString Hors_Limites = QStringLiteral("%1, %2 : %3 n'est pas entre %4 et %5.");
const QString Pas_Un_Jour = QStringLiteral("%1 : « %2 » n'est pas un jour julien du calendrier.");

QString Nombre_Texte(double x, char separateur) { return Texte_General(x, separateur); }

std::optional<double> Nombre_Saisi(const QString& texte, char separateur) {
    double x = 0;
    if (!Lire_Reel(Normaliser_Separateur(texte.trimmed(), separateur), separateur, x) || !std::isfinite(x))
        return std::nullopt;
    return x;
}

Saisie_Loi Saisie_Loi_Depuis(const Loi_Magnitude& loi, char separateur) {
    return {loi.forme == Forme_Loi::Asteroide, Nombre_Texte(loi.Zero, separateur),
            Nombre_Texte(loi.K, separateur),   Nombre_Texte(loi.PC, separateur),
            Nombre_Texte(loi.G, separateur),   Texte_Origine(loi.origine, loi.source)};
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
        el.Epoque.JJ_Epoque = Nombre_Saisi(saisie.Epoque, separateur);
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
    const std::optional<double> jj = Nombre_Saisi(saisie.Epoque, separateur);
    if (!jj || !Epoque_Valide(*jj)) return Pas_Un_Jour.arg(Nom_Epoque, saisie.Epoque);
    return {};
}

void Modifier_Lois(Programme& p) {
    const char separateur = p.notation.Separateur_Decimal;
    const Saisie_Lois montree = Saisie_Depuis(p.el, separateur);
    const std::optional<Saisie_Lois> saisie = p.boite.Saisir_Lois(
        montree, [separateur](const Saisie_Lois& s) { return Refus_Lois(s, separateur); });
    // The platform's answer is checked again: nothing refused is ever kept.
    if (!saisie || !Refus_Lois(*saisie, separateur).isEmpty()) return;
    if (!Appliquer(*saisie, montree, separateur, p.el)) return;
    p.document.Modifie = true;
    Rafraichir(p.Page());
}

#include "document/fichier_lois_epoque.h"

#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "astro/calendrier.h"
#include "astro/format.h"
#include "document/dates_publiees.h"
#include "document/fichier_elements.h"
#include "form/textes_nombres.h"

namespace {

// Every label of these lines, in the order they are written.
enum class Cle {
    Forme_Totale,
    Zero_Totale,
    K_Totale,
    PC_Totale,
    G_Totale,
    Origine_Totale,
    Forme_Noyau,
    Zero_Noyau,
    K_Noyau,
    PC_Noyau,
    G_Noyau,
    Origine_Noyau,
    Epoque,
    A1,
    A2,
    A3,
    Origine_Epoque,
    Nombre
};
constexpr std::size_t Nombre_Cles = static_cast<std::size_t>(Cle::Nombre);

struct Libelle_Ligne {
    Cle cle;
    QStringView libelle;
    QStringView unite;  // written after the value; a reader also takes the value without it
};

constexpr std::array<Libelle_Ligne, Nombre_Cles> Libelles = {{
    {Cle::Forme_Totale, u"Loi de la magnitude totale = ", u""},
    {Cle::Zero_Totale, u"Magnitude absolue totale = ", u""},
    {Cle::K_Totale, u"Coefficient de log r total = ", u""},
    {Cle::PC_Totale, u"Coefficient de phase total = ", u" mag/°"},
    {Cle::G_Totale, u"Paramètre de pente G total = ", u""},
    {Cle::Origine_Totale, u"Origine de la loi totale = ", u""},
    {Cle::Forme_Noyau, u"Loi de la magnitude du noyau = ", u""},
    {Cle::Zero_Noyau, u"Magnitude absolue du noyau = ", u""},
    {Cle::K_Noyau, u"Coefficient de log r du noyau = ", u""},
    {Cle::PC_Noyau, u"Coefficient de phase du noyau = ", u" mag/°"},
    {Cle::G_Noyau, u"Paramètre de pente G du noyau = ", u""},
    {Cle::Origine_Noyau, u"Origine de la loi du noyau = ", u""},
    {Cle::Epoque, u"Epoque d'osculation = ", u" JJ TT"},
    {Cle::A1, u"A1 = ", u" UA/j²"},
    {Cle::A2, u"A2 = ", u" UA/j²"},
    {Cle::A3, u"A3 = ", u" UA/j²"},
    {Cle::Origine_Epoque, u"Origine de l'époque = ", u""},
}};

const QString Forme_Comete = QStringLiteral("comète");
const QString Forme_Asteroide = QStringLiteral("astéroïde");
const QString Origine_Programme = QStringLiteral("programme");
const QString Origine_Saisie = QStringLiteral("saisie");
const QString Origine_Importee = QStringLiteral("importée");
const QString Importee_De = QStringLiteral("importée de ");
// Only a paste gives no file's name.
const QString Importee_Presse_Papiers = QStringLiteral("importée du presse-papiers");

// Non-gravitational accelerations are some 1e-8 AU/day²; a thousand times
// the largest ever fitted is no comet's.
constexpr double A_Max = 1e-4;  // AU/day²

// The labels of one column's law.
struct Cles_Loi {
    Cle forme, zero, K, PC, G, origine;
};
constexpr Cles_Loi Cles_Totale{Cle::Forme_Totale, Cle::Zero_Totale, Cle::K_Totale,
                               Cle::PC_Totale,    Cle::G_Totale,    Cle::Origine_Totale};
constexpr Cles_Loi Cles_Noyau{Cle::Forme_Noyau, Cle::Zero_Noyau, Cle::K_Noyau,
                              Cle::PC_Noyau,    Cle::G_Noyau,    Cle::Origine_Noyau};

const Libelle_Ligne& Libelle(Cle cle) { return Libelles[static_cast<std::size_t>(cle)]; }

QString Ligne(Cle cle, const QString& valeur) {
    const Libelle_Ligne& l = Libelle(cle);
    return l.libelle.toString() + valeur + l.unite.toString();
}

QString Nombre_Ecrit(double x) { return QString::fromStdString(Format_General(x, ',')); }

void Ecrire_Loi(QStringList& lignes, const Loi_Magnitude& loi, const Cles_Loi& cles) {
    if (loi.origine == Origine_Loi::Programme) return;
    const bool asteroide = loi.forme == Forme_Loi::Asteroide;
    lignes << Ligne(cles.forme, asteroide ? Forme_Asteroide : Forme_Comete);
    lignes << Ligne(cles.zero, Nombre_Ecrit(loi.Zero));
    if (asteroide) {
        lignes << Ligne(cles.G, Nombre_Ecrit(loi.G));
    } else {
        lignes << Ligne(cles.K, Nombre_Ecrit(loi.K));
        lignes << Ligne(cles.PC, Nombre_Ecrit(loi.PC));
    }
    lignes << Ligne(cles.origine, Texte_Origine(loi.origine, loi.source));
}

// ---- Reading ----

// The value of each label read, by its rank; a label read twice keeps its last.
using Valeurs_Lues = std::array<std::optional<QString>, Nombre_Cles>;

Valeurs_Lues Valeurs(const QStringList& lignes) {
    Valeurs_Lues valeurs;
    for (const QString& ligne : lignes) {
        for (const Libelle_Ligne& l : Libelles) {
            if (!ligne.startsWith(l.libelle)) continue;
            QString valeur = ligne.mid(l.libelle.size());
            if (!l.unite.isEmpty() && valeur.endsWith(l.unite)) valeur.chop(l.unite.size());
            valeurs[static_cast<std::size_t>(l.cle)] = valeur.trimmed();
            break;
        }
    }
    return valeurs;
}

struct Lecture {
    const Valeurs_Lues& valeurs;
    char separateur;
    bool correcte = true;

    const std::optional<QString>& Texte(Cle cle) const { return valeurs[static_cast<std::size_t>(cle)]; }

    // The number of a line, when it is one; a line that is no number is a fault.
    std::optional<double> Nombre(Cle cle) {
        const std::optional<QString>& texte = Texte(cle);
        if (!texte) return std::nullopt;
        double x = 0;
        if (Lire_Reel(Normaliser_Separateur(*texte, separateur), separateur, x) && std::isfinite(x)) return x;
        correcte = false;
        return std::nullopt;
    }

    // A parameter the law needs, in its range; nothing, and a fault, otherwise.
    std::optional<double> Parametre(Cle cle, Parametre_Loi parametre) {
        const std::optional<double> x = Nombre(cle);
        if (x && Parametre_Loi_Valide(parametre, *x)) return x;
        correcte = false;
        return std::nullopt;
    }

    void Origine(Cle cle, Origine_Loi& origine, std::string& source) const {
        const QString texte = Texte(cle).value_or(Origine_Saisie);
        source.clear();
        origine = Origine_Loi::Saisie;
        if (texte.startsWith(Importee_De)) {
            origine = Origine_Loi::Importee;
            source = texte.mid(Importee_De.size()).toStdString();
        } else if (texte == Origine_Importee || texte == Importee_Presse_Papiers) {
            origine = Origine_Loi::Importee;
        }
    }

    std::optional<Loi_Magnitude> Loi(const Cles_Loi& cles);
    std::optional<Non_Gravitationnel> Non_Grav();
};

std::optional<Loi_Magnitude> Lecture::Loi(const Cles_Loi& cles) {
    const std::optional<QString>& forme = Texte(cles.forme);
    if (!forme) return std::nullopt;
    std::optional<Loi_Magnitude> loi;
    const std::optional<double> zero = Parametre(cles.zero, Parametre_Loi::Zero);
    if (*forme == Forme_Asteroide) {
        const std::optional<double> G = Parametre(cles.G, Parametre_Loi::G);
        if (zero && G) loi = Loi_Asteroide(*zero, *G, Origine_Loi::Saisie);
    } else if (*forme == Forme_Comete) {
        const std::optional<double> K = Parametre(cles.K, Parametre_Loi::K);
        const std::optional<double> PC =
            Texte(cles.PC) ? Parametre(cles.PC, Parametre_Loi::PC) : std::optional<double>(0);
        if (zero && K && PC) loi = Loi_Comete(*zero, *K, *PC, Origine_Loi::Saisie);
    } else {
        correcte = false;
    }
    if (loi) Origine(cles.origine, loi->origine, loi->source);
    return loi;
}

std::optional<Non_Gravitationnel> Lecture::Non_Grav() {
    std::array<double, 3> A = {0, 0, 0};
    bool donne = false;
    bool valide = true;
    const std::array<Cle, 3> cles = {Cle::A1, Cle::A2, Cle::A3};
    for (std::size_t k = 0; k < cles.size(); ++k) {
        if (!Texte(cles[k])) continue;
        donne = true;
        const std::optional<double> x = Nombre(cles[k]);
        valide = valide && x && std::abs(*x) <= A_Max;
        if (x) A[k] = *x;
    }
    if (!valide) correcte = false;
    if (!donne || !valide) return std::nullopt;
    return Non_Gravitationnel{A[0], A[1], A[2]};
}

}  // namespace

QString Texte_Origine(Origine_Loi origine, const std::string& source) {
    switch (origine) {
        case Origine_Loi::Programme:
            return Origine_Programme;
        case Origine_Loi::Saisie:
            return Origine_Saisie;
        case Origine_Loi::Importee:
            return source.empty() ? Importee_Presse_Papiers : Importee_De + QString::fromStdString(source);
    }
    return Origine_Saisie;
}

QStringList Ecrire_Lignes_Lois_Epoque(const Lois_Magnitude& lois, const Osculation& osculation) {
    QStringList lignes;
    Ecrire_Loi(lignes, lois.totale, Cles_Totale);
    Ecrire_Loi(lignes, lois.noyau, Cles_Noyau);
    if (osculation.JJ_Epoque) lignes << Ligne(Cle::Epoque, Nombre_Ecrit(*osculation.JJ_Epoque));
    if (const auto& ng = osculation.Non_Grav) {
        lignes << Ligne(Cle::A1, Nombre_Ecrit(ng->A1)) << Ligne(Cle::A2, Nombre_Ecrit(ng->A2))
               << Ligne(Cle::A3, Nombre_Ecrit(ng->A3));
    }
    if (osculation.JJ_Epoque || osculation.Non_Grav)
        lignes << Ligne(Cle::Origine_Epoque, Texte_Origine(osculation.origine, osculation.source));
    return lignes;
}

bool Lire_Lignes_Lois_Epoque(const QStringList& lignes, char separateur, Lois_Magnitude& lois,
                             Osculation& osculation) {
    const Valeurs_Lues valeurs = Valeurs(lignes);
    Lecture l{valeurs, separateur};
    if (const std::optional<Loi_Magnitude> loi = l.Loi(Cles_Totale)) lois.totale = *loi;
    if (const std::optional<Loi_Magnitude> loi = l.Loi(Cles_Noyau)) lois.noyau = *loi;
    const std::optional<double> epoque = l.Nombre(Cle::Epoque);
    if (epoque && Epoque_Tenue(*epoque))
        osculation.JJ_Epoque = epoque;
    else if (epoque)
        l.correcte = false;
    if (const std::optional<Non_Gravitationnel> ng = l.Non_Grav()) osculation.Non_Grav = ng;
    if (osculation.JJ_Epoque || osculation.Non_Grav)
        l.Origine(Cle::Origine_Epoque, osculation.origine, osculation.source);
    return l.correcte;
}

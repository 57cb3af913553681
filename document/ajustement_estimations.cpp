#include "document/ajustement_estimations.h"

#include <QDate>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "astro/calendrier.h"
#include "astro/format.h"

namespace {

const QString Texte_Loi =
    QStringLiteral("Loi ajustée : M1 = %1, K1 = %2 (%3 estimations, %4 écartées, écart-type %5 mag)");
const QString Sans_Designation_Une = QStringLiteral(
    "Le nom de l'astre ne donne pas de désignation à comparer : les estimations du fichier, toutes de %1, "
    "lui sont attribuées.");
const QString Sans_Designation_Plusieurs = QStringLiteral(
    "Le nom de l'astre ne donne pas de désignation et le fichier contient plusieurs comètes (%1) : "
    "écrivez la désignation dans le commentaire (« C/1995 O1 », « 1P/Halley »).");
const QString Aucune_Estimation =
    QStringLiteral("Le fichier ne contient aucune estimation de magnitude totale utilisable.");
const QString Autre_Comete =
    QStringLiteral("Le fichier ne contient aucune estimation de %1 ; il contient : %2.");
const QString Aucune_Choisie = QStringLiteral(
    "Aucune des %1 estimations de %2 ne répond aux choix (côté du périhélie, dates, observateur).");
const QString Trop_Peu = QStringLiteral("Trop peu d'estimations : %1, il en faut au moins %2.");
const QString Etendue_Courte = QStringLiteral(
    "Les estimations couvrent trop peu de distances au Soleil (r de %1 à %2 UA) pour ajuster K1 : "
    "fixez K1 ou prenez des estimations plus espacées.");
const QString Absurde = QStringLiteral(
    "L'ajustement ne donne pas de loi possible : vérifiez les éléments de l'astre et les estimations.");
const QString Origine = QStringLiteral("%1 estimations (%2, %3)");
const QString Mots_Rejets[Nombre_Rejets] = {
    QStringLiteral("%1 lignes sans magnitude totale (chevelure ou queue seules)"),
    QStringLiteral("%1 lignes de limite « [ » (comète non vue)"),
    QStringLiteral("%1 estimations incertaines « : »"),
    QStringLiteral("%1 lignes d'un autre format"),
    QStringLiteral("%1 lignes de date impossible"),
    QStringLiteral("%1 lignes de magnitude hors de −10 à 30"),
};
// Samples of the ephemeris's curve across the dates of the estimates.
constexpr int Points_Courbe = 200;
// Enough designations to recognise the file by.
constexpr int Designations_Citees = 8;

QString Nombre(double x, int decimales, char separateur) {
    return QString::fromStdString(Formater_Motif(x, decimales == 1 ? "0.0" : "0.00", separateur));
}

QString Liste_Cometes(const Lecture_Icq& l) {
    QStringList noms;
    for (std::size_t k = 0; k < l.cometes.size() && noms.size() < Designations_Citees; ++k)
        noms << QString::fromStdString(l.cometes[k]);
    if (static_cast<int>(l.cometes.size()) > Designations_Citees) noms << QStringLiteral("…");
    return noms.join(QStringLiteral(", "));
}

// The rank of the body's comet in the file, or a refusal.
int Choisir_Comete(const QString& nom, const Lecture_Icq& l, Ajustement_Estimations& a) {
    const std::string designation = Designation_Objet(nom);
    if (l.cometes.empty()) {
        a.refus = Aucune_Estimation;
        return -1;
    }
    if (designation.empty()) {
        if (l.cometes.size() > 1) {
            a.refus = Sans_Designation_Plusieurs.arg(Liste_Cometes(l));
            return -1;
        }
        a.remarque = Sans_Designation_Une.arg(QString::fromStdString(l.cometes[0]));
        return 0;
    }
    const auto trouvee = l.index_cometes.find(designation);
    if (trouvee == l.index_cometes.end()) {
        a.refus = Autre_Comete.arg(QString::fromStdString(designation), Liste_Cometes(l));
        return -1;
    }
    return trouvee->second;
}

// Observer codes are ASCII: compared without case, byte by byte.
bool Meme_Code(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

bool Choisie(const Estimation_Icq& e, int comete, double jj_perihelie, const Choix_Ajustement& c,
             const std::string& observateur) {
    if (e.comete != comete) return false;
    if (c.cote == Cote_Perihelie::Avant && !(e.JJ < jj_perihelie)) return false;
    if (c.cote == Cote_Perihelie::Apres && !(e.JJ >= jj_perihelie)) return false;
    if (c.JJ_Debut && e.JJ < *c.JJ_Debut) return false;
    if (c.JJ_Fin && e.JJ > *c.JJ_Fin) return false;
    return observateur.empty() || Meme_Code(e.observateur, observateur);
}

QString Texte_Refus(const Ajustement_Estimations& a, std::size_t choisies) {
    const Resultat_Ajustement& r = a.resultat;
    switch (r.refus) {
        case Refus_Ajustement::Aucun:
            return {};
        case Refus_Ajustement::Trop_Peu:
            return Trop_Peu.arg(r.Utilisees ? r.Utilisees : choisies).arg(Estimations_Minimum);
        case Refus_Ajustement::Ecart_r_Court: {
            const auto [bas, haut] = std::minmax_element(
                a.estimations.begin(), a.estimations.end(),
                [](const Estimation_Reduite& x, const Estimation_Reduite& y) { return x.r < y.r; });
            return Etendue_Courte.arg(Nombre(bas->r, 2, ','), Nombre(haut->r, 2, ','));
        }
        case Refus_Ajustement::Valeurs_Absurdes:
            return Absurde;
    }
    return Absurde;
}

}  // namespace

Ajustement_Estimations Ajuster_Estimations(const Elements& el, const QString& nom, const Lecture_Icq& lecture,
                                           const Choix_Ajustement& choix) {
    Ajustement_Estimations a;
    const int comete = Choisir_Comete(nom, lecture, a);
    if (comete < 0) return a;
    a.designation = QString::fromStdString(lecture.cometes[static_cast<std::size_t>(comete)]);
    std::vector<double> jj, m;
    std::size_t de_la_comete = 0;
    const std::string observateur = choix.observateur.simplified().toStdString();
    for (const Estimation_Icq& e : lecture.estimations) {
        if (e.comete == comete) ++de_la_comete;
        if (!Choisie(e, comete, el.JJ_Perihelie, choix, observateur)) continue;
        jj.push_back(e.JJ);
        m.push_back(e.magnitude);
    }
    if (jj.empty()) {
        a.refus = Aucune_Choisie.arg(de_la_comete).arg(a.designation);
        return a;
    }
    a.estimations = Reduire_Estimations(el, jj, m);
    a.resultat = Ajuster_Loi(a.estimations, choix.K1_Fixe);
    a.refus = Texte_Refus(a, jj.size());
    return a;
}

QStringList Textes_Rejets(const Lecture_Icq& lecture) {
    QStringList textes;
    for (std::size_t k = 0; k < Nombre_Rejets; ++k)
        if (lecture.rejets[k] > 0) textes << Mots_Rejets[k].arg(lecture.rejets[k]);
    return textes;
}

QString Texte_Loi_Ajustee(const Resultat_Ajustement& r, char separateur) {
    return Texte_Loi.arg(Nombre(r.M1, 2, separateur), Nombre(r.K1, 2, separateur))
        .arg(r.Utilisees)
        .arg(r.Ecartees)
        .arg(Nombre(r.Ecart_Type, 2, separateur));
}

Loi_Magnitude Loi_Ajustee(const Ajustement_Estimations& a, const QString& fichier) {
    Loi_Magnitude loi = Loi_Comete(a.resultat.M1, a.resultat.K1, 0, Origine_Loi::Ajustee);
    double dernier = 0;
    for (std::size_t k = 0; k < a.estimations.size(); ++k)
        if (!a.resultat.ecartee[k]) dernier = std::max(dernier, a.estimations[k].JJ);
    const QDate date = QDate::fromJulianDay(static_cast<qint64>(std::floor(dernier + 0.5)));
    loi.source = Origine.arg(a.resultat.Utilisees)
                     .arg(fichier, date.toString(QStringLiteral("dd/MM/yyyy")))
                     .toStdString();
    return loi;
}

Trace_Ajustement Preparer_Trace(const Ajustement_Estimations& a, const Elements& el,
                                const Loi_Magnitude& publiee) {
    Trace_Ajustement t;
    t.titre = a.designation;
    t.estimations = a.estimations;
    t.ecartee = a.resultat.ecartee;
    t.ecartee.resize(t.estimations.size(), false);
    t.ajustee = {a.resultat.M1, a.resultat.K1};
    if (publiee.forme == Forme_Loi::Comete && publiee.origine != Origine_Loi::Programme)
        t.publiee = Droite{publiee.Zero, publiee.K};
    if (a.estimations.empty()) return t;
    const auto [premier, dernier] = std::minmax_element(
        a.estimations.begin(), a.estimations.end(),
        [](const Estimation_Reduite& x, const Estimation_Reduite& y) { return x.JJ < y.JJ; });
    std::vector<double> jj;
    for (int k = 0; k <= Points_Courbe; ++k)
        jj.push_back(premier->JJ + (dernier->JJ - premier->JJ) * k / Points_Courbe);
    for (const Estimation_Reduite& e : Reduire_Estimations(el, jj, std::vector<double>(jj.size(), 0.0))) {
        const auto magnitude = [&](const Droite& d) { return d.M1 + d.K1 * e.x() - e.y(); };
        Point_Courbe p{e.JJ, magnitude(t.ajustee), std::nullopt};
        if (t.publiee) p.publiee = magnitude(*t.publiee);
        t.courbe.push_back(p);
    }
    return t;
}

void Appliquer_Loi_Ajustee(Programme& p, const Loi_Magnitude& loi) {
    p.el.Lois.totale = loi;
    p.document.Modifie = true;
    Rafraichir(p.Page());
}

#include "batch/tableau_batch.h"

#include <algorithm>

#include "page/textes_ligne.h"

namespace {
const QString Separateur_Tsv = QStringLiteral("\t");
const QString Separation_Colonnes = QStringLiteral("  ");
}  // namespace

QStringList Entete_Batch(const Colonnes_Batch& colonnes) {
    QStringList entete = {QStringLiteral("J"),        QStringLiteral("M"),        QStringLiteral("An"),
                          QStringLiteral("Alpha h"),  QStringLiteral("Alpha m"),  QStringLiteral("Alpha s"),
                          QStringLiteral("Delta d"),  QStringLiteral("Delta m"),  QStringLiteral("Delta s"),
                          QStringLiteral("Distance"), QStringLiteral("Dérive a"), QStringLiteral("Dérive d")};
    if (colonnes.reglages) entete << QStringLiteral("Réglage a") << QStringLiteral("Réglage d");
    if (colonnes.M1) entete << QStringLiteral("M1");
    if (colonnes.M2) entete << QStringLiteral("M2");
    auto u = [](const char* texte) { return QString::fromUtf8(texte); };
    if (colonnes.visibilite_jour)
        entete << u(Entete_Elongation) << u(Entete_Lever) << u(Entete_Passage) << u(Entete_Hauteur)
               << u(Entete_Coucher) << u(Entete_Nuit);
    if (colonnes.visibilite_heure) entete << u(Entete_Elongation) << u(Entete_Hauteur) << u(Entete_Azimut);
    return entete;
}

QStringList Cellules_Ligne(const Ligne_Ephemeride& ligne, const Colonnes_Batch& colonnes,
                           const Notation& notation) {
    const Textes_Ligne& t = ligne.textes;
    const auto texte = [](const std::string& s) { return QString::fromStdString(s); };
    const Textes_Date_Ligne date = Textes_Date(ligne.Jour, ligne.Mois, ligne.An, notation);
    QStringList cellules = {date.jour,
                            date.mois,
                            date.an,
                            texte(t.Texte_Alpha_h),
                            texte(t.Texte_Alpha_m),
                            texte(t.Texte_Alpha_s),
                            texte(t.Texte_Delta_d),
                            texte(t.Texte_Delta_m),
                            texte(t.Texte_Delta_s),
                            texte(t.Texte_Distance),
                            texte(t.Texte_Derive_a),
                            texte(t.Texte_Derive_d)};
    if (colonnes.reglages) cellules << texte(t.Texte_Reglage_a) << texte(t.Texte_Reglage_d);
    if (colonnes.M1) cellules << Texte_Magnitude(ligne.M1, notation);
    if (colonnes.M2) cellules << Texte_Magnitude(ligne.M2, notation);
    const Textes_Visibilite& v = ligne.visibilite;
    if (colonnes.visibilite_jour)
        cellules << v.Elongation << v.Lever << v.Passage << v.Hauteur << v.Coucher << v.Nuit;
    if (colonnes.visibilite_heure) cellules << v.Elongation << v.Hauteur << v.Azimut;
    return cellules;
}

QString Tableau_Tsv(const Tableau_Batch& tableau) {
    QString resultat = tableau.entete.join(Separateur_Tsv) + u'\n';
    for (const QStringList& ligne : tableau.lignes) resultat += ligne.join(Separateur_Tsv) + u'\n';
    return resultat;
}

QString Tableau_Texte(const Tableau_Batch& tableau) {
    std::vector<qsizetype> largeurs(static_cast<std::size_t>(tableau.entete.size()), 0);
    const auto mesurer = [&largeurs](const QStringList& ligne) {
        for (qsizetype k = 0; k < ligne.size() && k < static_cast<qsizetype>(largeurs.size()); ++k) {
            largeurs[static_cast<std::size_t>(k)] =
                std::max(largeurs[static_cast<std::size_t>(k)], ligne[k].size());
        }
    };
    mesurer(tableau.entete);
    for (const QStringList& ligne : tableau.lignes) mesurer(ligne);
    // Every column is aligned on its right edge, as the figures are on the page.
    const auto aligner = [&largeurs](const QStringList& ligne) {
        QStringList cellules;
        for (qsizetype k = 0; k < ligne.size() && k < static_cast<qsizetype>(largeurs.size()); ++k) {
            cellules << ligne[k].rightJustified(largeurs[static_cast<std::size_t>(k)]);
        }
        return cellules.join(Separation_Colonnes) + u'\n';
    };
    QString resultat = aligner(tableau.entete);
    for (const QStringList& ligne : tableau.lignes) resultat += aligner(ligne);
    return resultat;
}

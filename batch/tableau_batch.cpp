#include "batch/tableau_batch.h"

#include <algorithm>

namespace {
const QString Separateur_Tsv = QStringLiteral("\t");
const QString Separation_Colonnes = QStringLiteral("  ");
}  // namespace

QStringList Entete_Batch(const Colonnes_Batch& colonnes) {
    QStringList entete;
    for (int k : colonnes) entete << QString::fromUtf8(Modeles_Colonnes()[k].titre);
    return entete;
}

QStringList Cellules_Ligne(const Ligne_Ephemeride& ligne, const Colonnes_Batch& colonnes,
                           const Notation& notation) {
    QStringList cellules;
    for (int k : colonnes) {
        if (!ligne.Message.isEmpty() && k >= Colonnes_Date) break;
        cellules << Modeles_Colonnes()[k].texte(ligne, notation);
    }
    if (!ligne.Message.isEmpty()) cellules << ligne.Message;
    return cellules;
}

QString Tableau_Tsv(const Tableau_Batch& tableau) {
    QString resultat = tableau.entete.join(Separateur_Tsv) + u'\n';
    // A row whose message replaces its figures keeps every cell, empty.
    for (const QStringList& ligne : tableau.lignes) {
        const qsizetype manquantes = std::max<qsizetype>(0, tableau.entete.size() - ligne.size());
        resultat += ligne.join(Separateur_Tsv) + Separateur_Tsv.repeated(manquantes) + u'\n';
    }
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
    // A row shorter than the header ends with the message that replaces
    // its figures: it neither widens a column nor is cut to one.
    const auto complete = [&tableau](const QStringList& ligne) {
        return ligne.size() >= tableau.entete.size();
    };
    mesurer(tableau.entete);
    for (const QStringList& ligne : tableau.lignes)
        if (complete(ligne)) mesurer(ligne);
    // Every column is aligned on its right edge, as the figures are on the page.
    const auto aligner = [&largeurs, &complete](const QStringList& ligne) {
        QStringList cellules;
        const qsizetype alignees = complete(ligne) ? ligne.size() : ligne.size() - 1;
        for (qsizetype k = 0; k < alignees && k < static_cast<qsizetype>(largeurs.size()); ++k) {
            cellules << ligne[k].rightJustified(largeurs[static_cast<std::size_t>(k)]);
        }
        if (alignees < ligne.size()) cellules << ligne.back();
        return cellules.join(Separation_Colonnes) + u'\n';
    };
    QString resultat = aligner(tableau.entete);
    for (const QStringList& ligne : tableau.lignes) resultat += aligner(ligne);
    return resultat;
}

#pragma once

// The rows of an ephemeris as a table of texts, and its two layouts:
// tab-separated values and columns aligned for a terminal.

#include <QString>
#include <QStringList>
#include <vector>

#include "form/textes_nombres.h"
#include "page/colonnes.h"
#include "page/lignes.h"

struct Tableau_Batch {
    QStringList entete;
    std::vector<QStringList> lignes;
};

// The columns the page shows, as indices in Modeles_Colonnes.
using Colonnes_Batch = std::vector<int>;

QStringList Entete_Batch(const Colonnes_Batch& colonnes);

// The cells of one row: exactly the texts the screen page draws; for a row
// that could not be computed, its date then the message.
QStringList Cellules_Ligne(const Ligne_Ephemeride& ligne, const Colonnes_Batch& colonnes,
                           const Notation& notation);

QString Tableau_Tsv(const Tableau_Batch& tableau);
QString Tableau_Texte(const Tableau_Batch& tableau);

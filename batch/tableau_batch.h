#pragma once

// The rows of an ephemeris as a table of texts, and its two layouts:
// tab-separated values and columns aligned for a terminal.

#include <QString>
#include <QStringList>
#include <vector>

#include "form/textes_nombres.h"
#include "page/etat_page.h"
#include "page/lignes.h"

struct Tableau_Batch {
    QStringList entete;
    std::vector<QStringList> lignes;
};

// Which optional columns the page shows decides the table's columns.
struct Colonnes_Batch {
    bool reglages = false;
    bool M1 = false;
    bool M2 = false;
    bool visibilite_jour = false;   // elongation, rise, transit, altitude, set, night
    bool visibilite_heure = false;  // elongation, altitude, azimuth
};

QStringList Entete_Batch(const Colonnes_Batch& colonnes);

// The cells of one row: exactly the texts the screen page draws.
QStringList Cellules_Ligne(const Ligne_Ephemeride& ligne, const Colonnes_Batch& colonnes,
                           const Notation& notation);

QString Tableau_Tsv(const Tableau_Batch& tableau);
QString Tableau_Texte(const Tableau_Batch& tableau);

#pragma once

// What the page says of its own figures, beside the table: the model that
// made the rows, the time scale of their dates, the site of the visibility
// columns, and where each magnitude column's law comes from. The printed
// page, the batch's header and the window's status bar share these texts.

#include <QString>
#include <QStringList>

#include "page/lignes.h"

// "modèle précis, place astrométrique géocentrique, deux corps" or "modèle classique".
QString Texte_Modele_Nomme(const Calcul_Page& c);

// "dates en UTC" (precise model) or "dates en TT" (classic model).
QString Texte_Echelle_Dates(const Calcul_Page& c);

// "Lieu d'observation : Paris, latitude 48,85°, longitude 2,35°, altitude 35 m".
QString Texte_Lieu(const Site_Observation& site, char separateur);

// The model, the time scale and, when its visibility is shown, the site, on
// one line, as the window's status bar shows them.
QString Texte_Calcul_Fenetre(const Calcul_Page& c);

// One line per magnitude column the page shows, once the page was prepared:
// "Magnitude totale : loi M1 = -2, K1 = 10, importée de cometes.txt", and
// "; estimation 12 le 10/12/2026, d'où M1 = 4,3" when a typed magnitude sets
// its zero point.
QStringList Textes_Magnitudes(const Calcul_Page& c);

// What a column follows, for the laws dialog: its law, or the estimate and
// the zero point drawn from it; `totale` chooses the column.
QString Texte_Suivi_Colonne(const Calcul_Page& c, bool totale);

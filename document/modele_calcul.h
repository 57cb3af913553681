#pragma once

// The choice of the computation, kept in its own file Calcul.ini beside
// Lieu.ini: a header line then one labelled line per choice, UTF-8 with
// CR LF (any line ends and a byte-order mark are read). The classic model's
// line comes first, where earlier versions read it; they ignore the lines
// after it. Written whole or not at all; a
// missing or damaged file means the precise model with the planets' pull.

#include <QString>

#include "plateforme/boite_outils.h"

inline const QString Nom_Fichier_Calcul = QStringLiteral("Calcul.ini");

struct Reglages_Calcul {
    bool classique = false;
    bool perturbations = true;   // from the epoch of the elements, when they have one
    bool topocentrique = false;  // the place seen from the site, when one is shown
};

struct Lecture_Calcul {
    Reglages_Calcul reglages;  // the defaults when the file is missing or unreadable
    QString raison;            // why the defaults, empty when the file was read or is missing
};

// The choices the file of `dossier` (ending with "/") holds; at most a few
// short lines are read, whatever the file holds. A line missing or not
// understood keeps its default; a file that is not this one gives them all
// with its reason.
Lecture_Calcul Charger_Calcul(const QString& dossier);

// Writes the file whole, creating the folder when missing; a failure shows
// a warning box with the reason and answers false.
bool Enregistrer_Calcul(const QString& dossier, const Reglages_Calcul& reglages, Boite_Outils& boite);

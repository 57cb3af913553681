#pragma once

// The choice of the classic computation, kept in its own file Calcul.ini
// beside Lieu.ini: two lines in UTF-8 with CR LF. Written whole or not at
// all; a missing or damaged file means the precise model.

#include <QString>

#include "plateforme/boite_outils.h"

inline const QString Nom_Fichier_Calcul = QStringLiteral("Calcul.ini");

// Whether the file of `dossier` (ending with "/") asks for the classic
// model; at most a few short lines are read, whatever the file holds.
bool Charger_Calcul_Classique(const QString& dossier);

// Writes the file whole, creating the folder when missing; a failure shows
// a warning box and answers false.
bool Enregistrer_Calcul_Classique(const QString& dossier, bool classique, Boite_Outils& boite);

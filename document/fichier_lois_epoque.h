#pragma once

// The lines an element file holds after its 20: the law of each magnitude
// column that is not the program's own, the epoch of osculation and a
// comet's A1, A2, A3, each with where it came from. A set that has none of
// them writes none, and a reader of the 20 lines alone never sees them.

#include <QString>
#include <QStringList>

#include "astro/elements.h"

// The lines of the laws and the osculation, without line ends; numbers
// written with ",", as the other lines.
QStringList Ecrire_Lignes_Lois_Epoque(const Lois_Magnitude& lois, const Osculation& osculation);

// Reads such lines, in any order, into `lois` and `osculation`, which start
// as the program's own laws and no epoch. A line of another label is left
// for a later version. False when a line holds a value that cannot be
// taken, a law without its parameters or out of range, an epoch or an A
// that is no number: what it describes keeps its value before the read.
bool Lire_Lignes_Lois_Epoque(const QStringList& lignes, char separateur, Lois_Magnitude& lois,
                             Osculation& osculation);

// "importée de cometes.txt", "importée du presse-papiers", "saisie" or "programme".
QString Texte_Origine(Origine_Loi origine, const std::string& source);

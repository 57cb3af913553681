#pragma once

// The texts of a row's date and magnitudes, shared by the screen, the paper
// and the batch program.

#include <QString>

#include "form/textes_nombres.h"

// A day or a month always shows two digits in its whole part: 05,50, 07.
QString Deux_Chiffres(const QString& texte, char separateur_decimal);

QString Texte_Jour_Ligne(double jour, const Notation& notation);       // "#0.00", two digits
QString Texte_Entier_Deux_Chiffres(double valeur, const Notation& n);  // "#0", two digits
QString Texte_Magnitude(double magnitude, const Notation& notation);   // "#0.0", "--" when not finite

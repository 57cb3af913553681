#pragma once

// The texts of a row's date and magnitudes, shared by the screen, the paper
// and the batch program.

#include <QString>
#include <cstdint>

#include "form/textes_nombres.h"

// A day or a month always shows two digits in its whole part: 05,50, 07.
QString Deux_Chiffres(const QString& texte, char separateur_decimal);

QString Texte_Jour_Ligne(double jour, const Notation& notation);       // "#0.00", two digits
QString Texte_Entier_Deux_Chiffres(double valeur, const Notation& n);  // "#0", two digits

// The day, month and year columns of a row. The day is rounded as its
// column writes it, and a day its month does not have, from that rounding
// (31.999 January is 01.00 February) or typed below 1, moves to the month
// where it falls.
struct Textes_Date_Ligne {
    QString jour;
    QString mois;
    QString an;
};
Textes_Date_Ligne Textes_Date(double jour, int32_t mois, int32_t an, const Notation& n);
// The same for the start date of the printed page, day and month with "#0".
Textes_Date_Ligne Textes_Date_Debut(double jour, int32_t mois, int32_t an, const Notation& n);

// A Julian day as the program writes a date, "14/01/1995", the day with its
// hundredths when it has a fraction ("03,68/07/2020"); empty for a day the
// calendar cannot hold.
QString Texte_Date_JJ(double jj, const Notation& n);

QString Texte_Magnitude(double magnitude, const Notation& notation);  // "#0.0", "--" when not finite

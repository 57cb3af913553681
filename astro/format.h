#pragma once

// The two number formats of every text the program writes.
//
// Patterns: "0" a digit always written, "#" a digit written when significant,
// "," in the integer part groups thousands, "." the decimal separator, any
// other character written as it stands ("0.000 000 000"). Rounding is half
// away from zero on the value's 15-significant-digit decimal form, and a
// value that rounds to zero has no minus sign.
//
// General format: up to 15 significant digits, whole numbers without
// decimals, exponent form for very large or very small values.
//
// Values that are not finite are written "NAN", "INF" or "-INF".

#include <string>
#include <string_view>

std::string Formater_Motif(double valeur, std::string_view motif, char separateur_decimal,
                           std::string_view separateur_milliers = {});

std::string Format_General(double valeur, char separateur_decimal);

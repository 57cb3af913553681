#pragma once

// The two number formats of every text the program writes.
//
// Patterns: "0" a digit always written, "#" a digit written when significant,
// "," groups thousands (it is never written itself), "." the decimal
// separator, any other character written as it stands ("0.000 000 000");
// among the decimals such text is dropped with the digits that follow it
// when they are not written. Rounding is half away from zero on the value's
// 15-significant-digit decimal form, and a value that rounds to zero has no
// minus sign.
//
// Magnitudes of 1e18 or more, and an empty pattern, get the general format.
//
// General format: up to 15 significant digits, whole numbers without
// decimals, fixed notation from 1e-5 to below 1e15, otherwise exponent form
// ("1E20", "1,5E-7").
//
// Values that are not finite are written "NAN", "INF" or "-INF".

#include <string>
#include <string_view>

std::string Formater_Motif(double valeur, std::string_view motif, char separateur_decimal,
                           std::string_view separateur_milliers = {});

std::string Format_General(double valeur, char separateur_decimal);

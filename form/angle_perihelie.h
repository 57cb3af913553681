#pragma once

// The field saisie_Omega shows either the argument of perihelion ω or the
// longitude of perihelion ϖ; the caption of Label15 tells which.

#include <QString>

#include "astro/elements.h"
#include "form/textes_nombres.h"
#include "plateforme/boite_outils.h"

// Caption of Label15 in each mode. The "w" is drawn as ω by the symbol font.
inline const QString Legende_Argument = QStringLiteral("w =  ");
inline const QString Legende_Longitude = QStringLiteral("L =  ");

void Afficher_Argument(const Elements& el, Boite_Outils& boite, const Notation& notation);
void Afficher_Longitude(const Elements& el, Boite_Outils& boite, const Notation& notation);

// Click on Label15 or Label16: converts the stored angle and shows the other
// one. The field's text is not read, and the document is not modified.
void Basculer_Angle(Elements& el, Boite_Outils& boite, const Notation& notation);

#pragma once

// The perihelion, the equinox of the elements and the equinox of the
// ephemeris shown either as calendar dates or as Julian days.

#include "astro/elements.h"
#include "form/textes_nombres.h"
#include "plateforme/boite_outils.h"

// JJ_Perihelie into saisie_Jour_Perihelie, or the field emptied while the
// Julian day is not set.
void Afficher_JJ_Perihelie(const Elements& el, Boite_Outils& boite, const Notation& notation);

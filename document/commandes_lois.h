#pragma once

// The Edition menu's "Lois de magnitude…": the law of each magnitude column
// and the epoch of osculation shown with where they came from, and changed.
// A law or an epoch the user changes becomes the user's own; the document is
// then modified and the page rebuilt.

#include <QString>

#include "astro/elements.h"
#include "document/programme.h"
#include "plateforme/saisie_lois.h"

// The texts the dialog shows for the element set, numbers with `separateur`.
Saisie_Lois Saisie_Depuis(const Elements& el, char separateur);

// Why the texts cannot be kept: the first value that is no number, or out of
// its range, named with its column; empty when every value can be kept.
QString Refus_Lois(const Saisie_Lois& saisie, char separateur);

// The dialog, then what it changed.
void Modifier_Lois(Programme& p);

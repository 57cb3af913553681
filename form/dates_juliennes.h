#pragma once

// The perihelion, the equinox of the elements and the equinox of the
// ephemeris shown either as calendar dates or as Julian days. Switching a
// form converts the stored value, rewrites the field in the other form and
// neither marks the document modified nor rebuilds the page.

#include "astro/elements.h"
#include "form/textes_nombres.h"
#include "plateforme/boite_outils.h"

// JJ_Perihelie into saisie_Jour_Perihelie, or the field emptied while the
// Julian day is not set.
void Afficher_JJ_Perihelie(const Elements& el, Boite_Outils& boite, const Notation& notation);

// The click handlers of the three menu items; each inverts its own check mark.
void JulienneClick(Elements& el, Boite_Outils& boite, const Notation& notation);
void Julienne_élémentsClick(Elements& el, Boite_Outils& boite, const Notation& notation);
void Julienne_éphémérideClick(Elements& el, Boite_Outils& boite, const Notation& notation);

// The stored JJ_Perihelie into the perihelion date, when the perihelion field
// holds a number.
void Lire_Date_Perihelie(Elements& el, const Boite_Outils& boite);

// The perihelion fields rewritten, in the form Julienne selects, after
// JJ_Perihelie was computed elsewhere.
void Rafraichir_Perihelie(Elements& el, Boite_Outils& boite, const Notation& notation);

// The perihelion's label, day field and maximum length in the calendar form,
// at the places of the frame's creation; month and year shown. Hints and
// texts are the caller's.
void Forme_Calendaire(Boite_Outils& boite);

#pragma once

// Writing the element set into the frame's fields and labels, and the
// elements that follow from a new eccentricity.

#include <QString>

#include "astro/elements.h"
#include "form/textes_nombres.h"
#include "plateforme/boite_outils.h"

// The period of revolution into the label Révolution.
void Afficher_Revolution(const Elements& el, Boite_Outils& boite, const Notation& notation);

// After saisie_e was typed, reset or read from a file: e, and the elements
// that depend on it. `Texte_Entree_e` is what saisie_e held when it last
// received the focus.
void Recalculer_Excentricite(Elements& el, Boite_Outils& boite, const QString& Texte_Entree_e,
                             const Notation& notation);

// The element values back into their fields, and JJ_Perihelie brought up to
// date from the perihelion fields.
void Afficher_Elements(Elements& el, Boite_Outils& boite, const Notation& notation);

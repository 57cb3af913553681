#pragma once

// The six small buttons beside the start date: one day, one month or one
// year later or earlier. Each rewrites the fields it changed and rebuilds the
// page; none marks the document modified. A date the fields cannot give, or
// that the program cannot hold, leaves every field as it was.

#include <cstdint>

#include "form/formulaire.h"

void FicheJourPlusClick(Contexte_Formulaire& ctx);
void FicheJourMoinsClick(Contexte_Formulaire& ctx);
void FicheMoisPlusClick(Contexte_Formulaire& ctx);
void FicheMoisMoinsClick(Contexte_Formulaire& ctx);
void FicheAnPlusClick(Contexte_Formulaire& ctx);
void FicheAnMoinsClick(Contexte_Formulaire& ctx);

// February's length as the buttons decide it, with fractions kept in single
// precision: the Gregorian rule for positive years, every year before 1 leap.
bool Annee_Bissextile_Boutons(int64_t an);

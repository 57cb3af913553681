#pragma once

// The two drop-down lists (the telescope and the step's unit) and the two
// labels that switch saisie_Omega between the argument and the longitude of
// perihelion. Neither list ever marks the document modified: neither is
// stored in the element file.

#include <QString>

#include "form/formulaire.h"

// Change: each time the list's text changes while the user types or picks an
// item. A text that is not exactly an item is put back at once.
void FicheListe_InstrumentsChange(Contexte_Formulaire& ctx);
void FicheListe_PasChange(Contexte_Formulaire& ctx);

// Exit: a typed prefix of an item is completed to that item, anything else
// gets back the text the list held on entry.
void FicheListe_InstrumentsExit(Contexte_Formulaire& ctx);
void FicheListe_PasExit(Contexte_Formulaire& ctx);

// The item that a text left in the list stands for, in the list's own order
// of completion; "" when none does.
QString Completer_Liste(Controle liste, const QString& texte);

// Click on Label15 or Label16: the stored angle converted and shown in the
// other mode. The field being edited keeps the focus.
void FicheLabelClick(Contexte_Formulaire& ctx);

// The mouse over Label15 or Label16: Label16's hint says what a click does.
void FicheLabelMouseMove(Boite_Outils& boite);

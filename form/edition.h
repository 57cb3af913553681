#pragma once

// The editing model shared by every entry control: focus changes, the first
// click, Enter and Escape, the key filters, and the reset of the form.

#include <QChar>

#include "form/formulaire.h"

// The one way the focus moves, whether a rule asks for it or the user clicks
// or tabs: the exit rule of the control that had it, then the enter rule of
// the new one, then the visible focus.
void Donner_Focus(Contexte_Formulaire& ctx, Controle nouveau);

// The frame back to an empty, unnamed document.
void Reinitialiser_Fiche(Contexte_Formulaire& ctx);

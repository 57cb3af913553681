#pragma once

// Cut, Copy and Paste of the menu "&Edition", the tool bar and the shortcut
// menu. They act on the edit field found from the tab position of the
// focused control, and neither refresh the page nor mark the document
// modified: leaving the field or Enter does that.

#include "plateforme/boite_outils.h"

// The selection of the field goes to the clipboard; Paste becomes available.
// Nothing happens when nothing is selected.
void CouperClick(Boite_Outils& boite);
void CopierClick(Boite_Outils& boite);

// The clipboard's text replaces the field's selection; a numeric field then
// holds the number rewritten with `Separateur_Decimal`, or nothing when its
// text is no unsigned number.
void CollerClick(Boite_Outils& boite, char Separateur_Decimal);

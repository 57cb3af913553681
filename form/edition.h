#pragma once

// The editing model shared by every entry control: focus changes, the first
// click, Enter and Escape, the key filters, and the reset of the form.

#include <QChar>

#include "form/formulaire.h"

// The one way the focus moves, whether a rule asks for it or the user clicks
// or tabs: the exit rule of the control that had it, then the enter rule of
// the new one, then the visible focus.
void Donner_Focus(Contexte_Formulaire& ctx, Controle nouveau);

// The exit rule of the control being edited, run as leaving it would run it
// (the text accepted, or refused and restored), while the control keeps the
// focus: its present text becomes the one it was entered with, and a
// document left modified has its Save command enabled. Save and Save As run
// it first, so that what they save is what the user sees.
void Appliquer_Sortie(Contexte_Formulaire& ctx);

// The frame back to an empty, unnamed document.
void Reinitialiser_Fiche(Contexte_Formulaire& ctx);

// A click into an edit field: the first one selects the whole text, a second
// one just placed the caret.
void FicheClick(Contexte_Formulaire& ctx, Controle champ);

// The control receives the focus: its text is remembered, and the clipboard
// commands are enabled for what it can take.
void FicheEnter(Contexte_Formulaire& ctx, Controle c);

// A character typed in an entry control: the character to insert, or QChar()
// when the key is swallowed. Enter and Escape are the rule's own and insert
// nothing.
QChar FicheKeyPress(Contexte_Formulaire& ctx, Controle c, QChar touche);

// The control that Enter in `c` sends the focus to, as the frame stands.
Controle Cible_Entree(const Contexte_Formulaire& ctx, Controle c);

// The key filters of the numeric fields, given the field's text before the
// character goes in: the character to insert, or QChar() to swallow it. A
// decimal point or comma becomes `separateur`.
QChar Filtre_Chiffres(QChar touche, const QString& texte);
QChar Filtre_Decimal(QChar touche, const QString& texte, char separateur);
QChar Filtre_Signe(QChar touche, const QString& texte, char separateur);

// The key filter of control `c` (the character unchanged for a control
// without one), given the control's text before the character goes in.
QChar Filtrer_Touche(Controle c, QChar touche, const QString& texte, char separateur);

// The control's key filter lets every character of the text through as it
// is. A value read from a file needs no more: the maximum length limits
// typing only, and a text written into a field goes in whole.
bool Caracteres_Saisissables(Controle c, const QString& texte, char separateur);

// The text could have been typed into control `c`: its filter lets every
// character through as it is, and the control holds that many.
bool Texte_Saisissable(Controle c, const QString& texte, char separateur);

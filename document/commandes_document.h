#pragma once

// The document workflow: New, Open, Save, Save As and the recent files, with
// the save prompt, the backup kept beside each element file and the question
// before a file is overwritten. A document whose save failed is never
// discarded: the command that asked for the save stops.

#include <QString>

#include "document/programme.h"

// What the open dialog remembers during the run.
struct Etat_Ouverture {
    QString Dernier_Choix;  // the file last chosen in it
};

// "Trajectel" for an unnamed document, else "Trajectel - " and the file's name.
QString Legende_Principale(const QString& Nom_Fichier);

// The file's name with the extension of its last path component replaced by
// ".bak", or ".bak" appended when it has none.
QString Nom_Sauvegarde(const QString& nom);

// What becomes of an existing backup: a save keeps it; replacing a file
// chosen in Save As replaces it by that file.
enum class Regle_Sauvegarde { Garder, Remplacer };

// The step of a save between writing the new content and putting it in the
// file's place: the file's present version becomes the backup, unless the
// rule keeps one already there. The file itself is not moved, and the backup
// is replaced in one step, so each name holds a whole version at every
// instant. True when a backup was made.
bool Faire_Sauvegarde(const QString& nom, const QString& sauvegarde, Regle_Sauvegarde regle);

// ".elt" replaces a final ".elt", ".bak" or ".tmp" (same case only), or is
// appended.
QString Ajouter_Extension_Elt(const QString& nom);

// The name as the save prompt shows it: whole up to 36 characters, else its
// first 15, " ... " and its last 16.
QString Nom_Abrege(const QString& nom);

// Asks whether to save a modified document (Yes the default); No without a
// question when nothing changed.
Reponse Demander_Enregistrement(Programme& p);

// Before the document is replaced (New, Open, a recent file, quitting): the
// field being edited is left for saisie_q, then the prompt and its save.
// False when the user cancels or the save did not take place.
bool Preparer_Remplacement(Programme& p);

// Saves to Nom_Fichier, which must not be empty; the file's previous version
// becomes its backup unless one exists already. True when the file was written.
bool Enregistrer_Document(Programme& p);

// Lets the user choose a name and saves to it; the result also goes to
// Sauvegarde_Faite. A failed write leaves the document modified under its
// previous name.
bool Enregistrer_Sous(Programme& p);

// Reads Nom_Fichier as the document: the page is refreshed when the file was
// read; a file that could not be opened, held a fault or stopped the read on
// a number leaves the document unnamed. True when the document is named.
bool Charger_Document(Programme& p);

// The open dialog, then the read of the file chosen.
void Ouvrir_Fichier(Programme& p, Etat_Ouverture& ouverture);
void Ouvrir_Document(Programme& p, Etat_Ouverture& ouverture);

// Opens entry k (1 to 10) of the recent files; an entry that cannot be
// opened leaves the list.
void Ouvrir_Historique(Programme& p, int k);

// A click on the recent-file item k: prompt, reset, then that file.
void Choisir_Historique(Programme& p, int k);

// The same for a file named by its path (a file dropped on the window).
void Remplacer_Par_Fichier(Programme& p, const QString& chemin);

// The form back to an empty document, which leaves the page nothing to wait for.
void Vider_Document(Programme& p);

void FileNew1Execute(Programme& p);
void FileOpen1Execute(Programme& p, Etat_Ouverture& ouverture);
// Save and Save As first apply the exit rule of the field being edited, so
// that they save what it shows.
void FileSave1Execute(Programme& p);
void FileSaveAs1Execute(Programme& p);

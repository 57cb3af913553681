#pragma once

// Importing published elements: a file of one or many orbits, or one pasted
// from the clipboard, becomes the document as an opened file would, but
// unnamed and modified. The file read is never written; a cancelled or
// failed import leaves the document as it was.

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "document/catalogue_orbites.h"
#include "document/programme.h"

// A local copy of a published catalogue, offered beside "a file…".
struct Catalogue_Propose {
    QString Texte;  // « Comètes (MPC) du 10/12/2026, 1 012 objets »
    QString Chemin;
};

// What the import dialog remembers during the run, and where it finds the
// local catalogues to offer (none: the file dialog at once).
struct Etat_Import {
    QString Dernier_Choix;
    std::function<std::vector<Catalogue_Propose>()> Catalogues;
};

// A file of orbits read whole into a catalogue.
struct Fichier_Orbites {
    enum class Issue { Lu, Inaccessible, Trop_Grand, Echec_Lecture, Interrompu };
    Issue issue = Issue::Inaccessible;
    std::unique_ptr<Catalogue_Orbites> catalogue;
    Refus_Comptes Refus;
};

// What was left out of a read, one sentence for each reason; nothing when
// every line was taken.
QStringList Textes_Refus(const Refus_Comptes& refus);

// Reads the orbits of `chemin`; `avancer` hears the bytes read of the total
// and answers false to stop.
Fichier_Orbites Lire_Fichier_Orbites(const QString& chemin, const Notation& notation,
                                     const std::function<bool(int64_t lus, int64_t total)>& avancer);

// The orbit as the element file's lines, its laws and epoch marked as read
// from `source` (a file's name, empty for the clipboard).
QStringList Lignes_Orbite(const Programme& p, const Orbite_Publiee& orbite, const QString& source = {});

// The orbit into the fields and the elements, with its laws and epoch
// marked as read from `source` (a file's name, empty for the clipboard),
// through the element file's own reader; then the document unnamed and
// modified, and the page.
void Remplir_Orbite(Programme& p, const Orbite_Publiee& orbite, const QString& source = {});

// The open dialog, the read with its progress, the choice among the orbits,
// then the save prompt, the reset and the orbit.
void Importer_Elements(Programme& p, Etat_Import& etat);
// The same without the dialog.
void Importer_Fichier(Programme& p, const QString& chemin);

// One orbit pasted from the clipboard, in any of the formats.
void Coller_Elements(Programme& p);

// A file dropped on the window: an element file is opened, any other is imported.
void Deposer_Fichier(Programme& p, const QString& chemin);

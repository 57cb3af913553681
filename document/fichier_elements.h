#pragma once

// The element file: the 20 lines that store one element set, and its reader,
// which also takes the older unlabelled layout.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "document/contexte_document.h"
#include "form/lecture_entree_page.h"

// Label and unit of lines 2 to 20, in line order. The reader skips a label
// by its length in characters, without comparing it.
struct Libelle_Fichier {
    QStringView Libelle;
    QStringView Unite;
};

constexpr int Nombre_Lignes_Elements = 20;

inline constexpr std::array<Libelle_Fichier, Nombre_Lignes_Elements - 1> Libelles_Fichier = {{
    {u"Objet : ", u""},
    {u"Excentricité = ", u""},
    {u"Distance du périhélie = ", u" UA"},
    {u"Inclinaison = ", u" °"},
    {u"Argument du périhélie = ", u" °"},
    {u"Longitude du noeud ascendant = ", u" °"},
    {u"Jour du périhélie = ", u""},
    {u"Mois du périhélie = ", u""},
    {u"Année du périhélie = ", u""},
    {u"Equinoxe des éléments = ", u""},
    {u"Equinoxe éphéméride = ", u""},
    {u"Magnitude totale = ", u""},
    {u"Jour pour la magnitude totale ", u""},
    {u"Mois pour la magnitude totale ", u""},
    {u"Année pour la magnitude totale ", u""},
    {u"Magnitude du noyau = ", u""},
    {u"Jour pour la magnitude du noyau ", u""},
    {u"Mois pour la magnitude du noyau ", u""},
    {u"Année pour la magnitude du noyau ", u""},
}};

// Every "," and "." replaced by the system's separator.
QString Normaliser_Separateur(const QString& texte, char separateur);

// Every "." replaced by ",".
QString Forcer_Virgule(const QString& texte);

// The number of a normalised text. Erreur_Fichier is set when the text holds
// anything but digits and one separator (a sign included); with two signs or
// two separators the value is 0. A text the conversion rejects ("", "1a",
// "nan", "1e999") throws Erreur_Generale, which ends the read.
double Valeur_Reelle(const QString& texte, char separateur, Etat_Document& document);

// The 20 lines of the element set shown in the frame, without line ends.
// While the perihelion is shown as a Julian day, its calendar date is first
// computed from JJ_Perihelie, when that is set: the file always holds the
// calendar date.
QStringList Ecrire_Lignes_Elements(Contexte_Document& ctx);

// The lines as the file stores them: Windows-1252, each ended by CR LF.
QByteArray Encoder_Lignes_Elements(const QStringList& lignes);

// What the reader agrees to open. A folder never; the window only a regular
// file, since a pipe without a writer would block it before it shows and a
// device never ends; the batch program also a pipe it is handed.
enum class Fichiers_Lus { Ordinaires, Sauf_Dossiers };

// What a read starts from, on the frame or without one.
struct Depart_Lecture {
    Notation notation;
    Elements el;            // what the file does not hold stays as it is here
    bool Julienne = false;  // the perihelion is shown as a Julian day
    // The eccentricity the form last took, which tells which of a and q a
    // new one keeps; none on a fresh frame.
    QString Entree_e;
};

// What a read gives, with no frame: the element set, the modes the file
// leaves (its layout; the angle's caption and face among the texts and
// faces), its first fault, and what the read writes on the frame, for the
// form to show it.
struct Lecture_Elements {
    bool Ouvert = true;            // the file could be opened
    std::optional<QString> Arret;  // why the read stopped midway, as the general error report says it
    Elements el;
    bool Ancienne = false;  // the legacy layout: offered for saving in the current one
    bool Complete = true;   // the file holds every line
    bool Erreur_Format = false;
    std::optional<bool> Erreur_Fichier;  // of the last number read; none when none was
    std::vector<Controle> Refuses;       // fields whose value the form refuses
    qsizetype Ligne_Faute = 0;           // the first fault's line in the file, from 1
    QString Raison;                      // and why
    // The texts and faces the read leaves in the controls it writes.
    std::map<Controle, QString> Textes;
    std::map<Controle, QString> Polices;
    // Each write on the frame, in the order the read makes it.
    std::vector<std::function<void(Boite_Outils&)>> Ecritures;

    bool Refusee() const { return !Complete || Erreur_Format || !Refuses.empty(); }
};

// Reads element lines, as a file holds them, in either layout.
Lecture_Elements Lire_Elements(const QStringList& lignes, const Depart_Lecture& depart);

// The same from the file `chemin`.
Lecture_Elements Lire_Fichier_Elements(const QString& chemin, const Depart_Lecture& depart,
                                       Fichiers_Lus lus = Fichiers_Lus::Sauf_Dossiers);

// A warning box: its title and text.
struct Avertissement_Lecture {
    QString Titre;
    QString Texte;
};

// The warning a read ends with: the file that cannot be opened, or its first
// fault; none for a file read whole.
std::optional<Avertissement_Lecture> Avertissement_De(const Lecture_Elements& lecture);

// The controls of a fresh frame after the read: what the read wrote, the
// frame's own captions elsewhere.
Controles_Lus Controles_Apres_Lecture(const Lecture_Elements& lecture);

// Reads the file Nom_Fichier into the fields and the elements, in either
// layout, and enters it into the recent files. While the perihelion is shown
// as a Julian day, the date read is shown as one. Reports through
// Fichier_Ouvert, Erreur_Fichier and its warning boxes; a number that cannot
// be converted throws Erreur_Generale and leaves the rest of the read undone.
void Lire_Fichier_Elements(Contexte_Document& ctx, Fichiers_Lus lus = Fichiers_Lus::Sauf_Dossiers);

// The same filling of the fields and the elements from lines already in
// memory, as a file would hold them.
void Lire_Lignes_Elements(Contexte_Document& ctx, const QStringList& lignes);

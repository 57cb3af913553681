#pragma once

// The element file: the 20 lines that store one element set, and its reader,
// which also takes the older unlabelled layout.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

#include "document/contexte_document.h"

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

// Reads the file Nom_Fichier into the fields and the elements, in either
// layout, and enters it into the recent files. While the perihelion is shown
// as a Julian day, the date read is shown as one. Reports through
// Fichier_Ouvert, Erreur_Fichier and its warning boxes; a number that cannot
// be converted throws Erreur_Generale and leaves the rest of the read undone.
void Lire_Fichier_Elements(Contexte_Document& ctx, Fichiers_Lus lus = Fichiers_Lus::Sauf_Dossiers);

// The same filling of the fields and the elements from lines already in
// memory, as a file would hold them.
void Lire_Lignes_Elements(Contexte_Document& ctx, const QStringList& lignes);

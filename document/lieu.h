#pragma once

// The observing site, kept in its own file Lieu.ini beside Trajectel.ini:
// seven labelled lines in UTF-8 with CR LF, numbers with a point (a file
// in Windows-1252, as older versions wrote it, is still read).
// Written whole or not at all; a missing or damaged file means no site.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "page/visibilite_ligne.h"
#include "plateforme/boite_outils.h"

inline const QString Nom_Fichier_Lieu = QStringLiteral("Lieu.ini");

// The bounds a site must keep; what lies outside is refused, never stored.
constexpr double Latitude_Maximale = 90;          // degrees, either side of the equator
constexpr double Longitude_Maximale = 180;        // degrees, either side of Greenwich
constexpr double Altitude_Minimale = -500;        // metres
constexpr double Altitude_Maximale = 9000;        // metres
constexpr double Hauteur_Minimale_Maximale = 90;  // degrees; the telescope's lowest altitude is from 0
constexpr int Longueur_Maximale_Nom = 80;         // characters

// Empty when the site keeps every bound, else the sentence that says which does not.
QString Erreur_Site(const Site_Observation& site);

// A site from the texts of the dialog's fields (either decimal separator,
// thousands grouped by blanks or not), or the sentence that says what is wrong.
struct Saisie_Site {
    std::optional<Site_Observation> site;
    QString erreur;
};
Saisie_Site Lire_Champs_Site(const QString& nom, const QString& latitude, const QString& longitude,
                             const QString& altitude, const QString& hauteur_minimale, bool afficher);

// The seven lines of the file, without line ends, and back.
QStringList Lignes_Lieu(const Site_Observation& site);
struct Lecture_Lieu {
    std::optional<Site_Observation> site;
    QString raison;  // why there is none, short enough for the status bar; empty when there is no file
    QString detail;  // the value out of its bounds, for the site dialog
};
Lecture_Lieu Lire_Lignes_Lieu(const QStringList& lignes);

// The file of `dossier` (ending with "/"), read at start-up: at most a few
// short lines are read, whatever the file holds.
Lecture_Lieu Charger_Lieu(const QString& dossier);

// Writes the file whole, creating the folder when missing; a failure shows
// a warning box and answers false.
bool Enregistrer_Lieu(const QString& dossier, const Site_Observation& site, Boite_Outils& boite);

// The text a number of the file is written with: a point, up to 15 digits.
QString Nombre_Lieu(double valeur);

// The text of a number in the site dialog, as the form writes numbers: the
// system's decimal separator, the thousands grouped when its grouping is a blank.
QString Texte_Champ_Site(double valeur, const Notation& notation);

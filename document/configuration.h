#pragma once

// The settings file Trajectel.ini: the main window's state and placement and
// the ten recent files, 17 lines known by their position, in Windows-1252
// with CR LF. Read once at start-up, written once when the program ends.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "document/historique.h"
#include "form/etat.h"
#include "plateforme/boite_outils.h"

inline const QString Nom_Fichier_Configuration = QStringLiteral("Trajectel.ini");
constexpr int Nombre_Lignes_Configuration = 17;

// What the settings keep from start-up to the end.
struct Configuration {
    QString Dossier_Configuration;  // ends with "/"
    // The window-state number of line 2 as read at start-up (0 when the file
    // was not read): a window minimized at the end writes it back, so that it
    // reopens as it was opened this time.
    int32_t Etat_Fenetre = 0;
};

// What reading and writing the settings act on.
struct Contexte_Configuration {
    Boite_Outils& boite;
    Historique& historique;
    Etat_Document& document;  // its Erreur_Fichier reports a faulty file
    Configuration& configuration;
    QString Version_Programme;  // major.minor.release
};

// $XDG_CONFIG_HOME/Trajectel/ when XDG_CONFIG_HOME is an absolute path (the
// XDG rule ignores a relative one), else ~/.config/Trajectel/; always ending
// with "/".
QString Dossier_Configuration();

// A text in double quotes loses its first and last characters; then the
// blanks at its end go.
QString Nettoyer_Ligne(const QString& ligne);

// Normal state, 600 by 830 pixels where the screen is larger, at the top left.
void Placement_Par_Defaut(Boite_Outils& boite);

// Reads the settings from a file opened for reading, applies the window's
// state and placement and fills the recent files. A faulty file sets
// Erreur_Fichier, shows its warning box and gives the default placement; what
// was read before the fault stays. Reads at most 17 lines of 4096 characters.
void Lire_Configuration(Contexte_Configuration& ctx, QIODevice& fichier);

// Start-up's reading: the file of Dossier_Configuration, or the default
// placement when it is missing, is no regular file or was faulty.
void Charger_Configuration(Contexte_Configuration& ctx);

// The 17 lines the settings file holds now, without line ends.
QStringList Lignes_Configuration(const Contexte_Configuration& ctx);

// Creates the folder when missing and writes the whole file; a failure shows
// its warning box (creation) or the general error report (writing).
void Ecrire_Configuration(Contexte_Configuration& ctx);

// A file written whole or not at all: the content goes to a temporary file
// beside it, which takes the file's place only once every byte is written
// and flushed. `avant_remplacement` runs just before that (the backup of an
// element file is made there); if it throws, the file is left as it was.
struct Ecriture_Fichier {
    enum class Resultat { Ecrit, Echec_Creation, Echec_Ecriture };
    Resultat resultat;
    QString erreur;  // the system's text of the failure
    int code = 0;    // its errno, 0 when unknown
};
Ecriture_Fichier Ecrire_Fichier_Entier(const QString& nom, const QByteArray& contenu,
                                       const std::function<void()>& avant_remplacement = {});

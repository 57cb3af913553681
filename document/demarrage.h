#pragma once

// Start-up and quit of the window, on the abstract platform: what the
// window does before it waits for the user, and when it is asked to close.

#include <QDate>
#include <QString>
#include <functional>

#include "document/commandes_document.h"
#include "document/configuration.h"
#include "document/programme.h"

// What start-up is given: where the program lies (the help document is
// found from there), the first command-line argument ("" for none), today's date.
struct Demarrage {
    QString dossier_executable;
    QString argument;
    QDate aujourdhui;
};

inline const QString Nom_Fichier_Aide = QStringLiteral("Trajectel.html");

// The help document beside the program, else where the installation puts
// it; beside the program when neither holds it.
QString Chemin_Aide(const QString& dossier_executable);

// The values of the running window that start-up fixes.
struct Etat_Application {
    QString Fichier_Aide;  // absolute path of the help document
    bool Fermeture_Permise = false;
    Configuration configuration;
    Etat_Ouverture ouverture;
    QString Raison_Lieu;  // why Lieu.ini gave no site, shown in the site dialog
};

// What the settings file is read into and written from.
Contexte_Configuration Contexte_Configuration_De(Programme& p, Etat_Application& application);

// The characters after the last "/", "\" or double quote: the whole
// argument when it has none.
QString Nom_Dernier_Fichier(const QString& argument);

// Main window 700 wide, page image 700 by 550 (wider when Titre7 reaches
// further), the frame around it under the tool bar. The perihelion field's
// own place, which its calendar form and the reset restore, is the control
// table's.
void Disposer_Fenetre(Boite_Outils& boite);

// "Position topocentrique" is offered when a site's visibility is shown
// and the rows come from the precise model.
void Activer_Topocentrique(Programme& p);

// The start fields receive today's day, month and year; the step is 1.
void Inscrire_Date_Du_Jour(Programme& p, const QDate& aujourdhui);

// The element file named on the command line becomes the document, or the
// program starts without one when it cannot be read.
void Ouvrir_Argument(Programme& p, const QString& argument);

// The main window's creation handler, in its order. `message` shows a plain
// message (the missing help document).
void FormCreate(Programme& p, Etat_Application& application, const Demarrage& demarrage,
                const std::function<void(const QString&)>& message);

// The quit procedure: the save prompt (the field being edited is left
// first), then the settings file; answers whether the window may close. A
// cancelled prompt or a save that did not take place keeps the window open
// and writes nothing.
bool Quitter_Application(Programme& p, Etat_Application& application);

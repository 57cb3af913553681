#pragma once

// Updating catalogues one after the other and saying how each went, in one
// line: what the batch program prints and the dialog shows.

#include <QDateTime>
#include <QString>
#include <functional>

#include "catalogues/mise_a_jour.h"

// Where the catalogues and their addresses are, and the clocks of a run.
struct Environnement_Catalogues {
    QString dossier_copies;                    // ending with "/"
    QString dossier_configuration;             // of Catalogues.ini, ending with "/"
    int delai_silence = Delai_Silence_Defaut;  // ms
    std::function<QDateTime()> horloge = [] { return QDateTime::currentDateTimeUtc(); };
};

// The user's folders.
Environnement_Catalogues Environnement_Utilisateur();

// The request for one catalogue: its address from Catalogues.ini, or
// `adresse` when given. The file is written with the MPC's addresses the
// first time, so that the user finds where to put a mirror's.
Demande_Mise_A_Jour Demande_Catalogue(const Environnement_Catalogues& env, const Source_Catalogue& source,
                                      const QString& adresse = {});
// Creates Catalogues.ini when missing; its reason when it is damaged or cannot be written.
QString Preparer_Catalogues_Ini(const QString& dossier_configuration);

// Runs one update to its end in an event loop of its own.
Resultat_Mise_A_Jour Executer_Mise_A_Jour(QNetworkAccessManager& reseau, const Demande_Mise_A_Jour& demande);

// « cometes : 1 012 objets, mis à jour », « cometes : inchangé depuis le
// 10/12/2026 07:31 TU », « cometes : non mis à jour (raison) ; copie du
// 9/12/2026 gardée ».
QString Ligne_Resultat(const Source_Catalogue& source, const Resultat_Mise_A_Jour& resultat);
// The same without the name, for the dialog's state column.
QString Etat_Resultat(const Resultat_Mise_A_Jour& resultat);
// Since when a catalogue is unchanged: the server's date of the file, else the download's.
QDateTime Date_Inchangee(const Releve_Copie& releve);

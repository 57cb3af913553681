#pragma once

// The catalogues the Minor Planet Center publishes and rebuilds every
// morning (UT), and the file Catalogues.ini beside Trajectel.ini that keeps
// each one's address, so that a mirror can stand for the MPC.

#include <QString>
#include <map>
#include <vector>

#include "document/import_elements.h"

struct Source_Catalogue {
    QString Nom;                                // the program's name of it: "cometes"
    QString Fichier;                            // at the source: "MPCORB.DAT.gz"
    QString Copie;                              // the local copy, unpacked: "MPCORB.DAT"
    QString Libelle;                            // for the observer: "Comètes (MPC)"
    Forme_Ligne Forme = Forme_Ligne::Inconnue;  // of the lines that hold its bodies
    bool Gzip = false;
};

// The four catalogues, in the order they are shown.
const std::vector<Source_Catalogue>& Sources_Catalogues();
// The catalogue of that name; none for another name.
const Source_Catalogue* Trouver_Source(const QString& nom);
// "cometes, planetes-mineures, geocroiseurs, lointains".
QString Noms_Catalogues();

inline const QString Dossier_MPC = QStringLiteral("https://www.minorplanetcenter.net/iau/MPCORB/");
inline const QString Nom_Fichier_Catalogues = QStringLiteral("Catalogues.ini");

QString Adresse_Defaut(const Source_Catalogue& source);

// An address the download accepts: http or https, with a host. Empty when
// it is one, else why not.
QString Verifier_Adresse(const QString& adresse);

// Each catalogue's address by its name; a missing file or line gives the
// MPC's, a damaged line the MPC's and the reason.
struct Adresses_Catalogues {
    std::map<QString, QString> adresses;
    QString raison;  // empty when every line was read
};
Adresses_Catalogues Lire_Lignes_Catalogues(const QStringList& lignes);
QStringList Lignes_Catalogues(const std::map<QString, QString>& adresses);
// The file of `dossier` (ending with "/"); at most a few short lines are read.
Adresses_Catalogues Charger_Catalogues(const QString& dossier);
// Written whole (UTF-8) or not at all, the folder created when missing;
// empty when written, else the system's word for the failure.
QString Enregistrer_Catalogues(const QString& dossier, const std::map<QString, QString>& adresses);

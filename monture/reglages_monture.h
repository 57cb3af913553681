#pragma once

// The mount's settings, kept in their own file Monture.ini beside
// Trajectel.ini: the INDI server and the device chosen, three labelled lines
// in UTF-8 with CR LF (one in Windows-1252 is read too). Written whole or not
// at all; a missing or damaged file gives the defaults and says why.

#include <QString>
#include <QStringList>

inline const QString Nom_Fichier_Monture = QStringLiteral("Monture.ini");
constexpr quint16 Port_Indi = 7624;  // INDI's registered port, taken when none is given

struct Reglages_Monture {
    QString Hote = QStringLiteral("localhost");
    quint16 Port = Port_Indi;
    QString Appareil;  // empty until one is chosen
    bool operator==(const Reglages_Monture& autre) const {
        return Hote == autre.Hote && Port == autre.Port && Appareil == autre.Appareil;
    }
};

// "hote:port" as typed in the dialog or given to the batch program ("[::1]:7624"
// for an IPv6 address), or a host alone on INDI's port; nothing when it is
// not one, with `erreur` saying why.
struct Lecture_Serveur {
    bool valide = false;
    QString hote;
    quint16 port = 0;
    QString erreur;
};
Lecture_Serveur Lire_Serveur(const QString& texte);
QString Texte_Serveur(const Reglages_Monture& reglages);

QStringList Lignes_Monture(const Reglages_Monture& reglages);
struct Lecture_Monture {
    Reglages_Monture reglages;  // the defaults when the file is missing or damaged
    QString raison;             // why the defaults, empty when the file was read
};
Lecture_Monture Lire_Lignes_Monture(const QStringList& lignes);

// The file of `dossier` (ending with "/"); at most a few short lines are read.
Lecture_Monture Charger_Monture(const QString& dossier);

// Writes the file whole, creating the folder when missing; empty when
// written, else the message of the failure with the file and its reason.
QString Enregistrer_Monture(const QString& dossier, const Reglages_Monture& reglages);

#pragma once

// The local copies of the catalogues, in the user's data folder: each copy
// under its own unpacked name ("CometEls.txt", "MPCORB.DAT"), and beside it
// a small record of where and when it came from. A copy is only ever
// replaced whole, so that what is here always reads.

#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "catalogues/sources_catalogues.h"

class QLockFile;

// What is known of a copy: its source and the server's marks, sent back on
// the next check so that an unchanged file is not downloaded again.
struct Releve_Copie {
    QString Adresse;
    QString ETag;
    QString Last_Modified;     // as the server wrote it
    QDateTime Telechargement;  // UTC, of the copy
    QDateTime Verification;    // UTC, of the last check, unchanged or not
    qint64 Objets = 0;         // bodies the copy holds
};

// The data folder of the window and the batch alike (XDG_DATA_HOME, else
// ~/.local/share), "…/trajectel/catalogues/".
QString Dossier_Catalogues();

// The copy's path in `dossier` (ending with "/"), whether it is there or not.
QString Chemin_Copie(const QString& dossier, const Source_Catalogue& source);
QString Chemin_Releve(const QString& dossier, const Source_Catalogue& source);

QStringList Lignes_Releve(const Releve_Copie& releve);
std::optional<Releve_Copie> Lire_Lignes_Releve(const QStringList& lignes);
// The record of the copy; none when the copy or its record is missing or damaged.
std::optional<Releve_Copie> Lire_Releve(const QString& dossier, const Source_Catalogue& source);
// Written whole or not at all; empty when written, else the system's word.
QString Ecrire_Releve(const QString& dossier, const Source_Catalogue& source, const Releve_Copie& releve);

// A copy that is there, with its record.
struct Copie_Locale {
    const Source_Catalogue* source = nullptr;
    QString chemin;
    Releve_Copie releve;
};
// The copy of the catalogue `nom` ("cometes"), when there is one: what the
// readers of the catalogues open.
std::optional<Copie_Locale> Trouver_Copie(const QString& nom, const QString& dossier = Dossier_Catalogues());
// Every copy there is, in the catalogues' order.
std::vector<Copie_Locale> Lister_Copies(const QString& dossier = Dossier_Catalogues());

// "Comètes (MPC) du 10/12/2026, 1 012 objets", with a warning when the copy
// is older than a week at `maintenant`.
QString Texte_Copie(const Copie_Locale& copie, const QDateTime& maintenant);
// A copy older than this is said to be so: the MPC rebuilds them daily.
constexpr qint64 Age_Ancienne_Copie = 7 * 24 * 3600;  // seconds
bool Copie_Ancienne(const Releve_Copie& releve, const QDateTime& maintenant);

// "1 012": the counts as the observer reads them.
QString Texte_Nombre(qint64 n);
// "1 objet", "1 012 objets": the count with its word agreeing.
QString Texte_Objets(qint64 n);
// "9/12/2026" and "10/12/2026 07:31", in UT.
QString Texte_Date(const QDateTime& t);
QString Texte_Date_Heure(const QDateTime& t);

// One update of the catalogues at a time, whichever program runs it: the
// lock beside the copies, or none and why (another update runs, or the
// folder cannot be written).
struct Verrou_Catalogues {
    std::unique_ptr<QLockFile> verrou;
    QString raison;
    Verrou_Catalogues();
    Verrou_Catalogues(Verrou_Catalogues&&) noexcept;
    ~Verrou_Catalogues();
};
Verrou_Catalogues Verrouiller_Catalogues(const QString& dossier);

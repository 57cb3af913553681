#pragma once

// Where the batch program's output goes: the file named by --sortie, or
// standard output. Either is written whole, or the failure is reported with
// the system's reason: a script must never take a lost ephemeris for a
// written one.

#include <QByteArray>
#include <QIODevice>
#include <QString>

// Writes `contenu` to `chemin`. A regular file, or a new one, is replaced
// only once every byte is on disk, through a temporary file beside it; a
// device or a pipe the user named is written in place. Empty on success,
// otherwise the system's reason, the file being left as it was.
QString Ecrire_Fichier_Sortie(const QString& chemin, const QByteArray& contenu);

// The line that reports it, for standard error.
QString Message_Ecriture_Impossible(const QString& destination, const QString& raison);

// Standard output, keeping the system's reason when a write fails (a full
// disk, a closed descriptor). A reader that closes the pipe early still ends
// the program quietly, by the usual signal.
class Sortie_Standard : public QIODevice {
public:
    Sortie_Standard();
    bool isSequential() const override { return true; }
    QString Raison() const;  // of the first failed write; empty while none failed

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* donnees, qint64 taille) override;

private:
    int erreur_ = 0;
};

// A standard descriptor closed by the caller is reopened on /dev/null,
// read-only for standard output, so that writing the ephemeris there fails
// and is reported, and so that no file the program opens takes its number.
void Garder_Descripteurs_Standard();

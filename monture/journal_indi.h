#pragma once

// The record of an INDI exchange: every message sent to the server and every
// piece received from it, each on its own lines after its UTC time and its
// direction, for a user to send back when a real mount misbehaves. The file
// is bounded: past `Taille_Maximale_Journal` it becomes FICHIER.1 (replacing
// the one before) and a new file begins.

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

inline constexpr qint64 Taille_Maximale_Journal = 10 * 1000 * 1000;  // bytes

class Journal_Indi {
public:
    // Opens `chemin` to append to it; `Erreur` says why not.
    explicit Journal_Indi(const QString& chemin, qint64 taille_maximale = Taille_Maximale_Journal);
    const QString& Erreur() const { return erreur_; }
    const QString& Chemin() const { return chemin_; }
    void Ecrire(bool envoye, const QByteArray& xml, const QDateTime& instant);

private:
    void Tourner();
    QString chemin_;
    qint64 taille_maximale_;
    QFile fichier_;
    QString erreur_;
};

#pragma once

// The lines of a short settings file beside Trajectel.ini (Lieu.ini,
// Calcul.ini, Monture.ini), as the program writes it (UTF-8, CR LF) or as
// an editor may leave it: a UTF-8 byte-order mark, Windows-1252 text, and
// lines ended by CR LF, LF or CR alone are all read alike.

#include <QString>
#include <QStringList>

struct Lignes_Reglages {
    enum class Etat { Absent, Illisible, Lu };
    Etat etat = Etat::Absent;
    QStringList lignes;  // without their ends; a last empty line dropped
};

// At most `taille_maximale` bytes are read: a larger file, a pipe or a
// device is unreadable, and nothing beyond it is looked at.
Lignes_Reglages Lire_Lignes_Reglages(const QString& chemin, qint64 taille_maximale);

// The text's lines, whatever their ends; a last empty line dropped.
QStringList Couper_Lignes_Reglages(const QString& texte);

// UTF-8, the byte-order mark dropped; what is not valid UTF-8 is an older
// file, in Windows-1252.
QString Decoder_Reglages(const QByteArray& octets);

#pragma once

// Why a file could not be written, in the words an observer reads: the
// system's error code named in French, or the system's own text for a code
// the program does not name.

#include <QString>

// The French reason for an error code (errno); `texte_systeme` for any
// other code, or for none (0).
QString Raison_Echec(int code, const QString& texte_systeme);

// A failure's message with, on the line below, the file's path and the reason.
QString Message_Echec(const QString& message, const QString& chemin, int code, const QString& texte_systeme);

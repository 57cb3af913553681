#pragma once

#include <QFile>

// Opens `fichier` for reading only when it is a regular file. A pipe without
// a writer would block the open and a device would never end; the check is
// made on the opened descriptor, so that nothing put in the file's place
// after a look at its name gets through, and the open itself cannot block.
bool Ouvrir_Fichier_Ordinaire(QFile& fichier);

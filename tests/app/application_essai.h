#pragma once

// What the window's tests share: one QApplication for the whole run, on the
// offscreen platform unless a display was chosen, with the settings kept in
// a temporary folder; and where the examples and the built program lie.

#include <QString>

inline const QString Dossier_Exemples = QStringLiteral(TRAJECTEL_EXEMPLES);
inline const QString Dossier_Programme = QStringLiteral(TRAJECTEL_DOSSIER_PROGRAMME);

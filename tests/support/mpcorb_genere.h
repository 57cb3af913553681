#pragma once

// Made-up minor-planet catalogues of full size for the benchmarks: lines in
// the MPCORB layout, each built from Ceres's line with fields written over.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include <QString>
#include <QTemporaryDir>

// `valeur` in printf's `format`, over the line from `colonne` (1 for the first).
template <class T>
void Ecrire_Colonne(std::string& ligne, std::size_t colonne, const char* format, T valeur) {
    char champ[40];
    const int n = std::snprintf(champ, sizeof champ, format, valeur);
    ligne.replace(colonne - 1, static_cast<std::size_t>(n), champ);
}

// The name of the line, in its 28 columns from 167.
inline void Ecrire_Nom(std::string& ligne, const std::string& nom) {
    ligne.replace(166, 28, (nom + std::string(28, ' ')).substr(0, 28));
}

// The file `chemin`: the header of the published file, then ligne(k) for k
// from 0 to `lignes` - 1.
inline void Ecrire_Mpcorb(const std::string& chemin, int64_t lignes,
                          const std::function<std::string(int64_t)>& ligne) {
    std::ofstream f(chemin, std::ios::binary);
    f << "MINOR PLANET CENTER ORBIT DATABASE (MPCORB)\n" << std::string(160, '-') << '\n';
    for (int64_t k = 0; k < lignes; ++k) f << ligne(k) << '\n';
}

// Such a file in a temporary folder of its own, for as long as this lives.
struct Mpcorb_Temporaire {
    QTemporaryDir dossier;
    QString chemin = dossier.filePath(QStringLiteral("MPCORB.DAT"));
    Mpcorb_Temporaire(int64_t lignes, const std::function<std::string(int64_t)>& ligne) {
        Ecrire_Mpcorb(chemin.toStdString(), lignes, ligne);
    }
};

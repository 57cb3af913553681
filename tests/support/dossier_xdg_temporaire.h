#pragma once

// One of the XDG folders (XDG_CONFIG_HOME, XDG_DATA_HOME) pointed into a
// temporary folder for as long as this lives, so that nothing a test
// writes reaches the user's own.

#include <QByteArray>
#include <QTemporaryDir>

class Dossier_Xdg_Temporaire {
public:
    explicit Dossier_Xdg_Temporaire(const char* variable) : variable_(variable), avant_(qgetenv(variable)) {
        qputenv(variable_, racine_.path().toLocal8Bit());
    }
    ~Dossier_Xdg_Temporaire() { qputenv(variable_, avant_); }
    Dossier_Xdg_Temporaire(const Dossier_Xdg_Temporaire&) = delete;
    Dossier_Xdg_Temporaire& operator=(const Dossier_Xdg_Temporaire&) = delete;

    const QTemporaryDir& Racine() const { return racine_; }

private:
    const char* variable_;
    QByteArray avant_;
    QTemporaryDir racine_;
};

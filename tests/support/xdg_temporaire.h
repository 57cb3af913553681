#pragma once

// The settings folder of a test: XDG_CONFIG_HOME points into a temporary
// folder for as long as it lives, so that nothing reaches the user's own.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class Xdg_Temporaire {
public:
    Xdg_Temporaire() : avant_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", racine_.path().toLocal8Bit());
    }
    ~Xdg_Temporaire() { qputenv("XDG_CONFIG_HOME", avant_); }
    Xdg_Temporaire(const Xdg_Temporaire&) = delete;
    Xdg_Temporaire& operator=(const Xdg_Temporaire&) = delete;

    QString Fichier() const { return racine_.path() + QStringLiteral("/Trajectel/Trajectel.ini"); }
    void Ecrire(const QByteArray& contenu) const {
        QDir().mkpath(racine_.path() + QStringLiteral("/Trajectel"));
        QFile f(Fichier());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(contenu), contenu.size());
    }
    QByteArray Lire() const {
        QFile f(Fichier());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
    }
    QString Chemin(const char* nom) const { return racine_.filePath(QString::fromUtf8(nom)); }

private:
    QByteArray avant_;
    QTemporaryDir racine_;
};

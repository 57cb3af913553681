#pragma once

// The settings folder of a test: XDG_CONFIG_HOME points into a temporary
// folder for as long as it lives, so that nothing reaches the user's own.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>

#include "support/dossier_xdg_temporaire.h"

class Xdg_Temporaire {
public:
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
    Dossier_Xdg_Temporaire xdg_{"XDG_CONFIG_HOME"};
    const QTemporaryDir& racine_ = xdg_.Racine();
};

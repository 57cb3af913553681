#pragma once

// Scripts read the batch programs' standard error: it carries the programs'
// own messages, written straight to it, and none of the toolkit's remarks
// about its surroundings (a missing runtime folder, fonts, the platform).

#include <QtGlobal>
#include <cstdio>

// Installed before the application is made; a fatal message still tells why
// the program stops.
inline void Taire_Messages_Toolkit() {
    qInstallMessageHandler([](QtMsgType genre, const QMessageLogContext&, const QString& message) {
        if (genre == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
    });
}

#include <QDate>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

#include "batch/ephemeride.h"

int main(int argc, char** argv) {
    // The batch program never shows a window; fonts for the PDF page still
    // need a graphical application, which runs without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTextStream sortie(stdout);
    QTextStream erreurs(stderr);
    QStringList arguments = QGuiApplication::arguments();
    arguments.removeFirst();
    const int statut = Executer_Ephemeride(arguments, sortie, erreurs, QDate::currentDate());
    sortie.flush();
    erreurs.flush();
    return statut;
}

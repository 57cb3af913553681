#include <QGuiApplication>

#include "batch/ecriture_sortie.h"
#include "batch/ephemeride.h"
#include "batch/impression_pdf.h"
#include "batch/messages_toolkit.h"

// The batch program for the printed page, started by trajectel-ephemeride.
int main(int argc, char** argv) {
    Garder_Descripteurs_Standard();
    Taire_Messages_Toolkit();
    // The page never shows a window; it is drawn without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    return Executer_Sur_Console(Imprimer_Pdf);
}

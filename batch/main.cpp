#include <QCoreApplication>
#include <QDate>
#include <QTextStream>
#include <cstdio>

#include "batch/ephemeride.h"

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTextStream sortie(stdout);
    QTextStream erreurs(stderr);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const int statut = Executer_Ephemeride(arguments, sortie, erreurs, QDate::currentDate());
    sortie.flush();
    erreurs.flush();
    return statut;
}

#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <vector>

#include "batch/ecriture_sortie.h"
#include "batch/ephemeride.h"
#include "batch/messages_toolkit.h"

namespace {

const QString Nom_Imprimeur = QStringLiteral("trajectel-ephemeride-pdf");

// Beside this program in the build folder, in its own folder once installed.
// Asked before any application exists, so that the printed page does not pay
// for one more.
QString Chemin_Imprimeur() {
    const QDir ici = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
    for (const QString& dossier : {QStringLiteral("."), QStringLiteral(TRAJECTEL_AUXILIAIRES)}) {
        const QFileInfo programme(QDir(ici.filePath(dossier)), Nom_Imprimeur);
        if (programme.isFile() && programme.isExecutable()) return programme.absoluteFilePath();
    }
    return {};
}

// The printing program takes this process over, with the same arguments and
// standard streams.
int Confier_Impression(std::vector<char*> arguments) {
    const QString chemin = Chemin_Imprimeur();
    if (!chemin.isEmpty()) {
        QByteArray nom = QFile::encodeName(chemin);
        arguments[0] = nom.data();
        execv(nom.constData(), arguments.data());
    }
    QTextStream(stderr)
        << QStringLiteral("trajectel-ephemeride : impossible de lancer %1\n").arg(Nom_Imprimeur);
    return Fichier_Illisible;
}

}  // namespace

int main(int argc, char** argv) {
    Garder_Descripteurs_Standard();
    Taire_Messages_Toolkit();
    QStringList arguments;
    for (int k = 1; k < argc; ++k) arguments << QString::fromLocal8Bit(argv[k]);
    if (Demande_Page_Imprimee(arguments))
        return Confier_Impression(std::vector<char*>(argv, argv + argc + 1));
    // Text and TSV need neither fonts nor a display, and loading the graphical
    // libraries costs most of a short run: only the printed page pays for them.
    QCoreApplication application(argc, argv);
    return Executer_Sur_Console(nullptr);
}

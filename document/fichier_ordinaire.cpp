#include "document/fichier_ordinaire.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>

namespace {

// The descriptor reads as usual once it is known to be a regular file.
bool Descripteur_Ordinaire(int fd) {
    struct stat etat {};
    if (::fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode)) return false;
    const int drapeaux = ::fcntl(fd, F_GETFL);
    return drapeaux >= 0 && ::fcntl(fd, F_SETFL, drapeaux & ~O_NONBLOCK) == 0;
}

}  // namespace

bool Ouvrir_Fichier_Ordinaire(QFile& fichier) {
    // Most pipes and devices are turned away before they are even opened.
    if (fichier.fileName().isEmpty() || !QFileInfo(fichier.fileName()).isFile()) return false;
    const int fd =
        ::open(QFile::encodeName(fichier.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    if (!Descripteur_Ordinaire(fd) || !fichier.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

#include "batch/ecriture_sortie.h"

#include <fcntl.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "document/configuration.h"

namespace {

// A write interrupted by a signal is tried again, this many times in a row.
constexpr int Interruptions_Max = 100;

QString Raison_Systeme(int erreur) { return QString::fromLocal8Bit(std::strerror(erreur)); }

// Every byte to the descriptor: 0, or the errno of the failure.
int Ecrire_Tout(int descripteur, const char* donnees, qint64 taille) {
    int interruptions = 0;
    while (taille > 0) {
        const ssize_t ecrit = ::write(descripteur, donnees, static_cast<size_t>(taille));
        if (ecrit < 0 && errno == EINTR && ++interruptions < Interruptions_Max) continue;
        if (ecrit <= 0) return ecrit < 0 ? errno : EIO;
        interruptions = 0;
        donnees += ecrit;
        taille -= ecrit;
    }
    return 0;
}

// A device or a pipe cannot be replaced: it is written in place. A pipe
// without a reader is refused at once rather than waited for.
QString Ecrire_Sur_Place(const QString& chemin, const QByteArray& contenu) {
    const int descripteur = ::open(QFile::encodeName(chemin).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (descripteur < 0) return Raison_Systeme(errno);
    int erreur = ::fcntl(descripteur, F_SETFL, 0) < 0 ? errno : 0;
    if (erreur == 0) erreur = Ecrire_Tout(descripteur, contenu.constData(), contenu.size());
    if (::close(descripteur) < 0 && erreur == 0 && errno != EINTR) erreur = errno;
    return erreur == 0 ? QString() : Raison_Systeme(erreur);
}

}  // namespace

QString Ecrire_Fichier_Sortie(const QString& chemin, const QByteArray& contenu) {
    const QFileInfo cible(chemin);
    if (cible.isDir()) return Raison_Systeme(EISDIR);
    if (cible.exists() && !cible.isFile()) return Ecrire_Sur_Place(chemin, contenu);
    const Ecriture_Fichier e = Ecrire_Fichier_Entier(chemin, contenu);
    return e.resultat == Ecriture_Fichier::Resultat::Ecrit ? QString() : e.erreur;
}

QString Message_Ecriture_Impossible(const QString& destination, const QString& raison) {
    return QStringLiteral("trajectel-ephemeride : impossible d'écrire %1 : %2\n").arg(destination, raison);
}

Sortie_Standard::Sortie_Standard() { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

QString Sortie_Standard::Raison() const { return erreur_ == 0 ? QString() : Raison_Systeme(erreur_); }

qint64 Sortie_Standard::writeData(const char* donnees, qint64 taille) {
    if (erreur_ == 0) erreur_ = Ecrire_Tout(STDOUT_FILENO, donnees, taille);
    return erreur_ == 0 ? taille : -1;
}

void Garder_Descripteurs_Standard() {
    for (const int descripteur : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(descripteur, F_GETFD) >= 0 || errno != EBADF) continue;
        const int nul = ::open("/dev/null", descripteur == STDERR_FILENO ? O_WRONLY : O_RDONLY);
        if (nul >= 0 && nul != descripteur) {
            ::dup2(nul, descripteur);
            ::close(nul);
        }
    }
}

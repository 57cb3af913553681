#include "monture/journal_indi.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

#include "document/raison_echec.h"

namespace {
const QByteArray Mot_Envoye = QByteArrayLiteral(" envoyé ");
const QByteArray Mot_Recu = QByteArrayLiteral(" reçu ");
const QString Format_Instant = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ");
const QString Suffixe_Ancien = QStringLiteral(".1");
}  // namespace

Journal_Indi::Journal_Indi(const QString& chemin, qint64 taille_maximale)
    : chemin_(chemin), taille_maximale_(taille_maximale), fichier_(chemin) {
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    errno = 0;
    if (!fichier_.open(QIODevice::WriteOnly | QIODevice::Append))
        erreur_ = Raison_Echec(errno, fichier_.errorString());
}

void Journal_Indi::Ecrire(bool envoye, const QByteArray& xml, const QDateTime& instant) {
    if (!fichier_.isOpen()) return;
    QByteArray ligne =
        instant.toUTC().toString(Format_Instant).toUtf8() + (envoye ? Mot_Envoye : Mot_Recu) + xml;
    if (!ligne.endsWith('\n')) ligne += '\n';
    if (fichier_.size() > 0 && fichier_.size() + ligne.size() > taille_maximale_) Tourner();
    // A piece larger than the whole bound is cut: the record stays bounded.
    if (ligne.size() > taille_maximale_) ligne = ligne.left(taille_maximale_ - 1) + '\n';
    fichier_.write(ligne);
    fichier_.flush();
}

void Journal_Indi::Tourner() {
    fichier_.close();
    QFile::remove(chemin_ + Suffixe_Ancien);
    QFile::rename(chemin_, chemin_ + Suffixe_Ancien);
    if (!fichier_.open(QIODevice::WriteOnly | QIODevice::Append)) erreur_ = fichier_.errorString();
}

#include "document/raison_echec.h"

#include <cerrno>

namespace {

struct Raison {
    int code;
    const char* texte;
};

// The failures a save meets in practice; Qt and the C library give them in
// English only.
constexpr Raison Raisons[] = {
    {ENOSPC, "disque plein"},
    {EDQUOT, "quota de disque dépassé"},
    {EACCES, "permission refusée"},
    {EPERM, "opération non permise"},
    {ENOENT, "le dossier n'existe pas"},
    {ENOTDIR, "un élément du chemin n'est pas un dossier"},
    {EISDIR, "ce nom est celui d'un dossier"},
    {EROFS, "système de fichiers en lecture seule"},
    {ENAMETOOLONG, "nom de fichier trop long"},
    {EFBIG, "fichier trop grand"},
    {EIO, "erreur d'entrée-sortie du disque"},
    {ETXTBSY, "fichier en cours d'utilisation"},
    {ELOOP, "trop de liens symboliques"},
};

const QString Separation = QStringLiteral(" : ");

}  // namespace

QString Raison_Echec(int code, const QString& texte_systeme) {
    for (const Raison& r : Raisons)
        if (r.code == code) return QString::fromUtf8(r.texte);
    return texte_systeme;
}

QString Message_Echec(const QString& message, const QString& chemin, int code, const QString& texte_systeme) {
    const QString raison = Raison_Echec(code, texte_systeme);
    return message + u'\n' + chemin + (raison.isEmpty() ? QString() : Separation + raison);
}

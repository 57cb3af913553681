#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>

#include "document/commandes_import.h"
#include "document/fichier_ordinaire.h"
#include "document/lieu.h"

namespace {

// What stands at the name each reader is given. A pipe without a writer
// would block a plain open for ever: each of these must return at once.
struct Cas_Fichier {
    const char* nom;
    void (*preparer)(const QString& chemin);
    bool ordinaire;
};

const Cas_Fichier Cas_Fichiers[] = {
    {"fichier",
     [](const QString& c) {
         QFile f(c);
         f.open(QIODevice::WriteOnly);
         f.write("x\r\n");
     },
     true},
    {"absent", [](const QString&) {}, false},
    {"dossier", [](const QString& c) { QDir().mkpath(c); }, false},
    {"tube nommé", [](const QString& c) { ::mkfifo(QFile::encodeName(c).constData(), 0600); }, false},
};

}  // namespace

TEST(Ouvrir_Fichier_Ordinaire, SeulUnFichierOrdinaireEstLu) {
    for (const Cas_Fichier& c : Cas_Fichiers) {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("Lieu.ini"));
        c.preparer(chemin);
        QFile fichier(chemin);
        EXPECT_EQ(Ouvrir_Fichier_Ordinaire(fichier), c.ordinaire) << c.nom;
        EXPECT_EQ(fichier.isOpen(), c.ordinaire) << c.nom;
        if (c.ordinaire) {
            EXPECT_EQ(fichier.readAll(), QByteArray("x\r\n")) << c.nom;
        } else {
            // The site and the import refuse the same names, without blocking.
            EXPECT_FALSE(Charger_Lieu(dossier.path() + u'/').site.has_value()) << c.nom;
            const Fichier_Orbites lu =
                Lire_Fichier_Orbites(chemin, Notation{',', " "}, [](int64_t, int64_t) { return true; });
            EXPECT_EQ(lu.issue, Fichier_Orbites::Issue::Inaccessible) << c.nom;
        }
    }
    QFile peripherique(QStringLiteral("/dev/zero"));
    EXPECT_FALSE(Ouvrir_Fichier_Ordinaire(peripherique));
}

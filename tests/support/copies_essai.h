#pragma once

// Local copies of the catalogues in a data folder of the test's own:
// XDG_DATA_HOME points into a temporary folder for as long as it lives, and
// a copy is placed there as an update leaves it, the file and its record.

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "catalogues/copies_locales.h"
#include "support/dossier_xdg_temporaire.h"

class Copies_Essai {
public:
    // The lines of `source` that `garder` matches (or not, with `contraire`)
    // as the copy of the catalogue `nom`, downloaded at `telechargement`.
    // False when a file could not be written.
    bool Placer(const QString& nom, const QString& source, const QRegularExpression& garder, bool contraire,
                const QDateTime& telechargement) const {
        const Source_Catalogue* catalogue = Trouver_Source(nom);
        QFile entree(source);
        if (!catalogue || !QDir().mkpath(Dossier_Catalogues()) || !entree.open(QIODevice::ReadOnly))
            return false;
        QByteArray texte;
        qint64 objets = 0;
        for (const QByteArray& ligne : entree.readAll().split('\n')) {
            if (ligne.trimmed().isEmpty() || garder.match(QString::fromUtf8(ligne)).hasMatch() == contraire)
                continue;
            texte += ligne + '\n';
            ++objets;
        }
        QFile copie(Chemin_Copie(Dossier_Catalogues(), *catalogue));
        if (!copie.open(QIODevice::WriteOnly) || copie.write(texte) != texte.size()) return false;
        Releve_Copie releve;
        releve.Adresse = QStringLiteral("http://127.0.0.1/") + catalogue->Fichier;
        releve.Telechargement = telechargement;
        releve.Objets = objets;
        return Ecrire_Releve(Dossier_Catalogues(), *catalogue, releve).isEmpty();
    }

private:
    Dossier_Xdg_Temporaire xdg_{"XDG_DATA_HOME"};
};

// The lines of the MPC's comets: the periodic number or blanks, then the orbit's type.
inline const QRegularExpression Ligne_Comete(QStringLiteral("^[ 0-9]{4}[CPDXI]"));

#include "batch/catalogues_batch.h"

#include <QNetworkAccessManager>

#include "batch/options_batch.h"

namespace {

const QString Nom_Ligne = QStringLiteral("trajectel-ephemeride : ");
const QString Aucune_Copie = QStringLiteral(
    "aucune copie locale des catalogues ; « trajectel-ephemeride --actualiser NOM » en télécharge une");

// Every catalogue named gets its line, also when another update holds the folder.
int Refuser_Tous(const QStringList& noms, const Environnement_Catalogues& env, const QString& raison,
                 QTextStream& sortie) {
    for (const QString& nom : noms) {
        const Source_Catalogue& source = *Trouver_Source(nom);
        const Resultat_Mise_A_Jour r{Issue_Mise_A_Jour::Echec, raison,
                                     Lire_Releve(env.dossier_copies, source)};
        sortie << Ligne_Resultat(source, r) << u'\n';
    }
    return Catalogue_Non_Actualise;
}

}  // namespace

int Actualiser_En_Batch(const QStringList& noms, const QString& adresse, const Environnement_Catalogues& env,
                        QTextStream& sortie, QTextStream& erreurs) {
    const QString avis = Preparer_Catalogues_Ini(env.dossier_configuration);
    if (!avis.isEmpty()) erreurs << Nom_Ligne << avis << u'\n';
    const Verrou_Catalogues verrou = Verrouiller_Catalogues(env.dossier_copies);
    if (!verrou.verrou) return Refuser_Tous(noms, env, verrou.raison, sortie);
    QNetworkAccessManager reseau;
    int statut = Succes;
    for (const QString& nom : noms) {
        const Source_Catalogue& source = *Trouver_Source(nom);
        const Resultat_Mise_A_Jour r = Executer_Mise_A_Jour(reseau, Demande_Catalogue(env, source, adresse));
        sortie << Ligne_Resultat(source, r) << u'\n';
        sortie.flush();
        if (r.issue != Issue_Mise_A_Jour::Mise_A_Jour && r.issue != Issue_Mise_A_Jour::Inchangee)
            statut = Catalogue_Non_Actualise;
    }
    return statut;
}

int Lister_Catalogues(const QString& dossier_copies, QTextStream& sortie, QTextStream& erreurs) {
    const auto copies = Lister_Copies(dossier_copies);
    // A first run has no copy yet: say so, and how to get one, beside the
    // list that scripts read.
    if (copies.empty()) erreurs << Nom_Ligne << Aucune_Copie << u'\n';
    for (const Copie_Locale& c : copies) {
        sortie << c.source->Nom << u'\t' << Texte_Nombre(c.releve.Objets) << u'\t'
               << Texte_Date_Heure(c.releve.Telechargement) << QStringLiteral(" TU\t") << c.releve.Adresse
               << u'\n';
    }
    return Succes;
}

#include "catalogues/actualisation.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QLocale>

#include "document/configuration.h"

namespace {

const QString Mis_A_Jour = QStringLiteral("%1, mis à jour");
const QString Inchange = QStringLiteral("inchangé depuis le %1 TU");
const QString Non_Mis_A_Jour = QStringLiteral("non mis à jour (%1) ; %2");
const QString Copie_Gardee = QStringLiteral("copie du %1 gardée");
const QString Aucune_Copie = QStringLiteral("aucune copie locale");

}  // namespace

Environnement_Catalogues Environnement_Utilisateur() {
    Environnement_Catalogues env;
    env.dossier_copies = Dossier_Catalogues();
    env.dossier_configuration = Dossier_Configuration();
    return env;
}

QString Preparer_Catalogues_Ini(const QString& dossier_configuration) {
    if (QFileInfo::exists(dossier_configuration + Nom_Fichier_Catalogues))
        return Charger_Catalogues(dossier_configuration).raison;
    return Enregistrer_Catalogues(dossier_configuration, Lire_Lignes_Catalogues({}).adresses);
}

Demande_Mise_A_Jour Demande_Catalogue(const Environnement_Catalogues& env, const Source_Catalogue& source,
                                      const QString& adresse) {
    Demande_Mise_A_Jour d;
    d.source = &source;
    d.adresse =
        adresse.isEmpty() ? Charger_Catalogues(env.dossier_configuration).adresses.at(source.Nom) : adresse;
    d.dossier = env.dossier_copies;
    d.delai_silence = env.delai_silence;
    d.horloge = env.horloge;
    return d;
}

Resultat_Mise_A_Jour Executer_Mise_A_Jour(QNetworkAccessManager& reseau, const Demande_Mise_A_Jour& demande) {
    Mise_A_Jour_Catalogue mise_a_jour(reseau, demande);
    Resultat_Mise_A_Jour resultat;
    QEventLoop boucle;
    QObject::connect(&mise_a_jour, &Mise_A_Jour_Catalogue::Terminee, &boucle,
                     [&](const Resultat_Mise_A_Jour& r) {
                         resultat = r;
                         boucle.quit();
                     });
    mise_a_jour.Commencer();
    boucle.exec();
    return resultat;
}

QDateTime Date_Inchangee(const Releve_Copie& releve) {
    QDateTime t =
        QLocale::c().toDateTime(releve.Last_Modified, QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'"));
    if (!t.isValid()) return releve.Telechargement;
    return QDateTime(t.date(), t.time(), Qt::UTC);
}

QString Etat_Resultat(const Resultat_Mise_A_Jour& r) {
    switch (r.issue) {
        case Issue_Mise_A_Jour::Mise_A_Jour:
            return Mis_A_Jour.arg(Texte_Objets(r.releve ? r.releve->Objets : 0));
        case Issue_Mise_A_Jour::Inchangee:
            return Inchange.arg(Texte_Date_Heure(Date_Inchangee(*r.releve)));
        case Issue_Mise_A_Jour::Echec:
        case Issue_Mise_A_Jour::Annulee:
            break;
    }
    return Non_Mis_A_Jour.arg(
        r.raison, r.releve ? Copie_Gardee.arg(Texte_Date(r.releve->Telechargement)) : Aucune_Copie);
}

QString Ligne_Resultat(const Source_Catalogue& source, const Resultat_Mise_A_Jour& resultat) {
    return source.Nom + QStringLiteral(" : ") + Etat_Resultat(resultat);
}

#include "document/modele_calcul.h"

#include <QDir>
#include <QFile>

#include "document/configuration.h"
#include "document/fichier_ordinaire.h"

namespace {

const QByteArray Entete = QByteArrayLiteral("[Trajectel Calcul]");
const QByteArray Cle_Classique = QByteArrayLiteral("Classique=");
const QByteArray Cle_Perturbations = QByteArrayLiteral("Perturbations=");
const QByteArray Fin_Ligne = QByteArrayLiteral("\r\n");
const QByteArray Vrai = QByteArrayLiteral("1");
const QByteArray Faux = QByteArrayLiteral("0");
constexpr qint64 Taille_Maximale_Calcul = 256;  // bytes: the three lines with room to spare
const QString Titre_Calcul = QStringLiteral("Calcul classique");
const QString Erreur_Ecriture_Calcul = QStringLiteral("Erreur d'écriture du fichier Calcul.ini");

}  // namespace

Reglages_Calcul Charger_Calcul(const QString& dossier) {
    Reglages_Calcul reglages;
    QFile fichier(dossier + Nom_Fichier_Calcul);
    if (!fichier.exists() || !Ouvrir_Fichier_Ordinaire(fichier)) return reglages;
    const QByteArray octets = fichier.read(Taille_Maximale_Calcul + 1);
    if (octets.size() > Taille_Maximale_Calcul) return reglages;
    const QList<QByteArray> lignes = octets.split('\n');
    if (lignes.size() < 2 || lignes[0].trimmed() != Entete) return reglages;
    reglages.classique = lignes[1].trimmed() == Cle_Classique + Vrai;
    if (lignes.size() > 2 && lignes[2].trimmed() == Cle_Perturbations + Faux) reglages.perturbations = false;
    return reglages;
}

bool Enregistrer_Calcul(const QString& dossier, const Reglages_Calcul& reglages, Boite_Outils& boite) {
    QDir().mkpath(dossier);
    const auto valeur = [](bool choisi) { return choisi ? Vrai : Faux; };
    const QByteArray contenu = Entete + Fin_Ligne + Cle_Classique + valeur(reglages.classique) + Fin_Ligne +
                               Cle_Perturbations + valeur(reglages.perturbations) + Fin_Ligne;
    const Ecriture_Fichier e = Ecrire_Fichier_Entier(dossier + Nom_Fichier_Calcul, contenu);
    if (e.resultat == Ecriture_Fichier::Resultat::Ecrit) return true;
    boite.Avertissement(Titre_Calcul, Erreur_Ecriture_Calcul);
    return false;
}

#include "document/modele_calcul.h"

#include <QDir>
#include <QFile>

#include "document/configuration.h"
#include "document/fichier_ordinaire.h"

namespace {

const QByteArray Entete = QByteArrayLiteral("[Trajectel Calcul]");
const QByteArray Cle_Classique = QByteArrayLiteral("Classique=");
const QByteArray Fin_Ligne = QByteArrayLiteral("\r\n");
const QByteArray Vrai = QByteArrayLiteral("1");
const QByteArray Faux = QByteArrayLiteral("0");
constexpr qint64 Taille_Maximale_Calcul = 256;  // bytes: the two lines with room to spare
const QString Titre_Calcul = QStringLiteral("Calcul classique");
const QString Erreur_Ecriture_Calcul = QStringLiteral("Erreur d'écriture du fichier Calcul.ini");

}  // namespace

bool Charger_Calcul_Classique(const QString& dossier) {
    QFile fichier(dossier + Nom_Fichier_Calcul);
    if (!fichier.exists() || !Ouvrir_Fichier_Ordinaire(fichier)) return false;
    const QByteArray octets = fichier.read(Taille_Maximale_Calcul + 1);
    if (octets.size() > Taille_Maximale_Calcul) return false;
    const QList<QByteArray> lignes = octets.split('\n');
    if (lignes.size() < 2 || lignes[0].trimmed() != Entete) return false;
    return lignes[1].trimmed() == Cle_Classique + Vrai;
}

bool Enregistrer_Calcul_Classique(const QString& dossier, bool classique, Boite_Outils& boite) {
    QDir().mkpath(dossier);
    const QByteArray contenu = Entete + Fin_Ligne + Cle_Classique + (classique ? Vrai : Faux) + Fin_Ligne;
    const Ecriture_Fichier e = Ecrire_Fichier_Entier(dossier + Nom_Fichier_Calcul, contenu);
    if (e.resultat == Ecriture_Fichier::Resultat::Ecrit) return true;
    boite.Avertissement(Titre_Calcul, Erreur_Ecriture_Calcul);
    return false;
}

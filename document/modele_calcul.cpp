#include "document/modele_calcul.h"

#include <QDir>

#include "document/configuration.h"
#include "document/fichier_reglages.h"
#include "document/raison_echec.h"

namespace {

const QString Entete = QStringLiteral("[Trajectel Calcul]");
const QString Fin_Ligne = QStringLiteral("\r\n");
const QString Vrai = QStringLiteral("1");
const QString Faux = QStringLiteral("0");
constexpr qint64 Taille_Maximale_Calcul = 256;  // bytes: the four lines with room to spare
const QString Titre_Calcul = QStringLiteral("Calcul classique");
const QString Erreur_Ecriture_Calcul = QStringLiteral("Erreur d'écriture du fichier Calcul.ini");
const QString Calcul_Illisible = QStringLiteral(
    "Le fichier Calcul.ini est illisible : calcul précis, perturbations planétaires, "
    "position géocentrique");

// Each choice at its own line, in the order earlier versions wrote them;
// `defaut` for a line missing or not understood.
struct Ligne_Calcul {
    QString cle;
    bool Reglages_Calcul::*choix;
    bool defaut;
};
const Ligne_Calcul Lignes[] = {
    {QStringLiteral("Classique="), &Reglages_Calcul::classique, false},
    {QStringLiteral("Perturbations="), &Reglages_Calcul::perturbations, true},
    {QStringLiteral("Topocentrique="), &Reglages_Calcul::topocentrique, false},
};

bool Lire_Choix(const QStringList& lignes, int k, const Ligne_Calcul& l) {
    const QString ligne = lignes.value(k + 1).trimmed();
    if (ligne == l.cle + Vrai) return true;
    if (ligne == l.cle + Faux) return false;
    return l.defaut;
}

}  // namespace

Lecture_Calcul Charger_Calcul(const QString& dossier) {
    const Lignes_Reglages l = Lire_Lignes_Reglages(dossier + Nom_Fichier_Calcul, Taille_Maximale_Calcul);
    if (l.etat == Lignes_Reglages::Etat::Absent) return {};
    if (l.etat == Lignes_Reglages::Etat::Illisible || l.lignes.value(0).trimmed() != Entete)
        return {{}, Calcul_Illisible};
    Reglages_Calcul reglages;
    for (int k = 0; k < int(std::size(Lignes)); ++k)
        reglages.*Lignes[k].choix = Lire_Choix(l.lignes, k, Lignes[k]);
    return {reglages, {}};
}

bool Enregistrer_Calcul(const QString& dossier, const Reglages_Calcul& reglages, Boite_Outils& boite) {
    QDir().mkpath(dossier);
    QString texte = Entete + Fin_Ligne;
    for (const Ligne_Calcul& l : Lignes) texte += l.cle + (reglages.*l.choix ? Vrai : Faux) + Fin_Ligne;
    const QString chemin = dossier + Nom_Fichier_Calcul;
    const Ecriture_Fichier e = Ecrire_Fichier_Entier(chemin, texte.toUtf8());
    if (e.resultat == Ecriture_Fichier::Resultat::Ecrit) return true;
    boite.Avertissement(Titre_Calcul, Message_Echec(Erreur_Ecriture_Calcul, chemin, e.code, e.erreur));
    return false;
}

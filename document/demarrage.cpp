#include "document/demarrage.h"

#include "document/lieu.h"
#include "document/modele_calcul.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

constexpr int Largeur_Principale = 700;  // pixels, as the window is created
constexpr int Largeur_Fenetre = 700;
constexpr int Hauteur_Fenetre = 550;
constexpr int Marge_Titre7 = 20;  // pixels kept right of "°/jour"
const QString Separation_Raisons = QStringLiteral(" ; ");

// Both settings files' troubles on the one status line.
QString Joindre_Raisons(const QString& lieu, const QString& calcul) {
    if (lieu.isEmpty() || calcul.isEmpty()) return lieu + calcul;
    return lieu + Separation_Raisons + calcul;
}

void Desactiver_Enregistrer_Imprimer(Boite_Outils& boite) {
    for (Controle c :
         {Controle::ToolEnregistrer, Controle::Enregistrer, Controle::Imprimer1, Controle::ToolImprimer})
        boite.Activer(c, false);
}

}  // namespace

QString Nom_Dernier_Fichier(const QString& argument) {
    const qsizetype dernier =
        std::max({argument.lastIndexOf(u'/'), argument.lastIndexOf(u'\\'), argument.lastIndexOf(u'"')});
    return argument.mid(dernier + 1);
}

void Disposer_Fenetre(Boite_Outils& boite) {
    QRect principale = boite.Geometrie(Controle::Principale);
    principale.setWidth(Largeur_Principale);
    boite.Placer(Controle::Principale, principale);

    QRect fenetre = boite.Geometrie(Controle::Fenetre);
    fenetre.setSize({Largeur_Fenetre, Hauteur_Fenetre});
    const QRect titre7 = boite.Geometrie(Controle::Titre7);
    fenetre.setWidth(std::max(fenetre.width(), titre7.x() + titre7.width() + Marge_Titre7));
    boite.Placer(Controle::Fenetre, fenetre);

    const int haut = boite.Geometrie(Controle::ToolBar1).height();
    const int gauche = boite.Geometrie(Controle::Fiche).x();
    boite.Placer(Controle::Fiche, QRect(gauche, haut, fenetre.width(), fenetre.y() + fenetre.height()));
}

void Activer_Topocentrique(Programme& p) {
    const bool possible = p.site && p.site->Afficher && p.modele.modele == Modele_Calcul::Precis;
    p.boite.Activer(Controle::PositionTopocentrique, possible);
    p.boite.Cocher(Controle::PositionTopocentrique, possible && p.modele.topocentrique);
}

void Inscrire_Date_Du_Jour(Programme& p, const QDate& aujourdhui) {
    p.boite.Ecrire_Texte(Controle::saisie_Jour, QString::number(aujourdhui.day()));
    p.boite.Ecrire_Texte(Controle::saisie_Mois, QString::number(aujourdhui.month()));
    p.boite.Ecrire_Texte(Controle::saisie_An, QString::number(aujourdhui.year()));
    p.el.Pas = 1;
}

void Ouvrir_Argument(Programme& p, const QString& argument) {
    if (argument.isEmpty()) return;
    Etat_Document& d = p.document;
    d.Nom_Fichier = argument;
    d.Dernier_Fichier = Nom_Dernier_Fichier(argument);
    p.boite.Ecrire_Texte(Controle::Principale, Titre_Programme + QStringLiteral(" - ") + d.Dernier_Fichier);
    Charger_Document(p);
}

Contexte_Configuration Contexte_Configuration_De(Programme& p, Etat_Application& application) {
    return {p.boite, p.historique, p.document, application.configuration, p.Version_Programme};
}

QString Chemin_Aide(const QString& dossier_executable) {
    const QDir ici(dossier_executable);
    const QString installee = ici.filePath(QStringLiteral(TRAJECTEL_DONNEES) + u'/' + Nom_Fichier_Aide);
    const QString voisine = QFileInfo(ici, Nom_Fichier_Aide).absoluteFilePath();
    if (!QFileInfo::exists(voisine) && QFileInfo::exists(installee))
        return QFileInfo(installee).absoluteFilePath();
    return voisine;
}

void FormCreate(Programme& p, Etat_Application& application, const Demarrage& demarrage,
                const std::function<void(const QString&)>& message) {
    application.Fichier_Aide = Chemin_Aide(demarrage.dossier_executable);
    if (!QFileInfo::exists(application.Fichier_Aide))
        message(QStringLiteral("Le fichier d'aide est introuvable !"));
    // The version and the decimal separator were fixed with the program object.
    application.Fermeture_Permise = false;
    p.boite.Ecrire_Texte(Controle::Principale, Titre_Programme);
    p.dessin.Impression = false;
    application.configuration.Dossier_Configuration = Dossier_Configuration();
    p.document.Nom_Fichier.clear();
    Disposer_Fenetre(p.boite);
    Contexte_Configuration configuration = Contexte_Configuration_De(p, application);
    Charger_Configuration(configuration);
    // Without a site the page is as it always was; for a file that could not
    // be used, the status bar says so and the site dialog says why.
    const Lecture_Lieu lieu = Charger_Lieu(application.configuration.Dossier_Configuration);
    p.site = lieu.site;
    application.Raison_Lieu = lieu.detail.isEmpty() ? lieu.raison : lieu.detail;
    const Lecture_Calcul lecture = Charger_Calcul(application.configuration.Dossier_Configuration);
    const Reglages_Calcul& calcul = lecture.reglages;
    p.modele.modele = calcul.classique ? Modele_Calcul::Classique : Modele_Calcul::Precis;
    p.modele.perturbations = calcul.perturbations;
    p.modele.topocentrique = calcul.topocentrique;
    p.boite.Cocher(Controle::CalculClassique, calcul.classique);
    const QString raisons = Joindre_Raisons(lieu.raison, lecture.raison);
    if (!raisons.isEmpty()) p.boite.Ecrire_Texte(Controle::StatusBar, raisons);
    Activer_Topocentrique(p);
    Activer_Perturbations(p.Calcul(), p.boite);
    Mettre_A_Jour_Historique(p.historique, p.document, p.boite);
    Inscrire_Date_Du_Jour(p, demarrage.aujourdhui);
    Desactiver_Enregistrer_Imprimer(p.boite);
    p.boite.Montrer(Controle::Révolution, false);
    Ouvrir_Argument(p, demarrage.argument);
}

bool Quitter_Application(Programme& p, Etat_Application& application) {
    if (!Preparer_Remplacement(p)) {
        application.Fermeture_Permise = false;
        return false;
    }
    application.Fermeture_Permise = true;
    p.document.Modifie = false;
    p.document.Erreur_Fichier = false;
    Contexte_Configuration configuration = Contexte_Configuration_De(p, application);
    Ecrire_Configuration(configuration);
    return true;
}

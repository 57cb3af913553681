#include "app/demarrage.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "document/fichier_elements.h"
#include "plateforme/erreur_generale.h"

namespace {

constexpr int Largeur_Principale = 700;  // pixels, as the window is created
constexpr int Largeur_Fenetre = 700;
constexpr int Hauteur_Fenetre = 550;
constexpr int Marge_Titre7 = 20;  // pixels kept right of "°/jour"

// A failure that the reader does not test itself ends the read: it is shown,
// and the file is not taken as the document.
bool Lire_Sans_Echec(Programme& p) {
    try {
        Contexte_Document contexte = p.Contexte();
        Lire_Fichier_Elements(contexte);
        return true;
    } catch (const Erreur_Generale& e) {
        p.boite.Message_Erreur(e.Message());
        return false;
    }
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

Geometrie_Perihelie Disposer_Fenetre(Boite_Outils& boite) {
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

    const QRect jour = boite.Geometrie(Controle::saisie_Jour_Perihelie);
    return {jour.x(), jour.width(), boite.Geometrie(Controle::TitrePerihelie).width()};
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
    p.boite.Ecrire_Texte(Controle::Principale, Titre_Principale + QStringLiteral(" - ") + d.Dernier_Fichier);
    if (Lire_Sans_Echec(p) && d.Fichier_Ouvert) {
        Mettre_A_Jour_Historique(p.historique, d, p.boite);
        Rafraichir(p.Page());
    } else {
        d.Erreur_Fichier = true;
    }
    if (d.Erreur_Fichier) {
        d.Nom_Fichier.clear();
        d.Dernier_Fichier.clear();
        p.boite.Ecrire_Texte(Controle::Principale, Titre_Principale);
    }
}

void FormCreate(Programme& p, Etat_Application& application, const Demarrage& demarrage,
                const std::function<void(const QString&)>& message) {
    application.Fichier_Aide =
        QFileInfo(QDir(demarrage.dossier_executable), Nom_Fichier_Aide).absoluteFilePath();
    if (!QFileInfo::exists(application.Fichier_Aide))
        message(QStringLiteral("Le fichier d'aide est introuvable !"));
    // The version and the decimal separator were fixed with the program object.
    application.Fermeture_Permise = false;
    p.boite.Ecrire_Texte(Controle::Principale, Titre_Principale);
    p.dessin.Impression = false;
    p.document.Nom_Fichier.clear();
    application.perihelie = Disposer_Fenetre(p.boite);
    Mettre_A_Jour_Historique(p.historique, p.document, p.boite);
    Inscrire_Date_Du_Jour(p, demarrage.aujourdhui);
    Desactiver_Enregistrer_Imprimer(p.boite);
    p.boite.Montrer(Controle::Révolution, false);
    Ouvrir_Argument(p, demarrage.argument);
}

bool Quitter_Application(Programme& p, Etat_Application& application) {
    application.Fermeture_Permise = true;
    p.document.Modifie = false;
    p.document.Erreur_Fichier = false;
    return application.Fermeture_Permise;
}

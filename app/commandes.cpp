#include "app/commandes.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <utility>

namespace {

using C = Controle;
constexpr C Aucun = C::Nombre_Controles;
constexpr char Propriete_Aide[] = "trajectel_aide";

// Help contexts: the main window and the help menu, then one per menu.
constexpr int Aide_Sommaire = 1000;
constexpr int Aide_Fichier = 1003;
constexpr int Aide_Edition = 1004;
constexpr int Aide_Dates = 1005;
constexpr int Aide_Monture = 1007;

constexpr C Historiques[] = {C::Historique1, C::Historique2, C::Historique3, C::Historique4, C::Historique5,
                             C::Historique6, C::Historique7, C::Historique8, C::Historique9, C::Historique10};

// The desktop theme's icon, its symbolic variant, or the style's own picture.
QIcon Icone(const Commande& c) {
    if (!*c.icone) return {};
    const QString nom = QString::fromLatin1(c.icone);
    QIcon icone = QIcon::fromTheme(nom);
    if (icone.isNull()) icone = QIcon::fromTheme(nom + QStringLiteral("-symbolic"));
    if (icone.isNull()) icone = QApplication::style()->standardIcon(c.secours);
    return icone;
}

QAction* Creer_Action(const Commande& c, QObject* parent, Boite_Qt& boite) {
    auto* action = new QAction(QString::fromUtf8(c.legende), parent);
    action->setShortcut(QKeySequence(QString::fromLatin1(c.raccourci)));
    action->setCheckable(c.cochable);
    action->setIcon(Icone(c));
    Ecrire_Contexte_Aide(action, c.aide);
    for (C lie : {c.action, c.article, c.bouton})
        if (lie != Aucun) boite.Lier(lie, action);
    boite.Ecrire_Indice(c.action, QString::fromUtf8(c.indice));
    return action;
}

// Separators and recent files have no command; the recent files start hidden
// and captionless until the list fills them.
QAction* Creer_Article_Simple(C c, QObject* parent, Boite_Qt& boite, int aide) {
    auto* action = new QAction(parent);
    const bool separateur = c == C::N1 || c == C::Trait || c == C::N3;
    action->setSeparator(separateur);
    action->setVisible(separateur);
    Ecrire_Contexte_Aide(action, aide);
    boite.Lier(c, action);
    return action;
}

// Without a desktop Qt knows no icon theme: the usual one, when installed, stands in.
void Choisir_Theme_Icones() {
    const QString theme = QIcon::themeName();
    if (theme.isEmpty() || theme == QStringLiteral("hicolor"))
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}

}  // namespace

const std::vector<Commande>& Commandes() {
    using S = QStyle;
    static const std::vector<Commande> table = {
        {C::FileNew1, C::Nouveau1, C::ToolNouveau, "&Nouveau", "Ctrl+N", "Nouveau|Créer un nouveau fichier",
         Aide_Fichier, false, "document-new", S::SP_FileIcon},
        {C::FileOpen1, C::Ouvrir1, C::ToolOuvrir, "&Ouvrir", "Ctrl+O", "Ouvrir|Ouvrir un fichier",
         Aide_Fichier, false, "document-open", S::SP_DialogOpenButton},
        {C::FileImport1, C::Importer1, Aucun, "&Importer des éléments publiés…", "Ctrl+Shift+O",
         "Importer des éléments|Importer les éléments publiés d'une comète ou d'une petite planète (MPC, "
         "MPCORB, XEphem, Horizons)",
         Aide_Fichier, false, "document-import", S::SP_ArrowDown},
        {C::FileCatalogues1, C::Catalogues1, Aucun, "Mettre à jour les catalogues…", "",
         "Mettre à jour les catalogues|Télécharger les catalogues de comètes et de petites planètes du MPC "
         "qui ont changé",
         Aide_Fichier, false, "view-refresh", S::SP_BrowserReload},
        {C::FileSave1, C::Enregistrer, C::ToolEnregistrer, "&Enregistrer", "Ctrl+E",
         "Enregistrer|Enregistrer le fichier en cours", Aide_Fichier, false, "document-save",
         S::SP_DialogSaveButton},
        {C::FileSaveAs1, C::EnregistrerSous, C::ToolEnregistrerSous, "Enregistrer &sous...", "Ctrl+S",
         "Enregistrer sous|Enregistrer le fichier en cours sous un nouveau nom", Aide_Fichier, false,
         "document-save-as", S::SP_DriveFDIcon},
        {C::Imprimer, C::Imprimer1, C::ToolImprimer, "Imprimer", "Ctrl+I", "Imprimer |Imprimer l'éphéméride",
         Aide_Fichier, false, "document-print", S::SP_FileDialogDetailedView},
        {C::FileExit1, C::Quitter1, Aucun, "&Quitter", "", "Quitter|Quitter l'application", Aide_Fichier,
         false, "application-exit", S::SP_DialogCloseButton},
        {C::EditCut1, C::Couper, C::ToolCouper, "Cou&per", "Ctrl+X",
         "Couper|Couper la sélection et la mettre dans le Presse-papiers", Aide_Edition, false, "edit-cut",
         S::SP_DialogDiscardButton},
        {C::EditCopy1, C::Copier, C::ToolCopier, "&Copier", "Ctrl+C",
         "Copier|Copier la sélection et la mettre dans le Presse-papiers", Aide_Edition, false, "edit-copy",
         S::SP_FileDialogNewFolder},
        {C::EditPaste1, C::Coller, C::ToolColler, "Co&ller", "Ctrl+V",
         "Coller|Insérer le contenu du Presse-papiers", Aide_Edition, false, "edit-paste",
         S::SP_DialogApplyButton},
        {C::EditPasteElements1, C::CollerElements, Aucun, "Coller des éléments", "Ctrl+Shift+V",
         "Coller des éléments|Importer l'orbite publiée que contient le Presse-papiers", Aide_Edition, false,
         "", S::SP_CustomBase},
        {C::EditSite1, C::LieuObservation1, Aucun, "Lieu d'observation…", "",
         "Lieu d'observation|Choisir le lieu d'où la visibilité de l'astre est calculée", Aide_Edition, false,
         "", S::SP_CustomBase},
        {C::EditLaws1, C::LoisMagnitude1, Aucun, "Lois de magnitude…", "",
         "Lois de magnitude|Voir et changer la loi de chaque colonne de magnitude et l'époque d'osculation",
         Aide_Edition, false, "", S::SP_CustomBase},
        {C::EditFitLaw1, C::AjusterLoi1, Aucun, "Ajuster la loi aux estimations…", "",
         "Ajuster la loi aux estimations|Ajuster M1 et K1 aux magnitudes estimées par les observateurs "
         "(fichier ICQ ou COBS)",
         Aide_Edition, false, "", S::SP_CustomBase},
        {C::PositionTopocentrique, C::PositionTopocentrique, Aucun, "Position topocentrique", "",
         "Position topocentrique|Calculer la place de l'astre vue du lieu d'observation et non du centre de "
         "la Terre",
         Aide_Edition, true, "", S::SP_CustomBase},
        {C::CalculClassique, C::CalculClassique, Aucun, "Calcul classique", "",
         "Calcul classique|Calculer les lignes avec le modèle d'origine de Trajectel, sans temps de "
         "lumière ni Terre précise",
         Aide_Dates, true, "", S::SP_CustomBase},
        {C::PerturbationsPlanetaires, C::PerturbationsPlanetaires, Aucun, "Perturbations planétaires", "",
         "Perturbations planétaires|Suivre l'attraction des planètes sur l'astre depuis l'époque "
         "d'osculation de ses éléments",
         Aide_Dates, true, "", S::SP_CustomBase},
        {C::DatesNight1, C::VisibiliteNuit1, Aucun, "Visibilité de la nuit…", "",
         "Visibilité de la nuit|Hauteur de l'astre et du Soleil pendant la nuit qui suit la première date",
         Aide_Dates, false, "", S::SP_CustomBase},
        {C::Julienne_éléments, C::Julienne_éléments, Aucun, "Date julienne pour l'équinoxe des éléments",
         "Ctrl+L", "", Aide_Dates, true, "", S::SP_CustomBase},
        {C::Julienne_éphéméride, C::Julienne_éphéméride, Aucun, "Date julienne pour l'équinoxe éphéméride",
         "Ctrl+M", "", Aide_Dates, true, "", S::SP_CustomBase},
        {C::Julienne, C::Julienne, Aucun, "Date julienne pour le périhélie", "Ctrl+D", "", Aide_Dates, true,
         "", S::SP_CustomBase},
        {C::MontureConnexion, C::MontureConnexion, Aucun, "Connexion…", "",
         "Connexion|Choisir le serveur INDI et la monture qui suivra l'astre", Aide_Monture, false, "",
         S::SP_CustomBase},
        {C::MonturePointer, C::MonturePointer, Aucun, "Pointer et suivre", "",
         "Pointer et suivre|Pointer la monture sur l'astre, puis le suivre", Aide_Monture, false, "",
         S::SP_CustomBase},
        {C::MontureArreter, C::MontureArreter, Aucun, "Arrêter le suivi", "",
         "Arrêter le suivi|Arrêter le mouvement de la monture et la laisser suivre les étoiles", Aide_Monture,
         false, "", S::SP_CustomBase},
        {C::MontureDeconnecter, C::MontureDeconnecter, Aucun, "Déconnecter", "",
         "Déconnecter|Fermer la connexion au serveur INDI", Aide_Monture, false, "", S::SP_CustomBase},
        {C::AfficheAide, C::Aide1, C::ToolAide, "Aide", "", "Aide|Afficher le fichier d'aide", Aide_Sommaire,
         false, "help-contents", S::SP_DialogHelpButton},
        {C::HelpAbout1, C::HelpAboutItem, Aucun, "A &propos de Trajectel", "Ctrl+P",
         "A propos|Afficher la version de Trajectel, ses conditions d'utilisation et son auteur",
         Aide_Sommaire, false, "help-about", S::SP_MessageBoxInformation},
    };
    return table;
}

const std::vector<Menu_Principal>& Menus() {
    static const std::vector<Menu_Principal> table = {
        {"&Fichier",
         "Commandes liées aux fichiers",
         Aide_Fichier,
         {C::Nouveau1,     C::Ouvrir1,     C::Importer1,   C::Catalogues1, C::Enregistrer, C::EnregistrerSous,
          C::N1,           C::Imprimer1,   C::Trait,       C::Historique1, C::Historique2, C::Historique3,
          C::Historique4,  C::Historique5, C::Historique6, C::Historique7, C::Historique8, C::Historique9,
          C::Historique10, C::N3,          C::Quitter1}},
        {"&Edition",
         "Commandes d'édition",
         Aide_Edition,
         {C::Couper, C::Copier, C::Coller, C::CollerElements, C::LieuObservation1, C::PositionTopocentrique,
          C::LoisMagnitude1, C::AjusterLoi1}},
        {"&Dates",
         "Format des dates",
         Aide_Dates,
         {C::Julienne_éléments, C::Julienne_éphéméride, C::Julienne, C::CalculClassique,
          C::PerturbationsPlanetaires, C::VisibiliteNuit1}},
        {"&Monture",
         "Suivre l'astre avec une monture INDI",
         Aide_Monture,
         {C::MontureConnexion, C::MonturePointer, C::MontureArreter, C::MontureDeconnecter}},
        {"&Aide", "Rubriques d'aide", Aide_Sommaire, {C::Aide1, C::HelpAboutItem}},
    };
    return table;
}

const std::vector<Controle>& Ordre_Barre_Outils() {
    static const std::vector<Controle> ordre = {
        C::ToolNouveau, C::ToolOuvrir, C::ToolEnregistrer, C::ToolEnregistrerSous, Aucun, C::ToolImprimer,
        Aucun,          C::ToolCouper, C::ToolCopier,      C::ToolColler,          Aucun, C::ToolAide};
    return ordre;
}

void Creer_Commandes(QMainWindow& fenetre, QToolBar& barre, Boite_Qt& boite,
                     const std::function<void(Controle)>& executer) {
    Choisir_Theme_Icones();
    for (const Commande& c : Commandes()) {
        QAction* action = Creer_Action(c, &fenetre, boite);
        QObject::connect(action, &QAction::triggered, &fenetre, [executer, c] { executer(c.action); });
    }
    // The shortcut menu's items are the edit commands themselves; no control
    // has it as its own menu.
    auto* menu_contextuel = new QMenu(&fenetre);
    menu_contextuel->setObjectName(QStringLiteral("PopupMenu1"));
    for (const auto& [article, action] : {std::pair{C::Cut1, C::EditCut1}, std::pair{C::Copy1, C::EditCopy1},
                                          std::pair{C::Paste1, C::EditPaste1}}) {
        boite.Lier(article, boite.Action(action));
        menu_contextuel->addAction(boite.Action(action));
    }

    for (const Menu_Principal& m : Menus()) {
        QMenu* menu = fenetre.menuBar()->addMenu(QString::fromUtf8(m.titre));
        menu->setToolTipsVisible(true);
        menu->menuAction()->setStatusTip(QString::fromUtf8(m.indice));
        menu->menuAction()->setToolTip(QString::fromUtf8(m.indice));
        Ecrire_Contexte_Aide(menu, m.aide);
        for (C article : m.articles) {
            QAction* action = boite.Action(article);
            if (!action) action = Creer_Article_Simple(article, &fenetre, boite, m.aide);
            menu->addAction(action);
        }
    }
    for (C h : Historiques) {
        QObject::connect(boite.Action(h), &QAction::triggered, &fenetre, [executer, h] { executer(h); });
    }

    for (C bouton : Ordre_Barre_Outils()) {
        if (bouton == Aucun)
            barre.addSeparator();
        else
            barre.addAction(boite.Action(bouton));
    }
    // The commands Cut and Copy wait for a field to act on.
    boite.Activer(C::EditCut1, false);
    boite.Activer(C::EditCopy1, false);
}

Controle Commande_De_Touche(const QKeyEvent& touche) {
    const QKeySequence sequence(touche.keyCombination());
    for (const Commande& c : Commandes())
        if (*c.raccourci && QKeySequence(QString::fromLatin1(c.raccourci)) == sequence) return c.action;
    constexpr std::pair<QKeySequence::StandardKey, C> Edition[] = {{QKeySequence::Cut, C::EditCut1},
                                                                   {QKeySequence::Copy, C::EditCopy1},
                                                                   {QKeySequence::Paste, C::EditPaste1}};
    for (const auto& [cle, commande] : Edition)
        if (touche.matches(cle)) return commande;
    return Aucun;
}

int Contexte_Aide(const QObject* objet) { return objet ? objet->property(Propriete_Aide).toInt() : 0; }

void Ecrire_Contexte_Aide(QObject* objet, int contexte) { objet->setProperty(Propriete_Aide, contexte); }

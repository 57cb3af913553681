#pragma once

// The main window's commands as data: menus, items, actions, shortcuts,
// hints, help contexts and the tool bar's order, and their creation as Qt
// actions bound to the platform.

#include <QStyle>
#include <functional>
#include <vector>

#include "app/boite_qt.h"

class QKeyEvent;
class QMainWindow;
class QToolBar;

struct Commande {
    Controle action;   // the command
    Controle article;  // its menu item (the action itself for the check items)
    Controle bouton;   // its tool button, Nombre_Controles for none
    const char* legende;
    const char* raccourci;  // "" for none
    const char* indice;     // "short|long", "" for none
    int aide;               // help context
    bool cochable;
    const char* icone;  // name in the desktop's icon theme
    QStyle::StandardPixmap secours;
};

struct Menu_Principal {
    const char* titre;
    const char* indice;
    int aide;
    // Items in order: the menu items of Commandes(), the separators N1,
    // Trait and N3, and the ten recent files Historique1 to Historique10.
    std::vector<Controle> articles;
};

const std::vector<Commande>& Commandes();
const std::vector<Menu_Principal>& Menus();
// The tool buttons in order, Nombre_Controles for a separator.
const std::vector<Controle>& Ordre_Barre_Outils();

// Builds the actions, the menu bar, the tool bar and the shortcut menu of
// the edit commands (PopupMenu1: Cut1, Copy1, Paste1), and binds every item, button and action to the
// platform. A triggered command calls `executer` with its action (or with
// the recent-file item chosen).
void Creer_Commandes(QMainWindow& fenetre, QToolBar& barre, Boite_Qt& boite,
                     const std::function<void(Controle)>& executer);

// The command a key stands for in the window: a shortcut of the table, or
// one of the system's own keys for cut, copy and paste (Shift+Insert…);
// Nombre_Controles for none. A field being edited leaves these keys to the
// commands, which clean what is pasted and keep their states up to date.
Controle Commande_De_Touche(const QKeyEvent& touche);

// The help context of a control or command, 0 when it has none.
int Contexte_Aide(const QObject* objet);
void Ecrire_Contexte_Aide(QObject* objet, int contexte);

#pragma once

// The few operations of the windowing toolkit that the form logic needs.
// The Qt layer implements them on real widgets; Boite_Memoire keeps them in
// memory for the tests and for the batch program.

#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>

#include "plateforme/canevas.h"
#include "plateforme/choix_objet.h"
#include "plateforme/controles.h"
#include "plateforme/saisie_lois.h"

// The program's name: the main window's caption while no document is named,
// and the title of its plain messages.
inline const QString Titre_Programme = QStringLiteral("Trajectel");

// Answer of a confirmation dialog; closing it counts as Annuler.
enum class Reponse { Oui, Non, Annuler };

enum class Etat_Fenetre { Normale, Minimisee, Maximisee };

// What an open or save dialog shows.
struct Dialogue_Fichier {
    QString titre;
    QString nom_initial;
    QString filtre;     // "description|motif|description|motif"
    QString extension;  // default extension, without the point
};

class Boite_Outils {
public:
    virtual ~Boite_Outils() = default;

    // Text of an edit field or list, caption of a label, button or menu item.
    virtual QString Texte(Controle c) const = 0;
    virtual void Ecrire_Texte(Controle c, const QString& texte) = 0;

    virtual bool Visible(Controle c) const = 0;
    virtual void Montrer(Controle c, bool visible) = 0;

    // Enabled state of commands (menu items, tool buttons, actions) and controls.
    virtual bool Actif(Controle c) const = 0;
    virtual void Activer(Controle c, bool actif) = 0;

    // Checked state of the menu check items.
    virtual bool Coche(Controle c) const = 0;
    virtual void Cocher(Controle c, bool coche) = 0;

    // Hint: the tooltip, then "|" and the status-bar text (or one text for both).
    virtual QString Indice(Controle c) const = 0;
    virtual void Ecrire_Indice(Controle c, const QString& indice) = 0;

    // Maximum number of characters of an edit field, 0 for none.
    virtual int Longueur_Max(Controle c) const = 0;
    virtual void Ecrire_Longueur_Max(Controle c, int longueur) = 0;

    // Position and size in pixels, relative to the control's parent; for a
    // window, the corner of its frame on the screen and the size inside it.
    virtual QRect Geometrie(Controle c) const = 0;
    virtual void Placer(Controle c, const QRect& geometrie) = 0;

    // Font of a label.
    virtual QString Police(Controle c) const = 0;
    virtual void Ecrire_Police(Controle c, const QString& nom) = 0;

    // Selects the whole text of an edit field.
    virtual void Selectionner_Tout(Controle c) = 0;

    // The system beep.
    virtual void Bip() = 0;

    // Modal warning box: an exclamation mark, the text and one OK button.
    virtual void Avertissement(const QString& titre, const QString& texte) = 0;

    // The general error report of a failure that ended an operation.
    virtual void Message_Erreur(const QString& texte) = 0;

    // The drawing surface of the page image Fenetre, at its current size.
    virtual Canevas& Canevas_Fenetre() = 0;

    // Shows the print dialog; the printer's surface when the user accepts,
    // nullptr when he cancels.
    virtual Canevas* Dialogue_Impression() = 0;
    // The page was just built on screen: what depends on it may follow.
    virtual void Page_Construite() {}

    // Scroll bars, in percent of the frame: page size, large step, position.
    // Setting a position that differs from the current one runs the bar's
    // change handler.
    virtual void Regler_Barre(Controle barre, int taille_page, int grand_pas) = 0;
    virtual int Position_Barre(Controle barre) const = 0;
    virtual void Ecrire_Position_Barre(Controle barre, int position) = 0;

    // Client area of the main window (without its menu bar).
    virtual QSize Taille_Client() const = 0;

    // The main window's state, and the screen it stands on.
    virtual Etat_Fenetre Etat_Principale() const = 0;
    virtual void Ecrire_Etat_Principale(Etat_Fenetre etat) = 0;
    virtual QSize Taille_Ecran() const = 0;

    // The control that has the keyboard focus (Nombre_Controles for none of
    // ours), and moving the visible focus without running any rule: the form
    // logic decides what a focus change runs.
    virtual Controle Controle_Focus() const = 0;
    virtual void Montrer_Focus(Controle c) = 0;

    // The clipboard's text ("" when it holds none), and the edit operations
    // of a field on its selection.
    virtual bool Presse_Papiers_A_Texte() const = 0;
    virtual QString Presse_Papiers() const = 0;
    virtual QString Texte_Selectionne(Controle c) const = 0;
    virtual void Couper_Selection(Controle c) = 0;
    virtual void Copier_Selection(Controle c) = 0;
    virtual void Coller_Dans(Controle c) = 0;

    // Questions and dialogs. A dialog answers the chosen path, or nothing
    // when the user cancels.
    virtual void Message(const QString& texte) = 0;
    virtual Reponse Confirmer(const QString& question, Reponse par_defaut) = 0;
    virtual std::optional<QString> Dialogue_Ouvrir(const Dialogue_Fichier& dialogue) = 0;
    virtual std::optional<QString> Dialogue_Enregistrer(const Dialogue_Fichier& dialogue) = 0;

    // "Choose one of these objects": a search field that filters the list
    // as one types. The rank chosen in `source`, nothing when cancelled.
    virtual std::optional<int> Choisir_Objet(const QString& titre, const Source_Objets& source) = 0;

    // The magnitude laws and epoch shown for editing; the texts accepted, or
    // nothing when cancelled. A text that `refus` refuses is named in the
    // dialog, which stays open.
    virtual std::optional<Saisie_Lois> Saisir_Lois(const Saisie_Lois& actuelle,
                                                   const Refus_Saisie_Lois& refus) = 0;

    // A long operation shows its progress and may be cancelled: begun with
    // its text and its total, advanced (false once the user cancelled), ended.
    virtual void Commencer_Progression(const QString& texte, int64_t total) = 0;
    virtual bool Avancer_Progression(int64_t fait) = 0;
    virtual void Terminer_Progression() = 0;
};

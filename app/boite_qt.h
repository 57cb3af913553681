#pragma once

// The platform on real widgets: each Controle is bound to its widget or
// action, and the operations of Boite_Outils act on them.

#include <QImage>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "peinture/canevas_qpainter.h"
#include "plateforme/boite_outils.h"

class Aide_Dans_Dialogue;
class QAction;
class QDialog;
class QPrinter;
class QProgressDialog;
class QLineEdit;
class QWidget;

class Boite_Qt : public Boite_Outils {
public:
    Boite_Qt();
    ~Boite_Qt() override;

    // Binds a control to its widget, or a command to its action. A menu item,
    // its tool button and its action share one QAction.
    void Lier(Controle c, QWidget* widget);
    void Lier(Controle c, QAction* action);
    QWidget* Widget(Controle c) const;
    QAction* Action(Controle c) const;
    // The control bound to a widget or action, Nombre_Controles for none.
    Controle Controle_De(const QObject* objet) const;

    // True while the platform itself writes a control: the signals this
    // raises are its own echo, not the user's doing.
    bool En_Ecriture() const { return ecriture_ > 0; }

    // Run on a scroll bar's change, as the view's handlers want it.
    std::function<void(Controle)> Changement_Barre;
    // Runs after each build of the page on screen.
    std::function<void()> Sur_Page_Construite;
    void Page_Construite() override {
        if (Sur_Page_Construite) Sur_Page_Construite();
    }
    // F1 in a modal dialog, for the dialog's time: the help at a topic.
    std::function<std::unique_ptr<Aide_Dans_Dialogue>(QDialog&, int contexte)> Aide_Dialogue;

    // Test hooks: the print dialog is skipped and this printer answers it;
    // message boxes are kept in a list instead of being shown.
    void Fixer_Imprimante(QPrinter* imprimante) { imprimante_essai_ = imprimante; }
    void Retenir_Messages(bool retenir) { retenir_messages_ = retenir; }
    // Whether the printer was made: it is, only once printing first needs it.
    bool Imprimante_Creee() const { return imprimante_ != nullptr; }
    enum class Genre_Message { Simple, Avertissement, Erreur };
    struct Message_Montre {
        Genre_Message genre;
        QString titre;
        QString texte;
    };
    const std::vector<Message_Montre>& Messages() const { return messages_; }

    QString Texte(Controle c) const override;
    void Ecrire_Texte(Controle c, const QString& texte) override;
    bool Visible(Controle c) const override;
    void Montrer(Controle c, bool visible) override;
    bool Actif(Controle c) const override;
    void Activer(Controle c, bool actif) override;
    bool Coche(Controle c) const override;
    void Cocher(Controle c, bool coche) override;
    QString Indice(Controle c) const override;
    void Ecrire_Indice(Controle c, const QString& indice) override;
    int Longueur_Max(Controle c) const override;
    void Ecrire_Longueur_Max(Controle c, int longueur) override;
    QRect Geometrie(Controle c) const override;
    void Placer(Controle c, const QRect& geometrie) override;
    QString Police(Controle c) const override;
    void Ecrire_Police(Controle c, const QString& nom) override;
    void Selectionner_Tout(Controle c) override;
    void Bip() override;
    void Avertissement(const QString& titre, const QString& texte) override;
    void Message_Erreur(const QString& texte) override;
    Canevas& Canevas_Fenetre() override;
    Canevas* Dialogue_Impression() override;
    void Regler_Barre(Controle barre, int taille_page, int grand_pas) override;
    int Position_Barre(Controle barre) const override;
    void Ecrire_Position_Barre(Controle barre, int position) override;
    QSize Taille_Client() const override;
    Etat_Fenetre Etat_Principale() const override;
    void Ecrire_Etat_Principale(Etat_Fenetre etat) override;
    QSize Taille_Ecran() const override;
    Controle Controle_Focus() const override;
    void Montrer_Focus(Controle c) override;
    bool Presse_Papiers_A_Texte() const override;
    QString Presse_Papiers() const override;
    QString Texte_Selectionne(Controle c) const override;
    void Couper_Selection(Controle c) override;
    void Copier_Selection(Controle c) override;
    void Coller_Dans(Controle c) override;
    // The plain message box: the text and an OK button, titled "Trajectel".
    void Message(const QString& texte) override;
    Reponse Confirmer(const QString& question, Reponse par_defaut) override;
    // A question answered by Oui or Non only (Escape is Non).
    Reponse Demander(const QString& question, Reponse par_defaut);
    // A warning box that leaves the window working while it is shown.
    void Avertir_Sans_Attendre(const QString& titre, const QString& texte);
    std::optional<QString> Dialogue_Ouvrir(const Dialogue_Fichier& dialogue) override;
    std::optional<QString> Dialogue_Enregistrer(const Dialogue_Fichier& dialogue) override;
    std::optional<int> Choisir_Objet(const QString& titre, const Source_Objets& source) override;
    std::optional<Saisie_Lois> Saisir_Lois(const Saisie_Lois& actuelle,
                                           const Refus_Saisie_Lois& refus) override;
    void Commencer_Progression(const QString& texte, int64_t total) override;
    bool Avancer_Progression(int64_t fait) override;
    void Terminer_Progression() override;

    // Test hooks for the questions and file dialogs: when set, they answer
    // instead of a modal dialog.
    std::function<Reponse(const QString& question)> Reponse_Essai;
    std::function<std::optional<QString>(const Dialogue_Fichier&)> Dialogue_Essai;

private:
    QObject* Objet(Controle c) const { return objets_[static_cast<std::size_t>(c)]; }
    bool Retenu(Genre_Message genre, const QString& titre, const QString& texte);
    Reponse Poser_Question(const QString& question, Reponse par_defaut, bool annulable);
    std::optional<QString> Dialogue_Fichier_Qt(const Dialogue_Fichier& dialogue, bool enregistrer);
    QLineEdit* Champ(Controle c) const;

    std::array<QPointer<QObject>, Nombre_Controles> objets_;
    int ecriture_ = 0;
    // Made at the first print: a printer asks the print system (CUPS) for
    // its queues, which would delay the window's first paint.
    std::unique_ptr<QPrinter> imprimante_;
    QPrinter* imprimante_essai_ = nullptr;
    std::unique_ptr<Canevas_QPainter> canevas_imprimante_;
    QImage image_vide_{1, 1, QImage::Format_ARGB32_Premultiplied};
    std::unique_ptr<Canevas_QPainter> canevas_vide_;
    std::unique_ptr<QProgressDialog> progression_;
    int64_t total_progression_ = 0;
    bool retenir_messages_ = false;
    std::vector<Message_Montre> messages_;
    QPointer<QWidget> avertissement_;
};

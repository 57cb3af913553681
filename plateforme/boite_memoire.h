#pragma once

// In-memory platform: every property is stored, nothing is shown. Tests read
// back what the logic wrote; the batch program runs the page on it.

#include <array>
#include <deque>
#include <functional>
#include <vector>

#include "plateforme/boite_outils.h"

class Boite_Memoire : public Boite_Outils {
public:
    Boite_Memoire();

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
    Etat_Fenetre Etat_Principale() const override { return etat_principale_; }
    void Ecrire_Etat_Principale(Etat_Fenetre etat) override { etat_principale_ = etat; }
    QSize Taille_Ecran() const override { return taille_ecran_; }
    Controle Controle_Focus() const override { return focus_; }
    void Montrer_Focus(Controle c) override { focus_ = c; }
    bool Presse_Papiers_A_Texte() const override { return presse_papiers_.has_value(); }
    QString Presse_Papiers() const override { return presse_papiers_.value_or(QString()); }
    QString Texte_Selectionne(Controle c) const override;
    void Couper_Selection(Controle c) override;
    void Copier_Selection(Controle c) override;
    void Coller_Dans(Controle c) override;
    void Message(const QString& texte) override;
    Reponse Confirmer(const QString& question, Reponse par_defaut) override;
    std::optional<QString> Dialogue_Ouvrir(const Dialogue_Fichier& dialogue) override;
    std::optional<QString> Dialogue_Enregistrer(const Dialogue_Fichier& dialogue) override;
    std::optional<int> Choisir_Objet(const QString& titre, const Source_Objets& source) override;
    std::optional<Saisie_Lois> Saisir_Lois(const Saisie_Lois& actuelle,
                                           const Refus_Saisie_Lois& refus) override;
    void Commencer_Progression(const QString& texte, int64_t total) override;
    bool Avancer_Progression(int64_t fait) override;
    void Terminer_Progression() override;

    // Scripted for the tests: the screen, the clipboard, a field's selection
    // (from `debut`, `longueur` characters; the caret at its end), and the
    // answers of the next questions and dialogs, in order. Without a scripted
    // answer a question is cancelled and a dialog too.
    void Fixer_Taille_Ecran(QSize taille) { taille_ecran_ = taille; }
    void Fixer_Presse_Papiers(std::optional<QString> texte) { presse_papiers_ = std::move(texte); }
    void Selectionner(Controle c, int debut, int longueur);
    void Prevoir_Reponse(Reponse reponse) { reponses_.push_back(reponse); }
    void Prevoir_Dialogue(std::optional<QString> chemin) { dialogues_.push_back(std::move(chemin)); }
    // The next choice among objects: the text typed into the search field,
    // then the row taken among those it leaves (nothing: cancelled; a row
    // past the end counts as cancelled too).
    void Prevoir_Choix(const QString& recherche, std::optional<int> ligne) {
        choix_.push_back({recherche, ligne});
    }
    // What the user makes of the next laws dialog: the texts it holds when
    // OK is pressed (nothing: cancelled). Texts it refuses are recorded and
    // the dialog is then cancelled.
    void Prevoir_Lois(std::optional<std::function<void(Saisie_Lois&)>> saisie) {
        lois_.push_back(std::move(saisie));
    }
    // What the last laws dialog showed, and each refusal it named.
    const Saisie_Lois& Lois_Montrees() const { return lois_montrees_; }
    const std::vector<QString>& Refus_Lois() const { return refus_lois_; }
    // The rows the last choice showed after its search, and how many were shown.
    const std::vector<Ligne_Objet>& Lignes_Choix() const { return lignes_choix_; }
    int Choix_Montres() const { return choix_montres_; }
    // Progress is cancelled at its n-th step (0: never); the steps made.
    void Annuler_Progression_Au_Pas(int pas) { annulation_ = pas; }
    int Pas_Progression() const { return pas_; }
    bool Progression_En_Cours() const { return progression_; }
    // The dialogs shown, in order.
    const std::vector<Dialogue_Fichier>& Dialogues() const { return dialogues_montres_; }

    // What the tests script: the surfaces drawn on (a surface that draws
    // nothing by default), whether the print dialog is accepted (a null
    // printer cancels it), the window's client size, the bars' handler.
    void Fixer_Canevas_Fenetre(Canevas* canevas) { canevas_fenetre_ = canevas; }
    void Fixer_Imprimante(Canevas* imprimante) { imprimante_ = imprimante; }
    void Fixer_Taille_Client(QSize taille) { taille_client_ = taille; }
    std::function<void(Controle)> Changement_Barre;

    struct Barre {
        int taille_page = 0;
        int grand_pas = 0;
        int position = 0;
    };
    const Barre& Etat_Barre(Controle barre) const;
    int Dialogues_Impression() const { return dialogues_impression_; }

    // What was shown, in order, for the tests to read.
    enum class Genre { Bip, Avertissement, Erreur, Simple, Question };
    struct Message_Montre {
        Genre genre;
        QString titre;
        QString texte;
    };
    const std::vector<Message_Montre>& Messages() const { return messages_; }
    void Oublier_Messages() { messages_.clear(); }

    // The control whose whole text was selected last.
    Controle Derniere_Selection() const { return derniere_selection_; }

private:
    struct Proprietes {
        QString texte;
        bool visible = true;
        bool actif = true;
        bool coche = false;
        QString indice;
        int longueur_max = 0;
        QRect geometrie;
        QString police;
        int debut_selection = 0;
        int longueur_selection = 0;
    };
    const Proprietes& De(Controle c) const;
    Proprietes& De(Controle c);

    std::array<Proprietes, Nombre_Controles> controles_;
    std::deque<std::optional<std::function<void(Saisie_Lois&)>>> lois_;
    Saisie_Lois lois_montrees_;
    std::vector<QString> refus_lois_;
    std::vector<Message_Montre> messages_;
    Canevas* canevas_fenetre_ = nullptr;
    Canevas* imprimante_ = nullptr;
    int dialogues_impression_ = 0;
    QSize taille_client_{700, 800};
    Barre barre_verticale_;
    Barre barre_horizontale_;
    Barre& Barre_De(Controle barre);
    Etat_Fenetre etat_principale_ = Etat_Fenetre::Normale;
    QSize taille_ecran_{1920, 1080};
    Controle focus_ = Controle::Nombre_Controles;
    std::optional<QString> presse_papiers_;
    std::deque<Reponse> reponses_;
    std::deque<std::optional<QString>> dialogues_;
    std::vector<Dialogue_Fichier> dialogues_montres_;
    struct Choix {
        QString recherche;
        std::optional<int> ligne;
    };
    std::deque<Choix> choix_;
    std::vector<Ligne_Objet> lignes_choix_;
    int choix_montres_ = 0;
    int annulation_ = 0;
    int pas_ = 0;
    bool progression_ = false;
    std::optional<QString> Prochain_Dialogue(const Dialogue_Fichier& dialogue);
    Controle derniere_selection_ = Controle::Nombre_Controles;
};

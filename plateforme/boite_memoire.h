#pragma once

// In-memory platform: every property is stored, nothing is shown. Tests read
// back what the logic wrote; the batch program runs the form and the page on it.

#include <array>
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
    enum class Genre { Bip, Avertissement, Erreur };
    struct Message {
        Genre genre;
        QString titre;
        QString texte;
    };
    const std::vector<Message>& Messages() const { return messages_; }
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
    };
    const Proprietes& De(Controle c) const;
    Proprietes& De(Controle c);

    std::array<Proprietes, Nombre_Controles> controles_;
    std::vector<Message> messages_;
    Canevas* canevas_fenetre_ = nullptr;
    Canevas* imprimante_ = nullptr;
    int dialogues_impression_ = 0;
    QSize taille_client_{700, 800};
    Barre barre_verticale_;
    Barre barre_horizontale_;
    Barre& Barre_De(Controle barre);
    Controle derniere_selection_ = Controle::Nombre_Controles;
};

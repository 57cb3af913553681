#pragma once

// Every event of the frame's controls reaches the program here, whatever
// widget raised it: the focus moved by the user (a click, Tab), a click, a
// key, a change of a list, the mouse over a label; and the three Julian-date
// items of the menu, which act on the frame.

#include <QChar>

#include "document/programme.h"

struct Evenement_Fiche {
    // Sortie: the exit rule of the control being edited is applied, the
    // control keeping the focus (Save's key, while Save is disabled).
    enum class Genre { Focus, Clic, Touche, Changement, Survol, Sortie };
    Genre genre;
    Controle controle;
    QChar caractere;  // the key typed, for Touche
};

class Aiguillage_Fiche {
public:
    explicit Aiguillage_Fiche(Programme& programme) : programme_(programme) {}

    // For a key, the character to insert (QChar() swallows the key); for
    // other events the answer is not used.
    QChar Traiter(const Evenement_Fiche& e);

    // The entry control that has the focus as the program sees it.
    Controle Focus() const { return programme_.formulaire.Focus; }

    // A Julian-date item chosen (Julienne, Julienne_éléments,
    // Julienne_éphéméride), its check mark as it was before the choice.
    void Basculer_Date(Controle article);

private:
    void Cliquer(Contexte_Formulaire& ctx, Controle c);
    void Changer(Contexte_Formulaire& ctx, Controle c);

    Programme& programme_;
};

#include "app/aiguillage.h"

QChar Aiguillage_Fiche::Traiter(const Evenement_Fiche& e) {
    // The control that has the focus already gets it back from a menu, a
    // dialog or another window, or as the echo of a focus the program gave:
    // that is no change.
    if (e.genre == Evenement_Fiche::Genre::Focus && e.controle != focus_) Changer_Focus(e.controle);
    // Keys pass as typed.
    return e.caractere;
}

void Aiguillage_Fiche::Changer_Focus(Controle nouveau) {
    focus_ = nouveau;
    Entrer(nouveau);
}

void Aiguillage_Fiche::Entrer(Controle c) {
    if (!Est_Controle_Saisie(c)) return;
    const QString texte = programme_.boite.Texte(c);
    // The comment is compared without its surrounding blanks.
    programme_.formulaire.Entree(c) = c == Controle::Commentaire ? texte.trimmed() : texte;
}

#include "document/aiguillage.h"

#include "form/boutons_pas.h"
#include "form/dates_juliennes.h"
#include "form/edition.h"
#include "form/listes.h"

namespace {

using Genre = Evenement_Fiche::Genre;
using Clic_Bouton = void (*)(Contexte_Formulaire&);

struct Bouton_Pas {
    Controle bouton;
    Clic_Bouton clic;
};

constexpr Bouton_Pas Boutons_Pas[] = {
    {Controle::JourPlus, FicheJourPlusClick}, {Controle::JourMoins, FicheJourMoinsClick},
    {Controle::MoisPlus, FicheMoisPlusClick}, {Controle::MoisMoins, FicheMoisMoinsClick},
    {Controle::AnPlus, FicheAnPlusClick},     {Controle::AnMoins, FicheAnMoinsClick},
};

bool Est_Bascule(Controle c) { return c == Controle::Label15 || c == Controle::Label16; }

}  // namespace

QChar Aiguillage_Fiche::Traiter(const Evenement_Fiche& e) {
    Contexte_Formulaire ctx = programme_.Formulaire();
    switch (e.genre) {
        case Genre::Focus:
            // The control that has the focus gets it back from a menu, a
            // dialog or another window, or as the echo of a focus the program
            // gave: that is no change.
            if (Est_Controle_Saisie(e.controle) && e.controle != Focus()) Donner_Focus(ctx, e.controle);
            break;
        case Genre::Clic:
            Cliquer(ctx, e.controle);
            break;
        case Genre::Touche:
            return FicheKeyPress(ctx, e.controle, e.caractere);
        case Genre::Changement:
            Changer(ctx, e.controle);
            break;
        case Genre::Survol:
            if (Est_Bascule(e.controle)) FicheLabelMouseMove(programme_.boite);
            break;
        case Genre::Sortie:
            Appliquer_Sortie(ctx);
            break;
    }
    return e.caractere;
}

void Aiguillage_Fiche::Cliquer(Contexte_Formulaire& ctx, Controle c) {
    if (Est_Bascule(c)) {
        FicheLabelClick(ctx);
        return;
    }
    for (const Bouton_Pas& b : Boutons_Pas) {
        if (b.bouton == c) {
            b.clic(ctx);
            return;
        }
    }
    FicheClick(ctx, c);
}

void Aiguillage_Fiche::Changer(Contexte_Formulaire& ctx, Controle c) {
    if (c == Controle::Liste_Instruments) FicheListe_InstrumentsChange(ctx);
    if (c == Controle::Liste_Pas) FicheListe_PasChange(ctx);
}

void Aiguillage_Fiche::Basculer_Date(Controle article) {
    Programme& p = programme_;
    if (article == Controle::Julienne) JulienneClick(p.el, p.boite, p.notation);
    if (article == Controle::Julienne_éléments) Julienne_élémentsClick(p.el, p.boite, p.notation);
    if (article == Controle::Julienne_éphéméride) Julienne_éphémérideClick(p.el, p.boite, p.notation);
}

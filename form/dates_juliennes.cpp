#include "form/dates_juliennes.h"

namespace {
const char* const Motif_JJ_Perihelie = "#0.###";
}  // namespace

void Afficher_JJ_Perihelie(const Elements& el, Boite_Outils& boite, const Notation& notation) {
    // Written as a negation so that a NaN empties the field too.
    const bool sans_date = !(el.JJ_Perihelie > 0);
    boite.Ecrire_Texte(Controle::saisie_Jour_Perihelie,
                       sans_date ? QString() : Texte_Motif(el.JJ_Perihelie, Motif_JJ_Perihelie, notation));
}

#pragma once

// What every exit rule of a field starts from once the common start has run,
// and the few readings they share.

#include <QString>
#include <cstdint>

#include "form/formulaire.h"

// The field being left: its cleaned text, already written back, and whether
// it differs from the text it held on entry (both trimmed).
struct Sortie_Champ {
    Controle champ;
    QString texte;
    bool change;
};

// The field gets back the text it held when it received the focus.
void Restaurer(Contexte_Formulaire& ctx, const Sortie_Champ& s);

// A value taken: the document is modified, the element fields rewritten
// when asked, the page rebuilt.
void Accepter(Contexte_Formulaire& ctx, bool afficher_elements);

// The text is a number (Classe_Nombre 1 or 2) and its value can be read.
bool Lire_Nombre(const QString& texte, const Notation& notation, double& valeur);

// The text is a whole number (Classe_Nombre 1) that fits 32 bits.
bool Lire_Nombre_Entier(const QString& texte, int32_t& valeur);

// A value read as a 32-bit float, as several fields store it; false for a
// value a float cannot hold.
bool Vers_Simple(double valeur, float& simple);

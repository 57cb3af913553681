#pragma once

// The ten element files used last, most recent first, and the captions of
// their items in the menu "&Fichier".

#include <QString>
#include <array>

#include "form/etat.h"
#include "plateforme/boite_outils.h"

constexpr int Taille_Historique = 10;

struct Historique {
    // Entry k (1 to 10) is at index k - 1; an empty text is an empty entry.
    std::array<QString, Taille_Historique> Entrees;
    // Captions of the items Historique1 to Historique10, without their "&k " prefix.
    std::array<QString, Taille_Historique> Libelles_Historique;
};

// The characters after the last "/" or "\": the whole path when it has none,
// empty when it ends with one.
QString Nom_Court(const QString& chemin);

// Puts Nom_Fichier at the head of the list when a document has just been
// opened or saved (Dernier_Fichier not empty), then rebuilds the captions and
// the menu items.
void Mettre_A_Jour_Historique(Historique& historique, const Etat_Document& document, Boite_Outils& boite);

// Removes entry k (1 to 10); the caller rebuilds the menu. Any other k is ignored.
void Retirer_Historique(Historique& historique, int k);

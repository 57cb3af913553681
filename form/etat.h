#pragma once

// State of the entry form and of the document, one instance each, owned by
// the program object and handed to the operations that use them.

#include <QString>
#include <array>
#include <cstdint>

#include "plateforme/controles.h"

struct Etat_Formulaire {
    // Per entry control, the text it held when it last received the focus.
    std::array<QString, Nombre_Controles_Saisie> Texte_Entree;
    int32_t Dernier_Champ = 0;  // tab position of the control left last
    // The entry control the rules last gave the focus to: the one whose exit
    // runs when the focus moves on (Nombre_Controles before the first).
    Controle Focus = Controle::Nombre_Controles;

    QString& Entree(Controle c) { return Texte_Entree[static_cast<std::size_t>(Tabulation(c))]; }
    const QString& Entree(Controle c) const { return Texte_Entree[static_cast<std::size_t>(Tabulation(c))]; }
};

struct Etat_Document {
    QString Nom_Fichier;  // full path, empty while the document is unnamed
    QString Dernier_Fichier;
    bool Modifie = false;
    bool Fichier_Ouvert = false;
    bool Erreur_Fichier = false;
    bool Sauvegarde_Faite = false;
};

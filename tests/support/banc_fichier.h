#pragma once

// The state the window owns around the element file, fresh for each case.

#include <QString>
#include <string>

#include "document/fichier_elements.h"
#include "plateforme/boite_memoire.h"

inline std::string U(const QString& s) { return s.toStdString(); }

struct Banc {
    explicit Banc(char separateur) : notation{separateur, " "} {}
    Elements el;
    Boite_Memoire boite;
    Etat_Formulaire formulaire;
    Etat_Document document;
    Historique historique;
    Notation notation;
    Contexte_Document ctx{el, boite, formulaire, document, historique, notation, QStringLiteral("1.0.0")};
};

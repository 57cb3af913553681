#pragma once

// 2P/Encke as an element file of the program's 20 lines holds it.

#include <QStringList>

inline QStringList Lignes_Encke() {
    return {
        "Trajectel version 1.0.0",
        "Objet : 2P/Encke",
        "Excentricité = 0,8483",
        "Distance du périhélie = 0,3302 UA",
        "Inclinaison = 11,78 °",
        "Argument du périhélie = 186,54 °",
        "Longitude du noeud ascendant = 334,57 °",
        "Jour du périhélie = 22,5",
        "Mois du périhélie = 10",
        "Année du périhélie = 2023",
        "Equinoxe des éléments = 2000",
        "Equinoxe éphéméride = 2000",
        "Magnitude totale = 0",
        "Jour pour la magnitude totale 0",
        "Mois pour la magnitude totale 0",
        "Année pour la magnitude totale 0",
        "Magnitude du noyau = 0",
        "Jour pour la magnitude du noyau 0",
        "Mois pour la magnitude du noyau 0",
        "Année pour la magnitude du noyau 0",
    };
}

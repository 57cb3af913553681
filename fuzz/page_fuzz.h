#pragma once

// What the fuzz targets share: the program over the in-memory platform, and
// the page built on screen and on paper against recording surfaces, so that
// every text and width of both layouts is computed.

#include <QString>

#include "document/programme.h"
#include "form/disposition_fiche.h"
#include "invariant.h"
#include "plateforme/boite_memoire.h"
#include "support/canevas_enregistreur.h"

// The recording surfaces outlive the inputs: each input forgets what the
// last one drew but keeps the storage, which a fresh surface would grow again
// call by call.
struct Surfaces_Fuzz {
    static constexpr int Resolution_Imprimante = 600;  // dots per inch
    static constexpr int Largeur_Imprimante = 4800;    // dots

    Canevas_Enregistreur ecran;
    Canevas_Enregistreur imprimante{Resolution_Imprimante, Largeur_Imprimante};
};

inline Surfaces_Fuzz& Surfaces_Oubliees() {
    static Surfaces_Fuzz surfaces;
    surfaces.ecran.Oublier();
    surfaces.imprimante.Oublier();
    return surfaces;
}

struct Banc_Fuzz {
    explicit Banc_Fuzz(char separateur)
        : p(boite, Notation{separateur, " "}, QStringLiteral("1.0.0")), surfaces(Surfaces_Oubliees()) {
        Creer_Fiche(boite);
        boite.Fixer_Canevas_Fenetre(&surfaces.ecran);
        boite.Fixer_Imprimante(&surfaces.imprimante);
    }
    Banc_Fuzz(const Banc_Fuzz&) = delete;
    Banc_Fuzz& operator=(const Banc_Fuzz&) = delete;

    // The page as the window refreshes it, then as the print command prints
    // it. The screen shows only the table: a value that could not be
    // computed is written "--" there, never as a number format's "NAN" or "INF".
    void Construire_Pages() {
        Rafraichir(p.Page());
        for (const Texte_Enregistre& t : surfaces.ecran.Textes()) {
            Exiger(!t.texte.contains(QStringLiteral("NAN")) && !t.texte.contains(QStringLiteral("INF")),
                   "valeur non finie écrite dans le tableau");
        }
        ImprimerExecute(p.Page());
    }

    Boite_Memoire boite;
    Programme p;
    Surfaces_Fuzz& surfaces;
};

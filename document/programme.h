#pragma once

// The one object that owns the program's state: the element set, the form,
// the document, the page with its drawing and view, the telescope tables and
// the recent files. The window and the batch program each build one over
// their platform and hand its parts to the operations.

#include <QString>
#include <optional>

#include "astro/elements.h"
#include "astro/instruments.h"
#include "astro/position.h"
#include "document/contexte_document.h"
#include "document/fichier_lois_epoque.h"
#include "document/historique.h"
#include "form/etat.h"
#include "form/formulaire.h"
#include "form/lecture_entree_page.h"
#include "form/textes_nombres.h"
#include "page/dessin.h"
#include "page/etat_page.h"
#include "page/lignes.h"
#include "page/vue.h"
#include "plateforme/boite_outils.h"

struct Programme {
    Programme(Boite_Outils& boite_, Notation notation_, QString version)
        : boite(boite_), notation(std::move(notation_)), Version_Programme(std::move(version)) {
        Remplir_Instruments(tables);
    }

    Boite_Outils& boite;
    Notation notation;
    QString Version_Programme;

    Elements el;
    Etat_Formulaire formulaire;
    Etat_Document document;
    Etat_Page page;
    Etat_Dessin dessin;
    Etat_Vue vue;
    Position position;
    Tables_Instruments tables;
    Historique historique;
    std::optional<Site_Observation> site;  // none: no site, no visibility
    Choix_Modele modele;                   // how the rows' places are computed

    // The page as the controls stand: the field texts stay the state.
    Calcul_Page Calcul() {
        Entree_Page entree = Lire_Entree_Page(boite, el, page.Champs_A_Corriger, notation.Separateur_Decimal);
        entree.Modele = modele;
        Noter_Origines(entree);
        return Calcul(std::move(entree));
    }
    // Where the element set's laws come from, for the page to say it.
    void Noter_Origines(Entree_Page& entree) const {
        entree.Origine_Totale = Texte_Origine(el.Lois.totale.origine, el.Lois.totale.source);
        entree.Origine_Noyau = Texte_Origine(el.Lois.noyau.origine, el.Lois.noyau.source);
    }
    Calcul_Page Calcul(Entree_Page entree) {
        return {el, page, position, tables, notation, std::move(entree), site ? &*site : nullptr};
    }
    Contexte_Page Page() { return Page(Calcul()); }
    Contexte_Page Page(Calcul_Page calcul) {
        return {std::move(calcul), dessin, vue, document, boite, Version_Programme};
    }
    Contexte_Document Contexte() {
        return {el, boite, formulaire, document, historique, notation, Version_Programme, &page};
    }
    // The entry form's rules over this program: what they end with rebuilds
    // this program's page and fits its view.
    Contexte_Formulaire Formulaire() {
        return {el,
                boite,
                formulaire,
                document,
                notation,
                [this] { Rafraichir(Page()); },
                [this] { Ajuster_Barres(boite, vue); }};
    }
};

#pragma once

// The state the document operations work on, owned by the program object
// (the window or the batch program) and handed to them whole.

#include <QString>

#include "astro/elements.h"
#include "document/historique.h"
#include "form/etat.h"
#include "form/textes_nombres.h"
#include "page/etat_page.h"
#include "plateforme/boite_outils.h"

struct Contexte_Document {
    Elements& el;
    Boite_Outils& boite;
    Etat_Formulaire& formulaire;
    Etat_Document& document;
    Historique& historique;
    const Notation& notation;
    QString Version_Programme;  // major.minor.release
    Etat_Page* page = nullptr;  // told which fields a read left to correct
};

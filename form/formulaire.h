#pragma once

// What the rules of the entry form read and write: the element set, the
// frame through the platform, the form's and the document's state, the
// number notation, and the page refresh they end with.

#include <functional>

#include "astro/elements.h"
#include "form/etat.h"
#include "form/textes_nombres.h"
#include "plateforme/boite_outils.h"

struct Contexte_Formulaire {
    Elements& el;
    Boite_Outils& boite;
    Etat_Formulaire& formulaire;
    Etat_Document& document;
    const Notation& notation;
    // Rebuilds the page and updates the Save command; the program object
    // binds it to the page's refresh, tests count its calls.
    std::function<void()> Rafraichir;
    // Fits the scroll bars to the frame's size (the page view's Ajuster_Barres).
    std::function<void()> Ajuster_Barres;
};

// The exit rule of one of the 26 edit fields, common start included: what
// happens when the field loses the focus. Nothing for any other control.
void Executer_Sortie(Contexte_Formulaire& ctx, Controle champ);

// Whether the exit of `champ` would take `texte` typed into it, the element
// set being `el`: each character passes the field's key filter and the
// field's rule takes the cleaned value, however long it is. Dates are in
// their calendar form and equinoxes are years, as element files hold them.
// True for the fields it does not judge: the comment, the magnitudes and
// their dates, whose texts the page checks itself, the start date and step.
bool Valeur_Prise(Controle champ, const QString& texte, const Elements& el, const Notation& notation);

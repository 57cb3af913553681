#pragma once

// The view of the page: the refresh that ends every accepted change, the
// print command, and the two scroll bars that move the whole frame, both in
// percent of the frame's size.

#include <cstdint>

#include "plateforme/boite_outils.h"

struct Contexte_Page;
struct Calcul_Page;

// Pixels left to the frame by the window, as the last Ajuster_Barres found them.
struct Etat_Vue {
    int32_t Hauteur_Visible = 0;  // client height less tool bar, status bar, horizontal bar
    int32_t Largeur_Visible = 0;  // client width less the vertical bar
};

// "Perturbations planétaires" is offered for the precise model and elements
// with an epoch, and shown checked only there, so that a check never stands
// beside two-body rows.
void Activer_Perturbations(const Calcul_Page& c, Boite_Outils& boite);

// Rebuilds the page on screen, after the item above; enables Save when the
// document is modified.
void Rafraichir(const Contexte_Page& p);

// Rebuilds the page on the printer; the screen stays as it was.
void ImprimerExecute(const Contexte_Page& p);

// Visibility, page size, large step and position of both bars from the sizes
// of the window and of the frame. A position that changes moves the frame
// through the bar's change handler.
void Ajuster_Barres(Boite_Outils& boite, Etat_Vue& vue);

// Move the frame to the bar's position.
void VerticalBarChange(Boite_Outils& boite);
void HorizontalBarChange(Boite_Outils& boite);

void FormResize(Boite_Outils& boite, Etat_Vue& vue);

#pragma once

// What the page decided at its last build, kept until the next one.

#include <QString>
#include <utility>
#include <vector>

#include "astro/lois_magnitude.h"
#include "astro/mouvement_perturbe.h"
#include "plateforme/controles.h"

struct Etat_Page {
    bool MT_Valide = false;  // total-magnitude data usable: column M1
    bool MN_Valide = false;  // nucleus-magnitude data usable: column M2
    bool Page_Valide = false;
    // The laws of the two columns, their zero points set by the typed
    // magnitudes when there are some.
    Lois_Magnitude Lois;
    // Fields an element file held a value for that the form refuses, with
    // the text the read left in them: the page stays hidden while one of
    // them still holds it, until the user types a value there.
    std::vector<std::pair<Controle, QString>> Champs_A_Corriger;
    // The body's integration from its epoch, which the next build continues
    // while the elements stay the same.
    Mouvement_Retenu Mouvement;
    // The integration's work allowed to each computation of a build (the
    // rows, a magnitude's recalibration), in evaluations of the forces.
    long Evaluations_Maximum = Evaluations_Maximum_Calcul;
    // The window finishes elsewhere what that bound left undone: the rows
    // left say that they are being computed rather than that they cannot be.
    bool Calcul_Differe = false;
    // The last build stopped the integration at that bound.
    bool Budget_Epuise = false;
};

#pragma once

// What the page decided at its last build, kept until the next one.

struct Etat_Page {
    bool MT_Valide = false;  // total-magnitude data usable: column M1
    bool MN_Valide = false;  // nucleus-magnitude data usable: column M2
    bool Page_Valide = false;
    double MT_Absolue = 0;  // at r = 1 AU and Δ = 1 AU
    double MN_Absolue = 0;
};

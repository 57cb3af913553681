#pragma once

// The picture of a law fitted to magnitude estimates, in two panels: the
// reduced magnitude m − 5 log Δ against log r with the fitted line, the
// estimates set aside marked and the published law for comparison; then the
// magnitudes against the date with the curve each law gives the ephemeris.
// Drawn on a Canevas, so that it shows, prints and exports alike.

#include <QRect>
#include <QString>
#include <optional>
#include <vector>

#include "astro/ajustement_loi.h"
#include "plateforme/canevas.h"

constexpr uint32_t Couleur_Gardee = 0x1F5FBF;
constexpr uint32_t Couleur_Ecartee = 0xD02020;
constexpr uint32_t Couleur_Loi_Ajustee = 0x000000;
constexpr uint32_t Couleur_Loi_Publiee = 0x30A030;

// The magnitude each law gives at one instant.
struct Point_Courbe {
    double JJ = 0;  // UT
    double ajustee = 0;
    std::optional<double> publiee;
};

struct Trace_Ajustement {
    QString titre;  // the comet
    std::vector<Estimation_Reduite> estimations;
    std::vector<bool> ecartee;  // as many as estimations
    Droite ajustee;
    std::optional<Droite> publiee;     // none when the body had only the program's own law
    std::vector<Point_Courbe> courbe;  // in time order
};

// Draws the picture into `cadre`; false, with a word in the frame, when
// there is nothing to draw.
bool Dessiner_Ajustement(Canevas& cv, const QRect& cadre, const Trace_Ajustement& t);

// A round step between graduations, 1, 2 or 5 times a power of ten, giving
// about `graduations` of them over `etendue`.
double Pas_Graduation(double etendue, int graduations);

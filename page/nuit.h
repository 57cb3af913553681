#pragma once

// The picture of the night that follows the first row's date at the site:
// the body's and the Sun's altitude from 18 h to 6 h local mean time over
// day, twilight and night, the horizon and the telescope's lowest altitude.

#include <QRect>
#include <QString>
#include <vector>

#include "astro/visibilite.h"
#include "page/lignes.h"
#include "plateforme/canevas.h"

// Colours of the picture, 0xRRGGBB.
constexpr uint32_t Couleur_Jour = 0xBFD9F2;
constexpr uint32_t Couleur_Crepuscule = 0x6F8FBF;
constexpr uint32_t Couleur_Nuit = 0x1C2540;
constexpr uint32_t Couleur_Corps = 0xFFC000;
constexpr uint32_t Couleur_Soleil = 0xE03000;
constexpr uint32_t Couleur_Minimale = 0x30C030;
constexpr uint32_t Couleur_Traits = 0x000000;

inline constexpr char Titre_Nuit[] = "Trajectel - Visibilité de la nuit";

// The altitudes the picture draws, every few minutes of the night.
struct Courbes_Nuit {
    double JJ_Debut = 0;         // 18 h local mean time, UT Julian day
    double Pas = 0;              // days between two samples
    std::vector<double> corps;   // degrees
    std::vector<double> soleil;  // degrees
};
Courbes_Nuit Calculer_Courbes_Nuit(const Direction_Corps& corps, double jj, const Lieu_Observation& lieu);

// The kind of sky with the Sun at `hauteur` degrees.
uint32_t Couleur_Ciel(double hauteur);

// Draws the picture into `cadre` for the first row of the page; answers
// false, drawing only the frame's background and a word, when the page
// is not valid or has no site.
bool Dessiner_Nuit(Canevas& cv, const QRect& cadre, const Calcul_Page& c);

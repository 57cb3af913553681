#pragma once

// Gauss's gravitational constant and the motions that follow from it.

#include "astro/angles.h"

// Gauss's constant k, radians per day (AU, solar masses).
constexpr double K_Gauss = 0.01720209895;
// k in degrees per day: the mean motion of a body whose semi-major axis is 1 AU.
constexpr double Moyen_Mouvement_Unite = K_Gauss * Degres_Par_Radian;
// 3k/√2 per day (q in AU) of Barker's equation, as the parabola's rule
// writes it, cut after the tenth decimal: the parabolic positions depend on these digits.
constexpr double Constante_Barker = 0.0364911624;
// The mean motion of a = 1 AU in the relations of the element set, degrees
// per day. The rule's own value, not k's: its positions depend on these digits.
constexpr double K_Moyen_Mouvement = 0.98560928312;

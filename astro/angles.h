#pragma once

// Angles: π, the full turn in radians and in degrees, the conversions, and
// the trigonometric functions of an angle in degrees.

#include <cmath>

constexpr double Pi_Radians = 3.14159265358979323846;  // half a turn
constexpr double Deux_Pi = 2 * Pi_Radians;             // radians, the full turn
constexpr double Tour = 360;                           // degrees, the full turn
constexpr double Demi_Tour = Tour / 2;                 // degrees
constexpr double Radians_Par_Degre = Pi_Radians / 180;
constexpr double Degres_Par_Radian = 180 / Pi_Radians;
constexpr double Heures_Par_Radian = 12 / Pi_Radians;
constexpr double Secondes_Arc_Par_Degre = 3600;
constexpr double Radians_Par_Seconde = Pi_Radians / 648000;  // seconds of arc

inline double Sin_Deg(double x) { return std::sin(x * Radians_Par_Degre); }
inline double Cos_Deg(double x) { return std::cos(x * Radians_Par_Degre); }
inline double Tan_Deg(double x) { return std::tan(x * Radians_Par_Degre); }

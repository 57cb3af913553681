#pragma once

// A vector of the computation's three rectangular axes (AU, AU/day…).

#include <array>
#include <cmath>

using Vecteur = std::array<double, 3>;

inline double Norme(const Vecteur& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

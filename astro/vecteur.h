#pragma once

// A vector of the computation's three rectangular axes (AU, AU/day…).

#include <array>

using Vecteur = std::array<double, 3>;

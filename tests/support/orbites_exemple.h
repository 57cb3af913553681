#pragma once

// Lines of the published element formats shared by the suites.

#include <string>

// C/1995 O1 in the MPC's one-line comet layout.
inline constexpr const char* Ligne_Hale_Bopp =
    "    CJ95O010  1997 03 29.6333  0.916241  0.994928  130.6448  283.3593   88.9908  20200224  -2.0  4.0  "
    "C/1995 O1 (Hale-Bopp)                                    MPC106342";

// 2P in the same layout.
inline constexpr const char* Ligne_Encke =
    "0002P         2023 10 22.5000  0.330200  0.848300  186.5400  334.5700   11.7800  20230901  11.5  6.0  "
    "2P/Encke                                                 MPC 12345";

// (1) Ceres in the MPCORB layout.
inline constexpr const char* Ligne_Ceres =
    "00001    3.4   0.15 K205V 162.68631   73.73161   80.28698   10.58862  0.0775571  0.21406009   "
    "2.7676569  0 MPO492748  6751 115 1801-2019 0.60 M-v 30h Williams   0000      (1) Ceres              "
    "20190915";

// C/2020 X1, a parabola in the comma-separated layout.
inline constexpr const char* Ligne_Parabole = "C/2020 X1,p,05/02.125/2021,45.6,120.3,1.234,210.5,2000";

// A file of three comets in two formats, in this order.
inline const std::string Texte_Trois_Cometes =
    std::string(Ligne_Encke) + "\n" + Ligne_Hale_Bopp + "\n" + Ligne_Parabole + "\n";

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

// A listing as the service prints it: the header's set, then the body's
// name, then the table.
inline const std::string Horizons_Halley_Entete =
    "*******************************************************************************\n"
    "JPL/HORIZONS                      1P/Halley                2024-Jan-01 00:00:00\n"
    "Rec #:90000030        Soln.date: 2022-Jun-12_15:47:51   # obs: 7428 (1835-1994)\n"
    " \n"
    "IAU76/J2000 helio. ecliptic osc. elements (au, days, deg., period=Julian yrs):\n"
    " \n";
inline const std::string Horizons_Halley =
    "  EPOCH=  2439875.5 ! 1968-Jan-20.0000000 (TDB)    RMSW= n.a.\n"
    "   EC= .9679221169215289   QR= .5748638313743413   TP= 2446469.9736161465\n"
    "   OM= 59.09894720612437   W= 112.2414314637764    IN= 162.1905300439129\n"
    "   A= 17.92863504856929    MA= 274.3823371364693   ADIST= 35.28240626576424\n"
    "   B= 16.4450919           MOID= .0745097          TP= 1986-Feb-08.4736161\n"
    "Comet physical (GM= km^3/s^2; RAD= km):\n"
    "   M1=  5.5      M2=  13.6     k1=  8.     k2=  5.      PHCOF=  .030\n"
    "*******************************************************************************\n"
    "Ephemeris / WWW_USER Mon Jan  1 00:00:00 2024 Pasadena, USA      / Horizons\n"
    "*******************************************************************************\n"
    "Target body name: 1P/Halley                       {source: JPL#75}\n"
    "Center body name: Sun (10)                        {source: DE441}\n"
    "Start time      : A.D. 2024-Jan-01 00:00:00.0000 TDB\n"
    "*******************************************************************************\n"
    "JDTDB\n"
    "   EC    QR   IN\n"
    "   OM    W    Tp\n"
    "*******************************************************************************\n"
    "$$SOE\n"
    "2460310.500000000 = A.D. 2024-Jan-01 00:00:00.0000 TDB \n"
    " EC= 9.679427911271116E-01 QR= 5.745794409015109E-01 IN= 1.621891640213773E+02\n"
    " OM= 5.910860294281758E+01 W = 1.122450239014657E+02 Tp=  2446469.972812339757\n"
    " N = 1.298087893604590E-02 MA= 1.752395373044925E+02 TA= 1.799167091919542E+02\n"
    "$$EOE\n"
    "*******************************************************************************\n";

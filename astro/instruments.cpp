#include "astro/instruments.h"

#include <cmath>
#include <cstddef>

#include "astro/format.h"

namespace {

constexpr int Positions_Delta = Positions_Reglage - Position_Zero;  // declination settings 0.0 to 10.0
constexpr int Derniere_Position = Positions_Reglage - 1;            // setting +10.0
constexpr double Pas_Reglage = 10.0;                                // positions per unit of setting
constexpr int Vitesse_Max = 3;                                      // range V3, the table's own
constexpr char Motif_Reglage[] = "#0.000";
constexpr char Hors_Plage_a[] = "#,###";
constexpr char Hors_Plage_d[] = "##,### - V#";

// Calibrations of the drives, measured on each telescope.
// Right ascension: minutes of time per day at each setting of the calibrated
// window, by 0.1 from its first setting. Declination: minutes of arc per day
// in range V3.

// Arbelin: right ascension calibrated from -3.4 to 6.7.
const float Alpha_Arbelin[] = {
    108.17,  105.12,  102.06,  98.99,   95.91,   92.83,   89.74,   86.64,   83.53,   80.41,    // -3.4 to -2.5
    77.29,   74.16,   71.02,   67.87,   64.72,   61.56,   58.39,   55.21,   52.03,   48.83,    // -2.4 to -1.5
    45.63,   42.42,   39.21,   35.98,   32.75,   29.51,   26.26,   23.01,   19.74,   16.47,    // -1.4 to -0.5
    13.19,   9.91,    6.61,    3.31,    0.00,    -3.60,   -7.22,   -10.85,  -14.49,  -18.15,   // -0.4 to 0.5
    -21.83,  -25.52,  -29.23,  -32.96,  -36.69,  -40.45,  -44.22,  -48.00,  -51.80,  -55.62,   // 0.6 to 1.5
    -59.45,  -63.30,  -67.16,  -71.04,  -74.93,  -78.84,  -82.76,  -86.70,  -90.66,  -94.63,   // 1.6 to 2.5
    -98.61,  -102.61, -106.63, -110.66, -114.71, -118.77, -122.85, -126.94, -131.05, -135.17,  // 2.6 to 3.5
    -139.31, -143.47, -147.64, -151.83, -156.03, -160.24, -164.48, -168.72, -172.99, -177.26,  // 3.6 to 4.5
    -181.56, -185.87, -190.19, -194.53, -198.89, -203.26, -207.64, -212.05, -216.46, -220.90,  // 4.6 to 5.5
    -225.34, -229.81, -234.29, -238.78, -243.29, -247.82, -252.36, -256.91, -261.48, -266.07,  // 5.6 to 6.5
    -270.67, -275.29,                                                                          // 6.6 to 6.7
};
// Declination, settings 0.0 to 10.0.
const float Delta_Arbelin[Positions_Delta] = {
    143.26,  144.42, 145.58, 146.74, 147.90,  149.06,  150.22,  151.38,  152.54,  153.70,   // 0.0 to 0.9
    154.86,  156.02, 157.18, 158.34, 159.50,  160.66,  161.82,  162.98,  164.14,  165.30,   // 1.0 to 1.9
    166.46,  167.62, 168.78, 169.94, 171.10,  172.26,  173.43,  174.59,  175.75,  176.91,   // 2.0 to 2.9
    178.07,  179.23, 180.40, 181.56, 182.72,  183.89,  185.05,  186.22,  187.39,  188.56,   // 3.0 to 3.9
    189.73,  190.90, 192.08, 193.26, 194.44,  195.63,  196.82,  198.02,  199.22,  200.44,   // 4.0 to 4.9
    201.66,  202.90, 204.15, 205.42, 206.70,  208.02,  209.36,  210.74,  212.16,  213.63,   // 5.0 to 5.9
    215.15,  216.75, 218.43, 220.21, 222.11,  224.15,  226.36,  228.76,  231.41,  234.34,   // 6.0 to 6.9
    237.60,  241.27, 245.41, 250.12, 255.51,  261.71,  268.87,  277.17,  286.83,  298.12,   // 7.0 to 7.9
    311.33,  326.85, 345.10, 366.61, 392.00,  422.01,  457.53,  499.59,  549.46,  608.61,   // 8.0 to 8.9
    678.83,  762.21, 861.27, 979.00, 1118.96, 1285.38, 1483.33, 1718.80, 1998.95, 2332.30,  // 9.0 to 9.9
    2729.00,                                                                                // 10.0
};

// Brisonne: right ascension calibrated from -4.6 to 5.3.
const float Alpha_Brisonne[] = {
    131.47,  130.12,  128.71,  127.23,  125.68,  124.07,  122.39,  120.64,  118.82,  116.94,   // -4.6 to -3.7
    114.99,  112.97,  110.88,  108.73,  106.51,  104.22,  101.87,  99.45,   96.96,   94.40,    // -3.6 to -2.7
    91.78,   89.09,   86.33,   83.51,   80.62,   77.66,   74.63,   71.54,   68.38,   65.15,    // -2.6 to -1.7
    61.86,   58.49,   55.06,   51.57,   48.00,   44.37,   40.68,   36.91,   33.08,   29.18,    // -1.6 to -0.7
    25.21,   21.18,   17.08,   12.91,   8.67,    4.37,    0.00,    -3.69,   -7.37,   -11.04,   // -0.6 to 0.3
    -14.69,  -18.34,  -21.97,  -25.59,  -29.20,  -32.80,  -36.39,  -39.97,  -43.53,  -47.09,   // 0.4 to 1.3
    -50.63,  -54.16,  -57.68,  -61.19,  -64.69,  -68.18,  -71.65,  -75.12,  -78.57,  -82.01,   // 1.4 to 2.3
    -85.44,  -88.86,  -92.27,  -95.67,  -99.05,  -102.43, -105.79, -109.14, -112.48, -115.81,  // 2.4 to 3.3
    -119.13, -122.43, -125.73, -129.01, -132.28, -135.54, -138.79, -142.03, -145.26, -148.47,  // 3.4 to 4.3
    -151.68, -154.87, -158.05, -161.22, -164.38, -167.53, -170.67, -173.79, -176.91, -180.01,  // 4.4 to 5.3
};
// Declination, settings 0.0 to 10.0.
const float Delta_Brisonne[Positions_Delta] = {
    161.65,  163.09,  164.53,  165.97,  167.41,  168.85,  170.29,  171.73,  173.17,  174.61,   // 0.0 to 0.9
    176.05,  177.49,  178.93,  180.37,  181.82,  183.26,  184.70,  186.14,  187.58,  189.02,   // 1.0 to 1.9
    190.47,  191.91,  193.35,  194.80,  196.24,  197.69,  199.13,  200.58,  202.03,  203.48,   // 2.0 to 2.9
    204.93,  206.39,  207.84,  209.30,  210.76,  212.23,  213.70,  215.17,  216.65,  218.14,   // 3.0 to 3.9
    219.63,  221.14,  222.65,  224.17,  225.71,  227.26,  228.83,  230.42,  232.03,  233.68,   // 4.0 to 4.9
    235.35,  237.06,  238.81,  240.62,  242.48,  244.41,  246.42,  248.51,  250.71,  253.04,   // 5.0 to 5.9
    255.50,  258.12,  260.93,  263.96,  267.24,  270.82,  274.73,  279.04,  283.80,  289.09,   // 6.0 to 6.9
    294.99,  301.59,  309.02,  317.40,  326.88,  337.63,  349.87,  363.82,  379.75,  397.99,   // 7.0 to 7.9
    418.89,  442.88,  470.45,  502.17,  538.69,  580.79,  629.34,  685.37,  750.06,  824.79,   // 8.0 to 8.9
    911.17,  1011.02, 1126.50, 1260.08, 1414.64, 1593.50, 1800.53, 2040.20, 2317.69, 2639.00,  // 9.0 to 9.9
    3011.09,                                                                                   // 10.0
};

// Corlande: right ascension calibrated from -7.6 to 2.3.
const float Alpha_Corlande[] = {
    242.80, 239.78, 236.76, 233.73, 230.69, 227.66, 224.61, 221.57, 218.51, 215.46,  // -7.6 to -6.7
    212.39, 209.33, 206.26, 203.18, 200.10, 197.02, 193.93, 190.83, 187.73, 184.63,  // -6.6 to -5.7
    181.52, 178.41, 175.29, 172.17, 169.04, 165.91, 162.77, 159.63, 156.49, 153.34,  // -5.6 to -4.7
    150.18, 147.02, 143.86, 140.69, 137.52, 134.34, 131.15, 127.97, 124.77, 121.58,  // -4.6 to -3.7
    118.38, 115.17, 111.96, 108.74, 105.52, 102.30, 99.07,  95.83,  92.59,  89.35,   // -3.6 to -2.7
    86.10,  82.85,  79.59,  76.33,  73.06,  69.79,  66.51,  63.23,  59.94,  56.65,   // -2.6 to -1.7
    53.36,  50.06,  46.75,  43.45,  40.13,  36.81,  33.49,  30.16,  26.83,  23.49,   // -1.6 to -0.7
    20.15,  16.80,  13.45,  10.10,  6.74,   3.37,   0.00,   -4.16,  -8.32,  -12.47,  // -0.6 to 0.3
    -16.61, -20.75, -24.89, -29.02, -33.15, -37.27, -41.38, -45.50, -49.60, -53.71,  // 0.4 to 1.3
    -57.80, -61.90, -65.99, -70.07, -74.15, -78.22, -82.29, -86.36, -90.42, -94.47,  // 1.4 to 2.3
};
// Declination, settings 0.0 to 10.0.
const float Delta_Corlande[Positions_Delta] = {
    151.84,  153.26, 154.68, 156.10, 157.52,  158.94,  160.36,  161.78,  163.20,  164.62,   // 0.0 to 0.9
    166.04,  167.46, 168.88, 170.30, 171.72,  173.14,  174.56,  175.98,  177.40,  178.82,   // 1.0 to 1.9
    180.24,  181.66, 183.08, 184.50, 185.92,  187.34,  188.76,  190.18,  191.60,  193.02,   // 2.0 to 2.9
    194.45,  195.87, 197.29, 198.71, 200.13,  201.56,  202.98,  204.40,  205.83,  207.25,   // 3.0 to 3.9
    208.68,  210.11, 211.54, 212.97, 214.40,  215.84,  217.28,  218.72,  220.17,  221.63,   // 4.0 to 4.9
    223.09,  224.56, 226.04, 227.53, 229.04,  230.56,  232.11,  233.68,  235.29,  236.93,   // 5.0 to 5.9
    238.61,  240.35, 242.15, 244.03, 246.01,  248.09,  250.32,  252.70,  255.28,  258.10,   // 6.0 to 6.9
    261.19,  264.63, 268.48, 272.82, 277.75,  283.39,  289.89,  297.42,  306.19,  316.44,   // 7.0 to 7.9
    328.49,  342.69, 359.49, 379.40, 403.06,  431.23,  464.83,  504.94,  552.90,  610.30,   // 8.0 to 8.9
    679.05,  761.45, 860.26, 978.82, 1121.13, 1292.01, 1497.24, 1743.79, 2040.04, 2396.07,  // 9.0 to 9.9
    2823.99,                                                                                // 10.0
};

// Dravelle: right ascension calibrated from -7.3 to 2.7.
const float Alpha_Dravelle[] = {
    232.28,  229.33, 226.37, 223.40, 220.43, 217.45, 214.46, 211.47, 208.47,  205.47,   // -7.3 to -6.4
    202.46,  199.44, 196.42, 193.39, 190.35, 187.31, 184.26, 181.20, 178.14,  175.07,   // -6.3 to -5.4
    172.00,  168.92, 165.83, 162.74, 159.64, 156.53, 153.42, 150.30, 147.18,  144.05,   // -5.3 to -4.4
    140.91,  137.77, 134.61, 131.46, 128.30, 125.13, 121.95, 118.77, 115.58,  112.39,   // -4.3 to -3.4
    109.18,  105.98, 102.76, 99.54,  96.32,  93.09,  89.85,  86.60,  83.35,   80.09,    // -3.3 to -2.4
    76.83,   73.56,  70.28,  67.00,  63.71,  60.41,  57.11,  53.80,  50.48,   47.16,    // -2.3 to -1.4
    43.84,   40.50,  37.16,  33.81,  30.46,  27.10,  23.74,  20.36,  16.99,   13.60,    // -1.3 to -0.4
    10.21,   6.81,   3.41,   0.00,   -3.81,  -7.64,  -11.50, -15.38, -19.28,  -23.20,   // -0.3 to 0.6
    -27.15,  -31.12, -35.11, -39.13, -43.16, -47.22, -51.31, -55.41, -59.54,  -63.70,   // 0.7 to 1.6
    -67.87,  -72.07, -76.29, -80.53, -84.80, -89.08, -93.40, -97.73, -102.09, -106.47,  // 1.7 to 2.6
    -110.87,                                                                            // 2.7
};
// Declination, settings 0.0 to 10.0.
const float Delta_Dravelle[Positions_Delta] = {
    170.06,  171.45, 172.84,  174.23,  175.62,  177.01,  178.40,  179.79,  181.18,  182.57,   // 0.0 to 0.9
    183.96,  185.35, 186.74,  188.13,  189.52,  190.91,  192.30,  193.69,  195.08,  196.47,   // 1.0 to 1.9
    197.86,  199.25, 200.64,  202.03,  203.42,  204.82,  206.21,  207.60,  208.99,  210.38,   // 2.0 to 2.9
    211.77,  213.17, 214.56,  215.95,  217.35,  218.74,  220.14,  221.54,  222.94,  224.34,   // 3.0 to 3.9
    225.74,  227.15, 228.56,  229.97,  231.39,  232.81,  234.23,  235.67,  237.11,  238.57,   // 4.0 to 4.9
    240.03,  241.51, 243.01,  244.53,  246.07,  247.64,  249.25,  250.89,  252.59,  254.35,   // 5.0 to 5.9
    256.17,  258.08, 260.08,  262.21,  264.47,  266.90,  269.53,  272.39,  275.54,  279.02,   // 6.0 to 6.9
    282.90,  287.26, 292.18,  297.77,  304.17,  311.53,  320.02,  329.86,  341.33,  354.71,   // 7.0 to 7.9
    370.38,  388.78, 410.42,  435.93,  466.03,  501.62,  543.74,  593.62,  652.76,  722.93,   // 8.0 to 8.9
    806.21,  905.12, 1022.64, 1162.33, 1328.40, 1525.90, 1760.82, 2040.30, 2372.85, 2768.60,  // 9.0 to 9.9
    3239.60,                                                                                  // 10.0
};

// Estrane: right ascension calibrated from -7.7 to 2.3.
const float Alpha_Estrane[] = {
    245.35, 242.80, 240.23, 237.64, 235.04, 232.42, 229.78, 227.13, 224.46, 221.78,  // -7.7 to -6.8
    219.07, 216.35, 213.62, 210.86, 208.09, 205.31, 202.51, 199.69, 196.85, 194.00,  // -6.7 to -5.8
    191.13, 188.24, 185.34, 182.42, 179.48, 176.53, 173.56, 170.57, 167.57, 164.55,  // -5.7 to -4.8
    161.51, 158.46, 155.39, 152.31, 149.20, 146.08, 142.95, 139.79, 136.62, 133.44,  // -4.7 to -3.8
    130.23, 127.01, 123.78, 120.53, 117.26, 113.97, 110.67, 107.35, 104.01, 100.66,  // -3.7 to -2.8
    97.29,  93.90,  90.50,  87.08,  83.64,  80.19,  76.72,  73.23,  69.73,  66.21,   // -2.7 to -1.8
    62.67,  59.12,  55.55,  51.96,  48.36,  44.74,  41.10,  37.45,  33.78,  30.09,   // -1.7 to -0.8
    26.39,  22.67,  18.93,  15.18,  11.41,  7.62,   3.82,   0.00,   -3.85,  -7.72,   // -0.7 to 0.2
    -11.61, -15.52, -19.44, -23.39, -27.35, -31.34, -35.34, -39.37, -43.41, -47.47,  // 0.3 to 1.2
    -51.55, -55.65, -59.77, -63.91, -68.07, -72.25, -76.44, -80.66, -84.89, -89.15,  // 1.3 to 2.2
    -93.42,                                                                          // 2.3
};
// Declination, settings 0.0 to 10.0.
const float Delta_Estrane[Positions_Delta] = {
    191.42,  193.17,  194.92,  196.67,  198.42,  200.17,  201.92,  203.67,  205.43,  207.18,   // 0.0 to 0.9
    208.93,  210.68,  212.44,  214.19,  215.95,  217.70,  219.46,  221.21,  222.97,  224.73,   // 1.0 to 1.9
    226.49,  228.26,  230.02,  231.79,  233.56,  235.33,  237.11,  238.89,  240.67,  242.46,   // 2.0 to 2.9
    244.26,  246.06,  247.86,  249.68,  251.50,  253.34,  255.18,  257.04,  258.92,  260.81,   // 3.0 to 3.9
    262.72,  264.65,  266.61,  268.60,  270.62,  272.67,  274.77,  276.92,  279.12,  281.38,   // 4.0 to 4.9
    283.71,  286.12,  288.62,  291.22,  293.94,  296.79,  299.79,  302.97,  306.33,  309.92,   // 5.0 to 5.9
    313.75,  317.88,  322.32,  327.13,  332.36,  338.06,  344.31,  351.16,  358.71,  367.05,   // 6.0 to 6.9
    376.29,  386.55,  397.97,  410.71,  424.94,  440.88,  458.75,  478.81,  501.38,  526.78,   // 7.0 to 7.9
    555.40,  587.68,  624.12,  665.30,  711.84,  764.49,  824.07,  891.54,  967.96,  1054.55,  // 8.0 to 8.9
    1152.71, 1264.01, 1390.23, 1533.41, 1695.87, 1880.23, 2089.47, 2326.99, 2596.63, 2902.78,  // 9.0 to 9.9
    3250.41,                                                                                   // 10.0
};

// Outside its calibrated window a right-ascension table holds 0, except its
// two ends, which repeat the window's limits so that a drift can be checked
// against them at once. `premier_reglage` is the window's first setting in
// tenths.
template <std::size_t N>
void Remplir_Instrument(Tables_Instruments& t, int instrument, int premier_reglage, const float (&alpha)[N],
                        const float (&delta)[Positions_Delta]) {
    static_assert(N > 0 && N <= Positions_Reglage, "a window lies within the setting range");
    Table_Reglage& T = t.Table_Derive_Alpha[instrument];
    T.fill(0);
    const int premiere = Position_Zero + premier_reglage;
    for (int i = 0; i < static_cast<int>(N) && premiere + i <= Derniere_Position; ++i) {
        T[premiere + i] = alpha[i];
    }
    T[0] = alpha[0];
    T[Derniere_Position] = alpha[N - 1];

    Table_Reglage& D = t.Table_Derive_Delta[instrument];
    D.fill(0);
    for (int i = 0; i < Positions_Delta; ++i) D[Position_Zero + i] = delta[i];
}

// Steps from the centre to the last calibrated position on the side of s
// (+1 towards position 0, -1 towards position 200).
int Etendue_Fenetre(const Table_Reglage& T, int s) {
    int j = 1;
    while (j < Position_Zero && T[Position_Zero - s * (j + 1)] != 0) ++j;
    return j;
}

// The setting that follows a right-ascension drift d, 0 < |d| <= the limit
// on its side. The search stops at the window's edge, never in the zeros
// beyond it: the limit itself gets the edge's setting.
float Reglage_Ascension(const Table_Reglage& T, double d) {
    const int s = Signe(d);
    const double a = std::fabs(d);
    const int bord = Etendue_Fenetre(T, s);
    int j = 1;  // T[100] = 0 is always passed
    while (j < bord && a >= std::fabs(T[Position_Zero - s * j])) ++j;
    const double T1 = std::fabs(T[Position_Zero - s * (j - 1)]);
    const double T2 = std::fabs(T[Position_Zero - s * j]);
    const double f = (a - T1) / (T2 - T1);
    return static_cast<float>(-s * (j - 1 + f) / Pas_Reglage);
}

void Calculer_Reglage_a(const Table_Reglage& T, float Derive_a, char separateur_decimal, Reglages& r) {
    const double d = Derive_a;
    // Written as a negation so that NaN is out of range too.
    if (!(d <= T[0] && d >= T[Derniere_Position])) {
        r.Texte_Reglage_a = Hors_Plage_a;
        return;
    }
    // A zero drift needs no motion, and has no side to search.
    r.Reglage_a = d == 0 ? 0.0f : Reglage_Ascension(T, d);
    r.Texte_Reglage_a = Formater_Motif(r.Reglage_a, Motif_Reglage, separateur_decimal);
}

// Range V3 is the calibrated one; V2 and V1 are each 16 times slower.
int32_t Vitesse_Declinaison(double a, double D100) {
    if (a > D100) return 3;
    if (a <= D100 / Rapport_Vitesses) return 1;
    return 2;
}

void Calculer_Reglage_d(const Table_Reglage& D, float Derive_d, char separateur_decimal, Reglages& r) {
    const double a = std::fabs(static_cast<double>(Derive_d));
    if (!(a < D[Derniere_Position])) {
        r.Texte_Reglage_d = Hors_Plage_d;
        return;
    }
    r.Vitesse_d = Vitesse_Declinaison(a, D[Position_Zero]);
    const double F = std::pow(Rapport_Vitesses, Vitesse_Max - r.Vitesse_d);
    // The scaled table passes |d| before its end in every range; the bound is a safeguard.
    int j = 0;
    while (j < Positions_Delta - 1 && a >= D[Position_Zero + j] / F) ++j;
    // j = 0 (the slowest drifts of V1) interpolates from D[99] = 0.
    const double D1 = D[Position_Zero - 1 + j] / F;
    const double D2 = D[Position_Zero + j] / F;
    const double f = (a - D1) / (D2 - D1);
    r.Reglage_d = Signe(Derive_d) * (j - 1 + f) / Pas_Reglage;
    r.Texte_Reglage_d =
        Formater_Motif(r.Reglage_d, Motif_Reglage, separateur_decimal) + " - V" + std::to_string(r.Vitesse_d);
}

}  // namespace

void Remplir_Arbelin(Tables_Instruments& t) { Remplir_Instrument(t, 1, -34, Alpha_Arbelin, Delta_Arbelin); }
void Remplir_Brisonne(Tables_Instruments& t) {
    Remplir_Instrument(t, 2, -46, Alpha_Brisonne, Delta_Brisonne);
}
void Remplir_Corlande(Tables_Instruments& t) {
    Remplir_Instrument(t, 3, -76, Alpha_Corlande, Delta_Corlande);
}
void Remplir_Dravelle(Tables_Instruments& t) {
    Remplir_Instrument(t, 4, -73, Alpha_Dravelle, Delta_Dravelle);
}
void Remplir_Estrane(Tables_Instruments& t) { Remplir_Instrument(t, 5, -77, Alpha_Estrane, Delta_Estrane); }

void Remplir_Instruments(Tables_Instruments& t) {
    Remplir_Arbelin(t);
    Remplir_Brisonne(t);
    Remplir_Corlande(t);
    Remplir_Dravelle(t);
    Remplir_Estrane(t);
}

// NaN has no sign: 0, like zero itself.
int Signe(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

void Calculer_Reglages(const Tables_Instruments& t, int32_t instrument, float Derive_a, float Derive_d,
                       char separateur_decimal, Reglages& r) {
    if (instrument < 1 || instrument > Nombre_Instruments) return;  // no telescope, nothing to set
    Calculer_Reglage_a(t.Table_Derive_Alpha[instrument], Derive_a, separateur_decimal, r);
    Calculer_Reglage_d(t.Table_Derive_Delta[instrument], Derive_d, separateur_decimal, r);
}

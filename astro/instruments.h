#pragma once

// The association's five telescopes: for each, the drift that every position
// of its two drive settings produces, and the settings that follow a drift.

#include <array>
#include <cstdint>
#include <string>

constexpr int Nombre_Instruments = 5;      // 1 Arbelin ... 5 Estrane; 0 is "Aucun"
constexpr int Positions_Reglage = 201;     // settings -10.0 to +10.0 by 0.1
constexpr int Position_Zero = 100;         // setting 0.0
constexpr double Rapport_Vitesses = 16.0;  // between two declination ranges V1, V2, V3

// The telescopes' names, as the list of instruments shows them, indexed by
// instrument (0 "Aucun").
inline constexpr std::array<const char*, Nombre_Instruments + 1> Noms_Instruments = {
    "Aucun", "Arbelin", "Brisonne", "Corlande", "Dravelle", "Estrane"};

using Table_Reglage = std::array<float, Positions_Reglage>;

struct Tables_Instruments {
    // Indexed by instrument 1 to 5 (entry 0 unused) and by setting position k.
    // Right ascension: minutes of time per day. Declination: minutes of arc
    // per day in range V3.
    std::array<Table_Reglage, Nombre_Instruments + 1> Table_Derive_Alpha{};
    std::array<Table_Reglage, Nombre_Instruments + 1> Table_Derive_Delta{};
};

// One filling per telescope, all five done at start-up.
void Remplir_Arbelin(Tables_Instruments& t);
void Remplir_Brisonne(Tables_Instruments& t);
void Remplir_Corlande(Tables_Instruments& t);
void Remplir_Dravelle(Tables_Instruments& t);
void Remplir_Estrane(Tables_Instruments& t);
void Remplir_Instruments(Tables_Instruments& t);

int Signe(double x);

struct Reglages {
    float Reglage_a = 0;
    double Reglage_d = 0;
    int32_t Vitesse_d = 0;  // 1 to 3
    std::string Texte_Reglage_a;
    std::string Texte_Reglage_d;
};

// The settings of telescope `instrument` (1 to 5) for a row's drifts.
void Calculer_Reglages(const Tables_Instruments& t, int32_t instrument, float Derive_a, float Derive_d,
                       char separateur_decimal, Reglages& r);

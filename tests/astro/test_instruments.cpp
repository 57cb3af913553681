#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "astro/instruments.h"

namespace {

constexpr float Infini = std::numeric_limits<float>::infinity();
constexpr float Non_Nombre = std::numeric_limits<float>::quiet_NaN();
constexpr float Temoin = 99.0f;  // a value the settings never take, to see what was left untouched

Tables_Instruments Tables_Remplies() {
    Tables_Instruments t;
    Remplir_Instruments(t);
    return t;
}

Reglages Reglages_Temoins() {
    Reglages r;
    r.Reglage_a = Temoin;
    r.Reglage_d = Temoin;
    r.Vitesse_d = 0;
    r.Texte_Reglage_a = r.Texte_Reglage_d = "avant";
    return r;
}

Reglages Calculer(const Tables_Instruments& t, int32_t instrument, float a, float d, char separateur = ',') {
    Reglages r = Reglages_Temoins();
    Calculer_Reglages(t, instrument, a, d, separateur, r);
    return r;
}

struct Instrument_Attendu {
    const char* nom;
    int numero;
    int premiere, derniere;  // calibrated right-ascension window, positions
    const char *texte_premiere, *texte_derniere;
    float alpha0, alpha99, alpha101, alpha200, delta100, delta101, delta199, delta200;
};
const Instrument_Attendu instruments[] = {
    {"Arbelin", 1, 66, 167, "-3,400", "6,700", 108.17f, 3.31f, -3.6f, -275.29f, 143.26f, 144.42f, 2332.3f,
     2729.0f},
    {"Brisonne", 2, 54, 153, "-4,600", "5,300", 131.47f, 4.37f, -3.69f, -180.01f, 161.65f, 163.09f, 2639.0f,
     3011.09f},
    {"Corlande", 3, 24, 123, "-7,600", "2,300", 242.8f, 3.37f, -4.16f, -94.47f, 151.84f, 153.26f, 2396.07f,
     2823.99f},
    {"Dravelle", 4, 27, 127, "-7,300", "2,700", 232.28f, 3.41f, -3.81f, -110.87f, 170.06f, 171.45f, 2768.6f,
     3239.6f},
    {"Estrane", 5, 23, 123, "-7,700", "2,300", 245.35f, 3.82f, -3.85f, -93.42f, 191.42f, 193.17f, 2902.78f,
     3250.41f},
};

TEST(Instruments, ValeursCalibreesDonnees) {
    const Tables_Instruments t = Tables_Remplies();
    for (const auto& c : instruments) {
        const Table_Reglage& T = t.Table_Derive_Alpha[c.numero];
        const Table_Reglage& D = t.Table_Derive_Delta[c.numero];
        EXPECT_EQ(T[0], c.alpha0) << c.nom;
        EXPECT_EQ(T[99], c.alpha99) << c.nom;
        EXPECT_EQ(T[101], c.alpha101) << c.nom;
        EXPECT_EQ(T[200], c.alpha200) << c.nom;
        EXPECT_EQ(D[100], c.delta100) << c.nom;
        EXPECT_EQ(D[101], c.delta101) << c.nom;
        EXPECT_EQ(D[199], c.delta199) << c.nom;
        EXPECT_EQ(D[200], c.delta200) << c.nom;
    }
}

TEST(Instruments, FenetreAscensionDroite) {
    const Tables_Instruments t = Tables_Remplies();
    int pas_courants = 0, pas_total = 0;
    for (const auto& c : instruments) {
        const Table_Reglage& T = t.Table_Derive_Alpha[c.numero];
        EXPECT_EQ(T[0], T[c.premiere]) << c.nom;
        EXPECT_EQ(T[200], T[c.derniere]) << c.nom;
        EXPECT_EQ(T[100], 0.0f) << c.nom;
        for (int k = 1; k < 200; ++k) {
            const bool dehors = k < c.premiere || k > c.derniere;
            if (dehors || k == 100) {
                EXPECT_EQ(T[k], 0.0f) << c.nom << " k=" << k;
            }
        }
        for (int k = c.premiere; k < c.derniere; ++k) {
            const float pas = T[k] - T[k + 1];
            EXPECT_GE(pas, 0.6f) << c.nom << " k=" << k;
            EXPECT_LE(pas, 5.2f) << c.nom << " k=" << k;
            // Smooth on each side; the two centre steps are the telescope's own.
            if (k > c.premiere && k != 100) {
                EXPECT_NEAR(pas, T[k - 1] - T[k], 0.5) << "lisse, " << c.nom << " k=" << k;
            }
            pas_courants += pas >= 3.0f && pas <= 4.5f;
            ++pas_total;
        }
    }
    const double part = static_cast<double>(pas_courants) / pas_total;
    EXPECT_NEAR(part, 0.78, 0.13) << "steps of 3 to 4.5, about three out of four";
}

TEST(Instruments, TableDeclinaison) {
    const Tables_Instruments t = Tables_Remplies();
    for (const auto& c : instruments) {
        const Table_Reglage& D = t.Table_Derive_Delta[c.numero];
        for (int k = 0; k < 100; ++k) EXPECT_EQ(D[k], 0.0f) << c.nom << " k=" << k;
        for (int k = 101; k <= 200; ++k) {
            EXPECT_GT(D[k], D[k - 1]) << c.nom << " k=" << k;
            // Slow near 0, quicker and quicker towards 10 (up to the rounding of the data).
            if (k > 101) {
                EXPECT_GE(D[k] - D[k - 1], D[k - 1] - D[k - 2] - 0.02f) << c.nom << " k=" << k;
            }
        }
    }
}

struct Cas_Signe {
    const char* nom;
    double x;
    int attendu;
};
TEST(Instruments, Signe) {
    const Cas_Signe cas[] = {{"zero", 0.0, 0},         {"moins_zero", -0.0, 0},
                             {"positif", 2.5, 1},      {"negatif", -1e-300, -1},
                             {"infini", HUGE_VAL, 1},  {"moins_infini", -HUGE_VAL, -1},
                             {"NaN", std::nan(""), 0}, {"tres_grand", 1e308, 1}};
    for (const auto& c : cas) EXPECT_EQ(Signe(c.x), c.attendu) << c.nom;
}

// Arbelin, one drift per row; a right-ascension setting of Temoin means "left untouched".
struct Cas_Alpha {
    const char* nom;
    float derive;
    char separateur;
    const char* texte;
    float reglage;
};
TEST(Instruments, ReglageAscensionDroiteArbelin) {
    const Cas_Alpha cas[] = {
        {"valeur_de_moins_0_1", 3.31f, ',', "-0,100", -0.1f},
        {"moitie_vers_moins_0_1", 1.655f, ',', "-0,050", -0.05f},
        {"valeur_de_plus_0_1", -3.6f, ',', "0,100", 0.1f},
        {"exemple_de_ligne", 0.4789f, '.', "-0.014", -0.014468f},
        {"zero", 0.0f, ',', "0,000", 0.0f},
        {"au_dela_de_T0", 108.2f, ',', "#,###", Temoin},
        {"en_deca_de_T200", -275.3f, ',', "#,###", Temoin},
        {"NaN", Non_Nombre, ',', "#,###", Temoin},
        {"infini", Infini, ',', "#,###", Temoin},
        {"moins_infini", -Infini, ',', "#,###", Temoin},
    };
    const Tables_Instruments t = Tables_Remplies();
    for (const auto& c : cas) {
        const Reglages r = Calculer(t, 1, c.derive, 0.0f, c.separateur);
        EXPECT_EQ(r.Texte_Reglage_a, c.texte) << c.nom;
        EXPECT_NEAR(r.Reglage_a, c.reglage, 1e-6) << c.nom;
    }
}

// Arbelin; a declination setting of Temoin means "left untouched".
struct Cas_Delta {
    const char* nom;
    float derive;
    char separateur;
    const char* texte;
    int32_t vitesse;
    double reglage;
};
TEST(Instruments, ReglageDeclinaisonArbelin) {
    const Cas_Delta cas[] = {
        {"V3_entre_4_8_et_4_9", 200.0f, ',', "4,864 - V3", 3, 4.863934},
        {"V2_negatif", -100.0f, ',', "-9,650 - V2", 2, -9.649548},
        {"D100_encore_en_V2", 143.26f, ',', "9,888 - V2", 2, 9.887959},
        {"D100_sur_16_en_V1", 143.26f / 16, ',', "9,888 - V1", 1, 9.887959},
        {"V1_sous_la_premiere_valeur", 0.28f, ',', "-0,050 - V1", 1, -0.049965},
        {"exemple_de_ligne", -6.8857f, '.', "-9.716 - V1", 1, -9.715684},
        {"zero", 0.0f, ',', "0,000 - V1", 1, 0.0},
        {"D200", 2729.0f, ',', "##,### - V#", 0, Temoin},
        {"moins_D200", -2729.0f, ',', "##,### - V#", 0, Temoin},
        {"NaN", Non_Nombre, ',', "##,### - V#", 0, Temoin},
        {"infini", Infini, ',', "##,### - V#", 0, Temoin},
        {"moins_infini", -Infini, ',', "##,### - V#", 0, Temoin},
    };
    const Tables_Instruments t = Tables_Remplies();
    for (const auto& c : cas) {
        const Reglages r = Calculer(t, 1, 0.0f, c.derive, c.separateur);
        EXPECT_EQ(r.Texte_Reglage_d, c.texte) << c.nom;
        EXPECT_EQ(r.Vitesse_d, c.vitesse) << c.nom;
        EXPECT_NEAR(r.Reglage_d, c.reglage, 1e-5) << c.nom;
    }
}

TEST(Instruments, LimitesDeChaqueInstrument) {
    const Tables_Instruments t = Tables_Remplies();
    for (const auto& c : instruments) {
        const Table_Reglage& T = t.Table_Derive_Alpha[c.numero];
        const Table_Reglage& D = t.Table_Derive_Delta[c.numero];
        EXPECT_EQ(Calculer(t, c.numero, T[0], D[200]).Texte_Reglage_a, c.texte_premiere) << c.nom;
        EXPECT_EQ(Calculer(t, c.numero, T[200], -D[200]).Texte_Reglage_a, c.texte_derniere) << c.nom;
        EXPECT_EQ(Calculer(t, c.numero, 0.0f, D[200]).Texte_Reglage_d, "##,### - V#") << c.nom;
        EXPECT_EQ(Calculer(t, c.numero, 0.0f, -D[200]).Texte_Reglage_d, "##,### - V#") << c.nom;
        EXPECT_EQ(Calculer(t, c.numero, std::nextafter(T[0], Infini), 0.0f).Texte_Reglage_a, "#,###")
            << c.nom;
    }
}

// Every calibrated value gives back its own setting, and the midpoint of two
// neighbours the setting halfway between, on both sides and in every range.
TEST(Instruments, AllerRetourDesTables) {
    const Tables_Instruments t = Tables_Remplies();
    for (const auto& c : instruments) {
        const Table_Reglage& T = t.Table_Derive_Alpha[c.numero];
        for (int k = c.premiere; k <= c.derniere; ++k) {
            const double attendu = (k - 100) / 10.0;
            EXPECT_NEAR(Calculer(t, c.numero, T[k], 0.0f).Reglage_a, attendu, 1e-6) << c.nom << " k=" << k;
            if (k == 100) continue;
            const int voisin = k < 100 ? k + 1 : k - 1;  // towards the centre
            const float milieu = (T[k] + T[voisin]) / 2;
            const double entre = (k + voisin - 200) / 20.0;
            EXPECT_NEAR(Calculer(t, c.numero, milieu, 0.0f).Reglage_a, entre, 1e-4) << c.nom << " k=" << k;
        }
        const Table_Reglage& D = t.Table_Derive_Delta[c.numero];
        for (int32_t v = 1; v <= 3; ++v) {
            const float F = std::pow(16.0f, static_cast<float>(3 - v));
            // V2 takes drifts up to D[100], V1 up to D[100] / 16.
            const float plafond = v == 3 ? D[200] : D[100] / std::pow(16.0f, static_cast<float>(2 - v));
            for (int k = 101; k < 200 && D[k] / F <= plafond; ++k) {
                const float d = D[k] / F;
                const Reglages r = Calculer(t, c.numero, 0.0f, -d);
                EXPECT_EQ(r.Vitesse_d, v) << c.nom << " k=" << k;
                EXPECT_NEAR(r.Reglage_d, -(k - 100) / 10.0, 1e-6) << c.nom << " V" << v << " k=" << k;
            }
        }
    }
}

TEST(Instruments, SansInstrumentRienNeChange) {
    const Tables_Instruments t = Tables_Remplies();
    for (int32_t instrument :
         {0, -1, 6, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
        const Reglages r = Calculer(t, instrument, 3.31f, 200.0f);
        EXPECT_EQ(r.Texte_Reglage_a, "avant") << instrument;
        EXPECT_EQ(r.Texte_Reglage_d, "avant") << instrument;
        EXPECT_EQ(r.Reglage_a, Temoin) << instrument;
    }
}

}  // namespace

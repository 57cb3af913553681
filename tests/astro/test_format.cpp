#include "astro/format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr double Infini = std::numeric_limits<double>::infinity();
constexpr double Nan = std::numeric_limits<double>::quiet_NaN();

struct Cas_Motif {
    const char* nom;
    double valeur;
    const char* motif;
    char separateur;
    const char* milliers;
    const char* attendu;
};

const Cas_Motif cas_motif[] = {
    {"dix_decimales_entier", 2.0, "#0.##########", ',', "", "2"},
    {"dix_decimales_demi", 2.5, "#0.##########", ',', "", "2,5"},
    {"dix_decimales_egalite", 0.12345678905, "#0.##########", ',', "", "0,1234567891"},
    {"distance", 0.720645, "#0.000", ',', "", "0,721"},
    {"egalite_10_125", 10.125, "#0.00", ',', "", "10,13"},
    {"egalite_1_005_sous_le_binaire", 1.005, "#0.00", ',', "", "1,01"},
    {"egalite_2_675", 2.675, "#0.00", ',', "", "2,68"},
    {"egalite_negative_loin_de_zero", -2.675, "#0.00", ',', "", "-2,68"},
    {"egalite_grand_jour_julien", 2451545.0005, "#0.###", ',', "", "2451545,001"},
    {"retenue_dans_les_entiers", 9.999, "#0.00", ',', "", "10,00"},
    {"jour_de_ligne", 5.5, "#0.00", '.', "", "5.50"},
    {"derive_negative", -7.132, "#0.0", ',', "", "-7,1"},
    {"magnitude", 11.26, "#0.0", ',', "", "11,3"},
    {"arrondi_a_zero_sans_signe", -0.0001, "#0.000", ',', "", "0,000"},
    {"zero_negatif", -0.0, "#0.0", ',', "", "0,0"},
    {"entier_arrondi_a_zero_sans_signe", -0.4, "#0", ',', "", "0"},
    {"diese_zero_ecrit_zero", 0.4, "#0", ',', "", "0"},
    {"jour_de_depart", 9.6, "#0", ',', "", "10"},
    {"diese_seul_rien_pour_zero", 0.0, "#", ',', "", ""},
    {"diese_seul_arrondi", 0.6, "#", ',', "", "1"},
    {"quatre_decimales", 2451545.123456, "#0.####", ',', "", "2451545,1235"},
    {"sept_decimales_annee_ronde", 2000.0, "#0.#######", ',', "", "2000"},
    {"groupes_blancs", 1234567.891, ",#0.###", ',', " ", "1 234 567,891"},
    {"groupes_insecables", 1234.5, ",#0.###", '.', "\u00a0", "1\u00a0234.5"},
    {"groupes_sans_separateur", 1234.5, ",#0.###", ',', "", "1234,5"},
    {"groupes_negatif", -1234567.0, ",#0.###", ',', " ", "-1 234 567"},
    {"groupes_retenue", 999.9996, ",#0.###", ',', " ", "1 000"},
    {"pas_de_groupes_sans_virgule", 1234567.0, "#0.###", ',', " ", "1234567"},
    {"neuf_decimales_blancs", 0.123456789, "0.000 000 000", ',', "", "0,123 456 789"},
    {"neuf_decimales_zeros", 2.5, "0.000 000 000", ',', "", "2,500 000 000"},
    {"neuf_decimales_point", 2.5, "0.000 000 000", '.', "", "2.500 000 000"},
    {"six_decimales", 0.9673, "0.000 000", ',', "", "0,967 300"},
    {"blanc_avant_decimales_absentes", 2.5, "#0.### ###", ',', "", "2,5"},
    {"blanc_avant_decimale_ecrite", 2.5004, "#0.000 ###", ',', "", "2,500 4"},
    {"plus_petit_double", 5e-324, "#0.000", ',', "", "0,000"},
    {"juste_sous_la_limite", 999999999999999872.0, "#0", ',', "", "1000000000000000000"},
    {"limite_forme_generale", 1e18, "#0.00", ',', "", "1E18"},
    {"grand_negatif_forme_generale", -2.5e20, ",#0.###", ',', " ", "-2,5E20"},
    {"nan", Nan, "#0.000", ',', "", "NAN"},
    {"infini", Infini, "#0.000", ',', "", "INF"},
    {"moins_infini", -Infini, ",#0.###", ',', " ", "-INF"},
};

TEST(FormatMotif, CasDeLaTable) {
    for (const auto& c : cas_motif)
        EXPECT_EQ(Formater_Motif(c.valeur, c.motif, c.separateur, c.milliers), c.attendu) << c.nom;
}

// k / 1000 has an exact 15-digit form, so its text is k's digits with the point put in.
TEST(FormatMotif, MilliemesBalayes) {
    for (int k = -2000000; k <= 2000000; k += 997) {
        const std::string chiffres = std::to_string(std::abs(k) + 1000000);
        std::string attendu = std::to_string(std::abs(k) / 1000) + '.' + chiffres.substr(chiffres.size() - 3);
        if (k < 0) attendu.insert(0, "-");
        ASSERT_EQ(Formater_Motif(k / 1000.0, "#0.000", '.'), attendu) << k;
        attendu.erase(attendu.find_last_not_of('0') + 1);
        if (attendu.back() == '.') attendu.pop_back();
        ASSERT_EQ(Formater_Motif(k / 1000.0, "#0.###", '.'), attendu) << k;
    }
}

struct Cas_General {
    const char* nom;
    double valeur;
    char separateur;
    const char* attendu;
};

const Cas_General cas_general[] = {
    {"annee_ronde", 2000.0, ',', "2000"},
    {"zero_negatif", -0.0, ',', "0"},
    {"fraction_virgule", 0.99, ',', "0,99"},
    {"fraction_point", 0.99, '.', "0.99"},
    {"tiers", 1.0 / 3.0, ',', "0,333333333333333"},
    {"somme_inexacte", 0.1 + 0.2, ',', "0,3"},
    {"jour_simple_precision", static_cast<double>(2.1f), ',', "2,09999990463257"},
    {"negatif", -12.5, ',', "-12,5"},
    {"quinze_chiffres_fixes", 999999999999999.0, ',', "999999999999999"},
    {"arrondi_vers_exposant_15", 999999999999999.9, ',', "1E15"},
    {"exposant_15", 1e15, ',', "1E15"},
    {"exposant_20", 1e20, ',', "1E20"},
    {"exposant_negatif", 1.5e-7, ',', "1,5E-7"},
    {"exposant_negatif_point", 1.5e-7, '.', "1.5E-7"},
    {"grand_negatif", -2.5e16, ',', "-2,5E16"},
    {"plus_petit_fixe", 1e-5, ',', "0,00001"},
    {"arrondi_vers_plus_petit_fixe", 9.999999999999999e-6, ',', "0,00001"},
    {"sous_le_plus_petit_fixe", 9.99999e-6, ',', "9,99999E-6"},
    // Cut rather than rounded up past the largest double: the text reads back.
    {"plus_grand_double", std::numeric_limits<double>::max(), ',', "1,79769313486231E308"},
    {"plus_grand_double_negatif", -std::numeric_limits<double>::max(), '.', "-1.79769313486231E308"},
    {"juste_sous_l_arrondi", 1.79769313486231e308, ',', "1,79769313486231E308"},
    {"plus_petit_double", 5e-324, ',', "4,94065645841247E-324"},
    {"nan", Nan, ',', "NAN"},
    {"infini", Infini, ',', "INF"},
    {"moins_infini", -Infini, ',', "-INF"},
};

TEST(FormatGeneral, CasDeLaTable) {
    for (const auto& c : cas_general) EXPECT_EQ(Format_General(c.valeur, c.separateur), c.attendu) << c.nom;
}

// Over the whole range of doubles the text reads back as the value to 15 significant digits.
TEST(FormatGeneral, RelectureSurToutesLesEchelles) {
    std::uint64_t graine = 12345;
    for (int essai = 0; essai < 20000; ++essai) {
        graine = graine * 6364136223846793005ULL + 1442695040888963407ULL;
        const double mantisse = static_cast<double>(graine >> 11) / 9007199254740992.0;
        const double valeur = std::ldexp(mantisse - 0.5, static_cast<int>(graine % 2000) - 1000);
        const std::string texte = Format_General(valeur, '.');
        double relu = Nan;
        std::from_chars(texte.data(), texte.data() + texte.size(), relu);
        ASSERT_NEAR(relu, valeur, std::fabs(valeur) * 5e-15) << texte;
        ASSERT_LE(texte.size(), 22u) << texte;
    }
}

}  // namespace

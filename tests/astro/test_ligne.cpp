#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "astro/ligne.h"
#include "tests/support/elements_exemple.h"

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr int Arbelin = 1;

double Alpha(int h, int m, double s) { return (h + m / 60.0 + s / 3600.0) * Pi_Radians / 12; }
double Delta(int d, int m, double s) { return (d + m / 60.0 + s / 3600.0) * Pi_Radians / 180; }
// Radians over one hour that make a drift of d minutes of time, or of arc, per day.
double Derive_a(double d) { return d * Pi_Radians / 17280; }
double Derive_d(double d) { return d * Pi_Radians / 259200; }

// The worked example: a = 3, e = 0.5, instant 1 March 2000 at 0 h, equinoxes 2000.
Elements Exemple(int32_t instrument) {
    Elements el = Elements_Exemple(0.5);
    el.Instrument = instrument;
    return el;
}

Ligne_Calculee Ligne(Elements el, char separateur, Position& pos) {
    Tables_Instruments tables;
    Remplir_Instruments(tables);
    Ligne_Calculee ligne;
    ligne.textes.Texte_Reglage_a = ligne.textes.Texte_Reglage_d = "avant";
    Calculer_Ligne(el, tables, separateur, pos, ligne);
    return ligne;
}

std::string Coordonnees(const Textes_Ligne& t) {
    return t.Texte_Alpha_h + t.Texte_Alpha_m + t.Texte_Alpha_s + "|" + t.Texte_Delta_d + t.Texte_Delta_m +
           t.Texte_Delta_s;
}

// All the texts of a row, in the order of the page.
std::string Textes(const Textes_Ligne& t) {
    return Coordonnees(t) + "|" + t.Texte_Distance + "|" + t.Texte_Derive_a + "|" + t.Texte_Derive_d + "|" +
           t.Texte_Reglage_a + "|" + t.Texte_Reglage_d;
}

TEST(Ligne_Exemple, PremierMars2000) {
    Position pos;
    const Ligne_Calculee avec = Ligne(Exemple(Arbelin), '.', pos);
    EXPECT_EQ(Textes(avec.textes),
              "09h04m33s| 38°51'37\"|0.716 UA|0.48 mn/j|-6.9 '/j|-0.014|" + avec.reglages.Texte_Reglage_d);
    EXPECT_EQ(avec.reglages.Vitesse_d, 1) << "6.9'/j is below 143.26 / 16";
    EXPECT_NEAR(avec.Derive_a, 0.4789, 1e-4);
    EXPECT_NEAR(avec.Derive_d, -6.8857, 1e-4);
    // The values left are those of the third computation, half an hour later.
    EXPECT_NEAR(pos.JJ_Instant, 2451604.5 + Demi_Heure, 1e-9);
    const Ligne_Calculee sans = Ligne(Exemple(0), ',', pos);
    EXPECT_EQ(Textes(sans.textes), "09h04m33s| 38°51'37\"|0,716 UA|0,48 mn/j|-6,9 '/j|avant|avant");
}

struct Cas_Coordonnees {
    const char* nom;
    double alpha, delta;
    const char* attendu;
};

TEST(Ligne_Textes, AscensionDroiteEtDeclinaison) {
    const Cas_Coordonnees cas[] = {
        {"zero", 0, 0, "00h00m00s| 00°00'00\""},
        {"seconde arrondie vers le haut", Alpha(5, 7, 8.51), Delta(5, 3, 7), "05h07m09s| 05°03'07\""},
        {"-0 30': le signe reste", Pi_Radians, -Delta(0, 30, 0), "12h00m00s|-00°30'00\""},
        {"59.6 s portees dans les minutes", Alpha(15, 30, 59.6), -Delta(12, 59, 59.6),
         "15h31m00s|-13°00'00\""},
        {"et dans les heures", Alpha(15, 59, 59.6), Pi_Radians / 2, "16h00m00s| 90°00'00\""},
        {"24 h redevient 00h", Alpha(23, 59, 59.7), Delta(38, 51, 37.1), "00h00m00s| 38°51'37\""},
        {"juste sous 2 pi", std::nextafter(2 * Pi_Radians, 0.0), 0, "00h00m00s| 00°00'00\""},
        {"non fini", NaN, -std::numeric_limits<double>::infinity(), "--h--m--s| --°--'--\""},
    };
    for (const auto& c : cas) {
        Textes_Ligne t;
        Ecrire_Alpha(c.alpha, ',', t);
        Ecrire_Delta(c.delta, ',', t);
        EXPECT_EQ(Coordonnees(t), c.attendu) << c.nom;
    }
}

struct Cas_Derive {
    const char* nom;
    double alpha_avant, alpha_apres, delta_avant, delta_apres;
    const char* attendu;
};

TEST(Ligne_Textes, Derives) {
    const Cas_Derive cas[] = {
        {"0 h franchie vers l'est", Alpha(23, 59, 0), Alpha(0, 1, 0), 0, 0, "48.00 mn/j 0.0 '/j"},
        {"0 h franchie vers l'ouest", Alpha(0, 1, 0), Alpha(23, 59, 0), 0, 0, "-48.00 mn/j 0.0 '/j"},
        {"vers le nord", Alpha(6, 0, 0), Alpha(6, 0, 30), Delta(10, 0, 0), Delta(10, 2, 0),
         "12.00 mn/j 48.0 '/j"},
        {"egalites vers le pair", 0, Derive_a(0.125), 0, Derive_d(0.25), "0.12 mn/j 0.2 '/j"},
        {"egalites negatives", Derive_a(0.625), 0, Derive_d(0.25), 0, "-0.62 mn/j -0.2 '/j"},
        {"arrondi a zero sans signe", Derive_a(0.004), 0, Derive_d(0.04), 0, "0.00 mn/j 0.0 '/j"},
    };
    for (const auto& c : cas) {
        Ligne_Calculee ligne;
        Calculer_Derives(c.alpha_avant, c.delta_avant, c.alpha_apres, c.delta_apres, '.', ligne);
        EXPECT_EQ(ligne.textes.Texte_Derive_a + " " + ligne.textes.Texte_Derive_d, c.attendu) << c.nom;
    }
}

struct Cas_Non_Fini {
    const char* nom;
    void (*modifier)(Elements&);
};

TEST(Ligne_NonFinie, TermineAvecDesTextesNonNumeriques) {
    const Cas_Non_Fini cas[] = {
        {"e NaN", [](Elements& el) { el.e = NaN; }},
        {"a infini", [](Elements& el) { el.a = std::numeric_limits<double>::infinity(); }},
        {"a enorme", [](Elements& el) { el.a = 1e300; }},
        {"q enorme, parabole", [](Elements& el) { el.e = 1, el.q = 1e300; }},
        {"q nul, parabole", [](Elements& el) { el.e = 1, el.q = 0; }},
        {"e negatif absurde", [](Elements& el) { el.e = -5; }},
        {"inclinaison NaN", [](Elements& el) { el.i = NaN; }},
        {"perihelie infini", [](Elements& el) { el.JJ_Perihelie = std::numeric_limits<double>::infinity(); }},
        {"jour NaN", [](Elements& el) { el.Jour = std::numeric_limits<float>::quiet_NaN(); }},
        {"equinoxe NaN", [](Elements& el) { el.JJ_Equinoxe = NaN; }},
    };
    for (const auto& c : cas) {
        Elements el = Exemple(Arbelin);
        c.modifier(el);
        Position pos;
        const Ligne_Calculee ligne = Ligne(el, ',', pos);
        EXPECT_EQ(Textes(ligne.textes), "--h--m--s| --°--'--\"|-- UA|-- mn/j|-- '/j|--|--") << c.nom;
        EXPECT_TRUE(std::isnan(ligne.Derive_a) && std::isnan(ligne.Derive_d)) << c.nom;
    }
}

}  // namespace

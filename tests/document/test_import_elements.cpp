#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "astro/calendrier.h"
#include "document/catalogue_orbites.h"
#include "document/import_elements.h"
#include "form/textes_nombres.h"
#include "support/orbites_exemple.h"

namespace {

std::optional<double> Rien() { return std::nullopt; }

using R = Refus_Orbite;

struct Lu {
    std::vector<Orbite_Publiee> orbites;
    Bilan_Lecture bilan;
};

constexpr std::size_t Morceau_Par_Defaut = std::size_t{1} << 22;  // bytes

// The text as the reader takes a file, in pieces of at most `morceau` bytes.
std::function<int64_t(char*, int64_t)> Source_Texte(const std::string& texte,
                                                    std::size_t morceau = Morceau_Par_Defaut) {
    return [&texte, morceau, fait = std::size_t{0}](char* t, int64_t n) mutable {
        const std::size_t k = std::min({static_cast<std::size_t>(n), morceau, texte.size() - fait});
        texte.copy(t, k, fait);
        fait += k;
        return static_cast<int64_t>(k);
    };
}

// A whole text read in pieces of at most `morceau` bytes.
Lu Lire_Texte(const std::string& texte, std::size_t morceau = Morceau_Par_Defaut) {
    Lu lu;
    lu.bilan = Lire_Orbites(
        Source_Texte(texte, morceau), [&](Orbite_Publiee&& o) { lu.orbites.push_back(std::move(o)); },
        [](int64_t) { return true; });
    return lu;
}

// The one orbit of a text, through the reader that recognises its format.
Orbite_Lue Lire_Seule(std::string_view texte, const Garde_Orbite& = nullptr) {
    Lu lu = Lire_Texte(std::string(texte));
    if (lu.orbites.size() != 1) return {};
    return {std::move(lu.orbites[0])};
}

// A line through the readers of the three one-line formats.
Orbite_Lue Lire_Ligne(std::string_view ligne) {
    switch (Reconnaitre_Ligne(ligne)) {
        case Forme_Ligne::Comete_MPC:
            return Lire_Comete_MPC(ligne);
        case Forme_Ligne::MPCORB:
            return Lire_MPCORB(ligne);
        default:
            return Lire_XEphem(ligne);
    }
}

int64_t Compte(const Bilan_Lecture& b, R refus) {
    return refus == R::Illisible ? b.Ignorees : refus == R::Distance_Nulle ? b.Distances_Nulles : b.Absurdes;
}

struct Cas_Orbite {
    const char* nom;
    Orbite_Lue (*lire)(std::string_view, const Garde_Orbite&);
    std::string ligne;
    const char* designation;
    double e, q, i, Omega, gOmega, jj, equinoxe;
};

// A line with one field replaced, from column `colonne` (from 1).
std::string Remplacer(std::string ligne, std::size_t colonne, const std::string& texte) {
    return ligne.replace(colonne - 1, texte.size(), texte);
}

// Julian day of a calendar date.
double JJ(int mois, int an, double jour) { return Date_Vers_JJ(mois, static_cast<float>(an), jour); }

const std::string Horizons_Entete =
    "*******************************************************************************\n"
    "JPL/HORIZONS                  C/2020 F3 (NEOWISE)            2020-Aug-10 12:00:00\n"
    "Target body name: C/2020 F3 (NEOWISE)            {source: JPL#39}\n"
    "  EPOCH=  2459070.5 ! 2020-Aug-09.00 (TDB)         Residual RMS= .31239\n"
    "   EC= .9991898351051734   QR= .2946668191263932   TP= 2459034.1799375713\n"
    "   OM= 61.01052605434094   W= 37.27745591072589    IN= 128.9353114216508\n"
    "   A= 363.6826637627548    MA= .0050052911787331   ADIST= 727.0706607063832\n"
    "   B= 20.0152426           MOID= .3651            TP= 2020-Jul-03.6799375713\n";

// Ceres by hand: M / n = 162.68631 / 0.21406009 = 760.0029973 days before
// the epoch K205V, 2020 May 31.0 = JD 2459000.5, gives JD 2458240.4970027,
// 2018 May 1.99700; q = 2.7676569 x (1 - 0.0775571) = 2.5530054570.
const Cas_Orbite Cas_Lisibles[] = {
    {"comete", Lire_Comete_MPC, Ligne_Hale_Bopp, "C/1995 O1 (Hale-Bopp)", 0.994928, 0.916241, 88.9908,
     130.6448, 283.3593, JJ(3, 1997, 29.6333), 2000},
    {"MPCORB", Lire_MPCORB, Ligne_Ceres, "(1) Ceres", 0.0775571, 2.5530054570, 10.58862, 73.73161, 80.28698,
     2458240.4970027, 2000},
    {"ellipse", Lire_XEphem,
     "1 Ceres,e,10.5935,80.3099,73.1153,2.767046,0.2141,0.078913,352.2305,03/23.0/2018,2000,H3.34,G0.12",
     "1 Ceres", 0.078913, 2.767046 * (1 - 0.078913), 10.5935, 73.1153, 80.3099,
     JJ(3, 2018, 23.0) + (360 - 352.2305) / 0.2141, 2000},
    // A mean motion left at zero comes from a: k = 0.9856076686 °/day over 2.5^1.5.
    {"ellipse sans n", Lire_XEphem, "X,e,5,6,7,2.5,0,0.5,10,1/1/2000,1950", "X", 0.5, 1.25, 5, 7, 6,
     JJ(1, 2000, 1) - 10 / (0.9856076686 / std::pow(2.5, 1.5)), 1950},
    {"hyperbole", Lire_XEphem,
     "C/2019 Q4 (Borisov),h,12/08.5474/2019,44.0526,308.1496,209.1246,3.356191,2.006624,2000,g16.0,4.0",
     "C/2019 Q4 (Borisov)", 3.356191, 2.006624, 44.0526, 209.1246, 308.1496, JJ(12, 2019, 8.5474), 2000},
    // The parabola's order: i, argument of perihelion, q, node.
    {"parabole", Lire_XEphem, std::string(Ligne_Parabole) + ",g 9.0,4.0", "C/2020 X1", 1, 1.234, 45.6, 120.3,
     210.5, JJ(5, 2021, 2.125), 2000},
    // Near its perihelion (M = 358), a distant body's is the next one.
    {"MPCORB, M au-dela de 180", Lire_MPCORB, Remplacer(Ligne_Ceres, 27, "358.00000"), "(1) Ceres", 0.0775571,
     2.5530054570, 10.58862, 73.73161, 80.28698, 2459000.5 + 2 / 0.21406009, 2000},
    // A perihelion before AD 1 is one the calendar holds.
    {"hyperbole avant l'an 1", Lire_XEphem, "X,h,03/15.25/-500,44.0526,308.1496,209.1246,1.5,2.0,2000", "X",
     1.5, 2.0, 44.0526, 209.1246, 308.1496, JJ(3, -500, 15.25), 2000},
    // OM is the node, W the argument of perihelion.
    {"Horizons", Lire_Seule, Horizons_Entete, "C/2020 F3 (NEOWISE)", 0.9991898351051734, 0.2946668191263932,
     128.9353114216508, 37.27745591072589, 61.01052605434094, 2459034.1799375713, 2000},
};

TEST(Import_Elements, Chaque_Format_Lit_Ses_Lignes) {
    for (const Cas_Orbite& c : Cas_Lisibles) {
        SCOPED_TRACE(c.nom);
        const std::optional<Orbite_Publiee> o = c.lire(c.ligne, nullptr).orbite;
        ASSERT_TRUE(o);
        EXPECT_EQ(o->Designation.toStdString(), c.designation);
        EXPECT_NEAR(o->e, c.e, 1e-12);
        EXPECT_NEAR(o->q, c.q, 1e-9);
        EXPECT_NEAR(o->i, c.i, 1e-12);
        EXPECT_NEAR(o->Omega, c.Omega, 1e-12);
        EXPECT_NEAR(o->gOmega, c.gOmega, 1e-12);
        EXPECT_NEAR(o->JJ_Perihelie, c.jj, 1e-6);
        EXPECT_EQ(o->Equinoxe, c.equinoxe);
    }
}

struct Cas_Abime {
    const char* nom;
    std::string ligne;
    Refus_Orbite refus;
};

const Cas_Abime Cas_Abimes[] = {
    {"comete, mois 13", Remplacer(Ligne_Hale_Bopp, 20, "13"), R::Illisible},
    {"comete, 30 fevrier", Remplacer(Remplacer(Ligne_Hale_Bopp, 20, "02"), 23, "30.0000"), R::Illisible},
    {"comete, q nul", Remplacer(Ligne_Hale_Bopp, 31, " 0.000000"), R::Distance_Nulle},
    {"comete, q negatif", Remplacer(Ligne_Hale_Bopp, 31, "-0.916241"), R::Distance_Nulle},
    {"comete, q illisible", Remplacer(Ligne_Hale_Bopp, 31, " 0.9x6241"), R::Illisible},
    {"comete, q sans son point", Remplacer(Ligne_Hale_Bopp, 31, "  916241 "), R::Illisible},
    {"comete, e negatif", Remplacer(Ligne_Hale_Bopp, 42, "-0.99492"), R::Illisible},
    {"comete, i au-dela de 180", Remplacer(Ligne_Hale_Bopp, 72, "188.9908"), R::Illisible},
    {"comete, noeud blanc", Remplacer(Ligne_Hale_Bopp, 62, "        "), R::Illisible},
    {"comete, coupee", std::string(Ligne_Hale_Bopp).substr(0, 75), R::Illisible},
    {"comete, nan", Remplacer(Ligne_Hale_Bopp, 52, "     nan"), R::Illisible},
    {"MPCORB, epoque jour 0", Remplacer(Ligne_Ceres, 21, "K2050"), R::Illisible},
    {"MPCORB, epoque mois D", Remplacer(Ligne_Ceres, 21, "K20DV"), R::Illisible},
    {"MPCORB, n nul", Remplacer(Ligne_Ceres, 81, " 0.00000000"), R::Illisible},
    {"MPCORB, e de 1", Remplacer(Ligne_Ceres, 71, "1.0000000"), R::Illisible},
    {"MPCORB, a negatif", Remplacer(Ligne_Ceres, 93, " -2.7676569"), R::Distance_Nulle},
    {"MPCORB, M de 400", Remplacer(Ligne_Ceres, 27, "400.00000"), R::Illisible},
    {"MPCORB, coupee avant a", std::string(Ligne_Ceres).substr(0, 98), R::Illisible},
    {"XEphem, champ manquant",
     "1 Ceres,e,10.5935,80.3099,73.1153,2.767046,0.2141,0.078913,352.2305,03/23/2018", R::Illisible},
    {"XEphem, date a deux parties", "C/2019 Q4,h,12/2019,44.05,308.14,209.12,3.35,2.00,2000", R::Illisible},
    {"XEphem, q nul", "C/2020 X1,p,05/02.125/2021,45.6,120.3,0,210.5,2000", R::Distance_Nulle},
    {"XEphem, e de 1e308", "C/2019 Q4,h,12/08.5/2019,44.05,308.14,209.12,1e308,2.00,2000", R::Absurde},
    {"XEphem, q de 1e300", "C/2020 X1,p,05/02.125/2021,45.6,120.3,1e300,210.5,2000", R::Absurde},
    {"XEphem, perihelie a 1e300 jours", "X,e,5,6,7,2.5,1e-300,0.5,10,1/1/2000,2000", R::Absurde},
    {"XEphem, equinoxe 1500", "C/2020 X1,p,05/02.125/2021,45.6,120.3,1.2,210.5,1500", R::Illisible},
    {"XEphem, etoile fixe", "Sirius,f|S|A1,6:45:08.9,-16:42:58,-1.46,2000", R::Illisible},
    {"XEphem, n illisible", "X,e,5,6,7,2.5,abc,0.5,10,1/1/2000,2000", R::Illisible},
};

// Each damaged line is refused by its reader for its reason, and counted
// under it in a text that holds it beside a good one.
TEST(Import_Elements, Une_Ligne_Abimee_Est_Ignoree_Et_Comptee) {
    for (const Cas_Abime& c : Cas_Abimes) {
        SCOPED_TRACE(c.nom);
        const Orbite_Lue lue = Lire_Ligne(c.ligne);
        EXPECT_FALSE(lue.orbite);
        EXPECT_EQ(lue.refus, c.refus);
        const std::string bonne = std::string(c.nom).rfind("MPCORB", 0) == 0   ? Ligne_Ceres
                                  : std::string(c.nom).rfind("XEphem", 0) == 0 ? Ligne_Parabole
                                                                               : Ligne_Hale_Bopp;
        const Lu lu = Lire_Texte(bonne + "\n" + c.ligne + "\n");
        EXPECT_EQ(lu.orbites.size(), 1u);
        EXPECT_EQ(lu.bilan.Ignorees + lu.bilan.Distances_Nulles + lu.bilan.Absurdes, 1);
        EXPECT_EQ(Compte(lu.bilan, c.refus), 1);
    }
}

// A fixed-column line that lost or gained one character among its numbers
// would read as another orbit: it is refused, wherever the change is.
TEST(Import_Elements, Une_Colonne_De_Moins_Ou_De_Plus_Est_Refusee) {
    const struct {
        const char* ligne;
        std::size_t colonnes;  // up to the blanks before the name or the reference
    } cas[] = {{Ligne_Hale_Bopp, 102}, {Ligne_Ceres, 105}};
    for (const auto& c : cas) {
        ASSERT_TRUE(Lire_Ligne(c.ligne).orbite);
        for (std::size_t k = 0; k < c.colonnes; ++k) {
            const std::string moins = std::string(c.ligne).erase(k, 1);
            const std::string plus = std::string(c.ligne).insert(k, 1, '0');
            EXPECT_FALSE(Lire_Ligne(moins).orbite) << "sans la colonne " << k + 1 << " : " << moins;
            EXPECT_FALSE(Lire_Ligne(plus).orbite) << "colonne " << k + 1 << " doublee : " << plus;
        }
    }
}

TEST(Import_Elements, Dates_Compactes) {
    const struct {
        const char* date;
        std::optional<double> jj;
    } cas[] = {{"K205V", 2459000.5}, {"J9611", 2450083.5}, {"I99CV", 2415019.5}, {"K24229", Rien()},
               {"K202U", Rien()},    {"K2050", Rien()},    {"K20D1", Rien()},    {"k2051", Rien()}};
    for (const auto& c : cas) EXPECT_EQ(JJ_Date_Compacte(c.date), c.jj) << c.date;
}

// The check a walk makes of a packed epoch agrees with its Julian day: every
// month and day character of leap and common years, Julian and Gregorian.
TEST(Import_Elements, Dates_Compactes_Tenues) {
    const std::string signes = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZa -";
    int tenues = 0;
    for (const char* an : {"K20", "K23", "J00", "I00", "K00", "F82", "F83", "A00", "Z99"})
        for (const char mois : signes)
            for (const char jour : signes) {
                const std::string date = std::string(an) + mois + jour;
                EXPECT_EQ(Date_Compacte_Tenue(date), JJ_Date_Compacte(date).has_value()) << date;
                tenues += Date_Compacte_Tenue(date);
            }
    EXPECT_EQ(tenues, 9 * 365 + 2);  // the leap years asked: 2020 and 2000
    for (const char* faux : {"", "K20", "K201", "K20111", "k2011", "K2A11"})
        EXPECT_FALSE(Date_Compacte_Tenue(faux)) << faux;
}

// What the reader makes of a whole text: pieces of every size, the MPCORB
// header, line ends, Horizons listings.
struct Cas_Texte {
    const char* nom;
    std::string texte;
    std::vector<std::string> designations;
    int64_t ignorees;
};

const std::string Entete_MPCORB =
    "MINOR PLANET CENTER ORBIT DATABASE (MPCORB)\n"
    "This file contains published orbital elements for all numbered and unnumbered multi-opposition minor "
    "planets for which it may be useful to make ephemeris predictions.\n\n"
    "Des'n     H     G   Epoch     M        Peri.      Node       Incl.       e            n           a\n"
    "-------------------------------------------------------------------------------------------------------"
    "----\n";

const std::string Horizons_Table =
    "Target body name: 1 Ceres (A801 AA)     {source: JPL#48}\n"
    "$$SOE\n"
    "2459000.500000000 = A.D. 2020-May-31 00:00:00.0000 TDB \n"
    " EC= 7.760820939398051E-02 QR= 2.552709591058082E+00 IN= 1.058839944626998E+01\n"
    " OM= 8.028665839862813E+01 W = 7.381538981015487E+01 Tp=  2458239.920839166734\n"
    " N = 2.140860058364451E-01 MA= 1.628656993063839E+02 TA= 1.657224022843212E+02\n"
    "2459001.500000000 = A.D. 2020-Jun-01 00:00:00.0000 TDB \n"
    " EC= 7.760820939398051E-02 QR= 2.552709591058082E+00 IN= 1.058839944626998E+01\n"
    "$$EOE\n";

const Cas_Texte Cas_Textes[] = {
    {"CR seuls",
     std::string(Ligne_Encke) + "\r" + Ligne_Hale_Bopp + "\r" + Ligne_Parabole,
     {"2P/Encke", "C/1995 O1 (Hale-Bopp)", "C/2020 X1"},
     0},
    {"marque d'ordre UTF-8",
     "\xEF\xBB\xBF" + Texte_Trois_Cometes,
     {"2P/Encke", "C/1995 O1 (Hale-Bopp)", "C/2020 X1"},
     0},
    {"MPCORB avec entete",
     Entete_MPCORB + Ligne_Ceres + "\r\n\r\n" + Ligne_Ceres,
     {"(1) Ceres", "(1) Ceres"},
     0},
    {"ligne inconnue apres les orbites",
     std::string(Ligne_Encke) + "\nquelque chose\n" + Ligne_Hale_Bopp + "\n",
     {"2P/Encke", "C/1995 O1 (Hale-Bopp)"},
     1},
    {"ligne trop longue",
     std::string(Ligne_Encke) + std::string(9000, 'x') + "\n" + Ligne_Hale_Bopp,
     {"C/1995 O1 (Hale-Bopp)"},
     1},
    {"XEphem et commentaires", "# comets\n\n" + std::string(Ligne_Parabole) + "\n#end", {"C/2020 X1"}, 0},
    {"Horizons, entete", Horizons_Entete, {"C/2020 F3 (NEOWISE)"}, 0},
    {"Horizons, table coupee", Horizons_Table, {"1 Ceres (A801 AA)"}, 1},
    {"Horizons, cle repetee",
     "EC= 0.5 QR= 1 TP= 2451545\nEC= 0.6 QR= 1 TP= 2451545 OM= 1 W= 2 IN= 3\n",
     {""},
     1},
    {"Horizons, i hors limites", "EC= 0.5 QR= 1 TP= 2451545 OM= 1 W= 2 IN= 190\n", {}, 1},
    {"rien de connu", "Bonjour\nLe ciel est clair.\n", {}, 0},
};

// Every set of a listing carries the body's name, the table's first; the
// chooser shows their epochs.
TEST(Import_Elements, Listage_Horizons_Dans_L_Ordre_Du_Service) {
    const struct {
        const char* nom;
        std::string texte;
        std::vector<std::string>
            lignes;  // as the chooser lists them: the epoch where a body has several sets
        std::vector<double> e;
    } cas[] = {
        {"listage entier",
         Horizons_Halley_Entete + Horizons_Halley,
         {"1P/Halley, époque 01/01/2024", "1P/Halley, époque 20/01/1968"},
         {0.9679427911271116, 0.9679221169215289}},
        {"collé depuis EPOCH",
         Horizons_Halley,
         {"1P/Halley, époque 01/01/2024", "1P/Halley, époque 20/01/1968"},
         {0.9679427911271116, 0.9679221169215289}},
        {"deux listages",
         Horizons_Halley_Entete + Horizons_Halley + Horizons_Entete,
         {"1P/Halley, époque 01/01/2024", "1P/Halley, époque 20/01/1968", "C/2020 F3 (NEOWISE)"},
         {0.9679427911271116, 0.9679221169215289, 0.9991898351051734}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const Lu lu = Lire_Texte(c.texte);
        EXPECT_EQ(lu.bilan.Ignorees, 0);
        Catalogue_Orbites catalogue(Notation{',', " "});
        std::vector<double> e;
        for (const Orbite_Publiee& o : lu.orbites) catalogue.Ajouter(o), e.push_back(o.e);
        std::vector<std::string> lignes;
        for (int k = 0; k < catalogue.Nombre(); ++k)
            lignes.push_back(catalogue.Ligne(k).Designation.toStdString());
        EXPECT_EQ(lignes, c.lignes);
        ASSERT_EQ(e.size(), c.e.size());
        for (std::size_t k = 0; k < e.size(); ++k) EXPECT_NEAR(e[k], c.e[k], 1e-15);
        EXPECT_EQ(catalogue.Chercher(QStringLiteral("halley")).size(), 2u);
    }
}

TEST(Import_Elements, Textes_Entiers_En_Morceaux_De_Toutes_Tailles) {
    for (const Cas_Texte& c : Cas_Textes) {
        for (const std::size_t morceau :
             {std::size_t{1}, std::size_t{7}, std::size_t{4096}, std::size_t{1} << 22}) {
            SCOPED_TRACE(std::string(c.nom) + ", morceaux de " + std::to_string(morceau));
            const Lu lu = Lire_Texte(c.texte, morceau);
            std::vector<std::string> noms;
            for (const Orbite_Publiee& o : lu.orbites) noms.push_back(o.Designation.toStdString());
            EXPECT_EQ(noms, c.designations);
            EXPECT_EQ(lu.bilan.Ignorees, c.ignorees);
            EXPECT_FALSE(lu.bilan.Interrompue || lu.bilan.Echec);
        }
    }
}

// Every day fraction of a few years, now and around AD 1: the rounded date
// reads back as the Julian day to half a unit of its last decimal, and
// never past the month.
TEST(Import_Elements, Date_Arrondie_Balayage) {
    for (const double debut : {2451179.5, 1720000.5}) {
        for (double jj = debut; jj < debut + 1461; jj += 0.3183098861) {
            const std::optional<Date_Perihelie> d = Date_Arrondie(jj, 5);
            ASSERT_TRUE(d) << jj;
            ASSERT_LT(d->Jour, Longueur_Mois(d->Mois, d->An) + 1) << jj;
            ASSERT_GE(d->Jour, 1) << jj;
            ASSERT_NEAR(JJ(d->Mois, d->An, d->Jour), jj, 0.5e-5 + 1e-9) << jj;
        }
    }
    // Before Julian day 0 the day is still the one the Julian day falls in.
    const std::optional<Date_Perihelie> avant = Date_Arrondie(JJ(3, -5000, 15.25), 5);
    ASSERT_TRUE(avant);
    EXPECT_NEAR(avant->Jour, 15.25, 1e-9);
    EXPECT_EQ(avant->Mois, 3);
    EXPECT_EQ(avant->An, -5000);
    // Just before midnight the day goes to the next month, not to a 32nd.
    const std::optional<Date_Perihelie> d = Date_Arrondie(JJ(2, 2024, 1) - 1e-7, 5);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->Mois, 2);
    EXPECT_EQ(d->Jour, 1);
    EXPECT_FALSE(Date_Arrondie(NAN, 5));
    EXPECT_FALSE(Date_Arrondie(1e300, 5));
}

TEST(Catalogue_Orbites, Recherche_Sans_Casse) {
    Catalogue_Orbites c(Notation{',', " "});
    for (const char* nom : {"C/1995 O1 (Hale-Bopp)", "(1) Ceres", "2P/Encke", "C/2006 P1 (McNaught)",
                            "(4) Vesta", "Comète de l'Été"})
        c.Ajouter({QString::fromUtf8(nom), 0.5, 1, 0, 0, 0, 2451545, 2000});
    const struct {
        const char* texte;
        std::vector<int> rangs;
    } cas[] = {{"", {0, 1, 2, 3, 4, 5}},
               {"c/", {0, 3}},
               {"CERES", {1}},
               {"  bopp ", {0}},
               {"e", {0, 1, 2, 4, 5}},
               {"été", {5}},
               {"ÉTÉ", {5}},
               {"ceres\n(4)", {}},
               {"zzz", {}},
               {"(", {0, 1, 3, 4}}};
    for (const auto& k : cas) EXPECT_EQ(c.Chercher(QString::fromUtf8(k.texte)), k.rangs) << k.texte;
    EXPECT_EQ(c.Ligne(1).Designation, QStringLiteral("(1) Ceres"));
    EXPECT_EQ(c.Ligne(1).Perihelie, QStringLiteral("1,5/01/2000"));
    EXPECT_EQ(c.Ligne(1).q, QStringLiteral("1"));
    EXPECT_EQ(c.Ligne(1).e, QStringLiteral("0,5"));
}

}  // namespace

namespace {

// A law as a source gives it; `present` false for none.
struct Loi_Attendue {
    bool present;
    Forme_Loi forme;
    double Zero, K, PC, G;
};
constexpr Loi_Attendue Sans_Loi{false, Forme_Loi::Comete, 0, 0, 0, 0};
constexpr Loi_Attendue Loi_gk(double g, double k) { return {true, Forme_Loi::Comete, g, 2.5 * k, 0, 0}; }
constexpr Loi_Attendue Loi_HG(double H, double G) { return {true, Forme_Loi::Asteroide, H, 0, 0, G}; }

void Verifier_Loi(const std::optional<Loi_Magnitude>& loi, const Loi_Attendue& a, const char* colonne) {
    SCOPED_TRACE(colonne);
    ASSERT_EQ(loi.has_value(), a.present);
    if (!loi) return;
    EXPECT_EQ(loi->forme, a.forme);
    EXPECT_NEAR(loi->Zero, a.Zero, 1e-12);
    EXPECT_NEAR(loi->K, a.K, 1e-12);
    EXPECT_NEAR(loi->PC, a.PC, 1e-12);
    EXPECT_NEAR(loi->G, a.G, 1e-12);
    EXPECT_EQ(loi->origine, Origine_Loi::Importee);
}

// Ceres's listing with its physical parameters before the table.
const std::string Horizons_Ceres =
    "Target body name: 1 Ceres (A801 AA)     {source: JPL#48}\n"
    "Asteroid physical parameters (km, seconds, rotational period in hours):\n"
    "   GM= 62.6284             RAD= 469.7              ROTPER= 9.07417\n"
    "   H= 3.34                 G= .120                 B-V= .713\n"
    "$$SOE\n"
    "2459000.500000000 = A.D. 2020-May-31 00:00:00.0000 TDB \n"
    " EC= 7.760820939398051E-02 QR= 2.552709591058082E+00 IN= 1.058839944626998E+01\n"
    " OM= 8.028665839862813E+01 W = 7.381538981015487E+01 Tp=  2458239.920839166734\n"
    "$$EOE\n";

// Halley's header set with non-gravitational parameters, one of them not given.
std::string Halley_Non_Grav() {
    std::string texte = Horizons_Halley_Entete + Horizons_Halley;
    const std::string k2 = "PHCOF=  .030\n";
    texte.insert(texte.find(k2) + k2.size(),
                 "Comet non-gravitational force model (AMRAT=m^2/kg;A1-A3=au/d^2;DT=d;R0=au):\n"
                 "   A1= 2.7E-10   A2= -1.55E-10   A3= n.a.\n");
    return texte;
}

}  // namespace

// Each format's magnitude parameters go to their column: g,k to the total
// law with K1 = 2.5 k, H,G to the nucleus; and its epoch, when it gives one.
TEST(Import_Elements, Chaque_Format_Donne_Ses_Lois_Et_Son_Epoque) {
    const double Sans_Epoque = NAN;
    const struct {
        const char* nom;
        std::string texte;
        Loi_Attendue totale, noyau;
        double epoque;
    } cas[] = {
        {"comète MPC, k = 4", Ligne_Hale_Bopp, Loi_gk(-2.0, 4.0), Sans_Loi, JJ(2, 2020, 24)},
        {"comète MPC, k = 6", Ligne_Encke, Loi_gk(11.5, 6.0), Sans_Loi, JJ(9, 2023, 1)},
        {"comète MPC sans magnitudes", std::string(Ligne_Encke).replace(91, 10, 10, ' '), Sans_Loi, Sans_Loi,
         JJ(9, 2023, 1)},
        {"MPCORB", Ligne_Ceres, Sans_Loi, Loi_HG(3.4, 0.15), 2459000.5},
        {"MPCORB sans G", std::string(Ligne_Ceres).replace(14, 5, 5, ' '), Sans_Loi, Loi_HG(3.4, 0.15),
         2459000.5},
        {"XEphem e, H et G préfixés",
         "1 Ceres,e,10.5935,80.3099,73.1153,2.767046,0.2141,0.078913,352.2305,03/23.0/2018,2000,H3.34,G0.12",
         Sans_Loi, Loi_HG(3.34, 0.12), JJ(3, 2018, 23)},
        {"XEphem e, nombre nu",
         "1 Ceres,e,10.5935,80.3099,73.1153,2.767046,0.2141,0.078913,352.2305,03/23.0/2018,2000,3.34,0.12",
         Sans_Loi, Loi_HG(3.34, 0.12), JJ(3, 2018, 23)},
        {"XEphem e, g préfixé",
         "2P/Encke,e,11.78,334.57,186.54,2.215,0.2990,0.8483,340.0,09/01.0/2023,2000,g 11.5,6.0",
         Loi_gk(11.5, 6.0), Sans_Loi, JJ(9, 2023, 1)},
        {"XEphem e, sans magnitudes", "X,e,5,6,7,2.5,0,0.5,10,1/1/2000,1950", Sans_Loi, Sans_Loi,
         JJ(1, 2000, 1)},
        {"XEphem h",
         "C/2019 Q4 (Borisov),h,12/08.5474/2019,44.0526,308.1496,209.1246,3.356191,2.006624,2000,g16.0,4.0",
         Loi_gk(16.0, 4.0), Sans_Loi, Sans_Epoque},
        {"XEphem p, nombre nu", std::string(Ligne_Parabole) + ",9.0,4.0", Loi_gk(9.0, 4.0), Sans_Loi,
         Sans_Epoque},
        {"Horizons comète",
         Horizons_Halley_Entete + Horizons_Halley,
         Loi_gk(5.5, 8.0 / 2.5),
         {true, Forme_Loi::Comete, 13.6, 5, 0.03, 0},
         2460310.5},
        {"Horizons astéroïde", Horizons_Ceres, Sans_Loi, Loi_HG(3.34, 0.12), 2459000.5},
        {"Horizons sans paramètres physiques", Horizons_Entete, Sans_Loi, Sans_Loi, 2459070.5},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const Lu lu = Lire_Texte(c.texte);
        ASSERT_FALSE(lu.orbites.empty());
        const Orbite_Publiee& o = lu.orbites[0];
        Verifier_Loi(o.Loi_Totale, c.totale, "totale");
        Verifier_Loi(o.Loi_Noyau, c.noyau, "noyau");
        EXPECT_EQ(std::isnan(o.JJ_Epoque), std::isnan(c.epoque));
        if (!std::isnan(c.epoque)) {
            EXPECT_NEAR(o.JJ_Epoque, c.epoque, 1e-9);
        }
        EXPECT_FALSE(o.Non_Grav);
    }
}

// A whole listing as the service prints it, whose comments after the
// physical parameters repeat the laws ("2: k1=8., k2=5., phase coef.=0.03;"):
// the laws and forces come from the parameters' blocks, for both sets.
TEST(Import_Elements, Horizons_Lois_Du_Bloc_Physique) {
    std::ifstream f(TRAJECTEL_DONNEES_TESTS "/horizons_halley.txt");
    const std::string texte((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(texte.empty());
    const Lu lu = Lire_Texte(texte);
    ASSERT_EQ(lu.orbites.size(), 2u);
    EXPECT_EQ(lu.bilan.Ignorees, 0);
    for (const Orbite_Publiee& o : lu.orbites) {
        SCOPED_TRACE(o.JJ_Epoque);
        Verifier_Loi(o.Loi_Totale, Loi_gk(5.5, 8.0 / 2.5), "totale");
        Verifier_Loi(o.Loi_Noyau, {true, Forme_Loi::Comete, 13.6, 5, 0.03, 0}, "noyau");
        ASSERT_TRUE(o.Non_Grav);
        EXPECT_NEAR(o.Non_Grav->A1, 2.7e-10, 1e-24);
        EXPECT_NEAR(o.Non_Grav->A2, 1.55e-10, 1e-24);
        EXPECT_NEAR(o.Non_Grav->A3, 0, 1e-24);
    }
}

// Every set of a Horizons listing carries the comet's A1, A2, A3; "n.a." is
// none; and the catalogue gives them back with the laws.
TEST(Import_Elements, Horizons_Non_Gravitationnel) {
    const Lu lu = Lire_Texte(Halley_Non_Grav());
    ASSERT_EQ(lu.orbites.size(), 2u);
    Catalogue_Orbites catalogue(Notation{',', " "});
    for (const Orbite_Publiee& o : lu.orbites) catalogue.Ajouter(o);
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(k);
        const Orbite_Publiee o = catalogue.Orbite(k);
        ASSERT_TRUE(o.Non_Grav);
        EXPECT_NEAR(o.Non_Grav->A1, 2.7e-10, 1e-24);
        EXPECT_NEAR(o.Non_Grav->A2, -1.55e-10, 1e-24);
        EXPECT_NEAR(o.Non_Grav->A3, 0, 1e-24);
        Verifier_Loi(o.Loi_Totale, Loi_gk(5.5, 8.0 / 2.5), "totale");
        Verifier_Loi(o.Loi_Noyau, {true, Forme_Loi::Comete, 13.6, 5, 0.03, 0}, "noyau");
        EXPECT_EQ(Texte_Lois(o, Notation{',', " "}).toStdString(),
                  "M1 = 5,5 ; K1 = 8 ; M2 = 13,6 ; K2 = 5 ; PC = 0,03");
    }
}

namespace {

// Ceres's line with one column replaced by `c`.
std::string Ceres_Avec(std::size_t colonne, char c) {
    std::string l(Ligne_Ceres);
    l[colonne - 1] = c;
    return l;
}

}  // namespace

// A whole catalogue is walked on the digits of its fields, and only the
// chosen orbits are read whole: over every column of an MPCORB line changed
// to each kind of character, the walk's verdict is the full reader's.
TEST(Import_Elements, Choix_Rapide_Donne_Le_Verdict_Du_Lecteur) {
    const std::string remplacants = " -+.0159aZ\t";
    const Garde_Orbite tout = [](std::string_view) { return true; };
    const Garde_Orbite rien = [](std::string_view) { return false; };
    std::vector<std::string> lignes;
    for (std::size_t colonne = 1; colonne <= std::string(Ligne_Ceres).size(); ++colonne)
        for (const char c : remplacants) lignes.push_back(Ceres_Avec(colonne, c));
    // The bounds of each angle, e and a, and a mean motion too slow for the walk alone.
    for (const auto& [colonne, texte] : std::vector<std::pair<std::size_t, std::string>>{
             {60, "180.00000"},   {60, "180.00001"},   {38, "360.00000"},   {38, "360.00001"},
             {27, "360.00001"},   {71, "1.0000000"},   {71, "0.9999999"},   {93, " -1.0000000"},
             {93, "  0.0000000"}, {81, " 0.00000001"}, {81, " 0.00000099"}, {81, " 0.00000100"},
             {81, " 0.00000000"}, {27, "360.00000"},   {27, "  -0.00000"},  {49, "360.00000"},
             {49, "360.00001"},   {71, "-.0000000"},   {93, "  0.0000001"}, {93, "  0.7000000"},
             {93, "   .0000000"}})
        lignes.push_back(Remplacer(Ligne_Ceres, colonne, texte));
    for (const std::string& l : lignes) {
        SCOPED_TRACE(l);
        const Orbite_Lue complete = Lire_MPCORB(l);
        const Orbite_Lue choisie = Lire_MPCORB(l, tout);
        const Orbite_Lue ecartee = Lire_MPCORB(l, rien);
        ASSERT_EQ(choisie.orbite.has_value(), complete.orbite.has_value());
        EXPECT_EQ(ecartee.ecartee, complete.orbite.has_value());
        EXPECT_FALSE(ecartee.orbite);
        if (!complete.orbite) {
            EXPECT_EQ(choisie.refus, complete.refus);
            EXPECT_EQ(ecartee.refus, complete.refus);
            continue;
        }
        EXPECT_EQ(choisie.orbite->Designation, complete.orbite->Designation);
        for (const auto& [x, y] : {std::pair{choisie.orbite->e, complete.orbite->e},
                                   {choisie.orbite->q, complete.orbite->q},
                                   {choisie.orbite->i, complete.orbite->i},
                                   {choisie.orbite->JJ_Perihelie, complete.orbite->JJ_Perihelie}})
            EXPECT_EQ(x, y);
    }
}

// A reading that chooses keeps the ranks and the counts of a whole one, and
// its search answers as the chooser's index does, accents and case folded.
TEST(Import_Elements, Choix_Par_Nom_Et_Rang) {
    const std::string texte = "garbage\n" + std::string(Ligne_Encke) + "\n" +
                              Remplacer(Ligne_Ceres, 71, "1.0000000") + "\n" + Ligne_Hale_Bopp + "\n" +
                              Ligne_Parabole + "\n" +
                              "Comète Ï,p,05/02.125/2021,45.6,120.3,1.234,210.5,2000\n" +
                              "\xC9toile,p,05/02.125/2021,45.6,120.3,1.234,210.5,2000\n" + Horizons_Entete;
    const Lu tout = Lire_Texte(texte);
    Catalogue_Orbites catalogue(Notation{',', " "});
    for (const Orbite_Publiee& o : tout.orbites) catalogue.Ajouter(o);
    for (const char* cherche : {"", "p/", "HALE", "c/20", "ï", "comète", "étoile", "neowise", "zzz"}) {
        SCOPED_TRACE(cherche);
        const Recherche_Nom recherche(QString::fromUtf8(cherche));
        std::vector<int> rangs;
        const Bilan_Lecture bilan = Lire_Orbites(
            Source_Texte(texte), [](Orbite_Publiee&&) {}, [](int64_t) { return true; },
            [&](int64_t rang, std::string_view nom) {
                if (recherche.Contient(nom)) rangs.push_back(static_cast<int>(rang));
                return false;
            });
        EXPECT_EQ(rangs, catalogue.Chercher(QString::fromUtf8(cherche)));
        EXPECT_EQ(bilan.Orbites, static_cast<int64_t>(tout.orbites.size()));
        EXPECT_EQ(bilan.Ignorees, tout.bilan.Ignorees);
        EXPECT_EQ(bilan.Distances_Nulles + bilan.Absurdes, tout.bilan.Distances_Nulles + tout.bilan.Absurdes);
    }
}

namespace {

std::vector<std::string> Champs_Tsv(const std::string& ligne) {
    std::vector<std::string> champs;
    std::size_t debut = 0;
    for (std::size_t fin; (fin = ligne.find('\t', debut)) != std::string::npos; debut = fin + 1)
        champs.push_back(ligne.substr(debut, fin - debut));
    champs.push_back(ligne.substr(debut));
    return champs;
}

}  // namespace

// A catalogue walked for one object, by its name or rank, chooses what the
// whole reading gives and counts the same lines: packed designations,
// accents, case, and damaged lines before the rank (choix_rapide.tsv).
TEST(Import_Elements, Choix_Rapide_Comme_Lecture_Entiere) {
    std::ifstream f(TRAJECTEL_DONNEES_TESTS "/choix_rapide.txt", std::ios::binary);
    const std::string texte{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    const Lu entier = Lire_Texte(texte);
    ASSERT_EQ(entier.orbites.size(), 15U);
    std::ifstream cas(TRAJECTEL_DONNEES_TESTS "/choix_rapide.tsv");
    std::string ligne;
    int lus = 0;
    while (std::getline(cas, ligne)) {
        if (ligne.empty() || ligne[0] == '#') continue;
        const std::vector<std::string> c = Champs_Tsv(ligne);
        ASSERT_EQ(c.size(), 4U) << ligne;
        SCOPED_TRACE(ligne);
        ++lus;
        const Recherche_Nom recherche(QString::fromStdString(c[0]));
        const int64_t rang = std::stoll(c[1]);
        std::vector<QString> attendus;
        for (std::size_t k = 0; k < entier.orbites.size(); ++k)
            if ((rang == 0 || static_cast<int64_t>(k) == rang - 1) &&
                recherche.Contient(entier.orbites[k].Designation.toStdString()))
                attendus.push_back(entier.orbites[k].Designation);
        std::vector<QString> choisis;
        const Bilan_Lecture bilan = Lire_Orbites(
            Source_Texte(texte), [&](Orbite_Publiee&& o) { choisis.push_back(o.Designation); },
            [](int64_t) { return true; },
            [&](int64_t r, std::string_view nom) {
                return (rang == 0 || r == rang - 1) && recherche.Contient(nom);
            });
        EXPECT_EQ(choisis, attendus);
        EXPECT_EQ(static_cast<int>(choisis.size()), std::stoi(c[2]));
        EXPECT_EQ(choisis.empty() ? QString() : choisis[0], QString::fromStdString(c[3]));
        EXPECT_EQ(bilan.Orbites, entier.bilan.Orbites);
        EXPECT_EQ(bilan.Ignorees, entier.bilan.Ignorees);
        EXPECT_EQ(bilan.Distances_Nulles, entier.bilan.Distances_Nulles);
        EXPECT_EQ(bilan.Absurdes, entier.bilan.Absurdes);
    }
    EXPECT_EQ(lus, 19);
}

// The date of perihelion is written from its rounded units as the pattern
// "#0.####" writes the day: every tenth of a day or so over four years, now
// and around AD 1, the days with few decimals, and both separators.
TEST(Catalogue_Orbites, Date_Perihelie_Comme_Le_Motif) {
    int comparees = 0;
    for (const char separateur : {'.', ','}) {
        const Notation notation{separateur, " "};
        for (const double debut : {2451179.5, 1720000.5}) {
            for (double jj = debut; jj < debut + 1461; jj += 0.1031) {
                for (const double x : {jj, std::round(jj * 2) / 2, std::round(jj * 1000) / 1000}) {
                    const std::optional<Date_Perihelie> d = Date_Arrondie(x, 4);
                    ASSERT_TRUE(d);
                    const QString attendu =
                        Texte_Motif(d->Jour, "#0.####", notation) +
                        QStringLiteral("/%1/%2").arg(d->Mois, 2, 10, QChar(u'0')).arg(d->An);
                    ASSERT_EQ(Texte_Date_Perihelie(x, notation), attendu) << x;
                    ++comparees;
                }
            }
        }
    }
    EXPECT_GT(comparees, 150'000);
}

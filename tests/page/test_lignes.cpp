#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "astro/calendrier.h"
#include "astro/place.h"
#include "form/lecture_entree_page.h"
#include "page/lignes.h"
#include "plateforme/boite_memoire.h"

namespace {

constexpr int32_t Pas_Max = std::numeric_limits<int32_t>::max();
constexpr int32_t Pas_Min = std::numeric_limits<int32_t>::min();
constexpr double Secondes_Par_Jour = 86400;
constexpr double JJ_2000 = 2451544.5;  // 1 January 2000 at 0 h

// A comet as a user leaves it in the frame: a = 3, e = 0.5, perihelion on
// 1 January 2000, both equinoxes 2000, start 1 March 2000, one day a row.
class Lignes_Page : public ::testing::Test {
public:
    void SetUp() override {
        el = Elements{};
        page = Etat_Page{};
        pos = Position{};
        boite = Boite_Memoire{};
        Remplir_Instruments(tables);
        el.a = 3;
        el.e = 0.5;
        el.q = 1.5;
        el.i = 10;
        el.Omega = 30;
        el.gOmega = 80;
        el.Longitude_Perihelie = 110;
        el.Jour_Perihelie = 1;
        el.Mois_Perihelie = 1;
        el.An_Perihelie = 2000;
        el.JJ_Equinoxe = JJ_2000;
        el.JJ_Equinoxe_ephemeride = JJ_2000;
        el.Pas = 1;
        Ecrire(Controle::saisie_Jour_Perihelie, "1");
        Ecrire(Controle::saisie_Mois_Perihelie, "1");
        Ecrire(Controle::saisie_An_Perihelie, "2000");
        Ecrire(Controle::Equinoxe, "2000");
        Ecrire(Controle::Equinoxe_ephemeride, "2000");
        Debut("1/3/2000");
        Ecrire(Controle::Liste_Pas, "jours");
        Ecrire(Controle::Liste_Instruments, "Aucun");
    }

    void Ecrire(Controle c, const std::string& texte) {
        boite.Ecrire_Texte(c, QString::fromStdString(texte));
    }

    // The start date written "J/M/A", each part into its field.
    void Debut(const char* date) {
        const QStringList parties = QString::fromUtf8(date).split(u'/');
        boite.Ecrire_Texte(Controle::saisie_Jour, parties.value(0));
        boite.Ecrire_Texte(Controle::saisie_Mois, parties.value(1));
        boite.Ecrire_Texte(Controle::saisie_An, parties.value(2));
    }

    void Magnitude(const Controle (&champs)[4], const std::string (&textes)[4]) {
        for (int k = 0; k < 4; ++k) Ecrire(champs[k], textes[k]);
    }

    std::vector<Ligne_Ephemeride> Lignes(Modele_Calcul modele = Modele_Calcul::Classique) {
        std::vector<Ligne_Ephemeride> lignes;
        Generer_Lignes(Calcul(modele), [&lignes](const Ligne_Ephemeride& l) { lignes.push_back(l); });
        return lignes;
    }

    Elements el;
    Etat_Page page;
    Position pos;
    Tables_Instruments tables;
    Notation notation{',', " "};
    Boite_Memoire boite;

    // The page as the fields stand, read as the window reads them. These
    // tests check today's numbers: they run the classic model, which keeps them.
    Calcul_Page Calcul(Modele_Calcul modele = Modele_Calcul::Classique) {
        Entree_Page entree = Lire_Entree_Page(boite, el, page.Champs_A_Corriger, ',');
        entree.Modele.modele = modele;
        return {el, page, pos, tables, notation, entree};
    }
};

const Controle Champs_MT[4] = {Controle::Saisie_MT, Controle::Saisie_JMT, Controle::Saisie_MMT,
                               Controle::Saisie_AMT};
const Controle Champs_MN[4] = {Controle::Saisie_MN, Controle::Saisie_JMN, Controle::Saisie_MMN,
                               Controle::Saisie_AMN};

// A date that Normaliser_Date could have produced.
bool Date_Calendrier(const Ligne_Ephemeride& l) {
    return l.Mois >= 1 && l.Mois <= 12 && l.An >= An_Minimum && l.An <= An_Maximum && l.Jour >= 1 &&
           l.Jour < Longueur_Mois(l.Mois, l.An) + 1;
}

// Each gap on its own, then several at once, named in a fixed order.
TEST(Manques_Page, ChaqueManque) {
    using M = Manque_Page;
    struct Cas {
        const char* nom;
        void (*gater)(Elements&, Entree_Page&);
        std::vector<M> manques;
    };
    const Cas cas[] = {
        {"rien", [](Elements&, Entree_Page&) {}, {}},
        {"q nul", [](Elements& el, Entree_Page&) { el.q = 0.0001; }, {M::Distance_Perihelie}},
        {"q NaN", [](Elements& el, Entree_Page&) { el.q = std::nan(""); }, {M::Distance_Perihelie}},
        {"mois du périhélie", [](Elements& el, Entree_Page&) { el.Mois_Perihelie = 0; }, {M::Date_Perihelie}},
        {"texte d'équinoxe",
         [](Elements&, Entree_Page& e) { e.Equinoxe_Saisi = false; },
         {M::Equinoxe_Elements}},
        {"jour de l'équinoxe",
         [](Elements& el, Entree_Page&) { el.JJ_Equinoxe_ephemeride = 0; },
         {M::Equinoxe_Ephemeride}},
        {"pas nul", [](Elements&, Entree_Page& e) { e.Pas = 0; }, {M::Pas_Nul}},
        {"début illisible", [](Elements&, Entree_Page& e) { e.Debut.reset(); }, {M::Date_Debut}},
        {"champ refusé",
         [](Elements&, Entree_Page& e) { e.Champs_Corriges = false; },
         {M::Champs_A_Corriger}},
        {"tout",
         [](Elements& el, Entree_Page& e) {
             el = Elements{};
             e = Entree_Page{};
             e.Champs_Corriges = false;
         },
         {M::Distance_Perihelie, M::Date_Perihelie, M::Equinoxe_Elements, M::Equinoxe_Ephemeride, M::Pas_Nul,
          M::Date_Debut, M::Champs_A_Corriger}},
    };
    for (const Cas& c : cas) {
        Elements el;
        el.q = 1.5;
        el.Jour_Perihelie = el.Mois_Perihelie = el.An_Perihelie = 1;
        el.JJ_Equinoxe = el.JJ_Equinoxe_ephemeride = JJ_2000;
        Entree_Page e;
        e.Debut = Instant_Saisi{1, 3, 2000};
        e.Pas = 1;
        e.Equinoxe_Saisi = e.Equinoxe_Ephemeride_Saisi = true;
        c.gater(el, e);
        EXPECT_EQ(Manques_Page(el, e), c.manques) << c.nom;
    }
}

TEST(Nombre_Lignes, ParUnite) {
    const std::pair<int32_t, int32_t> cas[] = {{1, 24}, {2, 31}, {3, 12}, {4, 10}, {0, 0}, {5, 0}, {-1, 0}};
    for (const auto& [unite, lignes] : cas) EXPECT_EQ(Nombre_Lignes(unite), lignes) << "unité " << unite;
}

TEST_F(Lignes_Page, ValiditeDesChamps) {
    struct Cas {
        Controle champ;
        const char* texte;
        bool valide;
    };
    const Cas cas[] = {
        {Controle::saisie_Jour, "", false},    {Controle::saisie_Mois, "", false},
        {Controle::saisie_An, "", false},      {Controle::saisie_Jour, "  ", false},
        {Controle::saisie_Jour, "-,", false},  {Controle::saisie_Jour, "1,5", true},
        {Controle::saisie_Jour, "3e38", true}, {Controle::saisie_Jour, "1e39", false},
        {Controle::saisie_Mois, "3,0", false}, {Controle::saisie_An, "99999999999", false},
        {Controle::Equinoxe, "", false},       {Controle::Equinoxe_ephemeride, "", false},
    };
    for (const auto& c : cas) {
        SetUp();
        Ecrire(c.champ, c.texte);
        EXPECT_EQ(Preparer_Page(Calcul()), c.valide) << Nom_Controle(c.champ) << " \"" << c.texte << '"';
        EXPECT_EQ(page.Page_Valide, c.valide) << Nom_Controle(c.champ) << " \"" << c.texte << '"';
    }
}

TEST_F(Lignes_Page, ValiditeDesElements) {
    struct Cas {
        const char* nom;
        void (*changer)(Elements&);
        bool valide;
    };
    const Cas cas[] = {
        {"complets", [](Elements&) {}, true},
        {"Pas nul", [](Elements& e) { e.Pas = 0; }, false},
        {"Pas négatif", [](Elements& e) { e.Pas = -1; }, true},
        {"q = 0,0001", [](Elements& e) { e.q = 0.0001; }, false},
        {"q = 0,00011", [](Elements& e) { e.q = 0.00011; }, true},
        {"q non défini", [](Elements& e) { e.q = std::nan(""); }, false},
        {"jour de périhélie 0", [](Elements& e) { e.Jour_Perihelie = 0; }, false},
        {"mois de périhélie 0", [](Elements& e) { e.Mois_Perihelie = 0; }, false},
        {"an de périhélie 0", [](Elements& e) { e.An_Perihelie = 0; }, false},
        {"équinoxe écrite, valeur 0", [](Elements& e) { e.JJ_Equinoxe = 0; }, false},
        {"équinoxe d'éphéméride écrite, valeur 0", [](Elements& e) { e.JJ_Equinoxe_ephemeride = 0; }, false},
    };
    for (const auto& c : cas) {
        SetUp();
        c.changer(el);
        EXPECT_EQ(Preparer_Page(Calcul()), c.valide) << c.nom;
    }
}

// The same tests hold for the total and the nucleus magnitude.
TEST_F(Lignes_Page, DonneesDeMagnitude) {
    struct Cas {
        const char* nom;
        std::string textes[4];  // magnitude, day, month, year
        bool valide;
    };
    const Cas cas[] = {
        {"8,5 le 12/3/2024", {"8,5", "12", "3", "2024"}, true},
        {"année 1582", {"8,5", "12", "3", "1582"}, false},
        {"année 1583", {"8,5", "12", "3", "1583"}, true},
        {"mois 0", {"8,5", "12", "0", "2024"}, false},
        {"mois 13, sans borne haute", {"8,5", "12", "13", "2024"}, true},
        {"jour 0,5", {"8,5", "0,5", "3", "2024"}, false},
        {"jour 12,5 venu d'un fichier", {"8,5", "12,5", "3", "2024"}, true},
        {"jour à l'autre séparateur", {"8,5", "12.5", "3", "2024"}, false},
        {"jour hors des flottants", {"8,5", std::string(40, '9'), "3", "2024"}, false},
        {"magnitude vide", {"", "12", "3", "2024"}, false},
        {"mois 3,0", {"8,5", "12", "3,0", "2024"}, false},
        {"an hors de 32 bits", {"8,5", "12", "3", "99999999999"}, false},
        {"signe moins seul", {"-", "12", "3", "2024"}, false},
        {"-1,5", {"-1,5", "12", "3", "2024"}, true},
        {"moins et virgule", {"-,", "12", "3", "2024"}, false},
        {"magnitude en blancs", {"   ", "12", "3", "2024"}, false},
    };
    for (const auto& c : cas) {
        SetUp();
        Magnitude(Champs_MT, c.textes);
        Preparer_Page(Calcul());
        EXPECT_EQ(page.MT_Valide, c.valide) << "MT " << c.nom;
        EXPECT_FALSE(page.MN_Valide) << "MT " << c.nom;

        SetUp();
        Magnitude(Champs_MN, c.textes);
        Preparer_Page(Calcul());
        EXPECT_EQ(page.MN_Valide, c.valide) << "MN " << c.nom;
        EXPECT_FALSE(page.MT_Valide) << "MN " << c.nom;
    }
}

// A list text that matches no item leaves the value as it was.
TEST_F(Lignes_Page, Listes) {
    struct Cas {
        Controle liste;
        const char* texte;
        int32_t avant;
        int32_t apres;
    };
    const Cas cas[] = {
        {Controle::Liste_Instruments, "Aucun", 3, 0}, {Controle::Liste_Instruments, "Estrane", 0, 5},
        {Controle::Liste_Instruments, "Estr", 3, 3},  {Controle::Liste_Pas, "heures", 2, 1},
        {Controle::Liste_Pas, "années", 2, 4},        {Controle::Liste_Pas, "annees", 3, 3},
    };
    for (const auto& c : cas) {
        SetUp();
        int32_t& valeur = c.liste == Controle::Liste_Instruments ? el.Instrument : el.Unite_Pas;
        valeur = c.avant;
        Ecrire(c.liste, c.texte);
        Preparer_Page(Calcul());
        EXPECT_EQ(valeur, c.apres) << c.texte;
    }
}

TEST_F(Lignes_Page, JourJulienDuPerihelie) {
    struct Cas {
        const char* nom;
        bool julienne;
        const char* jour;
        double jj;
    };
    const Cas cas[] = {
        {"date du calendrier", false, "1", JJ_2000},
        {"date et heure", false, "1,25", JJ_2000 + 0.25},
        {"jour julien tapé", true, "2451600,5", 2451600.5},
    };
    for (const auto& c : cas) {
        SetUp();
        boite.Cocher(Controle::Julienne, c.julienne);
        Ecrire(Controle::saisie_Jour_Perihelie, c.jour);
        ASSERT_TRUE(Preparer_Page(Calcul())) << c.nom;
        EXPECT_NEAR(el.JJ_Perihelie, c.jj, 1e-9) << c.nom;
    }
}

// At 1 March 2000 the comet stands at r ≈ 1.611289 AU, Δ ≈ 0.716295 AU; the
// row at an observation instant gives back the typed magnitude, since r and Δ
// half an hour later nearly cancel.
TEST_F(Lignes_Page, Magnitudes) {
    const double r = 1.611289;
    const double Delta = 0.716295;
    Magnitude(Champs_MT, {"10", "1", "3", "2000"});
    Magnitude(Champs_MN, {"14,5", "11", "3", "2000"});
    ASSERT_TRUE(Preparer_Page(Calcul()));
    ASSERT_TRUE(page.MT_Valide && page.MN_Valide);
    EXPECT_NEAR(page.Lois.totale.Zero, 10 - 10 * std::log10(r) - 5 * std::log10(Delta), 1e-5);
    const std::vector<Ligne_Ephemeride> lignes = Lignes();
    ASSERT_EQ(lignes.size(), 31u);
    EXPECT_NEAR(lignes[0].M1, 10, 0.1);
    EXPECT_NEAR(lignes[10].M2, 14.5, 0.1);
    EXPECT_GT(std::fabs(lignes[30].M1 - 10), 0.1);  // thirty days on, the distances have changed
    // r enters the nucleus law with half the weight of the total law.
    SetUp();
    Magnitude(Champs_MN, {"14,5", "1", "3", "2000"});
    ASSERT_TRUE(Preparer_Page(Calcul()));
    EXPECT_NEAR(page.Lois.noyau.Zero, 14.5 - 5 * std::log10(r) - 5 * std::log10(Delta), 1e-5);
}

// Laws as the readers make them of an MPC comet line with k = 6, an MPCORB
// asteroid and a Horizons comet with a phase term: the first row, at r, Δ
// and β of 1 March 2000 (R ≈ 0.9908 AU), in both models; a column shows
// only for a law that was imported.
TEST_F(Lignes_Page, MagnitudesDesLoisImportees) {
    const double r = 1.611289;
    const double Delta = 0.716295;
    const double beta = Angle_Phase(r, Delta, 0.9908);
    const double Inconnue = std::nan("");
    struct Cas {
        const char* nom;
        Lois_Magnitude lois;
        double M1;  // NaN: the column is hidden
        double M2;
    };
    Lois_Magnitude mpc;
    mpc.totale = Loi_Comete(11.5, 2.5 * 6, 0, Origine_Loi::Importee);
    Lois_Magnitude mpcorb;
    mpcorb.noyau = Loi_Asteroide(3.34, 0.12, Origine_Loi::Importee);
    const Lois_Magnitude horizons{Loi_Comete(12, 12.5, 0, Origine_Loi::Importee),
                                  Loi_Comete(15, 5, 0.035, Origine_Loi::Importee)};
    const double log_r = std::log10(r);
    const double log_Delta = std::log10(Delta);
    const Cas cas[] = {
        {"comète MPC", mpc, 11.5 + 5 * log_Delta + 15 * log_r, Inconnue},
        {"MPCORB", mpcorb, Inconnue,
         3.34 + 5 * (log_r + log_Delta) - 2.5 * std::log10(Fonction_Phase_HG(0.12, beta))},
        {"Horizons", horizons, 12 + 5 * log_Delta + 12.5 * log_r,
         15 + 5 * log_Delta + 5 * log_r + 0.035 * beta},
    };
    for (const Modele_Calcul modele : {Modele_Calcul::Classique, Modele_Calcul::Precis}) {
        for (const Cas& c : cas) {
            SetUp();
            el.Lois = c.lois;
            ASSERT_TRUE(Preparer_Page(Calcul(modele))) << c.nom;
            EXPECT_EQ(page.MT_Valide, !std::isnan(c.M1)) << c.nom;
            EXPECT_EQ(page.MN_Valide, !std::isnan(c.M2)) << c.nom;
            const std::vector<Ligne_Ephemeride> lignes = Lignes(modele);
            ASSERT_FALSE(lignes.empty()) << c.nom;
            if (page.MT_Valide) {
                EXPECT_NEAR(lignes[0].M1, c.M1, 0.01) << c.nom;
            }
            if (page.MN_Valide) {
                EXPECT_NEAR(lignes[0].M2, c.M2, 0.01) << c.nom;
            }
        }
    }
}

// A typed estimate moves the law to pass through it and keeps its slope: the
// rows shift by one constant, in both columns and both models.
TEST_F(Lignes_Page, EstimationRecalibreLaLoi) {
    const Lois_Magnitude horizons{Loi_Comete(12, 12.5, 0, Origine_Loi::Importee),
                                  Loi_Comete(15, 5, 0.035, Origine_Loi::Importee)};
    for (const Modele_Calcul modele : {Modele_Calcul::Classique, Modele_Calcul::Precis}) {
        SetUp();
        el.Lois = horizons;
        ASSERT_TRUE(Preparer_Page(Calcul(modele)));
        const std::vector<Ligne_Ephemeride> publiees = Lignes(modele);
        SetUp();
        el.Lois = horizons;
        Magnitude(Champs_MT, {"9", "1", "3", "2000"});
        Magnitude(Champs_MN, {"13", "1", "3", "2000"});
        ASSERT_TRUE(Preparer_Page(Calcul(modele)));
        EXPECT_EQ(page.Lois.totale.K, 12.5);
        EXPECT_EQ(page.Lois.noyau.PC, 0.035);
        const std::vector<Ligne_Ephemeride> estimees = Lignes(modele);
        ASSERT_EQ(estimees.size(), publiees.size());
        EXPECT_NEAR(estimees[0].M1, 9, 0.01);
        EXPECT_NEAR(estimees[0].M2, 13, 0.01);
        for (std::size_t k = 0; k < estimees.size(); ++k) {
            EXPECT_NEAR(estimees[k].M1 - publiees[k].M1, estimees[0].M1 - publiees[0].M1, 1e-9) << k;
            EXPECT_NEAR(estimees[k].M2 - publiees[k].M2, estimees[0].M2 - publiees[0].M2, 1e-9) << k;
        }
    }
}

TEST_F(Lignes_Page, TextesDeLaLigne) {
    Ecrire(Controle::Liste_Instruments, "Arbelin");
    ASSERT_TRUE(Preparer_Page(Calcul()));
    const std::vector<Ligne_Ephemeride> lignes = Lignes();
    ASSERT_FALSE(lignes.empty());
    const Textes_Ligne& t = lignes[0].textes;
    EXPECT_EQ(t.Texte_Alpha_h + t.Texte_Alpha_m + t.Texte_Alpha_s, "09h04m33s");
    EXPECT_EQ(t.Texte_Delta_d + t.Texte_Delta_m + t.Texte_Delta_s, " 38°51'37\"");
    EXPECT_EQ(t.Texte_Distance, "0,716 UA");
    EXPECT_EQ(t.Texte_Derive_a, "0,48 mn/j");
    EXPECT_EQ(t.Texte_Derive_d, "-6,9 '/j");
    EXPECT_EQ(t.Texte_Reglage_a, "-0,014");
}

// The precise row is the place at the row's own instant, taken as UTC: its
// distance and magnitude are those of that instant, its drifts the centred
// difference over the hour; it moves a few seconds of arc from the classic row.
TEST_F(Lignes_Page, LignePrecise) {
    Magnitude(Champs_MT, {"10", "1", "3", "2000"});
    ASSERT_TRUE(Preparer_Page(Calcul(Modele_Calcul::Precis)));
    const std::vector<Ligne_Ephemeride> precises = Lignes(Modele_Calcul::Precis);
    const std::vector<Ligne_Ephemeride> classiques = Lignes();
    ASSERT_EQ(precises.size(), 31u);
    const double jj = Date_Vers_JJ(3, 2000, 1);
    Calcul_Place calcul(el, jj, jj);
    const Place avant = calcul.Calculer(jj - Demi_Heure, Choix_Modele{});
    const Place p = calcul.Calculer(jj, Choix_Modele{});
    const Place apres = calcul.Calculer(jj + Demi_Heure, Choix_Modele{});
    const Ligne_Ephemeride& l = precises[0];
    EXPECT_NEAR(l.Alpha, p.Alpha, 1e-12);
    EXPECT_NEAR(l.Delta, p.Delta, 1e-12);
    EXPECT_NEAR(l.Distance_Terre, p.Distance_Terre, 1e-12);
    // Observed on the first row's date, the magnitude comes back as observed.
    EXPECT_NEAR(l.M1, 10, 1e-9);
    Ligne_Calculee derives;
    Calculer_Derives(avant.Alpha, avant.Delta, apres.Alpha, apres.Delta, ',', derives);
    EXPECT_EQ(l.textes.Texte_Derive_a, derives.textes.Texte_Derive_a);
    EXPECT_EQ(l.textes.Texte_Derive_d, derives.textes.Texte_Derive_d);
    const double ecart =
        std::hypot((l.Alpha - classiques[0].Alpha) * std::cos(l.Delta), l.Delta - classiques[0].Delta) /
        Radians_Par_Seconde;
    EXPECT_GT(ecart, 1);
    EXPECT_LT(ecart, 60);
}

// With a site, a daily row's rise, transit and set follow the apparent place
// of the date, seen from the site when asked: what a search of that place
// finds, a few seconds of time from the classic sky.
TEST_F(Lignes_Page, VisibilitePrecise) {
    const Site_Observation paris{QStringLiteral("Paris"), {48.85, 2.35, 35}, 15, true};
    const double jj = Date_Vers_JJ(3, 2000, 1);
    struct Cas {
        const char* nom;
        Modele_Calcul modele;
        bool topocentrique;
        double ecart_minimum;  // seconds of time from the classic sky, the largest of the three events
        double ecart_maximum;
    };
    // The precise place moves the body by some 20" (aberration, light time,
    // the Earth); from the site, the parallax lowers it by some 9"/Δ more,
    // so that it rises later and sets earlier.
    const Cas cas[] = {
        {"classique", Modele_Calcul::Classique, false, 0, 0},
        {"précis", Modele_Calcul::Precis, false, 0.5, 5},
        {"précis topocentrique", Modele_Calcul::Precis, true, 2, 8},
    };
    std::optional<Visibilite_Jour> geocentrique;
    for (const Cas& k : cas) {
        Calcul_Page c = Calcul(k.modele);
        c.entree.Modele.topocentrique = k.topocentrique;
        c.site = &paris;
        ASSERT_TRUE(Preparer_Page(c)) << k.nom;
        std::vector<Ligne_Ephemeride> lignes;
        Generer_Lignes(c, [&lignes](const Ligne_Ephemeride& l) { lignes.push_back(l); });
        ASSERT_EQ(lignes.size(), 31u) << k.nom;
        Calcul_Place calcul(el, jj);
        const Choix_Modele choix{Modele_Calcul::Precis, k.topocentrique, true};
        const Lieu_Observation* lieu = k.topocentrique ? &paris.lieu : nullptr;
        const Visibilite_Jour classique = Calculer_Visibilite_Jour(el, jj, paris.lieu);
        const Visibilite_Jour attendue =
            k.modele == Modele_Calcul::Classique
                ? classique
                : Calculer_Visibilite_Ciel(Preparer_Ciel(
                                               [&](double t) {
                                                   const Place p = calcul.Calculer(t, choix, lieu);
                                                   return Equatoriales{p.Alpha, p.Delta};
                                               },
                                               jj),
                                           jj, paris.lieu);
        const Textes_Visibilite t = Textes_Visibilite_Jour(attendue, notation);
        const Textes_Visibilite& l = lignes[0].visibilite;
        EXPECT_EQ(l.Lever, t.Lever) << k.nom;
        EXPECT_EQ(l.Passage, t.Passage) << k.nom;
        EXPECT_EQ(l.Coucher, t.Coucher) << k.nom;
        EXPECT_EQ(l.Hauteur, t.Hauteur) << k.nom;
        EXPECT_EQ(l.Nuit, t.Nuit) << k.nom;
        const std::pair<std::optional<double>, std::optional<double>> evenements[] = {
            {attendue.Lever, classique.Lever},
            {attendue.Passage, classique.Passage},
            {attendue.Coucher, classique.Coucher}};
        double ecart = 0;
        for (const auto& [precis, classe] : evenements) {
            ASSERT_TRUE(precis && classe) << k.nom;
            ecart = std::max(ecart, std::fabs(*precis - *classe) * Secondes_Par_Jour);
        }
        EXPECT_GE(ecart, k.ecart_minimum) << k.nom;
        EXPECT_LE(ecart, k.ecart_maximum) << k.nom;
        if (k.topocentrique) {
            ASSERT_TRUE(geocentrique);
            EXPECT_GT(*attendue.Lever, *geocentrique->Lever);
            EXPECT_LT(*attendue.Coucher, *geocentrique->Coucher);
        } else if (k.modele == Modele_Calcul::Precis) {
            geocentrique = attendue;
        }
    }
}

// One row per checked date; every run also gives its unit's number of rows.
TEST_F(Lignes_Page, DatesDesLignes) {
    struct Cas {
        const char* nom;
        const char* unite;
        int32_t pas;
        const char* debut;
        std::size_t ligne;
        double jour;
        int32_t mois;
        int32_t an;
    };
    const double h = 1.0 / 24;
    const Cas cas[] = {
        {"heures, Pas 1, début", "heures", 1, "15/6/2024", 0, 15, 6, 2024},
        {"heures, Pas 1, fin", "heures", 1, "15/6/2024", 23, 15 + 23 * h, 6, 2024},
        {"heures, Pas 2, avant minuit", "heures", 2, "15/6/2024", 11, 15 + 22 * h, 6, 2024},
        {"heures, Pas 2, minuit", "heures", 2, "15/6/2024", 12, 16, 6, 2024},
        {"heures, Pas 2, fin", "heures", 2, "15/6/2024", 23, 16 + 22 * h, 6, 2024},
        {"jours, 31 janvier", "jours", 1, "30/1/2024", 1, 31, 1, 2024},
        {"jours, 1er février", "jours", 1, "30/1/2024", 2, 1, 2, 2024},
        {"jours, fin au 29 février", "jours", 1, "30/1/2024", 30, 29, 2, 2024},
        {"Pas 7 jours", "jours", 7, "1/1/2024", 1, 8, 1, 2024},
        {"Pas 7 jours, fin", "jours", 7, "1/1/2024", 30, 29, 7, 2024},
        {"Pas -1 jour, jour 0 laissé", "jours", -1, "2/3/2024", 2, 0, 3, 2024},
        {"mois depuis le 31 janvier", "mois", 1, "31/1/2023", 1, 3, 3, 2023},
        {"mois, puis le 3 avril", "mois", 1, "31/1/2023", 2, 3, 4, 2023},
        {"mois à travers l'année", "mois", 1, "15/11/2023", 2, 15, 1, 2024},
        {"années, début au 29 février", "années", 1, "29/2/2024", 0, 29, 2, 2024},
        {"années, 1er mars", "années", 1, "29/2/2024", 1, 1, 3, 2025},
        {"années, 1er mars bissextile", "années", 1, "29/2/2024", 4, 1, 3, 2028},
    };
    for (const auto& c : cas) {
        SetUp();
        Ecrire(Controle::Liste_Pas, c.unite);
        el.Pas = c.pas;
        Debut(c.debut);
        ASSERT_TRUE(Preparer_Page(Calcul())) << c.nom;
        const std::vector<Ligne_Ephemeride> lignes = Lignes();
        ASSERT_EQ(lignes.size(), static_cast<std::size_t>(Nombre_Lignes(el.Unite_Pas))) << c.nom;
        const Ligne_Ephemeride& l = lignes[c.ligne];
        EXPECT_NEAR(l.Jour, c.jour, 1e-4) << c.nom;
        EXPECT_EQ(l.Mois, c.mois) << c.nom;
        EXPECT_EQ(l.An, c.an) << c.nom;
    }
}

// Steps and start dates beyond what a date can hold end the ephemeris at
// once: every row handed over is the start date or a calendar date.
TEST_F(Lignes_Page, ValeursExtremes) {
    struct Cas {
        const char* nom;
        const char* unite;
        int32_t pas;
        const char* debut;
        std::size_t lignes;
    };
    const Cas cas[] = {
        {"jours, Pas maximal", "jours", Pas_Max, "1/1/2024", 2},
        {"heures, Pas maximal", "heures", Pas_Max, "1/1/2024", 24},
        {"mois, Pas maximal", "mois", Pas_Max, "1/1/2024", 1},
        {"mois, Pas au-delà des années", "mois", 2147483600, "1/1/2024", 1},
        {"années, Pas maximal", "années", Pas_Max, "1/1/2024", 1},
        {"années, Pas minimal", "années", Pas_Min, "1/1/2024", 1},
        {"jour de début 3e38", "jours", 1, "3e38/1/2024", 1},
        {"heures depuis le jour 3e38", "heures", Pas_Max, "3e38/1/2024", 1},
        {"jour de début hors des flottants", "jours", 1, "1e39/1/2024", 0},
        {"jour de début illisible", "jours", 1, "-,/1/2024", 0},
        {"an de début maximal", "jours", 1, "1/1/2147483647", 1},
        {"mois de début maximal", "mois", 1, "1/2147483647/2024", 1},
        {"an de début minimal, années", "années", -1, "1/1/-2147483648", 1},
    };
    for (const auto& c : cas) {
        SetUp();
        Ecrire(Controle::Liste_Pas, c.unite);
        el.Pas = c.pas;
        Debut(c.debut);
        const auto debut = std::chrono::steady_clock::now();
        EXPECT_EQ(Preparer_Page(Calcul()), c.lignes > 0) << c.nom;
        const std::vector<Ligne_Ephemeride> lignes = Lignes();
        const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
        EXPECT_LT(duree.count(), 2.0) << c.nom;
        ASSERT_EQ(lignes.size(), c.lignes) << c.nom;
        for (std::size_t k = 1; k < lignes.size(); ++k)
            EXPECT_TRUE(Date_Calendrier(lignes[k])) << c.nom << ", ligne " << k;
    }
}

// An orbit the computation cannot place gives undefined magnitudes, no crash.
TEST_F(Lignes_Page, DistancesNonDefinies) {
    el.a = std::nan("");
    Magnitude(Champs_MT, {"10", "1", "3", "2000"});
    ASSERT_TRUE(Preparer_Page(Calcul()));
    ASSERT_TRUE(page.MT_Valide);
    EXPECT_FALSE(std::isfinite(page.Lois.totale.Zero));
    const std::vector<Ligne_Ephemeride> lignes = Lignes();
    ASSERT_EQ(lignes.size(), 31u);
    for (const Ligne_Ephemeride& l : lignes) EXPECT_FALSE(std::isfinite(l.M1)) << l.Jour;
}

}  // namespace

namespace {

constexpr double Epoque_1990 = 2447893.5;  // 2 January 1990 at 0 h TT

// The rows' places, first to last.
std::vector<double> Ascensions(const std::vector<Ligne_Ephemeride>& lignes) {
    std::vector<double> alpha;
    for (const Ligne_Ephemeride& l : lignes) alpha.push_back(l.Alpha);
    return alpha;
}

// The page moved by a day continues the integration it kept, and finds the
// place the first build found for that day; a change of anything the
// integration starts from gives the rows a fresh integration would.
TEST_F(Lignes_Page, PerturbeeContinueOuRecommence) {
    el.Epoque.JJ_Epoque = Epoque_1990;
    ASSERT_TRUE(Preparer_Page(Calcul(Modele_Calcul::Precis)));
    const std::vector<Ligne_Ephemeride> premiere = Lignes(Modele_Calcul::Precis);
    const std::shared_ptr<Mouvement_Perturbe> gardee = page.Mouvement.Pour(el);
    ASSERT_NE(gardee, nullptr);
    const long pas_premiere = gardee->Pas_Effectues();
    Debut("2/3/2000");
    const std::vector<Ligne_Ephemeride> suivante = Lignes(Modele_Calcul::Precis);
    EXPECT_EQ(page.Mouvement.Pour(el), gardee);
    EXPECT_LT(gardee->Pas_Effectues() - pas_premiere, pas_premiere / 20);
    // The Earth's nodes of the two pages differ: 1e-9 AU, 0.0002″.
    EXPECT_NEAR(suivante[0].Alpha, premiere[1].Alpha, 1e-9);

    struct Changement {
        const char* nom;
        void (*changer)(Elements&);
    };
    const Changement changements[] = {
        {"e", [](Elements& e) { e.e += 1e-4; }},
        {"i", [](Elements& e) { e.i += 1e-3; }},
        {"epoque", [](Elements& e) { *e.Epoque.JJ_Epoque += 30; }},
        {"A1",
         [](Elements& e) {
             e.Epoque.Non_Grav = Non_Gravitationnel{1e-8, 0, 0};
         }},
        {"equinoxe", [](Elements& e) { e.JJ_Equinoxe += 365.25; }},
    };
    const Elements depart = el;
    for (const Changement& c : changements) {
        el = depart;
        c.changer(el);
        const std::vector<double> apres = Ascensions(Lignes(Modele_Calcul::Precis));
        const Elements change = el;
        page = Etat_Page{};
        const std::vector<double> fraiche = Ascensions(Lignes(Modele_Calcul::Precis));
        ASSERT_EQ(apres.size(), fraiche.size()) << c.nom;
        for (std::size_t k = 0; k < apres.size(); ++k) EXPECT_NEAR(apres[k], fraiche[k], 1e-11) << c.nom << k;
        EXPECT_GT(std::fabs(apres[0] - suivante[0].Alpha), 1e-8) << c.nom;
        el = change;
    }
}

// Without an epoch, or with the planets' pull turned off, the rows are the
// two-body ones, and the header says which motion made them.
TEST_F(Lignes_Page, PerturbeeOuDeuxCorps) {
    ASSERT_TRUE(Preparer_Page(Calcul(Modele_Calcul::Precis)));
    const std::vector<double> deux_corps = Ascensions(Lignes(Modele_Calcul::Precis));
    struct Cas {
        const char* nom;
        std::optional<double> epoque;
        bool perturbations;
        bool comme_deux_corps;
        const char* fin_modele;
    };
    const Cas cas[] = {
        {"sans epoque", std::nullopt, true, true, ", deux corps"},
        {"coupee", Epoque_1990, false, true, ", deux corps"},
        {"perturbee", Epoque_1990, true, false, ", perturbé depuis l'époque 02/01/1990 TT"},
    };
    for (const Cas& c : cas) {
        el.Epoque.JJ_Epoque = c.epoque;
        Calcul_Page calcul = Calcul(Modele_Calcul::Precis);
        calcul.entree.Modele.perturbations = c.perturbations;
        std::vector<double> alpha;
        Generer_Lignes(calcul, [&alpha](const Ligne_Ephemeride& l) { alpha.push_back(l.Alpha); });
        ASSERT_EQ(alpha.size(), deux_corps.size()) << c.nom;
        EXPECT_EQ(alpha == deux_corps, c.comme_deux_corps) << c.nom;
        EXPECT_TRUE(Texte_Modele(calcul).endsWith(QString::fromUtf8(c.fin_modele)))
            << c.nom << ' ' << Texte_Modele(calcul).toStdString();
    }
    el.Epoque.JJ_Epoque = Epoque_1990;
    EXPECT_EQ(Texte_Modele(Calcul(Modele_Calcul::Classique)), QString());
}

// The rows past 200 years from the epoch say so, with their date; the rows
// before keep their places.
TEST_F(Lignes_Page, PerturbeeAuDelaDeDeuxCentsAns) {
    const double epoque = Date_Vers_JJ(3, 1800, 16);
    el.Epoque.JJ_Epoque = epoque;
    ASSERT_TRUE(Preparer_Page(Calcul(Modele_Calcul::Precis)));
    const std::vector<Ligne_Ephemeride> lignes = Lignes(Modele_Calcul::Precis);
    ASSERT_EQ(lignes.size(), 31u);
    int refusees = 0;
    for (const Ligne_Ephemeride& l : lignes) {
        const double jj = Date_Vers_JJ(l.Mois, static_cast<float>(l.An), l.Jour);
        const bool trop_loin = jj - epoque > Ecart_Maximum_Epoque;
        EXPECT_EQ(l.Message,
                  trop_loin ? QString::fromUtf8("Plus de 200 ans depuis l'époque d'osculation") : QString())
            << l.Jour;
        EXPECT_EQ(std::isfinite(l.Alpha), !trop_loin) << l.Jour;
        EXPECT_TRUE(Date_Calendrier(l)) << l.Jour;
        refusees += trop_loin;
    }
    EXPECT_GT(refusees, 0);
    EXPECT_LT(refusees, 31);
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "astro/calendrier.h"
#include "support/page_exemple.h"

namespace {

// Paris: the body of the example rises, passes and sets each day of March 2000.
const Site_Observation Paris{QStringLiteral("Paris"), {48.85, 2.35, 35}, 15, true};

std::vector<std::string> Textes_A(const Canevas_Enregistreur& cv, int y, int x_min) {
    std::vector<std::string> t;
    for (const auto& e : cv.Textes())
        if (e.y == y && e.x >= x_min)
            t.push_back(QStringLiteral("%1@%2").arg(e.texte).arg(e.x).toStdString());
    return t;
}

std::vector<int> Regles_Entete(const Canevas_Enregistreur& cv, int x_min) {
    std::vector<int> x;
    for (const auto& t : cv.Verticaux())
        if (t.y1 == 0 && t.y2 == 20 && t.x1 > x_min) x.push_back(t.x1);
    return x;
}

TEST(Textes_Visibilite, HeuresEtDegres) {
    const double J0 = 2451604.5;
    const Notation n{',', " "};
    struct Cas {
        std::optional<double> jj;
        const char* texte;
    };
    const Cas heures[] = {
        {J0, "00:00"},
        {J0 + (12 * 60 + 30.4) / 1440, "12:30"},
        {J0 + (12 * 60 + 30.6) / 1440, "12:31"},
        {J0 + (23 * 60 + 59.7) / 1440, "23:59"},  // not 24:00
        {std::nullopt, "--"},
        {NAN, "--"},
    };
    for (const Cas& c : heures) EXPECT_EQ(Texte_Heure_TU(c.jj, J0), QString::fromUtf8(c.texte)) << c.texte;
    EXPECT_EQ(Texte_Degres(47.25, n), QStringLiteral("47,3"));
    EXPECT_EQ(Texte_Degres(-12.34, n), QStringLiteral("-12,3"));
    EXPECT_EQ(Texte_Degres(std::nullopt, n), QStringLiteral("--"));
    EXPECT_EQ(Texte_Degres(INFINITY, n), QStringLiteral("--"));
}

TEST(Textes_Visibilite, CircumpolaireEtJamaisLeve) {
    const Notation n{',', " "};
    Visibilite_Jour v;
    v.JJ_0h = 2451604.5;
    v.Passage = v.JJ_0h + 0.5;
    v.Hauteur_Passage = 60;
    v.cours = Cours::Circumpolaire;
    Textes_Visibilite t = Textes_Visibilite_Jour(v, n);
    EXPECT_EQ(t.Lever, QStringLiteral("circ."));
    EXPECT_EQ(t.Coucher, QStringLiteral("circ."));
    EXPECT_EQ(t.Passage, QStringLiteral("12:00"));
    EXPECT_EQ(t.Hauteur, QStringLiteral("60,0"));
    EXPECT_EQ(t.Nuit, QStringLiteral("--"));  // never dark
    v.cours = Cours::Invisible;
    v.Passage.reset();
    t = Textes_Visibilite_Jour(v, n);
    EXPECT_EQ(t.Lever, QStringLiteral("--"));
    EXPECT_EQ(t.Coucher, QStringLiteral("--"));
    EXPECT_EQ(t.Hauteur, QStringLiteral("--"));
}

class Visibilite_Ecran : public ::testing::Test {
protected:
    void Construire(const char* unite, std::optional<Site_Observation> site) {
        p.Choisir_Unite(unite);
        p.site = std::move(site);
        p.ecran.Oublier();
        Construire_Page(p.Contexte());
    }
    Page_Exemple p;
};

TEST_F(Visibilite_Ecran, ColonnesALaDroite) {
    struct Cas {
        const char* nom;
        const char* instrument;
        const char* unite;
        int depart;  // right edge of the columns before the visibility
        std::vector<std::string> entete;
        std::vector<int> regles;
        int largeur_image;
    };
    const Cas cas[] = {
        {"jours, télescope et magnitudes",
         "Arbelin",
         "jours",
         686,
         {"Elong.@688", "Lever TU@728", "Passage TU@781", "Haut.@849", "Coucher TU@887", "Nuit@958"},
         {726, 778, 844, 884, 950, 990},
         1015},
        {"heures, sans rien",
         "Aucun",
         "heures",
         466,
         {"Elong.@468", "Haut.@511", "Azim.@551"},
         {506, 546, 586},
         660},
        {"mois",
         "Aucun",
         "mois",
         466,
         {"Elong.@468", "Lever TU@508", "Passage TU@561", "Haut.@629", "Coucher TU@667", "Nuit@738"},
         {506, 558, 624, 664, 730, 770},
         770},
    };
    for (const Cas& c : cas) {
        const bool magnitudes = c.depart == 686;
        p.Choisir(c.instrument, magnitudes, magnitudes);
        Construire(c.unite, Paris);
        EXPECT_EQ(Textes_A(p.ecran, 0, c.depart), c.entete) << c.nom;
        EXPECT_EQ(Regles_Entete(p.ecran, c.depart), c.regles) << c.nom;
        EXPECT_EQ(p.boite.Geometrie(Controle::Fenetre).width(), c.largeur_image) << c.nom;
        // Every row has a text in each visibility column.
        EXPECT_EQ(Textes_A(p.ecran, 17 * 3 + 7, c.depart).size(), c.entete.size()) << c.nom;
    }
}

// The first row shows what the computation finds for the start date at the site.
TEST_F(Visibilite_Ecran, PremiereLigneDuCalcul) {
    Construire("jours", Paris);
    Elements el = p.el;
    const Visibilite_Jour v = Calculer_Visibilite_Jour(el, Date_Vers_JJ(3, 2000, 1), Paris.lieu);
    const Textes_Visibilite t = Textes_Visibilite_Jour(v, p.notation);
    ASSERT_TRUE(v.Lever && v.Passage && v.Coucher && v.Hauteur_Noire);
    std::vector<std::string> ligne = Textes_A(p.ecran, 17 + 7, 466);
    std::vector<std::string> attendue;
    const int bords[] = {501, 553, 619, 659, 725, 765};
    const QString textes[] = {t.Elongation, t.Lever, t.Passage, t.Hauteur, t.Coucher, t.Nuit};
    for (int k = 0; k < 6; ++k)
        attendue.push_back(
            QStringLiteral("%1@%2").arg(textes[k]).arg(bords[k] - 6 * textes[k].size()).toStdString());
    EXPECT_EQ(ligne, attendue);
}

// Without a site, or with its box unchecked, the drawing is call for call the same.
TEST_F(Visibilite_Ecran, SansSiteOuDecocheRienNeChange) {
    Construire("jours", std::nullopt);
    const auto textes = p.ecran.Textes().size();
    const auto traits = p.ecran.Traits().size();
    const int largeur = p.boite.Geometrie(Controle::Fenetre).width();
    Site_Observation decoche = Paris;
    decoche.Afficher = false;
    Construire("jours", decoche);
    EXPECT_EQ(p.ecran.Textes().size(), textes);
    EXPECT_EQ(p.ecran.Traits().size(), traits);
    EXPECT_EQ(p.boite.Geometrie(Controle::Fenetre).width(), largeur);
    EXPECT_TRUE(p.ecran.Trouver(QStringLiteral("Elong.")).empty());
}

// The left end of the rule under the printed header.
int Gauche_Tableau(const Canevas_Enregistreur& cv, int largeur) {
    for (const auto& t : cv.Horizontaux())
        if (t.x2 - t.x1 == largeur) return t.x1;
    return -1;
}

TEST(Visibilite_Papier, PaysageQuandLeTableauDeborde) {
    struct Cas {
        const char* nom;
        bool site;
        const char* instrument;
        bool magnitudes;
        const char* unite;
        bool paysage;
    };
    // 300 dpi, 2400 dots in portrait, 3300 in landscape: today's widest
    // table is 2272 dots; the visibility adds 930 for days, 435 for hours.
    const Cas cas[] = {
        {"sans site", false, "Arbelin", true, "jours", false},
        {"site, télescope, jours", true, "Arbelin", true, "jours", true},
        {"site, heures, rien d'autre", true, "Aucun", false, "heures", false},
        {"site, heures, télescope", true, "Arbelin", false, "heures", true},
    };
    for (const Cas& c : cas) {
        Page_Exemple p;
        Canevas_Enregistreur papier{300, 2400, 3300};
        p.Choisir(c.instrument, c.magnitudes, c.magnitudes);
        p.Choisir_Unite(c.unite);
        if (c.site) p.site = Paris;
        p.boite.Fixer_Imprimante(&papier);
        p.dessin.Impression = true;
        Construire_Page(p.Contexte());
        EXPECT_EQ(papier.Paysage(), c.paysage) << c.nom;
        const int largeur = c.paysage ? 3300 : 2400;
        EXPECT_EQ(papier.Trouver(QStringLiteral("Elong.")).size(), c.site ? 1u : 0u) << c.nom;
        // "Lever TU" is wider than its column: its unit goes under it, within the header's two lines.
        if (c.site && std::string(c.unite) == "jours") {
            ASSERT_EQ(papier.Trouver(QStringLiteral("Lever")).size(), 1u) << c.nom;
            ASSERT_EQ(papier.Trouver(QStringLiteral("TU")).size(), 3u) << c.nom;
            const auto lever = papier.Trouver(QStringLiteral("Lever"))[0];
            const auto tu = papier.Trouver(QStringLiteral("TU"))[0];
            EXPECT_EQ(tu.y, lever.y + 50) << c.nom;
            EXPECT_EQ(lever.y, papier.Trouver(QStringLiteral("Elong."))[0].y - 25) << c.nom;
        }
        EXPECT_LE(p.dessin.Largeur_Tableau, largeur) << c.nom;
        // The times hold for one site: the page names it, between the start date and the table.
        const auto lieu = papier.Trouver(
            QString::fromUtf8("Lieu d'observation : Paris, latitude 48,85°, longitude 2,35°, altitude 35 m"));
        ASSERT_EQ(lieu.size(), c.site ? 1u : 0u) << c.nom;
        if (c.site) {
            const auto debut = std::find_if(
                papier.Textes().begin(), papier.Textes().end(),
                [](const auto& t) { return t.texte.startsWith(QStringLiteral("Date du début")); });
            ASSERT_NE(debut, papier.Textes().end());
            EXPECT_EQ(lieu[0].y, debut->y + 50) << c.nom;  // one 10-point line down
            EXPECT_LT(lieu[0].y + 50, papier.Trouver(QStringLiteral("Elong."))[0].y) << c.nom;
        }
        // The table is centred on the page it is printed on.
        EXPECT_EQ(Gauche_Tableau(papier, p.dessin.Largeur_Tableau), (largeur - p.dessin.Largeur_Tableau) / 2)
            << c.nom;
    }
}

}  // namespace

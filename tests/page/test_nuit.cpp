#include <gtest/gtest.h>

#include <algorithm>

#include "page/nuit.h"
#include "support/page_exemple.h"

namespace {

const Site_Observation Paris{QStringLiteral("Paris"), {48.85, 2.35, 35}, 15, true};

TEST(Nuit_Courbes, DeDixHuitASixHeuresLocales) {
    Page_Exemple p;
    // 1 March 2000 at Paris, 2.35° east: 18 h local mean time is 17 h 50.6 min UT.
    const Courbes_Nuit n = Calculer_Courbes_Nuit([&p](double jj) { return Equatoriales_Corps(p.el, jj); },
                                                 2451604.5, Paris.lieu);
    EXPECT_NEAR(n.JJ_Debut, 2451604.5 + (18 - 2.35 / 15) / 24, 1e-9);
    ASSERT_EQ(n.corps.size(), 145u);
    ASSERT_EQ(n.soleil.size(), 145u);
    EXPECT_NEAR(n.JJ_Debut + 144 * n.Pas, n.JJ_Debut + 0.5, 1e-9);
    // In March at Paris the Sun has set by 18 h and is lowest near midnight.
    EXPECT_LT(n.soleil[0], 5);
    EXPECT_GT(n.soleil[0], -10);
    const auto plus_bas = std::min_element(n.soleil.begin(), n.soleil.end()) - n.soleil.begin();
    EXPECT_NEAR(plus_bas, 72, 2);
    EXPECT_NEAR(n.soleil[72], -(90 - 48.85) - 7.6, 1.5);  // δ about −7.6°
}

TEST(Nuit_Courbes, CouleursDuCiel) {
    struct Cas {
        double hauteur;
        uint32_t couleur;
    };
    const Cas cas[] = {{10, Couleur_Jour},          {0.01, Couleur_Jour}, {0, Couleur_Crepuscule},
                       {-17.9, Couleur_Crepuscule}, {-18, Couleur_Nuit},  {-60, Couleur_Nuit}};
    for (const Cas& c : cas) EXPECT_EQ(Couleur_Ciel(c.hauteur), c.couleur) << c.hauteur;
}

class Dessin_Nuit : public ::testing::Test {
protected:
    Calcul_Page Calcul() {
        Contexte_Page c = p.Contexte();
        return c.calcul;
    }
    Page_Exemple p;
    Canevas_Enregistreur cv;
    const QRect cadre{0, 0, 640, 360};
};

TEST_F(Dessin_Nuit, BandesCourbesEtNiveaux) {
    p.site = Paris;
    ASSERT_TRUE(Dessiner_Nuit(cv, cadre, Calcul()));
    // Bands side by side from the left edge of the plot to its right, twilight, night, twilight.
    const auto& bandes = cv.Coloriages();
    ASSERT_GE(bandes.size(), 3u);
    EXPECT_EQ(bandes.front().couleur, Couleur_Crepuscule);
    EXPECT_EQ(bandes[1].couleur, Couleur_Nuit);
    EXPECT_EQ(bandes.back().couleur, Couleur_Crepuscule);
    for (std::size_t k = 1; k < bandes.size(); ++k)
        EXPECT_EQ(bandes[k].rectangle.left(),
                  bandes[k - 1].rectangle.left() + bandes[k - 1].rectangle.width());
    EXPECT_EQ(bandes.front().rectangle.left(), 40);
    EXPECT_EQ(bandes.back().rectangle.right(), 640 - 12 - 1);
    // The horizon and the telescope's lowest altitude across the plot: 15° is
    // a quarter of 60° above the horizon, on a scale of 120° over 296 pixels.
    auto niveau = [&](uint32_t couleur) {
        std::vector<int> y;
        for (const auto& t : cv.Horizontaux())
            if (t.crayon.couleur == couleur && t.x1 == 40 && t.x2 == 627) y.push_back(t.y1);
        return y;
    };
    EXPECT_EQ(niveau(Couleur_Traits), (std::vector<int>{40 + 222, 40}));  // horizon, then the frame's top
    EXPECT_EQ(niveau(Couleur_Minimale), std::vector<int>{40 + 185});
    int corps = 0, soleil = 0;
    for (const auto& t : cv.Traits()) {
        corps += t.crayon.couleur == Couleur_Corps;
        soleil += t.crayon.couleur == Couleur_Soleil;
    }
    EXPECT_EQ(corps, 144 + 1);  // the body stays above −30° all night; one more in the legend
    EXPECT_LT(soleil, 144);     // the Sun goes below the picture
    EXPECT_GT(soleil, 0);
    EXPECT_EQ(cv.Trouver(QStringLiteral("18 h")).size(), 1u);
    EXPECT_EQ(cv.Trouver(QStringLiteral("06 h")).size(), 1u);
    EXPECT_EQ(cv.Trouver(QStringLiteral("1P/Halley - Nuit du 1/3/2000, Paris (heure locale moyenne)")).size(),
              1u);
}

// The title names the body and the site; it keeps to its own line, above
// the legend, and is cut rather than run out of a narrow picture.
TEST_F(Dessin_Nuit, TitreSurSaLigneDansLeCadre) {
    struct Cas {
        const char* nom;
        int largeur;
        bool coupe;
    };
    const Cas cas[] = {{"la fenêtre", 640, false}, {"étroite", 400, true}, {"très étroite", 60, true}};
    p.site = Paris;
    p.site->Nom = QStringLiteral("Observatoire de Haute-Provence");
    const QString titre =
        QStringLiteral("1P/Halley - Nuit du 1/3/2000, Observatoire de Haute-Provence (heure locale moyenne)");
    for (const Cas& c : cas) {
        cv.Oublier();
        const QRect etroit(0, 0, c.largeur, 360);
        ASSERT_TRUE(Dessiner_Nuit(cv, etroit, Calcul())) << c.nom;
        const Texte_Enregistre& premier = cv.Textes()[cv.Textes().size() - 4];  // before the legend's three
        EXPECT_EQ(premier.texte == titre, !c.coupe) << c.nom << ' ' << premier.texte.toStdString();
        EXPECT_TRUE(premier.texte.startsWith(QStringLiteral("1P"))) << c.nom;
        EXPECT_LE(premier.x + cv.Largeur_Texte(premier.texte), c.largeur) << c.nom;
        for (std::size_t k = cv.Textes().size() - 3; k < cv.Textes().size(); ++k)
            EXPECT_GE(cv.Textes()[k].y, premier.y + 13) << c.nom << ' ' << cv.Textes()[k].texte.toStdString();
    }
}

TEST_F(Dessin_Nuit, SansSiteOuPageInvalide) {
    EXPECT_FALSE(Dessiner_Nuit(cv, cadre, Calcul()));
    EXPECT_TRUE(cv.Coloriages().empty());
    ASSERT_EQ(cv.Textes().size(), 1u);
    p.site = Paris;
    p.entree.Debut.reset();
    cv.Oublier();
    EXPECT_FALSE(Dessiner_Nuit(cv, cadre, Calcul()));
    ASSERT_EQ(cv.Textes().size(), 1u);
    EXPECT_EQ(cv.Textes()[0].texte, QStringLiteral("L'éphéméride est incomplète."));
}

TEST(Nuit_Page, RedessineeAvecLaPage) {
    struct Boite_Comptee : Boite_Memoire {
        int constructions = 0;
        void Page_Construite() override { ++constructions; }
    };
    Page_Exemple p;
    Boite_Comptee boite;
    boite.Fixer_Canevas_Fenetre(&p.ecran);
    Contexte_Page c = p.Contexte();
    Contexte_Page sur_boite{c.calcul, c.dessin, c.vue, c.document, boite, c.Version_Programme};
    Construire_Page(sur_boite);
    EXPECT_EQ(boite.constructions, 1);
}

}  // namespace

#include <gtest/gtest.h>

#include "support/page_exemple.h"

namespace {

// The example page with the bars' change handlers wired as the window wires them.
class Vue : public ::testing::Test {
protected:
    void SetUp() override {
        p.boite.Changement_Barre = [this](Controle barre) {
            if (barre == Controle::VerticalBar) VerticalBarChange(p.boite);
            if (barre == Controle::HorizontalBar) HorizontalBarChange(p.boite);
        };
    }

    // A bar's position as the user left it, without running its handler.
    void Positionner(Controle barre, int position) {
        auto handler = std::move(p.boite.Changement_Barre);
        p.boite.Changement_Barre = nullptr;
        p.boite.Ecrire_Position_Barre(barre, position);
        p.boite.Changement_Barre = std::move(handler);
    }

    QRect Fiche() const { return p.boite.Geometrie(Controle::Fiche); }

    Page_Exemple p;
};

TEST_F(Vue, BarreVerticaleDeplaceLaFiche) {
    struct Cas {
        int position;
        int hauteur;  // of the frame
        int haut;     // the frame's top, under a 26-pixel tool bar
    };
    const Cas cas[] = {{50, 1000, -473}, {0, 1000, 27}, {1, 150, 26}, {33, 700, -204}, {100, 550, -523}};
    for (const auto& c : cas) {
        p.boite.Placer(Controle::Fiche, {5, 999, 700, c.hauteur});
        Positionner(Controle::VerticalBar, c.position);
        VerticalBarChange(p.boite);
        EXPECT_EQ(Fiche(), QRect(5, c.haut, 700, c.hauteur)) << c.position << " % de " << c.hauteur;
    }
}

TEST_F(Vue, BarreHorizontaleDeplaceLaFiche) {
    struct Cas {
        int position;
        int largeur;  // of the frame
        int gauche;
    };
    const Cas cas[] = {{30, 700, -210}, {0, 700, 0}, {1, 150, -1}, {99, 711, -703}, {100, 711, -711}};
    for (const auto& c : cas) {
        p.boite.Placer(Controle::Fiche, {999, 27, c.largeur, 800});
        Positionner(Controle::HorizontalBar, c.position);
        HorizontalBarChange(p.boite);
        EXPECT_EQ(Fiche(), QRect(c.gauche, 27, c.largeur, 800)) << c.position << " % de " << c.largeur;
    }
}

TEST_F(Vue, AjusterBarres) {
    using Barre = Boite_Memoire::Barre;
    struct Cas {
        const char* nom;
        QSize client;
        QRect fiche;
        bool horizontale_visible;  // before
        int position_v;            // before
        int position_h;            // before
        bool verticale;
        Barre v;
        bool horizontale;
        Barre h;
        int hauteur_visible;
        int largeur_visible;
        QRect fiche_apres;
    };
    const Cas cas[] = {
        {"verticale à 50 gardée",
         {800, 600},
         {0, -473, 700, 1000},
         false,
         50,
         0,
         true,
         {55, 45, 50},
         false,
         {100, 0, 0},
         555,
         783,
         {0, -473, 700, 1000}},
        {"horizontale à 30 gardée",
         {600, 600},
         {-210, 27, 700, 400},
         false,
         0,
         30,
         false,
         {100, 0, 0},
         true,
         {85, 15, 30},
         555,
         600,
         {-210, 27, 700, 400}},
        {"page 60, grand pas 40",
         {800, 645},
         {0, 27, 700, 1000},
         false,
         0,
         0,
         true,
         {60, 40, 0},
         false,
         {100, 0, 0},
         600,
         783,
         {0, 27, 700, 1000}},
        {"page 20, grand pas 18",
         {800, 245},
         {0, 27, 700, 1000},
         false,
         0,
         0,
         true,
         {20, 18, 0},
         false,
         {100, 0, 0},
         200,
         783,
         {0, 27, 700, 1000}},
        {"fenêtre plus haute que la fiche",
         {800, 900},
         {0, 27, 700, 550},
         false,
         0,
         0,
         false,
         {100, 0, 0},
         false,
         {100, 0, 0},
         855,
         800,
         {0, 27, 700, 550}},
        {"la barre horizontale ôte sa hauteur",
         {700, 600},
         {0, 27, 711, 1000},
         true,
         0,
         0,
         true,
         {53, 47, 0},
         true,
         {96, 4, 0},
         538,
         683,
         {0, 27, 711, 1000}},
        {"12,5 arrondi à 12",
         {800, 200},
         {0, 1, 700, 200},
         false,
         0,
         0,
         true,
         {77, 23, 12},
         false,
         {100, 0, 0},
         155,
         783,
         {0, 3, 700, 200}},
        {"13,5 arrondi à 14",
         {800, 200},
         {0, -1, 700, 200},
         false,
         0,
         0,
         true,
         {77, 23, 14},
         false,
         {100, 0, 0},
         155,
         783,
         {0, -1, 700, 200}},
        {"fiche sous le bas, position ramenée à 0",
         {800, 200},
         {0, 500, 700, 300},
         false,
         40,
         0,
         true,
         {51, 46, 0},
         false,
         {100, 0, 0},
         155,
         783,
         {0, 27, 700, 300}},
        {"barres cachées, fiche ramenée à sa place",
         {800, 900},
         {-6, -20, 660, 550},
         false,
         5,
         1,
         false,
         {100, 0, 0},
         false,
         {100, 0, 0},
         855,
         800,
         {0, 27, 660, 550}},
        {"fiche vide",
         {800, 600},
         {0, 27, 0, 0},
         false,
         0,
         0,
         false,
         {100, 0, 0},
         false,
         {100, 0, 0},
         555,
         800,
         {0, 27, 0, 0}},
    };
    for (const auto& c : cas) {
        p.boite.Fixer_Taille_Client(c.client);
        p.boite.Placer(Controle::Fiche, c.fiche);
        p.boite.Montrer(Controle::HorizontalBar, c.horizontale_visible);
        p.boite.Montrer(Controle::VerticalBar, false);
        Positionner(Controle::VerticalBar, c.position_v);
        Positionner(Controle::HorizontalBar, c.position_h);
        FormResize(p.boite, p.vue);
        const Barre& v = p.boite.Etat_Barre(Controle::VerticalBar);
        const Barre& h = p.boite.Etat_Barre(Controle::HorizontalBar);
        EXPECT_EQ(p.boite.Visible(Controle::VerticalBar), c.verticale) << c.nom;
        EXPECT_EQ(v.taille_page, c.v.taille_page) << c.nom;
        EXPECT_EQ(v.grand_pas, c.v.grand_pas) << c.nom;
        EXPECT_EQ(v.position, c.v.position) << c.nom;
        EXPECT_EQ(p.boite.Visible(Controle::HorizontalBar), c.horizontale) << c.nom;
        EXPECT_EQ(h.taille_page, c.h.taille_page) << c.nom;
        EXPECT_EQ(h.grand_pas, c.h.grand_pas) << c.nom;
        EXPECT_EQ(h.position, c.h.position) << c.nom;
        EXPECT_EQ(p.vue.Hauteur_Visible, c.hauteur_visible) << c.nom;
        EXPECT_EQ(p.vue.Largeur_Visible, c.largeur_visible) << c.nom;
        EXPECT_EQ(Fiche(), c.fiche_apres) << c.nom;
    }
}

// From "années" to "jours" the image grows from 193 to 550 pixels and the
// bar's page shrinks at the next refresh.
TEST_F(Vue, ChangementUnitePas) {
    p.Choisir_Unite("années");
    Rafraichir(p.Contexte());
    const int hauteur_annees = Fiche().height();
    EXPECT_FALSE(p.boite.Visible(Controle::VerticalBar));
    p.Choisir_Unite("jours");
    Rafraichir(p.Contexte());
    EXPECT_EQ(Fiche().height() - hauteur_annees, 357);
    EXPECT_TRUE(p.boite.Visible(Controle::VerticalBar));
    EXPECT_EQ(p.boite.Etat_Barre(Controle::VerticalBar).taille_page, 555 * 100 / 800);
}

TEST_F(Vue, RafraichirActiveEnregistrer) {
    struct Cas {
        const char* nom;
        bool valide;
        bool modifie;
    };
    const Cas cas[] = {{"valide, modifié", true, true},
                       {"valide, non modifié", true, false},
                       {"invalide, modifié", false, true},
                       {"invalide, non modifié", false, false}};
    for (const auto& c : cas) {
        Page_Exemple page;
        if (!c.valide) page.entree.Debut.reset();
        page.document.Modifie = c.modifie;
        page.dessin.Impression = true;
        page.boite.Activer(Controle::Enregistrer, false);
        page.boite.Activer(Controle::ToolEnregistrer, false);
        Rafraichir(page.Contexte());
        EXPECT_EQ(page.boite.Actif(Controle::Enregistrer), c.modifie) << c.nom;
        EXPECT_EQ(page.boite.Actif(Controle::ToolEnregistrer), c.modifie) << c.nom;
        EXPECT_FALSE(page.dessin.Impression) << c.nom;
        EXPECT_EQ(page.boite.Visible(Controle::Fenetre), c.valide) << c.nom;
        EXPECT_EQ(page.ecran.Vide(), !c.valide) << c.nom;
        EXPECT_EQ(page.boite.Dialogues_Impression(), 0) << c.nom;
    }
}

// Printing shows the dialog only for a valid page, prints only when it is
// accepted, and never touches the screen.
TEST_F(Vue, ImprimerExecute) {
    struct Cas {
        const char* nom;
        bool valide;
        bool accepte;
        int dialogues;
        bool imprime;
    };
    const Cas cas[] = {{"page invalide", false, true, 0, false},
                       {"dialogue annulé", true, false, 1, false},
                       {"dialogue accepté", true, true, 1, true}};
    for (const auto& c : cas) {
        Page_Exemple page;
        Canevas_Enregistreur imprimante{300, 2400};
        page.boite.Fixer_Imprimante(c.accepte ? &imprimante : nullptr);
        page.entree.Equinoxe_Saisi = c.valide;
        const QRect fenetre{0, 250, 660, 193};
        page.boite.Placer(Controle::Fenetre, fenetre);
        page.boite.Activer(Controle::Enregistrer, false);
        page.document.Modifie = true;
        ImprimerExecute(page.Contexte());
        EXPECT_EQ(page.boite.Dialogues_Impression(), c.dialogues) << c.nom;
        EXPECT_EQ(imprimante.Fins_Document().size(), c.imprime ? 1u : 0u) << c.nom;
        EXPECT_EQ(imprimante.Vide(), !c.imprime) << c.nom;
        EXPECT_TRUE(page.ecran.Vide()) << c.nom;
        EXPECT_EQ(page.boite.Visible(Controle::Fenetre), c.valide) << c.nom;
        EXPECT_EQ(page.boite.Geometrie(Controle::Fenetre), fenetre) << c.nom;
        EXPECT_TRUE(page.dessin.Impression) << c.nom;
        EXPECT_FALSE(page.boite.Actif(Controle::Enregistrer)) << c.nom;
    }
}

}  // namespace

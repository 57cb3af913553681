#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "astro/calendrier.h"
#include "peinture/canevas_qpainter.h"
#include "support/page_exemple.h"

namespace {

// "texte@x,y", with " grec" when drawn in the symbol face: a failing
// comparison then shows the whole drawing side by side.
std::string Decrire(const Texte_Enregistre& t) {
    const bool grec = t.police.jeu == Jeu_Caracteres::Symbole;
    return QStringLiteral("%1@%2,%3%4").arg(t.texte).arg(t.x).arg(t.y).arg(grec ? " grec" : "").toStdString();
}

std::vector<std::string> Decrire_Textes(const Canevas_Enregistreur& cv, int y_min, int y_max) {
    std::vector<std::string> d;
    for (const auto& t : cv.Textes())
        if (t.y >= y_min && t.y <= y_max) d.push_back(Decrire(t));
    return d;
}

// The x of the vertical rules running from y1 to y2.
std::vector<int> Regles(const Canevas_Enregistreur& cv, int y1, int y2) {
    std::vector<int> x;
    for (const auto& t : cv.Verticaux())
        if (t.y1 == y1 && t.y2 == y2) x.push_back(t.x1);
    return x;
}

std::vector<std::pair<int, int>> Horizontales(const Canevas_Enregistreur& cv, int y) {
    std::vector<std::pair<int, int>> h;
    for (const auto& t : cv.Horizontaux())
        if (t.y1 == y) h.emplace_back(t.x1, t.x2);
    return h;
}

std::vector<Texte_Enregistre> Ligne_A(const Canevas_Enregistreur& cv, int y) {
    std::vector<Texte_Enregistre> l;
    for (const auto& t : cv.Textes())
        if (t.y == y) l.push_back(t);
    return l;
}

int Largeur_Ecran(const QString& texte) { return 6 * static_cast<int>(texte.size()); }

struct Choix {
    const char* instrument;
    bool MT;
    bool MN;
};
constexpr Choix Aucun{"Aucun", false, false};
constexpr Choix Telescope_Magnitudes{"Arbelin", true, true};

// ---------------------------------------------------------------- screen

class Dessin_Ecran : public ::testing::Test {
protected:
    void Construire(const Choix& choix) {
        p.Choisir(choix.instrument, choix.MT, choix.MN);
        Construire_Page(p.Contexte());
    }
    int Largeur_Fenetre() const { return p.boite.Geometrie(Controle::Fenetre).width(); }
    int Hauteur_Fenetre() const { return p.boite.Geometrie(Controle::Fenetre).height(); }
    Page_Exemple p;
};

TEST_F(Dessin_Ecran, Entete) {
    struct Cas {
        const char* nom;
        Choix choix;
        std::vector<std::string> textes;
        std::vector<int> regles;
        std::vector<std::pair<int, int>> sous_entete;
    };
    const std::vector<std::string> fixes = {"J@17,0",       "m@47,0",         "An@70,0",      "Alpha@118,0",
                                            "Delta@201,0",  "Distance@269,0", "Dérive@343,0", "α@384,0 grec",
                                            "Dérive@413,0", "δ@454,0 grec"};
    auto avec = [&](std::vector<std::string> plus) {
        std::vector<std::string> t = fixes;
        t.insert(t.end(), plus.begin(), plus.end());
        return t;
    };
    const Cas cas[] = {
        {"Aucun", Aucun, fixes, {40, 60, 93, 173, 260, 326, 406, 466}, {{0, 466}}},
        {"télescope et deux magnitudes",
         Telescope_Magnitudes,
         avec({"Réglage@478,0", "α@525,0 grec", "Réglage@553,0", "δ@600,0 grec", "M1@628,0", "M2@663,0"}),
         {40, 60, 93, 173, 260, 326, 406, 466, 541, 616, 651, 686},
         {{0, 466}, {466, 616}, {616, 651}, {651, 686}}},
        {"télescope seul",
         {"Brisonne", false, false},
         avec({"Réglage@478,0", "α@525,0 grec", "Réglage@553,0", "δ@600,0 grec"}),
         {40, 60, 93, 173, 260, 326, 406, 466, 541, 616},
         {{0, 466}, {466, 616}}},
        {"magnitude du noyau seule",
         {"Aucun", false, true},
         avec({"M2@478,0"}),
         {40, 60, 93, 173, 260, 326, 406, 466, 501},
         {{0, 466}, {466, 501}}},
    };
    for (const auto& c : cas) {
        p.ecran.Oublier();
        Construire(c.choix);
        EXPECT_EQ(Decrire_Textes(p.ecran, 0, 0), c.textes) << c.nom;
        EXPECT_EQ(Regles(p.ecran, 0, 20), c.regles) << c.nom;
        EXPECT_EQ(Horizontales(p.ecran, 20), c.sous_entete) << c.nom;
    }
}

// Columns of the screen table: start, end, and the right edge of a
// right-aligned text (0: centred).
struct Colonne_Ecran {
    int debut;
    int fin;
    int bord;
};
const std::vector<Colonne_Ecran> Colonnes_Fixes = {
    {0, 40, 0},    {40, 60, 0},   {60, 93, 0},   {93, 120, 0},    {120, 147, 0},   {147, 173, 0},
    {173, 206, 0}, {206, 233, 0}, {233, 260, 0}, {260, 326, 321}, {326, 406, 401}, {406, 466, 461}};
const std::vector<Colonne_Ecran> Colonnes_Telescope_Magnitudes = {
    {466, 541, 536}, {541, 616, 611}, {616, 651, 646}, {651, 686, 681}};

TEST_F(Dessin_Ecran, Lignes) {
    struct Cas {
        const char* nom;
        Choix choix;
        int k;  // row number
    };
    const Cas cas[] = {{"Aucun, première", Aucun, 1},
                       {"Aucun, dernière", Aucun, 31},
                       {"télescope et magnitudes, première", Telescope_Magnitudes, 1},
                       {"télescope et magnitudes, seizième", Telescope_Magnitudes, 16}};
    for (const auto& c : cas) {
        p.ecran.Oublier();
        Construire(c.choix);
        std::vector<Colonne_Ecran> colonnes = Colonnes_Fixes;
        if (c.choix.MT)
            colonnes.insert(colonnes.end(), Colonnes_Telescope_Magnitudes.begin(),
                            Colonnes_Telescope_Magnitudes.end());
        const auto ligne = Ligne_A(p.ecran, 17 * c.k + 7);
        ASSERT_EQ(ligne.size(), colonnes.size()) << c.nom;
        std::vector<int> fins;
        for (std::size_t j = 0; j < colonnes.size(); ++j) {
            const Colonne_Ecran& col = colonnes[j];
            const int w = Largeur_Ecran(ligne[j].texte);
            const int x = col.bord ? col.bord - w : col.debut + (col.fin - col.debut - w) / 2;
            EXPECT_EQ(ligne[j].x, x) << c.nom << ", colonne " << j + 1 << " \""
                                     << ligne[j].texte.toStdString() << '"';
            fins.push_back(col.fin);
        }
        EXPECT_EQ(Regles(p.ecran, 17 * c.k + 3, 17 * c.k + 20), fins) << c.nom;
    }
}

TEST_F(Dessin_Ecran, PremiereLigne) {
    Construire(Aucun);
    const auto ligne = Ligne_A(p.ecran, 24);
    ASSERT_GE(ligne.size(), 3u);
    EXPECT_EQ(Decrire(ligne[0]), "01,00@5,24");
    EXPECT_EQ(Decrire(ligne[1]), "3@47,24");
    EXPECT_EQ(Decrire(ligne[2]), "2000@64,24");
}

TEST_F(Dessin_Ecran, HauteurParUnite) {
    struct Cas {
        const char* unite;
        int hauteur;
        int lignes;
    };
    const Cas cas[] = {{"heures", 431, 24}, {"jours", 550, 31}, {"mois", 227, 12}, {"années", 193, 10}};
    for (const auto& c : cas) {
        p.ecran.Oublier();
        p.Choisir_Unite(c.unite);
        Construire(Aucun);
        EXPECT_EQ(Hauteur_Fenetre(), c.hauteur) << c.unite;
        EXPECT_EQ(p.boite.Geometrie(Controle::Fiche).height(), Page_Exemple::Haut_Fenetre + c.hauteur)
            << c.unite;
        EXPECT_EQ(p.ecran.Trouver(QStringLiteral("J")).size(), 1u) << c.unite;
        std::set<int> rangs;
        for (const auto& t : p.ecran.Textes())
            if (t.y > 0) rangs.insert(t.y);
        EXPECT_EQ(static_cast<int>(rangs.size()), c.lignes) << c.unite;
        EXPECT_EQ(*rangs.rbegin(), 17 * c.lignes + 7) << c.unite;
        const auto& fond = p.ecran.Remplissages();
        ASSERT_EQ(fond.size(), 1u) << c.unite;
        EXPECT_EQ(fond[0].rectangle, QRect(0, 0, Largeur_Fenetre(), c.hauteur)) << c.unite;
        EXPECT_LT(fond[0].ordre, p.ecran.Textes().front().ordre) << c.unite;
    }
}

TEST_F(Dessin_Ecran, Largeur) {
    struct Cas {
        const char* nom;
        Choix choix;
        int droite_titre7;  // left + width of Titre7
        int largeur;
    };
    const Cas cas[] = {
        {"Aucun", Aucun, 440, 660},
        {"télescope", {"Corlande", false, false}, 440, 660},
        {"télescope et M1", {"Corlande", true, false}, 440, 676},
        {"télescope et deux magnitudes", Telescope_Magnitudes, 440, 711},
        {"deux magnitudes", {"Aucun", true, true}, 440, 660},
        {"Titre7 au-delà", Aucun, 700, 700},
        {"Titre7 en deçà de la table", Telescope_Magnitudes, 700, 711},
    };
    for (const auto& c : cas) {
        p.boite.Placer(Controle::Titre7, {c.droite_titre7 - 40, 100, 40, 13});
        Construire(c.choix);
        EXPECT_EQ(Largeur_Fenetre(), c.largeur) << c.nom;
        EXPECT_EQ(p.boite.Geometrie(Controle::Fiche).width(), c.largeur) << c.nom;
    }
}

TEST_F(Dessin_Ecran, PageInvalideCacheFenetreSeulement) {
    p.boite.Activer(Controle::Imprimer1, false);
    p.boite.Activer(Controle::ToolImprimer, false);
    const QRect fenetre{0, 250, 321, 123};
    const QRect fiche{0, 27, 321, 373};
    p.boite.Placer(Controle::Fenetre, fenetre);
    p.boite.Placer(Controle::Fiche, fiche);
    p.entree.Debut.reset();
    Construire(Telescope_Magnitudes);
    EXPECT_FALSE(p.boite.Visible(Controle::Fenetre));
    EXPECT_EQ(p.boite.Geometrie(Controle::Fenetre), fenetre);
    EXPECT_EQ(p.boite.Geometrie(Controle::Fiche), fiche);
    EXPECT_FALSE(p.boite.Actif(Controle::Imprimer1));
    EXPECT_FALSE(p.boite.Actif(Controle::ToolImprimer));
    EXPECT_TRUE(p.ecran.Vide());
    EXPECT_EQ(p.boite.Etat_Barre(Controle::VerticalBar).taille_page, 0);

    p.Commencer("1", "3");
    Construire(Telescope_Magnitudes);
    EXPECT_TRUE(p.boite.Visible(Controle::Fenetre));
    EXPECT_TRUE(p.boite.Actif(Controle::Imprimer1));
    EXPECT_TRUE(p.boite.Actif(Controle::ToolImprimer));
    EXPECT_EQ(p.boite.Geometrie(Controle::Fenetre).size(), QSize(711, 550));
}

TEST(Texte_Grec, LettresDuSymbole) {
    const std::pair<const char*, const char*> cas[] = {
        {"a", "α"},         {"d", "δ"}, {"w =  ", "ω =  "}, {"W = ", "Ω = "},
        {"L =  ", "Λ =  "}, {"", ""},   {"é1", "é1"}};
    for (const auto& [latin, grec] : cas)
        EXPECT_EQ(Texte_Grec(QString::fromUtf8(latin)), QString::fromUtf8(grec)) << latin;
}

// ---------------------------------------------------------------- paper

// A 300-dpi printer, 2400 dots (8 inches) wide: 10 points give 23 dots a
// character and 50 a line, 20 points 46 and 101.
class Dessin_Papier : public ::testing::Test {
protected:
    void Imprimer(const Choix& choix, Canevas_Enregistreur& imprimante) {
        p.Choisir(choix.instrument, choix.MT, choix.MN);
        p.boite.Fixer_Imprimante(&imprimante);
        p.dessin.Impression = true;
        Construire_Page(p.Contexte());
    }
    void Imprimer(const Choix& choix) { Imprimer(choix, papier); }
    Page_Exemple p;
    Canevas_Enregistreur papier{300, 2400};
};

TEST_F(Dessin_Papier, Colonnes) {
    struct Cas {
        const char* nom;
        Choix choix;
        std::vector<int> bords;  // right edges of the columns in use
        int largeur_tableau;
    };
    const Cas cas[] = {
        {"Aucun", Aucun, {535, 605, 717, 811, 905, 993, 1105, 1199, 1293, 1517, 1794, 2000}, 1600},
        {"télescope et deux magnitudes",
         Telescope_Magnitudes,
         {199, 269, 381, 475, 569, 657, 769, 863, 957, 1181, 1458, 1664, 1876, 2100, 2218, 2336},
         2272},
    };
    // Every column's width, those of the visibility included, whether shown or not.
    const std::array<int32_t, Nombre_Colonnes> largeurs = {135, 70,  112, 94,  94,  88,  112, 94,  94,
                                                           224, 277, 206, 212, 224, 118, 118, 153, 141,
                                                           177, 141, 177, 141, 141, 236, 236, 236};
    for (const auto& c : cas) {
        papier.Oublier();
        Imprimer(c.choix);
        const int Y0 = 701;
        std::vector<int> bords;
        for (const auto& t : papier.Verticaux()) {
            const bool interieure = t.y1 == Y0;
            EXPECT_TRUE(interieure || t.y1 == Y0 - 100) << c.nom << " à " << t.x1;
            EXPECT_EQ(t.y2, Y0 + 31 * 50) << c.nom << " à " << t.x1;
            EXPECT_EQ(t.crayon.epaisseur, 300 / 72) << c.nom;
            bords.push_back(t.x1);
            const auto k = std::find(c.bords.begin(), c.bords.end(), t.x1) - c.bords.begin();
            EXPECT_EQ(interieure, k == 3 || k == 4 || k == 6 || k == 7) << c.nom << " à " << t.x1;
        }
        EXPECT_EQ(bords, c.bords) << c.nom;
        const int x0 = (2400 - c.largeur_tableau) / 2;
        EXPECT_EQ(Horizontales(papier, Y0), (std::vector<std::pair<int, int>>{{x0, x0 + c.largeur_tableau}}))
            << c.nom;
        EXPECT_EQ(p.dessin.Largeur_Tableau, c.largeur_tableau) << c.nom;
        EXPECT_EQ(p.dessin.Largeurs_Colonnes, largeurs) << c.nom;
        EXPECT_EQ(p.dessin.Hauteur_Ligne, 50) << c.nom;
    }
}

TEST_F(Dessin_Papier, Entete) {
    Imprimer(Telescope_Magnitudes);
    const std::vector<std::string> entete = {
        "J@120,626",         "M@222,626",        "An@302,626",        "Alpha@465,626",
        "Delta@759,626",     "Distance@977,626", "Dérive @1227,626",  "α@1388,621 grec",
        "Dérive @1469,626",  "δ@1630,621 grec",  "Réglage @1666,626", "α@1850,621 grec",
        "Réglage @1884,626", "δ@2068,621 grec",  "M1@2136,626",       "M2@2254,626"};
    EXPECT_EQ(Decrire_Textes(papier, 621, 626), entete);
}

// Right edges of the columns at 300 dpi with a telescope and both magnitudes.
TEST_F(Dessin_Papier, Lignes) {
    Imprimer(Telescope_Magnitudes);
    const int debuts[] = {64,  199, 269,  381,  475,  569,  657,  769,
                          863, 957, 1181, 1458, 1664, 1876, 2100, 2218};
    const int fins[] = {199, 269,  381,  475,  569,  657,  769,  863,
                        957, 1181, 1458, 1664, 1876, 2100, 2218, 2336};
    for (const int k : {1, 2, 31}) {
        const auto ligne = Ligne_A(papier, 711 + 50 * (k - 1));
        ASSERT_EQ(ligne.size(), 16u) << "ligne " << k;
        for (std::size_t j = 0; j < ligne.size(); ++j) {
            const int w = 23 * static_cast<int>(ligne[j].texte.size());
            const int x = j < 9 ? debuts[j] + (fins[j] - debuts[j] - w) / 2 : fins[j] - w - 50 / 4;
            EXPECT_EQ(ligne[j].x, x) << "ligne " << k << ", colonne " << j + 1;
        }
    }
    EXPECT_TRUE(Ligne_A(papier, 711 + 50 * 31).empty());
}

// An eccentricity below zero, as an old element file held it: the row's
// values cannot be computed and both layouts show "--" for each, magnitudes
// included.
TEST_F(Dessin_Papier, OrbiteImpossibleSurLesDeuxPages) {
    p.el.e = -1.967142908;
    p.el.a = p.el.q / (1 - p.el.e);
    Imprimer(Telescope_Magnitudes);
    p.dessin.Impression = false;
    Construire_Page(p.Contexte());
    const std::pair<const Canevas_Enregistreur*, int> pages[] = {{&papier, 711}, {&p.ecran, 17 + 7}};
    for (const auto& [page, y] : pages) {
        const auto ligne = Ligne_A(*page, y);
        ASSERT_EQ(ligne.size(), 16u);
        for (std::size_t j = 3; j < ligne.size(); ++j)
            EXPECT_TRUE(ligne[j].texte.contains(QStringLiteral("--")))
                << j << ' ' << ligne[j].texte.toStdString();
    }
}

TEST_F(Dessin_Papier, BlocDesElements) {
    struct Cas {
        const char* nom;
        void (*preparer)(Page_Exemple&);
        std::vector<std::string> lignes;
    };
    const Cas cas[] = {
        {"elliptique",
         [](Page_Exemple&) {},
         {"a = demi grand axe = 3,000 000 000 UA@115,151",
          "n = moyen mouvement = 0,189 700 000 °/jour@1200,151", "e = exentricité = 0,500 000@115,201",
          "Q = distance de l'aphélie = 4,500 000 000 UA@1200,201",
          "q = distance du périhélie = 1,500 000 000 UA@115,251", "i = inclinaison = 10,000 000 °@1200,251",
          "ω =  @115,301 grec", "argument du périhélie = 30,000 000 °@230,301", "Ω = @1200,301 grec",
          "longitude du noeud ascendant = 80,000 000 °@1292,301", "Date du périhélie = 1 / 1 / 2000@115,351",
          "Durée de révolution = 5,2 ans@1200,351", "Equinoxe des éléments = 2000@115,401",
          "Equinoxe de l'éphéméride = 2000@1200,401"}},
        {"parabolique, longitude du périhélie",
         [](Page_Exemple& q) {
             q.el.e = 1;
             q.Ecrire(Controle::saisie_e, "1");
             q.Ecrire(Controle::saisie_Omega, "110");
             q.Ecrire(Controle::Label15, "L =  ");
             q.Ecrire(Controle::Label16, "longitude du périhélie =");
             q.entree.Omega_Symbole = false;
         },
         {"e = exentricité = 1,000 000@115,151", "q = distance du périhélie = 1,500 000 000 UA@115,201",
          "i = inclinaison = 10,000 000 °@1200,201", "L =  @115,251",
          "longitude du périhélie = 110,000 000 °@230,251", "Ω = @1200,251 grec",
          "longitude du noeud ascendant = 80,000 000 °@1292,251", "Date du périhélie = 1 / 1 / 2000@115,301",
          "Equinoxe des éléments = 2000@115,351", "Equinoxe de l'éphéméride = 2000@1200,351"}},
    };
    for (const auto& c : cas) {
        Page_Exemple page;
        c.preparer(page);
        Canevas_Enregistreur imprimante{300, 2400};
        page.boite.Fixer_Imprimante(&imprimante);
        page.dessin.Impression = true;
        Construire_Page(page.Contexte());
        const auto& textes = imprimante.Textes();
        ASSERT_GE(textes.size(), 2u) << c.nom;
        EXPECT_EQ(Decrire(textes[0]), "Ephéméride de 1P/Halley@671,0") << c.nom;
        std::vector<std::string> bloc;
        for (std::size_t k = 1; k < textes.size() && !textes[k].texte.startsWith(QStringLiteral("Date du d"));
             ++k)
            bloc.push_back(Decrire(textes[k]));
        EXPECT_EQ(bloc, c.lignes) << c.nom;
    }
}

// With the Julian mode, the perihelion line shows the field's Julian day as typed.
TEST_F(Dessin_Papier, PerihelieEnJourJulien) {
    p.entree.Julienne = true;
    p.entree.Jour_Perihelie = 2451545.5;
    p.Ecrire(Controle::saisie_Jour_Perihelie, "2451545,5");
    p.Ecrire(Controle::saisie_gQ, "4,499 999 999 9");
    Imprimer(Aucun);
    EXPECT_EQ(Decrire_Textes(papier, 201, 201)[1], "Q = distance de l'aphélie = 4,500 000 000 UA@1200,201");
    EXPECT_EQ(Decrire_Textes(papier, 351, 351)[0], "Date du périhélie = 2451545,5@115,351");
}

TEST_F(Dessin_Papier, DateDeDebut) {
    struct Cas {
        const char* jour;
        const char* mois;
        const char* ligne;
        const char* premier_jour;
    };
    const Cas cas[] = {
        {"1", "3", "Date du début de l'éphéméride = 01/03/2000@717,501", "01,00"},
        {"9,75", "3", "Date du début de l'éphéméride = 10/03/2000@717,501", "09,75"},
        {"15", "11", "Date du début de l'éphéméride = 15/11/2000@717,501", "15,00"},
    };
    for (const auto& c : cas) {
        papier.Oublier();
        p.Commencer(c.jour, c.mois);
        Imprimer(Aucun);
        EXPECT_EQ(Decrire_Textes(papier, 501, 501), std::vector<std::string>{c.ligne}) << c.jour;
        const auto premiere = Ligne_A(papier, 711);
        ASSERT_FALSE(premiere.empty()) << c.jour;
        EXPECT_EQ(premiere[0].texte.toStdString(), c.premier_jour) << c.jour;
    }
}

TEST_F(Dessin_Papier, TitreInstrumentEtSignature) {
    Imprimer(Telescope_Magnitudes);
    const auto titre = papier.Trouver(QStringLiteral("Ephéméride de 1P/Halley"));
    ASSERT_EQ(titre.size(), 1u);
    EXPECT_EQ(titre[0].police.taille, 20);
    EXPECT_EQ(titre[0].police.face, Police_Page);
    EXPECT_EQ(Decrire_Textes(papier, 101, 101),
              std::vector<std::string>{"Instrument d'observation : Arbelin@809,101"});
    // The signature names the classic model; under it, where the magnitudes come from.
    const auto& textes = papier.Textes();
    ASSERT_GE(textes.size(), 3u);
    EXPECT_EQ((std::vector<std::string>{Decrire(textes[textes.size() - 3]),
                                        Decrire(textes[textes.size() - 2]), Decrire(textes.back())}),
              (std::vector<std::string>{
                  "Éphéméride calculée par Trajectel 1.0.0 (modèle classique)@533,2301",
                  "Magnitude totale : loi du programme, K1 = 10 ; estimation 8 le 01/02/2000, d'où M1 = "
                  "7,37@176,2351",
                  "Magnitude du noyau : loi du programme, K2 = 5 ; estimation 12,5 le 01/02/2000, d'où M2 = "
                  "12,79@119,2401"}));
    EXPECT_EQ(textes.back().police.taille, 10);
    ASSERT_EQ(papier.Debuts_Document().size(), 1u);
    ASSERT_EQ(papier.Fins_Document().size(), 1u);
    EXPECT_EQ(papier.Debuts_Document()[0], 0);
    EXPECT_EQ(papier.Fins_Document()[0], papier.Appels() - 1);
    EXPECT_TRUE(p.ecran.Vide());
}

// P = a^1.5 to the hundredth, ties to even; values beyond reason are written, not refused.
TEST_F(Dessin_Papier, Periode) {
    const std::pair<double, const char*> cas[] = {
        {0.25, "0,12"}, {2.25, "3,38"}, {3, "5,2"}, {1e308, "INF"}, {-1, "NAN"}};
    for (const auto& [a, periode] : cas) {
        papier.Oublier();
        p.el.a = a;
        Imprimer(Aucun);
        const QString attendu = QStringLiteral("Durée de révolution = %1 ans").arg(periode);
        EXPECT_EQ(papier.Trouver(attendu).size(), 1u) << a;
    }
}

TEST_F(Dessin_Papier, CommentairePlusLargeQueLaPage) {
    p.Ecrire(Controle::Commentaire, std::string(100, 'x').c_str());
    Imprimer(Aucun);
    ASSERT_FALSE(papier.Textes().empty());
    EXPECT_EQ(papier.Textes()[0].x, (2400 - 46 * 114) / 2);
}

// The same page at 600 dpi lies where it lay at 300, give or take the
// metrics' truncations.
TEST_F(Dessin_Papier, MemeMiseEnPageA600Points) {
    Canevas_Enregistreur fin{600, 4800};
    Imprimer(Telescope_Magnitudes);
    Page_Exemple autre;
    autre.Choisir("Arbelin", true, true);
    autre.boite.Fixer_Imprimante(&fin);
    autre.dessin.Impression = true;
    Construire_Page(autre.Contexte());

    constexpr double Millimetres_Par_Pouce = 25.4;
    auto mm = [&](int points, int resolution) { return points * Millimetres_Par_Pouce / resolution; };
    ASSERT_EQ(fin.Textes().size(), papier.Textes().size());
    for (std::size_t k = 0; k < papier.Textes().size(); ++k) {
        const auto& a = papier.Textes()[k];
        const auto& b = fin.Textes()[k];
        ASSERT_EQ(a.texte, b.texte) << k;
        EXPECT_NEAR(mm(b.x, 600), mm(a.x, 300), 1.0) << a.texte.toStdString();
        EXPECT_NEAR(mm(b.y, 600), mm(a.y, 300), 2.5) << a.texte.toStdString();
    }
    ASSERT_EQ(fin.Traits().size(), papier.Traits().size());
    for (std::size_t k = 0; k < papier.Traits().size(); ++k) {
        EXPECT_NEAR(mm(fin.Traits()[k].x1, 600), mm(papier.Traits()[k].x1, 300), 1.0) << k;
        EXPECT_NEAR(mm(fin.Traits()[k].y2, 600), mm(papier.Traits()[k].y2, 300), 2.5) << k;
        EXPECT_EQ(fin.Traits()[k].crayon.epaisseur, 600 / 72) << k;
    }
}

// ---------------------------------------------------------------- QPainter

// The QPainter surfaces need fonts, hence a QGuiApplication, here without a display.
class Dessin_QPainter : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QGuiApplication::instance()) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    static void TearDownTestSuite() { application_.reset(); }

    static inline int argc_ = 1;
    static inline char nom_[] = "tests_page";
    static inline char* argv_[] = {nom_, nullptr};
    static inline std::unique_ptr<QGuiApplication> application_;
    Page_Exemple p;
};

bool Encre(const QImage& image, int x, int y) { return qAlpha(image.pixel(x, y)) > 0; }

int Pixels_Encres(const QImage& image, const QRect& zone) {
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x) n += Encre(image, x, y);
    return n;
}

TEST_F(Dessin_QPainter, PageDansUneImage) {
    QImage image(711, 550, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::red);  // everything the build leaves undrawn must come out transparent
    {
        Canevas_QPainter canevas(image);
        p.boite.Fixer_Canevas_Fenetre(&canevas);
        p.Choisir("Arbelin", true, true);
        Construire_Page(p.Contexte());
        EXPECT_EQ(canevas.Resolution(), image.logicalDpiY());
    }
    EXPECT_GT(Pixels_Encres(image, {0, 0, 466, 20}), 200) << "en-tête";
    EXPECT_GT(Pixels_Encres(image, {0, 24, 686, 523}), 20000) << "lignes";
    EXPECT_EQ(Pixels_Encres(image, {690, 0, 21, 550}), 0) << "à droite de la table";
    const std::pair<int, int> regles[] = {{40, 30}, {120, 300}, {466, 500}, {686, 540}, {200, 20}};
    for (const auto& [x, y] : regles) EXPECT_TRUE(Encre(image, x, y)) << x << ',' << y;
    EXPECT_FALSE(Encre(image, 41, 300));
}

TEST_F(Dessin_QPainter, PageEnPdf) {
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString chemin = dossier.filePath(QStringLiteral("page.pdf"));
    QPdfWriter imprimante(chemin);
    imprimante.setResolution(600);
    Canevas_QPainter canevas(imprimante);
    EXPECT_EQ(canevas.Resolution(), imprimante.logicalDpiY());
    EXPECT_EQ(canevas.Largeur_Page(), imprimante.width());
    p.boite.Fixer_Imprimante(&canevas);
    p.Choisir("Arbelin", true, true);
    ImprimerExecute(p.Contexte());
    EXPECT_GT(p.dessin.Hauteur_Ligne, 0);
    EXPECT_EQ(p.dessin.Largeurs_Colonnes[0], imprimante.logicalDpiY() * 115 / 254);

    QFile pdf(chemin);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray contenu = pdf.readAll();
    EXPECT_TRUE(contenu.startsWith("%PDF"));
    EXPECT_EQ(contenu.count("/Type /Page\n"), 1);
}

}  // namespace

namespace {

// Past 200 years from the epoch a printed row keeps its date and gives its
// message from the first column after it; the signature names the motion,
// on a line of its own when the page is too narrow for both.
TEST_F(Dessin_Papier, PerturbeeMessageEtSignature) {
    p.entree.Modele.modele = Modele_Calcul::Precis;
    const double debut = Date_Vers_JJ(3, 2000, 1);
    p.el.Epoque.JJ_Epoque = debut - Ecart_Maximum_Epoque + 10.5;
    Imprimer(Telescope_Magnitudes);
    const QString message = QString::fromUtf8("Plus de 200 ans depuis l'époque d'osculation");
    for (int k = 1; k <= 31; ++k) {
        const auto ligne = Ligne_A(papier, 711 + 50 * (k - 1));
        if (k <= 11) {
            EXPECT_EQ(ligne.size(), 16u) << "ligne " << k;
            continue;
        }
        std::vector<Texte_Enregistre> ecrits;
        for (const auto& t : ligne)
            if (!t.texte.isEmpty()) ecrits.push_back(t);
        ASSERT_EQ(ecrits.size(), 4u) << "ligne " << k;
        EXPECT_EQ(ecrits[3].texte, message) << "ligne " << k;
        EXPECT_EQ(ecrits[3].x, 381 + 50 / 4) << "ligne " << k;
    }
    const auto& textes = papier.Textes();
    ASSERT_GE(textes.size(), 4u);
    EXPECT_EQ(
        (std::vector<std::string>{Decrire(textes[textes.size() - 4]), Decrire(textes[textes.size() - 3]),
                                  Decrire(textes[textes.size() - 2]), Decrire(textes.back())}),
        (std::vector<std::string>{
            "Éphéméride calculée par Trajectel 1.0.0@751,2301",
            "(modèle précis, place astrométrique géocentrique, perturbé depuis l'époque 10,50/03/1800 "
            "TT)@142,2351",
            "Magnitude totale : loi du programme, K1 = 10 ; estimation 8 le 01/02/2000, d'où M1 = "
            "-2,22@165,2401",
            "Magnitude du noyau : loi du programme, K2 = 5 ; estimation 12,5 le 01/02/2000, d'où M2 = "
            "5,55@130,2451"}));
}

}  // namespace

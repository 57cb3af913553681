#include <gtest/gtest.h>

#include <set>

#include "form/disposition_fiche.h"
#include "plateforme/boite_memoire.h"

namespace {

constexpr int Largeur_Fiche_Minimale = 660;  // the page image is never narrower
constexpr int Haut_Fenetre = 248;

// The entry controls come first, in their tab order, and no control twice.
TEST(Disposition_Fiche, ControlesDeSaisieEnOrdreDeTabulation) {
    const auto& table = Disposition_Fiche();
    ASSERT_GE(table.size(), static_cast<std::size_t>(Nombre_Controles_Saisie));
    for (int k = 0; k < Nombre_Controles_Saisie; ++k) {
        EXPECT_EQ(table[static_cast<std::size_t>(k)].controle, Controle_Saisie(k)) << "tabulation " << k;
        const Genre_Controle genre = table[static_cast<std::size_t>(k)].genre;
        EXPECT_TRUE(genre == Genre_Controle::Champ || genre == Genre_Controle::Liste)
            << Nom_Controle(Controle_Saisie(k));
    }
    std::set<Controle> vus;
    for (const auto& d : table) EXPECT_TRUE(vus.insert(d.controle).second) << Nom_Controle(d.controle);
    // Every label, stepping button and the page image of the frame are there.
    for (Controle c = Controle::Label1; c <= Controle::Fenetre;
         c = static_cast<Controle>(static_cast<int>(c) + 1))
        EXPECT_EQ(vus.count(c), 1u) << Nom_Controle(c);
}

// Above the page image, inside the width the image always has, and no two
// controls on the same pixels.
TEST(Disposition_Fiche, RienNeSeChevauche) {
    const auto& table = Disposition_Fiche();
    for (const auto& d : table) {
        if (d.controle == Controle::Fenetre) continue;
        EXPECT_LE(d.geometrie.bottom(), Haut_Fenetre) << Nom_Controle(d.controle);
        EXPECT_LT(d.geometrie.right(), Largeur_Fiche_Minimale) << Nom_Controle(d.controle);
        EXPECT_GE(d.geometrie.left(), 0) << Nom_Controle(d.controle);
        for (const auto& autre : table) {
            if (&autre == &d) break;
            EXPECT_FALSE(d.geometrie.intersects(autre.geometrie))
                << Nom_Controle(d.controle) << " et " << Nom_Controle(autre.controle);
        }
    }
}

// The Julian forms move some controls: the perihelion day field goes right
// after its label widened to 110, as wide as saisie_gQ (month and year
// hidden); Equinoxe goes to 165 and Label29 to 328. They must stay clear of
// the right half of their rows.
TEST(Disposition_Fiche, FormesJuliennesTiennentDansLeurLigne) {
    const QRect titre = Disposition_De(Controle::TitrePerihelie)->geometrie;
    const QRect gQ = Disposition_De(Controle::saisie_gQ)->geometrie;
    const int jour_julien = titre.x() + titre.width() * 110 / 92;
    EXPECT_EQ(jour_julien, 118);
    EXPECT_LT(jour_julien + gQ.width(), Disposition_De(Controle::Révolution)->geometrie.x());
    EXPECT_LT(165 + Disposition_De(Controle::Equinoxe)->geometrie.width(), 328);
}

// The frame as the form creates it, read back from the in-memory platform.
TEST(Creer_Fiche, EtatInitial) {
    struct Cas {
        Controle c;
        const char* texte;
        const char* indice;
        int longueur_max;
        const char* police;
        QRect geometrie;
    };
    const char* const sans = Face_Fiche;
    const Cas cas[] = {
        {Controle::saisie_e, "0", "Excentricité de l'orbite", 0, sans, {160, 65, 100, 21}},
        {Controle::Saisie_Pas, "1", "Durée entre deux lignes de l'éphéméride ", 0, sans, {375, 221, 40, 21}},
        {Controle::Liste_Pas, "jours", "", 0, sans, {419, 221, 80, 21}},
        {Controle::Liste_Instruments,
         "Aucun",
         "Choisir un télescope|Cette liste répertorie certains télescopes de l'OBVA ou de ses membres",
         0,
         sans,
         {400, 10, 96, 21}},
        {Controle::Commentaire,
         "",
         "Nom de l'astre mobile|Entrer un texte libre",
         0,
         sans,
         {194, 10, 140, 21}},
        {Controle::saisie_Jour_Perihelie, "", "Jour calendaire du périhélie", 8, sans, {119, 165, 65, 21}},
        {Controle::Equinoxe, "", "Année calendaire de l'équinoxe des éléments", 0, sans, {152, 40, 80, 21}},
        {Controle::saisie_Omega, "", "Argument du périhélie en degrès", 0, sans, {160, 140, 100, 21}},
        {Controle::Saisie_AMT, "", "", 4, sans, {234, 190, 36, 21}},
        {Controle::saisie_Mois, "", "Mois du premier jour de l'éphéméride ", 2, sans, {213, 221, 26, 21}},
        {Controle::TitrePerihelie, "Date du périhélie =", "", 0, sans, {8, 169, 92, 13}},
        {Controle::Label29, "Equinoxe de l'éphéméride =", "", 0, sans, {341, 44, 150, 13}},
        {Controle::Label15, "w =  ", "", 0, "Symbol", {8, 144, 24, 13}},
        {Controle::Label18, "W =", "", 0, "Symbol", {341, 144, 20, 13}},
        {Controle::Label1, "Ephéméride", "", 0, sans, {8, 3, 164, 29}},
        {Controle::Révolution, "Durée de la révolution =", "", 0, sans, {341, 169, 250, 13}},
        {Controle::JourMoins, "", "- 1 jour", 0, sans, {191, 232, 19, 11}},
        {Controle::Fenetre, "", "", 0, sans, {0, 248, 590, 550}},
    };
    Boite_Memoire boite;
    Creer_Fiche(boite);
    for (const Cas& c : cas) {
        const char* nom = Nom_Controle(c.c);
        EXPECT_EQ(boite.Texte(c.c), QString::fromUtf8(c.texte)) << nom;
        EXPECT_EQ(boite.Indice(c.c), QString::fromUtf8(c.indice)) << nom;
        EXPECT_EQ(boite.Longueur_Max(c.c), c.longueur_max) << nom;
        EXPECT_EQ(boite.Police(c.c), QString::fromUtf8(c.police)) << nom;
        EXPECT_EQ(boite.Geometrie(c.c), c.geometrie) << nom;
        EXPECT_TRUE(boite.Visible(c.c)) << nom;
    }
}

// The fonts the table gives beyond the face, and the pale green of the switch.
TEST(Disposition_Fiche, PolicesEtFonds) {
    struct Cas {
        Controle c;
        int taille;
        bool gras;
        uint32_t fond;
    };
    const Cas cas[] = {
        {Controle::Label1, 24, true, Sans_Fond},
        {Controle::Label2, Taille_Police_Fiche, false, Sans_Fond},
        {Controle::Label15, Taille_Police_Fiche, false, 0xC0DCC0},
        {Controle::Label16, Taille_Police_Fiche, false, 0xC0DCC0},
        {Controle::Label18, Taille_Police_Fiche, false, Sans_Fond},
        {Controle::saisie_e, Taille_Police_Fiche, false, Sans_Fond},
    };
    for (const Cas& c : cas) {
        const Disposition_Controle* d = Disposition_De(c.c);
        ASSERT_NE(d, nullptr) << Nom_Controle(c.c);
        EXPECT_EQ(d->taille_police, c.taille) << Nom_Controle(c.c);
        EXPECT_EQ(d->gras, c.gras) << Nom_Controle(c.c);
        EXPECT_EQ(d->fond, c.fond) << Nom_Controle(c.c);
    }
    EXPECT_EQ(Disposition_De(Controle::Principale), nullptr);
}

TEST(Disposition_Fiche, FiltresDesTouches) {
    struct Cas {
        Controle c;
        Filtre_Touche filtre;
    };
    const Cas cas[] = {
        {Controle::Commentaire, Filtre_Touche::Aucun},
        {Controle::Equinoxe, Filtre_Touche::Decimal},
        {Controle::saisie_Jour_Perihelie, Filtre_Touche::Decimal},
        {Controle::saisie_An_Perihelie, Filtre_Touche::Chiffres},
        {Controle::Saisie_MT, Filtre_Touche::Signe},
        {Controle::Saisie_MN, Filtre_Touche::Signe},
        {Controle::Saisie_JMN, Filtre_Touche::Chiffres},
        {Controle::saisie_Jour, Filtre_Touche::Decimal},
        {Controle::Saisie_Pas, Filtre_Touche::Chiffres},
        {Controle::Liste_Pas, Filtre_Touche::Aucun},
    };
    for (const Cas& c : cas) EXPECT_EQ(Disposition_De(c.c)->filtre, c.filtre) << Nom_Controle(c.c);
}

TEST(Articles_Liste, ArticlesDansLeurOrdre) {
    EXPECT_EQ(Articles_Liste(Controle::Liste_Instruments),
              QStringList({"Aucun", "Arbelin", "Brisonne", "Corlande", "Dravelle", "Estrane"}));
    EXPECT_EQ(Articles_Liste(Controle::Liste_Pas),
              QStringList({"heures", "jours", "mois", QStringLiteral("années")}));
    EXPECT_TRUE(Articles_Liste(Controle::saisie_e).isEmpty());
}

}  // namespace

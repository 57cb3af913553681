#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>

#include "document/fichier_elements.h"
#include "document/fichier_lois_epoque.h"
#include "plateforme/boite_memoire.h"
#include "support/banc_fichier.h"
#include "support/fichier_encke.h"

namespace {

const QStringList Encke = Lignes_Encke();

// The same with a published total law, a typed asteroid law for the nucleus,
// its epoch and non-gravitational parameters.
const QStringList Lignes_Lois = {
    "Loi de la magnitude totale = comète",
    "Magnitude absolue totale = 11,5",
    "Coefficient de log r total = 15",
    "Coefficient de phase total = 0 mag/°",
    "Origine de la loi totale = importée de cometes-mpc.txt",
    "Loi de la magnitude du noyau = astéroïde",
    "Magnitude absolue du noyau = 15,7",
    "Paramètre de pente G du noyau = 0,12",
    "Origine de la loi du noyau = saisie",
    "Epoque d'osculation = 2460188,5 JJ TT",
    "A1 = -3,1E-11 UA/j²",
    "A2 = 1,25E-12 UA/j²",
    "A3 = 0 UA/j²",
    "Origine de l'époque = importée de 2P.txt",
};

void Lire(Banc& b, const QStringList& lignes) { Lire_Lignes_Elements(b.ctx, lignes); }

bool Message_Lecture(const Banc& b) {
    for (const auto& m : b.boite.Messages())
        if (m.texte.startsWith(QStringLiteral("Erreur de lecture du fichier\nligne 21 : "))) return true;
    return false;
}

// Every value and origin of the laws and the osculation.
void Comparer(const Elements& obtenu, const Elements& attendu, const std::string& cas) {
    const std::pair<const Loi_Magnitude*, const Loi_Magnitude*> lois[] = {
        {&obtenu.Lois.totale, &attendu.Lois.totale}, {&obtenu.Lois.noyau, &attendu.Lois.noyau}};
    for (const auto& [o, a] : lois) {
        EXPECT_EQ(o->forme, a->forme) << cas;
        EXPECT_NEAR(o->Zero, a->Zero, 1e-12) << cas;
        EXPECT_NEAR(o->K, a->K, 1e-12) << cas;
        EXPECT_NEAR(o->PC, a->PC, 1e-12) << cas;
        EXPECT_NEAR(o->G, a->G, 1e-12) << cas;
        EXPECT_EQ(o->origine, a->origine) << cas;
        EXPECT_EQ(o->source, a->source) << cas;
    }
    EXPECT_EQ(obtenu.Epoque.JJ_Epoque.has_value(), attendu.Epoque.JJ_Epoque.has_value()) << cas;
    if (obtenu.Epoque.JJ_Epoque && attendu.Epoque.JJ_Epoque) {
        EXPECT_NEAR(*obtenu.Epoque.JJ_Epoque, *attendu.Epoque.JJ_Epoque, 1e-9) << cas;
    }
    EXPECT_EQ(obtenu.Epoque.Non_Grav.has_value(), attendu.Epoque.Non_Grav.has_value()) << cas;
    if (obtenu.Epoque.Non_Grav && attendu.Epoque.Non_Grav) {
        EXPECT_NEAR(obtenu.Epoque.Non_Grav->A1, attendu.Epoque.Non_Grav->A1, 1e-24) << cas;
        EXPECT_NEAR(obtenu.Epoque.Non_Grav->A2, attendu.Epoque.Non_Grav->A2, 1e-24) << cas;
        EXPECT_NEAR(obtenu.Epoque.Non_Grav->A3, attendu.Epoque.Non_Grav->A3, 1e-24) << cas;
    }
    EXPECT_EQ(obtenu.Epoque.origine, attendu.Epoque.origine) << cas;
    EXPECT_EQ(obtenu.Epoque.source, attendu.Epoque.source) << cas;
}

Elements Attendus() {
    Elements el;
    el.Lois.totale = Loi_Comete(11.5, 15, 0, Origine_Loi::Importee);
    el.Lois.totale.source = "cometes-mpc.txt";
    el.Lois.noyau = Loi_Asteroide(15.7, 0.12, Origine_Loi::Saisie);
    el.Epoque = {2460188.5, Non_Gravitationnel{-3.1e-11, 1.25e-12, 0}, Origine_Loi::Importee, "2P.txt"};
    return el;
}

}  // namespace

// The lines are read into the set, written back the same, and a set read
// again from them keeps every value; the 20 lines before them read as they
// would alone.
TEST(Fichier_Lois_Epoque, AllerRetour) {
    for (const char separateur : {',', '.'}) {
        const std::string cas = std::string("séparateur ") + separateur;
        Banc b(separateur);
        Lire(b, Encke + Lignes_Lois);
        EXPECT_FALSE(Message_Lecture(b)) << cas;
        Comparer(b.el, Attendus(), cas);
        const QStringList ecrites = Ecrire_Lignes_Elements(b.ctx);
        EXPECT_EQ(U(ecrites.join(u'\n')), U((Encke + Lignes_Lois).join(u'\n'))) << cas;

        Banc seul(separateur);
        Lire(seul, Encke);
        Banc relu(separateur);
        Lire(relu, ecrites);
        Comparer(relu.el, Attendus(), cas);
        for (int k = 0; k < Nombre_Controles_Saisie; ++k) {
            const Controle c = Controle_Saisie(k);
            EXPECT_EQ(U(relu.boite.Texte(c)), U(seul.boite.Texte(c))) << cas << ' ' << Nom_Controle(c);
        }
    }
}

// A set with no law of its own and no epoch writes today's 20 lines, and a
// file of 20 lines leaves the laws of the set read before it.
TEST(Fichier_Lois_Epoque, SansLoisVingtLignes) {
    Banc b(',');
    Lire(b, Encke + Lignes_Lois);
    Lire(b, Encke);
    Comparer(b.el, Elements{}, "20 lignes");
    EXPECT_EQ(U(Ecrire_Lignes_Elements(b.ctx).join(u'\n')), U(Encke.join(u'\n')));
    EXPECT_FALSE(Message_Lecture(b));
}

// A value that cannot be taken is a read fault, and what its line describes
// keeps the program's own law or no epoch; the other lines are taken.
TEST(Fichier_Lois_Epoque, ValeursRefusees) {
    struct Cas {
        const char* nom;
        int ligne;  // of Lignes_Lois, from 0
        const char* texte;
        bool loi_totale, loi_noyau, epoque, non_grav;  // what is still taken
    };
    const Cas cas[] = {
        {"forme inconnue", 0, "Loi de la magnitude totale = planète", false, true, true, true},
        {"M1 hors limites", 1, "Magnitude absolue totale = 99", false, true, true, true},
        {"K1 pas un nombre", 2, "Coefficient de log r total = dix", false, true, true, true},
        {"PC négatif", 3, "Coefficient de phase total = -0,1 mag/°", false, true, true, true},
        {"M1 absent", 1, "", false, true, true, true},
        {"G hors limites", 7, "Paramètre de pente G du noyau = 5", true, false, true, true},
        {"H NaN", 6, "Magnitude absolue du noyau = nan", true, false, true, true},
        {"époque vide", 9, "Epoque d'osculation = ", true, true, false, true},
        {"époque infinie", 9, "Epoque d'osculation = 1e999", true, true, false, true},
        {"époque hors du calendrier", 9, "Epoque d'osculation = 1e12", true, true, false, true},
        {"A1 démesuré", 10, "A1 = 0,5 UA/j²", true, true, true, false},
        {"A2 illisible", 11, "A2 = 1,2,3", true, true, true, false},
    };
    for (const auto& c : cas) {
        QStringList lignes = Lignes_Lois;
        lignes[c.ligne] = QString::fromUtf8(c.texte);
        Banc b(',');
        Lire(b, Encke + lignes);
        EXPECT_TRUE(Message_Lecture(b)) << c.nom;
        const Elements a = Attendus();
        const Elements programme;
        EXPECT_EQ(b.el.Lois.totale.origine, (c.loi_totale ? a : programme).Lois.totale.origine) << c.nom;
        EXPECT_NEAR(b.el.Lois.totale.K, (c.loi_totale ? a : programme).Lois.totale.K, 1e-12) << c.nom;
        EXPECT_EQ(b.el.Lois.noyau.forme, (c.loi_noyau ? a : programme).Lois.noyau.forme) << c.nom;
        EXPECT_NEAR(b.el.Lois.noyau.Zero, (c.loi_noyau ? a : programme).Lois.noyau.Zero, 1e-12) << c.nom;
        EXPECT_EQ(b.el.Epoque.JJ_Epoque.has_value(), c.epoque) << c.nom;
        EXPECT_EQ(b.el.Epoque.Non_Grav.has_value(), c.non_grav) << c.nom;
        EXPECT_EQ(U(b.boite.Texte(Controle::saisie_e)), "0,8483") << c.nom;
    }
}

// Lines of another label, as a later version may write, are left alone;
// a line cut short of its label is one of them.
TEST(Fichier_Lois_Epoque, LignesInconnues) {
    Banc b(',');
    Lire(b, Encke + QStringList{"Couleur = bleu", "Epoque d'osc", ""} + Lignes_Lois);
    EXPECT_FALSE(Message_Lecture(b));
    Comparer(b.el, Attendus(), "lignes inconnues");
}

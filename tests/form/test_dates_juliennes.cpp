#include <gtest/gtest.h>

#include <cmath>

#include "astro/calendrier.h"
#include "form/dates_juliennes.h"
#include "form/disposition_fiche.h"
#include "plateforme/boite_memoire.h"
#include "sorties_essai.h"

namespace {

using C = Controle;
const Notation Virgule{',', " "};

TEST(Afficher_JJ_Perihelie, Textes) {
    struct Cas {
        double jj;
        char separateur;
        const char* attendu;
    };
    const Cas cas[] = {
        {2451545.0, ',', "2451545"},
        {2451545.1234, ',', "2451545,123"},
        {2451545.1234, '.', "2451545.123"},
        {2451545.0005, ',', "2451545,001"},
        {0, ',', ""},
        {-12.5, ',', ""},
        {std::nan(""), ',', ""},
    };
    for (const auto& c : cas) {
        Elements el;
        el.JJ_Perihelie = c.jj;
        Boite_Memoire boite;
        boite.Ecrire_Texte(Controle::saisie_Jour_Perihelie, QStringLiteral("ancien"));
        Afficher_JJ_Perihelie(el, boite, Notation{c.separateur, " "});
        EXPECT_EQ(boite.Texte(Controle::saisie_Jour_Perihelie), QString::fromUtf8(c.attendu)) << c.jj;
    }
}

// What the perihelion row shows in one form: caption and its width, left and
// width of the day field, its maximum length, month and year shown.
struct Vue_Perihelie {
    const char* titre;
    int largeur_titre, gauche_jour, largeur_jour, longueur_max;
    bool mois_an;
};
const Vue_Perihelie Calendaire{"Date du périhélie =", 92, 119, 65, 8, true};
const Vue_Perihelie Julienne{"Date du périhélie JJ =", 110, 118, 96, 14, false};

void Verifier(const Boite_Memoire& boite, const Vue_Perihelie& v, const char* const (&date)[3],
              const char* cas) {
    EXPECT_EQ(boite.Texte(C::TitrePerihelie), Q(v.titre)) << cas;
    EXPECT_EQ(boite.Geometrie(C::TitrePerihelie).width(), v.largeur_titre) << cas;
    EXPECT_EQ(boite.Geometrie(C::saisie_Jour_Perihelie).left(), v.gauche_jour) << cas;
    EXPECT_EQ(boite.Geometrie(C::saisie_Jour_Perihelie).width(), v.largeur_jour) << cas;
    EXPECT_EQ(boite.Longueur_Max(C::saisie_Jour_Perihelie), v.longueur_max) << cas;
    EXPECT_EQ(boite.Visible(C::saisie_Mois_Perihelie), v.mois_an) << cas;
    EXPECT_EQ(boite.Visible(C::saisie_An_Perihelie), v.mois_an) << cas;
    const C champs[] = {C::saisie_Jour_Perihelie, C::saisie_Mois_Perihelie, C::saisie_An_Perihelie};
    for (int k = 0; k < 3; ++k) EXPECT_EQ(boite.Texte(champs[k]), Q(date[k])) << cas << " " << k;
}

// To the Julian form and back without editing: the stored Julian day, not
// its three-decimal text, gives the calendar date again.
TEST(JulienneClick, AllerEtRetour) {
    struct Cas {
        const char* nom;
        double jj;
        const char* julien[3];
        const char* retour[3];
    };
    const Cas cas[] = {
        {"midi", 2451545.0, {"2451545", "m", "a"}, {"1,5", "1", "2000"}},
        {"au-delà de trois décimales", 2451545.123456, {"2451545,123", "m", "a"}, {"1,62346", "1", "2000"}},
        {"veille de la réforme", 2299159.5, {"2299159,5", "m", "a"}, {"4", "10", "1582"}},
        {"sans date", 0, {"", "m", "a"}, {"", "", ""}},
    };
    for (const auto& c : cas) {
        Elements el;
        el.JJ_Perihelie = c.jj;
        Boite_Memoire boite;
        Creer_Fiche(boite);
        boite.Ecrire_Texte(C::saisie_Mois_Perihelie, Q("m"));
        boite.Ecrire_Texte(C::saisie_An_Perihelie, Q("a"));
        JulienneClick(el, boite, Virgule);
        EXPECT_TRUE(boite.Coche(C::Julienne)) << c.nom;
        EXPECT_EQ(boite.Indice(C::saisie_Jour_Perihelie), Q("Date julienne du périhélie")) << c.nom;
        Verifier(boite, Julienne, c.julien, c.nom);
        JulienneClick(el, boite, Virgule);
        EXPECT_FALSE(boite.Coche(C::Julienne)) << c.nom;
        EXPECT_EQ(boite.Indice(C::saisie_Jour_Perihelie), Q("Jour calendaire du périhélie")) << c.nom;
        EXPECT_EQ(boite.Indice(C::saisie_An_Perihelie), Q("Année calendaire du périhélie")) << c.nom;
        Verifier(boite, Calendaire, c.retour, c.nom);
    }
}

// After a Julian day was computed elsewhere, in the checked form, hints kept.
TEST(Rafraichir_Perihelie, DansLaFormeCochee) {
    struct Cas {
        bool julien;
        double jj;
        const char* date[3];
    };
    const Cas cas[] = {{false, 2451514.123456, {"1,623", "12", "1999"}},
                       {true, 2451514.5, {"2451514,5", "", ""}}};
    for (const auto& c : cas) {
        Elements el;
        el.JJ_Perihelie = c.jj;
        Boite_Memoire boite;
        Creer_Fiche(boite);
        boite.Cocher(C::Julienne, c.julien);
        Rafraichir_Perihelie(el, boite, Virgule);
        Verifier(boite, c.julien ? Julienne : Calendaire, c.date, c.date[0]);
        EXPECT_EQ(boite.Indice(C::saisie_Jour_Perihelie), Q("Jour calendaire du périhélie")) << c.date[0];
    }
}

using Bascule = void (*)(Elements&, Boite_Outils&, const Notation&);

// Both equinox items, each way. Before, the stored year and its Julian day.
TEST(Equinoxes, ValeursEtTextes) {
    struct Cas {
        const char* nom;
        Bascule bascule;
        bool vers_julien;
        const char* tape;
        double annee_avant;
        const char* texte;
        double annee;
        double jj;
    };
    const Bascule El = Julienne_élémentsClick;
    const Bascule Ep = Julienne_éphémérideClick;
    const Cas cas[] = {
        {"2000 vers jour julien", El, true, "2000", 0, "2451544,5", 2000, 2451544.5},
        {"1500 efface", El, true, "1500", 1950, "", 0, 0},
        {"champ vide: valeur gardée", El, true, "", 1950, "2433282,5", 1950, 2433282.5},
        {"2451544,5 vers année", El, false, "2451544,5", 0, "2000", 2000, 2451544.5},
        {"2299160 efface", El, false, "2299160", 1950, "", 0, 0},
        {"année en sept décimales", El, false, "2451545", 0, "2000,0013689", JJ_Vers_Annee(2451545), 2451545},
        {"éphéméride 2000", Ep, true, "2000", 0, "2451544,5", 2000, 2451544.5},
        {"éphéméride, format général", Ep, false, "2451545", 0, "2000,00136892539", JJ_Vers_Annee(2451545),
         2451545},
    };
    for (const auto& c : cas) {
        const bool elements = c.bascule == El;
        Elements el;
        double& annee = elements ? el.Equinoxe : el.Equinoxe_ephemeride;
        double& jj = elements ? el.JJ_Equinoxe : el.JJ_Equinoxe_ephemeride;
        annee = c.annee_avant;
        jj = c.annee_avant > 0 ? Annee_Vers_JJ(c.annee_avant) : 0;
        Boite_Memoire boite;
        const C champ = elements ? C::Equinoxe : C::Equinoxe_ephemeride;
        const C item = elements ? C::Julienne_éléments : C::Julienne_éphéméride;
        boite.Cocher(item, !c.vers_julien);
        boite.Ecrire_Texte(champ, Q(c.tape));
        c.bascule(el, boite, Virgule);
        EXPECT_EQ(boite.Coche(item), c.vers_julien) << c.nom;
        EXPECT_EQ(boite.Texte(champ), Q(c.texte)) << c.nom;
        EXPECT_NEAR(annee, c.annee, 1e-9) << c.nom;
        EXPECT_NEAR(jj, c.jj, 1e-9) << c.nom;
    }
}

// Caption, place and hint of each equinox in each form.
TEST(Equinoxes, Presentation) {
    struct Cas {
        Bascule bascule;
        C etiquette, deplace, champ;
        const char* legende;
        int gauche;
        const char* indice;
    };
    const Cas cas[] = {
        {Julienne_élémentsClick, C::Label26, C::Equinoxe, C::Equinoxe, "Equinoxe des éléments JJ =", 165,
         "Date julienne de l'équinoxe des éléments"},
        {Julienne_élémentsClick, C::Label26, C::Equinoxe, C::Equinoxe, "Equinoxe des éléments =", 152,
         "Année calendaire de l'équinoxe des éléments"},
        {Julienne_éphémérideClick, C::Label29, C::Label29, C::Equinoxe_ephemeride,
         "Equinoxe éphéméride JJ =", 328, "Date julienne de l'équinoxe de l'éphéméride"},
        {Julienne_éphémérideClick, C::Label29, C::Label29, C::Equinoxe_ephemeride,
         "Equinoxe éphéméride =", 341, "Année calendaire de l'équinoxe de l'éphéméride"},
    };
    Elements el;
    Boite_Memoire boite;
    Creer_Fiche(boite);
    for (const auto& c : cas) {
        const QRect avant = boite.Geometrie(c.deplace);
        c.bascule(el, boite, Virgule);
        EXPECT_EQ(boite.Texte(c.etiquette), Q(c.legende)) << c.legende;
        EXPECT_EQ(boite.Geometrie(c.deplace), QRect(c.gauche, avant.y(), avant.width(), avant.height()))
            << c.legende;
        EXPECT_EQ(boite.Indice(c.champ), Q(c.indice)) << c.legende;
    }
}

}  // namespace

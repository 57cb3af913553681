#include <gtest/gtest.h>

#include <functional>

#include "page/legendes.h"
#include "page/textes_ligne.h"
#include "support/page_exemple.h"

namespace {

QString Q(const char* texte) { return QString::fromUtf8(texte); }

// What the page says of its magnitude columns, for laws of each origin and
// form, with and without a typed magnitude: the zero point drawn from an
// estimate is the page's own, written to the hundredth.
TEST(Legendes, Magnitudes) {
    struct Cas {
        const char* nom;
        std::function<void(Page_Exemple&)> preparer;
        QStringList attendu;  // "%1" stands for the zero point the estimate gives
    };
    const auto importee_comete = [](Page_Exemple& e) {
        e.el.Lois.totale = Loi_Comete(-2, 10, 0, Origine_Loi::Importee);
        e.entree.Origine_Totale = Q("importée de cometes.txt");
    };
    const Cas cas[] = {
        {"aucune colonne", [](Page_Exemple&) {}, {}},
        {"loi importée seule",
         importee_comete,
         {Q("Magnitude totale : loi M1 = -2, K1 = 10, importée de cometes.txt")}},
        {"loi importée et estimation",
         [&](Page_Exemple& e) {
             importee_comete(e);
             e.Choisir("Aucun", true, false);
         },
         {Q("Magnitude totale : loi M1 = -2, K1 = 10, importée de cometes.txt ; estimation 8 le 01/02/2000, "
            "d'où M1 = %1")}},
        {"loi du programme et estimation du noyau",
         [](Page_Exemple& e) { e.Choisir("Aucun", false, true); },
         {Q("Magnitude du noyau : loi du programme, K2 = 5 ; estimation 12,5 le 01/02/2000, d'où M2 = %1")}},
        {"astéroïde importé",
         [](Page_Exemple& e) {
             e.el.Lois.noyau = Loi_Asteroide(15.2, 0.15, Origine_Loi::Importee);
             e.entree.Origine_Noyau = Q("importée de MPCORB.DAT");
         },
         {Q("Magnitude du noyau : loi H = 15,2, G = 0,15, importée de MPCORB.DAT")}},
        {"comète saisie avec terme de phase",
         [](Page_Exemple& e) {
             e.el.Lois.noyau = Loi_Comete(13.6, 5, 0.03, Origine_Loi::Saisie);
             e.entree.Origine_Noyau = Q("saisie");
         },
         {Q("Magnitude du noyau : loi M2 = 13,6, K2 = 5, PC = 0,03 mag/°, saisie")}},
        {"estimation d'une date sans jour : la loi seule",
         [&](Page_Exemple& e) {
             importee_comete(e);
             e.entree.Totale = Magnitude_Saisie{8, {0, 2, 2000}};
         },
         {Q("Magnitude totale : loi M1 = -2, K1 = 10, importée de cometes.txt")}},
    };
    for (const Cas& c : cas) {
        Page_Exemple e;
        c.preparer(e);
        const Contexte_Page p = e.Contexte();
        ASSERT_TRUE(Preparer_Page(p.calcul)) << c.nom;
        QStringList attendu = c.attendu;
        for (QString& ligne : attendu) {
            const Loi_Magnitude& loi = ligne.contains(Q("M2 =")) ? e.page.Lois.noyau : e.page.Lois.totale;
            if (ligne.contains(Q("%1"))) ligne = ligne.arg(Texte_Motif(loi.Zero, "#0.##", e.notation));
        }
        EXPECT_EQ(Textes_Magnitudes(p.calcul).join(u'\n').toStdString(), attendu.join(u'\n').toStdString())
            << c.nom;
    }
}

// The laws dialog's word on each column: absent, following its law, or
// following the estimate.
TEST(Legendes, SuiviColonnes) {
    Page_Exemple e;
    e.el.Lois.totale = Loi_Comete(-2, 10, 0, Origine_Loi::Importee);
    e.Choisir("Aucun", false, false);
    const Contexte_Page p = e.Contexte();
    ASSERT_TRUE(Preparer_Page(p.calcul));
    EXPECT_EQ(Texte_Suivi_Colonne(p.calcul, true).toStdString(), "La colonne M1 suit cette loi.");
    EXPECT_EQ(Texte_Suivi_Colonne(p.calcul, false).toStdString(), "La colonne M2 n'est pas montrée.");
    e.Choisir("Aucun", true, false);
    const Contexte_Page estimee = e.Contexte();
    ASSERT_TRUE(Preparer_Page(estimee.calcul));
    EXPECT_EQ(Texte_Suivi_Colonne(estimee.calcul, true).toStdString(),
              Q("La colonne M1 suit l'estimation 8 le 01/02/2000, d'où M1 = %1.")
                  .arg(Texte_Motif(e.page.Lois.totale.Zero, "#0.##", e.notation))
                  .toStdString());
    EXPECT_NE(e.page.Lois.totale.Zero, -2);
}

// A Julian day as the program writes dates: the day and month on two
// digits, the day's hundredths only when it has a fraction.
TEST(Legendes, DateJJ) {
    struct Cas {
        double jj;
        char separateur;
        const char* attendu;
    };
    const Cas cas[] = {
        {2449731.5, ',', "14/01/1995"},
        {2451545.0, ',', "01,50/01/2000"},
        {2451545.0, '.', "01.50/01/2000"},
        {2459034.18, ',', "03,68/07/2020"},
        {2451575.4999, ',', "01/02/2000"},
        {2451575.49, ',', "31,99/01/2000"},
        {2305447.5, ',', "01/01/1600"},
        {std::nan(""), ',', ""},
        {1e300, ',', ""},
    };
    for (const Cas& c : cas) {
        const Notation n{c.separateur, " "};
        EXPECT_EQ(Texte_Date_JJ(c.jj, n).toStdString(), c.attendu) << c.jj;
    }
}

// The window's line on the figures: the model, the time scale of the
// dates, and the site whose visibility is shown.
TEST(Legendes, CalculFenetre) {
    struct Cas {
        const char* nom;
        Modele_Calcul modele;
        bool site;
        bool afficher;
        const char* attendu;
    };
    const Cas cas[] = {
        {"classique", Modele_Calcul::Classique, false, false, "modèle classique ; dates en TT"},
        {"précis", Modele_Calcul::Precis, false, false,
         "modèle précis, place astrométrique géocentrique, deux corps ; dates en UTC"},
        {"précis, lieu montré", Modele_Calcul::Precis, true, true,
         "modèle précis, place astrométrique géocentrique, deux corps ; dates en UTC ; visibilité pour "
         "Paris"},
        {"lieu sans visibilité", Modele_Calcul::Precis, true, false,
         "modèle précis, place astrométrique géocentrique, deux corps ; dates en UTC"},
    };
    for (const Cas& c : cas) {
        Page_Exemple e;
        e.entree.Modele.modele = c.modele;
        if (c.site) e.site = Site_Observation{Q("Paris"), {48.85, 2.35, 35}, 15, c.afficher};
        EXPECT_EQ(Texte_Calcul_Fenetre(e.Contexte().calcul).toStdString(), c.attendu) << c.nom;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "form/dates_juliennes.h"
#include "form/edition.h"
#include "sorties_essai.h"

namespace {

using C = Controle;
const QChar Avale;  // what a swallowed key gives

// ---- Key filters, each field through its own

TEST(FicheKeyPress, FiltreDuChamp) {
    struct Cas {
        const char* nom;
        Controle champ;
        const char* texte;  // before the key
        char16_t touche;
        char separateur;
        std::optional<char16_t> attendu;  // nothing: swallowed
    };
    const Cas cas[] = {
        {"chiffre", C::saisie_An, "19", u'7', ',', u'7'},
        {"lettre", C::saisie_An, "", u'a', ',', std::nullopt},
        {"chiffre arabe-indien", C::saisie_An, "", 0x0663, ',', std::nullopt},
        {"retour arrière", C::Saisie_JMT, "1", 8, ',', 8},
        {"ctrl+V", C::Saisie_JMT, "", 22, ',', 22},
        {"espace", C::Saisie_Pas, "1", u' ', ',', u' '},
        {"virgule sans décimales", C::Saisie_JMT, "1", u',', ',', std::nullopt},
        {"point devient virgule", C::saisie_a, "1", u'.', ',', u','},
        {"virgule devient point", C::saisie_a, "1", u',', '.', u'.'},
        {"second séparateur", C::saisie_a, "1,5", u'.', ',', std::nullopt},
        {"séparateur d'un autre système", C::Equinoxe, "1.5", u',', ',', u','},
        {"signe refusé au décimal", C::saisie_i, "", u'-', ',', std::nullopt},
        {"e d'exposant", C::saisie_q, "1", u'e', '.', std::nullopt},
        {"signe en tête", C::Saisie_MT, "", u'-', ',', u'-'},
        {"signe après un chiffre", C::Saisie_MN, "1", u'-', ',', std::nullopt},
        {"plus refusé", C::Saisie_MT, "", u'+', ',', std::nullopt},
        {"séparateur du signé", C::Saisie_MT, "-1", u'.', ',', u','},
        {"commentaire sans filtre", C::Commentaire, "", u'-', ',', u'-'},
        {"liste sans filtre", C::Liste_Pas, "", u'#', ',', u'#'},
    };
    for (const Cas& c : cas) {
        Formulaire_Essai f;
        f.notation.Separateur_Decimal = c.separateur;
        f.Ecrire(c.champ, c.texte);
        const QChar obtenu = FicheKeyPress(f.ctx, c.champ, QChar(c.touche));
        EXPECT_EQ(obtenu, c.attendu ? QChar(*c.attendu) : Avale) << c.nom;
        EXPECT_EQ(f.rafraichissements, 0) << c.nom;
    }
}

// ---- Enter

// The frame as a case needs it for the three rows that depend on it.
struct Etat_Cible {
    double e = 0.5;
    bool a_visible = true;
    bool julienne = false;
};

TEST(Cible_Entree, SelonLEtatDeLaFiche) {
    struct Cas {
        const char* nom;
        Controle depuis;
        Etat_Cible etat;
        Controle vers;
    };
    const Cas cas[] = {
        {"q elliptique", C::saisie_q, {0.5, true, false}, C::saisie_a},
        {"q à 0,99", C::saisie_q, {0.99, false, false}, C::saisie_i},
        {"q elliptique, a caché", C::saisie_q, {0.5, false, false}, C::saisie_i},
        {"q hyperbolique", C::saisie_q, {1.2, false, false}, C::saisie_i},
        {"périhélie calendaire", C::saisie_Jour_Perihelie, {}, C::saisie_Mois_Perihelie},
        {"périhélie julien", C::saisie_Jour_Perihelie, {0.5, true, true}, C::Equinoxe},
        {"instrument, a visible", C::Liste_Instruments, {}, C::saisie_a},
        {"instrument, a caché", C::Liste_Instruments, {1.0, false, false}, C::saisie_e},
    };
    for (const Cas& c : cas) {
        Formulaire_Essai f;
        f.el.e = c.etat.e;
        f.boite.Montrer(C::saisie_a, c.etat.a_visible);
        f.boite.Cocher(C::Julienne, c.etat.julienne);
        EXPECT_EQ(Cible_Entree(f.ctx, c.depuis), c.vers) << c.nom;
    }
}

// Enter after Enter from the comment goes round every entry control but the
// telescope once, the elliptic ones only while the orbit is elliptic.
TEST(Cible_Entree, LeTourDeLaFiche) {
    struct Cas {
        const char* nom;
        double e;
        std::size_t controles;
    };
    const Cas cas[] = {{"elliptique", 0.5, 27}, {"parabolique", 1.0, 24}};
    for (const Cas& c : cas) {
        Formulaire_Essai f;
        f.el.e = c.e;
        for (Controle k : {C::saisie_a, C::saisie_gQ, C::saisie_n}) f.boite.Montrer(k, c.e < 0.99);
        std::vector<Controle> vus;
        Controle k = C::Commentaire;
        for (int pas = 0; pas < Nombre_Controles_Saisie; ++pas) {
            vus.push_back(k);
            k = Cible_Entree(f.ctx, k);
            ASSERT_TRUE(Est_Controle_Saisie(k)) << c.nom;
            if (k == C::Commentaire) break;
        }
        EXPECT_EQ(k, C::Commentaire) << c.nom;
        EXPECT_EQ(vus.size(), c.controles) << c.nom;
        std::sort(vus.begin(), vus.end());
        EXPECT_EQ(std::unique(vus.begin(), vus.end()), vus.end()) << c.nom;
        for (Controle v : vus) EXPECT_TRUE(f.boite.Visible(v)) << c.nom << ' ' << Nom_Controle(v);
    }
}

// Enter leaves the field through its exit, enters the next one and rebuilds
// the page; the comment is selected again and the page waits.
TEST(FicheKeyPress, EntreeQuitteEtRafraichit) {
    struct Cas {
        const char* nom;
        Controle champ;
        const char* entree;
        const char* tape;
        Controle suivant;
        int rafraichissements;  // the exit's own, then Enter's
        bool modifie;
    };
    const Cas cas[] = {
        {"inclinaison prise", C::saisie_i, "", "12,5", C::saisie_Omega, 2, true},
        {"inclinaison inchangée", C::saisie_i, "12,5", "12,5", C::saisie_Omega, 1, false},
        {"commentaire", C::Commentaire, "", " Encke ", C::Equinoxe, 0, true},
        {"unité du pas", C::Liste_Pas, "jours", "jours", C::Commentaire, 1, false},
    };
    for (const Cas& c : cas) {
        Formulaire_Essai f;
        Donner_Focus(f.ctx, c.champ);
        f.formulaire.Entree(c.champ) = Q(c.entree);
        f.Ecrire(c.champ, c.tape);
        EXPECT_EQ(FicheKeyPress(f.ctx, c.champ, QChar(13)), Avale) << c.nom;
        EXPECT_EQ(f.boite.Controle_Focus(), c.suivant) << c.nom;
        EXPECT_EQ(f.formulaire.Focus, c.suivant) << c.nom;
        EXPECT_EQ(f.formulaire.Dernier_Champ, Tabulation(c.champ)) << c.nom;
        EXPECT_EQ(f.rafraichissements, c.rafraichissements) << c.nom;
        EXPECT_EQ(f.document.Modifie, c.modifie) << c.nom;
        if (c.champ == C::Commentaire) {
            EXPECT_EQ(f.boite.Derniere_Selection(), C::Commentaire) << c.nom;
            EXPECT_EQ(f.boite.Texte_Selectionne(C::Commentaire), f.Texte(C::Commentaire)) << c.nom;
        }
    }
}

// Enter in saisie_e takes the typed value as it stands; the exit rounds it
// only when the text changed.
TEST(FicheKeyPress, EntreeDansLExcentricite) {
    struct Cas {
        const char* nom;
        const char* entree;
        const char* tape;
        const char* texte;  // saisie_e afterwards
        double e;
    };
    const Cas cas[] = {
        {"inchangé: non arrondi", "0,123456789012345", "0,123456789012345", "0,123456789012345",
         0.123456789012345},
        {"changé: arrondi par la sortie", "0,5", "0,123456789012345", "0,123456789", 0.123456789},
        {"point du presse-papiers", "0,5", "0.75", "0,75", 0.75},
    };
    for (const Cas& c : cas) {
        Formulaire_Essai f;
        Donner_Focus(f.ctx, C::saisie_e);
        f.formulaire.Entree(C::saisie_e) = Q(c.entree);
        f.el.e = 0.5;
        f.Ecrire(C::saisie_e, c.tape);
        FicheKeyPress(f.ctx, C::saisie_e, QChar(13));
        EXPECT_EQ(f.Texte(C::saisie_e), Q(c.texte)) << c.nom;
        EXPECT_NEAR(f.el.e, c.e, 1e-16) << c.nom;
        EXPECT_EQ(f.boite.Controle_Focus(), C::saisie_q) << c.nom;
    }
}

// ---- Escape

TEST(FicheKeyPress, EchapRestaureEtSelectionne) {
    struct Cas {
        Controle champ;
        const char* entree;
        const char* tape;
    };
    const Cas cas[] = {
        {C::saisie_a, "17,8", "17,85"},
        {C::Commentaire, "Halley", "Halley le retour"},
        {C::Liste_Pas, "jours", "mois"},
    };
    for (const Cas& c : cas) {
        Formulaire_Essai f;
        Donner_Focus(f.ctx, c.champ);
        f.formulaire.Entree(c.champ) = Q(c.entree);
        f.Ecrire(c.champ, c.tape);
        EXPECT_EQ(FicheKeyPress(f.ctx, c.champ, QChar(27)), Avale) << Nom_Controle(c.champ);
        EXPECT_EQ(f.Texte(c.champ), Q(c.entree)) << Nom_Controle(c.champ);
        EXPECT_EQ(f.boite.Derniere_Selection(), c.champ) << Nom_Controle(c.champ);
        EXPECT_EQ(f.boite.Texte_Selectionne(c.champ), Q(c.entree)) << Nom_Controle(c.champ);
        EXPECT_EQ(f.boite.Controle_Focus(), c.champ) << Nom_Controle(c.champ);
        EXPECT_EQ(f.rafraichissements, 0) << Nom_Controle(c.champ);
        EXPECT_FALSE(f.document.Modifie) << Nom_Controle(c.champ);
    }
}

// ---- Focus, first click

// A user's round of clicks: each click comes after the focus it gave, the
// caret placed by the click itself clears any selection.
TEST(FicheClick, LePremierClicSelectionneTout) {
    struct Pas_Clic {
        const char* nom;
        Controle champ;
        bool tout_selectionne;
    };
    const Pas_Clic suite[] = {
        {"premier clic dans i", C::saisie_i, true},  {"second clic dans i", C::saisie_i, false},
        {"clic dans e", C::saisie_e, true},          {"retour dans i", C::saisie_i, true},
        {"liste: pas de clic", C::Liste_Pas, false}, {"retour dans i après la liste", C::saisie_i, true},
    };
    Formulaire_Essai f;
    f.Remplir({{C::saisie_i, "162,2"}, {C::saisie_e, "0,967"}});
    for (const Pas_Clic& p : suite) {
        Donner_Focus(f.ctx, p.champ);
        f.boite.Selectionner(p.champ, 0, 0);
        FicheClick(f.ctx, p.champ);
        const bool tout =
            !f.Texte(p.champ).isEmpty() && f.boite.Texte_Selectionne(p.champ) == f.Texte(p.champ);
        EXPECT_EQ(tout, p.tout_selectionne) << p.nom;
    }
    // A click into the comment offers to paste whatever text there is.
    f.boite.Fixer_Presse_Papiers(Q("Encke"));
    f.boite.Activer(C::Coller, false);
    FicheClick(f.ctx, C::Commentaire);
    EXPECT_TRUE(f.boite.Actif(C::Coller));
}

// The text remembered on entry, and the exit of the control left, of every kind.
TEST(Donner_Focus, SortieDeLAncienEntreeDuNouveau) {
    struct Cas {
        const char* nom;
        Controle ancien;
        const char* tape;
        Controle nouveau;
        const char* texte_nouveau;
        const char* ancien_apres;  // the old control's text once left
        const char* entree_nouveau;
    };
    const Cas cas[] = {
        {"champ vers commentaire", C::saisie_i, "12, 5", C::Commentaire, "  Encke ", "12,5", "Encke"},
        {"commentaire vers champ", C::Commentaire, " Encke", C::saisie_i, " 7", " Encke", " 7"},
        {"liste complétée en sortie", C::Liste_Pas, " M", C::saisie_e, "0", "mois", "0"},
        {"instrument complété", C::Liste_Instruments, "cor", C::Liste_Pas, "jours", "Corlande", "jours"},
    };
    for (const Cas& c : cas) {
        Formulaire_Essai f;
        Donner_Focus(f.ctx, c.ancien);
        f.Ecrire(c.ancien, c.tape);
        f.Ecrire(c.nouveau, c.texte_nouveau);
        Donner_Focus(f.ctx, c.nouveau);
        EXPECT_EQ(f.Texte(c.ancien), Q(c.ancien_apres)) << c.nom;
        EXPECT_EQ(f.formulaire.Entree(c.nouveau), Q(c.entree_nouveau)) << c.nom;
        EXPECT_EQ(f.formulaire.Dernier_Champ, Tabulation(c.ancien)) << c.nom;
        EXPECT_EQ(f.boite.Controle_Focus(), c.nouveau) << c.nom;
    }
}

// Giving the focus to the control that has it runs no rule.
TEST(Donner_Focus, MemeControleSansRegle) {
    Formulaire_Essai f;
    f.Ecrire(C::saisie_i, "10");
    Donner_Focus(f.ctx, C::saisie_i);
    f.Ecrire(C::saisie_i, "12");
    Donner_Focus(f.ctx, C::saisie_i);
    EXPECT_EQ(f.formulaire.Entree(C::saisie_i), Q("10"));
    EXPECT_EQ(f.rafraichissements, 0);
    EXPECT_FALSE(f.document.Modifie);
    EXPECT_EQ(f.boite.Controle_Focus(), C::saisie_i);
}

// ---- Clipboard commands on entry

struct Commandes_Edition {
    bool couper;
    bool copier;
    bool coller;
};

TEST(FicheEnter, CommandesDuPressePapiers) {
    const Commandes_Edition tout{true, true, true};
    const Commandes_Edition rien{false, false, false};
    struct Cas {
        const char* nom;
        Controle c;
        std::optional<const char*> presse_papiers;
        Commandes_Edition avant;
        Commandes_Edition apres;
    };
    const Cas cas[] = {
        {"nombre à coller", C::saisie_a, "12,5", rien, tout},
        {"nombre signé", C::Saisie_MT, "-3", rien, tout},
        {"texte dans un champ numérique", C::saisie_a, "Halley", tout, {true, true, false}},
        {"presse-papiers vide", C::saisie_a, "", tout, {true, true, false}},
        {"presse-papiers sans texte", C::saisie_a, std::nullopt, tout, {true, true, false}},
        {"texte dans le commentaire", C::Commentaire, "Halley", rien, tout},
        {"commentaire, presse-papiers vide", C::Commentaire, "", tout, {true, true, false}},
        {"commentaire, sans texte", C::Commentaire, std::nullopt, tout, {true, true, false}},
        {"instrument", C::Liste_Instruments, "12", tout, rien},
        {"unité: rien ne change", C::Liste_Pas, "12", {false, true, false}, {false, true, false}},
    };
    for (const Cas& c : cas) {
        Formulaire_Essai f;
        f.boite.Fixer_Presse_Papiers(c.presse_papiers ? std::optional<QString>(Q(*c.presse_papiers))
                                                      : std::nullopt);
        f.boite.Activer(C::Couper, c.avant.couper);
        f.boite.Activer(C::Copier, c.avant.copier);
        f.boite.Activer(C::Coller, c.avant.coller);
        FicheEnter(f.ctx, c.c);
        EXPECT_EQ(f.boite.Actif(C::Couper), c.apres.couper) << c.nom;
        EXPECT_EQ(f.boite.Actif(C::Copier), c.apres.copier) << c.nom;
        EXPECT_EQ(f.boite.Actif(C::Coller), c.apres.coller) << c.nom;
    }
}

// ---- The reset

// A document being edited in every form the frame offers.
void Remplir_Document(Formulaire_Essai& f) {
    f.Remplir({{C::Commentaire, "1P/Halley"},
               {C::saisie_e, "0,967"},
               {C::saisie_q, "0,587"},
               {C::saisie_i, "162,2"},
               {C::saisie_Jour_Perihelie, "9,439"},
               {C::saisie_Mois_Perihelie, "2"},
               {C::saisie_An_Perihelie, "1986"},
               {C::Equinoxe, "1950"},
               {C::Equinoxe_ephemeride, "2000"},
               {C::Saisie_AMN, "1986"},
               {C::saisie_Jour, "1"},
               {C::Saisie_Pas, "5"},
               {C::Liste_Pas, "mois"},
               {C::Liste_Instruments, "Corlande"},
               {C::Label15, "L =  "}});
    f.el.e = 0.967;
    f.el.q = 0.587;
    f.el.a = 17.8;
    f.el.i = f.el.Omega = f.el.gOmega = f.el.Longitude_Perihelie = 100;
    f.el.Jour_Perihelie = 9.439;
    f.el.Mois_Perihelie = 2;
    f.el.An_Perihelie = 1986;
    f.el.JJ_Perihelie = 2446470.939;
    f.el.Pas = 5;
    f.el.Anomalie_Moyenne = 12;
    JulienneClick(f.el, f.boite, f.notation);
    Julienne_élémentsClick(f.el, f.boite, f.notation);
    Julienne_éphémérideClick(f.el, f.boite, f.notation);
    f.boite.Ecrire_Texte(C::Révolution, Q("Durée de révolution = 75,97 ans"));
    f.boite.Placer(C::Fenetre, QRect(0, 248, 660, 900));
    f.boite.Placer(C::ToolBar1, QRect(0, 0, 700, 30));
    for (Controle c : {C::Enregistrer, C::ToolEnregistrer, C::Imprimer1, C::ToolImprimer})
        f.boite.Activer(c, true);
    f.boite.Ecrire_Texte(C::Principale, Q("Trajectel - halley.elt"));
    f.document = {Q("/tmp/halley.elt"), Q("halley.elt"), true};
}

TEST(Reinitialiser_Fiche, DocumentVierge) {
    Formulaire_Essai f;
    int ajustements = 0;
    f.ctx.Ajuster_Barres = [&ajustements] { ++ajustements; };
    Remplir_Document(f);
    Donner_Focus(f.ctx, C::saisie_i);
    f.formulaire.Entree(C::saisie_q) = Q("0,5");
    Reinitialiser_Fiche(f.ctx);

    struct Texte_Attendu {
        Controle c;
        const char* texte;
    };
    for (Controle c : {C::Commentaire, C::saisie_q, C::saisie_a, C::saisie_i, C::saisie_Jour_Perihelie,
                       C::saisie_Mois_Perihelie, C::saisie_An_Perihelie, C::Equinoxe, C::Equinoxe_ephemeride,
                       C::Saisie_AMN, C::Révolution})
        EXPECT_EQ(f.Texte(c), Q("")) << Nom_Controle(c);
    // Rewritten; then kept as they were: the telescope, the start date, the angle mode.
    const Texte_Attendu textes[] = {{C::saisie_e, "0"},
                                    {C::Saisie_Pas, "1"},
                                    {C::Liste_Pas, "jours"},
                                    {C::Label26, "Equinoxe des éléments ="},
                                    {C::Label29, "Equinoxe éphéméride ="},
                                    {C::TitrePerihelie, "Date du périhélie ="},
                                    {C::Principale, "Trajectel"},
                                    {C::Liste_Instruments, "Corlande"},
                                    {C::saisie_Jour, "1"},
                                    {C::Label15, "L =  "}};
    for (const Texte_Attendu& t : textes) EXPECT_EQ(f.Texte(t.c), Q(t.texte)) << Nom_Controle(t.c);

    struct Place_Attendue {
        Controle c;
        QRect place;
    };
    const Place_Attendue places[] = {
        {C::Fenetre, QRect(0, 248, 590, 550)},
        // Wide enough for the units of the right-hand column, which end at 656.
        {C::Fiche, QRect(0, 30, 656, 798)},
        {C::saisie_Jour_Perihelie, QRect(119, 165, 65, 21)},
        {C::Equinoxe, QRect(152, 40, 80, 21)},
    };
    for (const Place_Attendue& p : places) EXPECT_EQ(f.boite.Geometrie(p.c), p.place) << Nom_Controle(p.c);
    EXPECT_EQ(f.boite.Geometrie(C::Label29).x(), 345);
    EXPECT_EQ(f.boite.Geometrie(C::TitrePerihelie).width(), 92);
    EXPECT_EQ(f.boite.Longueur_Max(C::saisie_Jour_Perihelie), 8);

    for (Controle c : {C::Julienne, C::Julienne_éléments, C::Julienne_éphéméride})
        EXPECT_FALSE(f.boite.Coche(c)) << Nom_Controle(c);
    for (Controle c : {C::Enregistrer, C::ToolEnregistrer, C::Imprimer1, C::ToolImprimer})
        EXPECT_FALSE(f.boite.Actif(c)) << Nom_Controle(c);
    for (Controle c : {C::saisie_Mois_Perihelie, C::saisie_An_Perihelie, C::saisie_a})
        EXPECT_TRUE(f.boite.Visible(c)) << Nom_Controle(c);
    EXPECT_FALSE(f.boite.Visible(C::Révolution));

    for (double v : {f.el.e, f.el.a, f.el.q, f.el.i, f.el.Omega, f.el.gOmega, f.el.Longitude_Perihelie,
                     f.el.Jour_Perihelie, f.el.Anomalie_Moyenne, f.el.Equinoxe, f.el.JJ_Equinoxe,
                     f.el.Equinoxe_ephemeride, f.el.JJ_Equinoxe_ephemeride})
        EXPECT_EQ(v, 0.0);
    EXPECT_EQ(f.el.Mois_Perihelie, 0);
    EXPECT_EQ(f.el.An_Perihelie, 0);
    EXPECT_EQ(f.el.Pas, 1);
    EXPECT_NEAR(f.el.JJ_Perihelie, 2446470.939, 1e-6);

    EXPECT_FALSE(f.document.Modifie);
    EXPECT_TRUE(f.document.Nom_Fichier.isEmpty());
    EXPECT_TRUE(f.document.Dernier_Fichier.isEmpty());
    EXPECT_EQ(f.boite.Controle_Focus(), C::Commentaire);
    EXPECT_EQ(f.boite.Derniere_Selection(), C::Commentaire);
    EXPECT_EQ(f.formulaire.Entree(C::Commentaire), Q(""));
    EXPECT_EQ(f.formulaire.Entree(C::saisie_q), Q("0,5"));
    EXPECT_EQ(ajustements, 1);
    // The field being edited was left first: its exit found it unchanged.
    EXPECT_EQ(f.rafraichissements, 0);
}

// The reset takes the focus from the field being edited through its exit.
TEST(Reinitialiser_Fiche, QuitteLeChampEdite) {
    Formulaire_Essai f;
    Donner_Focus(f.ctx, C::saisie_i);
    f.Ecrire(C::saisie_i, "12");
    Reinitialiser_Fiche(f.ctx);
    EXPECT_EQ(f.rafraichissements, 1);
    EXPECT_EQ(f.formulaire.Dernier_Champ, Tabulation(C::saisie_i));
    EXPECT_EQ(f.Texte(C::saisie_i), Q(""));
    EXPECT_FALSE(f.document.Modifie);
}

}  // namespace

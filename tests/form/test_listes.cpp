#include <gtest/gtest.h>

#include "form/angle_perihelie.h"
#include "form/edition.h"
#include "form/listes.h"
#include "sorties_essai.h"

namespace {

using C = Controle;

TEST(Completer_Liste, PrefixeDansLOrdreDeLaListe) {
    struct Cas {
        Controle liste;
        const char* tape;
        const char* article;  // "" when nothing matches
    };
    const Cas cas[] = {
        {C::Liste_Instruments, "  DRA ", "Dravelle"},
        {C::Liste_Instruments, "a", "Aucun"},
        {C::Liste_Instruments, "ar", "Arbelin"},
        {C::Liste_Instruments, "x", ""},
        {C::Liste_Instruments, "", "Aucun"},
        {C::Liste_Instruments, "E", "Estrane"},
        {C::Liste_Instruments, "corlandes", ""},
        {C::Liste_Instruments, "d r", ""},
        {C::Liste_Pas, "m", "mois"},
        {C::Liste_Pas, "an", "années"},
        {C::Liste_Pas, "x", ""},
        {C::Liste_Pas, "", "heures"},
        {C::Liste_Pas, "Années", "années"},
        // Only A to Z are lowered: a capital É is not the é of the item.
        {C::Liste_Pas, "ANNÉES", ""},
        {C::Commentaire, "m", ""},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Completer_Liste(c.liste, Q(c.tape)), Q(c.article))
            << Nom_Controle(c.liste) << " '" << c.tape << "'";
}

// Leaving a list: completed, or back to its text on entry; the telescope
// rebuilds the page in every case, the unit only when it changed.
TEST(Sortie_Liste, CompletionEtRafraichissement) {
    struct Cas {
        const char* nom;
        Controle liste;
        const char* entree;
        const char* tape;
        const char* texte;
        int rafraichissements;
    };
    const Cas cas[] = {
        {"instrument complété", C::Liste_Instruments, "Aucun", " DRA ", "Dravelle", 1},
        {"instrument refusé", C::Liste_Instruments, "Corlande", "x", "Corlande", 1},
        {"instrument vide", C::Liste_Instruments, "Corlande", "", "Aucun", 1},
        {"unité complétée", C::Liste_Pas, "jours", "m", "mois", 1},
        {"unité inchangée", C::Liste_Pas, "jours", "j", "jours", 0},
        {"unité refusée", C::Liste_Pas, "mois", "x", "mois", 0},
        {"unité vide", C::Liste_Pas, "jours", "", "heures", 1},
    };
    for (const Cas& c : cas) {
        Formulaire_Essai f;
        Donner_Focus(f.ctx, c.liste);
        f.formulaire.Entree(c.liste) = Q(c.entree);
        f.Ecrire(c.liste, c.tape);
        Donner_Focus(f.ctx, C::Commentaire);
        EXPECT_EQ(f.Texte(c.liste), Q(c.texte)) << c.nom;
        EXPECT_EQ(f.rafraichissements, c.rafraichissements) << c.nom;
        EXPECT_EQ(f.formulaire.Dernier_Champ, Tabulation(c.liste)) << c.nom;
        EXPECT_FALSE(f.document.Modifie) << c.nom;
    }
}

// Change: only an exact item stays; the unit keeps it as its text on entry.
TEST(Changement_Liste, ArticleExactOuRetour) {
    struct Cas {
        const char* nom;
        Controle liste;
        const char* entree;
        const char* tape;
        const char* texte;
        const char* entree_apres;
        int rafraichissements;
    };
    const Cas cas[] = {
        {"télescope choisi", C::Liste_Instruments, "Aucun", "Corlande", "Corlande", "Aucun", 1},
        {"même télescope", C::Liste_Instruments, "Aucun", "Aucun", "Aucun", "Aucun", 0},
        {"préfixe refusé", C::Liste_Instruments, "Arbelin", "Cor", "Arbelin", "Arbelin", 0},
        {"casse refusée", C::Liste_Instruments, "Aucun", "corlande", "Aucun", "Aucun", 0},
        {"unité choisie", C::Liste_Pas, "jours", "mois", "mois", "mois", 1},
        {"unité tronquée", C::Liste_Pas, "jours", "ann", "jours", "jours", 0},
    };
    for (const Cas& c : cas) {
        Formulaire_Essai f;
        f.formulaire.Entree(c.liste) = Q(c.entree);
        f.Ecrire(c.liste, c.tape);
        if (c.liste == C::Liste_Pas)
            FicheListe_PasChange(f.ctx);
        else
            FicheListe_InstrumentsChange(f.ctx);
        EXPECT_EQ(f.Texte(c.liste), Q(c.texte)) << c.nom;
        EXPECT_EQ(f.formulaire.Entree(c.liste), Q(c.entree_apres)) << c.nom;
        EXPECT_EQ(f.rafraichissements, c.rafraichissements) << c.nom;
        EXPECT_FALSE(f.document.Modifie) << c.nom;
    }
}

// An item picked, then the list left: the telescope rebuilds the page twice,
// the unit once.
TEST(Changement_Liste, ChoixPuisSortie) {
    struct Cas {
        Controle liste;
        const char* choix;
        int rafraichissements;
    };
    const Cas cas[] = {{C::Liste_Instruments, "Corlande", 2}, {C::Liste_Pas, "mois", 1}};
    for (const Cas& c : cas) {
        Formulaire_Essai f;
        Donner_Focus(f.ctx, c.liste);
        f.Ecrire(c.liste, c.choix);
        if (c.liste == C::Liste_Pas)
            FicheListe_PasChange(f.ctx);
        else
            FicheListe_InstrumentsChange(f.ctx);
        Donner_Focus(f.ctx, C::saisie_e);
        EXPECT_EQ(f.Texte(c.liste), Q(c.choix)) << Nom_Controle(c.liste);
        EXPECT_EQ(f.rafraichissements, c.rafraichissements) << Nom_Controle(c.liste);
        EXPECT_FALSE(f.document.Modifie) << Nom_Controle(c.liste);
    }
}

// ---- The angle switch

// The switch takes no focus: typed but not left, the field shows the stored
// angle in the other mode, and leaving it then takes what it shows there.
TEST(FicheLabelClick, AvantDeQuitterLeChamp) {
    Formulaire_Essai f;
    f.el.Omega = 30;
    f.el.gOmega = 100;
    Afficher_Argument(f.el, f.boite, f.notation);
    Donner_Focus(f.ctx, C::saisie_Omega);
    f.Ecrire(C::saisie_Omega, "40");
    FicheLabelClick(f.ctx);
    EXPECT_EQ(f.Texte(C::Label15), Q("L =  "));
    EXPECT_EQ(f.Texte(C::saisie_Omega), Q("130"));
    EXPECT_EQ(f.boite.Controle_Focus(), C::saisie_Omega);
    EXPECT_EQ(f.rafraichissements, 0);
    EXPECT_FALSE(f.document.Modifie);
    Donner_Focus(f.ctx, C::saisie_gOmega);
    EXPECT_NEAR(f.el.Longitude_Perihelie, 130, 1e-9);
    EXPECT_NEAR(f.el.Omega, 30, 1e-6);
}

TEST(FicheLabelMouseMove, IndiceSelonLeMode) {
    struct Cas {
        const char* legende;
        const char* indice;
    };
    const Cas cas[] = {{"w =  ", "Cliquer pour Longitude du périhélie"},
                       {"L =  ", "Cliquer pour Argument du périhélie"}};
    for (const Cas& c : cas) {
        Formulaire_Essai f;
        f.Ecrire(C::Label15, c.legende);
        FicheLabelMouseMove(f.boite);
        EXPECT_EQ(f.boite.Indice(C::Label16), Q(c.indice)) << c.legende;
        EXPECT_EQ(f.boite.Indice(C::Label15), Q("")) << c.legende;
    }
}

}  // namespace

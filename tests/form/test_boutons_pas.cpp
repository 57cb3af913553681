#include <gtest/gtest.h>

#include "astro/calendrier.h"
#include "form/boutons_pas.h"
#include "sorties_essai.h"

namespace {

using C = Controle;
using Bouton = void (*)(Contexte_Formulaire&);

struct Date_Texte {
    const char* jour;
    const char* mois;
    const char* an;
};

struct Cas_Bouton {
    const char* nom;
    Bouton bouton;
    Date_Texte avant;
    Date_Texte apres;
};

// The fields afterwards, with one refresh and the document never modified
// when the date moved, no refresh when it could not. Without their limits,
// the fields stand for texts that reached them past the form's own rules.
void Verifier_Bouton(const Cas_Bouton& c, bool bouge, bool sans_limite) {
    Formulaire_Essai f;
    if (sans_limite) {
        for (C champ : {C::saisie_Jour, C::saisie_Mois, C::saisie_An}) f.boite.Ecrire_Longueur_Max(champ, 0);
    }
    f.Remplir({{C::saisie_Jour, c.avant.jour}, {C::saisie_Mois, c.avant.mois}, {C::saisie_An, c.avant.an}});
    c.bouton(f.ctx);
    EXPECT_EQ(f.Texte(C::saisie_Jour), Q(c.apres.jour)) << c.nom;
    EXPECT_EQ(f.Texte(C::saisie_Mois), Q(c.apres.mois)) << c.nom;
    EXPECT_EQ(f.Texte(C::saisie_An), Q(c.apres.an)) << c.nom;
    EXPECT_EQ(f.rafraichissements, bouge ? 1 : 0) << c.nom;
    EXPECT_FALSE(f.document.Modifie) << c.nom;
}

TEST(Boutons_Pas, Dates) {
    const Cas_Bouton cas[] = {
        {"jour+ fin février commune", FicheJourPlusClick, {"28", "2", "2023"}, {"1", "3", "2023"}},
        {"jour+ fin février bissextile", FicheJourPlusClick, {"28", "2", "2024"}, {"29", "2", "2024"}},
        {"jour+ en simple précision",
         FicheJourPlusClick,
         {"1,1", "5", "2024"},
         {"2,09999990463257", "5", "2024"}},
        {"jour+ sur un jour vide", FicheJourPlusClick, {"", "5", "2024"}, {"2", "5", "2024"}},
        {"jour+ sur un mois vide", FicheJourPlusClick, {"3", "", "2024"}, {"4", "0", "2024"}},
        {"jour- vers le 29 février", FicheJourMoinsClick, {"1", "3", "2024"}, {"29", "2", "2024"}},
        {"jour- 1900 n'est pas bissextile", FicheJourMoinsClick, {"1", "3", "1900"}, {"28", "2", "1900"}},
        {"jour- fin d'année", FicheJourMoinsClick, {"1", "1", "2024"}, {"31", "12", "2023"}},
        {"jour- perd la demi-journée", FicheJourMoinsClick, {"1,5", "3", "2023"}, {"28", "2", "2023"}},
        {"jour- garde la demi-journée", FicheJourMoinsClick, {"2,5", "3", "2023"}, {"1,5", "3", "2023"}},
        {"jour- année négative bissextile", FicheJourMoinsClick, {"1", "3", "-1"}, {"29", "2", "-1"}},
        {"jour- sur un jour négatif", FicheJourMoinsClick, {"-5", "3", "2023"}, {"28", "2", "2023"}},
        {"mois+ 31 janvier vers 3 mars", FicheMoisPlusClick, {"31", "1", "2023"}, {"3", "3", "2023"}},
        {"mois+ fin d'année", FicheMoisPlusClick, {"15", "12", "2023"}, {"15", "1", "2024"}},
        {"mois- 31 mars vers 28 février", FicheMoisMoinsClick, {"31", "3", "2023"}, {"28", "2", "2023"}},
        {"mois- 31 mai vers 30 avril", FicheMoisMoinsClick, {"31", "5", "2024"}, {"30", "4", "2024"}},
        {"mois- 31 août vers 31 juillet", FicheMoisMoinsClick, {"31", "8", "2023"}, {"31", "7", "2023"}},
        {"mois- 30,5 mai vers 30 avril", FicheMoisMoinsClick, {"30,5", "5", "2023"}, {"30", "4", "2023"}},
        {"an+ de -1 vers 1", FicheAnPlusClick, {"5", "6", "-1"}, {"5", "6", "1"}},
        {"an- de 1 vers -1", FicheAnMoinsClick, {"5", "6", "1"}, {"5", "6", "-1"}},
        {"an+ ne vérifie ni jour ni mois", FicheAnPlusClick, {"29", "2", "2024"}, {"29", "2", "2025"}},
        {"an- sur des champs illisibles", FicheAnMoinsClick, {"x", "", "2024"}, {"x", "", "2023"}},
    };
    for (const auto& c : cas) Verifier_Bouton(c, true, false);
}

// A date the fields cannot give, or that the program cannot hold, leaves
// every field as it was.
TEST(Boutons_Pas, DatesRefusees) {
    const Cas_Bouton cas[] = {
        {"jour+ année illisible", FicheJourPlusClick, {"", "5", "x"}, {"", "5", "x"}},
        {"mois+ mois illisible", FicheMoisPlusClick, {"3", "5,5", "2024"}, {"3", "5,5", "2024"}},
        {"jour+ de onze chiffres",
         FicheJourPlusClick,
         {"99999999999", "1", "2024"},
         {"99999999999", "1", "2024"}},
        {"mois+ au-delà des années", FicheMoisPlusClick, {"1", "12", "9999999"}, {"1", "12", "9999999"}},
        {"mois- au-delà des entiers",
         FicheMoisMoinsClick,
         {"1", "1", "-2147483648"},
         {"1", "1", "-2147483648"}},
        {"an+ au-delà des entiers", FicheAnPlusClick, {"1", "1", "2147483647"}, {"1", "1", "2147483647"}},
    };
    for (const auto& c : cas) Verifier_Bouton(c, false, true);
}

TEST(Annee_Bissextile_Boutons, Table) {
    const std::pair<int64_t, bool> cas[] = {{2024, true}, {2023, false}, {1900, false}, {2000, true},
                                            {4, true},    {1, false},    {0, true},     {-1, true},
                                            {-100, true}, {-3, true}};
    for (const auto& [an, bissextile] : cas) EXPECT_EQ(Annee_Bissextile_Boutons(an), bissextile) << an;
}

// For positive years the buttons' rule is the Gregorian one.
TEST(Annee_Bissextile_Boutons, GregorienPourLesAnneesPositives) {
    for (int32_t an = 1; an <= 100000; ++an) {
        ASSERT_EQ(Annee_Bissextile_Boutons(an), Annee_Bissextile(an)) << an;
    }
}

}  // namespace

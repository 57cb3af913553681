#include <gtest/gtest.h>

#include <optional>

#include "form/disposition_fiche.h"
#include "form/presse_papiers.h"
#include "plateforme/boite_memoire.h"

namespace {

enum class Commande { Couper, Copier, Coller };

struct Cas_Presse_Papiers {
    const char* nom;
    Controle focus;
    Controle champ;  // the field looked at afterwards
    const char* texte;
    int debut;  // selection, the caret at its end
    int longueur;
    std::optional<const char*> presse_papiers;  // before the command; nullopt: no text
    Commande commande;
    char separateur;
    const char* texte_apres;
    std::optional<const char*> presse_papiers_apres;
    bool coller_actif;  // Coller starts disabled
};

std::optional<QString> Q(std::optional<const char*> texte) {
    return texte ? std::optional<QString>(QString::fromUtf8(*texte)) : std::nullopt;
}

void Executer(Boite_Memoire& boite, Commande commande, char separateur) {
    switch (commande) {
        case Commande::Couper:
            CouperClick(boite);
            break;
        case Commande::Copier:
            CopierClick(boite);
            break;
        case Commande::Coller:
            CollerClick(boite, separateur);
            break;
    }
}

TEST(Presse_Papiers, CouperCopierColler) {
    using C = Controle;
    using K = Commande;
    const std::nullopt_t rien = std::nullopt;
    const Cas_Presse_Papiers cas[] = {
        {"couper 2,5 tout sélectionné", C::saisie_a, C::saisie_a, "2,5", 0, 3, "x", K::Couper, ',', "", "2,5",
         true},
        {"copier sans sélection", C::saisie_e, C::saisie_e, "0,5", 1, 0, rien, K::Copier, ',', "0,5", rien,
         false},
        {"copier une partie du commentaire", C::Commentaire, C::Commentaire, "1P/Halley", 3, 6, rien,
         K::Copier, ',', "1P/Halley", "Halley", true},
        {"coller 1.5 avec la virgule", C::saisie_e, C::saisie_e, "", 0, 0, "1.5", K::Coller, ',', "1,5",
         "1.5", true},
        {"coller 1,5 avec le point", C::saisie_e, C::saisie_e, "", 0, 0, "1,5", K::Coller, '.', "1.5", "1,5",
         true},
        {"coller abc après 1,2", C::saisie_q, C::saisie_q, "1,2", 3, 0, "abc", K::Coller, ',', "", "abc",
         true},
        {"coller -1,5 dans la magnitude", C::Saisie_MT, C::Saisie_MT, "", 0, 0, "-1,5", K::Coller, ',', "",
         "-1,5", true},
        {"coller 12 après 3", C::saisie_Mois_Perihelie, C::saisie_Mois_Perihelie, "3", 1, 0, "12", K::Coller,
         ',', "312", "12", true},
        {"coller 12 après 3, 2 caractères au plus", C::saisie_Mois, C::saisie_Mois, "3", 1, 0, "12",
         K::Coller, ',', "31", "12", true},
        {"second séparateur", C::saisie_a, C::saisie_a, "2,5", 3, 0, ",1", K::Coller, ',', "", ",1", true},
        {"séparateur seul", C::Equinoxe, C::Equinoxe, "", 0, 0, ".", K::Coller, ',', "", ".", true},
        {"commentaire tel quel", C::Commentaire, C::Commentaire, "", 0, 0, "C/2023 A3 -1,5 !", K::Coller, ',',
         "C/2023 A3 -1,5 !", "C/2023 A3 -1,5 !", true},
        {"couper dans Liste_Pas", C::Liste_Pas, C::Liste_Pas, "jours", 0, 5, "x", K::Couper, ',', "jours",
         "x", false},
        {"copier dans Liste_Instruments", C::Liste_Instruments, C::Liste_Instruments, "T 60", 0, 4, "x",
         K::Copier, ',', "T 60", "x", false},
        {"coller dans Liste_Pas", C::Liste_Pas, C::Liste_Pas, "jours", 0, 0, "1.5", K::Coller, ',', "jours",
         "1.5", false},
        {"coller hors de la fiche", C::VerticalBar, C::Commentaire, "", 0, 0, "1.5", K::Coller, ',', "",
         "1.5", false},
    };
    for (const auto& c : cas) {
        Boite_Memoire boite;
        Creer_Fiche(boite);
        boite.Ecrire_Texte(c.champ, QString::fromUtf8(c.texte));
        boite.Selectionner(c.champ, c.debut, c.longueur);
        boite.Montrer_Focus(c.focus);
        boite.Fixer_Presse_Papiers(Q(c.presse_papiers));
        boite.Activer(Controle::Coller, false);

        Executer(boite, c.commande, c.separateur);
        EXPECT_EQ(boite.Texte(c.champ), QString::fromUtf8(c.texte_apres)) << c.nom;
        EXPECT_EQ(boite.Presse_Papiers_A_Texte(), c.presse_papiers_apres.has_value()) << c.nom;
        EXPECT_EQ(boite.Presse_Papiers(), Q(c.presse_papiers_apres).value_or(QString())) << c.nom;
        EXPECT_EQ(boite.Actif(Controle::Coller), c.coller_actif) << c.nom;
        EXPECT_EQ(boite.Controle_Focus(), c.focus) << c.nom;
    }
}

}  // namespace

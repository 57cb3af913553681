#pragma once

// A fresh form over the in-memory platform, as the window creates it, with
// the page refresh counted: the exits and buttons are driven through it.

#include <QString>
#include <initializer_list>
#include <utility>

#include "form/disposition_fiche.h"
#include "form/formulaire.h"
#include "plateforme/boite_memoire.h"

struct Formulaire_Essai {
    Elements el;
    Boite_Memoire boite;
    Etat_Formulaire formulaire;
    Etat_Document document;
    Notation notation{',', " "};
    int rafraichissements = 0;
    Contexte_Formulaire ctx{el,   boite, formulaire, document, notation, [this] { ++rafraichissements; },
                            [] {}};

    Formulaire_Essai() { Creer_Fiche(boite); }
    Formulaire_Essai(const Formulaire_Essai&) = delete;
    Formulaire_Essai& operator=(const Formulaire_Essai&) = delete;

    void Ecrire(Controle c, const char* texte) { boite.Ecrire_Texte(c, QString::fromUtf8(texte)); }
    QString Texte(Controle c) const { return boite.Texte(c); }

    // Several fields at once, as a case sets them up.
    void Remplir(std::initializer_list<std::pair<Controle, const char*>> champs) {
        for (const auto& [c, texte] : champs) Ecrire(c, texte);
    }

    // The field received the focus holding `entree`, the user typed until it
    // held `tape`, then left it.
    void Quitter(Controle champ, const char* entree, const char* tape) {
        formulaire.Entree(champ) = QString::fromUtf8(entree);
        Ecrire(champ, tape);
        Executer_Sortie(ctx, champ);
    }
};

inline QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

#pragma once

// A frame as a user leaves it, for the drawing and view tests: a = 3 AU,
// e = 0.5, perihelion on 1 January 2000, both equinoxes 2000, start on
// 1 March 2000, one day a row, no telescope, no magnitudes; the labels hold
// the form's captions. Fenetre sits at y = 250 on the frame, under a 26-pixel
// tool bar and above a 19-pixel status bar, in an 800 × 600 client area.

#include <QString>
#include <optional>
#include <utility>

#include "page/dessin.h"
#include "plateforme/boite_memoire.h"
#include "support/canevas_enregistreur.h"

struct Page_Exemple {
    static constexpr double JJ_2000 = 2451544.5;  // 1 January 2000 at 0 h
    static constexpr int Haut_Fenetre = 250;      // pixels on the frame

    Page_Exemple() {
        Remplir_Instruments(tables);
        Remplir_Elements();
        Remplir_Champs();
        Remplir_Libelles();
        Remplir_Geometrie();
        boite.Fixer_Canevas_Fenetre(&ecran);
    }
    Page_Exemple(const Page_Exemple&) = delete;
    Page_Exemple& operator=(const Page_Exemple&) = delete;

    Contexte_Page Contexte() {
        return {{el, page, pos, tables, notation, boite, site ? &*site : nullptr},
                dessin,
                vue,
                document,
                boite,
                version};
    }

    void Ecrire(Controle c, const char* texte) { boite.Ecrire_Texte(c, QString::fromUtf8(texte)); }

    // A telescope by name ("Aucun" for none) and which magnitudes are usable.
    void Choisir(const char* instrument, bool MT, bool MN) {
        Ecrire(Controle::Liste_Instruments, instrument);
        Ecrire(Controle::Saisie_MT, MT ? "8" : "");
        Ecrire(Controle::Saisie_MN, MN ? "12,5" : "");
    }

    Elements el;
    Etat_Page page;
    Position pos;
    Tables_Instruments tables;
    Notation notation{',', " "};
    Boite_Memoire boite;
    Etat_Dessin dessin;
    Etat_Vue vue;
    Etat_Document document;
    QString version = QStringLiteral("1.0.0");
    Canevas_Enregistreur ecran;
    std::optional<Site_Observation> site;  // none: no visibility

private:
    void Remplir_Elements() {
        el.a = 3;
        el.n = 0.1897;
        el.e = 0.5;
        el.q = 1.5;
        el.gQ = 4.5;
        el.i = 10;
        el.Omega = 30;
        el.gOmega = 80;
        el.Longitude_Perihelie = 110;
        el.Jour_Perihelie = 1;
        el.Mois_Perihelie = 1;
        el.An_Perihelie = 2000;
        el.Equinoxe = el.Equinoxe_ephemeride = 2000;
        el.JJ_Equinoxe = el.JJ_Equinoxe_ephemeride = JJ_2000;
        el.Pas = 1;
    }

    void Remplir_Champs() {
        const std::pair<Controle, const char*> champs[] = {
            {Controle::Commentaire, "1P/Halley"},
            {Controle::saisie_a, "3"},
            {Controle::saisie_n, "0,1897"},
            {Controle::saisie_e, "0,5"},
            {Controle::saisie_gQ, "4,5"},
            {Controle::saisie_q, "1,5"},
            {Controle::saisie_i, "10"},
            {Controle::saisie_Omega, "30"},
            {Controle::saisie_gOmega, "80"},
            {Controle::saisie_Jour_Perihelie, "1"},
            {Controle::saisie_Mois_Perihelie, "1"},
            {Controle::saisie_An_Perihelie, "2000"},
            {Controle::Equinoxe, "2000"},
            {Controle::Equinoxe_ephemeride, "2000"},
            {Controle::saisie_Jour, "1"},
            {Controle::saisie_Mois, "3"},
            {Controle::saisie_An, "2000"},
            {Controle::Saisie_Pas, "1"},
            {Controle::Liste_Pas, "jours"},
            {Controle::Liste_Instruments, "Aucun"},
            {Controle::Saisie_JMT, "1"},
            {Controle::Saisie_MMT, "2"},
            {Controle::Saisie_AMT, "2000"},
            {Controle::Saisie_JMN, "1"},
            {Controle::Saisie_MMN, "2"},
            {Controle::Saisie_AMN, "2000"},
        };
        for (const auto& [c, texte] : champs) Ecrire(c, texte);
    }

    void Remplir_Libelles() {
        const std::pair<Controle, const char*> libelles[] = {
            {Controle::Titre4, "a = demi grand axe ="},
            {Controle::Titre5, "UA"},
            {Controle::Titre6, "n = moyen mouvement ="},
            {Controle::Titre7, "°/jour"},
            {Controle::Label8, "e = exentricité ="},
            {Controle::Titre9, "Q = distance de l'aphélie ="},
            {Controle::Titre10, "UA"},
            {Controle::Label11, "q = distance du périhélie ="},
            {Controle::Label12, "UA"},
            {Controle::Label13, "i = inclinaison ="},
            {Controle::Label14, "°"},
            {Controle::Label15, "w =  "},
            {Controle::Label16, "argument du périhélie ="},
            {Controle::Label17, "°"},
            {Controle::Label18, "W ="},
            {Controle::Label19, "longitude du noeud ascendant ="},
            {Controle::Label20, "°"},
            {Controle::TitrePerihelie, "Date du périhélie ="},
            {Controle::Label26, "Equinoxe des éléments ="},
            {Controle::Label29, "Equinoxe de l'éphéméride ="},
        };
        for (const auto& [c, texte] : libelles) Ecrire(c, texte);
        boite.Ecrire_Police(Controle::Label15, QStringLiteral("Symbol"));
    }

    void Remplir_Geometrie() {
        boite.Placer(Controle::ToolBar1, {0, 0, 800, 26});
        boite.Placer(Controle::StatusBar, {0, 581, 800, 19});
        boite.Placer(Controle::VerticalBar, {783, 26, 17, 555});
        boite.Placer(Controle::HorizontalBar, {0, 564, 800, 17});
        boite.Placer(Controle::Fiche, {0, 27, 700, Haut_Fenetre});
        boite.Placer(Controle::Fenetre, {0, Haut_Fenetre, 0, 0});
        boite.Placer(Controle::Titre7, {400, 100, 40, 13});
        boite.Fixer_Taille_Client({800, 600});
    }
};

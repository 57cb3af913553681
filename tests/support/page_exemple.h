#pragma once

// A page's input as a user leaves the form, for the drawing and view tests:
// a = 3 AU, e = 0.5, perihelion on 1 January 2000, both equinoxes 2000,
// start on 1 March 2000, one day a row, no telescope, no magnitudes; the
// printed texts are the form's captions and fields. Fenetre sits at y = 250 on the frame, under a 26-pixel
// tool bar and above a 19-pixel status bar, in an 800 × 600 client area.

#include <QString>
#include <optional>
#include <utility>

#include "form/lecture_entree_page.h"
#include "page/dessin.h"
#include "plateforme/boite_memoire.h"
#include "support/canevas_enregistreur.h"

struct Page_Exemple {
    static constexpr double JJ_2000 = 2451544.5;  // 1 January 2000 at 0 h
    static constexpr int Haut_Fenetre = 250;      // pixels on the frame

    Page_Exemple() {
        Remplir_Instruments(tables);
        Remplir_Elements();
        Remplir_Entree();
        Remplir_Textes();
        Remplir_Geometrie();
        boite.Fixer_Canevas_Fenetre(&ecran);
    }
    Page_Exemple(const Page_Exemple&) = delete;
    Page_Exemple& operator=(const Page_Exemple&) = delete;

    Contexte_Page Contexte() {
        return {{el, page, pos, tables, notation, entree, site ? &*site : nullptr},
                dessin,
                vue,
                document,
                boite,
                version};
    }

    // A printed text.
    void Ecrire(Controle c, const char* texte) { entree.Textes[c] = QString::fromUtf8(texte); }

    // A telescope by name ("Aucun" for none) and which magnitudes, observed
    // on 1 February 2000, are usable.
    void Choisir(const char* instrument, bool MT, bool MN) {
        Ecrire(Controle::Liste_Instruments, instrument);
        entree.Instrument = Numero_Instrument(QString::fromUtf8(instrument)).value_or(0);
        const Instant_Saisi observation{1, 2, 2000};
        entree.Totale = MT ? std::optional<Magnitude_Saisie>({8, observation}) : std::nullopt;
        entree.Noyau = MN ? std::optional<Magnitude_Saisie>({12.5, observation}) : std::nullopt;
    }

    void Choisir_Unite(const char* unite) {
        Ecrire(Controle::Liste_Pas, unite);
        entree.Unite_Pas = Numero_Unite_Pas(QString::fromUtf8(unite)).value_or(0);
    }

    // The start date as typed, the year left as it is.
    void Commencer(const char* jour, const char* mois) {
        Ecrire(Controle::saisie_Jour, jour);
        Ecrire(Controle::saisie_Mois, mois);
        entree.Debut =
            Lire_Instant_Saisi(entree.Texte(Controle::saisie_Jour), entree.Texte(Controle::saisie_Mois),
                               entree.Texte(Controle::saisie_An), notation.Separateur_Decimal);
    }

    Elements el;
    Entree_Page entree;
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

    void Remplir_Entree() {
        entree.Debut = Instant_Saisi{1, 3, 2000};
        entree.Pas = 1;
        entree.Unite_Pas = 2;
        entree.Equinoxe_Saisi = entree.Equinoxe_Ephemeride_Saisi = true;
        entree.Jour_Perihelie = 1;
        entree.Mois_Perihelie = 1;
        entree.An_Perihelie = 2000;
        // The drawing tests check today's numbers: the classic model keeps them.
        entree.Modele.modele = Modele_Calcul::Classique;
    }

    // The fields and captions as the form shows them.
    void Remplir_Textes() {
        const std::pair<Controle, const char*> textes[] = {
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
            {Controle::Liste_Pas, "jours"},
            {Controle::Liste_Instruments, "Aucun"},
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
        for (const auto& [c, texte] : textes) Ecrire(c, texte);
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

#include "form/disposition_fiche.h"

#include <algorithm>
#include <array>

#include "astro/elements.h"
#include "astro/instruments.h"

namespace {

// Heights, pixels. A label sits 4 pixels under its row's top, centred on the fields.
constexpr int Hauteur_Champ = 21;
constexpr int Hauteur_Etiquette = 13;
constexpr int Descente_Etiquette = 4;
constexpr int Hauteur_Titre = 29;  // Label1, in its 24-pixel face
constexpr int Largeur_Bouton_Pas = 19;
constexpr int Hauteur_Bouton_Pas = 11;

// Columns, pixels from the frame's left edge.
constexpr int Etiquettes_Gauche = 8;
constexpr int Champs_Gauche = 160;
constexpr int Largeur_Gauche = 100;
constexpr int Unites_Gauche = 264;
constexpr int Etiquettes_Droite = 341;
constexpr int Champs_Droite = 536;
constexpr int Largeur_Droite = 96;
constexpr int Unites_Droite = 636;

// Rows: the top of each row's fields, pixels from the frame's top.
constexpr int Ligne_Titre = 10;
constexpr int Ligne_Equinoxes = 40;
constexpr int Ligne_e = 65;
constexpr int Ligne_a = 90;
constexpr int Ligne_n = 115;
constexpr int Ligne_Angles = 140;
constexpr int Ligne_Perihelie = 165;
constexpr int Ligne_Magnitudes = 190;
constexpr int Ligne_Debut = 221;
constexpr int Haut_Fenetre = 248;

// The page image as the reset leaves it.
constexpr QRect Fenetre_Initiale{0, Haut_Fenetre, 590, 550};

using F = Filtre_Touche;
using C = Controle;

Disposition_Controle Champ(C c, const char* indice, int aide, int max, F filtre, int x, int ligne,
                           int largeur, const char* texte = "") {
    return {c,          Genre_Controle::Champ,
            texte,      indice,
            aide,       max,
            filtre,     QRect(x, ligne, largeur, Hauteur_Champ),
            Face_Fiche, Taille_Police_Fiche,
            false,      Sans_Fond};
}

Disposition_Controle Liste(C c, const char* texte, const char* indice, int aide, int x, int ligne,
                           int largeur) {
    return {c,          Genre_Controle::Liste,
            texte,      indice,
            aide,       0,
            F::Aucun,   QRect(x, ligne, largeur, Hauteur_Champ),
            Face_Fiche, Taille_Police_Fiche,
            false,      Sans_Fond};
}

Disposition_Controle Etiquette(C c, const char* texte, int x, int ligne, int largeur,
                               const char* police = Face_Fiche, uint32_t fond = Sans_Fond) {
    const QRect place(x, ligne + Descente_Etiquette, largeur, Hauteur_Etiquette);
    return {c,      Genre_Controle::Etiquette, texte, "",  0, 0, F::Aucun, place,
            police, Taille_Police_Fiche,       false, fond};
}

// The title stands out: bold, in a 24-pixel face, on the first row.
Disposition_Controle Titre() {
    Disposition_Controle titre = Etiquette(C::Label1, "Ephéméride", Etiquettes_Gauche, 0, 164);
    titre.geometrie = QRect(Etiquettes_Gauche, 3, 164, Hauteur_Titre);
    titre.taille_police = 24;
    titre.gras = true;
    return titre;
}

Disposition_Controle Image_Page() {
    return {C::Fenetre, Genre_Controle::Image, "",    "",       0, 0, F::Aucun, Fenetre_Initiale,
            Face_Fiche, Taille_Police_Fiche,   false, Sans_Fond};
}

// The two stepping buttons of a date field sit one above the other at its right.
Disposition_Controle Bouton(C c, const char* indice, int x, bool dessous) {
    const QRect place(x, Ligne_Debut + (dessous ? Hauteur_Bouton_Pas : 0), Largeur_Bouton_Pas,
                      Hauteur_Bouton_Pas);
    return {c,          Genre_Controle::Bouton_Pas, "",    indice,   0, 0, F::Aucun, place,
            Face_Fiche, Taille_Police_Fiche,        false, Sans_Fond};
}

std::vector<Disposition_Controle> Construire_Disposition() {
    return {
        // Entry controls, in tab order.
        Champ(C::Commentaire, "Nom de l'astre mobile|Entrer un texte libre", 1000, 0, F::Aucun, 194,
              Ligne_Titre, 140),
        Champ(C::Equinoxe, "Année calendaire de l'équinoxe des éléments", 1010, 0, F::Decimal, 152,
              Ligne_Equinoxes, 80),
        Champ(C::Equinoxe_ephemeride, "Année calendaire de l'équinoxe de l'éphéméride", 1010, 0, F::Decimal,
              Champs_Droite, Ligne_Equinoxes, 80),
        Champ(C::saisie_e, "Excentricité de l'orbite", 1002, 0, F::Decimal, Champs_Gauche, Ligne_e,
              Largeur_Gauche, "0"),
        Champ(C::saisie_q, "Distance du périhélie en Unités Astronomiques", 1002, 0, F::Decimal,
              Champs_Droite, Ligne_e, Largeur_Droite),
        Champ(C::saisie_a, "Demi grand axe de l'orbite en Unités Astronomiques", 1002, 0, F::Decimal,
              Champs_Gauche, Ligne_a, Largeur_Gauche),
        Champ(C::saisie_gQ, "Distance de l'aphélie en Unités Astronomiques", 1002, 0, F::Decimal,
              Champs_Droite, Ligne_a, Largeur_Droite),
        Champ(C::saisie_n, "Moyen mouvement en degrés par jour", 1002, 0, F::Decimal, Champs_Gauche, Ligne_n,
              Largeur_Gauche),
        Champ(C::saisie_i, "Inclinaison en degrés", 1002, 0, F::Decimal, Champs_Droite, Ligne_n,
              Largeur_Droite),
        Champ(C::saisie_Omega, "Argument du périhélie en degrès", 1002, 0, F::Decimal, Champs_Gauche,
              Ligne_Angles, Largeur_Gauche),
        Champ(C::saisie_gOmega, "Longitude du nœud ascendant en degrés", 1002, 0, F::Decimal, Champs_Droite,
              Ligne_Angles, Largeur_Droite),
        Champ(C::saisie_Jour_Perihelie, "Jour calendaire du périhélie", 1002, 8, F::Decimal, 119,
              Ligne_Perihelie, 65),
        Champ(C::saisie_Mois_Perihelie, "Mois calendaire du périhélie", 1002, 0, F::Chiffres, 188,
              Ligne_Perihelie, 28),
        Champ(C::saisie_An_Perihelie, "Année calendaire du périhélie", 1002, 0, F::Chiffres, 220,
              Ligne_Perihelie, 40),
        Champ(C::Saisie_MT, "", 1009, 0, F::Signe, 119, Ligne_Magnitudes, 40),
        Champ(C::Saisie_JMT, "", 1009, 2, F::Chiffres, 180, Ligne_Magnitudes, 24),
        Champ(C::Saisie_MMT, "", 1009, 2, F::Chiffres, 207, Ligne_Magnitudes, 24),
        Champ(C::Saisie_AMT, "", 1009, 4, F::Chiffres, 234, Ligne_Magnitudes, 36),
        Champ(C::Saisie_MN, "", 1009, 0, F::Signe, 460, Ligne_Magnitudes, 40),
        Champ(C::Saisie_JMN, "", 1009, 2, F::Chiffres, 520, Ligne_Magnitudes, 24),
        Champ(C::Saisie_MMN, "", 1009, 2, F::Chiffres, 547, Ligne_Magnitudes, 24),
        Champ(C::Saisie_AMN, "", 1009, 4, F::Chiffres, 574, Ligne_Magnitudes, 36),
        Champ(C::saisie_Jour, "Premier jour de l'éphéméride ", 1002, 0, F::Decimal, 140, Ligne_Debut, 50),
        Champ(C::saisie_Mois, "Mois du premier jour de l'éphéméride ", 1002, 2, F::Chiffres, 213, Ligne_Debut,
              26),
        Champ(C::saisie_An, "Année du premier jour de l'éphéméride ", 1002, 4, F::Chiffres, 262, Ligne_Debut,
              40),
        Champ(C::Saisie_Pas, "Durée entre deux lignes de l'éphéméride ", 1002, 0, F::Chiffres, 375,
              Ligne_Debut, 40, "1"),
        Liste(C::Liste_Pas, "jours", "", 1002, 419, Ligne_Debut, 80),
        Liste(C::Liste_Instruments, "Aucun",
              "Choisir un télescope|Cette liste répertorie certains télescopes de l'OBVA ou de ses membres",
              1006, 400, Ligne_Titre, 96),

        // Labels, row by row.
        Titre(),
        Etiquette(C::Label2, "de", 176, Ligne_Titre, 14),
        Etiquette(C::Label3, "Instrument", Etiquettes_Droite, Ligne_Titre, 56),
        Etiquette(C::Label26, "Equinoxe des éléments =", Etiquettes_Gauche, Ligne_Equinoxes, 140),
        Etiquette(C::Label29, "Equinoxe de l'éphéméride =", Etiquettes_Droite, Ligne_Equinoxes, 150),
        Etiquette(C::Label8, "e = exentricité =", Etiquettes_Gauche, Ligne_e, 100),
        Etiquette(C::Label11, "q = distance du périhélie =", Etiquettes_Droite, Ligne_e, 150),
        Etiquette(C::Label12, "UA", Unites_Droite, Ligne_e, 20),
        Etiquette(C::Titre4, "a = demi grand axe =", Etiquettes_Gauche, Ligne_a, 130),
        Etiquette(C::Titre5, "UA", Unites_Gauche, Ligne_a, 20),
        Etiquette(C::Titre9, "Q = distance de l'aphélie =", Etiquettes_Droite, Ligne_a, 150),
        Etiquette(C::Titre10, "UA", Unites_Droite, Ligne_a, 20),
        Etiquette(C::Titre6, "n = moyen mouvement =", Etiquettes_Gauche, Ligne_n, 140),
        Etiquette(C::Titre7, "°/jour", Unites_Gauche, Ligne_n, 32),
        Etiquette(C::Label13, "i = inclinaison =", Etiquettes_Droite, Ligne_n, 100),
        Etiquette(C::Label14, "°", Unites_Droite, Ligne_n, 12),
        Etiquette(C::Label15, "w =  ", Etiquettes_Gauche, Ligne_Angles, 24, "Symbol", Fond_Bascule),
        Etiquette(C::Label16, "argument du périhélie =", 32, Ligne_Angles, 124, Face_Fiche, Fond_Bascule),
        Etiquette(C::Label17, "°", Unites_Gauche, Ligne_Angles, 12),
        Etiquette(C::Label18, "W =", Etiquettes_Droite, Ligne_Angles, 20, "Symbol"),
        Etiquette(C::Label19, "longitude du noeud ascendant =", 365, Ligne_Angles, 168),
        Etiquette(C::Label20, "°", Unites_Droite, Ligne_Angles, 12),
        Etiquette(C::TitrePerihelie, "Date du périhélie =", Etiquettes_Gauche, Ligne_Perihelie, 92),
        Etiquette(C::Révolution, "Durée de la révolution =", Etiquettes_Droite, Ligne_Perihelie, 250),
        Etiquette(C::Magnitude_Totale, "Magnitude Totale =", Etiquettes_Gauche, Ligne_Magnitudes, 104),
        Etiquette(C::Label5, "le", 164, Ligne_Magnitudes, 12),
        Etiquette(C::Magnitude_noyau, "Magnitude du noyau =", Etiquettes_Droite, Ligne_Magnitudes, 116),
        Etiquette(C::Label7, "le", 504, Ligne_Magnitudes, 12),
        Etiquette(C::Label27, "Début de l'éphéméride =", Etiquettes_Gauche, Ligne_Debut, 130),
        Etiquette(C::Label28, "Pas =", Etiquettes_Droite, Ligne_Debut, 30),

        // Stepping buttons beside the start date.
        Bouton(C::JourPlus, "+1 jour", 191, false),
        Bouton(C::JourMoins, "- 1 jour", 191, true),
        Bouton(C::MoisPlus, "+1 Mois", 240, false),
        Bouton(C::MoisMoins, "-1 Mois", 240, true),
        Bouton(C::AnPlus, "+1 An", 303, false),
        Bouton(C::AnMoins, "-1 An", 303, true),

        Image_Page(),
    };
}

template <std::size_t N>
QStringList Liste_De(const std::array<const char*, N>& articles) {
    QStringList liste;
    for (const char* a : articles) liste << QString::fromUtf8(a);
    return liste;
}

}  // namespace

const std::vector<Disposition_Controle>& Disposition_Fiche() {
    static const std::vector<Disposition_Controle> table = Construire_Disposition();
    return table;
}

const Disposition_Controle* Disposition_De(Controle c) {
    const auto& t = Disposition_Fiche();
    const auto it =
        std::find_if(t.begin(), t.end(), [c](const Disposition_Controle& d) { return d.controle == c; });
    return it == t.end() ? nullptr : &*it;
}

QStringList Articles_Liste(Controle liste) {
    if (liste == Controle::Liste_Instruments) return Liste_De(Noms_Instruments);
    if (liste == Controle::Liste_Pas) return Liste_De(Noms_Unites_Pas);
    return {};
}

QRect Place_Initiale(Controle c) {
    const Disposition_Controle* d = Disposition_De(c);
    return d == nullptr ? QRect() : d->geometrie;
}

void Placer_Gauche_Largeur(Boite_Outils& boite, Controle c, int gauche, int largeur) {
    const QRect g = boite.Geometrie(c);
    boite.Placer(c, QRect(gauche, g.y(), largeur, g.height()));
}

void Creer_Fiche(Boite_Outils& boite) {
    for (const Disposition_Controle& d : Disposition_Fiche()) {
        boite.Placer(d.controle, d.geometrie);
        // The limit first, so that no initial text is ever cut by it.
        boite.Ecrire_Longueur_Max(d.controle, d.longueur_max);
        boite.Ecrire_Texte(d.controle, QString::fromUtf8(d.texte));
        boite.Ecrire_Indice(d.controle, QString::fromUtf8(d.indice));
        boite.Ecrire_Police(d.controle, QString::fromUtf8(d.police));
    }
}

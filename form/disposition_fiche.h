#pragma once

// The entry frame Fiche as data: every control with its kind, initial text,
// hint, help context, maximum length, key filter, place and font, and the
// items of the two lists. The window builds its widgets from this table and
// Creer_Fiche writes it through any platform, so the in-memory platform
// starts exactly as the window does.

#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "plateforme/boite_outils.h"

enum class Genre_Controle { Champ, Liste, Etiquette, Bouton_Pas, Image };

// Which characters a numeric field lets through as the user types.
enum class Filtre_Touche { Aucun, Decimal, Signe, Chiffres };

// The frame's own face; labels name it unless they carry another.
inline constexpr char Face_Fiche[] = "DejaVu Sans";
// Text size of the frame, in pixels: the layout is in pixels, so the text is too.
constexpr int Taille_Police_Fiche = 10;

// Pale green behind the two clickable labels of the angle switch (0xRRGGBB).
constexpr uint32_t Fond_Bascule = 0xC0DCC0;
constexpr uint32_t Sans_Fond = 0xFFFFFFFF;

struct Disposition_Controle {
    Controle controle;
    Genre_Controle genre;
    const char* texte;   // initial text or caption, UTF-8
    const char* indice;  // "short|long", one text for both, or "" for none
    int aide;            // help context, 0 for none
    int longueur_max;    // characters, 0 for no limit
    Filtre_Touche filtre;
    QRect geometrie;     // within the frame, pixels
    const char* police;  // face
    int taille_police;   // pixels
    bool gras;
    uint32_t fond;  // background 0xRRGGBB, or Sans_Fond
};

// Every control of the frame, entry controls first in tab order, then the
// labels, the stepping buttons and the page image.
const std::vector<Disposition_Controle>& Disposition_Fiche();

// The row of one control; nullptr for a control that is not on the frame.
const Disposition_Controle* Disposition_De(Controle c);

// Where the table puts a control when the frame is created; an empty
// rectangle for a control that is not on the frame.
QRect Place_Initiale(Controle c);

// Moves a control to `gauche` with `largeur`, keeping its top and height.
void Placer_Gauche_Largeur(Boite_Outils& boite, Controle c, int gauche, int largeur);

// The items of Liste_Instruments and Liste_Pas, in order; empty for any other control.
QStringList Articles_Liste(Controle liste);

// Writes texts, hints, maximum lengths, places and faces of the table
// through the platform: the frame as it is when the form is created.
void Creer_Fiche(Boite_Outils& boite);

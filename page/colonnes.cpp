#include "page/colonnes.h"

#include "page/textes_ligne.h"

namespace {

template <std::string Textes_Ligne::*texte>
QString Texte_Calcule(const Ligne_Ephemeride& l, const Notation&) {
    return QString::fromStdString(l.textes.*texte);
}

template <QString Textes_Visibilite::*texte>
QString Texte_Visibilite(const Ligne_Ephemeride& l, const Notation&) {
    return l.visibilite.*texte;
}

// The day, month and year are written together: a day its month does not have moves the month.
QString Texte_Jour(const Ligne_Ephemeride& l, const Notation& n) {
    return Textes_Date(l.Jour, l.Mois, l.An, n).jour;
}
QString Texte_Mois(const Ligne_Ephemeride& l, const Notation& n) {
    return Textes_Date(l.Jour, l.Mois, l.An, n).mois;
}
QString Texte_An(const Ligne_Ephemeride& l, const Notation& n) {
    return Textes_Date(l.Jour, l.Mois, l.An, n).an;
}
QString Texte_M1(const Ligne_Ephemeride& l, const Notation& n) { return Texte_Magnitude(l.M1, n); }
QString Texte_M2(const Ligne_Ephemeride& l, const Notation& n) { return Texte_Magnitude(l.M2, n); }

using P = Presence;
using G = Genre_Entete;
constexpr Entete Sans{G::Aucun, "", ""};
constexpr Entete Centre(const char* mot) { return {G::Centre, mot, ""}; }

// The visibility columns are headed alike on screen and on paper.
const std::array<Modele_Colonne, Nombre_Colonnes> Table_Colonnes = {{
    {40, 115, P::Toujours, Centre("J"), Centre("J"), "J", Texte_Jour},
    {20, 60, P::Toujours, Centre("m"), Centre("M"), "M", Texte_Mois},
    {33, 95, P::Toujours, Centre("An"), Centre("An"), "An", Texte_An},
    {27,
     80,
     P::Toujours,
     {G::Groupe, "Alpha", ""},
     Sans,
     "Alpha h",
     Texte_Calcule<&Textes_Ligne::Texte_Alpha_h>},
    {27, 80, P::Toujours, Sans, Centre("Alpha"), "Alpha m", Texte_Calcule<&Textes_Ligne::Texte_Alpha_m>},
    {26, 75, P::Toujours, Sans, Sans, "Alpha s", Texte_Calcule<&Textes_Ligne::Texte_Alpha_s>},
    {33,
     95,
     P::Toujours,
     {G::Groupe, "Delta", ""},
     Sans,
     "Delta d",
     Texte_Calcule<&Textes_Ligne::Texte_Delta_d>},
    {27, 80, P::Toujours, Sans, Centre("Delta"), "Delta m", Texte_Calcule<&Textes_Ligne::Texte_Delta_m>},
    {27, 80, P::Toujours, Sans, Sans, "Delta s", Texte_Calcule<&Textes_Ligne::Texte_Delta_s>},
    {66, 190, P::Toujours, Centre("Distance"), Centre("Distance"), "Distance",
     Texte_Calcule<&Textes_Ligne::Texte_Distance>},
    {80,
     235,
     P::Toujours,
     {G::Grec, "Dérive", "a"},
     {G::Grec, "Dérive", "a"},
     "Dérive a",
     Texte_Calcule<&Textes_Ligne::Texte_Derive_a>},
    {60,
     175,
     P::Toujours,
     {G::Grec, "Dérive", "d"},
     {G::Grec, "Dérive", "d"},
     "Dérive d",
     Texte_Calcule<&Textes_Ligne::Texte_Derive_d>},
    {75,
     180,
     P::Instrument,
     {G::Grec, "Réglage", "a"},
     {G::Grec, "Réglage", "a"},
     "Réglage a",
     Texte_Calcule<&Textes_Ligne::Texte_Reglage_a>},
    {75,
     190,
     P::Instrument,
     {G::Grec, "Réglage", "d"},
     {G::Grec, "Réglage", "d"},
     "Réglage d",
     Texte_Calcule<&Textes_Ligne::Texte_Reglage_d>},
    {35, 100, P::Totale, {G::Magnitude, "M1", ""}, Centre("M1"), "M1", Texte_M1},
    {35, 100, P::Noyau, {G::Magnitude, "M2", ""}, Centre("M2"), "M2", Texte_M2},
    {40, 130, P::Visibilite, Centre(Entete_Elongation), Centre(Entete_Elongation), Entete_Elongation,
     Texte_Visibilite<&Textes_Visibilite::Elongation>},
    {52, 120, P::Visibilite_Jour, Centre(Entete_Lever), Centre(Entete_Lever), Entete_Lever,
     Texte_Visibilite<&Textes_Visibilite::Lever>},
    {66, 150, P::Visibilite_Jour, Centre(Entete_Passage), Centre(Entete_Passage), Entete_Passage,
     Texte_Visibilite<&Textes_Visibilite::Passage>},
    {40, 120, P::Visibilite, Centre(Entete_Hauteur), Centre(Entete_Hauteur), Entete_Hauteur,
     Texte_Visibilite<&Textes_Visibilite::Hauteur>},
    {66, 150, P::Visibilite_Jour, Centre(Entete_Coucher), Centre(Entete_Coucher), Entete_Coucher,
     Texte_Visibilite<&Textes_Visibilite::Coucher>},
    {40, 120, P::Visibilite_Jour, Centre(Entete_Nuit), Centre(Entete_Nuit), Entete_Nuit,
     Texte_Visibilite<&Textes_Visibilite::Nuit>},
    {40, 120, P::Visibilite_Heure, Centre(Entete_Azimut), Centre(Entete_Azimut), Entete_Azimut,
     Texte_Visibilite<&Textes_Visibilite::Azimut>},
}};

}  // namespace

const std::array<Modele_Colonne, Nombre_Colonnes>& Modeles_Colonnes() { return Table_Colonnes; }

bool Colonne_Presente(const Modele_Colonne& colonne, const Calcul_Page& c) {
    switch (colonne.presence) {
        case Presence::Instrument:
            return c.el.Instrument > 0;
        case Presence::Totale:
            return c.page.MT_Valide;
        case Presence::Noyau:
            return c.page.MN_Valide;
        case Presence::Visibilite:
            return Visibilite_Montree(c);
        case Presence::Visibilite_Jour:
            return Visibilite_Montree(c) && !Lignes_Horaires(c.el);
        case Presence::Visibilite_Heure:
            return Visibilite_Montree(c) && Lignes_Horaires(c.el);
        default:
            return true;
    }
}

std::vector<int> Colonnes_Presentes(const Calcul_Page& c) {
    std::vector<int> presentes;
    for (int k = 0; k < Nombre_Colonnes; ++k)
        if (Colonne_Presente(Table_Colonnes[k], c)) presentes.push_back(k);
    return presentes;
}

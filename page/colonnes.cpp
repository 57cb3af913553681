#include "page/colonnes.h"

#include <cmath>

#include "astro/angles.h"
#include "page/textes_ligne.h"

namespace {

template <std::string Textes_Ligne::*texte>
QString Calcule(const Ligne_Ephemeride& l, const Notation&) {
    return QString::fromStdString(l.textes.*texte);
}

template <QString Textes_Visibilite::*texte>
QString Visible(const Ligne_Ephemeride& l, const Notation&) {
    return l.visibilite.*texte;
}

// The day, month and year are written together: a day its month does not have moves the month.
QString Jour(const Ligne_Ephemeride& l, const Notation& n) {
    return Textes_Date(l.Jour, l.Mois, l.An, n).jour;
}
QString Mois(const Ligne_Ephemeride& l, const Notation& n) {
    return Textes_Date(l.Jour, l.Mois, l.An, n).mois;
}
QString An(const Ligne_Ephemeride& l, const Notation& n) { return Textes_Date(l.Jour, l.Mois, l.An, n).an; }
QString M1(const Ligne_Ephemeride& l, const Notation& n) { return Texte_Magnitude(l.M1, n); }
QString M2(const Ligne_Ephemeride& l, const Notation& n) { return Texte_Magnitude(l.M2, n); }

constexpr int Decimales_Alpha = 7;     // hours
constexpr int Decimales_Delta = 6;     // degrees
constexpr int Decimales_Distance = 8;  // AU

QString Decimal(double x, int decimales, const Notation& n) {
    if (!std::isfinite(x)) return QString::fromLatin1(Texte_Indefini);
    return QString::number(x, 'f', decimales).replace(u'.', QChar::fromLatin1(n.Separateur_Decimal));
}
QString Alpha_Heures(const Ligne_Ephemeride& l, const Notation& n) {
    return Decimal(l.Alpha * Heures_Par_Radian, Decimales_Alpha, n);
}
QString Delta_Degres(const Ligne_Ephemeride& l, const Notation& n) {
    return Decimal(l.Delta * Degres_Par_Radian, Decimales_Delta, n);
}
QString Distance_UA(const Ligne_Ephemeride& l, const Notation& n) {
    return Decimal(l.Distance_Terre, Decimales_Distance, n);
}

using P = Presence;
using T = Trace;
using L = Textes_Ligne;
using V = Textes_Visibilite;
constexpr Entete Sans{Genre_Entete::Aucun, "", ""};
constexpr Entete Centre(const char* mot) { return {Genre_Entete::Centre, mot, ""}; }
constexpr Entete Groupe(const char* mot) { return {Genre_Entete::Groupe, mot, ""}; }
constexpr Entete Grec(const char* mot, const char* lettre) { return {Genre_Entete::Grec, mot, lettre}; }
constexpr Entete Magnitude(const char* mot) { return {Genre_Entete::Magnitude, mot, ""}; }

// clang-format off
// The visibility columns are headed alike on screen and on paper.
const std::array<Modele_Colonne, Nombre_Colonnes> Table_Colonnes = {{
    // pixels, tenths of mm, presence, drawing, header rule joined, screen header, paper header,
    // table header, cell
    {40, 115, P::Toujours, T::Centre, false, Centre("J"), Centre("J"), "J", Jour},
    {20, 60, P::Toujours, T::Centre, true, Centre("m"), Centre("M"), "M", Mois},
    {33, 95, P::Toujours, T::Centre, true, Centre("An"), Centre("An"), "An", An},
    {27, 80, P::Toujours, T::Interieur, true, Groupe("Alpha"), Sans, "Alpha h", Calcule<&L::Texte_Alpha_h>},
    {27, 80, P::Toujours, T::Interieur, true, Sans, Centre("Alpha"), "Alpha m", Calcule<&L::Texte_Alpha_m>},
    {26, 75, P::Toujours, T::Centre, true, Sans, Sans, "Alpha s", Calcule<&L::Texte_Alpha_s>},
    {33, 95, P::Toujours, T::Interieur, true, Groupe("Delta"), Sans, "Delta d", Calcule<&L::Texte_Delta_d>},
    {27, 80, P::Toujours, T::Interieur, true, Sans, Centre("Delta"), "Delta m", Calcule<&L::Texte_Delta_m>},
    {27, 80, P::Toujours, T::Centre, true, Sans, Sans, "Delta s", Calcule<&L::Texte_Delta_s>},
    {66, 190, P::Toujours, T::Droite, true, Centre("Distance"), Centre("Distance"), "Distance", Calcule<&L::Texte_Distance>},
    {80, 235, P::Toujours, T::Droite, true, Grec("Dérive", "a"), Grec("Dérive", "a"), "Dérive a", Calcule<&L::Texte_Derive_a>},
    {60, 175, P::Toujours, T::Droite, true, Grec("Dérive", "d"), Grec("Dérive", "d"), "Dérive d", Calcule<&L::Texte_Derive_d>},
    {75, 180, P::Instrument, T::Droite, false, Grec("Réglage", "a"), Grec("Réglage", "a"), "Réglage a", Calcule<&L::Texte_Reglage_a>},
    {75, 190, P::Instrument, T::Droite, true, Grec("Réglage", "d"), Grec("Réglage", "d"), "Réglage d", Calcule<&L::Texte_Reglage_d>},
    {35, 100, P::Totale, T::Droite, false, Magnitude("M1"), Centre("M1"), "M1", M1},
    {35, 100, P::Noyau, T::Droite, false, Magnitude("M2"), Centre("M2"), "M2", M2},
    {40, 130, P::Visibilite, T::Droite, false, Centre(Entete_Elongation), Centre(Entete_Elongation), Entete_Elongation, Visible<&V::Elongation>},
    {52, 120, P::Visibilite_Jour, T::Droite, false, Centre(Entete_Lever), Centre(Entete_Lever), Entete_Lever, Visible<&V::Lever>},
    {66, 150, P::Visibilite_Jour, T::Droite, false, Centre(Entete_Passage), Centre(Entete_Passage), Entete_Passage, Visible<&V::Passage>},
    {40, 120, P::Visibilite, T::Droite, false, Centre(Entete_Hauteur), Centre(Entete_Hauteur), Entete_Hauteur, Visible<&V::Hauteur>},
    {66, 150, P::Visibilite_Jour, T::Droite, false, Centre(Entete_Coucher), Centre(Entete_Coucher), Entete_Coucher, Visible<&V::Coucher>},
    {40, 120, P::Visibilite_Jour, T::Droite, false, Centre(Entete_Nuit), Centre(Entete_Nuit), Entete_Nuit, Visible<&V::Nuit>},
    {40, 120, P::Visibilite_Heure, T::Droite, false, Centre(Entete_Azimut), Centre(Entete_Azimut), Entete_Azimut, Visible<&V::Azimut>},
    {80, 200, P::Decimales, T::Droite, false, Sans, Sans, "Alpha (h)", Alpha_Heures},
    {80, 200, P::Decimales, T::Droite, false, Sans, Sans, "Delta (°)", Delta_Degres},
    {80, 200, P::Decimales, T::Droite, false, Sans, Sans, "Distance (UA)", Distance_UA},
}};
// clang-format on

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
        case Presence::Decimales:
            return c.entree.Decimales;
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

#pragma once

// Exit rules of the element and equinox fields, run after the common start:
// the typed value is taken or refused, the elements that follow from it are
// recomputed, the fields rewritten and the page rebuilt.

#include "form/sorties_champs.h"

// saisie_a, saisie_n, saisie_q: one size of the orbit, the others follow for
// an elliptic orbit; an emptied field clears all four sizes.
void Sortie_Taille(Contexte_Formulaire& ctx, const Sortie_Champ& s);

// saisie_gQ: the aphelion distance, the other sizes follow unrounded.
void Sortie_Distance_Aphelie(Contexte_Formulaire& ctx, const Sortie_Champ& s);

// saisie_e: through Recalculer_Excentricite.
void Sortie_Excentricite(Contexte_Formulaire& ctx, const Sortie_Champ& s);

// saisie_i, saisie_Omega, saisie_gOmega: angles read in single precision.
void Sortie_Inclinaison(Contexte_Formulaire& ctx, const Sortie_Champ& s);
void Sortie_Angle_Perihelie(Contexte_Formulaire& ctx, const Sortie_Champ& s);
void Sortie_Noeud(Contexte_Formulaire& ctx, const Sortie_Champ& s);

// Equinoxe and Equinoxe_ephemeride, as a year or as a Julian day.
void Sortie_Equinoxe(Contexte_Formulaire& ctx, const Sortie_Champ& s);

// Whether these exits take a cleaned text; false when they restore the
// field's previous text. The values taken come out, as the exits store them.
// saisie_a, saisie_n, saisie_q: `el` the element set with the sizes that follow.
bool Taille_Prise(Controle champ, const QString& texte, const Elements& avant, const Notation& notation,
                  Elements& el);
bool Inclinaison_Prise(const QString& texte, const Notation& notation, float& i);
bool Noeud_Pris(const QString& texte, const Notation& notation, float& noeud);
// As a Julian day when `julien`, else as a year.
bool Equinoxe_Prise(Controle champ, const QString& texte, const Notation& notation, bool julien);

// What the form may hold beyond what these exits take, as it writes it: an
// eccentricity in the general format (an exponent for the smallest and
// largest), and an argument of perihelion derived from a longitude, anywhere
// in [0, 360), which ten decimals may round up to 360.
bool Excentricite_Tenue(const QString& texte, const Notation& notation);
bool Argument_Tenu(const QString& texte, const Notation& notation);

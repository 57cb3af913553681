#pragma once

// Exit rules of the date, step and magnitude fields, run after the common
// start, and the start date that the stepping buttons share with them.

#include <cstdint>

#include "form/sorties_champs.h"

// The start date of the ephemeris as its three fields hold it. Month and year
// are wider than the program's integers so that a step past the extreme
// values is seen, not overflowed.
struct Date_Debut {
    float Jour = 0;
    int64_t Mois = 0;
    int64_t An = 0;
};

// Month (0 when the field is empty) and year from their fields; false when
// either is not a whole number the program can hold.
bool Lire_Mois_An(const Boite_Outils& boite, Date_Debut& d);

// Normaliser_Date applied to the date through the working instant of `el`;
// false, and `el` unchanged, when the date cannot be held.
bool Normaliser_Debut(Elements& el, Date_Debut& d);

// The date into el's working instant and its three fields. False, and
// nothing written, when month or year do not fit 32 bits.
bool Ecrire_Date_Debut(Contexte_Formulaire& ctx, const Date_Debut& d);

void Sortie_Jour_Debut(Contexte_Formulaire& ctx, const Sortie_Champ& s);
void Sortie_Mois_Debut(Contexte_Formulaire& ctx, const Sortie_Champ& s);
void Sortie_An_Debut(Contexte_Formulaire& ctx, const Sortie_Champ& s);
void Sortie_Pas(Contexte_Formulaire& ctx, const Sortie_Champ& s);

void Sortie_Jour_Perihelie(Contexte_Formulaire& ctx, const Sortie_Champ& s);
void Sortie_Mois_Perihelie(Contexte_Formulaire& ctx, const Sortie_Champ& s);
void Sortie_An_Perihelie(Contexte_Formulaire& ctx, const Sortie_Champ& s);

// The eight fields of the total and nucleus magnitudes and their dates.
void Sortie_Magnitude(Contexte_Formulaire& ctx, const Sortie_Champ& s);

// Whether these exits take a cleaned text, the perihelion day in its calendar
// form; false when they restore the field's previous text.
bool Mois_Perihelie_Pris(const QString& texte, int32_t& mois);

// A perihelion day the form may hold, as an element file writes it: typed,
// or the day of a Julian day, below 32, which three decimals may round up
// to 32.
bool Jour_Perihelie_Tenu(const QString& texte, const Notation& notation);

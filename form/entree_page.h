#pragma once

// Everything the page build takes from the entry form, read afresh at every
// build: the window reads it from the controls, the batch program fills it
// from its options. The page never looks at a control itself.

#include <QString>
#include <cstdint>
#include <map>
#include <optional>

#include "astro/place.h"
#include "plateforme/controles.h"

// A date as the form's three fields give it; the day may carry a fraction.
struct Instant_Saisi {
    double Jour = 0;  // within the range of a float
    int32_t Mois = 0;
    int32_t An = 0;
};

// An observed magnitude and the date it was observed.
struct Magnitude_Saisie {
    double Magnitude = 0;
    Instant_Saisi Date;
};

struct Entree_Page {
    std::optional<Instant_Saisi> Debut;  // none: the start date cannot be read
    int32_t Pas = 0;
    int32_t Unite_Pas = 0;                   // 1 hours, 2 days, 3 months, 4 years
    int32_t Instrument = 0;                  // 0: none
    std::optional<Magnitude_Saisie> Totale;  // none: its fields do not hold a magnitude and a date
    std::optional<Magnitude_Saisie> Noyau;
    bool Equinoxe_Saisi = false;  // the field holds text
    bool Equinoxe_Ephemeride_Saisi = false;
    bool Julienne = false;  // the perihelion date is one Julian day
    // The perihelion date fields, an empty or unreadable field counting as 0.
    double Jour_Perihelie = 0;
    int32_t Mois_Perihelie = 0;
    int32_t An_Perihelie = 0;
    bool Champs_Corriges = true;  // no refused field still holds the text the reading left
    bool Omega_Symbole = true;    // Label15 is ω in the symbol face, not the Latin longitude caption
    Choix_Modele Modele;          // the precise model unless the classic one is asked for
    bool Decimales = false;       // the tables add the row's unrounded coordinates
    // Where each column's law came from, as the laws dialog names it
    // ("importée de cometes.txt"); the printed page and the batch's header say it.
    QString Origine_Totale;
    QString Origine_Noyau;
    // The texts of the captions and fields the printed page and the batch's
    // header copy as they stand.
    std::map<Controle, QString> Textes;

    QString Texte(Controle c) const {
        const auto it = Textes.find(c);
        return it == Textes.end() ? QString() : it->second;
    }
};

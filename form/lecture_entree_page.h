#pragma once

// Reads the page's input record from the entry controls as they stand.

#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "astro/elements.h"
#include "astro/instruments.h"
#include "form/entree_page.h"
#include "plateforme/boite_outils.h"

// The Instrument a list text names, or none.
std::optional<int32_t> Numero_Instrument(const QString& texte);
// The Unite_Pas a list text names, or none.
std::optional<int32_t> Numero_Unite_Pas(const QString& texte);

// A date from its three field texts; none when one of them cannot be read
// or the day leaves the range of a float.
std::optional<Instant_Saisi> Lire_Instant_Saisi(const QString& jour, const QString& mois, const QString& an,
                                                char separateur);

// Fields an element file held a value for that the form refuses, with the
// text the read left in them.
using Champs_Refuses = std::vector<std::pair<Controle, QString>>;

// What the record is read from: the controls' texts, the Julian date check
// box and the face of Label15.
struct Controles_Lus {
    std::function<QString(Controle)> Texte;
    bool Julienne = false;
    QString Police_Label15;
};

// The record from the controls as they stand.
Entree_Page Lire_Entree_Page(const Controles_Lus& controles, const Elements& el,
                             const Champs_Refuses& refuses, char separateur);

// The record from the controls. A list text that names nothing keeps the
// instrument and the unit of `el`; the step is the one the step field's exit
// left in `el`.
Entree_Page Lire_Entree_Page(const Boite_Outils& boite, const Elements& el, const Champs_Refuses& refuses,
                             char separateur);

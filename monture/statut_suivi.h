#pragma once

// What the following is doing, as the window's status bar and the batch
// program's lines show it.

#include <QDateTime>
#include <QString>
#include <optional>

#include "astro/vitesses_suivi.h"

enum class Mode_Suivi { Arrete, Pointage, Vitesses_Propres, Repointage };

// The words of the status bar: "suivi : vitesses propres", "suivi : repointage", "arrêté"…
QString Texte_Mode(Mode_Suivi mode);

struct Statut_Suivi {
    bool connecte = false;
    QString appareil;
    Mode_Suivi mode = Mode_Suivi::Arrete;
    std::optional<Coordonnees_Monture> place_monture;  // as the mount reports it, apparent place of date
    std::optional<qint64> instant_place;               // ms since 1970 UTC, when it reported it
    std::optional<Coordonnees_Monture> place_corps;    // computed for the same instant
    std::optional<double> ecart;                       // arc seconds between the two
    std::optional<Vitesses_Suivi> vitesses;            // the last rates sent
    QString message;                                   // the last word of the driver or of the following
};

// The status bar, a line for each: the connection, the mode and the offset
// from the body; the mount's apparent place of date in hours, minutes and
// seconds and degrees, minutes and seconds, with its age once it is a few
// seconds old (at `maintenant`, ms since 1970 UTC); the last message.
QString Texte_Statut(const Statut_Suivi& statut, std::optional<qint64> maintenant = std::nullopt);

// An angle in arc seconds as the eye reads it: ″ below a minute, ′ below a degree, else °.
QString Texte_Ecart(double secondes_arc);

// One line of the batch program at `instant`: time, body's place, mount's
// place, offset, rates sent, mode; fields separated by tabulations, places
// in decimal hours and degrees, "-" for what is not known.
QString Ligne_Suivi(const Statut_Suivi& statut, const QDateTime& instant);

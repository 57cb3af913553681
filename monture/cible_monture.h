#pragma once

// Whether the body may be sent to the mount at an instant: not below the
// site's lowest usable altitude, and not while the Sun is up unless the
// observer allows it.

#include <QString>

#include "astro/place.h"
#include "astro/visibilite.h"

// Empty when the body at `place` (apparent place of date) stands at least
// `hauteur_minimale` degrees high at `lieu` at `jj` (UTC), else why not.
QString Refus_Hauteur(const Lieu_Observation& lieu, double hauteur_minimale, double jj,
                      const Coordonnees_Monture& place);

// Empty when the Sun is below the horizon at `lieu` at `jj`, else why the
// body is refused.
QString Refus_Jour(const Lieu_Observation& lieu, double jj);

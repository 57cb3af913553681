#pragma once

// Whether the body may be pointed at from the site now: never below the
// telescope's lowest altitude, and in daylight only once the observer agrees.

#include <QString>

#include "astro/place.h"
#include "page/visibilite_ligne.h"

// Empty when the body at `place` (apparent place of date) stands at or above
// the site's lowest altitude at `jj` (UTC), else the sentence that says why not.
QString Refus_Cible(const Site_Observation& site, double jj, const Coordonnees_Monture& place);

// The Sun's altitude at the site, degrees; above Hauteur_Lever it is daylight.
double Hauteur_Soleil(const Lieu_Observation& lieu, double jj);
bool En_Plein_Jour(const Lieu_Observation& lieu, double jj);

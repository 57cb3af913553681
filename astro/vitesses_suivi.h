#pragma once

// The rates that make a mount follow a moving body: absolute axis rates, the
// way mounts take them. The right ascension axis turns at the sidereal rate
// less the body's own motion in right ascension, as an angle on the axis
// (15″ per second of time, no cos δ); the declination axis turns at the
// body's motion in declination.

#include <functional>
#include <memory>

#include "astro/place.h"

// The body's place at a Julian day in UTC.
using Place_A_L_Instant = std::function<Coordonnees_Monture(double jj)>;

// The place a mount is sent: the apparent place of date of the body of `el`
// seen from `lieu`, with the precise model. `origine` is an instant of the
// following (UTC), which anchors the Earth's nodes. With `mouvement`, the
// integration of `el` from its epoch that the page follows, kept alive by
// the answer; its calls are to come from the thread that builds the page.
Place_A_L_Instant Place_Pour_Monture(const Elements& el, const Lieu_Observation& lieu, double origine,
                                     std::shared_ptr<Mouvement_Perturbe> mouvement = nullptr);

struct Vitesses_Suivi {
    double Ascension_Droite = 0;  // arc seconds per SI second
    double Declinaison = 0;       // arc seconds per SI second
};

constexpr double Vitesse_Siderale = 15.041067;  // arc seconds per SI second

// The rates at `jj`, from the places `demi_intervalle` seconds before and
// after (a centred difference); not finite when a place is not.
Vitesses_Suivi Vitesses_Depuis_Mouvement(const Place_A_L_Instant& place, double jj, double demi_intervalle);

// The rates that bring the mount from where the body is at `jj` to where it
// will be `intervalle` seconds later: the mean motion over the interval, so
// that a curving path does not leave the mount behind at each update.
Vitesses_Suivi Vitesses_Sur_Intervalle(const Place_A_L_Instant& place, double jj, double intervalle);

// The angle between two places, arc seconds (Vincenty's form, exact at any
// separation); NaN when a place is not finite.
double Ecart_Angulaire(const Coordonnees_Monture& a, const Coordonnees_Monture& b);

// True when a rate changes from one sign to the other; a mount refuses such
// a change while tracking, so it is made through zero.
bool Signe_Inverse(double avant, double apres);

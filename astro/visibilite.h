#pragma once

// The body in the sky of an observing site: mean sidereal time, altitude and
// azimuth, rise, transit and set, and its greatest altitude in the dark part
// of the night. Positions are geocentric (no parallax: it matters only
// closer than about 0.05 AU), referred to the mean equinox of the date, with
// the program's own Sun. Every search is bounded and finds its event to well
// within a minute.

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "astro/elements.h"

struct Lieu_Observation {
    double Latitude = 0;   // degrees, north positive
    double Longitude = 0;  // degrees, east positive
    double Altitude = 0;   // metres; without parallax the computation does not use it
};

constexpr double Hauteur_Lever = -0.5667;  // degrees: the horizon raised by standard refraction
constexpr double Hauteur_Nuit = -18;       // degrees: the Sun below it, the night is astronomical

// Greenwich mean sidereal time, degrees in [0, 360), at a Julian day in
// Universal Time (Meeus, eq. 12.4).
double Temps_Sideral_Moyen(double jj);

struct Equatoriales {
    double Alpha = 0;  // radians
    double Delta = 0;  // radians
};

struct Horizontales {
    double Hauteur = 0;  // degrees above the horizon
    double Azimut = 0;   // degrees from north through east, [0, 360)
};

// Where a direction of the equator of the date stands at the site at `jj`.
Horizontales Vers_Horizontales(const Equatoriales& e, double jj, const Lieu_Observation& lieu);

// The program's Sun, mean equinox of the date.
Equatoriales Equatoriales_Soleil(double jj);

// The body, geocentric, mean equinox of `jj` (the instant of `el` is left alone).
Equatoriales Equatoriales_Corps(const Elements& el, double jj);

// Where the body stands on the equator of the date at a Julian day in UT:
// what the searches follow, so that any model of its place can feed them.
using Direction_Corps = std::function<Equatoriales(double jj)>;

// Angle between two directions, degrees in [0, 180].
double Separation(const Equatoriales& a, const Equatoriales& b);

// A path across the sky known at evenly spaced instants and interpolated
// between them (Lagrange, through all the nodes).
class Trajet {
public:
    static constexpr int Noeuds = 5;
    static constexpr double Ecart = 0.5;  // days between two nodes

    Trajet() = default;
    // Nodes from `debut` on, one every Ecart days, from `position`.
    template <typename Fonction>
    static Trajet Echantillonner(double debut, Fonction position) {
        Trajet t;
        t.debut_ = debut;
        for (int k = 0; k < Noeuds; ++k) t.Ranger(k, position(debut + k * Ecart));
        return t;
    }
    Equatoriales A(double jj) const;
    // Node k as it was given, or nothing when `jj` is no node.
    std::optional<Equatoriales> Noeud(double jj) const;
    double Debut() const { return debut_; }
    double Fin() const { return debut_ + (Noeuds - 1) * Ecart; }

private:
    void Ranger(int k, const Equatoriales& e);
    double debut_ = 0;
    std::array<double, Noeuds> alpha_{};  // radians, whole turns added so that it runs on without a jump
    std::array<double, Noeuds> delta_{};
};

// The sky of one day at the site: the body and the Sun from 0 h UT of the
// day, long enough to cover the night that follows it wherever the site is.
struct Ciel_Jour {
    double JJ_0h = 0;  // 0 h UT of the day
    Trajet corps;
    Trajet soleil;
};
// Nodes that `precedent` (the sky of an earlier row, same body) already
// holds are taken from it rather than computed again.
Ciel_Jour Preparer_Ciel(const Direction_Corps& corps, double jj, const Ciel_Jour* precedent = nullptr);
// The same with the body's place from Equatoriales_Corps.
Ciel_Jour Preparer_Ciel(const Elements& el, double jj, const Ciel_Jour* precedent = nullptr);

double Hauteur(const Trajet& t, double jj, const Lieu_Observation& lieu);

// The night that begins on the evening of the day: from local mean noon to the next one.
struct Intervalle {
    double debut = 0;  // Julian days
    double fin = 0;
};
Intervalle Nuit_Locale(const Ciel_Jour& ciel, const Lieu_Observation& lieu);

// The stretches of `dans` during which the Sun is below Hauteur_Nuit.
std::vector<Intervalle> Intervalles_Sombres(const Ciel_Jour& ciel, const Intervalle& dans,
                                            const Lieu_Observation& lieu);

enum class Cours { Normal, Circumpolaire, Invisible };

// What the page shows for a row stepped by days, months or years.
struct Visibilite_Jour {
    double JJ_0h = 0;       // the UT day searched starts here
    double Elongation = 0;  // degrees, at the row's instant
    Cours cours = Cours::Normal;
    std::optional<double> Lever;    // Julian days, within the UT day
    std::optional<double> Passage;  // upper transit
    std::optional<double> Coucher;
    double Hauteur_Passage = 0;           // degrees, meaningful with Passage
    std::optional<double> Hauteur_Noire;  // greatest altitude with the Sun below −18°; none when never dark
};
Visibilite_Jour Calculer_Visibilite_Jour(const Elements& el, double jj, const Lieu_Observation& lieu);
// The same in a sky already prepared for the day of `jj`.
Visibilite_Jour Calculer_Visibilite_Ciel(const Ciel_Jour& ciel, double jj, const Lieu_Observation& lieu);

// What the page shows for a row stepped by hours.
struct Visibilite_Instant {
    double Elongation = 0;  // degrees
    Horizontales horizontales;
};
Visibilite_Instant Calculer_Visibilite_Instant(const Elements& el, double jj, const Lieu_Observation& lieu);
// The same for a direction of the body already known, equator of the date.
Visibilite_Instant Calculer_Visibilite_Direction(const Equatoriales& corps, double jj,
                                                 const Lieu_Observation& lieu);

#pragma once

// Readers of the published element formats: the MPC's one-line comet and
// minor-planet (MPCORB) layouts, XEphem database lines and the osculating
// elements of a Horizons listing, each in its own file (import_comete_mpc,
// import_mpcorb, import_xephem, import_horizons). Each gives the same plain
// record; a line that cannot be read is skipped and counted, never guessed at.

#include <QString>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "astro/constante_gauss.h"
#include "astro/equations_mouvement.h"
#include "astro/lois_magnitude.h"
#include "document/dates_publiees.h"

// One published orbit, as the program's elements: angles in degrees,
// ecliptic of the equinox `Equinoxe`, the perihelion as a Julian day (TT).
struct Orbite_Publiee {
    QString Designation;  // designation and name, as the source writes them
    double e = 0;
    double q = 0;       // UA
    double i = 0;       // inclination
    double Omega = 0;   // argument of perihelion
    double gOmega = 0;  // longitude of the ascending node
    double JJ_Perihelie = 0;
    double Equinoxe = 2000;  // a year
    // The Julian day (TT, or TDB for Horizons) the set osculates at; NaN
    // when the source gives none.
    double JJ_Epoque = NAN;
    // The laws the source gives, each column on its own, marked imported;
    // none leaves its column the program's own law.
    std::optional<Loi_Magnitude> Loi_Totale{};
    std::optional<Loi_Magnitude> Loi_Noyau{};
    std::optional<Non_Gravitationnel> Non_Grav{};  // AU/day², a comet's
};

// Why a line that holds an orbit gives none: it does not fit its format, its
// perihelion distance is not positive, or its values make no orbit.
enum class Refus_Orbite { Illisible, Distance_Nulle, Absurde };

// What one line of a format gives: its orbit, or why there is none.
struct Orbite_Lue {
    std::optional<Orbite_Publiee> orbite;
    Refus_Orbite refus = Refus_Orbite::Illisible;  // when there is no orbit
    bool ecartee = false;                          // a sound orbit the reading's choice left out
};

// Asked of every sound orbit with its name as the source writes it (UTF-8
// or Windows-1252), before the name is decoded and the laws are read: false
// leaves the orbit out. What makes one name of a whole catalogue cheap.
using Garde_Orbite = std::function<bool(std::string_view nom)>;

// The name as the source writes it, decoded.
QString Nom_Source(std::string_view nom);

// One line of each fixed or comma-separated format. A fixed-column line is
// read only if its blanks and decimal points stand where the format puts
// them: a line that lost or gained a character would give another orbit.
Orbite_Lue Lire_Comete_MPC(std::string_view ligne, const Garde_Orbite& garder = nullptr);
Orbite_Lue Lire_MPCORB(std::string_view ligne, const Garde_Orbite& garder = nullptr);
Orbite_Lue Lire_XEphem(std::string_view ligne, const Garde_Orbite& garder = nullptr);

// A line of the MPCORB layout as a walk that chooses sees it, from its
// digits and its name alone: to be read whole (which Lire_MPCORB does), a
// sound orbit `garder` left out, or no orbit and why. One byte, returned in
// a register once per line of a catalogue.
enum class Tri_Ligne : uint8_t { A_Lire, Ecartee, Illisible, Distance_Nulle };
Tri_Ligne Trier_MPCORB(std::string_view ligne, const Garde_Orbite& garder);

// What a line looks like before it is read.
enum class Forme_Ligne { Vide, Commentaire, Comete_MPC, MPCORB, XEphem, Horizons, Inconnue };
Forme_Ligne Reconnaitre_Ligne(std::string_view ligne);

// What a text's lines gave besides its orbits.
struct Refus_Comptes {
    int64_t Ignorees = 0;  // lines or sets that fit no format
    int64_t Distances_Nulles = 0;
    int64_t Absurdes = 0;
    void Compter(Refus_Orbite refus);
};

// The Horizons listings spread one orbit over several lines of KEY= value
// pairs. Every set of one listing carries the body's name, from the
// "JPL/HORIZONS" line or "Target body name:", whichever comes first, and
// its epoch; the sets of the table ($$SOE to $$EOE), osculating at the
// dates asked, come before the set of the header.
class Lecteur_Horizons {
public:
    using Recepteur = std::function<void(Orbite_Publiee&&)>;
    explicit Lecteur_Horizons(Recepteur recepteur) : recepteur_(std::move(recepteur)) { physique_.fill(NAN); }

    // False when the line is none of a listing's.
    bool Lire_Ligne(std::string_view ligne);
    // A line of no format: the title of a block of physical parameters opens
    // it, and a line without "=" closes it.
    void Lire_Autre_Ligne(std::string_view ligne);
    // The end of the text: an orbit begun and not completed is one skipped.
    void Terminer();
    const Refus_Comptes& Refus() const { return refus_; }

private:
    bool Lire_Repere(std::string_view ligne);
    void Prendre(int cle, std::string_view valeur);
    void Completer();
    void Abandonner_Ensemble();
    void Finir_Listage();
    void Envoyer(Orbite_Publiee&& o);

    Recepteur recepteur_;
    QString nom_;
    bool nomme_ = false;       // the listing's name is known
    bool cible_ = false;       // its "Target body name:" line was read
    bool dans_table_ = false;  // between $$SOE and $$EOE
    double epoque_ = NAN;      // of the set being read
    // The body's physical parameters of the listing, by rank of their key:
    // NaN until read, or written "n.a.". They are read in their blocks only:
    // the comments after them repeat some ("2: k1=8., k2=5., phase coef.=0.03;").
    bool dans_physique_ = false;
    std::array<double, 10> physique_;
    std::vector<Orbite_Publiee> table_;   // sets waiting for the name
    std::vector<Orbite_Publiee> entete_;  // sets of the header, which come last
    double valeurs_[6] = {};
    unsigned lues_ = 0;  // bit k: key k read
    Refus_Comptes refus_;
};

// Reads every orbit of a text in any of the four formats, line by line. The
// text comes by pieces from `lire` (a piece of at most `taille` bytes, 0 at
// the end, -1 on a failure); `avancer` hears the bytes read so far and
// answers false to stop. Lines end with LF, CR LF or CR; a byte-order mark
// before the first is no part of it. Lines that hold an orbit of a
// fixed-column format but cannot be read, and unknown lines after the first
// such orbit, count as skipped; blank lines, comments and headers do not.
struct Bilan_Lecture : Refus_Comptes {
    int64_t Orbites = 0;       // the sound ones, those `choisir` left out included
    bool Interrompue = false;  // stopped by `avancer`
    bool Echec = false;        // `lire` failed
};
// `choisir`, when given, hears each sound orbit's rank among them (from 0)
// and its name as the source writes it; only those it answers true for are
// completed and received. A walk through a whole catalogue keeps nothing.
using Choix_Orbite = std::function<bool(int64_t rang, std::string_view nom)>;
Bilan_Lecture Lire_Orbites(const std::function<int64_t(char* tampon, int64_t taille)>& lire,
                           const std::function<void(Orbite_Publiee&&)>& recevoir,
                           const std::function<bool(int64_t lus)>& avancer,
                           const Choix_Orbite& choisir = nullptr);

// The same from a regular file of at most 1 GiB (a whole minor-planet
// catalogue is about 300 MB): Lu, or why it was not read.
enum class Issue_Flux { Lu, Inaccessible, Trop_Grand };
Issue_Flux Lire_Fichier_Orbites_En_Flux(const QString& chemin,
                                        const std::function<void(Orbite_Publiee&&)>& recevoir,
                                        const Choix_Orbite& choisir, Bilan_Lecture& bilan);

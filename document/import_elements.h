#pragma once

// Readers of the published element formats: the MPC's one-line comet and
// minor-planet (MPCORB) layouts, XEphem database lines and the osculating
// elements of a Horizons listing. Each gives the same plain record; a line
// that cannot be read is skipped and counted, never guessed at.

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

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
};

// A calendar date of perihelion, the day with its fraction.
struct Date_Perihelie {
    double Jour = 0;
    int32_t Mois = 0;
    int32_t An = 0;
};
// The date of a Julian day, rounded to `decimales` decimals of a day first,
// so that its text never shows a day past the end of its month.
std::optional<Date_Perihelie> Date_Arrondie(double jj, int decimales);

// Gauss's constant k in degrees per day: the mean motion of a = 1 UA.
constexpr double Moyen_Mouvement_Unite = 0.98560768655;

// The Julian day of a packed MPC date: century letter (I, J, K for 18, 19,
// 20), two digits of the year, month 1-9 A-C, day 1-9 A-V.
std::optional<double> JJ_Date_Compacte(std::string_view date);

// One line of each fixed or comma-separated format; nothing when the line is
// not a readable orbit of that format.
std::optional<Orbite_Publiee> Lire_Comete_MPC(std::string_view ligne);
std::optional<Orbite_Publiee> Lire_MPCORB(std::string_view ligne);
std::optional<Orbite_Publiee> Lire_XEphem(std::string_view ligne);

// What a line looks like before it is read.
enum class Forme_Ligne { Vide, Commentaire, Comete_MPC, MPCORB, XEphem, Horizons, Inconnue };
Forme_Ligne Reconnaitre_Ligne(std::string_view ligne);

// The Horizons listings spread one orbit over several lines of KEY= value
// pairs; the reader gathers them, the name coming from the header line
// "Target body name:". An orbit is complete once its six keys are read.
class Lecteur_Horizons {
public:
    using Recepteur = std::function<void(Orbite_Publiee&&)>;
    explicit Lecteur_Horizons(Recepteur recepteur) : recepteur_(std::move(recepteur)) {}

    // False when the line holds none of the six keys nor the name.
    bool Lire_Ligne(std::string_view ligne);
    // The end of the text: an orbit begun and not completed is one skipped.
    void Terminer();
    int Ignorees() const { return ignorees_; }

private:
    void Prendre(int cle, std::string_view valeur);
    void Completer();

    Recepteur recepteur_;
    QString nom_;
    double valeurs_[6] = {};
    unsigned lues_ = 0;  // bit k: key k read
    int ignorees_ = 0;
};

// Reads every orbit of a text in any of the four formats, line by line. The
// text comes by pieces from `lire` (a piece of at most `taille` bytes, 0 at
// the end, -1 on a failure); `avancer` hears the bytes read so far and
// answers false to stop. Lines that hold an orbit of a fixed-column format
// but cannot be read, and unknown lines after the first such orbit, count as
// skipped; blank lines, comments and headers do not.
struct Bilan_Lecture {
    int64_t Orbites = 0;
    int64_t Ignorees = 0;
    bool Interrompue = false;  // stopped by `avancer`
    bool Echec = false;        // `lire` failed
};
Bilan_Lecture Lire_Orbites(const std::function<int64_t(char* tampon, int64_t taille)>& lire,
                           const std::function<void(Orbite_Publiee&&)>& recevoir,
                           const std::function<bool(int64_t lus)>& avancer);

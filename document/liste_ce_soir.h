#pragma once

// Tonight's list: the bodies of one or several catalogue files that stand
// high enough in the dark part of a night at a site, and bright enough, with
// their best moment. The files are read once, as they stream; what can never
// reach the limit is left at once, the rest is sampled with the classic
// two-body place, and the survivors are computed with the precise place, on
// several threads. Cancellable at any moment through the progress callback.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "astro/nuit_noire.h"
#include "astro/place.h"
#include "document/import_elements.h"

struct Programme;

enum class Genre_Corps { Comete, Petite_Planete };
enum class Filtre_Genre { Tous, Cometes, Petites_Planetes };

// The limits a list accepts.
constexpr double Hauteur_Minimale_Basse = -5;  // degrees
constexpr double Hauteur_Minimale_Haute = 90;
constexpr double Magnitude_Limite_Basse = -30;
constexpr double Magnitude_Limite_Haute = 35;
constexpr double Hauteur_Minimale_Defaut = 20;
constexpr double Magnitude_Limite_Defaut = 12;

struct Demande_Ce_Soir {
    Lieu_Observation lieu;
    double JJ_0h = 0;                                                  // 0 h UT of the night's date
    double Hauteur_Minimale = Hauteur_Minimale_Defaut;                 // degrees
    std::optional<double> Magnitude_Limite = Magnitude_Limite_Defaut;  // none: every magnitude
    std::optional<double> Elongation_Minimale;                         // degrees from the Sun
    std::optional<double> Distance_Lune_Minimale;                      // degrees from the Moon
    Filtre_Genre genre = Filtre_Genre::Tous;
    // The list always takes the precise place; from the site when
    // topocentric, the planets' pull from the epoch unless refused.
    Choix_Modele modele;
    // Where the Sun never goes below −18°: the darkest stretch instead of
    // no list.
    bool Periode_La_Plus_Sombre = false;
    int Fils = 0;  // threads; 0: one per core, within a bound
};

// The Julian day (UT) of an instant.
double JJ_Instant_Utc(const QDateTime& instant);

// Why a request cannot be computed; empty when it can. One French sentence.
QString Verifier_Demande(const Demande_Ce_Soir& d);

struct Ligne_Ce_Soir {
    QString Objet;
    Genre_Corps genre = Genre_Corps::Petite_Planete;
    std::optional<double> Magnitude;  // none: the body has no law
    double Hauteur = 0;               // degrees, its highest in the stretch
    double JJ = 0;                    // UT of that moment
    double Alpha = 0;                 // J2000, radians
    double Delta = 0;
    double Elongation = 0;      // degrees from the Sun
    double Distance_Lune = 0;   // degrees from the Moon's centre, seen from the site
    double Distance_Terre = 0;  // AU
    double Mouvement = 0;       // ″ per minute of time
    Orbite_Publiee orbite;      // what loads it into the form
    int Fichier = 0;            // rank of the file it was read from
};

struct Liste_Ce_Soir {
    enum class Issue { Calculee, Jamais_Noire, Inaccessible, Echec_Lecture, Interrompue };
    Issue issue = Issue::Calculee;
    QString Fichier_Fautif;  // the file that could not be opened or read
    Nuit_Noire nuit;
    std::vector<Ligne_Ce_Soir> lignes;  // brightest first, then by name
    int64_t Orbites = 0;                // read from the files
    int64_t Sans_Loi = 0;               // no magnitude law: left out when a limit is given
    int64_t Incalculables = 0;          // no precise place that night (too far from their epoch)
    Refus_Comptes Refus;                // damaged lines, skipped
};

// The files' orbits judged against the request; `avancer` hears the part
// done, from 0 to 1, and answers false to stop. It is called from the
// calling thread, often enough to keep a window's progress moving.
Liste_Ce_Soir Calculer_Liste_Ce_Soir(const Demande_Ce_Soir& d, const QStringList& fichiers,
                                     const std::function<bool(double fait)>& avancer);

// The same on orbits already in memory (tests, pasted text).
Liste_Ce_Soir Calculer_Liste_Orbites(const Demande_Ce_Soir& d, const std::vector<Orbite_Publiee>& orbites);

// The law the list takes: a comet's total law, else a minor planet's H, G.
std::optional<Loi_Magnitude> Loi_Liste(const Orbite_Publiee& o);
Genre_Corps Genre_Orbite(const Orbite_Publiee& o);

// The orbit as the computation's element set, the ephemeris referred to J2000.
Elements Elements_Orbite(const Orbite_Publiee& o);

// What a list says of its night, its counts and its refusals, one sentence
// a line: a night that never gets dark, bodies without a law, damaged lines.
QStringList Remarques_Liste(const Liste_Ce_Soir& l, const Demande_Ce_Soir& d);
// "312 objets lus, 1 objet retenu".
QString Texte_Lus_Retenus(const Liste_Ce_Soir& l);

// The columns of the list, as a table of texts: the header, then a row per
// body, the decimal separator given; "Heure TU" is written HH:MM.
QStringList Entete_Ce_Soir();
// HH:MM of a UT Julian day, rounded to the minute.
QString Heure_TU(double jj);
QStringList Cellules_Ce_Soir(const Ligne_Ce_Soir& l, char separateur);

// The body of a row becomes the document as an import makes it (once a
// modified document is saved or given up), the ephemeris starting on the
// night's date (0 h UT `JJ_0h`); `source` is the file it was read from.
// False when the user kept the document.
bool Charger_Ligne_Ce_Soir(Programme& p, const Ligne_Ce_Soir& l, double JJ_0h, const QString& source);

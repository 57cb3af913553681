#pragma once

// The command line of the batch program.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

#include "astro/place.h"
#include "document/liste_ce_soir.h"
#include "page/visibilite_ligne.h"

// The exit statuses of the program; the last three end a following with a mount.
enum Statut_Batch {
    Succes = 0,
    Page_Invalide = 1,
    Erreur_Usage = 2,
    Fichier_Illisible = 3,
    Serveur_Injoignable = 4,      // the INDI server cannot be reached, or the connection was lost
    Monture_Defaillante = 5,      // the mount is not offered, refuses, stops answering or vanishes
    Cible_Refusee = 6,            // parked, the body too low, daylight, or no place to point at
    Catalogue_Non_Actualise = 7,  // a catalogue could not be updated; its previous copy is kept
};

enum class Format_Sortie { Texte, Tsv, Pdf };

// Following the body with an INDI mount instead of writing an ephemeris.
struct Options_Monture {
    QString hote;  // empty: no following
    quint16 port = 0;
    QString appareil;
    int duree = 0;      // minutes of following; 0: until stopped
    bool jour = false;  // the body may be pointed at in daylight
    QString journal;    // the record of the INDI exchange, when asked for
};

// Tonight's list of the bodies of catalogue files instead of an ephemeris.
struct Options_Ce_Soir {
    bool actif = false;
    QStringList fichiers;                                              // every --importer given
    QStringList catalogues;                                            // the names of --catalogue
    std::optional<QDate> date;                                         // none: tonight at the site
    double hauteur_minimale = Hauteur_Minimale_Defaut;                 // degrees
    std::optional<double> magnitude_limite = Magnitude_Limite_Defaut;  // none: "aucune"
    std::optional<double> elongation_minimale;                         // degrees
    bool reglee = false;                                               // one of the four above was given
};

// The law of the total magnitude fitted to an ICQ file of estimates.
struct Options_Magnitudes {
    QString fichier;  // empty: the element set's own law
    QString cote;     // "avant", "apres" or empty for both sides of perihelion
    QString observateur;
};

struct Options_Batch {
    QString fichier;
    // Start date as typed: the day may carry a fraction with "," or ".".
    QString jour;
    QString mois;
    QString an;
    QString pas = QStringLiteral("1");
    QString unite = QStringLiteral("jours");
    QString instrument = QStringLiteral("Aucun");
    std::optional<char> separateur;  // the system's when absent
    Format_Sortie format = Format_Sortie::Texte;
    QString sortie;  // standard output when empty
    // A file of published elements instead of an element file, the text
    // that names one of its objects, or the list of its objects.
    QString importer;
    QString objet;
    int rang = 0;  // from 1 in the list of --lister; 0 when not given
    bool lister = false;
    // The local copy of a published catalogue instead of --importer's file.
    QString catalogue;
    // Catalogues to update, the address that replaces the one of the single
    // catalogue named, and the list of the local copies.
    QStringList actualiser;
    QString url;
    bool catalogues = false;
    std::optional<Site_Observation> lieu;  // the visibility columns from this site
    Choix_Modele modele;                   // the precise model unless --modele classique
    bool decimales = false;                // TSV: the row's unrounded coordinates appended
    Options_Monture monture;
    Options_Ce_Soir ce_soir;
    Options_Magnitudes magnitudes;
    bool aide = false;
    bool version = false;
};

// The options, or the reason the command line is refused.
struct Lecture_Options {
    Options_Batch options;
    QString erreur;
};

Lecture_Options Lire_Options(const QStringList& arguments);

// Only the printed page needs fonts, hence a graphical application.
bool Demande_Page_Imprimee(const QStringList& arguments);

QString Usage_Batch();
QString Version_Batch();

#pragma once

// The command line of the batch program.

#include <QString>
#include <QStringList>
#include <optional>

#include "astro/place.h"
#include "page/visibilite_ligne.h"

// The exit statuses of the program.
enum Statut_Batch { Succes = 0, Page_Invalide = 1, Erreur_Usage = 2, Fichier_Illisible = 3 };

enum class Format_Sortie { Texte, Tsv, Pdf };

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
    std::optional<Site_Observation> lieu;  // the visibility columns from this site
    Choix_Modele modele;                   // the precise model unless --modele classique
    bool decimales = false;                // TSV: the row's unrounded coordinates appended
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

#pragma once

// The command line of the batch program.

#include <QString>
#include <QStringList>
#include <optional>

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
    bool aide = false;
};

// The options, or the reason the command line is refused.
struct Lecture_Options {
    Options_Batch options;
    QString erreur;
};

Lecture_Options Lire_Options(const QStringList& arguments);

QString Usage_Batch();

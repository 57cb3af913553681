#pragma once

// The batch program: an element file in, an ephemeris out, through the very
// same reading, page preparation and row generation as the window.

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QTextStream>

#include "batch/options_batch.h"

class Boite_Memoire;
struct Contexte_Page;

// Prints the page into a PDF file; only the printing program has one.
using Impression_Pdf = int (*)(const Contexte_Page& page, Boite_Memoire& boite, const QString& chemin,
                               QTextStream& erreurs);

// `arguments` without the program's name. Today's date is the default start;
// `maintenant` (UTC) decides which night is tonight for --ce-soir.
int Executer_Ephemeride(const QStringList& arguments, QTextStream& sortie, QTextStream& erreurs,
                        const QDate& aujourdhui, Impression_Pdf imprimer = nullptr,
                        const QDateTime& maintenant = QDateTime::currentDateTimeUtc());

// The application's own arguments, standard output and standard error.
int Executer_Sur_Console(Impression_Pdf imprimer);

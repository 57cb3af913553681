#pragma once

// The printed page of the batch program, in a PDF file. Only the printing
// program links it: it needs fonts, hence a graphical application.

#include <QString>
#include <QTextStream>

class Boite_Memoire;
struct Contexte_Page;

int Imprimer_Pdf(const Contexte_Page& page, Boite_Memoire& boite, const QString& chemin,
                 QTextStream& erreurs);

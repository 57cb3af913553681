#pragma once

// The printed page of the batch program, in a PDF file. Only the printing
// program links it: it needs fonts, hence a graphical application.

#include <QString>
#include <QTextStream>

class Boite_Memoire;
class Programme;

int Imprimer_Pdf(Programme& p, Boite_Memoire& boite, const QString& chemin, QTextStream& erreurs);

#pragma once

// The batch program: an element file in, an ephemeris out, through the very
// same reading, page preparation and row generation as the window.

#include <QDate>
#include <QStringList>
#include <QTextStream>

enum Statut_Batch { Succes = 0, Page_Invalide = 1, Erreur_Usage = 2, Fichier_Illisible = 3 };

// `arguments` without the program's name. Today's date is the default start.
int Executer_Ephemeride(const QStringList& arguments, QTextStream& sortie, QTextStream& erreurs,
                        const QDate& aujourdhui);

#pragma once

// The catalogues from the command line: updating them, one line each, and
// listing the local copies.

#include <QStringList>
#include <QTextStream>

#include "catalogues/actualisation.h"

// Updates the catalogues `noms` in turn (`adresse`, when given, replaces the
// address of the single one). Succes, or Catalogue_Non_Actualise when one
// of them kept its previous copy.
int Actualiser_En_Batch(const QStringList& noms, const QString& adresse, const Environnement_Catalogues& env,
                        QTextStream& sortie, QTextStream& erreurs);

// One line a copy: name, bodies, date of the download (UT), source address;
// when there is none, a word on `erreurs` says how to get one.
int Lister_Catalogues(const QString& dossier_copies, QTextStream& sortie, QTextStream& erreurs);

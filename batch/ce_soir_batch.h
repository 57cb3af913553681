#pragma once

// The batch program's tonight list: the catalogue files of --importer, the
// site of --lieu, the night of --date or tonight's; the list as aligned
// text with a few lines on the night, or as TSV.

#include <QDateTime>
#include <QTextStream>

#include "batch/options_batch.h"
#include "form/textes_nombres.h"

// `maintenant` (UTC) decides which night is tonight when no date is given.
int Executer_Ce_Soir(const Options_Batch& o, const Notation& notation, const QDateTime& maintenant,
                     QTextStream& sortie, QTextStream& erreurs);

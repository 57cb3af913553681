#pragma once

// Following the body with an INDI mount from the command line: connect,
// choose the device, point and follow, one line a minute on the standard
// output, what the mount does on the standard error, until the duration
// ends, SIGINT or SIGTERM stops it, or a fault ends it.

#include <QTextStream>

#include <memory>

#include "astro/elements.h"
#include "astro/mouvement_perturbe.h"
#include "batch/options_batch.h"

// Runs the application's event loop; answers the exit status.
// `mouvement`: the integration from the epoch the body follows, none for its conic.
int Suivre_Avec_Monture(const Elements& el, std::shared_ptr<Mouvement_Perturbe> mouvement,
                        const Site_Observation& site, const Options_Monture& options, QTextStream& sortie,
                        QTextStream& erreurs);

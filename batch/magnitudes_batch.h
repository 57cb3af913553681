#pragma once

// --magnitudes-observees: the law of the total magnitude fitted to an ICQ
// file of estimates replaces the element set's before the page is built.

#include <QTextStream>
#include <optional>

#include "batch/options_batch.h"
#include "document/programme.h"

// Fits the law to the estimates of `objet` (as the comment names the body)
// and gives it to the element set, saying it on `erreurs`; the exit status
// when the run ends here (the file unreadable, no law fitted).
std::optional<int> Ajuster_Magnitudes(Programme& p, const QString& objet, const Options_Magnitudes& o,
                                      QTextStream& erreurs);

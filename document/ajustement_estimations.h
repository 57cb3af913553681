#pragma once

// The law of the total magnitude fitted to the estimates of an ICQ file:
// the estimates of the body in hand chosen by its designation, the side of
// perihelion, the dates and the observer asked for, then the robust fit,
// and the fitted law that the element set takes with where it came from.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "astro/ajustement_loi.h"
#include "astro/elements.h"
#include "document/lecture_icq.h"
#include "document/programme.h"
#include "page/trace_ajustement.h"

enum class Cote_Perihelie { Les_Deux, Avant, Apres };

struct Choix_Ajustement {
    Cote_Perihelie cote = Cote_Perihelie::Les_Deux;
    std::optional<double> JJ_Debut;  // UT, estimates from this instant on
    std::optional<double> JJ_Fin;    // UT, up to this instant
    QString observateur;             // its code; empty: every observer
    std::optional<double> K1_Fixe;   // M1 alone with this K1
};

struct Ajustement_Estimations {
    std::vector<Estimation_Reduite> estimations;  // those of the body chosen, reduced
    Resultat_Ajustement resultat;
    QString designation;  // the comet whose estimates were taken
    QString remarque;     // said to the user even when the fit succeeds
    QString refus;        // why no law; empty when the fit succeeded
    bool Reussi() const { return refus.isEmpty(); }
};

// The fit to the estimates of `lecture` that belong to the body named `nom`.
Ajustement_Estimations Ajuster_Estimations(const Elements& el, const QString& nom, const Lecture_Icq& lecture,
                                           const Choix_Ajustement& choix);

// The lines skipped and why, one sentence each; none when every line gave an estimate.
QStringList Textes_Rejets(const Lecture_Icq& lecture);

// What is said of a successful fit:
// "Loi ajustée : M1 = 4,12, K1 = 7,80 (54 estimations, 2 écartées, écart-type 0,21 mag)".
QString Texte_Loi_Ajustee(const Resultat_Ajustement& r, char separateur);

// The fitted law with its origin "ajustée à N estimations (fichier, date)",
// the date being that of the last estimate used; the phase term is none.
Loi_Magnitude Loi_Ajustee(const Ajustement_Estimations& a, const QString& fichier);

// The picture's data: the estimates with their marks, the fitted line, the
// element set's law before the fit (`publiee`) when it is a comet's law
// that is not the program's own, and both laws' magnitudes over the dates
// of the estimates.
Trace_Ajustement Preparer_Trace(const Ajustement_Estimations& a, const Elements& el,
                                const Loi_Magnitude& publiee);

// The element set takes the fitted law as its total law: the document is
// modified and the page rebuilt.
void Appliquer_Loi_Ajustee(Programme& p, const Loi_Magnitude& loi);

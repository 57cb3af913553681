#include "page/visibilite_ligne.h"

#include <algorithm>
#include <cmath>

#include "astro/constantes.h"
#include "astro/ligne.h"

namespace {
constexpr int Minutes_Par_Heure = 60;
const char* const Motif_Degres = "#0.0";

QString Indefini() { return QString::fromLatin1(Texte_Indefini); }
}  // namespace

QString Texte_Heure_TU(const std::optional<double>& jj, double JJ_0h) {
    if (!jj || !std::isfinite(*jj - JJ_0h)) return Indefini();
    // An event in the last half minute of the day stays on that day.
    const double minutes =
        std::clamp(std::round((*jj - JJ_0h) * Minutes_Par_Jour), 0.0, Minutes_Par_Jour - 1);
    const int m = static_cast<int>(minutes);
    return QStringLiteral("%1:%2")
        .arg(m / Minutes_Par_Heure, 2, 10, QChar(u'0'))
        .arg(m % Minutes_Par_Heure, 2, 10, QChar(u'0'));
}

QString Texte_Degres(const std::optional<double>& degres, const Notation& notation) {
    if (!degres || !std::isfinite(*degres)) return Indefini();
    return Texte_Motif(*degres, Motif_Degres, notation);
}

Textes_Visibilite Textes_Visibilite_Jour(const Visibilite_Jour& v, const Notation& notation) {
    Textes_Visibilite t;
    t.Elongation = Texte_Degres(v.Elongation, notation);
    if (v.cours == Cours::Circumpolaire) {
        t.Lever = t.Coucher = QString::fromUtf8(Texte_Circumpolaire);
    } else {
        t.Lever = Texte_Heure_TU(v.Lever, v.JJ_0h);
        t.Coucher = Texte_Heure_TU(v.Coucher, v.JJ_0h);
    }
    t.Passage = Texte_Heure_TU(v.Passage, v.JJ_0h);
    t.Hauteur = v.Passage ? Texte_Degres(v.Hauteur_Passage, notation) : Indefini();
    t.Nuit = Texte_Degres(v.Hauteur_Noire, notation);
    return t;
}

Textes_Visibilite Textes_Visibilite_Instant(const Visibilite_Instant& v, const Notation& notation) {
    Textes_Visibilite t;
    t.Elongation = Texte_Degres(v.Elongation, notation);
    t.Hauteur = Texte_Degres(v.horizontales.Hauteur, notation);
    t.Azimut = Texte_Degres(v.horizontales.Azimut, notation);
    return t;
}

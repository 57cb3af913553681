#include "page/textes_ligne.h"

#include <cmath>

#include "astro/ligne.h"

namespace {
const char* const Motif_Jour = "#0.00";
const char* const Motif_Entier = "#0";
const char* const Motif_Magnitude = "#0.0";
}  // namespace

QString Deux_Chiffres(const QString& texte, char separateur_decimal) {
    const int separateur = texte.indexOf(QChar::fromLatin1(separateur_decimal));
    const int longueur_entiere = separateur < 0 ? texte.size() : separateur;
    const bool un_chiffre = longueur_entiere == 1 && texte[0].isDigit();
    return un_chiffre ? QStringLiteral("0") + texte : texte;
}

QString Texte_Jour_Ligne(double jour, const Notation& notation) {
    return Deux_Chiffres(Texte_Motif(jour, Motif_Jour, notation), notation.Separateur_Decimal);
}

QString Texte_Entier_Deux_Chiffres(double valeur, const Notation& n) {
    return Deux_Chiffres(Texte_Motif(valeur, Motif_Entier, n), n.Separateur_Decimal);
}

// A magnitude at distances the computation could not give is shown like the
// other values of such a row.
QString Texte_Magnitude(double magnitude, const Notation& notation) {
    if (!std::isfinite(magnitude)) return QString::fromLatin1(Texte_Indefini);
    return Texte_Motif(magnitude, Motif_Magnitude, notation);
}

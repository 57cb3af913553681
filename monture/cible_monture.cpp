#include "monture/cible_monture.h"

#include <cmath>

#include "astro/angles.h"

namespace {

constexpr double Radians_Par_Heure = 15 * Radians_Par_Degre;
constexpr int Decimales_Hauteur = 1;

const QString Mot_Trop_Bas = QStringLiteral("l'astre est à %1° de hauteur, sous la hauteur minimale de %2°");
const QString Mot_Jour = QStringLiteral("il fait jour, le Soleil est à %1° de hauteur");

// French words, French decimal comma.
QString Degres(double x) { return QString::number(x, 'f', Decimales_Hauteur).replace(u'.', u','); }

}  // namespace

QString Refus_Hauteur(const Lieu_Observation& lieu, double hauteur_minimale, double jj,
                      const Coordonnees_Monture& place) {
    const Equatoriales e{place.Ascension_Droite * Radians_Par_Heure, place.Declinaison * Radians_Par_Degre};
    const double h = Vers_Horizontales(e, jj, lieu).Hauteur;
    // Not finite is refused too: nothing is sent that cannot be checked.
    if (h >= hauteur_minimale) return {};
    return Mot_Trop_Bas.arg(Degres(h), Degres(hauteur_minimale));
}

QString Refus_Jour(const Lieu_Observation& lieu, double jj) {
    const double h = Vers_Horizontales(Equatoriales_Soleil(jj), jj, lieu).Hauteur;
    if (h < Hauteur_Lever) return {};
    return Mot_Jour.arg(Degres(h));
}

#include "app/cible_monture.h"

#include <cmath>

#include "astro/angles.h"

namespace {

constexpr double Radians_Par_Heure = Pi_Radians / 12;
constexpr int Decimales_Hauteur = 1;

const QString Mot_Place_Incalculable = QStringLiteral("la place de l'astre n'est pas calculable.");
const QString Mot_Trop_Bas = QStringLiteral(
    "l'astre est à %1° de hauteur, sous la hauteur minimale du télescope (%2°) au lieu « %3 ».");

}  // namespace

QString Refus_Cible(const Site_Observation& site, double jj, const Coordonnees_Monture& place) {
    if (!std::isfinite(place.Ascension_Droite) || !std::isfinite(place.Declinaison) || !std::isfinite(jj))
        return Mot_Place_Incalculable;
    const Equatoriales e{place.Ascension_Droite * Radians_Par_Heure, place.Declinaison * Radians_Par_Degre};
    const double hauteur = Vers_Horizontales(e, jj, site.lieu).Hauteur;
    if (!(hauteur >= site.Hauteur_Minimale))
        return Mot_Trop_Bas.arg(hauteur, 0, 'f', Decimales_Hauteur)
            .arg(site.Hauteur_Minimale, 0, 'f', Decimales_Hauteur)
            .arg(site.Nom);
    return {};
}

double Hauteur_Soleil(const Lieu_Observation& lieu, double jj) {
    return Vers_Horizontales(Equatoriales_Soleil(jj), jj, lieu).Hauteur;
}

bool En_Plein_Jour(const Lieu_Observation& lieu, double jj) {
    return Hauteur_Soleil(lieu, jj) > Hauteur_Lever;
}

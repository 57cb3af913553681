#include "form/angle_perihelie.h"

namespace {

const char* const Motif_Angle = "#0.##########";

struct Mode_Angle {
    const QString& legende;
    const char* police;
    const char* libelle;  // caption of Label16
    const char* indice;   // hint of saisie_Omega
};

void Afficher_Mode(const Mode_Angle& mode, double angle, Boite_Outils& boite, const Notation& notation) {
    boite.Ecrire_Texte(Controle::Label15, mode.legende);
    boite.Ecrire_Police(Controle::Label15, QString::fromUtf8(mode.police));
    boite.Ecrire_Texte(Controle::Label16, QString::fromUtf8(mode.libelle));
    boite.Ecrire_Indice(Controle::saisie_Omega, QString::fromUtf8(mode.indice));
    boite.Ecrire_Texte(Controle::saisie_Omega,
                       angle > 0 ? Texte_Motif(angle, Motif_Angle, notation) : QString());
}

}  // namespace

void Afficher_Argument(const Elements& el, Boite_Outils& boite, const Notation& notation) {
    const Mode_Angle argument{Legende_Argument, "Symbol",
                              "argument du périhélie =", "Argument du périhélie en degrés"};
    Afficher_Mode(argument, el.Omega, boite, notation);
}

void Afficher_Longitude(const Elements& el, Boite_Outils& boite, const Notation& notation) {
    const Mode_Angle longitude{Legende_Longitude, "Tahoma",
                               "longitude du périhélie =", "Longitude du périhélie en degrés"};
    Afficher_Mode(longitude, el.Longitude_Perihelie, boite, notation);
}

void Basculer_Angle(Elements& el, Boite_Outils& boite, const Notation& notation) {
    if (boite.Texte(Controle::Label15) == Legende_Argument) {
        Omega_Vers_Longitude(el);
        Afficher_Longitude(el, boite, notation);
    } else {
        Longitude_Vers_Omega(el);
        Afficher_Argument(el, boite, notation);
    }
}

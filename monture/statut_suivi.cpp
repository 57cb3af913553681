#include "monture/statut_suivi.h"

#include <cmath>

namespace {

const QString Mot_Arrete = QStringLiteral("arrêté");
const QString Mot_Pointage = QStringLiteral("pointage");
const QString Mot_Vitesses_Propres = QStringLiteral("suivi : vitesses propres");
const QString Mot_Repointage = QStringLiteral("suivi : repointage");

const QString Mot_Connecte = QStringLiteral("INDI : %1");
const QString Mot_Deconnecte = QStringLiteral("INDI : non connecté");
const QString Mot_Sans_Appareil = QStringLiteral("connecté, aucune monture choisie");
const QString Mot_Monture = QStringLiteral("monture AD %1 D %2");
const QString Mot_Ecart = QStringLiteral("écart %1″");
const QString Separateur = QStringLiteral(" — ");
const QString Inconnu = QStringLiteral("-");
const QString Format_Instant = QStringLiteral("yyyy-MM-dd HH:mm:ss");
constexpr int Decimales_Heures = 6;   // 0.05″ of arc at the equator
constexpr int Decimales_Degres = 5;   // 0.04″
constexpr int Decimales_Vitesse = 4;  // ″/s
constexpr int Decimales_Ecart = 1;    // ″

// A value that rounds to zero is written without a sign: "-0.0000" would read
// as a motion the other way.
QString Decimal(double x, int decimales) {
    if (std::fabs(x) < 0.5 * std::pow(10.0, -decimales)) x = 0;
    return QString::number(x, 'f', decimales);
}

QString Nombre(std::optional<double> x, int decimales) { return x ? Decimal(*x, decimales) : Inconnu; }

QString Texte_Place(const std::optional<Coordonnees_Monture>& p) {
    if (!p) return Inconnu + u'\t' + Inconnu;
    return Decimal(p->Ascension_Droite, Decimales_Heures) + u'\t' + Decimal(p->Declinaison, Decimales_Degres);
}

}  // namespace

QString Texte_Mode(Mode_Suivi mode) {
    switch (mode) {
        case Mode_Suivi::Pointage:
            return Mot_Pointage;
        case Mode_Suivi::Vitesses_Propres:
            return Mot_Vitesses_Propres;
        case Mode_Suivi::Repointage:
            return Mot_Repointage;
        case Mode_Suivi::Arrete:
            break;
    }
    return Mot_Arrete;
}

QString Texte_Statut(const Statut_Suivi& statut) {
    const QString connexion = !statut.connecte            ? Mot_Deconnecte
                              : statut.appareil.isEmpty() ? Mot_Connecte.arg(Mot_Sans_Appareil)
                                                          : Mot_Connecte.arg(statut.appareil);
    QStringList parties = {connexion, Texte_Mode(statut.mode)};
    if (statut.place_monture)
        parties.append(Mot_Monture.arg(statut.place_monture->Ascension_Droite, 0, 'f', Decimales_Heures)
                           .arg(statut.place_monture->Declinaison, 0, 'f', Decimales_Degres));
    if (statut.ecart) parties.append(Mot_Ecart.arg(*statut.ecart, 0, 'f', Decimales_Ecart));
    if (!statut.message.isEmpty()) parties.append(statut.message);
    return parties.join(Separateur);
}

QString Ligne_Suivi(const Statut_Suivi& statut, const QDateTime& instant) {
    const auto v = statut.vitesses;
    return QStringList{instant.toUTC().toString(Format_Instant),
                       Texte_Place(statut.place_corps),
                       Texte_Place(statut.place_monture),
                       Nombre(statut.ecart, Decimales_Ecart),
                       Nombre(v ? std::optional(v->Ascension_Droite) : std::nullopt, Decimales_Vitesse),
                       Nombre(v ? std::optional(v->Declinaison) : std::nullopt, Decimales_Vitesse),
                       Texte_Mode(statut.mode)}
        .join(u'\t');
}

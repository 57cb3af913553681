#include "monture/statut_suivi.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/constantes.h"

namespace {

const QString Mot_Arrete = QStringLiteral("arrêté");
const QString Mot_Pointage = QStringLiteral("pointage");
const QString Mot_Vitesses_Propres = QStringLiteral("suivi : vitesses propres");
const QString Mot_Repointage = QStringLiteral("suivi : repointage");

const QString Mot_Connecte = QStringLiteral("INDI : %1");
const QString Mot_Deconnecte = QStringLiteral("INDI : non connecté");
const QString Mot_Sans_Appareil = QStringLiteral("connecté, aucune monture choisie");
const QString Mot_Monture = QStringLiteral("monture, place apparente de la date : %1 %2");
const QString Mot_Age = QStringLiteral("il y a %1 s");
const QString Mot_Ecart = QStringLiteral("écart %1");
const QString Separateur = QStringLiteral(" — ");
const QString Inconnu = QStringLiteral("-");
const QString Format_Instant = QStringLiteral("yyyy-MM-dd HH:mm:ss");
constexpr int Decimales_Heures = 6;   // 0.05″ of arc at the equator
constexpr int Decimales_Degres = 5;   // 0.04″
constexpr int Decimales_Vitesse = 4;  // ″/s
constexpr int Decimales_Ecart = 1;    // ″
constexpr qint64 Age_Montre = 10000;  // ms: a report older than this says its age
constexpr qint64 Millisecondes_Par_Seconde = 1000;
constexpr double Secondes_Arc_Par_Minute = 60;
constexpr double Secondes_Par_Heure = 3600;                           // of time
constexpr qint64 Dixiemes_Par_Jour = qint64(10 * Secondes_Par_Jour);  // tenths of a second of time

// French decimals in the status bar: a comma.
QString Francais(double x, int decimales) { return QString::number(x, 'f', decimales).replace(u'.', u','); }

// "18 h 48 m 44,4 s", to the tenth of a second.
QString Texte_Heures(double heures) {
    qint64 d = qRound64(heures * Secondes_Par_Heure * 10) % Dixiemes_Par_Jour;
    if (d < 0) d += Dixiemes_Par_Jour;
    return QStringLiteral("%1 h %2 m %3 s")
        .arg(d / 36000)
        .arg(d / 600 % 60, 2, 10, QLatin1Char('0'))
        .arg(Francais(double(d % 600) / 10, 1).rightJustified(4, u'0'));
}

// "-5° 07′ 25″", to the second of arc.
QString Texte_Degres(double degres) {
    const qint64 s = qRound64(std::fabs(degres) * Secondes_Arc_Par_Degre);
    return QStringLiteral("%1%2° %3′ %4″")
        .arg(degres < 0 && s > 0 ? QStringLiteral("-") : QStringLiteral("+"))
        .arg(s / 3600)
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

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

QString Texte_Ecart(double secondes_arc) {
    if (secondes_arc < Secondes_Arc_Par_Minute) return Francais(secondes_arc, Decimales_Ecart) + u'″';
    if (secondes_arc < Secondes_Arc_Par_Degre)
        return Francais(secondes_arc / Secondes_Arc_Par_Minute, Decimales_Ecart) + u'′';
    return Francais(secondes_arc / Secondes_Arc_Par_Degre, Decimales_Ecart) + u'°';
}

QString Texte_Statut(const Statut_Suivi& statut, std::optional<qint64> maintenant) {
    const QString connexion = !statut.connecte            ? Mot_Deconnecte
                              : statut.appareil.isEmpty() ? Mot_Connecte.arg(Mot_Sans_Appareil)
                                                          : Mot_Connecte.arg(statut.appareil);
    QStringList premiere = {connexion, Texte_Mode(statut.mode)};
    if (statut.ecart) premiere.append(Mot_Ecart.arg(Texte_Ecart(*statut.ecart)));
    QStringList lignes = {premiere.join(Separateur)};
    if (statut.place_monture) {
        QString place = Mot_Monture.arg(Texte_Heures(statut.place_monture->Ascension_Droite),
                                        Texte_Degres(statut.place_monture->Declinaison));
        if (maintenant && statut.instant_place && *maintenant - *statut.instant_place > Age_Montre)
            place +=
                Separateur + Mot_Age.arg((*maintenant - *statut.instant_place) / Millisecondes_Par_Seconde);
        lignes.append(place);
    }
    if (!statut.message.isEmpty()) lignes.append(statut.message);
    return lignes.join(u'\n');
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

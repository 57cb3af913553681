#include "monture/monture_simulee.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/vitesses_suivi.h"

namespace {

constexpr qint64 Duree_Pointage = 2000;  // ms
constexpr qint64 Battement = 1000;       // ms between two reports of the place
constexpr qint64 Latence = 10;           // ms for an answer to come back
constexpr double Secondes_Arc_Par_Heure = 54000;

QByteArray Xml_Vecteur(const QString& balise, const QString& genre, const QString& nom, const QString& etat,
                       const QList<QPair<QString, QString>>& valeurs, const QString& message = {}) {
    const bool def = balise == u"def";
    QString x = QStringLiteral("<%1%2Vector device=\"%3\" name=\"%4\" state=\"%5\"%6%7>")
                    .arg(balise, genre, Monture_Simulee::Appareil, nom, etat,
                         def ? QStringLiteral(" perm=\"rw\"") : QString(),
                         message.isEmpty() ? QString() : QStringLiteral(" message=\"%1\"").arg(message));
    for (const auto& [element, valeur] : valeurs)
        x += QStringLiteral("<%1%2 name=\"%3\">%4</%1%2>")
                 .arg(def ? QStringLiteral("def") : QStringLiteral("one"), genre, element, valeur);
    return (x + QStringLiteral("</%1%2Vector>\n").arg(balise, genre)).toUtf8();
}

QString Interrupteur(bool b) { return b ? QStringLiteral("On") : QStringLiteral("Off"); }

}  // namespace

void Horloge_Simulee::Avancer(qint64 ms) {
    const qint64 fin = t_ + ms;
    constexpr int Appels_Maximum = 1000000;
    for (int n = 0; n < Appels_Maximum && !appels_.empty() && appels_.begin()->first <= fin; ++n) {
        auto premier = appels_.begin();
        t_ = std::max(t_, premier->first);
        const auto rappel = std::move(premier->second);
        appels_.erase(premier);
        rappel();
    }
    t_ = fin;
}

void Monture_Simulee::Connecter(const QString&, quint16, int) {
    connecte_ = true;
    Oublier();
    emit Connecte();
    const bool relie = !options_.deconnectee;
    QByteArray x =
        Xml_Vecteur(QStringLiteral("def"), QStringLiteral("Text"), QStringLiteral("DRIVER_INFO"),
                    QStringLiteral("Idle"), {{QStringLiteral("DRIVER_INTERFACE"), QStringLiteral("5")}});
    x += Xml_Vecteur(QStringLiteral("def"), QStringLiteral("Switch"), QStringLiteral("CONNECTION"),
                     QStringLiteral("Ok"),
                     {{QStringLiteral("CONNECT"), Interrupteur(relie)},
                      {QStringLiteral("DISCONNECT"), Interrupteur(!relie)}});
    Dire(x);
    if (relie) Dire(Description());
    dernier_battement_ = horloge_.Maintenant();
    horloge_.Programmer(dernier_battement_ + Battement, [this] { Battre(); });
}

// The properties of a connected device.
QByteArray Monture_Simulee::Description() const {
    QList<QPair<QString, QString>> modes = {{QStringLiteral("TRACK_SIDEREAL"), Interrupteur(true)}};
    if (options_.vitesses_propres) modes.append({QStringLiteral("TRACK_CUSTOM"), Interrupteur(false)});
    QByteArray x = Xml_Vecteur(QStringLiteral("def"), QStringLiteral("Number"),
                               QStringLiteral("EQUATORIAL_EOD_COORD"), QStringLiteral("Ok"),
                               {{QStringLiteral("RA"), QString::number(ra, 'g', 17)},
                                {QStringLiteral("DEC"), QString::number(dec, 'g', 17)}});
    x += Xml_Vecteur(QStringLiteral("def"), QStringLiteral("Switch"), QStringLiteral("ON_COORD_SET"),
                     QStringLiteral("Ok"), {{QStringLiteral("TRACK"), Interrupteur(true)}});
    x += Xml_Vecteur(QStringLiteral("def"), QStringLiteral("Switch"), QStringLiteral("TELESCOPE_TRACK_MODE"),
                     QStringLiteral("Ok"), modes);
    x += Xml_Vecteur(QStringLiteral("def"), QStringLiteral("Switch"), QStringLiteral("TELESCOPE_TRACK_STATE"),
                     QStringLiteral("Ok"),
                     {{QStringLiteral("TRACK_ON"), Interrupteur(true)},
                      {QStringLiteral("TRACK_OFF"), Interrupteur(false)}});
    x +=
        Xml_Vecteur(QStringLiteral("def"), QStringLiteral("Switch"), QStringLiteral("TELESCOPE_ABORT_MOTION"),
                    QStringLiteral("Idle"), {{QStringLiteral("ABORT"), Interrupteur(false)}});
    x += Xml_Vecteur(QStringLiteral("def"), QStringLiteral("Switch"), QStringLiteral("TELESCOPE_PARK"),
                     QStringLiteral("Ok"),
                     {{QStringLiteral("PARK"), Interrupteur(options_.parquee)},
                      {QStringLiteral("UNPARK"), Interrupteur(!options_.parquee)}});
    x += Xml_Vecteur(QStringLiteral("def"), QStringLiteral("Switch"), QStringLiteral("TELESCOPE_PIER_SIDE"),
                     QStringLiteral("Ok"),
                     {{QStringLiteral("PIER_EAST"), Interrupteur(true)},
                      {QStringLiteral("PIER_WEST"), Interrupteur(false)}});
    if (options_.vitesses_propres)
        x += Xml_Vecteur(QStringLiteral("def"), QStringLiteral("Number"),
                         QStringLiteral("TELESCOPE_TRACK_RATE"), QStringLiteral("Ok"),
                         {{QStringLiteral("TRACK_RATE_RA"), QString::number(vitesse_ra)},
                          {QStringLiteral("TRACK_RATE_DE"), QStringLiteral("0")}});
    return x;
}

void Monture_Simulee::Dire(const QByteArray& xml) {
    if (connecte_) Recevoir(xml);
}

QByteArray Monture_Simulee::Place(const QString& etat) const {
    return Xml_Vecteur(QStringLiteral("set"), QStringLiteral("Number"),
                       QStringLiteral("EQUATORIAL_EOD_COORD"), etat,
                       {{QStringLiteral("RA"), QString::number(ra, 'g', 17)},
                        {QStringLiteral("DEC"), QString::number(dec, 'g', 17)}});
}

void Monture_Simulee::Envoyer_Place(const QString& ra_texte, const QString& dec_texte, const QString& etat) {
    Dire(Xml_Vecteur(QStringLiteral("set"), QStringLiteral("Number"), QStringLiteral("EQUATORIAL_EOD_COORD"),
                     etat, {{QStringLiteral("RA"), ra_texte}, {QStringLiteral("DEC"), dec_texte}}));
}

void Monture_Simulee::Supprimer_Place() {
    Dire(QStringLiteral("<delProperty device=\"%1\" name=\"EQUATORIAL_EOD_COORD\"/>\n")
             .arg(Appareil)
             .toUtf8());
}

void Monture_Simulee::Couper() {
    if (!connecte_) return;
    connecte_ = false;
    emit Perdu(QStringLiteral("La connexion au serveur INDI est coupée."));
}

void Monture_Simulee::Finir(const QString& raison) {
    connecte_ = false;
    emit Perdu(raison);
}

void Monture_Simulee::Battre() {
    if (!connecte_) return;
    const double dt = double(horloge_.Maintenant() - dernier_battement_) / 1000;
    dernier_battement_ = horloge_.Maintenant();
    if (!en_pointage && poursuite && mode == QStringLiteral("TRACK_CUSTOM")) {
        ra += (Vitesse_Siderale - vitesse_ra) * dt / Secondes_Arc_Par_Heure;
        dec +=
            (std::isnan(options_.derive_de) ? vitesse_de : options_.derive_de) * dt / Secondes_Arc_Par_Degre;
    }
    if (!muette) Dire(Place(en_pointage ? QStringLiteral("Busy") : QStringLiteral("Ok")));
    horloge_.Programmer(horloge_.Maintenant() + Battement, [this] { Battre(); });
}

void Monture_Simulee::Envoyer(const QByteArray& xml) {
    Noter(true, xml);
    for (const Evenement_Indi& e : lecteur_.Lire(xml)) Commande(e.vecteur);
}

// An answer comes back later, as over a network.
void Monture_Simulee::Plus_Tard(const QByteArray& xml) {
    if (muette) return;
    horloge_.Programmer(horloge_.Maintenant() + Latence, [this, xml] { Dire(xml); });
}

void Monture_Simulee::Repondre(const Vecteur_Indi& v, const QString& etat) {
    Plus_Tard(Xml_Vecteur(QStringLiteral("set"), v.genre, v.nom, etat, v.valeurs));
}

void Monture_Simulee::Commande(const Vecteur_Indi& v) {
    commandes.append(v.nom);
    if (v.nom == u"EQUATORIAL_EOD_COORD") return Pointer(v);
    if (v.nom == u"CONNECTION") {
        if (options_.refuse_connexion) return Repondre(v, QStringLiteral("Alert"));
        Repondre(v, QStringLiteral("Ok"));
        return Plus_Tard(Description());
    }
    if (v.nom == u"TELESCOPE_ABORT_MOTION") {
        ++generation_;
        en_pointage = false;
    }
    if (v.nom == u"TELESCOPE_TRACK_MODE")
        for (const auto& [m, etat] : v.valeurs)
            if (etat == u"On") mode = m;
    if (v.nom == u"TELESCOPE_TRACK_STATE") poursuite = v.Allume(QStringLiteral("TRACK_ON"));
    if (v.nom == u"TELESCOPE_TRACK_RATE") {
        if (options_.refuse_vitesses) return Repondre(v, QStringLiteral("Alert"));
        vitesse_ra = v.Nombre(QStringLiteral("TRACK_RATE_RA")).value_or(vitesse_ra);
        vitesse_de = v.Nombre(QStringLiteral("TRACK_RATE_DE")).value_or(vitesse_de);
        Repondre(v, QStringLiteral("Ok"));
        if (options_.retourne_apres_vitesses) {
            cote_ = cote_ == u"PIER_EAST" ? QStringLiteral("PIER_WEST") : QStringLiteral("PIER_EAST");
            Plus_Tard(Xml_Vecteur(QStringLiteral("set"), QStringLiteral("Switch"),
                                  QStringLiteral("TELESCOPE_PIER_SIDE"), QStringLiteral("Ok"),
                                  {{QStringLiteral("PIER_EAST"), Interrupteur(cote_ == u"PIER_EAST")},
                                   {QStringLiteral("PIER_WEST"), Interrupteur(cote_ == u"PIER_WEST")}}));
        }
        return;
    }
    Repondre(v, QStringLiteral("Ok"));
}

void Monture_Simulee::Pointer(const Vecteur_Indi& v) {
    ++pointages;
    const auto cible_ra = v.Nombre(QStringLiteral("RA")), cible_dec = v.Nombre(QStringLiteral("DEC"));
    if (!cible_ra || !cible_dec) return;
    en_pointage = true;
    const int generation = ++generation_;
    Plus_Tard(Place(QStringLiteral("Busy")));
    if (options_.pointage_sans_fin) return;
    horloge_.Programmer(horloge_.Maintenant() + Duree_Pointage,
                        [this, generation, r = *cible_ra, d = *cible_dec] {
                            if (generation != generation_ || !connecte_) return;
                            ra = r;
                            dec = d;
                            en_pointage = false;
                            dernier_battement_ = horloge_.Maintenant();
                            if (!muette) Dire(Place(QStringLiteral("Ok")));
                        });
}

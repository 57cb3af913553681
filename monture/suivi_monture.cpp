#include "monture/suivi_monture.h"

#include <QDateTime>
#include <cmath>

#include "astro/angles.h"
#include "astro/constantes.h"

namespace {

// The properties and elements every INDI mount driver shares.
const QString Connexion = QStringLiteral("CONNECTION");
const QString Connecter_Appareil = QStringLiteral("CONNECT");
const QString Place_Date = QStringLiteral("EQUATORIAL_EOD_COORD");
const QString Ascension_Droite = QStringLiteral("RA");  // hours
const QString Declinaison = QStringLiteral("DEC");      // degrees
const QString Sur_Coordonnees = QStringLiteral("ON_COORD_SET");
const QString Poursuivre = QStringLiteral("TRACK");
const QString Mode_Poursuite = QStringLiteral("TELESCOPE_TRACK_MODE");
const QString Poursuite_Siderale = QStringLiteral("TRACK_SIDEREAL");
const QString Poursuite_Propre = QStringLiteral("TRACK_CUSTOM");
const QString Etat_Poursuite = QStringLiteral("TELESCOPE_TRACK_STATE");
const QString Poursuite_En_Marche = QStringLiteral("TRACK_ON");
const QString Vitesses_Poursuite = QStringLiteral("TELESCOPE_TRACK_RATE");
const QString Vitesse_AD = QStringLiteral("TRACK_RATE_RA");
const QString Vitesse_DE = QStringLiteral("TRACK_RATE_DE");
const QString Arret_Mouvement = QStringLiteral("TELESCOPE_ABORT_MOTION");
const QString Arret = QStringLiteral("ABORT");
const QString Parcage = QStringLiteral("TELESCOPE_PARK");
const QString Parquer = QStringLiteral("PARK");
const QString Site = QStringLiteral("GEOGRAPHIC_COORD");
const QString Heure = QStringLiteral("TIME_UTC");
const QString Cote_Pilier = QStringLiteral("TELESCOPE_PIER_SIDE");

constexpr double Jour_Julien_Unix = 2440587.5;  // 1970-01-01 0 h UTC
constexpr double Degres_Par_Tour = 360;
constexpr int Millisecondes_Par_Seconde = 1000;
constexpr double Millisecondes_Par_Minute = 60000;
// ms a newly connected driver is given to describe the rest of its
// properties (the site, the time) before the first slew
constexpr int Delai_Definitions = 500;

const QString Mot_Pas_Connecte = QStringLiteral("Pas de connexion au serveur INDI.");
const QString Mot_Pas_Appareil = QStringLiteral("Aucune monture n'est choisie.");
const QString Mot_Appareil_Muet = QStringLiteral("La monture « %1 » ne répond pas.");
const QString Mot_Appareil_Perdu = QStringLiteral("La monture « %1 » a disparu du serveur INDI.");
const QString Mot_Connexion_Refusee = QStringLiteral("La monture « %1 » refuse la connexion : %2");
const QString Mot_Parquee = QStringLiteral(
    "La monture est parquée : elle refuse tout mouvement. Déparquez-la, puis pointez de nouveau.");
const QString Mot_Cible_Refusee = QStringLiteral("Pointage refusé : %1");
const QString Mot_Place_Incalculable =
    QStringLiteral("Pointage refusé : la place du corps n'est pas calculable.");
const QString Mot_Pointage_Refuse = QStringLiteral("La monture refuse le pointage : %1");
const QString Mot_Pointage_Trop_Long = QStringLiteral("Le pointage ne s'achève pas : suivi abandonné.");
const QString Mot_Reste_Loin = QStringLiteral("Après %1 pointages, la monture reste à %2″ du corps.");
const QString Mot_Sans_Vitesses = QStringLiteral(
    "La monture n'accepte pas de vitesses propres : elle est repointée sur le corps toutes les %1 min, "
    "à la vitesse sidérale entre deux pointages.");
const QString Mot_Vitesses_Refusees = QStringLiteral(
    "La monture refuse les vitesses propres (%1) : elle est repointée sur le corps toutes les %2 min.");
const QString Mot_Suivi_Arrete = QStringLiteral("Suivi arrêté : la monture suit à la vitesse sidérale.");
const QString Mot_Description_Incomplete =
    QStringLiteral("La monture « %1 » ne décrit pas %2 : impossible de la pointer.");
const QString Mot_Declinaison_Inversee = QStringLiteral(
    "De ce côté du pilier (%1), la monture tourne en déclinaison à l'inverse de la vitesse envoyée : "
    "elle est repointée et reçoit la vitesse opposée.");
const QString Mot_Declinaison_Perdue =
    QStringLiteral("La monture ne suit pas la déclinaison envoyée, ni dans un sens ni dans l'autre.");

bool Fini(const Coordonnees_Monture& p) {
    return std::isfinite(p.Ascension_Droite) && std::isfinite(p.Declinaison);
}
bool Fini(const Vitesses_Suivi& v) {
    return std::isfinite(v.Ascension_Droite) && std::isfinite(v.Declinaison);
}

}  // namespace

double Jour_Julien_Maintenant() {
    return Jour_Julien_Unix + double(QDateTime::currentMSecsSinceEpoch()) / Millisecondes_Par_Jour;
}

Suivi_Monture::Suivi_Monture(Place_A_L_Instant place, Verification_Cible verification,
                             const Site_Monture& site, const Reglages_Suivi& reglages, QObject* parent)
    : QObject(parent),
      place_(std::move(place)),
      verification_(std::move(verification)),
      site_(site),
      reglages_(reglages) {
    for (QTimer* t : {&suivi_, &reponse_, &pointage_, &definitions_, &description_}) t->setSingleShot(true);
    connect(&description_, &QTimer::timeout, this, &Suivi_Monture::Description_Incomplete);
    connect(&definitions_, &QTimer::timeout, this, [this] {
        if (phase_ == Phase::Attente_Appareil && demande_) Commencer();
    });
    connect(&suivi_, &QTimer::timeout, this, &Suivi_Monture::Echeance_Suivi);
    connect(&reponse_, &QTimer::timeout, this,
            [this] { Terminer(Mot_Appareil_Muet.arg(statut_.appareil), Cause_Fin::Monture); });
    connect(&pointage_, &QTimer::timeout, this,
            [this] { Terminer(Mot_Pointage_Trop_Long, Cause_Fin::Monture); });
    connect(&client_, &Client_Indi::Connecte, this, [this] {
        statut_.connecte = true;
        emit Statut_Change(statut_);
    });
    connect(&client_, &Client_Indi::Perdu, this, [this](const QString& raison) {
        statut_.connecte = false;
        Terminer(raison, Cause_Fin::Serveur);
    });
    connect(&client_, &Client_Indi::Propriete_Changee, this, &Suivi_Monture::Propriete_Changee);
    connect(&client_, &Client_Indi::Propriete_Supprimee, this, &Suivi_Monture::Propriete_Supprimee);
    connect(&client_, &Client_Indi::Message_Appareil, this, &Suivi_Monture::Message);
}

Suivi_Monture::~Suivi_Monture() {
    // Leaving never lets the mount run on at the body's rates.
    if (phase_ != Phase::Inactif) Arreter();
    client_.Deconnecter();
}

void Suivi_Monture::Connecter(const QString& hote, quint16 port) {
    Deconnecter();
    envoyees_.reset();
    client_.Connecter(hote, port, reglages_.Delai_Connexion);
}

void Suivi_Monture::Deconnecter() {
    if (phase_ != Phase::Inactif) Arreter();
    client_.Deconnecter();
    arret_attendu_ = {};
    demande_ = connexion_demandee_ = false;
    statut_.connecte = false;
    Publier(Mode_Suivi::Arrete);
}

void Suivi_Monture::Choisir_Appareil(const QString& appareil) {
    if (phase_ != Phase::Inactif && appareil != statut_.appareil) Arreter();
    statut_.appareil = appareil;
    connexion_demandee_ = vitesses_refusees_ = declinaison_inversee_ = false;
    envoyees_.reset();
    cote_pilier_.clear();
    if (const Vecteur_Indi* c = Propriete(Connexion)) Connexion_Appareil(*c);
}

void Suivi_Monture::Pointer_Et_Suivre() {
    if (!client_.Est_Connecte()) return Terminer(Mot_Pas_Connecte, Cause_Fin::Serveur);
    if (statut_.appareil.isEmpty()) return Terminer(Mot_Pas_Appareil, Cause_Fin::Monture);
    if (Appareil_Pret()) return Commencer();
    demande_ = true;
    phase_ = Phase::Attente_Appareil;
    Attendre_Reponse();
    // A device that answers yet never describes its place would keep this wait alive.
    description_.start(reglages_.Delai_Description);
}

void Suivi_Monture::Description_Incomplete() {
    if (phase_ != Phase::Attente_Appareil) return;
    QStringList manquantes;
    for (const QString& nom : {Connexion, Place_Date})
        if (!Propriete(nom)) manquantes.append(nom);
    if (manquantes.isEmpty()) manquantes.append(Place_Date);
    Terminer(Mot_Description_Incomplete.arg(statut_.appareil, manquantes.join(QStringLiteral(", "))),
             Cause_Fin::Monture);
}

void Suivi_Monture::Arreter() {
    suivi_.stop();
    reponse_.stop();
    pointage_.stop();
    definitions_.stop();
    description_.stop();
    demande_ = false;
    phase_ = Phase::Inactif;
    arret_attendu_ = {};
    if (Appareil_Pret()) {
        client_.Envoyer_Interrupteurs(statut_.appareil, Arret_Mouvement, {{Arret, true}});
        arret_attendu_ = {Arret_Mouvement, {}};
        if (Propriete(Mode_Poursuite)) {
            client_.Envoyer_Interrupteurs(statut_.appareil, Mode_Poursuite, {{Poursuite_Siderale, true}});
            arret_attendu_ = {Mode_Poursuite, Poursuite_Siderale};
        }
        if (Propriete(Etat_Poursuite)) {
            client_.Envoyer_Interrupteurs(statut_.appareil, Etat_Poursuite, {{Poursuite_En_Marche, true}});
            arret_attendu_ = {Etat_Poursuite, Poursuite_En_Marche};
        }
    }
    Publier(Mode_Suivi::Arrete, Mot_Suivi_Arrete);
}

// The server hands the driver's answers in the order of the commands: the
// answer to the last one says the mount has had them all (a tracking mount
// shows its tracking switch busy).
void Suivi_Monture::Confirmer_Arret(const Vecteur_Indi& v) {
    const auto& [nom, interrupteur] = arret_attendu_;
    if (nom.isEmpty() || v.nom != nom || v.definition) return;
    if (!interrupteur.isEmpty() && !v.Allume(interrupteur)) return;
    arret_attendu_ = {};
    emit Arret_Confirme();
}

bool Suivi_Monture::Appareil_Pret() const {
    return client_.Est_Connecte() && Propriete(Place_Date) != nullptr;
}

bool Suivi_Monture::Vitesses_Possibles() const {
    // A mount with a right ascension rate only is pointed again like one
    // without: the declination would drift away between two pointings.
    const Vecteur_Indi* mode = Propriete(Mode_Poursuite);
    const Vecteur_Indi* vitesses = Propriete(Vitesses_Poursuite);
    return !vitesses_refusees_ && vitesses && vitesses->Texte(Vitesse_AD) && vitesses->Texte(Vitesse_DE) &&
           mode && mode->Texte(Poursuite_Propre);
}

void Suivi_Monture::Propriete_Changee(const Vecteur_Indi& v) {
    if (v.appareil != statut_.appareil) {
        if (v.definition && v.nom == QStringLiteral("DRIVER_INFO"))
            emit Telescopes_Changes(client_.Telescopes());
        return;
    }
    reponse_.stop();  // the mount answers
    Confirmer_Arret(v);
    if (v.definition) emit Telescopes_Changes(client_.Telescopes());
    // A driver describes its properties one by one once connected: the site
    // and the time go as soon as it has described them.
    if (v.definition && phase_ != Phase::Inactif && phase_ != Phase::Attente_Appareil) {
        if (v.nom == Site) Envoyer_Site();
        if (v.nom == Heure) Envoyer_Heure();
    }
    if (v.nom == Connexion)
        Connexion_Appareil(v);
    else if (v.nom == Place_Date)
        Place_Monture_Changee(v);
    else if (v.nom == Vitesses_Poursuite || v.nom == Mode_Poursuite)
        Reponse_Vitesses(v);
    else if (v.nom == Cote_Pilier)
        Cote_Pilier_Change(v);
}

void Suivi_Monture::Cote_Pilier_Change(const Vecteur_Indi& v) {
    QString cote;
    for (const auto& [element, etat] : v.valeurs)
        if (v.Allume(element)) cote = element;
    const bool retournee = !cote_pilier_.isEmpty() && !cote.isEmpty() && cote != cote_pilier_;
    // A new side is measured anew.
    if (cote != cote_pilier_) declinaison_inversee_ = false;
    cote_pilier_ = cote;
    // A German mount that turned over at the meridian while following is no
    // longer where its rates were meant for: it is pointed again.
    if (retournee && phase_ == Phase::Vitesses) {
        repointages_ = 0;
        Lancer_Pointage();
    }
}

// Checked once the axis has been asked to move far enough to see its
// direction; the pier side is not trusted alone, since drivers differ.
void Suivi_Monture::Controler_Declinaison(const Coordonnees_Monture& place) {
    if (phase_ != Phase::Vitesses || !depuis_envoi_.isValid()) return;
    const double duree = double(depuis_envoi_.elapsed()) / Millisecondes_Par_Seconde;
    const double voulu = declinaison_voulue_ * duree;  // arc seconds
    if (std::abs(voulu) < reglages_.Mouvement_Controle) return;
    depuis_envoi_.invalidate();
    const double observe = (place.Declinaison - declinaison_envoi_) * Secondes_Arc_Par_Degre;
    if (observe * voulu >= 0 || std::abs(observe) < std::abs(voulu) / 2) return;
    if (declinaison_inversee_) return Terminer(Mot_Declinaison_Perdue, Cause_Fin::Monture);
    declinaison_inversee_ = true;
    statut_.message =
        Mot_Declinaison_Inversee.arg(cote_pilier_.isEmpty() ? QStringLiteral("?") : cote_pilier_);
    repointages_ = 0;
    Lancer_Pointage();
}

void Suivi_Monture::Connexion_Appareil(const Vecteur_Indi& v) {
    if (v.etat == Etat_Indi::Alerte && connexion_demandee_)
        return Terminer(Mot_Connexion_Refusee.arg(statut_.appareil, v.message), Cause_Fin::Monture);
    if (!v.Allume(Connecter_Appareil) && v.etat != Etat_Indi::Occupe && !connexion_demandee_) {
        connexion_demandee_ = true;
        client_.Envoyer_Interrupteurs(statut_.appareil, Connexion, {{Connecter_Appareil, true}});
        if (demande_) Attendre_Reponse();
    }
}

void Suivi_Monture::Place_Monture_Changee(const Vecteur_Indi& v) {
    const auto alpha = v.Nombre(Ascension_Droite), delta = v.Nombre(Declinaison);
    if (alpha && delta) {
        statut_.place_monture = Coordonnees_Monture{*alpha, *delta};
        Actualiser_Statut();
        if (v.etat != Etat_Indi::Occupe) Controler_Declinaison(*statut_.place_monture);
    }
    if (phase_ == Phase::Attente_Appareil && demande_ && !definitions_.isActive())
        return definitions_.start(Delai_Definitions);
    if (phase_ != Phase::Pointage) return emit Statut_Change(statut_);
    if (v.etat == Etat_Indi::Alerte) return Terminer(Mot_Pointage_Refuse.arg(v.message), Cause_Fin::Monture);
    if (v.etat == Etat_Indi::Occupe) {
        occupe_vu_ = true;
        reponse_.start(reglages_.Delai_Reponse);  // a slewing mount keeps reporting where it is
    }
    if (v.etat == Etat_Indi::Ok && occupe_vu_) return Fin_Pointage();
    emit Statut_Change(statut_);
}

void Suivi_Monture::Reponse_Vitesses(const Vecteur_Indi& v) {
    if (phase_ != Phase::Vitesses || v.etat != Etat_Indi::Alerte) return;
    vitesses_refusees_ = true;
    statut_.message = Mot_Vitesses_Refusees.arg(v.message).arg(double(reglages_.Intervalle_Repointage) /
                                                               Millisecondes_Par_Minute);
    Commencer_Suivi();
}

void Suivi_Monture::Propriete_Supprimee(const QString& appareil, const QString& nom) {
    if (appareil != statut_.appareil || (!nom.isEmpty() && nom != Place_Date)) return;
    if (phase_ != Phase::Inactif) Terminer(Mot_Appareil_Perdu.arg(appareil), Cause_Fin::Monture);
}

void Suivi_Monture::Message(const QString& appareil, const QString& texte) {
    if (!appareil.isEmpty() && appareil != statut_.appareil) return;
    statut_.message = texte;
    emit Statut_Change(statut_);
}

const Statut_Suivi& Suivi_Monture::Actualiser_Statut() {
    QString raison;
    statut_.place_corps = Place_Corps(Jour_Julien_Maintenant(), raison);
    statut_.ecart = statut_.place_corps && statut_.place_monture
                        ? std::optional(Ecart_Angulaire(*statut_.place_monture, *statut_.place_corps))
                        : std::nullopt;
    return statut_;
}

std::optional<Coordonnees_Monture> Suivi_Monture::Place_Corps(double jj, QString& raison) const {
    const Coordonnees_Monture p = place_(jj);
    if (!Fini(p)) {
        raison = Mot_Place_Incalculable;
        return std::nullopt;
    }
    return Coordonnees_Monture{std::fmod(std::fmod(p.Ascension_Droite, 24) + 24, 24), p.Declinaison};
}

void Suivi_Monture::Commencer() {
    description_.stop();
    demande_ = false;
    repointages_ = 0;
    Envoyer_Site_Et_Heure();
    Lancer_Pointage();
}

void Suivi_Monture::Envoyer_Site_Et_Heure() {
    Envoyer_Site();
    Envoyer_Heure();
}

void Suivi_Monture::Envoyer_Site() {
    const bool site_valide =
        std::isfinite(site_.Latitude) && std::isfinite(site_.Longitude) && std::isfinite(site_.Altitude);
    if (!Propriete(Site) || !site_valide) return;
    const double longitude =
        std::fmod(std::fmod(site_.Longitude, Degres_Par_Tour) + Degres_Par_Tour, Degres_Par_Tour);
    client_.Envoyer_Nombres(statut_.appareil, Site,
                            {{QStringLiteral("LAT"), site_.Latitude},
                             {QStringLiteral("LONG"), longitude},
                             {QStringLiteral("ELEV"), site_.Altitude}});
}

void Suivi_Monture::Envoyer_Heure() {
    if (!Propriete(Heure)) return;
    const QString maintenant = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).remove(u'Z');
    client_.Envoyer_Textes(
        statut_.appareil, Heure,
        {{QStringLiteral("UTC"), maintenant}, {QStringLiteral("OFFSET"), QStringLiteral("0")}});
}

void Suivi_Monture::Lancer_Pointage() {
    const Vecteur_Indi* parc = Propriete(Parcage);
    if (parc && parc->Allume(Parquer)) return Terminer(Mot_Parquee, Cause_Fin::Refus);
    const double jj = Jour_Julien_Maintenant();
    QString raison;
    const auto place = Place_Corps(jj, raison);
    if (!place) return Terminer(raison, Cause_Fin::Refus);
    if (verification_) {
        const QString refus = verification_(jj, *place);
        if (!refus.isEmpty()) return Terminer(Mot_Cible_Refusee.arg(refus), Cause_Fin::Refus);
    }
    if (Propriete(Sur_Coordonnees))
        client_.Envoyer_Interrupteurs(statut_.appareil, Sur_Coordonnees, {{Poursuivre, true}});
    client_.Envoyer_Nombres(statut_.appareil, Place_Date,
                            {{Ascension_Droite, place->Ascension_Droite}, {Declinaison, place->Declinaison}});
    phase_ = Phase::Pointage;
    occupe_vu_ = false;
    suivi_.stop();
    pointage_.start(reglages_.Duree_Maximale_Pointage);
    Attendre_Reponse();
    Publier(Mode_Suivi::Pointage);
}

void Suivi_Monture::Fin_Pointage() {
    pointage_.stop();
    const double ecart = statut_.ecart.value_or(INFINITY);
    if (ecart > reglages_.Tolerance && repointages_ < reglages_.Repointages_Maximum) {
        ++repointages_;
        return Lancer_Pointage();
    }
    if (ecart > reglages_.Tolerance)
        statut_.message = Mot_Reste_Loin.arg(repointages_).arg(std::round(ecart));
    Commencer_Suivi();
}

void Suivi_Monture::Commencer_Suivi() {
    if (Vitesses_Possibles()) {
        // Chosen after the slew, while the mount tracks: an idle mount only records the mode.
        client_.Envoyer_Interrupteurs(statut_.appareil, Mode_Poursuite, {{Poursuite_Propre, true}});
        phase_ = Phase::Vitesses;
        statut_.vitesses.reset();
        Envoyer_Vitesses();
        if (phase_ != Phase::Vitesses) return;
        suivi_.start(reglages_.Intervalle_Vitesses);
        return Publier(Mode_Suivi::Vitesses_Propres);
    }
    if (Propriete(Mode_Poursuite))
        client_.Envoyer_Interrupteurs(statut_.appareil, Mode_Poursuite, {{Poursuite_Siderale, true}});
    phase_ = Phase::Repointage;
    statut_.vitesses.reset();
    if (!vitesses_refusees_)
        statut_.message =
            Mot_Sans_Vitesses.arg(double(reglages_.Intervalle_Repointage) / Millisecondes_Par_Minute);
    suivi_.start(reglages_.Intervalle_Repointage);
    Publier(Mode_Suivi::Repointage);
}

void Suivi_Monture::Envoyer_Vitesses() {
    const double intervalle = double(reglages_.Intervalle_Vitesses) / Millisecondes_Par_Seconde;
    Vitesses_Suivi v = Vitesses_Sur_Intervalle(place_, Jour_Julien_Maintenant(), intervalle);
    if (!Fini(v)) return Terminer(Mot_Place_Incalculable, Cause_Fin::Refus);
    declinaison_voulue_ = v.Declinaison;
    if (statut_.place_monture) {
        declinaison_envoi_ = statut_.place_monture->Declinaison;
        depuis_envoi_.start();
    }
    if (declinaison_inversee_) v.Declinaison = -v.Declinaison;
    // A rate whose sign reverses while tracking is refused (and yet shown as
    // accepted): it goes through zero first.
    if (const auto avant = Vitesses_Monture()) {
        const bool ad = Signe_Inverse(avant->Ascension_Droite, v.Ascension_Droite);
        const bool de = Signe_Inverse(avant->Declinaison, v.Declinaison);
        if (ad || de)
            client_.Envoyer_Nombres(
                statut_.appareil, Vitesses_Poursuite,
                {{Vitesse_AD, ad ? 0 : avant->Ascension_Droite}, {Vitesse_DE, de ? 0 : avant->Declinaison}});
    }
    client_.Envoyer_Nombres(statut_.appareil, Vitesses_Poursuite,
                            {{Vitesse_AD, v.Ascension_Droite}, {Vitesse_DE, v.Declinaison}});
    statut_.vitesses = envoyees_ = v;
    Attendre_Reponse();
}

// The rates the mount keeps, also from one slew to the next: the last ones
// sent, or before any, the ones it showed when described.
std::optional<Vitesses_Suivi> Suivi_Monture::Vitesses_Monture() const {
    if (envoyees_) return envoyees_;
    const Vecteur_Indi* v = Propriete(Vitesses_Poursuite);
    const auto ad = v ? v->Nombre(Vitesse_AD) : std::nullopt, de = v ? v->Nombre(Vitesse_DE) : std::nullopt;
    if (!ad || !de) return std::nullopt;
    return Vitesses_Suivi{*ad, *de};
}

void Suivi_Monture::Echeance_Suivi() {
    if (phase_ == Phase::Vitesses) {
        Envoyer_Vitesses();
        if (phase_ == Phase::Vitesses) suivi_.start(reglages_.Intervalle_Vitesses);
        emit Statut_Change(statut_);
    } else if (phase_ == Phase::Repointage) {
        repointages_ = 0;
        Lancer_Pointage();
    }
}

void Suivi_Monture::Attendre_Reponse() {
    if (!reponse_.isActive()) reponse_.start(reglages_.Delai_Reponse);
}

void Suivi_Monture::Terminer(const QString& raison, Cause_Fin cause) {
    suivi_.stop();
    reponse_.stop();
    pointage_.stop();
    definitions_.stop();
    phase_ = Phase::Inactif;
    demande_ = false;
    Publier(Mode_Suivi::Arrete, raison);
    emit Suivi_Termine(raison, cause);
}

void Suivi_Monture::Publier(Mode_Suivi mode, const QString& message) {
    statut_.mode = mode;
    if (!message.isEmpty()) statut_.message = message;
    emit Statut_Change(statut_);
}

#include "monture/suivi_monture.h"

#include <QDateTime>
#include <QTimeZone>
#include <climits>
#include <cmath>
#include <utility>

#include "astro/angles.h"
#include "astro/constantes.h"
#include "monture/proprietes_indi.h"

namespace {

constexpr double Jour_Julien_Unix = 2440587.5;  // 1970-01-01 0 h UTC
constexpr double Degres_Par_Tour = 360;
constexpr double Heures_Par_Tour = 24;
constexpr double Declinaison_Maximale = 90;  // degrees
constexpr double Millisecondes_Par_Seconde = 1000;
constexpr double Millisecondes_Par_Minute = 60000;
// ms a newly connected driver is given to describe the rest of its
// properties (the site, the time) before the first slew
constexpr int Delai_Definitions = 500;
constexpr int Longueur_Place_Montree = 40;  // characters of an impossible place quoted

const QString Mot_Pas_Connecte = QStringLiteral("Pas de connexion au serveur INDI.");
const QString Mot_Pas_Appareil = QStringLiteral("Aucune monture n'est choisie.");
const QString Mot_Appareil_Muet = QStringLiteral("La monture « %1 » ne répond pas.");
const QString Mot_Appareil_Perdu = QStringLiteral("La monture « %1 » a disparu du serveur INDI.");
const QString Mot_Connexion_Refusee = QStringLiteral("La monture « %1 » refuse la connexion : %2");
const QString Mot_Connexion_Refusee_Sans_Raison =
    QStringLiteral("La monture « %1 » refuse la connexion ; son pilote n'en dit pas la raison.");
const QString Mot_Parquee = QStringLiteral(
    "La monture est parquée : elle refuse tout mouvement. Déparquez-la, puis pointez de nouveau.");
const QString Mot_Cible_Refusee = QStringLiteral("Pointage refusé : %1.");
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
const QString Mot_Arret_Avant_Monture =
    QStringLiteral("Suivi arrêté avant que la monture soit prête : aucun mouvement ne lui a été commandé.");
const QString Mot_Laissee_Siderale = QStringLiteral("Arrêt et vitesse sidérale envoyés à la monture.");
const QString Mot_Description_Incomplete =
    QStringLiteral("La monture « %1 » ne décrit pas %2 : impossible de la pointer.");
const QString Mot_Declinaison_Inversee = QStringLiteral(
    "De ce côté du pilier (%1), la monture tourne en déclinaison à l'inverse de la vitesse envoyée : "
    "elle est repointée et reçoit la vitesse opposée.");
const QString Mot_Declinaison_Perdue =
    QStringLiteral("La monture ne suit pas la déclinaison envoyée, ni dans un sens ni dans l'autre.");
const QString Mot_Place_Impossible =
    QStringLiteral("La monture donne une place impossible (AD « %1 », D « %2 ») : elle est ignorée.");
const QString Mot_Place_Impossible_Persistante =
    QStringLiteral("La monture donne une place impossible depuis %1 s : suivi abandonné.");
const QString Mot_Retournements = QStringLiteral(
    "La monture change sans cesse de côté du pilier (%1 repointages en %2 min) : suivi abandonné.");
const QString Mot_Pilote = QStringLiteral("message du pilote : %1");
const QString Mot_Serveur = QStringLiteral("message du serveur : %1");

// A duration's number in a French sentence.
QString Nombre_Francais(double x) { return QString::number(x, 'g', 3).replace(u'.', u','); }

bool Fini(const Coordonnees_Monture& p) {
    return std::isfinite(p.Ascension_Droite) && std::isfinite(p.Declinaison);
}
bool Fini(const Vitesses_Suivi& v) {
    return std::isfinite(v.Ascension_Droite) && std::isfinite(v.Declinaison);
}

// A place of the sky: 0 to 24 h, ±90°.
bool Place_Possible(double alpha, double delta) {
    return alpha >= 0 && alpha <= Heures_Par_Tour && std::abs(delta) <= Declinaison_Maximale;
}

constexpr unsigned Bit(Minuterie m) { return 1u << unsigned(m); }
constexpr unsigned Bit(Etat_Suivi e) { return 1u << unsigned(e); }

// The state table: the timers that run in each state, and the states that may follow it.
struct Regle_Etat {
    unsigned minuteries;
    unsigned suivants;
};
using E = Etat_Suivi;
using M = Minuterie;
constexpr unsigned Finir = Bit(E::Inactif) | Bit(E::Arret);  // every state may end
constexpr Regle_Etat Regles[Nombre_Etats] = {
    // Inactif
    {Bit(M::Place), Finir | Bit(E::Attente_Appareil) | Bit(E::Pointage)},
    // Attente_Appareil
    {Bit(M::Reponse) | Bit(M::Description) | Bit(M::Place),
     Finir | Bit(E::Attente_Appareil) | Bit(E::Definitions) | Bit(E::Pointage)},
    // Definitions
    {Bit(M::Reponse) | Bit(M::Description) | Bit(M::Definitions) | Bit(M::Place), Finir | Bit(E::Pointage)},
    // Pointage
    {Bit(M::Reponse) | Bit(M::Pointage) | Bit(M::Place) | Bit(M::Place_Impossible),
     Finir | Bit(E::Pointage) | Bit(E::Vitesses) | Bit(E::Repointage)},
    // Vitesses
    {Bit(M::Reponse) | Bit(M::Vitesses) | Bit(M::Place) | Bit(M::Place_Impossible),
     Finir | Bit(E::Pointage) | Bit(E::Repointage)},
    // Repointage
    {Bit(M::Reponse) | Bit(M::Repointage) | Bit(M::Place) | Bit(M::Place_Impossible),
     Finir | Bit(E::Pointage)},
    // Arret
    {Bit(M::Place), Finir | Bit(E::Attente_Appareil) | Bit(E::Pointage)},
};

}  // namespace

bool Minuterie_Permise(Etat_Suivi etat, Minuterie m) {
    return (Regles[std::size_t(etat)].minuteries & Bit(m)) != 0;
}

bool Transition_Permise(Etat_Suivi de, Etat_Suivi vers) {
    return (Regles[std::size_t(de)].suivants & Bit(vers)) != 0;
}

double Jour_Julien_Ms(qint64 ms) { return Jour_Julien_Unix + double(ms) / Millisecondes_Par_Jour; }

double Jour_Julien_Maintenant() { return Jour_Julien_Ms(QDateTime::currentMSecsSinceEpoch()); }

Horloge_Systeme::Horloge_Systeme() {
    minuterie_.setSingleShot(true);
    minuterie_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&minuterie_, &QTimer::timeout, [this] {
        if (rappel_) rappel_();
    });
}

qint64 Horloge_Systeme::Maintenant() const { return QDateTime::currentMSecsSinceEpoch(); }

void Horloge_Systeme::Programmer(qint64 instant, std::function<void()> rappel) {
    rappel_ = std::move(rappel);
    minuterie_.start(int(std::max<qint64>(0, std::min<qint64>(instant - Maintenant(), INT_MAX))));
}

Suivi_Monture::Suivi_Monture(Place_A_L_Instant place, Verification_Cible verification,
                             const Site_Monture& site, const Reglages_Suivi& reglages)
    : place_(std::move(place)),
      verification_(std::move(verification)),
      site_(site),
      reglages_(reglages),
      liaison_propre_(std::make_unique<Client_Indi>()),
      horloge_propre_(std::make_unique<Horloge_Systeme>()),
      liaison_(*liaison_propre_),
      horloge_(*horloge_propre_) {
    Relier();
}

Suivi_Monture::Suivi_Monture(Place_A_L_Instant place, Verification_Cible verification,
                             const Site_Monture& site, const Reglages_Suivi& reglages, Liaison_Indi& liaison,
                             Horloge_Suivi& horloge)
    : place_(std::move(place)),
      verification_(std::move(verification)),
      site_(site),
      reglages_(reglages),
      liaison_(liaison),
      horloge_(horloge) {
    Relier();
}

void Suivi_Monture::Relier() {
    connect(&liaison_, &Liaison_Indi::Connecte, this, [this] {
        statut_.connecte = true;
        emit Statut_Change(statut_);
    });
    connect(&liaison_, &Liaison_Indi::Perdu, this, [this](const QString& raison) {
        statut_.connecte = false;
        Quitter(raison, Cause_Fin::Serveur);
    });
    connect(&liaison_, &Liaison_Indi::Propriete_Changee, this, &Suivi_Monture::Propriete_Changee);
    connect(&liaison_, &Liaison_Indi::Propriete_Supprimee, this, &Suivi_Monture::Propriete_Supprimee);
    connect(&liaison_, &Liaison_Indi::Message_Appareil, this, &Suivi_Monture::Message);
}

Suivi_Monture::~Suivi_Monture() {
    // Leaving never lets the mount run on at the body's rates.
    if (Suit()) Arreter();
    disconnect(&liaison_, nullptr, this, nullptr);
    liaison_.Deconnecter();
}

// ---- The state machine

void Suivi_Monture::Passer(Etat_Suivi etat) {
    Q_ASSERT(Transition_Permise(etat_, etat));
    const Etat_Suivi avant = std::exchange(etat_, etat);
    for (int k = 0; k < Nombre_Minuteries; ++k)
        if (!Minuterie_Permise(etat, Minuterie(k))) Desarmer(Minuterie(k));
    if (avant != etat) emit Etat_Change(avant, etat);
}

void Suivi_Monture::Armer(Minuterie m, int delai_ms) {
    Q_ASSERT(Minuterie_Permise(etat_, m));
    if (!Minuterie_Permise(etat_, m)) return;
    echeances_[std::size_t(m)] = horloge_.Maintenant() + delai_ms;
    Reprogrammer();
}

void Suivi_Monture::Reprogrammer() {
    std::optional<qint64> prochaine;
    for (const auto& e : echeances_)
        if (e && (!prochaine || *e < *prochaine)) prochaine = e;
    if (prochaine) horloge_.Programmer(*prochaine, [this] { Avancer(); });
}

void Suivi_Monture::Avancer() {
    // Each turn runs out one timer; what a handler arms is due later, so the
    // turns are bounded by the timers there are.
    for (int tour = 0; tour < 2 * Nombre_Minuteries; ++tour) {
        const qint64 maintenant = horloge_.Maintenant();
        std::optional<std::size_t> due;
        for (std::size_t k = 0; k < echeances_.size(); ++k)
            if (echeances_[k] && *echeances_[k] <= maintenant && (!due || *echeances_[k] < *echeances_[*due]))
                due = k;
        if (!due) break;
        echeances_[*due].reset();
        Echeance(Minuterie(*due));
    }
    Reprogrammer();
}

void Suivi_Monture::Echeance(Minuterie m) {
    switch (m) {
        case Minuterie::Reponse:
            // Where a silent mount last was is no longer where it is.
            statut_.place_monture.reset();
            statut_.ecart.reset();
            return Quitter(Mot_Appareil_Muet.arg(statut_.appareil), Cause_Fin::Monture);
        case Minuterie::Description:
            return Description_Incomplete();
        case Minuterie::Definitions:
            return Commencer();
        case Minuterie::Pointage:
            return Quitter(Mot_Pointage_Trop_Long, Cause_Fin::Monture);
        case Minuterie::Vitesses:
            Envoyer_Vitesses();
            if (etat_ == Etat_Suivi::Vitesses) Armer(Minuterie::Vitesses, reglages_.Intervalle_Vitesses);
            return emit Statut_Change(statut_);
        case Minuterie::Repointage:
            repointages_ = 0;
            return Lancer_Pointage();
        case Minuterie::Place:
            return Lire_Place();
        case Minuterie::Place_Impossible:
            return Quitter(Mot_Place_Impossible_Persistante.arg(
                               Nombre_Francais(reglages_.Duree_Place_Impossible / Millisecondes_Par_Seconde)),
                           Cause_Fin::Monture);
    }
}

bool Suivi_Monture::Suit() const { return etat_ != Etat_Suivi::Inactif && etat_ != Etat_Suivi::Arret; }

// Whatever the reason, a mount the server still offers is stopped and left
// tracking the stars; a fault is said with what was sent.
void Suivi_Monture::Quitter(const QString& raison, std::optional<Cause_Fin> cause) {
    place_recue_.reset();
    const bool arretee = Envoyer_Arret();
    Passer(arretee ? Etat_Suivi::Arret : Etat_Suivi::Inactif);
    QString message = raison;
    if (!cause && !arretee) message = Mot_Arret_Avant_Monture;
    if (cause && arretee) message += u' ' + Mot_Laissee_Siderale;
    Publier(Mode_Suivi::Arrete, message);
    if (cause) emit Suivi_Termine(message, *cause);
}

bool Suivi_Monture::Envoyer_Arret() {
    arret_attendu_ = {};
    // A parked mount does not move, and would refuse to track; a device
    // without its place may still have its stop.
    const bool mobile = Propriete(Indi::Place_Date) || Propriete(Indi::Arret_Mouvement);
    if (!liaison_.Est_Connecte() || !mobile || Parquee()) return false;
    liaison_.Envoyer_Interrupteurs(statut_.appareil, Indi::Arret_Mouvement, {{Indi::Arret, true}});
    arret_attendu_ = {Indi::Arret_Mouvement, {}};
    if (Propriete(Indi::Mode_Poursuite)) {
        liaison_.Envoyer_Interrupteurs(statut_.appareil, Indi::Mode_Poursuite,
                                       {{Indi::Poursuite_Siderale, true}});
        arret_attendu_ = {Indi::Mode_Poursuite, Indi::Poursuite_Siderale};
    }
    if (Propriete(Indi::Etat_Poursuite)) {
        liaison_.Envoyer_Interrupteurs(statut_.appareil, Indi::Etat_Poursuite,
                                       {{Indi::Poursuite_En_Marche, true}});
        arret_attendu_ = {Indi::Etat_Poursuite, Indi::Poursuite_En_Marche};
    }
    return true;
}

// ---- Commands of the owner

void Suivi_Monture::Connecter(const QString& hote, quint16 port) {
    Deconnecter();
    envoyees_.reset();
    liaison_.Connecter(hote, port, reglages_.Delai_Connexion);
}

void Suivi_Monture::Deconnecter() {
    if (Suit()) Arreter();
    liaison_.Deconnecter();
    arret_attendu_ = {};
    place_recue_.reset();
    Passer(Etat_Suivi::Inactif);
    connexion_demandee_ = false;
    statut_.connecte = false;
    Publier(Mode_Suivi::Arrete);
}

void Suivi_Monture::Choisir_Appareil(const QString& appareil) {
    if (appareil != statut_.appareil) {
        if (Suit()) Arreter();
        // The stop of another device is no longer awaited.
        if (etat_ == Etat_Suivi::Arret) Passer(Etat_Suivi::Inactif);
        place_recue_.reset();
    }
    statut_.appareil = appareil;
    connexion_demandee_ = vitesses_refusees_ = declinaison_inversee_ = false;
    envoyees_.reset();
    cote_pilier_.clear();
    if (const Vecteur_Indi* c = Propriete(Indi::Connexion)) Connexion_Appareil(*c);
}

void Suivi_Monture::Pointer_Et_Suivre() {
    if (!liaison_.Est_Connecte()) return Quitter(Mot_Pas_Connecte, Cause_Fin::Serveur);
    if (statut_.appareil.isEmpty()) return Quitter(Mot_Pas_Appareil, Cause_Fin::Monture);
    retournements_.clear();
    if (Appareil_Pret()) return Commencer();
    Passer(Etat_Suivi::Attente_Appareil);
    Attendre_Reponse();
    // A device that answers yet never describes its place would keep this wait alive.
    Armer(Minuterie::Description, reglages_.Delai_Description);
}

void Suivi_Monture::Arreter() { Quitter(Mot_Suivi_Arrete, std::nullopt); }

void Suivi_Monture::Description_Incomplete() {
    QStringList manquantes;
    for (const QString& nom : {Indi::Connexion, Indi::Place_Date})
        if (!Propriete(nom)) manquantes.append(nom);
    if (manquantes.isEmpty()) manquantes.append(Indi::Place_Date);
    Quitter(Mot_Description_Incomplete.arg(statut_.appareil, manquantes.join(QStringLiteral(", "))),
            Cause_Fin::Monture);
}

// The server hands the driver's answers in the order of the commands: the
// answer to the last one says the mount has had them all (a tracking mount
// shows its tracking switch busy).
void Suivi_Monture::Confirmer_Arret(const Vecteur_Indi& v) {
    const auto& [nom, interrupteur] = arret_attendu_;
    if (etat_ != Etat_Suivi::Arret || nom.isEmpty() || v.nom != nom || v.definition) return;
    if (!interrupteur.isEmpty() && !v.Allume(interrupteur)) return;
    arret_attendu_ = {};
    Passer(Etat_Suivi::Inactif);
    emit Arret_Confirme();
}

bool Suivi_Monture::Appareil_Pret() const {
    return liaison_.Est_Connecte() && Propriete(Indi::Place_Date) != nullptr;
}

bool Suivi_Monture::Parquee() const {
    const Vecteur_Indi* parc = Propriete(Indi::Parcage);
    return parc && parc->Allume(Indi::Parquer);
}

bool Suivi_Monture::Vitesses_Possibles() const {
    // A mount with a right ascension rate only is pointed again like one
    // without: the declination would drift away between two pointings.
    const Vecteur_Indi* mode = Propriete(Indi::Mode_Poursuite);
    const Vecteur_Indi* vitesses = Propriete(Indi::Vitesses_Poursuite);
    return !vitesses_refusees_ && vitesses && vitesses->Texte(Indi::Vitesse_AD) &&
           vitesses->Texte(Indi::Vitesse_DE) && mode && mode->Texte(Indi::Poursuite_Propre);
}

// ---- What the server says

void Suivi_Monture::Propriete_Changee(const Vecteur_Indi& v) {
    if (v.appareil != statut_.appareil) {
        if (v.definition && v.nom == Indi::Pilote) emit Telescopes_Changes(liaison_.Telescopes());
        return;
    }
    Desarmer(Minuterie::Reponse);  // the mount answers
    Confirmer_Arret(v);
    if (v.definition) emit Telescopes_Changes(liaison_.Telescopes());
    // A driver describes its properties one by one once connected: the site
    // and the time go as soon as it has described them.
    const bool en_mouvement =
        etat_ == Etat_Suivi::Pointage || etat_ == Etat_Suivi::Vitesses || etat_ == Etat_Suivi::Repointage;
    if (v.definition && en_mouvement) {
        if (v.nom == Indi::Site) Envoyer_Site();
        if (v.nom == Indi::Heure) Envoyer_Heure();
    }
    if (v.nom == Indi::Connexion)
        Connexion_Appareil(v);
    else if (v.nom == Indi::Place_Date)
        Noter_Place(v);
    else if (v.nom == Indi::Vitesses_Poursuite || v.nom == Indi::Mode_Poursuite)
        Reponse_Vitesses(v);
    else if (v.nom == Indi::Cote_Pilier)
        Cote_Pilier_Change(v);
}

// What must be known at once; the place itself is read once a burst is over.
void Suivi_Monture::Noter_Place(const Vecteur_Indi& v) {
    if (etat_ == Etat_Suivi::Pointage) {
        if (v.etat == Etat_Indi::Alerte)
            return Quitter(Mot_Pointage_Refuse.arg(v.message), Cause_Fin::Monture);
        if (v.etat == Etat_Indi::Occupe) {
            occupe_vu_ = true;
            Armer(Minuterie::Reponse,
                  reglages_.Delai_Reponse);  // a slewing mount keeps reporting where it is
        }
    }
    place_recue_ = v;
    if (!Armee(Minuterie::Place)) Armer(Minuterie::Place, reglages_.Delai_Rafale);
}

void Suivi_Monture::Lire_Place() {
    if (!place_recue_) return;
    const Vecteur_Indi v = *std::exchange(place_recue_, std::nullopt);
    const auto alpha = v.Nombre(Indi::Ascension_Droite), delta = v.Nombre(Indi::Declinaison);
    if (alpha && delta && Place_Possible(*alpha, *delta)) {
        statut_.place_monture = Coordonnees_Monture{*alpha, *delta};
        statut_.instant_place = horloge_.Maintenant();
        Desarmer(Minuterie::Place_Impossible);
        Actualiser_Statut();
        if (v.etat != Etat_Indi::Occupe) Controler_Declinaison(*statut_.place_monture);
    } else if (v.Texte(Indi::Ascension_Droite) && v.Texte(Indi::Declinaison)) {
        // Neither shown nor taken for the end of a slew; said once, so that
        // the word that ended the following stays.
        if (statut_.place_monture || Suit())
            statut_.message = Mot_Place_Impossible.arg(
                Texte_Affichable(v.Texte(Indi::Ascension_Droite)->left(Longueur_Place_Montree)),
                Texte_Affichable(v.Texte(Indi::Declinaison)->left(Longueur_Place_Montree)));
        statut_.place_monture.reset();
        statut_.ecart.reset();
        if (Minuterie_Permise(etat_, Minuterie::Place_Impossible) && !Armee(Minuterie::Place_Impossible))
            Armer(Minuterie::Place_Impossible, reglages_.Duree_Place_Impossible);
        if (etat_ != Etat_Suivi::Attente_Appareil) return emit Statut_Change(statut_);
    }
    if (etat_ == Etat_Suivi::Attente_Appareil) {
        Passer(Etat_Suivi::Definitions);
        Armer(Minuterie::Definitions, Delai_Definitions);
    }
    if (etat_ == Etat_Suivi::Pointage && v.etat == Etat_Indi::Ok && occupe_vu_) return Fin_Pointage();
    emit Statut_Change(statut_);
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
    if (retournee && etat_ == Etat_Suivi::Vitesses) Repointer_Apres_Retournement();
}

// A mount that turns over after every slew would be slewed for ever.
void Suivi_Monture::Repointer_Apres_Retournement() {
    const qint64 maintenant = horloge_.Maintenant();
    while (!retournements_.empty() && maintenant - retournements_.front() > reglages_.Fenetre_Retournements)
        retournements_.pop_front();
    if (int(retournements_.size()) >= reglages_.Retournements_Maximum)
        return Quitter(Mot_Retournements.arg(retournements_.size())
                           .arg(Nombre_Francais(reglages_.Fenetre_Retournements / Millisecondes_Par_Minute)),
                       Cause_Fin::Monture);
    retournements_.push_back(maintenant);
    repointages_ = 0;
    Lancer_Pointage();
}

// Checked once the axis has been asked to move far enough to see its
// direction; the pier side is not trusted alone, since drivers differ.
void Suivi_Monture::Controler_Declinaison(const Coordonnees_Monture& place) {
    if (etat_ != Etat_Suivi::Vitesses || !instant_envoi_) return;
    const double duree = double(horloge_.Maintenant() - *instant_envoi_) / Millisecondes_Par_Seconde;
    const double voulu = declinaison_voulue_ * duree;  // arc seconds
    if (std::abs(voulu) < reglages_.Mouvement_Controle) return;
    instant_envoi_.reset();
    const double observe = (place.Declinaison - declinaison_envoi_) * Secondes_Arc_Par_Degre;
    if (observe * voulu >= 0 || std::abs(observe) < std::abs(voulu) / 2) return;
    if (declinaison_inversee_) return Quitter(Mot_Declinaison_Perdue, Cause_Fin::Monture);
    declinaison_inversee_ = true;
    statut_.message =
        Mot_Declinaison_Inversee.arg(cote_pilier_.isEmpty() ? QStringLiteral("?") : cote_pilier_);
    repointages_ = 0;
    Lancer_Pointage();
}

void Suivi_Monture::Connexion_Appareil(const Vecteur_Indi& v) {
    if (v.etat == Etat_Indi::Alerte && connexion_demandee_)
        return Quitter(v.message.trimmed().isEmpty() ? Mot_Connexion_Refusee_Sans_Raison.arg(statut_.appareil)
                                                     : Mot_Connexion_Refusee.arg(statut_.appareil, v.message),
                       Cause_Fin::Monture);
    if (!v.Allume(Indi::Connecter) && v.etat != Etat_Indi::Occupe && !connexion_demandee_) {
        connexion_demandee_ = true;
        liaison_.Envoyer_Interrupteurs(statut_.appareil, Indi::Connexion, {{Indi::Connecter, true}});
        if (etat_ == Etat_Suivi::Attente_Appareil) Attendre_Reponse();
    }
}

void Suivi_Monture::Reponse_Vitesses(const Vecteur_Indi& v) {
    if (etat_ != Etat_Suivi::Vitesses || v.etat != Etat_Indi::Alerte) return;
    vitesses_refusees_ = true;
    statut_.message = Mot_Vitesses_Refusees.arg(
        v.message, Nombre_Francais(reglages_.Intervalle_Repointage / Millisecondes_Par_Minute));
    Commencer_Suivi();
}

void Suivi_Monture::Propriete_Supprimee(const QString& appareil, const QString& nom) {
    if (appareil != statut_.appareil || (!nom.isEmpty() && nom != Indi::Place_Date)) return;
    if (Suit()) Quitter(Mot_Appareil_Perdu.arg(appareil), Cause_Fin::Monture);
}

// The driver's words are its own, often English: said as such.
void Suivi_Monture::Message(const QString& appareil, const QString& texte) {
    if (!appareil.isEmpty() && appareil != statut_.appareil) return;
    statut_.message = (appareil.isEmpty() ? Mot_Serveur : Mot_Pilote).arg(texte);
    emit Statut_Change(statut_);
}

// ---- Pointing and following

const Statut_Suivi& Suivi_Monture::Actualiser_Statut() {
    statut_.place_corps = Place_Corps(Jour_Julien());
    statut_.ecart = statut_.place_corps && statut_.place_monture
                        ? std::optional(Ecart_Angulaire(*statut_.place_monture, *statut_.place_corps))
                        : std::nullopt;
    return statut_;
}

std::optional<Coordonnees_Monture> Suivi_Monture::Place_Corps(double jj) const {
    const Coordonnees_Monture p = place_(jj);
    if (!Fini(p)) return std::nullopt;
    return Coordonnees_Monture{
        std::fmod(std::fmod(p.Ascension_Droite, Heures_Par_Tour) + Heures_Par_Tour, Heures_Par_Tour),
        p.Declinaison};
}

void Suivi_Monture::Commencer() {
    repointages_ = 0;
    Envoyer_Site();
    Envoyer_Heure();
    Lancer_Pointage();
}

void Suivi_Monture::Envoyer_Site() {
    const bool site_valide =
        std::isfinite(site_.Latitude) && std::isfinite(site_.Longitude) && std::isfinite(site_.Altitude);
    if (!Propriete(Indi::Site) || !site_valide) return;
    const double longitude =
        std::fmod(std::fmod(site_.Longitude, Degres_Par_Tour) + Degres_Par_Tour, Degres_Par_Tour);
    liaison_.Envoyer_Nombres(
        statut_.appareil, Indi::Site,
        {{Indi::Latitude, site_.Latitude}, {Indi::Longitude, longitude}, {Indi::Altitude, site_.Altitude}});
}

void Suivi_Monture::Envoyer_Heure() {
    if (!Propriete(Indi::Heure)) return;
    const QString maintenant = QDateTime::fromMSecsSinceEpoch(horloge_.Maintenant(), QTimeZone::utc())
                                   .toString(Qt::ISODate)
                                   .remove(u'Z');
    liaison_.Envoyer_Textes(statut_.appareil, Indi::Heure,
                            {{Indi::Heure_UTC, maintenant}, {Indi::Decalage, QStringLiteral("0")}});
}

void Suivi_Monture::Lancer_Pointage() {
    if (Parquee()) return Quitter(Mot_Parquee, Cause_Fin::Refus);
    const double jj = Jour_Julien();
    const auto place = Place_Corps(jj);
    if (!place) return Quitter(Mot_Place_Incalculable, Cause_Fin::Refus);
    if (verification_) {
        const QString refus = verification_(jj, *place);
        if (!refus.isEmpty()) return Quitter(Mot_Cible_Refusee.arg(refus), Cause_Fin::Refus);
    }
    if (Propriete(Indi::Sur_Coordonnees))
        liaison_.Envoyer_Interrupteurs(statut_.appareil, Indi::Sur_Coordonnees, {{Indi::Poursuivre, true}});
    liaison_.Envoyer_Nombres(
        statut_.appareil, Indi::Place_Date,
        {{Indi::Ascension_Droite, place->Ascension_Droite}, {Indi::Declinaison, place->Declinaison}});
    Passer(Etat_Suivi::Pointage);
    occupe_vu_ = false;
    Armer(Minuterie::Pointage, reglages_.Duree_Maximale_Pointage);
    Attendre_Reponse();
    Publier(Mode_Suivi::Pointage);
}

void Suivi_Monture::Fin_Pointage() {
    Desarmer(Minuterie::Pointage);
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
        liaison_.Envoyer_Interrupteurs(statut_.appareil, Indi::Mode_Poursuite,
                                       {{Indi::Poursuite_Propre, true}});
        Passer(Etat_Suivi::Vitesses);
        statut_.vitesses.reset();
        Envoyer_Vitesses();
        if (etat_ != Etat_Suivi::Vitesses) return;
        Armer(Minuterie::Vitesses, reglages_.Intervalle_Vitesses);
        return Publier(Mode_Suivi::Vitesses_Propres);
    }
    if (Propriete(Indi::Mode_Poursuite))
        liaison_.Envoyer_Interrupteurs(statut_.appareil, Indi::Mode_Poursuite,
                                       {{Indi::Poursuite_Siderale, true}});
    Passer(Etat_Suivi::Repointage);
    statut_.vitesses.reset();
    if (!vitesses_refusees_)
        statut_.message = Mot_Sans_Vitesses.arg(
            Nombre_Francais(reglages_.Intervalle_Repointage / Millisecondes_Par_Minute));
    Armer(Minuterie::Repointage, reglages_.Intervalle_Repointage);
    Publier(Mode_Suivi::Repointage);
}

void Suivi_Monture::Envoyer_Vitesses() {
    const double intervalle = double(reglages_.Intervalle_Vitesses) / Millisecondes_Par_Seconde;
    Vitesses_Suivi v = Vitesses_Sur_Intervalle(place_, Jour_Julien(), intervalle);
    if (!Fini(v)) return Quitter(Mot_Place_Incalculable, Cause_Fin::Refus);
    declinaison_voulue_ = v.Declinaison;
    if (statut_.place_monture) {
        declinaison_envoi_ = statut_.place_monture->Declinaison;
        instant_envoi_ = horloge_.Maintenant();
    }
    if (declinaison_inversee_) v.Declinaison = -v.Declinaison;
    // A rate whose sign reverses while tracking is refused (and yet shown as
    // accepted): it goes through zero first.
    if (const auto avant = Vitesses_Monture()) {
        const bool ad = Signe_Inverse(avant->Ascension_Droite, v.Ascension_Droite);
        const bool de = Signe_Inverse(avant->Declinaison, v.Declinaison);
        if (ad || de)
            liaison_.Envoyer_Nombres(statut_.appareil, Indi::Vitesses_Poursuite,
                                     {{Indi::Vitesse_AD, ad ? 0 : avant->Ascension_Droite},
                                      {Indi::Vitesse_DE, de ? 0 : avant->Declinaison}});
    }
    liaison_.Envoyer_Nombres(statut_.appareil, Indi::Vitesses_Poursuite,
                             {{Indi::Vitesse_AD, v.Ascension_Droite}, {Indi::Vitesse_DE, v.Declinaison}});
    statut_.vitesses = envoyees_ = v;
    Attendre_Reponse();
}

// The rates the mount keeps, also from one slew to the next: the last ones
// sent, or before any, the ones it showed when described.
std::optional<Vitesses_Suivi> Suivi_Monture::Vitesses_Monture() const {
    if (envoyees_) return envoyees_;
    const Vecteur_Indi* v = Propriete(Indi::Vitesses_Poursuite);
    const auto ad = v ? v->Nombre(Indi::Vitesse_AD) : std::nullopt;
    const auto de = v ? v->Nombre(Indi::Vitesse_DE) : std::nullopt;
    if (!ad || !de) return std::nullopt;
    return Vitesses_Suivi{*ad, *de};
}

void Suivi_Monture::Attendre_Reponse() {
    if (!Armee(Minuterie::Reponse)) Armer(Minuterie::Reponse, reglages_.Delai_Reponse);
}

void Suivi_Monture::Publier(Mode_Suivi mode, const QString& message) {
    statut_.mode = mode;
    if (!message.isEmpty()) statut_.message = message;
    emit Statut_Change(statut_);
}

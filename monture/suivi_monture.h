#pragma once

// Following the body with an INDI mount: go to the body, point again while
// the mount stops too far from it, then track at the body's own rates, sent
// again at each interval; a mount without custom rates goes to the body again
// at each longer interval and tracks at the sidereal rate in between.
//
// The following is a state machine (`Etat_Suivi`): one table says which
// timers run in each state and which states may follow it, and every ending
// goes through one exit that leaves a mount still connected stopped and
// tracking the stars. The clock comes from outside (`Horloge_Suivi`), and so
// does the server (`Liaison_Indi`): the tests run the logic in simulated time
// against a mount of their own. Everything runs on the owner's thread.

#include <QObject>
#include <QTimer>
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "astro/vitesses_suivi.h"
#include "monture/client_indi.h"
#include "monture/statut_suivi.h"

// Why the following ended, for the batch program's exit status.
enum class Cause_Fin {
    Serveur,  // unreachable, or the connection was lost
    Monture,  // the mount refused a command, stopped answering or vanished
    Refus,    // the target was refused before anything was sent: parked, low, daylight, no place
};

struct Site_Monture {
    double Latitude = 0;   // degrees, north positive
    double Longitude = 0;  // degrees, east positive
    double Altitude = 0;   // metres
};

// Empty when the body may be pointed at this instant, else why not (below
// the site's lowest usable altitude, in daylight…).
using Verification_Cible = std::function<QString(double jj, const Coordonnees_Monture& place)>;

struct Reglages_Suivi {
    int Delai_Connexion = 5000;          // ms: an unreachable or silent server is reported by then
    int Intervalle_Vitesses = 60000;     // ms between two rate updates
    int Intervalle_Repointage = 120000;  // ms between two pointings without custom rates
    int Delai_Reponse = 15000;           // ms: a mount silent this long after a command has stopped answering
    int Duree_Maximale_Pointage = 300000;  // ms for a slew to end
    double Tolerance = 20;                 // arc seconds between the mount and the body
    int Repointages_Maximum = 3;           // pointings again after a slew
    int Delai_Description = 20000;         // ms for the chosen device to connect and describe its place
    // Arc seconds the declination axis must have been asked to move before
    // its direction is checked against the rate sent.
    double Mouvement_Controle = 5;
    int Delai_Rafale = 100;              // ms: the mount's places within it are taken as one, the last
    int Duree_Place_Impossible = 10000;  // ms of impossible places from the mount before giving up
    int Retournements_Maximum = 3;       // pointings again after the pier side turned over…
    int Fenetre_Retournements = 600000;  // ms: …within this span
};

// The Julian day in UTC of an instant in ms since 1970-01-01 0 h UTC.
double Jour_Julien_Ms(qint64 ms);
// The Julian day in UTC of the system clock, which is the simulators' clock too.
double Jour_Julien_Maintenant();

// The time of the following, and a call at a later time.
class Horloge_Suivi {
public:
    virtual ~Horloge_Suivi() = default;
    virtual qint64 Maintenant() const = 0;  // ms since 1970-01-01 0 h UTC
    // `rappel` at `instant` or soon after; it may replace a call asked before.
    virtual void Programmer(qint64 instant, std::function<void()> rappel) = 0;
};

// The system clock, and one timer of the event loop.
class Horloge_Systeme : public Horloge_Suivi {
public:
    Horloge_Systeme();
    qint64 Maintenant() const override;
    void Programmer(qint64 instant, std::function<void()> rappel) override;

private:
    QTimer minuterie_;
    std::function<void()> rappel_;
};

enum class Etat_Suivi {
    Inactif,           // nothing asked of the mount
    Attente_Appareil,  // following asked; the device connects and describes itself
    Definitions,       // its place is described; the rest of its properties come
    Pointage,          // slewing to the body
    Vitesses,          // tracking at the body's rates
    Repointage,        // tracking the stars until the next slew
    Arret,             // abort and sidereal tracking sent; their answer awaited
};

enum class Minuterie {
    Reponse,           // the mount answers a command
    Description,       // the device describes its place
    Definitions,       // the device's other properties come
    Pointage,          // a slew ends
    Vitesses,          // the next rates
    Repointage,        // the next slew
    Place,             // the mount's last place is read, a burst taken as one
    Place_Impossible,  // the mount gives impossible places for too long
};
inline constexpr int Nombre_Minuteries = 8;
inline constexpr int Nombre_Etats = 7;

// The timers that may run in a state, and whether one state may follow another.
bool Minuterie_Permise(Etat_Suivi etat, Minuterie m);
bool Transition_Permise(Etat_Suivi de, Etat_Suivi vers);

class Suivi_Monture : public QObject {
    Q_OBJECT
public:
    // `place` gives the body's apparent topocentric place of date at an
    // instant; `verification` may be empty. A client of the network and the
    // system clock, or `liaison` and `horloge`, which must outlive it.
    Suivi_Monture(Place_A_L_Instant place, Verification_Cible verification, const Site_Monture& site,
                  const Reglages_Suivi& reglages = {});
    Suivi_Monture(Place_A_L_Instant place, Verification_Cible verification, const Site_Monture& site,
                  const Reglages_Suivi& reglages, Liaison_Indi& liaison, Horloge_Suivi& horloge);
    ~Suivi_Monture() override;

    void Connecter(const QString& hote, quint16 port);
    // The site sent to the mount at the next pointing (a window's site may change while connected).
    void Changer_Site(const Site_Monture& site) { site_ = site; }
    QStringList Telescopes() const { return liaison_.Telescopes(); }
    // The device to follow with; the server is asked to connect it.
    void Choisir_Appareil(const QString& appareil);
    // Points and follows as soon as the device is ready.
    void Pointer_Et_Suivre();
    // Aborts the slew and leaves the mount tracking at the sidereal rate.
    // `Arret_Confirme` follows once the mount has answered the last command.
    void Arreter();
    bool Arret_En_Attente() const { return etat_ == Etat_Suivi::Arret; }
    void Deconnecter();

    Etat_Suivi Etat() const { return etat_; }
    const Statut_Suivi& Statut() const { return statut_; }
    // The body's place and the offset recomputed for now: a mount tracking at
    // the sidereal rate reports nothing while the body moves on.
    const Statut_Suivi& Actualiser_Statut();
    const Liaison_Indi& Client() const { return liaison_; }
    Liaison_Indi& Client() { return liaison_; }

signals:
    void Statut_Change(const Statut_Suivi& statut);
    void Telescopes_Changes(const QStringList& telescopes);
    void Suivi_Termine(const QString& raison, Cause_Fin cause);  // ended by a fault or a refusal
    void Arret_Confirme();
    void Etat_Change(Etat_Suivi de, Etat_Suivi vers);

private:
    void Relier();  // the server's signals

    // The state machine
    void Passer(Etat_Suivi etat);
    void Armer(Minuterie m, int delai_ms);
    void Desarmer(Minuterie m) { echeances_[std::size_t(m)].reset(); }
    bool Armee(Minuterie m) const { return echeances_[std::size_t(m)].has_value(); }
    void Avancer();  // runs the timers that are due
    void Echeance(Minuterie m);
    void Reprogrammer();
    // The one way out: a mount still there is stopped and tracks the stars.
    void Quitter(const QString& raison, std::optional<Cause_Fin> cause);
    bool Envoyer_Arret();

    void Propriete_Changee(const Vecteur_Indi& v);
    void Noter_Place(const Vecteur_Indi& v);
    void Lire_Place();
    void Reponse_Vitesses(const Vecteur_Indi& v);
    void Connexion_Appareil(const Vecteur_Indi& v);
    void Propriete_Supprimee(const QString& appareil, const QString& nom);
    void Message(const QString& appareil, const QString& texte);
    void Confirmer_Arret(const Vecteur_Indi& v);
    void Cote_Pilier_Change(const Vecteur_Indi& v);
    void Controler_Declinaison(const Coordonnees_Monture& place);
    void Repointer_Apres_Retournement();
    void Description_Incomplete();
    void Commencer();
    void Envoyer_Site();
    void Envoyer_Heure();
    void Lancer_Pointage();
    void Fin_Pointage();
    void Commencer_Suivi();
    void Envoyer_Vitesses();
    void Attendre_Reponse();
    void Publier(Mode_Suivi mode, const QString& message = {});
    bool Appareil_Pret() const;
    bool Parquee() const;
    bool Vitesses_Possibles() const;
    bool Suit() const;
    const Vecteur_Indi* Propriete(const QString& nom) const {
        return liaison_.Propriete(statut_.appareil, nom);
    }
    double Jour_Julien() const { return Jour_Julien_Ms(horloge_.Maintenant()); }
    std::optional<Coordonnees_Monture> Place_Corps(double jj) const;
    std::optional<Vitesses_Suivi> Vitesses_Monture() const;

    Place_A_L_Instant place_;
    Verification_Cible verification_;
    Site_Monture site_;
    Reglages_Suivi reglages_;
    std::unique_ptr<Liaison_Indi> liaison_propre_;
    std::unique_ptr<Horloge_Suivi> horloge_propre_;
    Liaison_Indi& liaison_;
    Horloge_Suivi& horloge_;
    Statut_Suivi statut_;
    Etat_Suivi etat_ = Etat_Suivi::Inactif;
    std::array<std::optional<qint64>, Nombre_Minuteries> echeances_;  // ms, when each timer runs out
    bool connexion_demandee_ = false;
    bool occupe_vu_ = false;  // the slew has started
    bool vitesses_refusees_ = false;
    int repointages_ = 0;
    std::optional<Vecteur_Indi> place_recue_;  // the mount's last place, not yet read
    std::deque<qint64> retournements_;         // ms, the pointings again after a turn over the pier
    // The property, and the switch in it, whose answer confirms the stop.
    QPair<QString, QString> arret_attendu_;
    // Some drivers turn the declination axis against the rate sent on one
    // side of the pier: the rate is then sent negated on that side.
    QString cote_pilier_;
    bool declinaison_inversee_ = false;
    double declinaison_voulue_ = 0;           // ″/s, the body's rate when last sent
    double declinaison_envoi_ = 0;            // degrees, where the mount was then
    std::optional<qint64> instant_envoi_;     // ms, when it was sent
    std::optional<Vitesses_Suivi> envoyees_;  // the last rates sent to this device
};

#pragma once

// Following the body with an INDI mount: go to the body, point again while
// the mount stops too far from it, then track at the body's own rates, sent
// again at each interval; a mount without custom rates goes to the body again
// at each longer interval and tracks at the sidereal rate in between.
//
// Everything runs on the owner's thread and event loop: a window keeps
// responding, and a batch loop reads `Statut` after each change.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
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
    int Delai_Connexion = 5000;          // ms: an unreachable server is reported by then
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
};

// The Julian day in UTC of the system clock, which is the simulators' clock too.
double Jour_Julien_Maintenant();

class Suivi_Monture : public QObject {
    Q_OBJECT
public:
    // `place` gives the body's apparent topocentric place of date at an
    // instant; `verification` may be empty.
    Suivi_Monture(Place_A_L_Instant place, Verification_Cible verification, const Site_Monture& site,
                  const Reglages_Suivi& reglages = {}, QObject* parent = nullptr);
    ~Suivi_Monture() override;

    void Connecter(const QString& hote, quint16 port);
    // The site sent to the mount at the next pointing (a window's site may change while connected).
    void Changer_Site(const Site_Monture& site) { site_ = site; }
    QStringList Telescopes() const { return client_.Telescopes(); }
    // The device to follow with; the server is asked to connect it.
    void Choisir_Appareil(const QString& appareil);
    // Points and follows as soon as the device is ready.
    void Pointer_Et_Suivre();
    // Aborts the slew and leaves the mount tracking at the sidereal rate.
    // `Arret_Confirme` follows once the mount has answered the last command.
    void Arreter();
    bool Arret_En_Attente() const { return !arret_attendu_.first.isEmpty(); }
    void Deconnecter();

    const Statut_Suivi& Statut() const { return statut_; }
    // The body's place and the offset recomputed for now: a mount tracking at
    // the sidereal rate reports nothing while the body moves on.
    const Statut_Suivi& Actualiser_Statut();
    const Client_Indi& Client() const { return client_; }

signals:
    void Statut_Change(const Statut_Suivi& statut);
    void Telescopes_Changes(const QStringList& telescopes);
    void Suivi_Termine(const QString& raison, Cause_Fin cause);  // ended by a fault or a refusal
    void Arret_Confirme();

private:
    enum class Phase { Inactif, Attente_Appareil, Pointage, Vitesses, Repointage };

    void Propriete_Changee(const Vecteur_Indi& v);
    void Place_Monture_Changee(const Vecteur_Indi& v);
    void Reponse_Vitesses(const Vecteur_Indi& v);
    void Connexion_Appareil(const Vecteur_Indi& v);
    void Propriete_Supprimee(const QString& appareil, const QString& nom);
    void Message(const QString& appareil, const QString& texte);
    void Confirmer_Arret(const Vecteur_Indi& v);
    void Cote_Pilier_Change(const Vecteur_Indi& v);
    void Controler_Declinaison(const Coordonnees_Monture& place);
    void Description_Incomplete();
    void Commencer();
    void Envoyer_Site_Et_Heure();
    void Envoyer_Site();
    void Envoyer_Heure();
    void Lancer_Pointage();
    void Fin_Pointage();
    void Commencer_Suivi();
    void Envoyer_Vitesses();
    void Echeance_Suivi();
    void Attendre_Reponse();
    void Terminer(const QString& raison, Cause_Fin cause);
    void Publier(Mode_Suivi mode, const QString& message = {});
    bool Appareil_Pret() const;
    bool Vitesses_Possibles() const;
    const Vecteur_Indi* Propriete(const QString& nom) const {
        return client_.Propriete(statut_.appareil, nom);
    }
    std::optional<Coordonnees_Monture> Place_Corps(double jj, QString& raison) const;
    std::optional<Vitesses_Suivi> Vitesses_Monture() const;

    Place_A_L_Instant place_;
    Verification_Cible verification_;
    Site_Monture site_;
    Reglages_Suivi reglages_;
    Client_Indi client_;
    Statut_Suivi statut_;
    Phase phase_ = Phase::Inactif;
    bool demande_ = false;  // point as soon as the device is ready
    bool connexion_demandee_ = false;
    bool occupe_vu_ = false;  // the slew has started
    bool vitesses_refusees_ = false;
    int repointages_ = 0;
    // The property, and the switch in it, whose answer confirms the stop.
    QPair<QString, QString> arret_attendu_;
    // Some drivers turn the declination axis against the rate sent on one
    // side of the pier: the rate is then sent negated on that side.
    QString cote_pilier_;
    bool declinaison_inversee_ = false;
    double declinaison_voulue_ = 0;  // ″/s, the body's rate when last sent
    double declinaison_envoi_ = 0;   // degrees, where the mount was then
    QElapsedTimer depuis_envoi_;
    std::optional<Vitesses_Suivi> envoyees_;  // the last rates sent to this device
    QTimer suivi_, reponse_, pointage_, definitions_, description_;
};

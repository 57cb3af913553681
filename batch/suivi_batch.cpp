#include "batch/suivi_batch.h"

#include <QDateTime>
#include <QEventLoop>
#include <QTimer>

#include "batch/signaux_arret.h"
#include "monture/cible_monture.h"
#include "monture/journal_indi.h"
#include "monture/suivi_monture.h"

namespace {

constexpr int Millisecondes_Par_Minute = 60000;
// For the tests alone: the length of a minute of following, in ms, so that
// a run of a few "minutes" lasts seconds.
const char Variable_Minute_Essai[] = "TRAJECTEL_MINUTE_ESSAI_MS";
constexpr int Minute_Essai_Minimale = 100;  // ms
constexpr int Delai_Appareil = 5000;        // ms after connecting for the server to name its devices
constexpr int Delai_Arret = 5000;           // ms for the mount to confirm the stop

const QString Programme = QStringLiteral("trajectel-ephemeride : ");
const QString Mot_Appareil_Absent = QStringLiteral("le serveur n'offre pas la monture « %1 » ; %2");
const QString Mot_Telescopes = QStringLiteral("télescopes offerts : %1");
const QString Mot_Aucun_Telescope = QStringLiteral("il n'offre aucun télescope");
const QString Mot_Arret_Non_Confirme =
    QStringLiteral("la monture ne confirme pas l'arrêt : fin sans savoir si elle suit à la vitesse sidérale");
const QString Mot_Arret_Interrompu =
    QStringLiteral("second signal : fin sans attendre l'arrêt de la monture");
const QString Mot_Jour_Permis = QStringLiteral(" (--jour le permet)");
const QString Mot_Duree_Ecoulee = QStringLiteral("durée écoulée");
const QString Mot_Journal_Impossible = QStringLiteral("le journal INDI « %1 » ne peut pas être écrit : %2");

int Minute_Millisecondes() {
    bool ok = false;
    const int essai = qEnvironmentVariableIntValue(Variable_Minute_Essai, &ok);
    return ok && essai >= Minute_Essai_Minimale && essai <= Millisecondes_Par_Minute
               ? essai
               : Millisecondes_Par_Minute;
}

int Statut_Cause(Cause_Fin cause) {
    switch (cause) {
        case Cause_Fin::Serveur:
            return Serveur_Injoignable;
        case Cause_Fin::Refus:
            return Cible_Refusee;
        case Cause_Fin::Monture:
            break;
    }
    return Monture_Defaillante;
}

// The body too low, or in daylight unless the observer allowed it.
Verification_Cible Verification(const Site_Observation& site, bool jour_permis) {
    return [site, jour_permis](double jj, const Coordonnees_Monture& place) {
        QString refus = Refus_Hauteur(site.lieu, site.Hauteur_Minimale, jj, place);
        if (refus.isEmpty() && !jour_permis) {
            refus = Refus_Jour(site.lieu, jj);
            if (!refus.isEmpty()) refus += Mot_Jour_Permis;
        }
        return refus;
    };
}

Reglages_Suivi Reglages(int minute) {
    Reglages_Suivi r;
    r.Intervalle_Vitesses = minute;
    r.Intervalle_Repointage = 2 * minute;
    return r;
}

class Suivi_Batch {
public:
    Suivi_Batch(const Elements& el, std::shared_ptr<Mouvement_Perturbe> mouvement,
                const Site_Observation& site, const Options_Monture& options, QTextStream& sortie,
                QTextStream& erreurs);
    int Executer();

private:
    void Telescopes(const QStringList& telescopes);
    void Appareil_Absent();
    void Statut(const Statut_Suivi& statut);
    void Ligne();
    void Signal();
    void Arreter(const QString& raison);
    void Finir(int statut, const QString& raison = {});
    void Dire(const QString& texte);
    bool Ouvrir_Journal();

    const Options_Monture& options_;
    QTextStream& sortie_;
    QTextStream& erreurs_;
    const int minute_ = Minute_Millisecondes();
    Suivi_Monture suivi_;
    QEventLoop boucle_;
    QTimer lignes_, appareil_, arret_;
    bool appareil_choisi_ = false;
    bool arret_en_cours_ = false;
    bool fini_ = false;
    int minutes_ = 0;  // lines written after the first
    Mode_Suivi mode_dit_ = Mode_Suivi::Arrete;
    QString message_dit_;
    std::unique_ptr<Journal_Indi> journal_;
};

Suivi_Batch::Suivi_Batch(const Elements& el, std::shared_ptr<Mouvement_Perturbe> mouvement,
                         const Site_Observation& site, const Options_Monture& options, QTextStream& sortie,
                         QTextStream& erreurs)
    : options_(options),
      sortie_(sortie),
      erreurs_(erreurs),
      suivi_(Place_Pour_Monture(el, site.lieu, Jour_Julien_Maintenant(), std::move(mouvement)),
             Verification(site, options.jour),
             Site_Monture{site.lieu.Latitude, site.lieu.Longitude, site.lieu.Altitude}, Reglages(minute_)) {
    appareil_.setSingleShot(true);
    arret_.setSingleShot(true);
    lignes_.setInterval(minute_);
    QObject::connect(&lignes_, &QTimer::timeout, &boucle_, [this] { Ligne(); });
    QObject::connect(&appareil_, &QTimer::timeout, &boucle_, [this] { Appareil_Absent(); });
    QObject::connect(&arret_, &QTimer::timeout, &boucle_,
                     [this] { Finir(Monture_Defaillante, Mot_Arret_Non_Confirme); });
    QObject::connect(&suivi_.Client(), &Liaison_Indi::Connecte, &boucle_,
                     [this] { appareil_.start(Delai_Appareil); });
    QObject::connect(&suivi_, &Suivi_Monture::Telescopes_Changes, &boucle_,
                     [this](const QStringList& t) { Telescopes(t); });
    QObject::connect(&suivi_, &Suivi_Monture::Statut_Change, &boucle_,
                     [this](const Statut_Suivi& s) { Statut(s); });
    QObject::connect(&suivi_, &Suivi_Monture::Suivi_Termine, &boucle_,
                     [this](const QString& raison, Cause_Fin cause) { Finir(Statut_Cause(cause), raison); });
    QObject::connect(&suivi_, &Suivi_Monture::Arret_Confirme, &boucle_, [this] { Finir(Succes); });
}

int Suivi_Batch::Executer() {
    if (!Ouvrir_Journal()) return Fichier_Illisible;
    const Signaux_Arret signaux([this] { Signal(); });
    // From the loop, so that even an immediate failure finds it running.
    QTimer::singleShot(0, &boucle_, [this] { suivi_.Connecter(options_.hote, options_.port); });
    return boucle_.exec();
}

bool Suivi_Batch::Ouvrir_Journal() {
    if (options_.journal.isEmpty()) return true;
    journal_ = std::make_unique<Journal_Indi>(options_.journal);
    if (!journal_->Erreur().isEmpty()) {
        Dire(Mot_Journal_Impossible.arg(options_.journal, journal_->Erreur()));
        return false;
    }
    suivi_.Client().Journaliser([this](bool envoye, const QByteArray& xml) {
        journal_->Ecrire(envoye, xml, QDateTime::currentDateTimeUtc());
    });
    return true;
}

void Suivi_Batch::Telescopes(const QStringList& telescopes) {
    if (appareil_choisi_ || arret_en_cours_ || !telescopes.contains(options_.appareil)) return;
    appareil_choisi_ = true;
    appareil_.stop();
    suivi_.Choisir_Appareil(options_.appareil);
    suivi_.Pointer_Et_Suivre();
}

void Suivi_Batch::Appareil_Absent() {
    const QStringList telescopes = suivi_.Telescopes();
    const QString offerts = telescopes.isEmpty() ? Mot_Aucun_Telescope
                                                 : Mot_Telescopes.arg(telescopes.join(QStringLiteral(", ")));
    Finir(Monture_Defaillante, Mot_Appareil_Absent.arg(options_.appareil, Texte_Affichable(offerts)));
}

// Each change of mode or message once; the first line as soon as the
// mount follows.
void Suivi_Batch::Statut(const Statut_Suivi& statut) {
    if (fini_) return;
    if (statut.mode != mode_dit_ || statut.message != message_dit_) {
        mode_dit_ = statut.mode;
        message_dit_ = statut.message;
        Dire(Texte_Mode(statut.mode) +
             (statut.message.isEmpty() ? QString() : QStringLiteral(" — ") + statut.message));
    }
    const bool suit = statut.mode == Mode_Suivi::Vitesses_Propres || statut.mode == Mode_Suivi::Repointage;
    if (suit && !lignes_.isActive() && !arret_en_cours_) {
        Ligne();
        lignes_.start();
    }
}

void Suivi_Batch::Ligne() {
    if (lignes_.isActive()) ++minutes_;
    sortie_ << Ligne_Suivi(suivi_.Actualiser_Statut(), QDateTime::currentDateTimeUtc()) << u'\n';
    sortie_.flush();
    if (options_.duree > 0 && minutes_ >= options_.duree) Arreter(Mot_Duree_Ecoulee);
}

// The first signal stops the following; a second one ends the program at once.
void Suivi_Batch::Signal() {
    if (arret_en_cours_) return Finir(Monture_Defaillante, Mot_Arret_Interrompu);
    Arreter({});
}

void Suivi_Batch::Arreter(const QString& raison) {
    if (!raison.isEmpty()) Dire(raison);
    arret_en_cours_ = true;
    lignes_.stop();
    appareil_.stop();
    suivi_.Arreter();
    if (!suivi_.Arret_En_Attente()) return Finir(Succes);
    arret_.start(Delai_Arret);
}

void Suivi_Batch::Finir(int statut, const QString& raison) {
    if (fini_) return;
    if (!raison.isEmpty() && raison != message_dit_) Dire(raison);
    fini_ = true;
    lignes_.stop();
    appareil_.stop();
    arret_.stop();
    arret_en_cours_ = true;
    suivi_.Deconnecter();
    boucle_.exit(statut);
}

void Suivi_Batch::Dire(const QString& texte) {
    erreurs_ << Programme << texte << u'\n';
    erreurs_.flush();
}

}  // namespace

int Suivre_Avec_Monture(const Elements& el, std::shared_ptr<Mouvement_Perturbe> mouvement,
                        const Site_Observation& site, const Options_Monture& options, QTextStream& sortie,
                        QTextStream& erreurs) {
    Suivi_Batch suivi(el, std::move(mouvement), site, options, sortie, erreurs);
    return suivi.Executer();
}

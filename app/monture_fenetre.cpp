#include "app/monture_fenetre.h"

#include <QCheckBox>
#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QStatusBar>

#include "app/aide.h"
#include "app/boite_qt.h"
#include "app/dialogue_monture.h"
#include "document/programme.h"
#include "monture/cible_monture.h"

namespace {

constexpr int Intervalle_Actualisation = 1000;  // ms: the offset from the body, live while following
constexpr int Lignes_Statut = 3;
constexpr int Delai_Arret = 2000;  // ms for the mount to answer the stop when the program closes
const QString Titre_Monture = QStringLiteral("Trajectel - Monture");
const QString Nom_Etiquette = QStringLiteral("Statut_Monture");
const QString Mot_Reglages_Par_Defaut = QStringLiteral("Réglages par défaut : %1.");
const QString Mot_Sans_Lieu = QStringLiteral(
    "Pour pointer la monture, il faut un lieu d'observation : choisissez-le dans Edition, "
    "Lieu d'observation…");
const QString Mot_Corps_Incalculable = QStringLiteral(
    "La place de l'astre n'est pas calculable : complétez les éléments, l'équinoxe et la date de début.");
const QString Mot_Pointage_Refuse = QStringLiteral("Pointage refusé : %1.");
const QString Question_Jour = QStringLiteral("%1.\rPointer quand même la monture sur l'astre ?");
const QString Mot_Enregistrement = QStringLiteral("Le choix de la monture n'a pas pu être enregistré.\n%1");
const QString Mot_Journal =
    QStringLiteral("Le journal des échanges INDI ne peut pas être écrit dans %1 : %2");
const QString Nom_Journal = QStringLiteral("/journal-indi.log");

Site_Monture Vers_Site_Monture(const Lieu_Observation& lieu) {
    return {lieu.Latitude, lieu.Longitude, lieu.Altitude};
}

}  // namespace

Monture_Fenetre::Monture_Fenetre(Programme& programme, Boite_Qt& boite, const QString& dossier,
                                 QStatusBar& barre, QObject* parent)
    : QObject(parent),
      programme_(programme),
      boite_(boite),
      dossier_(dossier),
      etiquette_(new QLabel(&barre)),
      suivi_(
          [this](double jj) {
              return place_ ? place_(jj) : Coordonnees_Monture{std::nan(""), std::nan("")};
          },
          [this](double jj, const Coordonnees_Monture& place) {
              return site_ ? Refus_Hauteur(site_->lieu, site_->Hauteur_Minimale, jj, place) : QString();
          },
          Site_Monture{}) {
    etiquette_->setObjectName(Nom_Etiquette);
    // A long state must not widen the window: it is cut, and whole in its tip.
    etiquette_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // A line each for the mode and offset, the mount's place and the last word.
    etiquette_->setMinimumHeight(Lignes_Statut * etiquette_->fontMetrics().lineSpacing());
    etiquette_->hide();
    barre.addPermanentWidget(etiquette_, 1);
    actualisation_.setInterval(Intervalle_Actualisation);
    connect(&actualisation_, &QTimer::timeout, this, [this] { Montrer_Statut(suivi_.Actualiser_Statut()); });
    connect(&suivi_, &Suivi_Monture::Statut_Change, this,
            [this](const Statut_Suivi& s) { Montrer_Statut(s); });
    connect(&suivi_, &Suivi_Monture::Suivi_Termine, this,
            [this](const QString& raison) { Fin_Suivi(raison); });
}

Monture_Fenetre::~Monture_Fenetre() { QObject::disconnect(&suivi_, nullptr, this, nullptr); }

void Monture_Fenetre::Ouvrir_Connexion() {
    if (dialogue_) return dialogue_->raise();
    QString raison;  // why a damaged Monture.ini gave the defaults
    if (!reglages_) {
        const Lecture_Monture lecture = Charger_Monture(dossier_);
        reglages_ = lecture.reglages;
        if (QFile::exists(dossier_ + Nom_Fichier_Monture)) raison = lecture.raison;
    }
    dialogue_ = new Dialogue_Monture(*reglages_, suivi_, journal_ != nullptr, Fichier_Journal(),
                                     boite_.Widget(Controle::Principale));
    if (!raison.isEmpty()) dialogue_->Montrer_Erreur(Mot_Reglages_Par_Defaut.arg(raison));
    connect(dialogue_, &QDialog::finished, this, [this](int resultat) { Fin_Dialogue(resultat); });
    if (boite_.Aide_Dialogue) aide_dialogue_ = boite_.Aide_Dialogue(*dialogue_, Aide_Connexion_Monture);
    etiquette_->show();
    dialogue_->open();
}

// OK keeps the choice in Monture.ini at once and asks the server for the device.
void Monture_Fenetre::Fin_Dialogue(int resultat) {
    Dialogue_Monture* dialogue = dialogue_;
    dialogue_ = nullptr;
    aide_dialogue_.reset();  // the help window goes back to the main window first
    dialogue->deleteLater();
    Journaliser(dialogue->Journal->isChecked());
    // "Connecter" ended the following; a cancelled dialog leaves no device
    // of the server before it chosen on this one.
    if (dialogue->Connexion_Faite()) {
        demande_ = false;
        if (resultat != QDialog::Accepted) suivi_.Choisir_Appareil({});
    }
    if (resultat == QDialog::Accepted) {
        reglages_ = dialogue->Choix();
        const QString erreur = Enregistrer_Monture(dossier_, *reglages_);
        if (!erreur.isEmpty()) boite_.Avertissement(Titre_Monture, Mot_Enregistrement.arg(erreur));
        suivi_.Choisir_Appareil(reglages_->Appareil);
    }
    Montrer_Statut(suivi_.Statut());  // the device chosen shows at once
}

// The body of the fields as they stand now, from the site as it is now.
void Monture_Fenetre::Pointer_Et_Suivre() {
    if (!programme_.site) return boite_.Avertissement(Titre_Monture, Mot_Sans_Lieu);
    Calcul_Page calcul = programme_.Calcul();
    if (!Preparer_Page(calcul)) return boite_.Avertissement(Titre_Monture, Mot_Corps_Incalculable);
    const Site_Observation site = *programme_.site;
    const double jj = Jour_Julien_Maintenant();
    Place_A_L_Instant place = Place_Pour_Monture(calcul.el, site.lieu, jj, Mouvement_Monture(calcul));
    const QString refus = Refus_Hauteur(site.lieu, site.Hauteur_Minimale, jj, place(jj));
    if (!refus.isEmpty()) return boite_.Avertissement(Titre_Monture, Mot_Pointage_Refuse.arg(refus));
    QString jour = Refus_Jour(site.lieu, jj);
    if (!jour.isEmpty()) {
        jour[0] = jour[0].toUpper();
        if (boite_.Demander(Question_Jour.arg(jour), Reponse::Non, Titre_Monture) != Reponse::Oui) return;
    }
    place_ = std::move(place);
    site_ = site;
    suivi_.Changer_Site(Vers_Site_Monture(site.lieu));
    demande_ = true;
    etiquette_->show();
    suivi_.Pointer_Et_Suivre();
    Actualiser_Commandes();
}

void Monture_Fenetre::Arreter() {
    demande_ = false;
    suivi_.Arreter();
    Actualiser_Commandes();
}

void Monture_Fenetre::Deconnecter() {
    demande_ = false;
    suivi_.Deconnecter();
    Actualiser_Commandes();
}

void Monture_Fenetre::Quitter() {
    fermeture_ = true;
    if (dialogue_) dialogue_->reject();
    if (Suit()) {
        suivi_.Arreter();
        Attendre_Arret();
    }
    demande_ = false;
    suivi_.Deconnecter();
}

// The stop reaches the mount before the connection closes, or the server
// is given up after a short while: closing never hangs on it.
void Monture_Fenetre::Attendre_Arret() {
    if (!suivi_.Arret_En_Attente()) return;
    QEventLoop boucle;
    QTimer::singleShot(Delai_Arret, &boucle, &QEventLoop::quit);
    connect(&suivi_, &Suivi_Monture::Arret_Confirme, &boucle, &QEventLoop::quit);
    connect(&suivi_, &Suivi_Monture::Suivi_Termine, &boucle, &QEventLoop::quit);
    boucle.exec(QEventLoop::ExcludeUserInputEvents);
}

QString Monture_Fenetre::Fichier_Journal() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + Nom_Journal;
}

void Monture_Fenetre::Journaliser(bool actif) {
    if (actif == (journal_ != nullptr)) return;
    suivi_.Client().Journaliser({});
    journal_.reset();
    if (!actif) return;
    auto journal = std::make_unique<Journal_Indi>(Fichier_Journal());
    if (!journal->Erreur().isEmpty())
        return boite_.Avertissement(Titre_Monture, Mot_Journal.arg(Fichier_Journal(), journal->Erreur()));
    journal_ = std::move(journal);
    suivi_.Client().Journaliser([this](bool envoye, const QByteArray& xml) {
        journal_->Ecrire(envoye, xml, QDateTime::currentDateTimeUtc());
    });
}

bool Monture_Fenetre::Suit() const { return demande_ || suivi_.Statut().mode != Mode_Suivi::Arrete; }

void Monture_Fenetre::Actualiser_Commandes() {
    const Statut_Suivi& s = suivi_.Statut();
    const bool pret = s.connecte && !s.appareil.isEmpty();
    boite_.Activer(Controle::MonturePointer, pret && programme_.site && programme_.page.Page_Valide);
    boite_.Activer(Controle::MontureArreter, s.connecte && Suit());
    boite_.Activer(Controle::MontureDeconnecter, s.connecte);
}

void Monture_Fenetre::Montrer_Statut(const Statut_Suivi& statut) {
    if (statut.mode == Mode_Suivi::Arrete)
        actualisation_.stop();
    else if (!actualisation_.isActive())
        actualisation_.start();
    if (etiquette_) {
        // Without a connection, where the mount was is no longer where it is.
        Statut_Suivi montre = statut;
        if (!montre.connecte) {
            montre.place_monture.reset();
            montre.ecart.reset();
        }
        const QString texte = Texte_Statut(montre, QDateTime::currentMSecsSinceEpoch());
        etiquette_->setText(texte);
        etiquette_->setToolTip(texte);
    }
    Actualiser_Commandes();
}

// A fault or a refusal ended the following: said in the status bar (the
// state carries the reason) and in a box that leaves the window working; a
// server unreachable from the dialog is said in the dialog.
void Monture_Fenetre::Fin_Suivi(const QString& raison) {
    demande_ = false;
    Actualiser_Commandes();
    if (fermeture_) return;
    if (dialogue_ && !suivi_.Statut().connecte) return dialogue_->Montrer_Erreur(raison);
    boite_.Avertir_Sans_Attendre(Titre_Monture, raison);
}

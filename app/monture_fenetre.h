#pragma once

// The window's side of following with a mount: the Monture menu's commands,
// its connection dialog, the mount's state in the status bar, and stopping
// the following before the window closes.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>

#include "app/dialogue_monture.h"
#include "monture/journal_indi.h"
#include "monture/reglages_monture.h"
#include "monture/suivi_monture.h"
#include "page/visibilite_ligne.h"

class Aide_Dans_Dialogue;
class Boite_Qt;
class QLabel;
class QStatusBar;
struct Programme;

class Monture_Fenetre : public QObject {
public:
    // `dossier`: the settings folder, where Monture.ini is kept; read when
    // the dialog first opens, since start-up sets it after the window is built.
    Monture_Fenetre(Programme& programme, Boite_Qt& boite, const QString& dossier, QStatusBar& barre,
                    QObject* parent);
    ~Monture_Fenetre() override;

    void Ouvrir_Connexion();
    void Pointer_Et_Suivre();
    void Arreter();
    void Deconnecter();
    // Before the window closes: the mount is left tracking the stars, then
    // the server is let go. Bounded, whether the server is there or not.
    void Quitter();

    // Enables the menu's items as the connection, the device, the body and the site allow.
    void Actualiser_Commandes();

    const Suivi_Monture& Suivi() const { return suivi_; }
    QLabel* Etiquette() const { return etiquette_; }
    // Where the record of the INDI exchange goes, when the dialog asks for it.
    static QString Fichier_Journal();
    Dialogue_Monture* Dialogue() const { return dialogue_; }

private:
    void Montrer_Statut(const Statut_Suivi& statut);
    void Fin_Suivi(const QString& raison);
    void Fin_Dialogue(int resultat);
    bool Suit() const;
    void Attendre_Arret();
    void Journaliser(bool actif);

    Programme& programme_;
    Boite_Qt& boite_;
    const QString& dossier_;
    QPointer<QLabel> etiquette_;  // the status bar may go first
    // The body and the site as they were when the following began: editing
    // the fields meanwhile leaves the mount on the body it was sent to.
    Place_A_L_Instant place_;
    std::optional<Site_Observation> site_;
    std::optional<Reglages_Monture> reglages_;  // read from Monture.ini on first use
    bool demande_ = false;                      // following asked for, until stopped or ended
    bool fermeture_ = false;                    // the window closes: nothing more is shown
    QTimer actualisation_;
    QPointer<Dialogue_Monture> dialogue_;
    std::unique_ptr<Aide_Dans_Dialogue> aide_dialogue_;  // F1 in the dialog, while it is open
    std::unique_ptr<Journal_Indi> journal_;              // the record of the exchange, when asked for
    Suivi_Monture suivi_;
};

#pragma once

// The dialog "Connexion…" of the Monture menu: the INDI server as
// "hôte:port", a button that connects to it, and the telescopes it offers,
// listed as the server describes them. The connection is made by the
// following itself and never waits: the dialog stays responsive, and a
// server that does not answer is named within the connection's delay.

#include <QDialog>

#include "monture/reglages_monture.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class Suivi_Monture;

class Dialogue_Monture : public QDialog {
public:
    // `reglages`: the server and device to show first, the server the
    // following is connected to when it is.
    // `journal`: whether the INDI exchange is being recorded, into `fichier_journal`.
    Dialogue_Monture(const Reglages_Monture& reglages, Suivi_Monture& suivi, bool journal,
                     const QString& fichier_journal, QWidget* parent);

    // The server connected to and the device chosen, once accepted.
    const Reglages_Monture& Choix() const { return choix_; }
    // Shows why the server could not be reached.
    void Montrer_Erreur(const QString& raison);
    // Whether "Connecter" was pressed: the following was then stopped.
    bool Connexion_Faite() const { return connexion_faite_; }

    QLineEdit* Serveur = nullptr;
    QPushButton* Connecter = nullptr;
    QListWidget* Appareils = nullptr;
    QLabel* Etat = nullptr;
    QPushButton* Ok = nullptr;
    QCheckBox* Journal = nullptr;

    void accept() override;

private:
    void Se_Connecter();
    void Remplir(const QStringList& telescopes);

    Suivi_Monture& suivi_;
    Reglages_Monture choix_;  // the server of the last connection, and the device
    bool connexion_faite_ = false;
};

#pragma once

// The main window: menus, tool bar, status bar, the frame with the page
// image, the two scroll bars, the About box and the help window, over the
// one program object.

#include <QMainWindow>

#include "app/boite_qt.h"
#include "document/aiguillage.h"
#include "document/commandes_import.h"
#include "document/demarrage.h"

class AboutBox;
class Calcul_Fond;
class QMimeData;
class Fenetre_Aide;
class Fenetre_Nuit;
class Monture_Fenetre;
class Zone_Client;

class Principale : public QMainWindow {
public:
    // With `retenir_messages`, message boxes are kept for the tests instead of being shown.
    explicit Principale(const Demarrage& demarrage, bool retenir_messages = false);
    ~Principale() override;

    Boite_Qt& Boite() { return boite_; }
    Programme& Etat_Programme() { return programme_; }
    const Etat_Application& Application() const { return application_; }
    AboutBox& A_Propos() { return *a_propos_; }
    Fenetre_Aide& Aide() { return *aide_; }
    Fenetre_Nuit& Nuit() { return *nuit_; }
    Monture_Fenetre& Monture() { return *monture_; }
    // What the page's figures are: the model, the dates' time scale, the site.
    // Its whole text is its tool tip.
    QWidget* Legende_Calcul() const { return legende_calcul_; }
    Calcul_Fond& Calcul_En_Fond() { return *calcul_fond_; }

    // Every command of the menus, the tool bar and the shortcuts.
    void Executer(Controle commande);
    void HelpAbout1Execute();
    void AfficheAideExecute();
    void FileExit1Execute();

    // What a drop brings: its first local file is opened or imported, once
    // the drag is over. False when it brings none.
    bool Deposer(const QMimeData* donnees);

    // "Trajectel - Version " and the version, as the About box shows it.
    void Preparer_A_Propos();

protected:
    bool event(QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void Construire();
    void Aide_Contextuelle();
    void Choisir_Lieu();
    void Mettre_A_Jour_Catalogues();
    void Ouvrir_Ce_Soir();
    void Ajuster_Loi_Estimations();
    void Choisir_Modele(bool classique);
    void Choisir_Perturbations(bool perturbations);
    void Enregistrer_Modele();
    void Creer_Legende_Calcul();
    void Actualiser_Legende_Calcul();

    Boite_Qt boite_;
    Programme programme_;
    Etat_Application application_;
    Aiguillage_Fiche aiguillage_;
    Etat_Import import_;
    Zone_Client* client_ = nullptr;
    AboutBox* a_propos_ = nullptr;
    Fenetre_Aide* aide_ = nullptr;
    Fenetre_Nuit* nuit_ = nullptr;
    Monture_Fenetre* monture_ = nullptr;
    QWidget* legende_calcul_ = nullptr;
    QStringList catalogues_ce_soir_;  // the files of the last tonight's list
    QStringList copies_ce_soir_;      // the local catalogues ticked for it
    Calcul_Fond* calcul_fond_ = nullptr;
};

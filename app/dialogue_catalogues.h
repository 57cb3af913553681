#pragma once

// The dialog "Mettre à jour les catalogues…": the four published catalogues
// with the date, count and state of their local copy, a box to tick for
// each, and while they download a bar in bytes and a Cancel that keeps the
// copy in place.

#include <QDialog>
#include <memory>
#include <vector>

#include "catalogues/actualisation.h"

class QLabel;
class QNetworkAccessManager;
class QProgressBar;
class QPushButton;
class QTableWidget;

class Dialogue_Catalogues : public QDialog {
public:
    Dialogue_Catalogues(Environnement_Catalogues env, QWidget* parent);
    ~Dialogue_Catalogues() override;

    QTableWidget* Liste = nullptr;  // one row a catalogue, in their order; column 0 ticks it
    QProgressBar* Barre = nullptr;
    QLabel* Avancement = nullptr;
    QPushButton* Mettre_A_Jour = nullptr;
    QPushButton* Annuler = nullptr;  // stops the download, or closes the dialog
    bool En_Cours() const { return static_cast<bool>(en_cours_); }

    void reject() override;

private:
    void Montrer_Copies();
    void Commencer();
    void Suivant();
    void Progresser(qint64 recus, qint64 total);
    void Finir_Un(const Resultat_Mise_A_Jour& resultat);
    void Finir_Tous();

    Environnement_Catalogues env_;
    std::unique_ptr<QNetworkAccessManager> reseau_;
    std::unique_ptr<Verrou_Catalogues> verrou_;
    std::vector<int> a_faire_;  // rows still to update
    int rang_ = -1;             // row being updated
    std::unique_ptr<Mise_A_Jour_Catalogue> en_cours_;
    bool annule_ = false;
};

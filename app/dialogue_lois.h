#pragma once

// The dialog "Lois de magnitude…": the law of each magnitude column with its
// parameters and where it came from, the epoch of osculation with A1, A2,
// A3. A value refused is named under the fields and the dialog stays open.

#include <QDialog>
#include <optional>

#include "plateforme/saisie_lois.h"

class QComboBox;
class QLabel;
class QLineEdit;

class Dialogue_Lois : public QDialog {
public:
    Dialogue_Lois(const Saisie_Lois& actuelle, Refus_Saisie_Lois refus, QWidget* parent);

    // The texts once the dialog was accepted.
    const std::optional<Saisie_Lois>& Saisie() const { return saisie_; }

    // The fields of one column's law.
    struct Champs_Loi {
        QComboBox* Forme = nullptr;
        QLineEdit* Zero = nullptr;
        QLineEdit* K = nullptr;
        QLineEdit* PC = nullptr;
        QLineEdit* G = nullptr;
    };
    Champs_Loi Totale;
    Champs_Loi Noyau;
    QLineEdit* Epoque = nullptr;
    QLabel* Erreur = nullptr;

    void accept() override;

private:
    QWidget* Groupe_Loi(const QString& titre, const Saisie_Loi& loi, Champs_Loi& champs);
    QWidget* Groupe_Epoque(const Saisie_Lois& s);
    Saisie_Lois Lire() const;

    Saisie_Lois montree_;
    Refus_Saisie_Lois refus_;
    std::optional<Saisie_Lois> saisie_;
};

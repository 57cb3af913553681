#pragma once

// The dialog that chooses one object among many: a search field that
// filters the list as one types, and the list with the designation and
// name, the date of perihelion, q and e.

#include <QDialog>
#include <optional>

#include "plateforme/choix_objet.h"

class QLineEdit;
class QPushButton;
class QTableView;
class Modele_Objets;

class Dialogue_Choix_Objet : public QDialog {
public:
    Dialogue_Choix_Objet(QWidget* parent, const QString& titre, const Source_Objets& source);

    // The rank in the source of the row chosen, once accepted.
    std::optional<int> Choisi() const;

    QLineEdit* Recherche() const { return recherche_; }
    QTableView* Liste() const { return liste_; }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void Filtrer(const QString& texte);
    void Cacher_Colonnes_Vides(const Source_Objets& source);

    Modele_Objets* modele_;
    QLineEdit* recherche_;
    QTableView* liste_;
    QPushButton* ok_ = nullptr;
};

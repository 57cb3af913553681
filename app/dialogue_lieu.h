#pragma once

// The dialog "Lieu d'observation…": the site's name, latitude, longitude,
// altitude, the telescope's lowest altitude and whether the visibility is
// shown. A value out of its bounds is named under the fields and the dialog
// stays open; nothing is kept until every value is right.

#include <QDialog>
#include <optional>

#include "page/visibilite_ligne.h"

class QCheckBox;
class QLabel;
class QLineEdit;

class Dialogue_Lieu : public QDialog {
public:
    // Numbers are shown as the form writes them; `raison`, when given, says
    // why the site kept in Lieu.ini could not be used.
    Dialogue_Lieu(const std::optional<Site_Observation>& site, const Notation& notation,
                  const QString& raison, QWidget* parent);

    // The site once the dialog was accepted.
    const std::optional<Site_Observation>& Site() const { return site_; }

    QLineEdit* Nom = nullptr;
    QLineEdit* Latitude = nullptr;
    QLineEdit* Longitude = nullptr;
    QLineEdit* Altitude = nullptr;
    QLineEdit* Hauteur_Minimale = nullptr;
    QCheckBox* Afficher = nullptr;
    QLabel* Erreur = nullptr;

    void accept() override;

private:
    std::optional<Site_Observation> site_;
};

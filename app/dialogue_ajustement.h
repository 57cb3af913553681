#pragma once

// The dialog "Ajuster la loi aux estimations…": a file of ICQ estimates
// opened, the choices of the fit (side of perihelion, dates, observer, a
// fixed K1), the fitted law with its picture, which prints and exports as
// PNG or SVG; Appliquer gives the law to the element set.

#include <QDialog>
#include <QImage>
#include <optional>

#include "astro/elements.h"
#include "document/ajustement_estimations.h"

class Boite_Outils;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

inline constexpr char Titre_Ajustement[] = "Trajectel - Ajuster la loi aux estimations";

class Dialogue_Ajustement : public QDialog {
public:
    // `nom`: the body's name, whose designation chooses its estimates.
    Dialogue_Ajustement(const Elements& el, const QString& nom, char separateur, Boite_Outils& boite,
                        QWidget* parent);

    // Reads the file, with a progress dialog that may stop it, and fits.
    void Ouvrir_Fichier(const QString& chemin);
    // Fits again with the choices as they stand.
    void Ajuster();
    // The picture as a PNG or SVG file, by the name's extension; false when it cannot be written.
    bool Exporter(const QString& chemin);
    void Imprimer();

    // The law to give the element set, once Appliquer was pressed.
    const std::optional<Loi_Magnitude>& Loi() const { return loi_; }
    const Ajustement_Estimations& Resultat() const { return ajustement_; }
    const QImage& Image() const { return image_; }

    QComboBox* Cote = nullptr;
    QCheckBox* Depuis = nullptr;
    QDateEdit* Debut = nullptr;
    QCheckBox* Jusqua = nullptr;
    QDateEdit* Fin = nullptr;
    QLineEdit* Observateur = nullptr;
    QCheckBox* K1_Fixe = nullptr;
    QLineEdit* K1 = nullptr;
    QLabel* Fichier = nullptr;
    QLabel* Bilan = nullptr;
    QLabel* Trace = nullptr;
    QPushButton* Appliquer = nullptr;
    QPushButton* Imprimer_Bouton = nullptr;
    QPushButton* Exporter_Bouton = nullptr;

    void accept() override;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    QWidget* Groupe_Choix();
    QWidget* Boutons();
    void Choisir_Fichier();
    void Choisir_Export();
    void Proposer_Dates();
    Choix_Ajustement Choix() const;
    void Montrer();
    void Dessiner();

    Elements el_;
    QString nom_;
    char separateur_;
    Boite_Outils& boite_;
    QString chemin_;
    std::optional<Lecture_Icq> lecture_;
    Ajustement_Estimations ajustement_;
    Trace_Ajustement trace_;
    QImage image_;
    std::optional<Loi_Magnitude> loi_;
};

#pragma once

// The window "Visibilité de la nuit": the picture of the night after the
// first row's date, redrawn with every build of the page, and printable.

#include <QImage>
#include <QWidget>
#include <functional>

#include "page/lignes.h"

class Boite_Outils;
class QPushButton;

class Fenetre_Nuit : public QWidget {
public:
    // `calcul` gives the page's computation as it stands at each drawing.
    Fenetre_Nuit(std::function<Calcul_Page()> calcul, Boite_Outils& boite, QWidget* parent);

    // Draws the picture again when the window is shown.
    void Redessiner();
    void Imprimer();
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    std::function<Calcul_Page()> calcul_;
    Boite_Outils& boite_;
    QImage image_;
    QPushButton* imprimer_ = nullptr;
};

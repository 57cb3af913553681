#pragma once

// The client area of the main window, below its menu bar: the tool bar at
// the top, the status bar at the bottom with the horizontal scroll bar above
// it, the vertical scroll bar on the right, and the frame Fiche, which the
// view moves about underneath them.

#include <QWidget>
#include <functional>

class Barre_Defilement;
class QStatusBar;
class QToolBar;

class Zone_Client : public QWidget {
public:
    explicit Zone_Client(QWidget* parent);

    QToolBar* Barre_Outils() const { return barre_outils_; }
    QWidget* Fiche() const { return fiche_; }
    Barre_Defilement* Verticale() const { return verticale_; }
    Barre_Defilement* Horizontale() const { return horizontale_; }
    QStatusBar* Etat() const { return etat_; }

    // Run after every change of the area's size.
    std::function<void()> Redimensionnement;

    // Places the bars along the edges.
    void Disposer();

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    QToolBar* barre_outils_;
    QWidget* fiche_;
    Barre_Defilement* verticale_;
    Barre_Defilement* horizontale_;
    QStatusBar* etat_;
};

#pragma once

// The frame Fiche on real widgets, built from its table: every control is
// created, bound to the platform, then given its texts, hints and places
// through Creer_Fiche. Its events go to one function.

#include <QObject>
#include <functional>

#include "app/boite_qt.h"
#include "document/aiguillage.h"

class QComboBox;
class QKeyEvent;
class QWidget;

class Fiche_Qt : public QObject {
public:
    using Rapport = std::function<QChar(const Evenement_Fiche&)>;

    Fiche_Qt(QWidget* fiche, Boite_Qt& boite, Rapport rapporter);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void Creer_Controles(QWidget* fiche);
    void Suivre(QWidget* widget);
    bool Commander(const QKeyEvent& touche);
    bool Touche(QObject* objet, Controle c, QKeyEvent* touche);
    void Transmettre(QObject* objet, QKeyEvent* touche, QComboBox* liste, bool imprimable);
    static void Completer_En_Ligne(QComboBox& liste);

    Boite_Qt& boite_;
    Rapport rapporter_;
    bool transmission_ = false;  // a key the program let through is on its way
};

#include "app/zone_client.h"

#include <QEvent>
#include <QStatusBar>
#include <QToolBar>

#include "app/widgets_fiche.h"

Zone_Client::Zone_Client(QWidget* parent)
    : QWidget(parent),
      barre_outils_(new QToolBar(this)),
      fiche_(new QWidget(this)),
      verticale_(new Barre_Defilement(Qt::Vertical, this)),
      horizontale_(new Barre_Defilement(Qt::Horizontal, this)),
      etat_(new QStatusBar(this)) {
    barre_outils_->setMovable(false);
    barre_outils_->setFloatable(false);
    // The frame slides under the bars: they hide what lies beneath them.
    for (QWidget* barre : {static_cast<QWidget*>(barre_outils_), static_cast<QWidget*>(etat_)})
        barre->setAutoFillBackground(true);
    fiche_->setAutoFillBackground(true);
    etat_->setSizeGripEnabled(false);
    verticale_->hide();
    horizontale_->hide();
    verticale_->installEventFilter(this);
    horizontale_->installEventFilter(this);
    Disposer();
}

void Zone_Client::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Disposer();
    if (Redimensionnement) Redimensionnement();
}

// A scroll bar shown or hidden gives its room to the other one.
bool Zone_Client::eventFilter(QObject* objet, QEvent* e) {
    if (e->type() == QEvent::ShowToParent || e->type() == QEvent::HideToParent) Disposer();
    return QWidget::eventFilter(objet, e);
}

void Zone_Client::Disposer() {
    const int largeur = width();
    const int hauteur = height();
    const int haut_outils = barre_outils_->sizeHint().height();
    const int haut_etat = etat_->sizeHint().height();
    // A hidden bar keeps its thickness, and gives up its room.
    const int epaisseur_v = verticale_->sizeHint().width();
    const int epaisseur_h = horizontale_->sizeHint().height();
    const int place_v = verticale_->isHidden() ? 0 : epaisseur_v;
    const int place_h = horizontale_->isHidden() ? 0 : epaisseur_h;

    barre_outils_->setGeometry(0, 0, largeur, haut_outils);
    etat_->setGeometry(0, hauteur - haut_etat, largeur, haut_etat);
    horizontale_->setGeometry(0, hauteur - haut_etat - epaisseur_h, largeur - place_v, epaisseur_h);
    verticale_->setGeometry(largeur - epaisseur_v, haut_outils, epaisseur_v,
                            hauteur - haut_outils - haut_etat - place_h);
    for (QWidget* w : {static_cast<QWidget*>(barre_outils_), static_cast<QWidget*>(verticale_),
                       static_cast<QWidget*>(horizontale_), static_cast<QWidget*>(etat_)})
        w->raise();
}

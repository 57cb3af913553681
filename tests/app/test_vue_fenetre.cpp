#include <gtest/gtest.h>

#include <QScrollBar>
#include <QToolBar>

#include "application_essai.h"
#include "form/disposition_fiche.h"

namespace {

using C = Controle;

// New after a page of 31 rows, then one of 12: the image is blank over all
// of it, and every control of the frame lies inside the frame, which the
// bar brings into view in a narrow window.
TEST(Vue_Fenetre, NouveauApresUnePageCourte) {
    Fenetre_Active w(Dossier_Exemples + QStringLiteral("/encke.elt"));
    w.Widget(C::Liste_Pas)->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    w.Taper(C::Liste_Pas, "m");
    w.Touche(C::Liste_Pas, Qt::Key_Tab);
    ASSERT_EQ(w.Texte(C::Liste_Pas), QStringLiteral("mois"));
    auto* outils = qobject_cast<QToolBar*>(w.Widget(C::ToolBar1));
    QTest::mouseClick(outils->widgetForAction(w.b().Action(C::ToolNouveau)), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_TRUE(w.Texte(C::saisie_q).isEmpty());

    const QImage page = w.Page();
    ASSERT_FALSE(page.isNull());
    int dessines = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) dessines += page.pixel(x, y) != page.pixel(0, 0);
    EXPECT_EQ(dessines, 0);

    const int largeur = w.b().Geometrie(C::Fiche).width();
    for (const Disposition_Controle& d : Disposition_Fiche())
        EXPECT_LE(w.Widget(d.controle)->geometry().right(), largeur - 1) << Nom_Controle(d.controle);
    w.f->resize(600, 600);
    QApplication::processEvents();
    EXPECT_TRUE(w.b().Visible(C::HorizontalBar));
}

// Widening the window keeps the frame where the horizontal bar put it; once
// the bar hides, the frame is back at its left edge.
TEST(Vue_Fenetre, ElargirGardeLeDefilement) {
    Fenetre_Active w;
    w.f->resize(500, 500);
    QApplication::processEvents();
    auto* barre = qobject_cast<QScrollBar*>(w.Widget(C::HorizontalBar));
    ASSERT_FALSE(barre->isHidden());
    barre->triggerAction(QAbstractSlider::SliderToMaximum);
    const int gauche = w.b().Geometrie(C::Fiche).left();
    const int position = barre->value();
    ASSERT_LT(gauche, 0);
    for (int largeur : {560, 620, 800}) {
        w.f->resize(largeur, 500);
        QApplication::processEvents();
        const bool montree = largeur < 800;
        EXPECT_EQ(!barre->isHidden(), montree) << largeur;
        EXPECT_EQ(barre->value(), montree ? position : 0) << largeur;
        EXPECT_EQ(w.Widget(C::Fiche)->x(), montree ? gauche : 0) << largeur;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QStatusBar>
#include <QTest>

#include "app/calcul_fond.h"
#include "tests/app/application_essai.h"

namespace {

const QString Rasante_Terre = QStringLiteral(TRAJECTEL_DONNEES_TESTS) + QStringLiteral("/rasante-terre.elt");
const QString En_Cours = QStringLiteral("calcul en cours…");

QStatusBar* Barre_Etat(Fenetre_Active& w) { return qobject_cast<QStatusBar*>(w.Widget(Controle::StatusBar)); }

// A body falling onto the Earth: the window leaves its integration to a
// thread, says so, takes the keys typed meanwhile (a newer page replacing
// the pending one), then shows the page built from the thread's work.
TEST(Calcul_Fond, RasanteSansFigerLaFenetre) {
    QElapsedTimer chrono;
    chrono.start();
    Fenetre_Active w(Rasante_Terre, QDate(2026, 12, 20));
    Calcul_Fond& fond = w.f->Calcul_En_Fond();
    ASSERT_TRUE(fond.En_Cours());
    EXPECT_EQ(Barre_Etat(w)->currentMessage(), En_Cours);

    w.Cliquer(Controle::saisie_Jour);
    w.Taper(Controle::saisie_Jour, "14");
    w.Touche(Controle::saisie_Jour, Qt::Key_Tab);
    // Before, the first page alone took the window for some 50 s.
    EXPECT_LT(chrono.elapsed(), 3000);
    EXPECT_EQ(w.Texte(Controle::saisie_Jour), QStringLiteral("14"));
    EXPECT_TRUE(fond.En_Cours());
    EXPECT_EQ(Barre_Etat(w)->currentMessage(), En_Cours);

    QTRY_VERIFY_WITH_TIMEOUT(!fond.En_Cours(), 30000);
    EXPECT_TRUE(Barre_Etat(w)->currentMessage().isEmpty());
    // The page was built again, with nothing left undone.
    EXPECT_TRUE(w.p().page.Page_Valide);
    EXPECT_FALSE(w.p().page.Budget_Epuise);
    EXPECT_TRUE(w.Widget(Controle::Fenetre)->isVisible());
}

// Closed while its thread still works, the window waits for it and goes.
TEST(Calcul_Fond, FermeeEnCoursDeCalcul) {
    Fenetre_Active w(Rasante_Terre, QDate(2026, 12, 20));
    ASSERT_TRUE(w.f->Calcul_En_Fond().En_Cours());
    QElapsedTimer chrono;
    chrono.start();
    w.f.reset();
    EXPECT_LT(chrono.elapsed(), 10000);
}

}  // namespace

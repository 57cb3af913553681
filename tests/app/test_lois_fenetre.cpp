#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "app/dialogue_lois.h"
#include "application_essai.h"

namespace {

using C = Controle;

// The nucleus law typed over, then Enter.
void Remplir_Noyau(Dialogue_Lois& d, const char* G) {
    d.Noyau.Forme->setCurrentIndex(1);
    d.Noyau.Zero->clear();
    d.Noyau.G->clear();
    QTest::keyClicks(d.Noyau.Zero, QStringLiteral("15,7"));
    QTest::keyClicks(d.Noyau.G, QString::fromUtf8(G));
    QTest::keyClick(d.Noyau.G, Qt::Key_Return);
}

// The menu item opens the dialog on the program's own laws; a G out of range
// is named and the dialog stays; a law accepted is the user's own and the
// document is modified.
TEST(Lois_Fenetre, RefuseeNommeePuisAcceptee) {
    Fenetre_Active w;
    QString refus;
    QString K2;
    bool encore_ouvert = false;
    QTimer::singleShot(0, [&] {
        auto* d = dynamic_cast<Dialogue_Lois*>(QApplication::activeModalWidget());
        if (!d) return;
        K2 = d->Noyau.K->text();
        Remplir_Noyau(*d, "5");
        refus = d->Erreur->text();
        encore_ouvert = d->isVisible();
        Remplir_Noyau(*d, "0,12");
    });
    w.b().Action(C::EditLaws1)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(K2.toStdString(), "5");
    const QString moitie =
        QStringLiteral("-0") + QChar::fromLatin1(w.p().notation.Separateur_Decimal) + QStringLiteral("5");
    EXPECT_EQ(refus.toStdString(),
              QStringLiteral("Loi du noyau, paramètre de pente G : 5 n'est pas entre %1 et 1.")
                  .arg(moitie)
                  .toStdString());
    EXPECT_TRUE(encore_ouvert);
    const Loi_Magnitude& noyau = w.p().el.Lois.noyau;
    EXPECT_EQ(noyau.forme, Forme_Loi::Asteroide);
    EXPECT_NEAR(noyau.Zero, 15.7, 1e-12);
    EXPECT_NEAR(noyau.G, 0.12, 1e-12);
    EXPECT_EQ(noyau.origine, Origine_Loi::Saisie);
    EXPECT_TRUE(w.p().document.Modifie);
}

}  // namespace

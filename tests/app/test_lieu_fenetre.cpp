#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include "app/dialogue_lieu.h"
#include "app/fenetre_nuit.h"
#include "application_essai.h"
#include "document/lieu.h"

namespace {

using C = Controle;

// The dialog as the user fills it: the fields typed over, then Enter.
void Remplir(Dialogue_Lieu& d, const char* latitude) {
    for (QLineEdit* champ : {d.Nom, d.Latitude, d.Longitude, d.Altitude}) champ->clear();
    QTest::keyClicks(d.Nom, QStringLiteral("OBVA"));
    QTest::keyClicks(d.Latitude, QString::fromUtf8(latitude));
    QTest::keyClicks(d.Longitude, QStringLiteral("6,1"));
    QTest::keyClicks(d.Altitude, QStringLiteral("600"));
    QTest::keyClick(d.Altitude, Qt::Key_Return);
}

TEST(Lieu_Fenetre, SaisiRefusePuisAccepteEtGarde) {
    const QString lieu = Dossier_Configuration() + Nom_Fichier_Lieu;
    QFile::remove(lieu);
    Fenetre_Active w;
    EXPECT_TRUE(w.Texte(C::StatusBar).startsWith(QStringLiteral("Pas de lieu d'observation")));
    const int largeur = w.Page().width();

    QString refus;
    bool encore_ouvert = false;
    QTimer::singleShot(0, [&] {
        auto* d = dynamic_cast<Dialogue_Lieu*>(QApplication::activeModalWidget());
        if (!d) return;
        Remplir(*d, "95");
        refus = d->Erreur->text();
        encore_ouvert = d->isVisible();
        Remplir(*d, "45,9");
    });
    w.b().Action(C::EditSite1)->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(refus.startsWith(QStringLiteral("La latitude"))) << refus.toStdString();
    EXPECT_TRUE(encore_ouvert);
    ASSERT_TRUE(w.p().site);
    EXPECT_EQ(w.p().site->lieu.Latitude, 45.9);
    EXPECT_EQ(w.p().site->lieu.Longitude, 6.1);
    EXPECT_TRUE(w.p().site->Afficher);
    // Kept at once, and the page gains its columns.
    const Lecture_Lieu relu = Charger_Lieu(w.f->Application().configuration.Dossier_Configuration);
    ASSERT_TRUE(relu.site);
    EXPECT_EQ(relu.site->Nom, QStringLiteral("OBVA"));
    EXPECT_GT(w.Page().width(), largeur);

    // The night window draws, and follows the page.
    w.b().Action(C::DatesNight1)->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(w.f->Nuit().isVisible());
    const QImage avant = w.f->Nuit().Image();
    ASSERT_FALSE(avant.isNull());
    // The user comes back to the main window, which the night window had taken over.
    w.f->activateWindow();
    QApplication::setActiveWindow(w.f.get());
    w.Cliquer(C::saisie_Mois);
    w.Taper(C::saisie_Mois, "6");
    w.Touche(C::saisie_Mois, Qt::Key_Tab);
    EXPECT_NE(w.f->Nuit().Image(), avant);
    // Printed on a landscape page; the printer's own orientation comes back after.
    QTemporaryDir dossier;
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(dossier.filePath(QStringLiteral("nuit.pdf")));
    w.b().Fixer_Imprimante(&imprimante);
    w.f->Nuit().Imprimer();
    w.b().Fixer_Imprimante(nullptr);
    EXPECT_GT(QFileInfo(imprimante.outputFileName()).size(), 1000);
    EXPECT_EQ(imprimante.pageLayout().orientation(), QPageLayout::Portrait);
    w.f->Nuit().close();
    QFile::remove(lieu);
}

}  // namespace

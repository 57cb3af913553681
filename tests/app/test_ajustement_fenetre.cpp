#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "app/dialogue_ajustement.h"
#include "application_essai.h"
#include "document/commandes_lois.h"

namespace {

using C = Controle;
const QString Estimations = QStringLiteral(TRAJECTEL_DONNEES_TESTS "/icq_hale_bopp.txt");

// Pixels of one colour in the picture.
int Pixels(const QImage& image, uint32_t couleur) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == couleur;
    return n;
}

struct Vu {
    QString bilan;
    int points = 0, loi = 0;
    bool appliquer = false;
    QString refus;
    bool appliquer_refus = true;
    QImage png;
    QByteArray svg;
    qint64 pdf = 0;
};

// The menu item opens the dialog; the file opened shows the fit and its
// picture, which exports and prints; a choice that leaves no estimate is
// refused and Appliquer is greyed; Appliquer gives the law to the element set.
TEST(Ajustement_Fenetre, OuvrirVoirExporterAppliquer) {
    Fenetre_Active w(Dossier_Exemples + QStringLiteral("/hale-bopp.elt"));
    QTemporaryDir dossier;
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(dossier.filePath(QStringLiteral("ajustement.pdf")));
    w.b().Fixer_Imprimante(&imprimante);
    Vu vu;
    QTimer::singleShot(0, [&] {
        auto* d = dynamic_cast<Dialogue_Ajustement*>(QApplication::activeModalWidget());
        if (!d) return;
        d->Ouvrir_Fichier(Estimations);
        vu.bilan = d->Bilan->text();
        vu.points = Pixels(d->Image(), Couleur_Gardee);
        vu.loi = Pixels(d->Image(), Couleur_Loi_Ajustee);
        vu.appliquer = d->Appliquer->isEnabled();
        EXPECT_TRUE(d->Exporter(dossier.filePath(QStringLiteral("a.png"))));
        EXPECT_TRUE(d->Exporter(dossier.filePath(QStringLiteral("a.svg"))));
        vu.png = QImage(dossier.filePath(QStringLiteral("a.png")));
        QFile svg(dossier.filePath(QStringLiteral("a.svg")));
        if (svg.open(QIODevice::ReadOnly)) vu.svg = svg.readAll();
        d->Imprimer();
        vu.pdf = QFileInfo(imprimante.outputFileName()).size();
        d->Cote->setCurrentIndex(2);
        vu.refus = d->Bilan->text();
        vu.appliquer_refus = d->Appliquer->isEnabled();
        d->Cote->setCurrentIndex(0);
        QTest::mouseClick(d->Appliquer, Qt::LeftButton);
    });
    w.b().Action(C::EditFitLaw1)->trigger();
    QApplication::processEvents();
    w.b().Fixer_Imprimante(nullptr);
    const QString s = w.Separateur();
    EXPECT_EQ(vu.bilan.toStdString(),
              QStringLiteral(
                  "48 estimations lues dans icq_hale_bopp.txt.\n"
                  "Lignes écartées : 5 lignes sans magnitude totale (chevelure ou queue seules).\n"
                  "Loi ajustée : M1 = -1#34, K1 = 9#00 (48 estimations, 0 écartées, écart-type 0#28 mag)")
                  .replace(u'#', s)
                  .toStdString());
    EXPECT_GT(vu.points, 48 * 9);  // 48 squares of 5 × 5 pixels in each panel, some overlapping
    EXPECT_GT(vu.loi, 200);
    EXPECT_TRUE(vu.appliquer);
    EXPECT_EQ(vu.png.size(), QSize(1200, 500));
    EXPECT_GT(Pixels(vu.png, Couleur_Gardee), 48 * 9);
    EXPECT_TRUE(vu.svg.contains("<svg")) << vu.svg.left(200).toStdString();
    EXPECT_TRUE(vu.svg.contains("loi ajustée"));
    EXPECT_GT(vu.pdf, 1000);
    EXPECT_TRUE(vu.refus.endsWith(QStringLiteral(
        "Aucune des 48 estimations de 1995O1 ne répond aux choix (côté du périhélie, dates, observateur).")))
        << vu.refus.toStdString();
    EXPECT_FALSE(vu.appliquer_refus);
    const Loi_Magnitude& loi = w.p().el.Lois.totale;
    EXPECT_EQ(loi.origine, Origine_Loi::Ajustee);
    EXPECT_NEAR(loi.Zero, -1.343, 0.001);
    EXPECT_NEAR(loi.K, 8.996, 0.001);
    EXPECT_TRUE(w.p().document.Modifie);
    EXPECT_EQ(Saisie_Depuis(w.p().el, w.p().notation.Separateur_Decimal).totale.Origine.toStdString(),
              "ajustée à 48 estimations (icq_hale_bopp.txt, 21/09/1996)");
}

// Annuler leaves the element set as it was, even after a fit.
TEST(Ajustement_Fenetre, AnnulerNeChangeRien) {
    Fenetre_Active w(Dossier_Exemples + QStringLiteral("/hale-bopp.elt"));
    const Loi_Magnitude avant = w.p().el.Lois.totale;
    bool ajuste = false;
    QTimer::singleShot(0, [&] {
        auto* d = dynamic_cast<Dialogue_Ajustement*>(QApplication::activeModalWidget());
        if (!d) return;
        d->Ouvrir_Fichier(Estimations);
        ajuste = d->Resultat().Reussi();
        d->reject();
    });
    w.b().Action(C::EditFitLaw1)->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(ajuste);
    EXPECT_EQ(w.p().el.Lois.totale.origine, avant.origine);
    EXPECT_EQ(w.p().el.Lois.totale.Zero, avant.Zero);
    EXPECT_FALSE(w.p().document.Modifie);
}

}  // namespace

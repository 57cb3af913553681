#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include "app/dialogue_lieu.h"
#include "app/fenetre_nuit.h"
#include "application_essai.h"
#include "document/lieu.h"
#include "document/modele_calcul.h"
#include "plateforme/boite_memoire.h"
#include "support/orbites_exemple.h"

namespace {

using C = Controle;

// The drawing commands of the first page of a PDF written by Qt: its first stream, inflated.
QByteArray Contenu_Page_Pdf(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray pdf = f.readAll();
    const qsizetype debut = pdf.indexOf("stream\n") + 7;
    const qsizetype fin = pdf.indexOf("endstream", debut);
    if (debut < 7 || fin < 0) return {};
    constexpr uint32_t Taille_Attendue = 1 << 20;  // a hint: the buffer grows as needed
    QByteArray zlib;
    for (int decalage : {24, 16, 8, 0}) zlib += static_cast<char>((Taille_Attendue >> decalage) & 0xFF);
    return qUncompress(zlib + pdf.mid(debut, fin - debut));
}

// The dialog as the user fills it: the fields typed over, then Enter.
void Remplir(Dialogue_Lieu& d, const char* latitude) {
    for (QLineEdit* champ : {d.Nom, d.Latitude, d.Longitude, d.Altitude}) champ->clear();
    QTest::keyClicks(d.Nom, QStringLiteral("OBVA"));
    QTest::keyClicks(d.Latitude, QString::fromUtf8(latitude));
    QTest::keyClicks(d.Longitude, QStringLiteral("6,1"));
    QTest::keyClicks(d.Altitude, QStringLiteral("600"));
    QTest::keyClick(d.Altitude, Qt::Key_Return);
}

// "Calcul classique" through the Dates menu: the rows change, the choice is
// written at once and a new start finds it checked; without a site the
// topocentric item waits.
TEST(Modele_Fenetre, CalculClassiqueGardeEntreDeuxSeances) {
    QFile::remove(Dossier_Configuration() + Nom_Fichier_Lieu);
    const QString fichier = Dossier_Configuration() + Nom_Fichier_Calcul;
    QFile::remove(fichier);
    const QString classique = QStringLiteral("Calcul classique");
    {
        Fenetre_Active w;
        EXPECT_EQ(w.p().modele.modele, Modele_Calcul::Precis);
        EXPECT_FALSE(w.b().Actif(C::PositionTopocentrique));
        const QImage precise = w.Page();
        QAction* article = w.Article(QStringLiteral("&Dates"), classique);
        ASSERT_NE(article, nullptr);
        EXPECT_FALSE(article->isChecked());
        article->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(article->isChecked());
        EXPECT_EQ(w.p().modele.modele, Modele_Calcul::Classique);
        EXPECT_NE(w.Page(), precise);
        EXPECT_TRUE(
            Charger_Calcul(w.f->Application().configuration.Dossier_Configuration).reglages.classique);
    }
    {
        Fenetre_Active w;
        EXPECT_EQ(w.p().modele.modele, Modele_Calcul::Classique);
        QAction* article = w.Article(QStringLiteral("&Dates"), classique);
        ASSERT_NE(article, nullptr);
        EXPECT_TRUE(article->isChecked());
        article->trigger();
        QApplication::processEvents();
        EXPECT_EQ(w.p().modele.modele, Modele_Calcul::Precis);
    }
    QFile f(fichier);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(),
              QByteArray("[Trajectel Calcul]\r\nClassique=0\r\nPerturbations=1\r\nTopocentrique=0\r\n"));
}

// Ceres opened with its typed epoch, and pasted from an MPCORB line: the
// rows follow the planets and the printed page would say from which epoch;
// "Perturbations planétaires" unchecked gives the two-body page and is kept
// in Calcul.ini; the classic model greys it.
TEST(Modele_Fenetre, PerturbationsPlanetaires) {
    const QString fichier = Dossier_Configuration() + Nom_Fichier_Calcul;
    const QString perturbations = QString::fromUtf8("Perturbations planétaires");
    struct Cas {
        const char* nom;
        bool coller;
        const char* epoque;
    };
    {
        Fenetre_Active sans_epoque;  // Halley's file gives no epoch
        QAction* article = sans_epoque.Article(QStringLiteral("&Dates"), perturbations);
        ASSERT_NE(article, nullptr);
        EXPECT_FALSE(article->isEnabled() || article->isChecked());
    }
    const Cas cas[] = {{"fichier", false, "14/01/1995 TT"}, {"MPCORB", true, "31/05/2020 TT"}};
    for (const Cas& c : cas) {
        QFile::remove(fichier);
        Fenetre_Active w(Dossier_Exemples + QStringLiteral("/ceres-1995.elt"));
        if (c.coller) {
            QGuiApplication::clipboard()->setText(QString::fromLatin1(Ligne_Ceres));
            w.Article(QStringLiteral("&Edition"), QString::fromUtf8("Coller des éléments"))->trigger();
            QApplication::processEvents();
        }
        QAction* article = w.Article(QStringLiteral("&Dates"), perturbations);
        ASSERT_NE(article, nullptr) << c.nom;
        EXPECT_TRUE(article->isEnabled() && article->isChecked()) << c.nom;
        EXPECT_TRUE(Texte_Modele(w.p().Calcul())
                        .endsWith(QString::fromUtf8("perturbé depuis l'époque ") +
                                  QString::fromUtf8(c.epoque).replace(
                                      u',', QChar::fromLatin1(w.p().notation.Separateur_Decimal))))
            << c.nom << Texte_Modele(w.p().Calcul()).toStdString();
        const QImage perturbee = w.Page();
        article->trigger();
        QApplication::processEvents();
        EXPECT_FALSE(w.p().modele.perturbations) << c.nom;
        EXPECT_NE(w.Page(), perturbee) << c.nom;
        EXPECT_TRUE(Texte_Modele(w.p().Calcul()).endsWith(QStringLiteral("deux corps"))) << c.nom;
        EXPECT_FALSE(
            Charger_Calcul(w.f->Application().configuration.Dossier_Configuration).reglages.perturbations);
        article->trigger();
        QApplication::processEvents();
        EXPECT_EQ(w.Page(), perturbee) << c.nom;
        w.Article(QStringLiteral("&Dates"), QStringLiteral("Calcul classique"))->trigger();
        QApplication::processEvents();
        EXPECT_FALSE(article->isEnabled() || article->isChecked()) << c.nom;
    }
    QFile::remove(fichier);
}

TEST(Lieu_Fenetre, SaisiRefusePuisAccepteEtGarde) {
    const QString lieu = Dossier_Configuration() + Nom_Fichier_Lieu;
    QFile::remove(lieu);
    Fenetre_Active w;
    EXPECT_TRUE(w.Texte(C::StatusBar).isEmpty());  // no site is the normal case
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
    EXPECT_TRUE(w.b().Actif(C::PositionTopocentrique));  // the place may now be seen from the site
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
    EXPECT_GT(QFileInfo(imprimante.outputFileName()).size(), 1000);
    EXPECT_EQ(imprimante.pageLayout().orientation(), QPageLayout::Portrait);
    // The page printed next on the same printer has none of the picture's amber.
    w.f->Executer(C::Imprimer);
    w.b().Fixer_Imprimante(nullptr);
    const QByteArray page = Contenu_Page_Pdf(imprimante.outputFileName());
    EXPECT_TRUE(page.contains("Tj"));
    EXPECT_TRUE(page.contains("0 0 0 scn"));
    EXPECT_FALSE(page.contains("1 0.752941")) << page.left(400).toStdString();
    w.f->Nuit().close();
    QFile::remove(lieu);
}

// The dialog writes and reads numbers as the form does, whatever the locale
// groups thousands with, and keeps a name outside Windows-1252.
TEST(Lieu_Fenetre, NombresCommeLaFiche) {
    const Notation francaise{',', "\u202f"};
    const Site_Observation ohp{QStringLiteral("OHP"), {44.7, 5.7125, 650}, 15, true};
    Dialogue_Lieu d(ohp, francaise, {}, nullptr);
    d.show();
    EXPECT_EQ(d.Latitude->text(), QStringLiteral("44,7"));
    EXPECT_EQ(d.Longitude->text(), QStringLiteral("5,7125"));
    EXPECT_EQ(d.Hauteur_Minimale->text(), QStringLiteral("15"));
    d.Nom->setText(QStringLiteral("Ondřejov"));  // beyond what the test's keyboard types
    d.Altitude->clear();
    QTest::keyClicks(d.Altitude, QStringLiteral("2 936"));
    QTest::keyClick(d.Altitude, Qt::Key_Return);
    ASSERT_TRUE(d.Site()) << d.Erreur->text().toStdString();
    EXPECT_EQ(d.Site()->Nom, QStringLiteral("Ondřejov"));
    EXPECT_EQ(d.Site()->lieu.Altitude, 2936);
    EXPECT_EQ(d.Site()->lieu.Latitude, 44.7);
    Dialogue_Lieu relu(d.Site(), francaise, {}, nullptr);
    EXPECT_EQ(relu.Altitude->text(), QStringLiteral("2\u202f936"));
}

// "Position topocentrique" chosen from the menu is kept for the next start;
// a Calcul.ini that cannot be read is said in the status bar, beside the site.
TEST(Modele_Fenetre, PositionTopocentriqueGardeeEtCalculIllisibleDit) {
    const QString dossier = Dossier_Configuration();
    Boite_Memoire boite;
    ASSERT_TRUE(Enregistrer_Lieu(
        dossier, Site_Observation{QStringLiteral("OBVA"), {45.9, 6.1, 600}, 15, true}, boite));
    QFile::remove(dossier + Nom_Fichier_Calcul);
    const QString article = QStringLiteral("Position topocentrique");
    for (bool coche : {true, false}) {
        {
            Fenetre_Active w;
            QAction* a = w.Article(QStringLiteral("&Edition"), article);
            ASSERT_NE(a, nullptr);
            ASSERT_TRUE(a->isEnabled());
            EXPECT_NE(a->isChecked(), coche);
            a->trigger();
            QApplication::processEvents();
        }
        Fenetre_Active relu;
        EXPECT_EQ(relu.p().modele.topocentrique, coche);
        EXPECT_EQ(relu.Article(QStringLiteral("&Edition"), article)->isChecked(), coche);
    }
    QFile f(dossier + Nom_Fichier_Calcul);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Autre]\r\nClassique=1\r\n");
    f.close();
    Fenetre_Active w;
    EXPECT_EQ(w.p().modele.modele, Modele_Calcul::Precis);
    EXPECT_EQ(w.Texte(C::StatusBar),
              QString::fromUtf8("Le fichier Calcul.ini est illisible : calcul précis, perturbations "
                                "planétaires, position géocentrique"));
    QFile::remove(dossier + Nom_Fichier_Calcul);
    QFile::remove(dossier + Nom_Fichier_Lieu);
}

// Why Lieu.ini could not be used is said in the dialog, wrapped to its width.
TEST(Lieu_Fenetre, RaisonDUnFichierEndommage) {
    QTemporaryDir dossier;
    QFile f(dossier.filePath(Nom_Fichier_Lieu));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "[Trajectel Lieu]\r\nNom=A\r\nLatitude=95\r\nLongitude=5\r\nAltitude=0\r\n"
        "Hauteur_Minimale=15\r\nAfficher=Vrai\r\n");
    f.close();
    const Lecture_Lieu lu = Charger_Lieu(dossier.path() + u'/');
    ASSERT_FALSE(lu.site);
    Dialogue_Lieu d(lu.site, Notation{}, lu.detail, nullptr);
    d.show();
    QApplication::processEvents();
    EXPECT_EQ(d.Erreur->text(), lu.detail);
    EXPECT_TRUE(d.Erreur->wordWrap());
    EXPECT_LE(d.Erreur->geometry().right(), d.contentsRect().right());
    EXPECT_GE(d.Erreur->height(), d.Erreur->heightForWidth(d.Erreur->width()));
}

}  // namespace

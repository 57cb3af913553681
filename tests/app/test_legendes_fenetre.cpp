#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "app/dialogue_lois.h"
#include "application_essai.h"
#include "support/orbites_exemple.h"

namespace {

using C = Controle;

// The window as a user finds it, answering Non to the save prompts.
struct Fenetre_Legendes : Fenetre_Active {
    Fenetre_Legendes() {
        b().Reponse_Essai = [](const QString&) { return Reponse::Non; };
    }
    // A line of published elements on the clipboard, then Edition, « Coller des éléments ».
    void Coller(const QString& ligne) {
        QGuiApplication::clipboard()->setText(ligne);
        b().Action(C::EditPasteElements1)->trigger();
        QApplication::processEvents();
    }
    // Types into a field and leaves it by Tab.
    void Saisir(C champ, const char* texte) {
        Cliquer(champ);
        Taper(champ, texte);
        Touche(champ, Qt::Key_Tab);
    }
    // Empties a field by its keys and leaves it by Tab.
    void Vider(C champ) {
        Cliquer(champ);
        Touche(champ, Qt::Key_End);
        for (qsizetype k = Champ(champ)->text().size(); k > 0; --k) Touche(champ, Qt::Key_Backspace);
        Touche(champ, Qt::Key_Tab);
    }
    // The laws dialog's word on a column, read while it is open.
    QString Suivi_Dans_Dialogue(bool totale) {
        QString texte;
        QTimer::singleShot(0, [&] {
            auto* d = dynamic_cast<Dialogue_Lois*>(QApplication::activeModalWidget());
            if (!d) return;
            for (QLabel* l : d->findChildren<QLabel*>())
                if (l->text().startsWith(totale ? QStringLiteral("La colonne M1")
                                                : QStringLiteral("La colonne M2")))
                    texte = l->text();
            d->reject();
        });
        b().Action(C::EditLaws1)->trigger();
        // The window is the active one again, as the user finds it once the dialog is closed.
        f->activateWindow();
        QApplication::setActiveWindow(f.get());
        QApplication::processEvents();
        return texte;
    }
};

// The first MPC comet line of the examples.
QString Ligne_Comete_Exemple() {
    QFile f(Dossier_Exemples + QStringLiteral("/cometes-mpc.txt"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    // Its columns are fixed: only the line's end goes.
    QString ligne = QString::fromLatin1(f.readLine());
    while (ligne.endsWith(u'\n') || ligne.endsWith(u'\r')) ligne.chop(1);
    return ligne;
}

// A pasted comet's total magnitude and a pasted asteroid's nucleus magnitude:
// typed with its date, the column follows the estimate; emptied by its keys
// and left by Tab, the page is rebuilt on the published law again, and the
// laws dialog says which one the column follows.
TEST(Legendes_Fenetre, MagnitudeTapeePuisVidee) {
    const struct {
        const char* nom;
        QString ligne;
        C magnitude, jour, mois, an;
        bool totale;
    } cas[] = {
        {"comète MPC, magnitude totale", Ligne_Comete_Exemple(), C::Saisie_MT, C::Saisie_JMT, C::Saisie_MMT,
         C::Saisie_AMT, true},
        {"astéroïde MPCORB, magnitude du noyau", QString::fromLatin1(Ligne_Ceres), C::Saisie_MN,
         C::Saisie_JMN, C::Saisie_MMN, C::Saisie_AMN, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Fenetre_Legendes w;
        ASSERT_FALSE(c.ligne.isEmpty());
        w.Coller(c.ligne);
        auto loi_page = [&] { return c.totale ? w.p().page.Lois.totale : w.p().page.Lois.noyau; };
        const double publiee = c.totale ? w.p().el.Lois.totale.Zero : w.p().el.Lois.noyau.Zero;
        ASSERT_EQ(loi_page().origine, Origine_Loi::Importee);
        EXPECT_EQ(loi_page().Zero, publiee);

        w.Saisir(c.magnitude, "12");
        w.Saisir(c.jour, "1");
        w.Saisir(c.mois, "11");
        w.Saisir(c.an, "1985");
        EXPECT_GT(std::abs(loi_page().Zero - publiee), 0.01);
        EXPECT_TRUE(
            w.Suivi_Dans_Dialogue(c.totale).contains(QStringLiteral("suit l'estimation 12 le 01/11/1985")))
            << w.Suivi_Dans_Dialogue(c.totale).toStdString();

        w.p().document.Modifie = false;
        w.Vider(c.magnitude);
        EXPECT_TRUE(w.Texte(c.magnitude).isEmpty());
        EXPECT_EQ(loi_page().Zero, publiee);
        EXPECT_TRUE(w.p().document.Modifie);
        EXPECT_TRUE(w.Suivi_Dans_Dialogue(c.totale).endsWith(QStringLiteral("suit cette loi.")));
    }
}

// The line under the title names the model, the dates' time scale and
// follows the model's check item.
TEST(Legendes_Fenetre, LigneDuCalcul) {
    Fenetre_Legendes w;
    QWidget* legende = w.f->Legende_Calcul();
    ASSERT_TRUE(legende && legende->isVisible());
    EXPECT_GT(legende->width(), 100);
    EXPECT_TRUE(legende->toolTip().startsWith(QStringLiteral("modèle précis, place astrométrique")))
        << legende->toolTip().toStdString();
    EXPECT_TRUE(legende->toolTip().endsWith(QStringLiteral(" ; dates en UTC")));
    w.b().Action(C::CalculClassique)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(legende->toolTip().toStdString(), "modèle classique ; dates en TT");
    w.b().Action(C::CalculClassique)->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(legende->toolTip().endsWith(QStringLiteral(" ; dates en UTC")));
}

// The window is painted without the print system: no printer is made and
// Qt's CUPS plugin is not loaded until printing first needs it. Run alone
// by CTest, so that no other test of the process has printed.
QByteArray Bibliotheques_Chargees() {
    QFile cartes(QStringLiteral("/proc/self/maps"));
    return cartes.open(QIODevice::ReadOnly) ? cartes.readAll() : QByteArray();
}

TEST(Legendes_Fenetre, SansSystemeDImpressionAuDemarrage) {
    const bool deja_charge = Bibliotheques_Chargees().contains("cupsprintersupport");
    Fenetre_Legendes w;
    w.f->repaint();
    QApplication::processEvents();
    EXPECT_FALSE(w.b().Imprimante_Creee());
    if (deja_charge) GTEST_SKIP() << "un test précédent de ce processus a imprimé";
    const QByteArray texte = Bibliotheques_Chargees();
    ASSERT_FALSE(texte.isEmpty());
    EXPECT_FALSE(texte.contains("cupsprintersupport"));
    EXPECT_FALSE(texte.contains("libcups.so"));
}

// The laws dialog's title, and an epoch typed as a date.
TEST(Legendes_Fenetre, EpoqueEnDate) {
    Fenetre_Legendes w;
    QString titre;
    QTimer::singleShot(0, [&] {
        auto* d = dynamic_cast<Dialogue_Lois*>(QApplication::activeModalWidget());
        if (!d) return;
        titre = d->windowTitle();
        d->Epoque->clear();
        QTest::keyClicks(d->Epoque, QStringLiteral("14/1/1995"));
        QTest::keyClick(d->Epoque, Qt::Key_Return);
    });
    w.b().Action(C::EditLaws1)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(titre.toStdString(), "Trajectel - Lois de magnitude");
    ASSERT_TRUE(w.p().el.Epoque.JJ_Epoque.has_value());
    EXPECT_EQ(*w.p().el.Epoque.JJ_Epoque, 2449731.5);
}

// A long perihelion day read from a file shows its beginning.
TEST(Legendes_Fenetre, JourDuPerihelieVuDepuisSonDebut) {
    Fenetre_Active w(Dossier_Exemples + QStringLiteral("/ceres-1995.elt"));
    QLineEdit* jour = w.Champ(C::saisie_Jour_Perihelie);
    ASSERT_TRUE(jour);
    EXPECT_GT(jour->fontMetrics().horizontalAdvance(jour->text()), jour->width());
    EXPECT_EQ(jour->cursorPosition(), 0);
}

}  // namespace

namespace {

// « Perturbations planétaires » greyed is unticked, whether for want of an
// epoch or under the classic model; with an epoch in the precise model it
// is offered, ticked as chosen.
TEST(Legendes_Fenetre, PerturbationsGriseesDecochees) {
    const struct {
        const char* fichier;
        bool classique;
        bool actif;
        bool coche;
    } cas[] = {
        {"/halley.elt", false, false, false},
        {"/halley.elt", true, false, false},
        {"/ceres-1995.elt", false, true, true},
        {"/ceres-1995.elt", true, false, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::string(c.fichier) + (c.classique ? " classique" : " précis"));
        Fenetre_Active w(Dossier_Exemples + QString::fromUtf8(c.fichier));
        if (w.b().Coche(C::CalculClassique) != c.classique) w.b().Action(C::CalculClassique)->trigger();
        QApplication::processEvents();
        EXPECT_EQ(w.b().Action(C::PerturbationsPlanetaires)->isEnabled(), c.actif);
        EXPECT_EQ(w.b().Action(C::PerturbationsPlanetaires)->isChecked(), c.coche);
        if (c.classique) w.b().Action(C::CalculClassique)->trigger();
    }
}

}  // namespace

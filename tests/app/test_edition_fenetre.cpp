#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/principale.h"
#include "app/widgets_fiche.h"
#include "application_essai.h"

namespace {

using C = Controle;

// Typing 0,5 in saisie_e and Tab: e taken, the document modified, the page rebuilt.
TEST(Edition_Fenetre, ExcentriciteEtTabulation) {
    Fenetre_Active w;
    const QImage avant = w.Page();
    w.Cliquer(C::saisie_e);
    EXPECT_EQ(w.Champ(C::saisie_e)->selectedText(), w.Texte(C::saisie_e));
    w.Taper(C::saisie_e, "0,5");
    EXPECT_EQ(w.Texte(C::saisie_e), QStringLiteral("0") + w.Separateur() + u'5');
    EXPECT_NEAR(w.p().el.e, 0.9672725, 1e-12);
    w.Touche(C::saisie_e, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.Widget(C::saisie_q));
    EXPECT_EQ(w.p().formulaire.Focus, C::saisie_q);
    EXPECT_NEAR(w.p().el.e, 0.5, 1e-12);
    EXPECT_TRUE(w.p().document.Modifie);
    EXPECT_TRUE(w.f->Boite().Actif(C::Enregistrer));
    EXPECT_NE(w.Page(), avant);
}

// What each field lets through as the user types.
TEST(Edition_Fenetre, ToucheFiltrees) {
    struct Cas {
        Controle champ;
        const char* touches;
        const char* texte;  // "," stands for the system's separator
    };
    const Cas cas[] = {
        {C::saisie_i, "1a2", "12"}, {C::Saisie_MT, "-1-2", "-12"}, {C::saisie_a, "1.5.2", "1,52"}};
    Fenetre_Active w;
    for (const Cas& c : cas) {
        w.f->Boite().Ecrire_Texte(c.champ, {});
        w.Cliquer(c.champ);
        w.Taper(c.champ, c.touches);
        EXPECT_EQ(w.Texte(c.champ), QString::fromUtf8(c.texte).replace(u',', w.Separateur()))
            << Nom_Controle(c.champ);
    }
}

TEST(Edition_Fenetre, EchapRestaure) {
    Fenetre_Active w;
    const QString inclinaison = w.Texte(C::saisie_i);
    w.Cliquer(C::saisie_i);
    w.Taper(C::saisie_i, "99");
    w.Touche(C::saisie_i, Qt::Key_Escape);
    EXPECT_EQ(w.Texte(C::saisie_i), inclinaison);
    EXPECT_EQ(w.Champ(C::saisie_i)->selectedText(), inclinaison);
    EXPECT_EQ(QApplication::focusWidget(), w.Widget(C::saisie_i));
    w.Touche(C::saisie_i, Qt::Key_Tab);
    EXPECT_FALSE(w.p().document.Modifie);
}

// Enter leaves the field, goes to the next one of its row in the table and
// rebuilds the page.
TEST(Edition_Fenetre, EntreeVaAuChampSuivant) {
    Fenetre_Active w;
    w.Cliquer(C::saisie_i);
    w.Taper(C::saisie_i, "10");
    w.Touche(C::saisie_i, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.Widget(C::saisie_Omega));
    // As after Tab, the field entered is ready to be typed over.
    EXPECT_EQ(w.Champ(C::saisie_Omega)->selectedText(), w.Texte(C::saisie_Omega));
    EXPECT_FALSE(w.Texte(C::saisie_Omega).isEmpty());
    EXPECT_NEAR(w.p().el.i, 10, 1e-6);
    EXPECT_TRUE(w.p().document.Modifie);
    // Halley is elliptic: Enter in q goes to a.
    w.Cliquer(C::saisie_q);
    w.Touche(C::saisie_q, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.Widget(C::saisie_a));
}

// A menu opened and closed, a command chosen, another window shown: the field
// being edited keeps its text and the program's focus until the user leaves it.
TEST(Edition_Fenetre, CommandeSansSortieDuChamp) {
    Fenetre_Active w;
    w.Cliquer(C::saisie_e);
    w.Taper(C::saisie_e, "0,5");
    const QString tape = w.Texte(C::saisie_e);

    QMenu* dates = nullptr;
    for (QAction* m : w.f->menuBar()->actions())
        if (m->text() == QStringLiteral("&Dates")) dates = m->menu();
    ASSERT_NE(dates, nullptr);
    dates->popup(w.f->mapToGlobal(QPoint(40, 20)));
    QApplication::processEvents();
    dates->close();
    QApplication::processEvents();
    w.f->Boite().Action(C::Julienne_éléments)->trigger();
    w.f->AfficheAideExecute();
    QApplication::processEvents();
    w.f->activateWindow();
    QApplication::setActiveWindow(w.f.get());
    QApplication::processEvents();

    EXPECT_EQ(w.Texte(C::saisie_e), tape);
    EXPECT_NEAR(w.p().el.e, 0.9672725, 1e-12);
    EXPECT_FALSE(w.p().document.Modifie);
    EXPECT_EQ(w.p().formulaire.Focus, C::saisie_e);
    EXPECT_TRUE(w.f->Boite().Coche(C::Julienne_éléments));
    // Leaving it now takes the value.
    w.Cliquer(C::saisie_i);
    EXPECT_NEAR(w.p().el.e, 0.5, 1e-12);
    EXPECT_TRUE(w.p().document.Modifie);
}

// A click on the switch shows the other angle; the field being edited stays so.
TEST(Edition_Fenetre, ClicSurLabel16) {
    Fenetre_Active w;
    w.Cliquer(C::saisie_i);
    QTest::mouseMove(w.Widget(C::Label16));
    QTest::mouseClick(w.Widget(C::Label16), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(w.Texte(C::Label15), QStringLiteral("L =  "));
    EXPECT_EQ(w.Texte(C::Label16), QStringLiteral("longitude du périhélie ="));
    EXPECT_EQ(w.Texte(C::saisie_Omega), QStringLiteral("169") + w.Separateur() + QStringLiteral("99041"));
    EXPECT_EQ(w.f->Boite().Indice(C::Label16), QStringLiteral("Cliquer pour Longitude du périhélie"));
    QTest::mouseMove(w.Widget(C::Label16), QPoint(5, 5));
    EXPECT_EQ(w.f->Boite().Indice(C::Label16), QStringLiteral("Cliquer pour Argument du périhélie"));
    EXPECT_EQ(QApplication::focusWidget(), w.Widget(C::saisie_i));
    EXPECT_EQ(w.p().formulaire.Focus, C::saisie_i);
    EXPECT_FALSE(w.p().document.Modifie);
    QTest::mouseClick(w.Widget(C::Label15), Qt::LeftButton);
    EXPECT_EQ(w.Texte(C::Label15), QStringLiteral("w =  "));
}

// A typed prefix is completed from the items before the Change rule sees it;
// anything else is put back at once.
TEST(Edition_Fenetre, ListeCompleteCeQuiEstTape) {
    struct Cas {
        Controle liste;
        const char* touches;
        const char* texte;
        bool page_refaite;  // once the list is left
    };
    const Cas cas[] = {
        {C::Liste_Instruments, "c", "Corlande", true}, {C::Liste_Instruments, "cx", "Aucun", false},
        {C::Liste_Instruments, "q", "Aucun", false},   {C::Liste_Pas, "m", "mois", true},
        {C::Liste_Pas, "ANN", "années", true},
    };
    for (const Cas& c : cas) {
        Fenetre_Active w;
        const QImage avant = w.Page();
        w.Widget(c.liste)->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        w.Taper(c.liste, c.touches);
        EXPECT_EQ(w.Texte(c.liste), QString::fromUtf8(c.texte)) << Nom_Controle(c.liste) << ' ' << c.touches;
        w.Touche(c.liste, Qt::Key_Tab);
        EXPECT_EQ(w.Texte(c.liste), QString::fromUtf8(c.texte)) << Nom_Controle(c.liste) << ' ' << c.touches;
        EXPECT_EQ(w.Page() != avant, c.page_refaite) << Nom_Controle(c.liste) << ' ' << c.touches;
        EXPECT_FALSE(w.p().document.Modifie) << Nom_Controle(c.liste);
    }
}

// The stepping buttons and the Julian-date items reach their rules.
TEST(Edition_Fenetre, BoutonsEtDatesJuliennes) {
    Fenetre_Active w;
    QTest::mouseClick(w.Widget(C::JourPlus), Qt::LeftButton);
    EXPECT_EQ(w.Texte(C::saisie_Jour), QStringLiteral("2"));
    QTest::mouseClick(w.Widget(C::MoisMoins), Qt::LeftButton);
    EXPECT_EQ(w.Texte(C::saisie_Mois), QStringLiteral("10"));
    w.f->Boite().Action(C::Julienne)->trigger();
    EXPECT_TRUE(w.f->Boite().Coche(C::Julienne));
    EXPECT_EQ(w.Texte(C::saisie_Jour_Perihelie).left(7), QStringLiteral("2446470"));
    EXPECT_FALSE(w.Widget(C::saisie_Mois_Perihelie)->isVisible());
    w.f->Boite().Action(C::Julienne)->trigger();
    EXPECT_FALSE(w.f->Boite().Coche(C::Julienne));
    EXPECT_TRUE(w.Widget(C::saisie_Mois_Perihelie)->isVisible());
    EXPECT_FALSE(w.p().document.Modifie);
}

}  // namespace

namespace {

// Halley's file, copied where the tests may write, with its perihelion day
// as `jour`.
QString Copie_Halley(const QTemporaryDir& dossier, const QByteArray& jour = "9,439") {
    QFile exemple(Dossier_Exemples + QStringLiteral("/halley.elt"));
    EXPECT_TRUE(exemple.open(QIODevice::ReadOnly));
    const QString chemin = dossier.filePath(QStringLiteral("halley.elt"));
    QFile copie(chemin);
    EXPECT_TRUE(copie.open(QIODevice::WriteOnly));
    copie.write(exemple.readAll().replace("= 9,439\r\n", "= " + jour + "\r\n"));
    return chemin;
}

QByteArray Contenu(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Ctrl+E or Ctrl+S right after typing, without leaving the field, saves
// what the field shows, whether Save was still disabled or enabled by an
// earlier change; a refused value is restored and nothing new is saved. The
// field, left afterwards, has nothing more to apply.
TEST(Edition_Fenetre, EnregistrerPendantLaSaisie) {
    struct Cas {
        const char* nom;
        bool deja_modifie;  // Save enabled by a change of e before
        Controle champ;
        const char* touches;
        Qt::Key touche;     // with Ctrl: E saves to the file, S to autre.elt
        const char* ligne;  // in the file, nullptr when nothing is saved
    };
    const Cas cas[] = {
        {"Enregistrer grisé", false, C::saisie_i, "12,5", Qt::Key_E, "Inclinaison = 12,5 \xB0"},
        {"Enregistrer déjà actif", true, C::saisie_i, "12,5", Qt::Key_E, "Inclinaison = 12,5 \xB0"},
        {"commentaire", false, C::Commentaire, "Halley revu", Qt::Key_E, "Objet : Halley revu"},
        {"valeur refusée", false, C::saisie_i, "400", Qt::Key_E, nullptr},
        {"enregistrer sous", false, C::saisie_i, "12,5", Qt::Key_S, "Inclinaison = 12,5 \xB0"},
    };
    for (const Cas& c : cas) {
        QTemporaryDir dossier;
        const QString chemin = Copie_Halley(dossier);
        const QByteArray avant = Contenu(chemin);
        Fenetre_Active w(chemin);
        w.b().Dialogue_Essai = [&](const Dialogue_Fichier&) {
            return dossier.filePath(QStringLiteral("autre"));
        };
        if (c.deja_modifie) {
            w.Cliquer(C::saisie_e);
            w.Taper(C::saisie_e, "0,9");
            w.Touche(C::saisie_e, Qt::Key_Tab);
            ASSERT_TRUE(w.b().Actif(C::Enregistrer)) << c.nom;
        }
        w.Cliquer(c.champ);
        w.Champ(c.champ)->selectAll();
        w.Taper(c.champ, c.touches);
        w.Touche(c.champ, c.touche, Qt::ControlModifier);
        const QByteArray apres =
            Contenu(c.touche == Qt::Key_S ? dossier.filePath(QStringLiteral("autre.elt")) : chemin);
        if (c.ligne) {
            EXPECT_TRUE(apres.contains(QByteArray(c.ligne) + "\r\n")) << c.nom << '\n' << apres.toStdString();
        } else {
            EXPECT_EQ(apres, avant) << c.nom;
            EXPECT_EQ(w.Texte(c.champ), QStringLiteral("162") + w.Separateur() + "23932") << c.nom;
        }
        EXPECT_FALSE(w.p().document.Modifie) << c.nom;
        EXPECT_FALSE(w.b().Actif(C::Enregistrer)) << c.nom;
        EXPECT_EQ(QApplication::focusWidget(), w.Widget(c.champ)) << c.nom;
        w.Touche(c.champ, Qt::Key_Tab);
        EXPECT_FALSE(w.p().document.Modifie) << c.nom << " : champ quitté ensuite";
    }
}

// A perihelion day read from a file goes into its field whole, past the
// eight characters the field takes when typed, and typing there is held to
// what it shows.
TEST(Edition_Fenetre, JourDuPerihelieLuEntier) {
    QTemporaryDir dossier;
    Fenetre_Active w(Copie_Halley(dossier, "9,4391234"));
    EXPECT_TRUE(w.b().Messages().empty());
    EXPECT_EQ(w.Texte(C::saisie_Jour_Perihelie), QStringLiteral("9") + w.Separateur() + "4391234");
    EXPECT_EQ(w.b().Longueur_Max(C::saisie_Jour_Perihelie), 8);
    w.Cliquer(C::saisie_Jour_Perihelie);
    w.Touche(C::saisie_Jour_Perihelie, Qt::Key_End);
    w.Taper(C::saisie_Jour_Perihelie, "5");
    EXPECT_EQ(w.Texte(C::saisie_Jour_Perihelie), QStringLiteral("9") + w.Separateur() + "4391234");
}

}  // namespace

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <memory>

#include "app/principale.h"
#include "application_essai.h"
#include "support/xdg_temporaire.h"

namespace {

// The real window, end to end: open an example, change a field, Save As
// under a new name, quit; start again: the window comes back where it was,
// the file is first in the recent files and reopens with the change.
TEST(Principale, EnregistrerSousQuitterRouvrir) {
    Xdg_Temporaire xdg;
    const QString copie = xdg.Chemin("halley-2.elt");
    const QRect place(40, 60, 640, 720);
    {
        Principale f(Demarrage{Dossier_Programme, {}, QDate(2024, 3, 5)}, true);
        f.show();
        Boite_Qt& b = f.Boite();
        b.Dialogue_Essai = [](const Dialogue_Fichier&) {
            return std::optional<QString>(Dossier_Exemples + QStringLiteral("/halley.elt"));
        };
        f.Executer(Controle::FileOpen1);
        ASSERT_EQ(f.windowTitle(), QStringLiteral("Trajectel - halley.elt"));
        b.Ecrire_Texte(Controle::Commentaire, QStringLiteral("1P/Halley, revu"));

        std::vector<Dialogue_Fichier> vus;
        b.Dialogue_Essai = [&](const Dialogue_Fichier& d) {
            vus.push_back(d);
            return std::optional<QString>(xdg.Chemin("halley-2"));
        };
        f.Executer(Controle::FileSaveAs1);
        ASSERT_EQ(vus.size(), 1u);
        EXPECT_EQ(vus[0].titre, QStringLiteral("Trajectel - Enregistrer"));
        EXPECT_EQ(vus[0].nom_initial, Dossier_Exemples + QStringLiteral("/halley"));
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Trajectel - halley-2.elt"));
        EXPECT_TRUE(b.Messages().empty());

        b.Placer(Controle::Principale, place);
        // The comment was written, not typed and left: quitting may still offer to save it.
        b.Reponse_Essai = [](const QString&) { return Reponse::Non; };
        f.Executer(Controle::FileExit1);
        EXPECT_TRUE(f.Application().Fermeture_Permise);
        EXPECT_FALSE(f.isVisible());
    }
    Principale f(Demarrage{Dossier_Programme, {}, QDate(2024, 3, 5)}, true);
    Boite_Qt& b = f.Boite();
    EXPECT_EQ(b.Geometrie(Controle::Principale), place);
    EXPECT_EQ(f.Etat_Programme().historique.Entrees[0], copie);
    EXPECT_EQ(f.Etat_Programme().historique.Entrees[1], Dossier_Exemples + QStringLiteral("/halley.elt"));
    EXPECT_TRUE(b.Action(Controle::Historique1)->isVisible());
    EXPECT_EQ(b.Action(Controle::Historique1)->text(),
              QStringLiteral("&1 ") + f.Etat_Programme().historique.Libelles_Historique[0]);
    f.Executer(Controle::Historique1);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Trajectel - halley-2.elt"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(b.Widget(Controle::Commentaire))->text(),
              QStringLiteral("1P/Halley, revu"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(b.Widget(Controle::saisie_e))->text(),
              QStringLiteral("0") + QLatin1Char(f.Etat_Programme().notation.Separateur_Decimal) +
                  QStringLiteral("9672725"));
    EXPECT_TRUE(b.Messages().empty());
}

// The window comes back at the size the user left it, start after start.
TEST(Principale, RouverteALaMemeTaille) {
    Xdg_Temporaire xdg;
    const QSize taille(650, 610);
    for (int demarrage = 1; demarrage <= 3; ++demarrage) {
        Principale f(Demarrage{Dossier_Programme, {}, QDate(2024, 3, 5)}, true);
        f.show();
        QApplication::processEvents();
        if (demarrage == 1) {
            f.resize(taille);
            QApplication::processEvents();
        }
        EXPECT_EQ(f.size(), taille) << demarrage;
        f.Executer(Controle::FileExit1);
        ASSERT_TRUE(f.Application().Fermeture_Permise);
    }
}

}  // namespace

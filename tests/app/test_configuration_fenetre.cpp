#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <memory>

#include "app/demarrage.h"
#include "app/principale.h"
#include "application_essai.h"
#include "form/disposition_fiche.h"
#include "plateforme/boite_memoire.h"

namespace {

using Genre = Boite_Memoire::Genre;

// The settings folder of a test: XDG_CONFIG_HOME points into a temporary
// folder for as long as it lives.
class Xdg_Temporaire {
public:
    Xdg_Temporaire() : avant_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", racine_.path().toLocal8Bit());
    }
    ~Xdg_Temporaire() { qputenv("XDG_CONFIG_HOME", avant_); }
    Xdg_Temporaire(const Xdg_Temporaire&) = delete;
    Xdg_Temporaire& operator=(const Xdg_Temporaire&) = delete;

    QString Fichier() const { return racine_.path() + QStringLiteral("/Trajectel/Trajectel.ini"); }
    void Ecrire(const QByteArray& contenu) const {
        QDir().mkpath(racine_.path() + QStringLiteral("/Trajectel"));
        QFile f(Fichier());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(contenu), contenu.size());
    }
    QByteArray Lire() const {
        QFile f(Fichier());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
    }
    QString Chemin(const char* nom) const { return racine_.filePath(QString::fromUtf8(nom)); }

private:
    QByteArray avant_;
    QTemporaryDir racine_;
};

// The window started over the in-memory platform.
struct Fenetre_Memoire {
    Boite_Memoire boite;
    Programme programme{boite, Notation{',', " "}, QStringLiteral("1.0.0")};
    Etat_Application application;

    Fenetre_Memoire() { Creer_Fiche(boite); }
    void Creer(const QString& argument = {}) {
        FormCreate(programme, application, {Dossier_Programme, argument, QDate(2024, 3, 5)},
                   [](const QString&) {});
    }
    int Messages(Genre genre) const {
        int n = 0;
        for (const auto& m : boite.Messages()) n += m.genre == genre;
        return n;
    }
};

QByteArray Reglages(const char* etat, const char* largeur, const char* gauche, const char* entree1) {
    return QByteArray("[Trajectel 0.9.1]\r\n") + etat + "\r\n" + largeur + "\r\n700\r\n" + gauche +
           "\r\n30\r\nVrai\r\n" + entree1 + "\r\n/e/deux.elt\r\n" + QByteArray("\r\n").repeated(8);
}

// Start-up reads the settings after laying out the window, then builds the
// recent-files menu from them.
TEST(FormCreate, LitLesReglages) {
    struct Cas {
        const char* nom;
        QByteArray contenu;  // empty: no file
        QRect fenetre;
        Etat_Fenetre etat;
        int avertissements;
        const char* article1;  // caption of Historique1, nullptr when hidden
    };
    const Cas cas[] = {
        {"premier lancement", {}, {0, 0, 600, 830}, Etat_Fenetre::Normale, 0, nullptr},
        {"réglages lus",
         Reglages("2", "640", "-8", "/e/un.elt"),
         {-8, 30, 640, 700},
         Etat_Fenetre::Maximisee,
         0,
         "&1 /e/un.elt"},
        {"trop large, trop à droite",
         Reglages("0", "5000", "1910", "/e/un.elt"),
         {0, 30, 600, 700},
         Etat_Fenetre::Normale,
         0,
         "&1 /e/un.elt"},
        {"largeur illisible",
         Reglages("0", "6OO", "0", "/e/un.elt"),
         {0, 0, 600, 830},
         Etat_Fenetre::Normale,
         1,
         nullptr},
    };
    for (const Cas& c : cas) {
        Xdg_Temporaire xdg;
        if (!c.contenu.isEmpty()) xdg.Ecrire(c.contenu);
        Fenetre_Memoire f;
        f.Creer();
        EXPECT_EQ(f.boite.Geometrie(Controle::Principale), c.fenetre) << c.nom;
        EXPECT_EQ(f.boite.Etat_Principale(), c.etat) << c.nom;
        EXPECT_EQ(f.Messages(Genre::Avertissement), c.avertissements) << c.nom;
        EXPECT_EQ(f.boite.Visible(Controle::N3), c.article1 != nullptr) << c.nom;
        EXPECT_EQ(f.boite.Visible(Controle::Historique1), c.article1 != nullptr) << c.nom;
        EXPECT_EQ(f.boite.Visible(Controle::Historique2), c.article1 != nullptr) << c.nom;
        EXPECT_FALSE(f.boite.Visible(Controle::Historique3)) << c.nom;
        if (c.article1) {
            EXPECT_EQ(f.boite.Texte(Controle::Historique1), QString::fromUtf8(c.article1)) << c.nom;
        }
    }
}

// Quitting: the save prompt first, the settings file last, and nothing
// written while the window stays open.
TEST(Quitter_Application, InviteEtReglages) {
    struct Cas {
        const char* nom;
        bool modifie;
        const char* document;  // name in the folder, "" for none
        std::vector<Reponse> reponses;
        int questions;
        bool fermeture;
    };
    const Cas cas[] = {
        {"sans changement", false, "", {}, 0, true},
        {"Non", true, "doc.elt", {Reponse::Non}, 1, true},
        {"Annuler", true, "doc.elt", {Reponse::Annuler}, 1, false},
        {"Oui, enregistré", true, "doc.elt", {Reponse::Oui}, 1, true},
        {"Oui, sans nom, dialogue annulé", true, "", {Reponse::Oui}, 1, false},
        {"Oui, enregistrement impossible", true, "ordinaire/doc.elt", {Reponse::Oui}, 1, false},
    };
    for (const Cas& c : cas) {
        Xdg_Temporaire xdg;
        QFile ordinaire(xdg.Chemin("ordinaire"));
        ASSERT_TRUE(ordinaire.open(QIODevice::WriteOnly));
        Fenetre_Memoire f;
        f.Creer();
        const QString document = *c.document ? xdg.Chemin(c.document) : QString();
        f.programme.document.Nom_Fichier = document;
        f.programme.document.Modifie = c.modifie;
        f.programme.document.Erreur_Fichier = true;
        for (Reponse r : c.reponses) f.boite.Prevoir_Reponse(r);

        EXPECT_EQ(Quitter_Application(f.programme, f.application), c.fermeture) << c.nom;
        EXPECT_EQ(f.application.Fermeture_Permise, c.fermeture) << c.nom;
        EXPECT_EQ(f.Messages(Genre::Question), c.questions) << c.nom;
        EXPECT_EQ(f.programme.document.Modifie, c.modifie && !c.fermeture) << c.nom;
        EXPECT_EQ(f.programme.document.Erreur_Fichier, !c.fermeture) << c.nom;
        EXPECT_EQ(xdg.Lire().startsWith("[Trajectel 1.0.0]\r\n"), c.fermeture) << c.nom;
        EXPECT_EQ(f.boite.Controle_Focus(), Controle::saisie_q) << c.nom;
    }
}

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

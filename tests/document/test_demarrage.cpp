#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <utility>

#include "document/aiguillage.h"
#include "document/demarrage.h"
#include "form/disposition_fiche.h"
#include "plateforme/boite_memoire.h"
#include "support/xdg_temporaire.h"

namespace {

using Genre = Boite_Memoire::Genre;

const QString Dossier_Exemples = QStringLiteral(TRAJECTEL_EXEMPLES);
const Notation Virgule{',', " "};
constexpr int Hauteur_Barre_Outils = 30;

// The window as the form creates it, on the in-memory platform, with its
// settings in a folder of its own and the help document beside the program.
struct Fenetre_Memoire {
    Xdg_Temporaire xdg;
    QTemporaryDir dossier_programme;
    Boite_Memoire boite;
    Programme programme{boite, Virgule, QStringLiteral("1.0.0")};
    Etat_Application application;
    QStringList messages;

    Fenetre_Memoire() {
        QFile aide(Aide());
        EXPECT_TRUE(aide.open(QIODevice::WriteOnly));
        Creer_Fiche(boite);
        boite.Placer(Controle::ToolBar1, QRect(0, 0, 700, Hauteur_Barre_Outils));
        boite.Placer(Controle::Titre7, QRect(264, 119, 32, 13));
    }
    QString Aide() const { return dossier_programme.filePath(QStringLiteral("Trajectel.html")); }
    void Creer(const QString& argument = {}, QDate jour = QDate(2024, 3, 5), const QString& dossier = {}) {
        FormCreate(programme, application,
                   {dossier.isEmpty() ? dossier_programme.path() : dossier, argument, jour},
                   [this](const QString& texte) { messages << texte; });
    }
    QString Titre() const { return boite.Texte(Controle::Principale); }
    int Messages(Genre genre) const {
        int n = 0;
        for (const auto& m : boite.Messages()) n += m.genre == genre;
        return n;
    }
};

TEST(Nom_Dernier_Fichier, CeQuiSuitLeDernierSeparateur) {
    struct Cas {
        const char* argument;
        const char* nom;
    };
    const Cas cas[] = {
        {"/home/obs/halley.elt", "halley.elt"},
        {"halley.elt", "halley.elt"},
        {"C:\\Comètes\\encke.elt", "encke.elt"},
        {"\"/tmp/a b/hale-bopp.elt", "hale-bopp.elt"},
        {"/tmp/x\"y.elt", "y.elt"},
        {"/tmp/dossier/", ""},
        {"", ""},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Nom_Dernier_Fichier(QString::fromUtf8(c.argument)), QString::fromUtf8(c.nom)) << c.argument;
}

// Today's date goes into the start fields as plain integers.
TEST(FormCreate, DateDuJourSansZeroEnTete) {
    struct Cas {
        QDate jour;
        const char* j;
        const char* m;
        const char* a;
    };
    const Cas cas[] = {
        {QDate(2024, 3, 5), "5", "3", "2024"},
        {QDate(1999, 12, 31), "31", "12", "1999"},
        {QDate(2000, 1, 1), "1", "1", "2000"},
    };
    for (const Cas& c : cas) {
        Fenetre_Memoire f;
        f.Creer({}, c.jour);
        const QString date = c.jour.toString(Qt::ISODate);
        EXPECT_EQ(f.boite.Texte(Controle::saisie_Jour), c.j) << date.toStdString();
        EXPECT_EQ(f.boite.Texte(Controle::saisie_Mois), c.m) << date.toStdString();
        EXPECT_EQ(f.boite.Texte(Controle::saisie_An), c.a) << date.toStdString();
        EXPECT_EQ(f.programme.el.Pas, 1);
    }
}

TEST(FormCreate, SansArgument) {
    Fenetre_Memoire f;
    f.Creer({});
    EXPECT_EQ(f.Titre(), QStringLiteral("Trajectel"));
    for (Controle c :
         {Controle::ToolEnregistrer, Controle::Enregistrer, Controle::Imprimer1, Controle::ToolImprimer})
        EXPECT_FALSE(f.boite.Actif(c)) << Nom_Controle(c);
    EXPECT_FALSE(f.boite.Visible(Controle::Révolution));
    EXPECT_TRUE(f.programme.document.Nom_Fichier.isEmpty());
    EXPECT_FALSE(f.application.Fermeture_Permise);
    EXPECT_TRUE(f.messages.isEmpty());
    EXPECT_TRUE(f.boite.Messages().empty());
    EXPECT_EQ(f.application.Fichier_Aide, f.Aide());
}

// The layout of step 7 and the perihelion geometry kept for the Julian form.
TEST(FormCreate, DispositionDeLaFenetre) {
    struct Cas {
        const char* nom;
        QRect titre7;
        int largeur;  // of Fenetre and the frame
    };
    const Cas cas[] = {
        {"Titre7 de la fiche", {264, 119, 32, 13}, 700},
        {"Titre7 au bord", {640, 119, 40, 13}, 700},
        {"Titre7 au-delà", {660, 119, 40, 13}, 720},
    };
    for (const Cas& c : cas) {
        Fenetre_Memoire f;
        f.boite.Placer(Controle::Titre7, c.titre7);
        f.Creer({});
        EXPECT_EQ(f.boite.Geometrie(Controle::Fenetre), QRect(0, 248, c.largeur, 550)) << c.nom;
        EXPECT_EQ(f.boite.Geometrie(Controle::Fiche), QRect(0, Hauteur_Barre_Outils, c.largeur, 798))
            << c.nom;
        // Laid out 700 wide, then placed by default: no settings file yet.
        EXPECT_EQ(f.boite.Geometrie(Controle::Principale).width(), 600) << c.nom;
        EXPECT_EQ(f.boite.Geometrie(Controle::saisie_Jour_Perihelie).x(), 119) << c.nom;
        EXPECT_EQ(f.boite.Geometrie(Controle::saisie_Jour_Perihelie).width(), 65) << c.nom;
        EXPECT_EQ(f.boite.Geometrie(Controle::TitrePerihelie).width(), 92) << c.nom;
    }
}

TEST(FormCreate, FichierDAideAbsent) {
    QTemporaryDir vide;
    Fenetre_Memoire f;
    f.Creer({}, QDate(2024, 3, 5), vide.path());
    EXPECT_EQ(f.messages, QStringList{QStringLiteral("Le fichier d'aide est introuvable !")});
    // Start-up goes on.
    EXPECT_EQ(f.boite.Texte(Controle::saisie_An), QStringLiteral("2024"));
}

// An installed program finds its help under share/, a built one beside itself.
TEST(Chemin_Aide, AcotePuisDansLesDonneesInstallees) {
    struct Cas {
        const char* nom;
        bool a_cote;
        bool installee;
        const char* attendu;
    };
    const Cas cas[] = {
        {"a cote seulement", true, false, "bin/Trajectel.html"},
        {"installee seulement", false, true, "share/trajectel/Trajectel.html"},
        {"les deux", true, true, "bin/Trajectel.html"},
        {"aucune", false, false, "bin/Trajectel.html"},
    };
    for (const Cas& c : cas) {
        QTemporaryDir prefixe;
        const QDir racine(prefixe.path());
        ASSERT_TRUE(racine.mkpath(QStringLiteral("bin")) && racine.mkpath(QStringLiteral("share/trajectel")));
        for (const auto& [present, chemin] : {std::pair{c.a_cote, "bin/Trajectel.html"},
                                              std::pair{c.installee, "share/trajectel/Trajectel.html"}}) {
            QFile aide(racine.filePath(QString::fromUtf8(chemin)));
            if (present) {
                ASSERT_TRUE(aide.open(QIODevice::WriteOnly));
            }
        }
        EXPECT_EQ(Chemin_Aide(racine.filePath(QStringLiteral("bin"))),
                  racine.filePath(QString::fromUtf8(c.attendu)))
            << c.nom;
    }
}

// The file named on the command line: opened, missing, or failing half-way.
TEST(FormCreate, FichierDeLaLigneDeCommande) {
    QTemporaryDir dossier;
    const QString fautif = dossier.filePath(QStringLiteral("fautif.elt"));
    QFile source(Dossier_Exemples + QStringLiteral("/halley.elt"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray contenu = source.readAll();
    contenu.replace("0,9672725", "1a");
    QFile sortie(fautif);
    ASSERT_TRUE(sortie.open(QIODevice::WriteOnly));
    sortie.write(contenu);
    sortie.close();

    struct Cas {
        const char* nom;
        QString argument;
        const char* titre;
        bool document;
        bool page;
        Boite_Memoire::Genre genre;  // of the one message shown
        const char* message;         // nullptr when nothing is shown
    };
    const QString halley = Dossier_Exemples + QStringLiteral("/halley.elt");
    const Cas cas[] = {
        {"halley", halley, "Trajectel - halley.elt", true, true, Boite_Memoire::Genre::Bip, nullptr},
        {"absent", dossier.filePath(QStringLiteral("absent.elt")), "Trajectel", false, false,
         Boite_Memoire::Genre::Avertissement, "Erreur d'ouverture de fichier"},
        {"nombre illisible", fautif, "Trajectel", false, false, Boite_Memoire::Genre::Erreur,
         "'1a' n'est pas une valeur en virgule flottante correcte"},
    };
    for (const Cas& c : cas) {
        Fenetre_Memoire f;
        f.Creer(c.argument);
        EXPECT_EQ(f.Titre(), QString::fromUtf8(c.titre)) << c.nom;
        EXPECT_EQ(f.programme.document.Nom_Fichier, c.document ? c.argument : QString()) << c.nom;
        EXPECT_EQ(f.programme.historique.Entrees[0], c.document ? c.argument : QString()) << c.nom;
        EXPECT_EQ(f.boite.Visible(Controle::Fenetre) && f.programme.page.Page_Valide, c.page) << c.nom;
        // The print command follows the page; Save waits for a change.
        EXPECT_EQ(f.boite.Actif(Controle::Imprimer1), c.page) << c.nom;
        EXPECT_FALSE(f.boite.Actif(Controle::Enregistrer)) << c.nom;
        std::vector<Boite_Memoire::Message_Montre> montres;
        for (const auto& m : f.boite.Messages())
            if (m.genre != Boite_Memoire::Genre::Bip) montres.push_back(m);
        ASSERT_EQ(montres.size(), c.message ? 1u : 0u) << c.nom;
        if (!c.message) continue;
        EXPECT_EQ(montres[0].genre, c.genre) << c.nom;
        EXPECT_EQ(montres[0].texte, QString::fromUtf8(c.message)) << c.nom;
    }
}

TEST(FormCreate, HalleyRemplitLaFiche) {
    Fenetre_Memoire f;
    f.Creer(Dossier_Exemples + QStringLiteral("/halley.elt"));
    EXPECT_EQ(f.boite.Texte(Controle::Commentaire), QStringLiteral("1P/Halley"));
    EXPECT_EQ(f.boite.Texte(Controle::saisie_e), QStringLiteral("0,9672725"));
    EXPECT_NEAR(f.programme.el.e, 0.9672725, 1e-9);
    // The page of 31 days without telescope nor magnitude.
    EXPECT_EQ(f.boite.Geometrie(Controle::Fenetre).size(), QSize(660, 550));
    EXPECT_FALSE(f.programme.document.Modifie);
}

// The focus a user gives records the text of the control entered, once.
TEST(Aiguillage_Fiche, FocusUtilisateur) {
    using G = Evenement_Fiche::Genre;
    Fenetre_Memoire f;
    f.Creer({});
    Aiguillage_Fiche aiguillage(f.programme);
    f.boite.Ecrire_Texte(Controle::Commentaire, QStringLiteral("  Encke "));
    f.boite.Ecrire_Texte(Controle::saisie_i, QStringLiteral("11,78"));
    struct Cas {
        const char* nom;
        Evenement_Fiche e;
        const char* texte_ecrit;  // typed into the control before the event, nullptr for none
        Controle lu;
        const char* entree;
    };
    const Cas cas[] = {
        {"entrée dans saisie_i", {G::Focus, Controle::saisie_i, {}}, nullptr, Controle::saisie_i, "11,78"},
        {"retour du menu: rien", {G::Focus, Controle::saisie_i, {}}, "12", Controle::saisie_i, "11,78"},
        {"commentaire sans ses blancs",
         {G::Focus, Controle::Commentaire, {}},
         nullptr,
         Controle::Commentaire,
         "Encke"},
        {"retour dans saisie_i", {G::Focus, Controle::saisie_i, {}}, nullptr, Controle::saisie_i, "12"},
        {"un clic n'est pas un focus", {G::Clic, Controle::saisie_e, {}}, nullptr, Controle::saisie_e, ""},
        {"liste", {G::Focus, Controle::Liste_Pas, {}}, nullptr, Controle::Liste_Pas, "jours"},
    };
    for (const Cas& c : cas) {
        if (c.texte_ecrit) f.boite.Ecrire_Texte(c.e.controle, QString::fromUtf8(c.texte_ecrit));
        aiguillage.Traiter(c.e);
        EXPECT_EQ(f.programme.formulaire.Entree(c.lu), QString::fromUtf8(c.entree)) << c.nom;
    }
    EXPECT_EQ(aiguillage.Focus(), Controle::Liste_Pas);
    // Keys pass as typed.
    EXPECT_EQ(aiguillage.Traiter({G::Touche, Controle::saisie_e, QChar(u'7')}), QChar(u'7'));
}

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
        Fenetre_Memoire f;
        if (!c.contenu.isEmpty()) f.xdg.Ecrire(c.contenu);
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
        Fenetre_Memoire f;
        QFile ordinaire(f.xdg.Chemin("ordinaire"));
        ASSERT_TRUE(ordinaire.open(QIODevice::WriteOnly));
        f.Creer();
        const QString document = *c.document ? f.xdg.Chemin(c.document) : QString();
        f.programme.document.Nom_Fichier = document;
        f.programme.document.Modifie = c.modifie;
        f.programme.document.Erreur_Fichier = true;
        for (Reponse r : c.reponses) f.boite.Prevoir_Reponse(r);

        EXPECT_EQ(Quitter_Application(f.programme, f.application), c.fermeture) << c.nom;
        EXPECT_EQ(f.application.Fermeture_Permise, c.fermeture) << c.nom;
        EXPECT_EQ(f.Messages(Genre::Question), c.questions) << c.nom;
        EXPECT_EQ(f.programme.document.Modifie, c.modifie && !c.fermeture) << c.nom;
        EXPECT_EQ(f.programme.document.Erreur_Fichier, !c.fermeture) << c.nom;
        EXPECT_EQ(f.xdg.Lire().startsWith("[Trajectel 1.0.0]\r\n"), c.fermeture) << c.nom;
        EXPECT_EQ(f.boite.Controle_Focus(), Controle::saisie_q) << c.nom;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <memory>
#include <set>

#include "app/a_propos.h"
#include "app/aide.h"
#include "app/choix_objet_qt.h"
#include "app/commandes.h"
#include "app/dialogue_lieu.h"
#include "app/fenetre_nuit.h"
#include "app/fiche_qt.h"
#include "app/principale.h"
#include "app/widgets_fiche.h"
#include "application_essai.h"
#include "form/disposition_fiche.h"
#include "plateforme/boite_memoire.h"

namespace {

const QString Halley = Dossier_Exemples + QStringLiteral("/halley.elt");
const QDate Debut_Halley(1985, 11, 1);

std::unique_ptr<Principale> Ouvrir(const QString& argument = {}, QDate jour = QDate(2024, 3, 5)) {
    return std::make_unique<Principale>(Demarrage{Dossier_Programme, argument, jour}, true);
}

QWidget* Widget(Principale& f, Controle c) { return f.Boite().Widget(c); }

TEST(Principale, EtatAuDemarrage) {
    auto f = Ouvrir();
    Boite_Qt& b = f->Boite();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Trajectel"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(Widget(*f, Controle::saisie_Jour))->text(), QStringLiteral("5"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(Widget(*f, Controle::saisie_Mois))->text(), QStringLiteral("3"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(Widget(*f, Controle::saisie_An))->text(), QStringLiteral("2024"));
    struct Cas {
        Controle c;
        bool actif;
    };
    const Cas commandes[] = {
        {Controle::Enregistrer, false},    {Controle::ToolEnregistrer, false},
        {Controle::Imprimer1, false},      {Controle::ToolImprimer, false},
        {Controle::Couper, false},         {Controle::Copier, false},
        {Controle::Coller, true},          {Controle::Nouveau1, true},
        {Controle::EnregistrerSous, true},
    };
    for (const Cas& c : commandes) EXPECT_EQ(b.Action(c.c)->isEnabled(), c.actif) << Nom_Controle(c.c);
    // The tool button follows its command.
    QToolBar* barre = qobject_cast<QToolBar*>(Widget(*f, Controle::ToolBar1));
    EXPECT_FALSE(barre->widgetForAction(b.Action(Controle::ToolEnregistrer))->isEnabled());
    EXPECT_TRUE(barre->widgetForAction(b.Action(Controle::ToolOuvrir))->isEnabled());
    EXPECT_TRUE(Widget(*f, Controle::Révolution)->isHidden());
    EXPECT_TRUE(b.Messages().empty());
    EXPECT_EQ(f->Application().Fichier_Aide, Dossier_Programme + QStringLiteral("/Trajectel.html"));
}

// The frame built on widgets starts exactly as the in-memory one.
TEST(Fiche_Qt, CommeLaBoiteMemoire) {
    Boite_Qt qt;
    QWidget fiche;
    Fiche_Qt construite(&fiche, qt, [](const Evenement_Fiche& e) { return e.caractere; });
    Boite_Memoire memoire;
    Creer_Fiche(memoire);
    for (const Disposition_Controle& d : Disposition_Fiche()) {
        const Controle c = d.controle;
        EXPECT_EQ(qt.Texte(c), memoire.Texte(c)) << Nom_Controle(c);
        EXPECT_EQ(qt.Indice(c), memoire.Indice(c)) << Nom_Controle(c);
        EXPECT_EQ(qt.Longueur_Max(c), memoire.Longueur_Max(c)) << Nom_Controle(c);
        EXPECT_EQ(qt.Geometrie(c), memoire.Geometrie(c)) << Nom_Controle(c);
        EXPECT_EQ(qt.Police(c), memoire.Police(c)) << Nom_Controle(c);
        EXPECT_EQ(qt.Visible(c), memoire.Visible(c)) << Nom_Controle(c);
    }
    EXPECT_EQ(qobject_cast<QComboBox*>(qt.Widget(Controle::Liste_Pas))->count(), 4);
    // A label in the symbol face shows the Greek letter its caption stands for.
    EXPECT_EQ(qobject_cast<QLabel*>(qt.Widget(Controle::Label15))->text(), QStringLiteral("ω =  "));
    EXPECT_EQ(qobject_cast<QLabel*>(qt.Widget(Controle::Label18))->text(), QStringLiteral("Ω ="));
    qt.Ecrire_Police(Controle::Label15, QStringLiteral("Tahoma"));
    qt.Ecrire_Texte(Controle::Label15, QStringLiteral("L =  "));
    EXPECT_EQ(qobject_cast<QLabel*>(qt.Widget(Controle::Label15))->text(), QStringLiteral("L =  "));
    EXPECT_EQ(qt.Texte(Controle::Label15), QStringLiteral("L =  "));
}

// A hint's short part is the tooltip, its long part goes to the status bar.
TEST(Principale, IndicesEtBarreDEtat) {
    struct Cas {
        Controle c;
        const char* bulle;
        const char* etat;
    };
    const Cas cas[] = {
        {Controle::saisie_e, "Excentricité de l'orbite", "Excentricité de l'orbite"},
        {Controle::Liste_Instruments, "Choisir un télescope",
         "Cette liste répertorie certains télescopes de l'OBVA ou de ses membres"},
        {Controle::AnPlus, "+1 An", "+1 An"},
    };
    auto f = Ouvrir();
    auto* etat = qobject_cast<QStatusBar*>(Widget(*f, Controle::StatusBar));
    for (const Cas& c : cas) {
        QWidget* w = Widget(*f, c.c);
        EXPECT_EQ(w->toolTip(), QString::fromUtf8(c.bulle)) << Nom_Controle(c.c);
        QStatusTipEvent survol(w->statusTip());
        QApplication::sendEvent(w, &survol);
        EXPECT_EQ(etat->currentMessage(), QString::fromUtf8(c.etat)) << Nom_Controle(c.c);
    }
}

QAction* Article(QMenuBar* barre, const QString& menu, const QString& legende) {
    for (QAction* m : barre->actions()) {
        if (m->text() != menu || !m->menu()) continue;
        for (QAction* a : m->menu()->actions())
            if (a->text() == legende) return a;
    }
    return nullptr;
}

TEST(Principale, MenusEtRaccourcis) {
    struct Cas {
        const char* menu;
        const char* legende;
        const char* raccourci;
        const char* bulle;
        const char* etat;
        int aide;
    };
    const Cas cas[] = {
        {"&Fichier", "&Nouveau", "Ctrl+N", "Nouveau", "Créer un nouveau fichier", 1003},
        {"&Fichier", "&Enregistrer", "Ctrl+E", "Enregistrer", "Enregistrer le fichier en cours", 1003},
        {"&Fichier", "Enregistrer &sous...", "Ctrl+S", "Enregistrer sous",
         "Enregistrer le fichier en cours sous un nouveau nom", 1003},
        {"&Fichier", "Imprimer", "Ctrl+I", "Imprimer ", "Imprimer l'éphéméride", 1003},
        {"&Fichier", "&Quitter", "", "Quitter", "Quitter l'application", 1003},
        {"&Fichier", "Mettre à jour les catalogues…", "", "Mettre à jour les catalogues",
         "Télécharger les catalogues de comètes et de petites planètes du MPC qui ont changé", 1003},
        {"&Edition", "Co&ller", "Ctrl+V", "Coller", "Insérer le contenu du Presse-papiers", 1004},
        {"&Dates", "Date julienne pour l'équinoxe éphéméride", "Ctrl+M",
         "Date julienne pour l'équinoxe éphéméride", "", 1005},
        {"&Dates", "Date julienne pour le périhélie", "Ctrl+D", "Date julienne pour le périhélie", "", 1005},
        {"&Monture", "Connexion…", "", "Connexion", nullptr, 1007},
        {"&Monture", "Pointer et suivre", "", "Pointer et suivre", nullptr, 1007},
        {"&Monture", "Arrêter le suivi", "", "Arrêter le suivi", nullptr, 1007},
        {"&Monture", "Déconnecter", "", "Déconnecter", "Fermer la connexion au serveur INDI", 1007},
        {"&Aide", "Aide", "", "Aide", "Afficher le fichier d'aide", 1000},
        {"&Aide", "A &propos de Trajectel", "Ctrl+P", "A propos", nullptr, 1000},
    };
    auto f = Ouvrir();
    for (const Cas& c : cas) {
        const QAction* a = Article(f->menuBar(), QString::fromUtf8(c.menu), QString::fromUtf8(c.legende));
        ASSERT_NE(a, nullptr) << c.legende;
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromUtf8(c.raccourci))) << c.legende;
        EXPECT_EQ(a->toolTip(), QString::fromUtf8(c.bulle)) << c.legende;
        if (c.etat) {
            EXPECT_EQ(a->statusTip(), QString::fromUtf8(c.etat)) << c.legende;
        }
        EXPECT_EQ(Contexte_Aide(a), c.aide) << c.legende;
    }
    QStringList menus;
    for (QAction* m : f->menuBar()->actions()) menus << m->text() + u'|' + m->statusTip();
    EXPECT_EQ(menus, QStringList({"&Fichier|Commandes liées aux fichiers", "&Edition|Commandes d'édition",
                                  "&Dates|Format des dates", "&Monture|Suivre l'astre avec une monture INDI",
                                  "&Aide|Rubriques d'aide"}));
}

TEST(Principale, BarreDOutilsDansSonOrdre) {
    auto f = Ouvrir();
    Boite_Qt& b = f->Boite();
    const Controle boutons[] = {
        Controle::ToolNouveau,         Controle::ToolOuvrir,   Controle::ToolEnregistrer,
        Controle::ToolEnregistrerSous, Controle::ToolImprimer, Controle::ToolCouper,
        Controle::ToolCopier,          Controle::ToolColler,   Controle::ToolAide};
    const QList<QAction*> actions = qobject_cast<QToolBar*>(Widget(*f, Controle::ToolBar1))->actions();
    QStringList vus;
    for (const QAction* a : actions) vus << (a->isSeparator() ? QStringLiteral("|") : a->toolTip());
    EXPECT_EQ(vus, QStringList({"Nouveau", "Ouvrir", "Enregistrer", "Enregistrer sous", "|", "Imprimer ", "|",
                                "Couper", "Copier", "Coller", "|", "Aide"}));
    for (Controle c : boutons) EXPECT_FALSE(b.Action(c)->icon().isNull()) << Nom_Controle(c);
}

// The controls of every form of the frame stay clear of each other as the
// fonts of this system draw them.
TEST(Principale, AucunControleNeSeChevauche) {
    struct Changement {
        Controle c;
        const char* legende;  // nullptr: unchanged
        int gauche;           // -1: unchanged
        int largeur;          // -1: unchanged
    };
    struct Cas {
        const char* nom;
        std::vector<Changement> changements;
        std::vector<Controle> caches;
    };
    const Cas cas[] = {
        {"création", {{Controle::Révolution, "Durée de révolution = 75,97 ans", -1, -1}}, {}},
        {"révolution en jours", {{Controle::Révolution, "Durée de révolution = 1 234,56 jours", -1, -1}}, {}},
        {"périhélie julien",
         {{Controle::TitrePerihelie, "Date du périhélie JJ =", -1, 110},
          {Controle::saisie_Jour_Perihelie, nullptr, 118, 96}},
         {Controle::saisie_Mois_Perihelie, Controle::saisie_An_Perihelie}},
        {"équinoxes juliens",
         {{Controle::Label26, "Equinoxe des éléments JJ =", -1, -1},
          {Controle::Equinoxe, nullptr, 165, -1},
          {Controle::Label29, "Equinoxe éphéméride JJ =", 328, -1}},
         {}},
        {"équinoxe remis à zéro", {{Controle::Label29, "Equinoxe éphéméride =", 345, -1}}, {}},
        {"longitude du périhélie",
         {{Controle::Label15, "L =  ", -1, -1}, {Controle::Label16, "longitude du périhélie =", -1, -1}},
         {}},
    };
    for (const Cas& c : cas) {
        auto f = Ouvrir();
        Boite_Qt& b = f->Boite();
        b.Montrer(Controle::Révolution, true);
        for (const Changement& ch : c.changements) {
            if (ch.legende) b.Ecrire_Texte(ch.c, QString::fromUtf8(ch.legende));
            QRect g = b.Geometrie(ch.c);
            if (ch.gauche >= 0) g.moveLeft(ch.gauche);
            if (ch.largeur >= 0) g.setWidth(ch.largeur);
            b.Placer(ch.c, g);
        }
        for (Controle cache : c.caches) b.Montrer(cache, false);
        std::vector<std::pair<Controle, QRect>> places;
        for (const Disposition_Controle& d : Disposition_Fiche())
            if (d.controle != Controle::Fenetre && b.Visible(d.controle))
                places.emplace_back(d.controle, Widget(*f, d.controle)->geometry());
        for (std::size_t i = 0; i < places.size(); ++i)
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(places[i].second.intersects(places[j].second))
                    << c.nom << ": " << Nom_Controle(places[i].first) << " et "
                    << Nom_Controle(places[j].first);
    }
}

// halley.elt on the command line: its document, and its page at its size,
// drawn into the image.
TEST(Principale, FichierDeLaLigneDeCommande) {
    auto f = Ouvrir(Halley, Debut_Halley);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Trajectel - halley.elt"));
    EXPECT_EQ(f->Etat_Programme().document.Nom_Fichier, Halley);
    auto* image = dynamic_cast<Image_Page*>(Widget(*f, Controle::Fenetre));
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(image->isHidden());
    EXPECT_EQ(image->size(), QSize(660, 550));
    EXPECT_TRUE(f->Boite().Action(Controle::Imprimer1)->isEnabled());
    EXPECT_FALSE(f->Boite().Action(Controle::Enregistrer)->isEnabled());
    // Drawn at the screen's resolution (the suite also runs at scale factor 2):
    // dark pixels along the header's rule, none beyond the table on the right.
    const QImage dessin = image->Image_Affichee();
    const int r = qRound(image->devicePixelRatioF());
    EXPECT_EQ(dessin.devicePixelRatio(), image->devicePixelRatioF());
    ASSERT_EQ(dessin.size(), QSize(660, 550) * r);
    int sombres_regle = 0;
    int sombres_marge = 0;
    for (int x = 0; x < dessin.width(); ++x) {
        for (int y = 0; y < dessin.height(); ++y) {
            const bool sombre = qAlpha(dessin.pixel(x, y)) > 128 && qGray(dessin.pixel(x, y)) < 128;
            if (sombre && y == 20 * r) ++sombres_regle;
            if (sombre && x > 470 * r) ++sombres_marge;
        }
    }
    EXPECT_GE(sombres_regle, 400 * r);
    EXPECT_EQ(sombres_marge, 0);
}

TEST(Principale, FichierAbsent) {
    auto f = Ouvrir(QStringLiteral("/nulle/part/halley.elt"));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Trajectel"));
    EXPECT_TRUE(f->Etat_Programme().document.Nom_Fichier.isEmpty());
    const auto& messages = f->Boite().Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].genre, Boite_Qt::Genre_Message::Avertissement);
    EXPECT_EQ(messages[0].titre, QStringLiteral("Trajectel - Ouvrir un fichier"));
    EXPECT_EQ(messages[0].texte, QStringLiteral("Erreur d'ouverture de fichier"));
}

// The text pdftotext reads from a PDF, empty when the tool is missing.
QString Texte_Pdf(const QString& chemin) {
    const QString outil = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (outil.isEmpty()) return {};
    QProcess p;
    p.start(outil, {QStringLiteral("-layout"), chemin, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(Principale, ImpressionDansUnPdf) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("halley.pdf"));
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(chemin);
    auto f = Ouvrir(Halley, Debut_Halley);
    f->Boite().Fixer_Imprimante(&imprimante);
    f->Executer(Controle::Imprimer);

    QFile pdf(chemin);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray octets = pdf.readAll();
    ASSERT_TRUE(octets.startsWith("%PDF"));
    EXPECT_EQ(octets.count("/Type /Page\n") + octets.count("/Type /Page\r") + octets.count("/Type /Page/") +
                  octets.count("/Type /Page "),
              1);
    const QString texte = Texte_Pdf(chemin);
    if (texte.isEmpty()) GTEST_SKIP() << "pdftotext absent: contenu non lu";
    EXPECT_TRUE(texte.contains(QStringLiteral("Ephéméride de 1P/Halley")));
    EXPECT_TRUE(texte.contains(QStringLiteral("Distance")));
    // 31 rows of November and early December 1985, each with its distance.
    const QRegularExpression ligne(QStringLiteral(R"(^\s*\d\d[.,]00\s+1[12]\s+1985\s.*UA)"),
                                   QRegularExpression::MultilineOption);
    EXPECT_EQ(texte.count(ligne), 31);
    // The screen stays as it was.
    EXPECT_EQ(Widget(*f, Controle::Fenetre)->size(), QSize(660, 550));
}

// The scroll bars move the whole frame, in percent of its size.
TEST(Principale, BarresDeDefilement) {
    auto f = Ouvrir(Halley, Debut_Halley);
    f->resize(400, 500);
    f->show();
    QApplication::processEvents();
    Boite_Qt& b = f->Boite();
    const int haut_outils = b.Geometrie(Controle::ToolBar1).height();
    ASSERT_TRUE(b.Visible(Controle::VerticalBar));
    ASSERT_TRUE(b.Visible(Controle::HorizontalBar));
    b.Ecrire_Position_Barre(Controle::VerticalBar, 20);
    EXPECT_EQ(b.Geometrie(Controle::Fiche).top(), -(20 * 798) / 100 + haut_outils + 1);
    b.Ecrire_Position_Barre(Controle::HorizontalBar, 30);
    EXPECT_EQ(b.Geometrie(Controle::Fiche).left(), -(30 * 660) / 100);
    EXPECT_EQ(Widget(*f, Controle::Fiche)->pos(), b.Geometrie(Controle::Fiche).topLeft());
}

// A focus the user gives reaches the program; a key passes into the field.
TEST(Principale, FocusEtTouches) {
    auto f = Ouvrir(Halley, Debut_Halley);
    f->show();
    f->activateWindow();
    QApplication::setActiveWindow(f.get());
    auto* champ = qobject_cast<QLineEdit*>(Widget(*f, Controle::saisie_i));
    const QString inclinaison = champ->text();
    ASSERT_FALSE(inclinaison.isEmpty());
    champ->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(f->Etat_Programme().formulaire.Entree(Controle::saisie_i), inclinaison);
    champ->end(false);
    QKeyEvent touche(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    QApplication::sendEvent(champ, &touche);
    EXPECT_EQ(champ->text(), inclinaison + u'7');
}

TEST(AboutBox, TextesEtBouton) {
    auto f = Ouvrir();
    f->Preparer_A_Propos();
    AboutBox& boite = f->A_Propos();
    EXPECT_EQ(boite.windowTitle(), QStringLiteral("A propos de Trajectel"));
    EXPECT_EQ(boite.ProductName->text(), QStringLiteral("Trajectel - Version " TRAJECTEL_VERSION));
    EXPECT_TRUE(
        boite.About1->text().startsWith(QStringLiteral("Logiciel de calcul d'éphémérides astronomiques.")));
    EXPECT_EQ(boite.OKButton->text(), QStringLiteral("Ch'est parti biloute !"));
    EXPECT_TRUE(boite.OKButton->isDefault());
    for (const QLabel* texte : {boite.About2, boite.About3, boite.About4})
        EXPECT_FALSE(texte->text().isEmpty());
    EXPECT_TRUE(boite.About2->text().contains(QStringLiteral("GPL version 3 ou ultérieure")));
}

// The help opens at its table of contents, and every help context of the
// frame and of the commands has its topic in the document.
TEST(Fenetre_Aide, SommaireEtRubriques) {
    auto f = Ouvrir();
    f->AfficheAideExecute();
    Fenetre_Aide& aide = f->Aide();
    EXPECT_TRUE(aide.isVisible());
    QUrl attendue = QUrl::fromLocalFile(f->Application().Fichier_Aide);
    attendue.setFragment(QStringLiteral("sommaire"));
    EXPECT_EQ(aide.Navigateur()->source(), attendue);
    EXPECT_EQ(aide.Navigateur()->documentTitle(), QStringLiteral("Aide de Trajectel"));

    QFile fichier(f->Application().Fichier_Aide);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(fichier.readAll());
    std::set<int> contextes;
    for (const Disposition_Controle& d : Disposition_Fiche()) contextes.insert(d.aide);
    for (const Commande& c : Commandes()) contextes.insert(c.aide);
    contextes.insert({Aide_Lieu, Aide_Import});
    for (int contexte : contextes)
        EXPECT_TRUE(html.contains(QStringLiteral("id=\"%1\"").arg(Ancre_Contexte(contexte)))) << contexte;
}

// F1 in a dialog opens the help at the dialog's topic, in a window the
// dialog does not block; Echap closes it; it is the main window's again after.
TEST(Fenetre_Aide, F1DansLesDialoguesPuisEchap) {
    struct Deux_Objets : Source_Objets {
        int Nombre() const override { return 2; }
        Ligne_Objet Ligne(int rang) const override { return {QStringLiteral("C/%1").arg(rang), {}, {}, {}}; }
        std::vector<int> Chercher(const QString&) const override { return {0, 1}; }
    } source;
    auto f = Ouvrir();
    f->show();
    struct Cas {
        const char* nom;
        std::function<void()> ouvrir;
        int contexte;
    };
    const Cas cas[] = {
        {"lieu", [&] { f->Executer(Controle::EditSite1); }, Aide_Lieu},
        {"choix d'un objet", [&] { f->Boite().Choisir_Objet(QStringLiteral("Trajectel - Choisir"), source); },
         Aide_Import},
    };
    for (const Cas& c : cas) {
        QString ancre;
        bool fermee = false;
        QTimer::singleShot(0, [&] {
            QWidget* d = QApplication::activeModalWidget();
            if (!d) return;
            QApplication::setActiveWindow(d);
            QTest::keyClick(d, Qt::Key_F1);
            QApplication::processEvents();
            ancre = f->Aide().Navigateur()->source().fragment();
            QTest::keyClick(f->Aide().Navigateur(), Qt::Key_Escape);
            QApplication::processEvents();
            fermee = !f->Aide().isVisible();
            d->close();
        });
        c.ouvrir();
        QApplication::processEvents();
        EXPECT_EQ(ancre, Ancre_Contexte(c.contexte)) << c.nom;
        EXPECT_TRUE(fermee) << c.nom;
        EXPECT_EQ(f->Aide().parentWidget(), f.get()) << c.nom;
    }
}

// Every window the program opens besides the main one says whose it is.
TEST(Principale, TitresDesDialogues) {
    auto f = Ouvrir();
    Dialogue_Lieu lieu(std::nullopt, Notation{}, {}, f.get());
    const std::pair<const char*, QString> fenetres[] = {
        {"lieu", lieu.windowTitle()},
        {"nuit", f->Nuit().windowTitle()},
        {"aide", f->Aide().windowTitle()},
    };
    for (const auto& [nom, titre] : fenetres)
        EXPECT_TRUE(titre.startsWith(QStringLiteral("Trajectel - "))) << nom << ' ' << titre.toStdString();
}

// A file dragged onto the window is taken as a copy, whatever the source
// proposes; a source that offers only to move it is refused.
TEST(Principale, FichierDeposeEnCopie) {
    struct Cas {
        const char* nom;
        Qt::DropActions possibles;
        Qt::DropAction proposee;
        bool accepte;
    };
    const Cas cas[] = {
        {"copie ou déplacement, déplacement proposé", Qt::CopyAction | Qt::MoveAction, Qt::MoveAction, true},
        {"copie seule", Qt::CopyAction, Qt::CopyAction, true},
        {"déplacement seul", Qt::MoveAction, Qt::MoveAction, false},
    };
    auto f = Ouvrir(Halley, Debut_Halley);
    f->show();
    QMimeData donnees;
    donnees.setUrls({QUrl::fromLocalFile(Halley)});
    for (const Cas& c : cas) {
        QDragEnterEvent entree(QPoint(10, 10), c.possibles, &donnees, Qt::LeftButton, Qt::NoModifier);
        entree.setDropAction(c.proposee);
        entree.ignore();
        QApplication::sendEvent(f.get(), &entree);
        EXPECT_EQ(entree.isAccepted(), c.accepte) << c.nom;
        if (c.accepte) {
            EXPECT_EQ(entree.dropAction(), Qt::CopyAction) << c.nom;
        }
        QDropEvent depot(QPointF(10, 10), c.possibles, &donnees, Qt::LeftButton, Qt::NoModifier);
        depot.setDropAction(c.proposee);
        depot.ignore();
        QApplication::sendEvent(f.get(), &depot);
        QApplication::processEvents();
        EXPECT_EQ(depot.isAccepted(), c.accepte) << c.nom;
        if (c.accepte) {
            EXPECT_EQ(depot.dropAction(), Qt::CopyAction) << c.nom;
        }
    }
    EXPECT_TRUE(QFile::exists(Halley));
}

TEST(Principale, Quitter) {
    auto f = Ouvrir();
    f->show();
    f->Executer(Controle::FileExit1);
    EXPECT_TRUE(f->Application().Fermeture_Permise);
    EXPECT_FALSE(f->isVisible());
}

}  // namespace

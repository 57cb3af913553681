#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/choix_objet_qt.h"
#include "app/principale.h"
#include "app/widgets_fiche.h"
#include "application_essai.h"
#include "support/orbites_exemple.h"

namespace {

using C = Controle;

const QString Halley = Dossier_Exemples + QStringLiteral("/halley.elt");

struct Fenetre_Import : Fenetre_Active {
    QTemporaryDir dossier;

    Fenetre_Import() : Fenetre_Active(Halley, QDate(2024, 3, 5)) {}
    QString Fichier(const char* nom, const QByteArray& contenu) {
        const QString chemin = dossier.filePath(QString::fromUtf8(nom));
        QFile fichier(chemin);
        EXPECT_TRUE(fichier.open(QIODevice::WriteOnly) && fichier.write(contenu) == contenu.size()) << nom;
        return chemin;
    }
    bool Page_Montree() {
        auto* image = dynamic_cast<Image_Page*>(Widget(C::Fenetre));
        return image && image->isVisible() && !image->Image_Affichee().isNull();
    }
    void Raccourci(C champ, Qt::Key touche) {
        Cliquer(champ);
        Touche(champ, touche, Qt::ControlModifier | Qt::ShiftModifier);
    }
    // The orbit imported is the document shown, unnamed and modified.
    void Verifier_Importe(const char* commentaire, const char* an) {
        EXPECT_EQ(Texte(C::Commentaire).toStdString(), commentaire);
        EXPECT_EQ(Texte(C::saisie_An_Perihelie).toStdString(), an);
        EXPECT_EQ(Texte(C::Principale), QStringLiteral("Trajectel"));
        EXPECT_TRUE(p().document.Modifie);
        EXPECT_TRUE(p().document.Nom_Fichier.isEmpty());
        EXPECT_TRUE(Page_Montree());
    }
};

// Ctrl+Shift+O from a field, a file of three comets, "bopp" typed in the
// chooser, Enter: the page shows Hale-Bopp, as an unnamed modified document.
TEST(Import_Fenetre, Fichier_Recherche_Et_Choix) {
    Fenetre_Import w;
    const QString chemin = w.Fichier("CometEls.txt", QByteArray::fromStdString(Texte_Trois_Cometes));
    w.f->Boite().Dialogue_Essai = [&](const Dialogue_Fichier&) { return std::optional<QString>(chemin); };

    int lignes_toutes = -1;
    int lignes_bopp = -1;
    Quand_Montre<Dialogue_Choix_Objet>([&](Dialogue_Choix_Objet& d) {
        lignes_toutes = d.Liste()->model()->rowCount();
        QTest::keyClicks(d.Recherche(), QStringLiteral("BoPP"));
        lignes_bopp = d.Liste()->model()->rowCount();
        QTest::keyClick(d.Recherche(), Qt::Key_Return);
    });
    w.Raccourci(C::saisie_e, Qt::Key_O);

    EXPECT_EQ(lignes_toutes, 3);
    EXPECT_EQ(lignes_bopp, 1);
    w.Verifier_Importe("C/1995 O1 (Hale-Bopp)", "1997");
    EXPECT_TRUE(w.b().Actif(C::Enregistrer));
    EXPECT_EQ(w.Texte(C::StatusBar),
              QStringLiteral("Éléments de C/1995 O1 (Hale-Bopp) importés de CometEls.txt"));
}

// A search that leaves nothing disables OK, and Enter then keeps the chooser
// open; the long name chosen then shows from its start in its field.
TEST(Import_Fenetre, Liste_Vide_Et_Nom_Long) {
    Fenetre_Import w;
    const char* const long_nom = "C/2020 X1 (un nom de comète bien plus long que le champ qui le montre)";
    const QString chemin =
        w.Fichier("CometEls.txt", QByteArray::fromStdString(Texte_Trois_Cometes) + long_nom +
                                      ",p,05/02.125/2021,45.6,120.3,1.234,210.5,2000\n");
    w.f->Boite().Dialogue_Essai = [&](const Dialogue_Fichier&) { return std::optional<QString>(chemin); };

    bool ok_vide = true;
    bool ouvert_apres_entree = false;
    bool ok_retrouve = false;
    Quand_Montre<Dialogue_Choix_Objet>([&](Dialogue_Choix_Objet& d) {
        auto* ok = d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QTest::keyClicks(d.Recherche(), QStringLiteral("zzz"));
        ok_vide = ok->isEnabled();
        QTest::keyClick(d.Recherche(), Qt::Key_Return);
        ouvert_apres_entree = d.isVisible();
        d.Recherche()->clear();
        QTest::keyClicks(d.Recherche(), QStringLiteral("plus long"));
        ok_retrouve = ok->isEnabled();
        QTest::keyClick(d.Recherche(), Qt::Key_Return);
    });
    w.Raccourci(C::saisie_e, Qt::Key_O);

    EXPECT_FALSE(ok_vide);
    EXPECT_TRUE(ouvert_apres_entree);
    EXPECT_TRUE(ok_retrouve);
    w.Verifier_Importe(long_nom, "2021");
    auto* de = qobject_cast<QLineEdit*>(w.Widget(C::Commentaire));
    ASSERT_TRUE(de);
    EXPECT_EQ(de->cursorPosition(), 0);
    EXPECT_EQ(de->selectedText(), de->text());
}

// One line on the clipboard, Ctrl+Shift+V in a field: the save prompt of the
// modified document, then the page of that orbit.
TEST(Import_Fenetre, Coller_Une_Ligne) {
    Fenetre_Import w;
    QStringList questions;
    w.f->Boite().Reponse_Essai = [&](const QString& q) {
        questions << q;
        return Reponse::Non;
    };
    w.p().document.Modifie = true;
    QGuiApplication::clipboard()->setText(QString::fromLatin1(Ligne_Ceres));
    w.Raccourci(C::saisie_q, Qt::Key_V);

    EXPECT_EQ(questions.size(), 1);
    w.Verifier_Importe("(1) Ceres", "2018");
    EXPECT_TRUE(w.Texte(C::StatusBar).endsWith(QStringLiteral("collés du presse-papiers")));
}

// A file dropped on the window: an element file is opened under its name,
// any other is imported unnamed; a drop of no file is refused.
TEST(Import_Fenetre, Fichiers_Deposes) {
    const struct {
        const char* nom;
        QByteArray contenu;
        const char* commentaire;
        bool nomme;
    } cas[] = {
        {"ceres.txt", QByteArray(Ligne_Ceres) + "\n", "(1) Ceres", false},
        {"copie.ELT", {}, "1P/Halley", true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Fenetre_Import w;
        const QString chemin =
            c.contenu.isEmpty() ? w.dossier.filePath(QString::fromUtf8(c.nom)) : w.Fichier(c.nom, c.contenu);
        if (c.contenu.isEmpty()) {
            ASSERT_TRUE(QFile::copy(Halley, chemin));
        }
        w.p().document.Nom_Fichier.clear();
        QMimeData donnees;
        donnees.setUrls({QUrl::fromLocalFile(chemin)});
        // What the window's drop handler does; the toolkit hands it only the
        // drops of a real drag.
        EXPECT_TRUE(w.f->Deposer(&donnees));
        QApplication::processEvents();
        EXPECT_TRUE(w.Texte(C::Commentaire).startsWith(QString::fromUtf8(c.commentaire)))
            << w.Texte(C::Commentaire).toStdString();
        EXPECT_EQ(w.p().document.Nom_Fichier, c.nomme ? chemin : QString());
        EXPECT_TRUE(w.Page_Montree());
        QMimeData texte;
        texte.setText(QStringLiteral("du texte"));
        EXPECT_FALSE(w.f->Deposer(&texte));
    }
}

}  // namespace

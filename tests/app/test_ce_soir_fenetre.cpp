// The "Ce soir…" dialog as a user meets it: the list of the made-up
// catalogue, sorted by a click on a column's header, a row double-clicked
// into the form, the export, a cancel, and a night that never gets dark.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include "app/dialogue_ce_soir.h"
#include "application_essai.h"
#include "support/copies_essai.h"

namespace {

using C = Controle;
const QString Catalogue = QStringLiteral(TRAJECTEL_DONNEES_TESTS "/ce_soir/catalogue.txt");
constexpr qint64 Attente_Maximale = 60000;  // milliseconds

Site_Observation Site(double latitude, double longitude) {
    Site_Observation s;
    s.lieu = {latitude, longitude, 0};
    s.Nom = QStringLiteral("Essai");
    return s;
}

// Until the thread is done, as the window's own loop would run meanwhile.
bool Attendre(Dialogue_Ce_Soir& d) {
    QElapsedTimer t;
    t.start();
    while (d.En_Cours() && t.elapsed() < Attente_Maximale) QTest::qWait(20);
    return !d.En_Cours();
}

double Valeur(const Dialogue_Ce_Soir& d, int rang, int colonne) {
    return d.Tri->index(rang, colonne).data(Qt::UserRole).toDouble();
}

TEST(Ce_Soir_Fenetre, ListeTriChargementExport) {
    Fenetre_Active w;
    w.p().site = Site(44, 5.7);
    Dialogue_Ce_Soir d(w.p(), {Catalogue}, w.f.get());
    d.show();
    d.Date->setDate(QDate(2026, 3, 15));
    QTest::mouseClick(d.Calculer, Qt::LeftButton);
    ASSERT_TRUE(Attendre(d));
    ASSERT_NE(d.Liste(), nullptr);
    const int n = d.Tri->rowCount();
    ASSERT_GT(n, 5);
    EXPECT_EQ(n, static_cast<int>(d.Liste()->lignes.size()));
    // To look at it: the dialog as drawn, into a folder of one's choosing.
    const QString captures = qEnvironmentVariable("TRAJECTEL_CAPTURES");
    if (!captures.isEmpty()) d.grab().save(captures + QStringLiteral("/ce_soir.png"));
    for (int k = 1; k < n; ++k) EXPECT_LE(Valeur(d, k - 1, 1), Valeur(d, k, 1)) << "magnitude " << k;

    // A click on "Hauteur" sorts by altitude, a second one the other way.
    QHeaderView* entete = d.Table->horizontalHeader();
    const QPoint hauteur(entete->sectionViewportPosition(2) + 5, entete->height() / 2);
    for (int clic = 0; clic < 2; ++clic) {
        QTest::mouseClick(entete->viewport(), Qt::LeftButton, {}, hauteur);
        const double sens = entete->sortIndicatorOrder() == Qt::AscendingOrder ? 1 : -1;
        EXPECT_EQ(entete->sortIndicatorSection(), 2);
        for (int k = 1; k < n; ++k)
            EXPECT_LE(sens * Valeur(d, k - 1, 2), sens * Valeur(d, k, 2)) << clic << " " << k;
    }

    // The third row, double-clicked, becomes the document, its ephemeris starting that night.
    const QString objet = d.Tri->index(2, 0).data().toString();
    const QRect cellule = d.Table->visualRect(d.Tri->index(2, 0));
    // A double-click is a click, then a second press the system reports as a double one.
    QTest::mouseClick(d.Table->viewport(), Qt::LeftButton, {}, cellule.center());
    QTest::mouseDClick(d.Table->viewport(), Qt::LeftButton, {}, cellule.center());
    QApplication::processEvents();
    EXPECT_EQ(w.Texte(C::Commentaire), objet);
    EXPECT_EQ(w.Texte(C::saisie_Jour), QStringLiteral("15"));
    EXPECT_EQ(w.Texte(C::saisie_Mois), QStringLiteral("3"));
    EXPECT_EQ(w.Texte(C::saisie_An), QStringLiteral("2026"));
    EXPECT_TRUE(w.p().document.Modifie);

    // The export follows the table's order, with the separator chosen.
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("ce_soir.tsv"));
    EXPECT_TRUE(d.Exporter_Vers(chemin, ',').isEmpty());
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lignes = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lignes.size(), n + 1);
    EXPECT_TRUE(lignes[0].startsWith(QStringLiteral("Objet\tMagnitude\tHauteur\tHeure TU\t")));
    for (int k = 0; k < n; ++k) {
        const QStringList cellules = lignes[k + 1].split(u'\t');
        EXPECT_EQ(cellules[0], d.Tri->index(k, 0).data().toString());
        EXPECT_TRUE(cellules[2].contains(u',')) << cellules[2].toStdString();
    }
}

// Cancel at once over a long catalogue: the dialog says so and can compute again.
TEST(Ce_Soir_Fenetre, Annuler) {
    QTemporaryDir dossier;
    const QString long_ = dossier.filePath(QStringLiteral("long.txt"));
    QFile source(Catalogue), copie(long_);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly) && copie.open(QIODevice::WriteOnly));
    const QByteArray texte = source.readAll();
    for (int k = 0; k < 300; ++k) copie.write(texte);
    copie.close();
    Fenetre_Active w;
    w.p().site = Site(44, 5.7);
    Dialogue_Ce_Soir d(w.p(), {long_}, w.f.get());
    d.show();
    d.Date->setDate(QDate(2026, 3, 15));
    QTest::mouseClick(d.Calculer, Qt::LeftButton);
    EXPECT_TRUE(d.En_Cours());
    EXPECT_FALSE(d.Calculer->isEnabled());
    QTest::mouseClick(d.Annuler, Qt::LeftButton);
    ASSERT_TRUE(Attendre(d));
    EXPECT_EQ(d.Remarques->text(), QStringLiteral("Calcul interrompu."));
    EXPECT_TRUE(d.Calculer->isEnabled());
    EXPECT_EQ(d.Tri->rowCount(), 0);
}

// High latitude in summer: the question, then the darkest stretch once accepted.
TEST(Ce_Soir_Fenetre, NuitJamaisNoire) {
    Fenetre_Active w;
    w.p().site = Site(62, 25);
    QString question;
    w.b().Reponse_Essai = [&](const QString& q) {
        question = q;
        return Reponse::Oui;
    };
    Dialogue_Ce_Soir d(w.p(), {Catalogue}, w.f.get());
    d.Date->setDate(QDate(2026, 6, 15));
    d.Lancer();
    ASSERT_TRUE(Attendre(d));
    ASSERT_TRUE(Attendre(d));  // the list over the darkest stretch, started by the answer
    EXPECT_TRUE(question.startsWith(QStringLiteral("Le Soleil ne descend pas sous −18°")))
        << question.toStdString();
    ASSERT_NE(d.Liste(), nullptr);
    EXPECT_FALSE(d.Liste()->nuit.noire);
    EXPECT_EQ(d.Liste()->issue, Liste_Ce_Soir::Issue::Calculee);
    EXPECT_GT(d.Tri->rowCount(), 0);
    w.b().Reponse_Essai = nullptr;
}

// Without a site, the menu item opens the site's dialog; closed, the list is refused.
TEST(Ce_Soir_Fenetre, SansLieu) {
    Fenetre_Active w;
    w.p().site.reset();
    QAction* article = w.Article(QStringLiteral("&Dates"), QStringLiteral("Ce soir…"));
    ASSERT_NE(article, nullptr);
    QString ouvert;
    QTimer::singleShot(0, [&] {
        if (QWidget* m = QApplication::activeModalWidget()) {
            ouvert = m->windowTitle();
            m->close();
        }
    });
    article->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(ouvert.contains(QStringLiteral("Lieu"))) << ouvert.toStdString();
    ASSERT_FALSE(w.b().Messages().empty());
    EXPECT_TRUE(
        w.b().Messages().back().texte.startsWith(QStringLiteral("La liste de ce soir demande un lieu")));
}

// The menu item as a user meets it with two local copies, one of them old:
// each offered with its date and count, none ticked at first; the comets
// ticked and computed, a row double-clicked into the form; the ticks kept
// for the next opening.
TEST(Ce_Soir_Fenetre, CopiesLocales) {
    Copies_Essai copies;
    const QDateTime maintenant = QDateTime::currentDateTimeUtc();
    ASSERT_TRUE(
        copies.Placer(QStringLiteral("cometes"), Catalogue, Ligne_Comete, false, maintenant.addDays(-1)));
    ASSERT_TRUE(copies.Placer(QStringLiteral("planetes-mineures"), Catalogue, Ligne_Comete, true,
                              maintenant.addDays(-10)));
    Fenetre_Active w;
    w.p().site = Site(44, 5.7);
    QAction* article = w.Article(QStringLiteral("&Dates"), QStringLiteral("Ce soir…"));
    ASSERT_NE(article, nullptr);
    QStringList textes, remarques;
    QString objet;
    int rangees = -1;
    QTimer::singleShot(0, [&] {
        auto* d = dynamic_cast<Dialogue_Ce_Soir*>(QApplication::activeModalWidget());
        if (!d) return;
        const auto fermer = qScopeGuard([d] { d->close(); });
        for (QCheckBox* c : d->Copies)
            textes << c->text() + (c->isChecked() ? QStringLiteral(" [x]") : QString());
        if (d->Copies.size() != 2 || !QTest::qWaitForWindowExposed(d)) return;
        d->Date->setDate(QDate(2026, 3, 15));
        QTest::mouseClick(d->Calculer, Qt::LeftButton);
        remarques << d->Remarques->text();
        // On its box: the row is wider than its text.
        QTest::mouseClick(d->Copies[0], Qt::LeftButton, {}, QPoint(8, d->Copies[0]->height() / 2));
        QTest::mouseClick(d->Calculer, Qt::LeftButton);
        if (!Attendre(*d)) return;
        remarques << d->Remarques->text();
        rangees = d->Tri->rowCount();
        if (rangees < 1) return;
        objet = d->Tri->index(0, 0).data().toString();
        const QRect cellule = d->Table->visualRect(d->Tri->index(0, 0));
        QTest::mouseClick(d->Table->viewport(), Qt::LeftButton, {}, cellule.center());
        QTest::mouseDClick(d->Table->viewport(), Qt::LeftButton, {}, cellule.center());
    });
    article->trigger();
    QApplication::processEvents();
    const QString jour = Texte_Date(maintenant.addDays(-1)), ancien = Texte_Date(maintenant.addDays(-10));
    const int cometes = static_cast<int>(Trouver_Copie(QStringLiteral("cometes"))->releve.Objets);
    const int mineures = static_cast<int>(Trouver_Copie(QStringLiteral("planetes-mineures"))->releve.Objets);
    EXPECT_EQ(textes, (QStringList{
                          QStringLiteral("Comètes (MPC) du %1, %2 objets").arg(jour).arg(cometes),
                          QStringLiteral("Petites planètes (MPC) du %1, %2 objets — copie de plus d'une "
                                         "semaine, à mettre à jour")
                              .arg(ancien)
                              .arg(mineures),
                      }));
    ASSERT_EQ(remarques.size(), 2);
    EXPECT_EQ(remarques[0],
              QStringLiteral("Cochez au moins un catalogue, ou choisissez un fichier (Un fichier…)."));
    EXPECT_TRUE(
        remarques[1].endsWith(QStringLiteral("%1 objets lus, %2 objets retenus.").arg(cometes).arg(rangees)))
        << remarques[1].toStdString();
    ASSERT_GT(rangees, 0);
    EXPECT_TRUE(objet.contains(u'/')) << "une comète : " << objet.toStdString();
    EXPECT_EQ(w.Texte(C::Commentaire), objet);
    EXPECT_EQ(w.Texte(C::saisie_Jour), QStringLiteral("15"));

    // Opened again, the comets are still ticked.
    textes.clear();
    QTimer::singleShot(0, [&] {
        auto* d = dynamic_cast<Dialogue_Ce_Soir*>(QApplication::activeModalWidget());
        if (!d) return;
        for (QCheckBox* c : d->Copies)
            textes << c->text() + (c->isChecked() ? QStringLiteral(" [x]") : QString());
        d->close();
    });
    article->trigger();
    QApplication::processEvents();
    ASSERT_EQ(textes.size(), 2);
    EXPECT_TRUE(textes[0].endsWith(QStringLiteral(" [x]"))) << textes[0].toStdString();
    EXPECT_FALSE(textes[1].endsWith(QStringLiteral(" [x]"))) << textes[1].toStdString();
}

// No local copy yet: the dialog says where to get them, and still reads a file.
TEST(Ce_Soir_Fenetre, SansCopieLocale) {
    Copies_Essai copies;
    Fenetre_Active w;
    w.p().site = Site(44, 5.7);
    Dialogue_Ce_Soir d(w.p(), {}, w.f.get(), {Lister_Copies(), {}, QDateTime::currentDateTimeUtc()});
    EXPECT_TRUE(d.Copies.empty());
    ASSERT_NE(d.Sans_Copie, nullptr);
    EXPECT_EQ(d.Sans_Copie->text(), QStringLiteral("Aucune copie locale des catalogues : Fichier, « Mettre à "
                                                   "jour les catalogues… » les télécharge."));
    EXPECT_EQ(d.Ajouter->text(), QStringLiteral("Un fichier…"));
    d.Fichiers->addItem(Catalogue);
    d.Date->setDate(QDate(2026, 3, 15));
    d.Lancer();
    ASSERT_TRUE(Attendre(d));
    EXPECT_GT(d.Tri->rowCount(), 5);
}

}  // namespace

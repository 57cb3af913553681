// The dialog "Mettre à jour les catalogues…" against the local HTTP server of
// the catalogue tests, then the import chooser offering the copies.

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "app/choix_objet_qt.h"
#include "app/dialogue_catalogues.h"
#include "application_essai.h"
#include "catalogues/serveur_http_essai.h"

namespace {

using C = Controle;
using Conduite = Ressource_Essai::Conduite;

QByteArray Donnee(const char* nom) {
    QFile f(QStringLiteral(TRAJECTEL_DONNEES_ESSAI "/catalogues/") + QString::fromUtf8(nom));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

QByteArray Contenu(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

// The copies and the addresses in folders of the test's own; the catalogues
// come from the local server, named in Catalogues.ini as a mirror would be.
struct Catalogues_Essai {
    QTemporaryDir donnees;
    QByteArray avant = qgetenv("XDG_DATA_HOME");
    Serveur_Http_Essai serveur;
    Environnement_Catalogues env;

    Catalogues_Essai() {
        qputenv("XDG_DATA_HOME", donnees.path().toLocal8Bit());
        env = Environnement_Utilisateur();
        serveur.morceau_lent = 64;
        serveur.Servir("/CometEls.txt", {Donnee("CometEls.txt"), 200, "\"c1\""});
        serveur.Servir("/NEA.txt", {Donnee("NEA.txt"), 200, "\"n1\""});
        serveur.Servir("/MPCORB.DAT.gz",
                       {Donnee("MPCORB.DAT.gz"), 200, "\"g1\"", {}, "application/x-gzip", Conduite::Lente});
        Enregistrer_Catalogues(env.dossier_configuration,
                               {{"cometes", serveur.Adresse("/CometEls.txt")},
                                {"planetes-mineures", serveur.Adresse("/MPCORB.DAT.gz")},
                                {"geocroiseurs", serveur.Adresse("/NEA.txt")},
                                {"lointains", serveur.Adresse("/Distant.txt")}});
    }
    ~Catalogues_Essai() { qputenv("XDG_DATA_HOME", avant); }
};

// With TRAJECTEL_CAPTURES set, the dialogs are saved there as the user sees them.
void Capturer(QWidget& w, const char* nom) {
    const QString dossier = qEnvironmentVariable("TRAJECTEL_CAPTURES");
    if (!dossier.isEmpty()) w.grab().save(dossier + u'/' + QString::fromUtf8(nom) + QStringLiteral(".png"));
}

QString Etat(const Dialogue_Catalogues& d, int rang) { return d.Liste->item(rang, 3)->text(); }

void Cocher(Dialogue_Catalogues& d, std::initializer_list<int> rangs) {
    for (int k = 0; k < d.Liste->rowCount(); ++k)
        d.Liste->item(k, 0)->setCheckState(
            std::find(rangs.begin(), rangs.end(), k) != rangs.end() ? Qt::Checked : Qt::Unchecked);
}

// The bar moves in bytes while the gzip comes slowly, every state says what
// happened, and Cancel leaves the copy in place.
TEST(Catalogues_Fenetre, ProgressionEtatsEtAnnulation) {
    Catalogues_Essai essai;
    Dialogue_Catalogues d(essai.env, nullptr);
    d.show();
    EXPECT_EQ(Etat(d, 0), QStringLiteral("pas de copie locale"));
    Cocher(d, {0, 1});
    int plus_haut = 0;
    bool entre_deux = false;
    QObject::connect(d.Barre, &QProgressBar::valueChanged, [&](int v) {
        plus_haut = std::max(plus_haut, v);
        if (v > 0 && v < d.Barre->maximum()) entre_deux = true;
    });
    QTest::mouseClick(d.Mettre_A_Jour, Qt::LeftButton);
    EXPECT_TRUE(d.En_Cours());
    EXPECT_EQ(d.Annuler->text(), QStringLiteral("Annuler"));
    ASSERT_TRUE(Attendre([&] { return !d.En_Cours() && d.Mettre_A_Jour->isEnabled(); }, 20000));
    Capturer(d, "catalogues-mis-a-jour");
    EXPECT_EQ(Etat(d, 0), QStringLiteral("2 objets, mis à jour"));
    EXPECT_EQ(Etat(d, 1), QStringLiteral("3 objets, mis à jour"));
    EXPECT_EQ(d.Liste->item(1, 2)->text(), QStringLiteral("3"));
    EXPECT_TRUE(entre_deux) << "la barre n'a montré aucun octet entre le début et la fin";
    EXPECT_EQ(plus_haut, Donnee("MPCORB.DAT.gz").size());
    EXPECT_EQ(d.Avancement->text(), QStringLiteral("Mise à jour terminée."));
    EXPECT_EQ(d.Annuler->text(), QStringLiteral("Fermer"));

    // A new file, cancelled halfway: the copy stays as it was.
    const QString copie = essai.env.dossier_copies + QStringLiteral("MPCORB.DAT");
    const QByteArray avant = Contenu(copie);
    QByteArray grand = Donnee("MPCORB.DAT.gz");
    for (int k = 0; k < 20; ++k) grand += Donnee("MPCORB.DAT.gz");
    essai.serveur.Servir("/MPCORB.DAT.gz", {grand, 200, "\"g2\"", {}, "application/x-gzip", Conduite::Lente});
    Cocher(d, {1});
    QTest::mouseClick(d.Mettre_A_Jour, Qt::LeftButton);
    ASSERT_TRUE(Attendre([&] { return d.Barre->value() > 0; }, 20000));
    Capturer(d, "catalogues-en-cours");
    QTest::mouseClick(d.Annuler, Qt::LeftButton);
    ASSERT_TRUE(Attendre([&] { return !d.En_Cours(); }, 5000));
    Capturer(d, "catalogues-annule");
    EXPECT_TRUE(Etat(d, 1).startsWith(QStringLiteral("non mis à jour (mise à jour annulée) ; copie du ")))
        << Etat(d, 1).toStdString();
    EXPECT_EQ(d.Avancement->text(),
              QStringLiteral("Mise à jour annulée : les copies en place sont gardées."));
    EXPECT_EQ(Contenu(copie), avant);
    EXPECT_TRUE(d.isVisible());
    QTest::mouseClick(d.Annuler, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
}

// Fichier, "Importer des éléments publiés…": the copies come first, with
// their date and count, an old one said so; the comets' copy chosen, then
// Hale-Bopp among its objects.
TEST(Catalogues_Fenetre, ChoixOffreLesCopies) {
    Catalogues_Essai essai;
    Fenetre_Active w;
    // The dialog opens from the menu.
    bool ouvert = false;
    Quand_Montre<Dialogue_Catalogues>([&](Dialogue_Catalogues& d) {
        ouvert = true;
        Capturer(d, "catalogues-premiere-fois");
        Cocher(d, {0, 2});
        QTest::mouseClick(d.Mettre_A_Jour, Qt::LeftButton);
        Attendre([&] { return !d.En_Cours() && d.Mettre_A_Jour->isEnabled(); }, 20000);
        d.reject();
    });
    w.b().Action(C::FileCatalogues1)->trigger();
    ASSERT_TRUE(ouvert);
    // The asteroids' copy is made ten days old.
    const Source_Catalogue& nea = *Trouver_Source(QStringLiteral("geocroiseurs"));
    Releve_Copie ancien = *Lire_Releve(essai.env.dossier_copies, nea);
    ancien.Telechargement = QDateTime::currentDateTimeUtc().addDays(-10);
    ASSERT_TRUE(Ecrire_Releve(essai.env.dossier_copies, nea, ancien).isEmpty());

    QStringList lignes;
    QString objet_choisi;
    Quand_Montre<Dialogue_Choix_Objet>([&](Dialogue_Choix_Objet& choix) {
        for (int k = 0; k < choix.Liste()->model()->rowCount(); ++k)
            lignes << choix.Liste()->model()->index(k, 0).data().toString();
        Capturer(choix, "choix-copies");
        Quand_Montre<Dialogue_Choix_Objet>([&](Dialogue_Choix_Objet& objets) {
            QTest::keyClicks(objets.Recherche(), QStringLiteral("bopp"));
            Capturer(objets, "choix-objet");
            objet_choisi = objets.Liste()->currentIndex().data().toString();
            QTest::keyClick(objets.Recherche(), Qt::Key_Return);
        });
        QTest::keyClick(choix.Recherche(), Qt::Key_Return);
    });
    w.b().Action(C::FileImport1)->trigger();
    const QString aujourdhui = Texte_Date(QDateTime::currentDateTimeUtc());
    EXPECT_EQ(lignes, (QStringList{QStringLiteral("Comètes (MPC) du %1, 2 objets").arg(aujourdhui),
                                   QStringLiteral("Géocroiseurs (MPC) du %1, 2 objets — copie de plus d'une "
                                                  "semaine, à mettre à jour")
                                       .arg(Texte_Date(ancien.Telechargement)),
                                   QStringLiteral("Un fichier…")}));
    // The chooser may add the epoch after the name.
    EXPECT_TRUE(objet_choisi.startsWith(QStringLiteral("C/1995 O1 (Hale-Bopp)")))
        << objet_choisi.toStdString();
    EXPECT_EQ(w.Texte(C::Commentaire), QStringLiteral("C/1995 O1 (Hale-Bopp)"));
}

}  // namespace

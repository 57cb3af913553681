// The Monture menu in the window, against Debian's telescope simulator and a
// small mount of the tests' own: the dialog, pointing and following, the
// status bar, and the faults that must leave the window working.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <memory>

#include "app/application_essai.h"
#include "app/dialogue_monture.h"
#include "app/monture_fenetre.h"
#include "astro/angles.h"
#include "monture/reglages_monture.h"
#include "monture_indi/serveurs_essai.h"
#include "page/lignes.h"

namespace {

constexpr double Tolerance = 20;     // arc seconds between the mount and the body
constexpr int Delai_Message = 6000;  // ms: an unreachable server is said within 5 s

struct Direction {
    double alpha;  // degrees
    double delta;
};

// The body as the window points it, now, from the centre of the Earth.
Direction Corps_Maintenant(Programme& p, double jj) {
    Calcul_Page c = p.Calcul();
    EXPECT_TRUE(Preparer_Page(c));
    const Coordonnees_Monture m = Place_Pour_Monture(c.el, Lieu_Observation{}, jj)(jj);
    return {m.Ascension_Droite * 15, m.Declinaison};
}

Direction Soleil_Maintenant(double jj) {
    const Equatoriales s = Equatoriales_Soleil(jj);
    return {s.Alpha * Degres_Par_Radian, s.Delta * Degres_Par_Radian};
}

// The site that has `zenith` overhead at `jj`, with its lowest altitude.
Site_Observation Site_Sous(const Direction& zenith, double jj, double hauteur_minimale) {
    Site_Observation site;
    site.Nom = QStringLiteral("Essai");
    site.lieu.Latitude = zenith.delta;
    site.lieu.Longitude = std::remainder(zenith.alpha - Temps_Sideral_Moyen(jj), Tour);
    site.Hauteur_Minimale = hauteur_minimale;
    return site;
}

// Halfway between two directions on the sky (both then stand above the horizon).
Direction Milieu(const Direction& a, const Direction& b) {
    const auto vecteur = [](const Direction& d) {
        return std::array<double, 3>{Cos_Deg(d.delta) * Cos_Deg(d.alpha), Cos_Deg(d.delta) * Sin_Deg(d.alpha),
                                     Sin_Deg(d.delta)};
    };
    const auto u = vecteur(a), v = vecteur(b);
    const double x = u[0] + v[0], y = u[1] + v[1], z = u[2] + v[2];
    return {std::atan2(y, x) * Degres_Par_Radian, std::atan2(z, std::hypot(x, y)) * Degres_Par_Radian};
}

class Monture_Fenetre_Essai : public ::testing::Test {
protected:
    Fenetre_Active w;
    std::vector<QString> questions;
    int battements = 0;  // ticks of a timer: the window's event loop keeps running
    QTimer coeur;

    void SetUp() override {
        w.b().Reponse_Essai = [this](const QString& q) {
            questions.push_back(q);
            return Reponse::Oui;
        };
        QObject::connect(&coeur, &QTimer::timeout, [this] { ++battements; });
        coeur.start(50);
    }
    Monture_Fenetre& m() { return w.f->Monture(); }
    QString Etat() { return m().Etiquette()->text(); }
    void Choisir_Site(const Site_Observation& site) {
        w.p().site = site;
        m().Actualiser_Commandes();
    }
    void Site_Au_Zenith() {
        const double jj = Jour_Julien_Maintenant();
        Choisir_Site(Site_Sous(Corps_Maintenant(w.p(), jj), jj, 0));
    }
    void Executer(Controle c) {
        ASSERT_TRUE(w.b().Actif(c)) << int(c);
        w.f->Executer(c);
    }
    // Through the dialog, as the user does: the server typed, Connecter, the
    // device chosen in the list once the server offers it, OK.
    void Connecter(const QString& serveur, const QString& appareil) {
        Executer(Controle::MontureConnexion);
        Dialogue_Monture* d = m().Dialogue();
        ASSERT_TRUE(d && d->isVisible());
        d->Serveur->setText(serveur);
        QTest::mouseClick(d->Connecter, Qt::LeftButton);
        ASSERT_TRUE(Attendre([&] { return !d->Appareils->findItems(appareil, Qt::MatchExactly).isEmpty(); },
                             Delai_Message))
            << d->Etat->text().toStdString();
        d->Appareils->setCurrentItem(d->Appareils->findItems(appareil, Qt::MatchExactly).first());
        QTest::mouseClick(d->Ok, Qt::LeftButton);
        ASSERT_TRUE(Attendre([&] { return m().Dialogue() == nullptr; }, 1000));
    }
    QString Dernier_Message() { return w.b().Messages().empty() ? QString() : w.b().Messages().back().texte; }
};

QString Local(quint16 port) { return QStringLiteral("127.0.0.1:%1").arg(port); }

TEST_F(Monture_Fenetre_Essai, ConnecteChoisitPointeSuitArreteEtQuitteEnArretant) {
    Serveur_Simulateur serveur;
    ASSERT_NE(serveur.port, 0);
    Site_Au_Zenith();
    EXPECT_FALSE(w.b().Actif(Controle::MonturePointer));  // no connection yet
    Connecter(Local(serveur.port), Serveur_Simulateur::Appareil);
    const Lecture_Monture gardee = Charger_Monture(w.f->Application().configuration.Dossier_Configuration);
    EXPECT_EQ(gardee.reglages,
              (Reglages_Monture{QStringLiteral("127.0.0.1"), serveur.port, Serveur_Simulateur::Appareil}));
    EXPECT_TRUE(w.b().Actif(Controle::MontureDeconnecter));
    EXPECT_FALSE(w.b().Actif(Controle::MontureArreter));
    EXPECT_TRUE(Etat().startsWith(QStringLiteral("INDI : ") + Serveur_Simulateur::Appareil))
        << Etat().toStdString();
    w.p().site.reset();  // no site, no pointing
    m().Actualiser_Commandes();
    EXPECT_FALSE(w.b().Actif(Controle::MonturePointer));
    Site_Au_Zenith();

    Executer(Controle::MonturePointer);
    ASSERT_TRUE(Attendre([&] { return Etat().contains(QStringLiteral("suivi : vitesses propres")); }, 25000))
        << Etat().toStdString();
    const Statut_Suivi& s = m().Suivi().Statut();
    ASSERT_TRUE(s.ecart.has_value());
    EXPECT_NEAR(*s.ecart, 0, Tolerance);
    EXPECT_TRUE(Etat().contains(Serveur_Simulateur::Appareil));
    // The offset on the first line, which fits the window's default width;
    // the mount's apparent place of date on the second, like the table; both
    // lines whole in the status bar.
    const QStringList lignes = Etat().split(u'\n');
    ASSERT_GE(lignes.size(), 2) << Etat().toStdString();
    const QRegularExpressionMatch ecart =
        QRegularExpression(QStringLiteral("écart ([0-9,]+)″")).match(lignes[0]);
    ASSERT_TRUE(ecart.hasMatch()) << Etat().toStdString();
    EXPECT_NEAR(ecart.captured(1).replace(u',', u'.').toDouble(), 0, Tolerance);
    for (const QString& ligne : lignes.mid(0, 2))
        EXPECT_LE(m().Etiquette()->fontMetrics().horizontalAdvance(ligne), m().Etiquette()->width())
            << ligne.toStdString();
    EXPECT_GE(m().Etiquette()->height(), 3 * m().Etiquette()->fontMetrics().lineSpacing());
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^monture, place apparente de la date : [0-9]+ h [0-9]{2} m "
                                          "[0-9]{2},[0-9] s [-+][0-9]+° [0-9]{2}′ [0-9]{2}″"))
            .match(lignes[1])
            .hasMatch())
        << lignes[1].toStdString();

    Executer(Controle::MontureArreter);
    EXPECT_TRUE(Etat().contains(QStringLiteral("arrêté"))) << Etat().toStdString();
    EXPECT_FALSE(w.b().Actif(Controle::MontureArreter));

    // Pointed again, then the program quits while following: the mount is
    // left tracking the stars, and closing does not wait long.
    Executer(Controle::MonturePointer);
    ASSERT_TRUE(Attendre([&] { return Etat().contains(QStringLiteral("suivi : vitesses propres")); }, 20000));
    QElapsedTimer chrono;
    chrono.start();
    w.f->Executer(Controle::FileExit1);
    EXPECT_FALSE(w.f->isVisible());
    EXPECT_LT(chrono.elapsed(), 3000);
    Client_Indi temoin;
    temoin.Connecter(QStringLiteral("127.0.0.1"), serveur.port, 5000);
    const QString& a = Serveur_Simulateur::Appareil;
    ASSERT_TRUE(Attendre([&] { return temoin.Propriete(a, QStringLiteral("TELESCOPE_TRACK_MODE")); }, 5000));
    EXPECT_TRUE(temoin.Propriete(a, QStringLiteral("TELESCOPE_TRACK_MODE"))
                    ->Allume(QStringLiteral("TRACK_SIDEREAL")));
}

// "Connecter" to another server, then Annuler: no ghost of the mount before.
TEST_F(Monture_Fenetre_Essai, ConnexionAnnuleeNeLaissePasDeMontureFantome) {
    Monture_Factice premiere(Monture_Factice::Options{true}), seconde(Monture_Factice::Options{true});
    Site_Au_Zenith();
    Connecter(Local(premiere.port), Monture_Factice::Appareil);
    Executer(Controle::MonturePointer);
    ASSERT_TRUE(Attendre([&] { return Etat().contains(QStringLiteral("suivi : vitesses propres")); }, 10000))
        << Etat().toStdString();
    Executer(Controle::MontureConnexion);
    Dialogue_Monture* d = m().Dialogue();
    ASSERT_TRUE(d);
    d->Serveur->setText(Local(seconde.port));
    QTest::mouseClick(d->Connecter, Qt::LeftButton);
    ASSERT_TRUE(Attendre([&] { return d->Appareils->count() > 0; }, Delai_Message));
    d->reject();
    ASSERT_TRUE(Attendre([&] { return m().Dialogue() == nullptr; }, 1000));
    EXPECT_TRUE(Etat().startsWith(QStringLiteral("INDI : connecté, aucune monture choisie — arrêté")))
        << Etat().toStdString();
    EXPECT_FALSE(w.b().Actif(Controle::MonturePointer));
    EXPECT_FALSE(w.b().Actif(Controle::MontureArreter));
    EXPECT_TRUE(w.b().Actif(Controle::MontureDeconnecter));
    // The first mount was stopped when the dialog connected elsewhere.
    EXPECT_EQ(premiere.modes.value(premiere.modes.size() - 1), QStringLiteral("TRACK_SIDEREAL"));
}

// A server that accepts and never speaks INDI is named within 5 s; a host
// without a port is on INDI's own; the dialog's title is whole.
TEST_F(Monture_Fenetre_Essai, ServeurMuetEtHoteSansPort) {
    QTcpServer muet;
    ASSERT_TRUE(muet.listen(QHostAddress::LocalHost, 0));
    Executer(Controle::MontureConnexion);
    Dialogue_Monture* d = m().Dialogue();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Trajectel - Monture"));
    EXPECT_GE(d->width(), d->fontMetrics().horizontalAdvance(d->windowTitle()) + 100);
    d->Serveur->setText(QStringLiteral("localhost"));
    QTest::mouseClick(d->Connecter, Qt::LeftButton);
    EXPECT_EQ(d->Etat->text(), QStringLiteral("Connexion à localhost:7624…"));
    d->Serveur->setText(Local(muet.serverPort()));
    QElapsedTimer chrono;
    chrono.start();
    QTest::mouseClick(d->Connecter, Qt::LeftButton);
    const QString attendu = QStringLiteral("Le serveur 127.0.0.1:%1 ne répond pas (est-ce un serveur INDI ?)")
                                .arg(muet.serverPort());
    EXPECT_TRUE(Attendre([&] { return d->Etat->text() == attendu; }, Delai_Message))
        << d->Etat->text().toStdString();
    EXPECT_GE(chrono.elapsed(), 4500);
    d->reject();
}

// The check box of the dialog records the exchange in the user's data folder.
TEST_F(Monture_Fenetre_Essai, JournalDesEchanges) {
    QTemporaryDir donnees;
    qputenv("XDG_DATA_HOME", donnees.path().toLocal8Bit());
    const QString fichier = Monture_Fenetre::Fichier_Journal();
    EXPECT_TRUE(fichier.startsWith(donnees.path())) << fichier.toStdString();
    Monture_Factice monture(Monture_Factice::Options{true});
    Site_Au_Zenith();
    Executer(Controle::MontureConnexion);
    m().Dialogue()->Journal->setChecked(true);
    m().Dialogue()->reject();
    Connecter(Local(monture.port), Monture_Factice::Appareil);
    Executer(Controle::MonturePointer);
    ASSERT_TRUE(Attendre([&] { return Etat().contains(QStringLiteral("suivi : vitesses propres")); }, 10000));
    Executer(Controle::MontureArreter);
    QFile journal(fichier);
    ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
    const QString texte = QString::fromUtf8(journal.readAll());
    for (const char* attendu :
         {"envoyé <newNumberVector device=\"Monture factice\" name=\"EQUATORIAL_EOD_COORD\"",
          "envoyé <newNumberVector device=\"Monture factice\" name=\"TELESCOPE_TRACK_RATE\"",
          "envoyé <newSwitchVector device=\"Monture factice\" name=\"TELESCOPE_ABORT_MOTION\"",
          "reçu <defTextVector device=\"Monture factice\" name=\"DRIVER_INFO\""})
        EXPECT_TRUE(texte.contains(QString::fromUtf8(attendu))) << attendu;
    EXPECT_TRUE(
        QRegularExpression(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z envoyé <getProperties"))
            .match(texte)
            .hasMatch())
        << texte.left(200).toStdString();
    qunsetenv("XDG_DATA_HOME");
}

// A server that goes while following ends it with a message, and the window goes on.
TEST_F(Monture_Fenetre_Essai, UnServeurQuiDisparaitTermineLeSuivi) {
    auto monture = std::make_unique<Monture_Factice>(Monture_Factice::Options{true});
    Site_Au_Zenith();
    Connecter(Local(monture->port), Monture_Factice::Appareil);
    Executer(Controle::MonturePointer);
    ASSERT_TRUE(Attendre([&] { return Etat().contains(QStringLiteral("suivi : vitesses propres")); }, 10000))
        << Etat().toStdString();
    monture.reset();
    ASSERT_TRUE(Attendre([&] { return !w.b().Messages().empty(); }, Delai_Message));
    EXPECT_TRUE(Dernier_Message().contains(QStringLiteral("serveur INDI")))
        << Dernier_Message().toStdString();
    EXPECT_TRUE(Etat().contains(QStringLiteral("non connecté")) && !Etat().contains(QStringLiteral("écart")))
        << Etat().toStdString();
    for (Controle c : {Controle::MonturePointer, Controle::MontureArreter, Controle::MontureDeconnecter})
        EXPECT_FALSE(w.b().Actif(c)) << int(c);
    const int battements_avant = battements;
    EXPECT_TRUE(Attendre([&] { return battements > battements_avant + 3; }, 1000));
}

// Neither a bad text nor a server that is not there holds the dialog or the window.
TEST_F(Monture_Fenetre_Essai, SansServeurLeDialogueLeDitSansBloquer) {
    QTcpServer reserve;
    ASSERT_TRUE(reserve.listen(QHostAddress::LocalHost, 0));
    const quint16 libre = reserve.serverPort();
    reserve.close();
    const struct {
        QString serveur;
        QString attendu;
    } cas[] = {
        {QStringLiteral("localhost:99999"), Lire_Serveur(QStringLiteral("localhost:99999")).erreur},
        {Local(libre), QStringLiteral("injoignable")},
    };
    Executer(Controle::MontureConnexion);
    Dialogue_Monture* d = m().Dialogue();
    ASSERT_TRUE(d);
    for (const auto& c : cas) {
        d->Etat->clear();
        d->Serveur->setText(c.serveur);
        const int battements_avant = battements;
        QTest::mouseClick(d->Connecter, Qt::LeftButton);
        EXPECT_TRUE(Attendre([&] { return d->Etat->text().contains(c.attendu); }, Delai_Message))
            << c.serveur.toStdString() << ": " << d->Etat->text().toStdString();
        EXPECT_TRUE(Attendre([&] { return battements > battements_avant + 3; }, 1000));
    }
    QTest::mouseClick(d->Ok, Qt::LeftButton);  // nothing chosen: the dialog stays
    EXPECT_TRUE(d->isVisible());
    d->reject();
    EXPECT_TRUE(Attendre([&] { return m().Dialogue() == nullptr; }, 1000));
    EXPECT_FALSE(w.b().Actif(Controle::MonturePointer));
    EXPECT_TRUE(w.b().Messages().empty());
}

// What is refused before anything reaches the mount, and a parked mount.
TEST_F(Monture_Fenetre_Essai, RefusAvantPointageEtMontureParquee) {
    Monture_Factice libre({}), parquee({false, true});
    const double jj = Jour_Julien_Maintenant();
    const Direction corps = Corps_Maintenant(w.p(), jj);
    const Direction soleil = Soleil_Maintenant(jj);
    const Direction nadir{corps.alpha + Demi_Tour, -corps.delta};
    const struct {
        const char* nom;
        Monture_Factice& monture;
        Site_Observation site;
        Reponse reponse;
        QString message;  // part of the message shown
        int pointages;    // received by the mount
        int questions;
    } cas[] = {
        {"sous l'horizon", libre, Site_Sous(nadir, jj, 0), Reponse::Oui, QStringLiteral("hauteur minimale"),
         0, 0},
        {"en plein jour, non", libre, Site_Sous(Milieu(corps, soleil), jj, 0), Reponse::Non, QString(), 0, 1},
        {"parquée", parquee, Site_Sous(corps, jj, 0), Reponse::Oui, QStringLiteral("parquée"), 0, -1},
    };
    // A choice that cannot be kept is said, and the connection goes on.
    const QString fichier = w.f->Application().configuration.Dossier_Configuration + Nom_Fichier_Monture;
    QFile::remove(fichier);
    ASSERT_TRUE(QDir().mkpath(fichier));
    Connecter(Local(libre.port), Monture_Factice::Appareil);
    EXPECT_TRUE(Dernier_Message().contains(QStringLiteral("n'a pas pu être enregistré")))
        << Dernier_Message().toStdString();
    EXPECT_TRUE(QDir(fichier).removeRecursively());
    for (const auto& c : cas) {
        Connecter(Local(c.monture.port), Monture_Factice::Appareil);
        Choisir_Site(c.site);
        questions.clear();
        w.b().Reponse_Essai = [this, reponse = c.reponse](const QString& q) {
            questions.push_back(q);
            return reponse;
        };
        const std::size_t messages = w.b().Messages().size();
        Executer(Controle::MonturePointer);
        if (!c.message.isEmpty()) {
            EXPECT_TRUE(Attendre([&] { return w.b().Messages().size() > messages; }, Delai_Message)) << c.nom;
            EXPECT_TRUE(Dernier_Message().contains(c.message))
                << c.nom << ": " << Dernier_Message().toStdString();
        } else {
            QTest::qWait(300);
            EXPECT_EQ(w.b().Messages().size(), messages) << c.nom;
        }
        if (c.questions >= 0) {
            EXPECT_EQ(int(questions.size()), c.questions) << c.nom;
        }
        EXPECT_EQ(c.monture.pointages, c.pointages) << c.nom;
        EXPECT_TRUE(Etat().contains(QStringLiteral("arrêté"))) << c.nom << ": " << Etat().toStdString();
        EXPECT_FALSE(w.b().Actif(Controle::MontureArreter)) << c.nom;
        const int battements_avant = battements;
        EXPECT_TRUE(Attendre([&] { return battements > battements_avant + 3; }, 1000)) << c.nom;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <sys/types.h>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <csignal>

#include "astro/visibilite.h"
#include "monture/client_indi.h"
#include "monture/suivi_monture.h"
#include "monture_indi/serveurs_essai.h"

namespace {

const QString Ephemeride = QStringLiteral(TRAJECTEL_EPHEMERIDE);
const QString Halley = QStringLiteral(TRAJECTEL_EXEMPLES "/halley.elt");
constexpr int Minute_Essai = 1000;  // ms
// Halley's comet stands near 8.3 h of right ascension for years around
// its aphelion: a site on the equator whose meridian it crosses now sees it
// near the zenith.
constexpr double Alpha_Halley = 8.3;  // hours

struct Batch {
    QProcess processus;
    QString sortie, erreurs;
    bool Fini() {
        sortie += QString::fromUtf8(processus.readAllStandardOutput());
        erreurs += QString::fromUtf8(processus.readAllStandardError());
        return processus.state() == QProcess::NotRunning;
    }
};

// The batch program, its minute shortened; the event loop keeps running
// while it does, for the tests' own mount.
void Lancer(Batch& b, const QString& serveur, const QString& appareil, const QString& lieu,
            const QStringList& options = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TRAJECTEL_MINUTE_ESSAI_MS"), QString::number(Minute_Essai));
    b.processus.setProcessEnvironment(env);
    b.processus.start(Ephemeride,
                      QStringList{Halley, QStringLiteral("--monture"), serveur, QStringLiteral("--appareil"),
                                  appareil, QStringLiteral("--lieu=") + lieu, QStringLiteral("--jour")} +
                          options);
    ASSERT_TRUE(b.processus.waitForStarted());
}

QString Lieu_Sous_Halley() {
    const double lon = std::remainder(Alpha_Halley * 15 - Temps_Sideral_Moyen(Jour_Julien_Maintenant()), 360);
    return QStringLiteral("0,%1").arg(lon, 0, 'f', 3);
}

class Batch_Monture : public ::testing::Test {
protected:
    void SetUp() override { Assurer_Application(); }
};

// A line at once, one a minute, then SIGTERM: the mount is left tracking at
// the sidereal rate and the status is success; the record of the exchange
// holds the messages of the following.
TEST_F(Batch_Monture, SuitEcritSesLignesEtSArreteSurSigterm) {
    Serveur_Simulateur serveur;
    ASSERT_NE(serveur.port, 0);
    QTemporaryDir dossier;
    const QString journal = dossier.filePath(QStringLiteral("indi.log"));
    Batch b;
    Lancer(b, QStringLiteral("127.0.0.1:%1").arg(serveur.port), Serveur_Simulateur::Appareil,
           Lieu_Sous_Halley(), {QStringLiteral("--journal-indi"), journal});
    ASSERT_TRUE(Attendre([&] { return b.Fini() || b.sortie.count(u'\n') >= 3; }, 30000))
        << b.erreurs.toStdString();
    ASSERT_EQ(b.processus.state(), QProcess::Running) << b.erreurs.toStdString();
    ::kill(pid_t(b.processus.processId()), SIGTERM);
    ASSERT_TRUE(Attendre([&] { return b.Fini(); }, 10000));
    EXPECT_EQ(b.processus.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(b.processus.exitCode(), 0) << b.erreurs.toStdString();
    const QStringList lignes = b.sortie.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lignes.size(), 3);
    for (const QString& ligne : lignes) {
        const QStringList champs = ligne.split(u'\t');
        ASSERT_EQ(champs.size(), 9) << ligne.toStdString();
        EXPECT_EQ(champs[8], QStringLiteral("suivi : vitesses propres"));
        EXPECT_NEAR(champs[5].toDouble(), 0, 20) << ligne.toStdString();  // offset, arc seconds
        EXPECT_NEAR(champs[6].toDouble(), Vitesse_Siderale, 0.1) << ligne.toStdString();
    }
    EXPECT_TRUE(b.erreurs.contains(QStringLiteral("Suivi arrêté"))) << b.erreurs.toStdString();
    QFile fichier(journal);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    const QString echanges = QString::fromUtf8(fichier.readAll());
    const QString appareil = QStringLiteral("device=\"%1\"").arg(Serveur_Simulateur::Appareil);
    for (const QString& attendu :
         {QStringLiteral("Z envoyé <getProperties version=\"1.7\"/>"),
          QStringLiteral("Z envoyé <newNumberVector %1 name=\"EQUATORIAL_EOD_COORD\">").arg(appareil),
          QStringLiteral("Z envoyé <newNumberVector %1 name=\"TELESCOPE_TRACK_RATE\">").arg(appareil),
          QStringLiteral("Z envoyé <newSwitchVector %1 name=\"TELESCOPE_ABORT_MOTION\">").arg(appareil),
          QStringLiteral("Z envoyé <newSwitchVector %1 name=\"TELESCOPE_TRACK_MODE\"><oneSwitch "
                         "name=\"TRACK_SIDEREAL\">On")
              .arg(appareil),
          QStringLiteral("Z reçu "),
          QStringLiteral("<setNumberVector %1 name=\"EQUATORIAL_EOD_COORD\"").arg(appareil)})
        EXPECT_TRUE(echanges.contains(attendu)) << attendu.toStdString();
    // What the mount does once the program has gone.
    Client_Indi client;
    client.Connecter(QStringLiteral("127.0.0.1"), serveur.port, 5000);
    const QString& a = Serveur_Simulateur::Appareil;
    ASSERT_TRUE(Attendre([&] { return client.Propriete(a, QStringLiteral("TELESCOPE_TRACK_STATE")); }, 5000));
    EXPECT_TRUE(
        client.Propriete(a, QStringLiteral("TELESCOPE_TRACK_STATE"))->Allume(QStringLiteral("TRACK_ON")));
    ASSERT_TRUE(client.Propriete(a, QStringLiteral("TELESCOPE_TRACK_MODE")));
    EXPECT_TRUE(client.Propriete(a, QStringLiteral("TELESCOPE_TRACK_MODE"))
                    ->Allume(QStringLiteral("TRACK_SIDEREAL")));
}

// What failed, in the status: the server, the mount, the target.
TEST_F(Batch_Monture, LeStatutDitCeQuiAEchoue) {
    const quint16 sans_serveur = [] {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost, 0);
        return s.serverPort();
    }();
    Monture_Factice libre({});
    Monture_Factice parquee({false, true});
    Monture_Factice::Options sans_fin;
    sans_fin.balise_sans_fin = true;
    Monture_Factice inondee(sans_fin);
    struct Cas {
        const char* nom;
        quint16 port;
        QString appareil;
        int statut;
        const char* message;
        int delai;  // ms
    };
    const Cas cas[] = {
        {"sans serveur", sans_serveur, QStringLiteral("M"), 4, "Le serveur INDI 127.0.0.1:", 5500},
        {"appareil inconnu", libre.port, QStringLiteral("Inconnue"), 5,
         "le serveur n'offre pas la monture « Inconnue » ; télescopes offerts : Monture factice", 7000},
        {"parquée", parquee.port, Monture_Factice::Appareil, 6, "La monture est parquée", 5000},
        {"balise sans fin", inondee.port, Monture_Factice::Appareil, 4,
         "Connexion au serveur INDI abandonnée : le serveur envoie un élément trop long.", 5000},
    };
    for (const Cas& c : cas) {
        Batch b;
        Lancer(b, QStringLiteral("127.0.0.1:%1").arg(c.port), c.appareil, QStringLiteral("45,5"));
        QElapsedTimer chrono;
        chrono.start();
        ASSERT_TRUE(Attendre([&] { return b.Fini(); }, c.delai)) << c.nom;
        EXPECT_EQ(b.processus.exitCode(), c.statut) << c.nom << ": " << b.erreurs.toStdString();
        EXPECT_TRUE(b.erreurs.contains(QString::fromUtf8(c.message)))
            << c.nom << ": " << b.erreurs.toStdString();
        EXPECT_TRUE(b.sortie.isEmpty()) << c.nom;
    }
}

// Stopped before the server offers the device: nothing was sent to a mount,
// and the words say so.
TEST_F(Batch_Monture, SignalAvantLaMonture) {
    Monture_Factice monture({});
    Batch b;
    Lancer(b, QStringLiteral("127.0.0.1:%1").arg(monture.port), QStringLiteral("Pas encore là"),
           QStringLiteral("45,5"));
    Attendre([] { return false; }, 800);  // connected, the device not offered
    ASSERT_FALSE(b.Fini()) << b.erreurs.toStdString();
    ::kill(pid_t(b.processus.processId()), SIGINT);
    ASSERT_TRUE(Attendre([&] { return b.Fini(); }, 5000));
    EXPECT_EQ(b.processus.exitCode(), 0) << b.erreurs.toStdString();
    EXPECT_TRUE(b.erreurs.contains(QStringLiteral(
        "Suivi arrêté avant que la monture soit prête : aucun mouvement ne lui a été commandé.")))
        << b.erreurs.toStdString();
    EXPECT_FALSE(b.erreurs.contains(QStringLiteral("vitesse sidérale"))) << b.erreurs.toStdString();
}

}  // namespace

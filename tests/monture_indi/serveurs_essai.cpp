#include "monture_indi/serveurs_essai.h"

#include <sys/types.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <cstdio>

namespace {

constexpr int Delai_Demarrage = 10000;                    // ms for indiserver to listen
constexpr int Pause_Boucle = 5;                           // ms between two turns of the event loop
constexpr int Duree_Pointage_Factice = 300;               // ms
constexpr qint64 Inondation_Maximale = qint64(64) << 20;  // bytes: the test's own bound
constexpr int Morceau_Inondation = 1 << 16;               // bytes

quint16 Port_Libre() {
    QTcpServer essai;
    if (!essai.listen(QHostAddress::LocalHost, 0)) return 0;
    return essai.serverPort();
}

QByteArray Definition(const QString& genre, const QString& nom, const QString& etat,
                      const QList<QPair<QString, QString>>& valeurs, const QString& appareil) {
    QByteArray x = QStringLiteral("<def%1Vector device=\"%2\" name=\"%3\" state=\"%4\" perm=\"rw\">")
                       .arg(genre, appareil, nom, etat)
                       .toUtf8();
    for (const auto& [element, valeur] : valeurs)
        x += QStringLiteral("<def%1 name=\"%2\">%3</def%1>").arg(genre, element, valeur).toUtf8();
    return x + QStringLiteral("</def%1Vector>\n").arg(genre).toUtf8();
}

QByteArray Mise_A_Jour(const QString& genre, const QString& nom, const QString& etat,
                       const QList<QPair<QString, QString>>& valeurs, const QString& appareil) {
    QByteArray x = QStringLiteral("<set%1Vector device=\"%2\" name=\"%3\" state=\"%4\">")
                       .arg(genre, appareil, nom, etat)
                       .toUtf8();
    for (const auto& [element, valeur] : valeurs)
        x += QStringLiteral("<one%1 name=\"%2\">%3</one%1>").arg(genre, element, valeur).toUtf8();
    return x + QStringLiteral("</set%1Vector>\n").arg(genre).toUtf8();
}

}  // namespace

void Assurer_Application() {
    static int argc = 1;
    static char nom[] = "tests_monture";
    static char* argv[] = {nom, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

bool Attendre(const std::function<bool()>& condition, int delai_ms) {
    QElapsedTimer chrono;
    chrono.start();
    while (!condition()) {
        if (chrono.elapsed() > delai_ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, Pause_Boucle);
        QThread::msleep(Pause_Boucle);
    }
    return true;
}

Serveur_Simulateur::Serveur_Simulateur() {
    const quint16 p = Port_Libre();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dossier_.path());
    processus_.setProcessEnvironment(env);
    processus_.setWorkingDirectory(dossier_.path());
    processus_.setStandardOutputFile(dossier_.filePath(QStringLiteral("indiserver.log")));
    processus_.setStandardErrorFile(dossier_.filePath(QStringLiteral("indiserver.log")));
    processus_.start(QStringLiteral("indiserver"),
                     {QStringLiteral("-p"), QString::number(p),
                      // its local socket too, or two servers at once would share one
                      QStringLiteral("-u"), dossier_.filePath(QStringLiteral("indiserver")),
                      QStringLiteral("indi_simulator_telescope")});
    if (!processus_.waitForStarted()) return;
    const bool ecoute = Attendre(
        [p] {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, p);
            return s.waitForConnected(200);
        },
        Delai_Demarrage);
    if (ecoute)
        port = p;
    else {
        QFile journal(dossier_.filePath(QStringLiteral("indiserver.log")));
        if (journal.open(QIODevice::ReadOnly)) fprintf(stderr, "%s\n", journal.read(4096).constData());
    }
}

void Serveur_Simulateur::Tuer() {
    if (processus_.state() == QProcess::NotRunning) return;
    // indiserver ends its driver when it ends; SIGTERM gives it the time to.
    ::kill(pid_t(processus_.processId()), SIGTERM);
    if (!processus_.waitForFinished(3000)) processus_.kill();
    processus_.waitForFinished(3000);
}

Serveur_Simulateur::~Serveur_Simulateur() { Tuer(); }

Monture_Factice::Monture_Factice(const Options& options) : options_(options) {
    serveur_.listen(QHostAddress::LocalHost, 0);
    port = serveur_.serverPort();
    connect(&serveur_, &QTcpServer::newConnection, this, [this] {
        QTcpSocket* s = serveur_.nextPendingConnection();
        lecteur_.Recommencer();
        connect(s, &QTcpSocket::readyRead, this, [this, s] { Recevoir(s); });
    });
}

void Monture_Factice::Recevoir(QTcpSocket* s) {
    const QByteArray octets = s->readAll();
    if (octets.contains("<getProperties")) Decrire(s);
    if (options_.muette) return;
    for (const Evenement_Indi& e : lecteur_.Lire(octets)) {
        const Vecteur_Indi& v = e.vecteur;
        if (v.nom == QStringLiteral("EQUATORIAL_EOD_COORD")) Pointer(s, v);
        if (v.nom == QStringLiteral("TELESCOPE_TRACK_MODE"))
            for (const auto& [mode, etat] : v.valeurs)
                if (etat == QStringLiteral("On")) modes.append(mode);
        if (v.nom == QStringLiteral("TELESCOPE_TRACK_RATE"))
            s->write(Mise_A_Jour(v.genre, v.nom,
                                 options_.refuse_vitesses ? QStringLiteral("Alert") : QStringLiteral("Ok"),
                                 v.valeurs, Appareil));
        else if (v.genre == QStringLiteral("Switch") || v.genre == QStringLiteral("Text") ||
                 v.nom == QStringLiteral("GEOGRAPHIC_COORD"))
            s->write(Mise_A_Jour(v.genre, v.nom, QStringLiteral("Ok"), v.valeurs, Appareil));
    }
}

void Monture_Factice::Decrire(QTcpSocket* s) {
    const QString Ok = QStringLiteral("Ok"), Repos = QStringLiteral("Idle");
    auto On = [](bool b) { return b ? QStringLiteral("On") : QStringLiteral("Off"); };
    QList<QPair<QString, QString>> modes_offerts = {{QStringLiteral("TRACK_SIDEREAL"), On(true)}};
    if (options_.vitesses_propres) modes_offerts.append({QStringLiteral("TRACK_CUSTOM"), On(false)});
    QByteArray x = Definition(QStringLiteral("Text"), QStringLiteral("DRIVER_INFO"), Repos,
                              {{QStringLiteral("DRIVER_INTERFACE"), QStringLiteral("1")}}, Appareil);
    x += Definition(QStringLiteral("Switch"), QStringLiteral("CONNECTION"), Ok,
                    {{QStringLiteral("CONNECT"), On(true)}, {QStringLiteral("DISCONNECT"), On(false)}},
                    Appareil);
    if (!options_.sans_place)
        x += Definition(
            QStringLiteral("Number"), QStringLiteral("EQUATORIAL_EOD_COORD"), Ok,
            {{QStringLiteral("RA"), QString::number(ra_)}, {QStringLiteral("DEC"), QString::number(dec_)}},
            Appareil);
    x += Definition(QStringLiteral("Switch"), QStringLiteral("ON_COORD_SET"), Ok,
                    {{QStringLiteral("TRACK"), On(true)}, {QStringLiteral("SLEW"), On(false)}}, Appareil);
    x += Definition(QStringLiteral("Switch"), QStringLiteral("TELESCOPE_TRACK_MODE"), Ok, modes_offerts,
                    Appareil);
    x += Definition(
        QStringLiteral("Switch"), QStringLiteral("TELESCOPE_PARK"), Ok,
        {{QStringLiteral("PARK"), On(options_.parquee)}, {QStringLiteral("UNPARK"), On(!options_.parquee)}},
        Appareil);
    if (options_.vitesses_propres)
        x += Definition(QStringLiteral("Number"), QStringLiteral("TELESCOPE_TRACK_RATE"), Ok,
                        {{QStringLiteral("TRACK_RATE_RA"), QStringLiteral("15.041067")},
                         {QStringLiteral("TRACK_RATE_DE"), QStringLiteral("0")}},
                        Appareil);
    s->write(x);
    if (options_.balise_sans_fin) {
        s->write("<message device=\"Monture factice\" message=\"");
        Inonder(s);
    }
}

// As fast as the client reads, until it gives up.
void Monture_Factice::Inonder(QTcpSocket* s) {
    if (s->state() != QAbstractSocket::ConnectedState || inondes_ > Inondation_Maximale) return;
    s->write(QByteArray(Morceau_Inondation, 'a'));
    inondes_ += Morceau_Inondation;
    QTimer::singleShot(0, s, [this, s] { Inonder(s); });
}

void Monture_Factice::Pointer(QTcpSocket* s, const Vecteur_Indi& v) {
    ++pointages;
    const auto ra = v.Nombre(QStringLiteral("RA")), dec = v.Nombre(QStringLiteral("DEC"));
    if (!ra || !dec) return;
    auto place = [this] {
        return QList<QPair<QString, QString>>{{QStringLiteral("RA"), QString::number(ra_, 'g', 17)},
                                              {QStringLiteral("DEC"), QString::number(dec_, 'g', 17)}};
    };
    s->write(Mise_A_Jour(QStringLiteral("Number"), v.nom, QStringLiteral("Busy"), place(), Appareil));
    QTimer::singleShot(Duree_Pointage_Factice, s, [this, s, ra, dec, place, nom = v.nom] {
        ra_ = *ra;
        dec_ = *dec;
        s->write(Mise_A_Jour(QStringLiteral("Number"), nom, QStringLiteral("Ok"), place(), Appareil));
    });
}

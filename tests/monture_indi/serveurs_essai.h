#pragma once

// Servers for the following tests: Debian's indiserver with the telescope
// simulator, started on a free local port in a temporary HOME and ended by
// its process id; and a small mount of our own, in this process, for what
// the simulator cannot show (no custom rates, parked, silent).

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <functional>

#include "monture/protocole_indi.h"

// Runs the event loop until `condition` holds or `delai_ms` has passed.
bool Attendre(const std::function<bool()>& condition, int delai_ms);

// A QCoreApplication for the suites that need an event loop.
void Assurer_Application();

class Serveur_Simulateur {
public:
    Serveur_Simulateur();   // started and answering, or `port` is 0
    ~Serveur_Simulateur();  // ended by its process id
    void Tuer();            // ends the server and its driver now
    quint16 port = 0;
    static inline const QString Appareil = QStringLiteral("Telescope Simulator");

private:
    QTemporaryDir dossier_;
    QProcess processus_;
};

class Monture_Factice : public QObject {
public:
    struct Options {
        bool vitesses_propres = false;  // TELESCOPE_TRACK_RATE and TRACK_CUSTOM
        bool parquee = false;
        bool muette = false;           // describes itself, then never answers
        bool refuse_vitesses = false;  // answers custom rates with an alert
        bool sans_place = false;       // never describes EQUATORIAL_EOD_COORD
        bool balise_sans_fin = false;  // then opens a tag it never closes, and sends on and on
    };
    explicit Monture_Factice(const Options& options);
    quint16 port = 0;
    static inline const QString Appareil = QStringLiteral("Monture factice");
    int pointages = 0;  // EQUATORIAL_EOD_COORD received
    QStringList modes;  // TELESCOPE_TRACK_MODE choices received

private:
    void Recevoir(QTcpSocket* s);
    void Decrire(QTcpSocket* s);
    void Pointer(QTcpSocket* s, const Vecteur_Indi& v);
    void Inonder(QTcpSocket* s);
    Options options_;
    QTcpServer serveur_;
    Lecteur_Indi lecteur_;
    double ra_ = 0, dec_ = 90;
    qint64 inondes_ = 0;  // bytes of the endless tag sent
};

#include "serveur_http_essai.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>

namespace {

constexpr qsizetype Entete_Max = 64 * 1024;  // bytes
constexpr int Pas_Lent = 20;                 // ms

QByteArray Raison(int statut) {
    switch (statut) {
        case 200:
            return "OK";
        case 302:
            return "Found";
        case 304:
            return "Not Modified";
        case 404:
            return "Not Found";
        default:
            return "Status";
    }
}

Requete_Essai Analyser(const QByteArray& texte) {
    Requete_Essai r;
    const QList<QByteArray> lignes = texte.split('\n');
    const QList<QByteArray> premiere = lignes.value(0).trimmed().split(' ');
    r.methode = premiere.value(0);
    r.chemin = premiere.value(1);
    for (qsizetype k = 1; k < lignes.size(); ++k) {
        const qsizetype deux_points = lignes[k].indexOf(':');
        if (deux_points > 0)
            r.entetes[lignes[k].left(deux_points).trimmed().toLower()] =
                lignes[k].mid(deux_points + 1).trimmed();
    }
    return r;
}

}  // namespace

// The application comes first: a server listening before it would never hear.
Serveur_Http_Essai::Serveur_Http_Essai() {
    Assurer_Application_Essai();
    serveur_.listen(QHostAddress::LocalHost, 0);
    connect(&serveur_, &QTcpServer::newConnection, this, &Serveur_Http_Essai::Accueillir);
}

Serveur_Http_Essai::~Serveur_Http_Essai() { serveur_.close(); }

QString Serveur_Http_Essai::Adresse(const QString& chemin) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(Port()).arg(chemin);
}

QString Serveur_Http_Essai::Journal() const {
    QString texte;
    for (const Requete_Essai& r : requetes_) {
        texte += QString::fromUtf8(r.methode + ' ' + r.chemin) + u'\n';
        for (auto e = r.entetes.cbegin(); e != r.entetes.cend(); ++e)
            texte += QStringLiteral("  ") + QString::fromUtf8(e.key() + ": " + e.value()) + u'\n';
    }
    return texte;
}

void Serveur_Http_Essai::Accueillir() {
    while (QTcpSocket* socket = serveur_.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Lire(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            recus_.remove(socket);
            socket->deleteLater();
        });
    }
}

void Serveur_Http_Essai::Lire(QTcpSocket* socket) {
    QByteArray& recu = recus_[socket];
    recu += socket->readAll();
    // A TLS greeting gets a plain answer, which no TLS client takes.
    if (!recu.isEmpty() && recu[0] == '\x16') {
        recu.clear();
        socket->write("HTTP/1.1 400 Bad Request\r\nConnection: close\r\n\r\n");
        socket->disconnectFromHost();
        return;
    }
    if (recu.size() > Entete_Max) {
        socket->abort();
        return;
    }
    const qsizetype fin = recu.indexOf("\r\n\r\n");
    if (fin < 0) return;
    const Requete_Essai requete = Analyser(recu.left(fin));
    recu.clear();
    requetes_.push_back(requete);
    Repondre(socket, requete);
}

void Serveur_Http_Essai::Repondre(QTcpSocket* socket, const Requete_Essai& requete) {
    using C = Ressource_Essai::Conduite;
    const auto trouvee = ressources_.constFind(requete.chemin);
    Ressource_Essai r = trouvee == ressources_.cend() ? Ressource_Essai{"introuvable", 404} : *trouvee;
    if (r.conduite == C::Muette) return;
    QByteArray entete;
    const bool meme_etag = !r.etag.isEmpty() && requete.entetes.value("if-none-match") == r.etag;
    const bool meme_date = !r.last_modified.isEmpty() && !requete.entetes.contains("if-none-match") &&
                           requete.entetes.value("if-modified-since") == r.last_modified;
    if (r.statut == 200 && (meme_etag || meme_date)) {
        r.statut = 304;
        r.contenu.clear();
    }
    if (r.conduite == C::Boucle) {
        r.statut = 302;
        entete += "Location: " + requete.chemin + "\r\n";
    }
    if (!r.etag.isEmpty()) entete += "ETag: " + r.etag + "\r\n";
    if (!r.last_modified.isEmpty()) entete += "Last-Modified: " + r.last_modified + "\r\n";
    if (r.statut != 304) {
        entete += "Content-Type: " + r.type + "\r\n";
        entete += "Content-Length: " + QByteArray::number(r.contenu.size()) + "\r\n";
    }
    socket->write("HTTP/1.1 " + QByteArray::number(r.statut) + ' ' + Raison(r.statut) + "\r\n" + entete +
                  "Connection: close\r\n\r\n");
    if (r.conduite == C::Lente) {
        Envoyer_Lentement(socket, r.contenu);
        return;
    }
    socket->write(r.conduite == C::Coupee ? r.contenu.left(r.contenu.size() / 2) : r.contenu);
    socket->disconnectFromHost();
}

void Serveur_Http_Essai::Envoyer_Lentement(QTcpSocket* socket, const QByteArray& corps) {
    auto* minuterie = new QTimer(socket);
    auto envoye = std::make_shared<qsizetype>(0);
    connect(minuterie, &QTimer::timeout, socket, [this, socket, corps, envoye, minuterie] {
        const QByteArray part = corps.mid(*envoye, morceau_lent);
        *envoye += part.size();
        socket->write(part);
        if (*envoye >= corps.size()) {
            minuterie->stop();
            socket->disconnectFromHost();
        }
    });
    minuterie->start(Pas_Lent);
}

void Assurer_Application_Essai() {
    static int argc = 1;
    static char nom[] = "tests_catalogues";
    static char* argv[] = {nom, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

bool Attendre(const std::function<bool()>& condition, int ms) {
    QDeadlineTimer limite(ms);
    while (!condition()) {
        if (limite.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

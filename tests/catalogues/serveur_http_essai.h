#pragma once

// A small HTTP server for the tests, on a free port of 127.0.0.1, started and
// stopped by the test that owns it. It serves files from memory with their
// ETag and Last-Modified, answers conditional requests with 304, and can
// misbehave on purpose: cut a transfer, fall silent, loop on redirects, send
// slowly. It logs every request with its headers.

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <functional>
#include <ostream>
#include <vector>

class QTcpSocket;

// Failures print the texts themselves.
inline void PrintTo(const QString& texte, std::ostream* flux) { *flux << '"' << texte.toStdString() << '"'; }

struct Ressource_Essai {
    enum class Conduite { Normale, Coupee, Muette, Boucle, Lente };
    Ressource_Essai(QByteArray contenu_ = {}, int statut_ = 200, QByteArray etag_ = {},
                    QByteArray last_modified_ = {}, QByteArray type_ = "text/plain",
                    Conduite conduite_ = Conduite::Normale)
        : contenu(std::move(contenu_)),
          statut(statut_),
          etag(std::move(etag_)),
          last_modified(std::move(last_modified_)),
          type(std::move(type_)),
          conduite(conduite_) {}
    QByteArray contenu;
    int statut = 200;
    QByteArray etag;           // none when empty
    QByteArray last_modified;  // none when empty
    QByteArray type = "text/plain";
    Conduite conduite = Conduite::Normale;
};

struct Requete_Essai {
    QByteArray methode;
    QByteArray chemin;
    QMap<QByteArray, QByteArray> entetes;  // names in lower case
};

class Serveur_Http_Essai : public QObject {
public:
    Serveur_Http_Essai();
    ~Serveur_Http_Essai() override;

    quint16 Port() const { return serveur_.serverPort(); }
    QString Adresse(const QString& chemin) const;
    void Servir(const QByteArray& chemin, const Ressource_Essai& ressource) {
        ressources_[chemin] = ressource;
    }
    const std::vector<Requete_Essai>& Requetes() const { return requetes_; }
    // The log, one request a line with its headers.
    QString Journal() const;
    // Bytes sent every 20 ms by a slow resource.
    qint64 morceau_lent = 16 * 1024;

private:
    void Accueillir();
    void Lire(QTcpSocket* socket);
    void Repondre(QTcpSocket* socket, const Requete_Essai& requete);
    void Envoyer_Lentement(QTcpSocket* socket, const QByteArray& corps);

    QTcpServer serveur_;
    QMap<QByteArray, Ressource_Essai> ressources_;
    QMap<QTcpSocket*, QByteArray> recus_;
    std::vector<Requete_Essai> requetes_;
};

// The Qt application the network needs, made once for the whole suite.
void Assurer_Application_Essai();
// Runs the events until `condition` holds or `ms` have passed; whether it held.
bool Attendre(const std::function<bool()>& condition, int ms);

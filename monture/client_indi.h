#pragma once

// A client of an INDI server on the owner's thread: the connection, the
// properties the server describes, kept by device and name, and the messages
// a client sends. Nothing blocks: every answer comes as a signal.

#include <QObject>
#include <QStringList>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <map>

#include "monture/protocole_indi.h"

// What the following needs of a server: the properties it describes, the
// commands it is sent, and its answers as signals. A network client, or a
// mount of the tests' own that answers in simulated time.
class Liaison_Indi : public QObject {
    Q_OBJECT
public:
    explicit Liaison_Indi(QObject* parent = nullptr) : QObject(parent) {}

    // Connects; `Connecte` or `Perdu` follows, the latter at the latest after `delai_ms`.
    virtual void Connecter(const QString& hote, quint16 port, int delai_ms) = 0;
    virtual void Deconnecter() = 0;
    virtual bool Est_Connecte() const = 0;

    // The devices that are telescopes (they say so, or have a place to point at), sorted.
    QStringList Telescopes() const;
    // Valid until the property is deleted or the connection ends.
    const Vecteur_Indi* Propriete(const QString& appareil, const QString& nom) const;

    void Envoyer_Nombres(const QString& appareil, const QString& nom,
                         const QList<QPair<QString, double>>& valeurs);
    void Envoyer_Interrupteurs(const QString& appareil, const QString& nom,
                               const QList<QPair<QString, bool>>& valeurs);
    void Envoyer_Textes(const QString& appareil, const QString& nom,
                        const QList<QPair<QString, QString>>& valeurs);

    // Each XML message sent (`envoye`) or received, as it goes: the record of the exchange.
    using Journal = std::function<void(bool envoye, const QByteArray& xml)>;
    void Journaliser(Journal journal) { journal_ = std::move(journal); }

signals:
    void Connecte();
    void Perdu(const QString& raison);  // the connection failed or ended
    void Propriete_Changee(const Vecteur_Indi& vecteur);
    void Propriete_Supprimee(const QString& appareil, const QString& nom);  // empty name: the whole device
    void Message_Appareil(const QString& appareil, const QString& message);

protected:
    virtual void Envoyer(const QByteArray& xml) = 0;
    // What the server sent, read as it arrives; a stream that cannot be read ends the connection.
    void Recevoir(const QByteArray& octets);
    void Oublier();  // a new connection: nothing is known of the server
    virtual void Finir(const QString& raison) = 0;
    void Noter(bool envoye, const QByteArray& xml) const {
        if (journal_) journal_(envoye, xml);
    }

private:
    void Traiter(const Evenement_Indi& e);
    Lecteur_Indi lecteur_;
    Journal journal_;
    // By device, then name; a node container, so that what `Propriete`
    // answers stays in place while other properties come and go.
    std::map<QString, std::map<QString, Vecteur_Indi>> proprietes_;
};

class Client_Indi : public Liaison_Indi {
    Q_OBJECT
public:
    explicit Client_Indi(QObject* parent = nullptr);

    void Connecter(const QString& hote, quint16 port, int delai_ms) override;
    void Deconnecter() override;
    bool Est_Connecte() const override;

private:
    void Lire_Socket();
    void Finir(const QString& raison) override;
    void Envoyer(const QByteArray& xml) override;

    QTcpSocket socket_;
    QString hote_;
    quint16 port_ = 0;
    QTimer delai_;
    bool repondu_ = false;  // the server has sent INDI since the connection
};

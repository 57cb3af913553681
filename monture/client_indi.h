#pragma once

// A client of an INDI server on the owner's thread: the connection, the
// properties the server describes, kept by device and name, and the messages
// a client sends. Nothing blocks: every answer comes as a signal.

#include <QObject>
#include <QStringList>
#include <QTcpSocket>
#include <QTimer>
#include <map>

#include "monture/protocole_indi.h"

class Client_Indi : public QObject {
    Q_OBJECT
public:
    explicit Client_Indi(QObject* parent = nullptr);

    // Connects; `Connecte` or `Perdu` follows, the latter at the latest after `delai_ms`.
    void Connecter(const QString& hote, quint16 port, int delai_ms);
    void Deconnecter();
    bool Est_Connecte() const;

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

signals:
    void Connecte();
    void Perdu(const QString& raison);  // the connection failed or ended
    void Propriete_Changee(const Vecteur_Indi& vecteur);
    void Propriete_Supprimee(const QString& appareil, const QString& nom);  // empty name: the whole device
    void Message_Appareil(const QString& appareil, const QString& message);

private:
    void Recevoir();
    void Traiter(const Evenement_Indi& e);
    void Finir(const QString& raison);
    void Envoyer(const QByteArray& xml);

    QTcpSocket socket_;
    QString hote_;
    quint16 port_ = 0;
    QTimer delai_;
    Lecteur_Indi lecteur_;
    // By device, then name; a node container, so that what `Propriete`
    // answers stays in place while other properties come and go.
    std::map<QString, std::map<QString, Vecteur_Indi>> proprietes_;
};

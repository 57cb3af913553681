#pragma once

// The INDI protocol: the XML that a server and its clients exchange over TCP.
// The stream is a sequence of elements without a root, read as it arrives.
//
// We speak the protocol ourselves over a QTcpSocket rather than through
// Debian's client library: everything then happens on the owner's thread and
// event loop (no callbacks on a thread of the library, no property object
// shared across threads), a connection attempt is bounded by our own timer,
// and the tests can stand up a small server of their own with the same code.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <optional>
#include <vector>

enum class Etat_Indi { Repos, Ok, Occupe, Alerte };  // Idle, Ok, Busy, Alert

// One property as the server describes or updates it: its elements' values
// as texts, in the server's order.
struct Vecteur_Indi {
    QString appareil;
    QString nom;
    QString genre;  // "Number", "Switch", "Text", "Light" or "BLOB"
    Etat_Indi etat = Etat_Indi::Repos;
    QString message;
    bool definition = false;  // def…Vector rather than set…Vector
    QList<QPair<QString, QString>> valeurs;

    std::optional<QString> Texte(const QString& element) const;
    std::optional<double> Nombre(const QString& element) const;
    bool Allume(const QString& element) const;  // a switch that is On
};

// What one element of the stream tells.
struct Evenement_Indi {
    enum class Genre { Propriete, Suppression, Message };
    Genre genre = Genre::Propriete;
    Vecteur_Indi vecteur;  // for a suppression, the device and the name (empty: the whole device)
    QString message;       // a driver's message, or a vector's own
};

// A decimal number or a sexagesimal one ("-12:30:15.5", "12 30", "12;30");
// nothing when the text is neither, or not finite.
std::optional<double> Lire_Nombre_Indi(const QString& texte);

// A server's text as it may be shown on a terminal or in a status bar:
// control characters written as escapes ("\t", "\n", "\u001b"), and cut at
// `Longueur_Texte_Serveur` characters.
inline constexpr int Longueur_Texte_Serveur = 300;
QString Texte_Affichable(QStringView texte);

// Reads the stream as it arrives, whatever the cut between two pieces.
class Lecteur_Indi {
public:
    Lecteur_Indi();
    void Recommencer();  // a new stream
    // The elements completed by this piece. A stream that is not XML, or an
    // element larger than the reader accepts (complete or not), sets `Erreur`.
    std::vector<Evenement_Indi> Lire(const QByteArray& morceau);
    QString Erreur() const { return erreur_; }

private:
    void Debut(std::vector<Evenement_Indi>& evenements);
    void Fin(std::vector<Evenement_Indi>& evenements);
    bool Octets_Valides(const QByteArray& morceau);
    QXmlStreamReader xml_;
    QStringDecoder utf8_{QStringDecoder::Utf8};  // across the cuts of the stream
    QString erreur_;
    int profondeur_ = 0;  // 1 between the server's elements
    bool dans_vecteur_ = false;
    Vecteur_Indi vecteur_;       // the vector being read
    QString element_, texte_;    // its element being read
    qint64 lus_ = 0;             // bytes received
    qint64 entre_elements_ = 0;  // where the stream was last between two elements
    qint64 debut_element_ = 0;   // where the server's element being read began
};

// The messages a client sends.
QByteArray Demande_Proprietes(const QString& appareil = {});
QByteArray Nouveaux_Nombres(const QString& appareil, const QString& nom,
                            const QList<QPair<QString, double>>& valeurs);
QByteArray Nouveaux_Interrupteurs(const QString& appareil, const QString& nom,
                                  const QList<QPair<QString, bool>>& valeurs);
QByteArray Nouveaux_Textes(const QString& appareil, const QString& nom,
                           const QList<QPair<QString, QString>>& valeurs);

#include "monture/client_indi.h"

#include <cmath>

#include "monture/proprietes_indi.h"

namespace {

constexpr int Delai_Envoi_Final = 1000;  // ms
constexpr int Nombre_Maximal_Appareils = 1000;
constexpr int Nombre_Maximal_Proprietes = 10000;  // per device: a server cannot fill the memory
constexpr qint64 Taille_Lecture = 1 << 16;        // bytes read from the socket at once
constexpr qint64 Tampon_Lecture = 1 << 22;        // bytes the socket may hold unread

const QString Mot_Injoignable = QStringLiteral("Le serveur INDI %1:%2 ne répond pas.");
const QString Mot_Pas_Indi = QStringLiteral("Le serveur %1:%2 ne répond pas (est-ce un serveur INDI ?)");
const QString Mot_Refus = QStringLiteral("Le serveur INDI %1:%2 est injoignable : %3");
const QString Mot_Coupure = QStringLiteral("La connexion au serveur INDI est coupée.");
const QString Mot_Flux = QStringLiteral("Connexion au serveur INDI abandonnée : %1.");

// An update carries only the elements that changed; a definition, all of them.
void Mettre_A_Jour(Vecteur_Indi& p, const Vecteur_Indi& nouveau) {
    p.etat = nouveau.etat;
    p.message = nouveau.message;
    p.definition = nouveau.definition;
    if (nouveau.definition) {
        p.valeurs = nouveau.valeurs;
        return;
    }
    for (const auto& [element, valeur] : nouveau.valeurs)
        for (auto& v : p.valeurs)
            if (v.first == element) v.second = valeur;
}

// The driver's interfaces, a bit field; a number that is no such field says none.
long long Interfaces(const std::map<QString, Vecteur_Indi>& proprietes) {
    const auto pilote = proprietes.find(Indi::Pilote);
    if (pilote == proprietes.end()) return 0;
    const double x = pilote->second.Nombre(Indi::Interface_Pilote).value_or(0);
    constexpr double Plus_Grand_Champ = 1LL << 52;  // the bits a double holds exactly
    if (!(x >= 0 && x < Plus_Grand_Champ) || x != std::floor(x)) return 0;
    return static_cast<long long>(x);
}

}  // namespace

QStringList Liaison_Indi::Telescopes() const {
    QStringList noms;
    for (const auto& [appareil, proprietes] : proprietes_)
        if ((Interfaces(proprietes) & Indi::Interface_Telescope) || proprietes.count(Indi::Place_Date))
            noms.append(appareil);
    return noms;
}

const Vecteur_Indi* Liaison_Indi::Propriete(const QString& appareil, const QString& nom) const {
    const auto a = proprietes_.find(appareil);
    if (a == proprietes_.end()) return nullptr;
    const auto p = a->second.find(nom);
    return p == a->second.end() ? nullptr : &p->second;
}

void Liaison_Indi::Oublier() {
    lecteur_.Recommencer();
    proprietes_.clear();
}

void Liaison_Indi::Recevoir(const QByteArray& octets) {
    Noter(false, octets);
    const auto evenements = lecteur_.Lire(octets);
    for (const auto& e : evenements) {
        if (!Est_Connecte()) return;  // a handler ended the connection
        Traiter(e);
    }
    if (!lecteur_.Erreur().isEmpty()) Finir(Mot_Flux.arg(lecteur_.Erreur()));
}

void Liaison_Indi::Traiter(const Evenement_Indi& e) {
    const QString& appareil = e.vecteur.appareil;
    // The server's words reach a terminal or a status bar.
    const QString message = Texte_Affichable(e.message);
    switch (e.genre) {
        case Evenement_Indi::Genre::Message:
            if (!message.isEmpty()) emit Message_Appareil(appareil, message);
            return;
        case Evenement_Indi::Genre::Suppression:
            if (e.vecteur.nom.isEmpty())
                proprietes_.erase(appareil);
            else if (proprietes_.count(appareil))
                proprietes_[appareil].erase(e.vecteur.nom);
            emit Propriete_Supprimee(appareil, e.vecteur.nom);
            return;
        case Evenement_Indi::Genre::Propriete:
            break;
    }
    // An update of a property never described is ignored.
    if (!proprietes_.count(appareil) &&
        (!e.vecteur.definition || proprietes_.size() >= Nombre_Maximal_Appareils))
        return;
    auto& du_appareil = proprietes_[appareil];
    auto p = du_appareil.find(e.vecteur.nom);
    if (p == du_appareil.end()) {
        if (!e.vecteur.definition || du_appareil.size() >= Nombre_Maximal_Proprietes) return;
        p = du_appareil.emplace(e.vecteur.nom, e.vecteur).first;
    } else {
        Mettre_A_Jour(p->second, e.vecteur);
    }
    p->second.message = Texte_Affichable(p->second.message);
    if (!message.isEmpty()) emit Message_Appareil(appareil, message);
    emit Propriete_Changee(p->second);
}

void Liaison_Indi::Envoyer_Nombres(const QString& appareil, const QString& nom,
                                   const QList<QPair<QString, double>>& valeurs) {
    Envoyer(Nouveaux_Nombres(appareil, nom, valeurs));
}

void Liaison_Indi::Envoyer_Interrupteurs(const QString& appareil, const QString& nom,
                                         const QList<QPair<QString, bool>>& valeurs) {
    Envoyer(Nouveaux_Interrupteurs(appareil, nom, valeurs));
}

void Liaison_Indi::Envoyer_Textes(const QString& appareil, const QString& nom,
                                  const QList<QPair<QString, QString>>& valeurs) {
    Envoyer(Nouveaux_Textes(appareil, nom, valeurs));
}

Client_Indi::Client_Indi(QObject* parent) : Liaison_Indi(parent) {
    delai_.setSingleShot(true);
    // A server that floods the connection is read a piece at a time.
    socket_.setReadBufferSize(Tampon_Lecture);
    connect(&socket_, &QTcpSocket::connected, this, [this] {
        Envoyer(Demande_Proprietes());
        emit Connecte();
    });
    connect(&socket_, &QTcpSocket::readyRead, this, &Client_Indi::Lire_Socket);
    connect(&socket_, &QTcpSocket::errorOccurred, this, [this] {
        const bool etait_connecte = socket_.state() == QAbstractSocket::ConnectedState || repondu_ ||
                                    socket_.error() == QAbstractSocket::RemoteHostClosedError;
        Finir(etait_connecte ? Mot_Coupure : Mot_Refus.arg(hote_).arg(port_).arg(socket_.errorString()));
    });
    // Until the server has spoken INDI: silent, or not a server of INDI at all.
    connect(&delai_, &QTimer::timeout, this,
            [this] { Finir((Est_Connecte() ? Mot_Pas_Indi : Mot_Injoignable).arg(hote_).arg(port_)); });
}

void Client_Indi::Connecter(const QString& hote, quint16 port, int delai_ms) {
    Deconnecter();
    // The socket forgets the peer once the attempt fails: the messages name it from here.
    hote_ = hote;
    port_ = port;
    repondu_ = false;
    Oublier();
    delai_.start(delai_ms);
    socket_.connectToHost(hote, port);
}

void Client_Indi::Deconnecter() {
    delai_.stop();
    const QSignalBlocker silence(socket_);
    // What was last sent (a stop) reaches the server before the connection closes.
    if (Est_Connecte() && socket_.bytesToWrite() > 0) socket_.waitForBytesWritten(Delai_Envoi_Final);
    socket_.abort();
}

bool Client_Indi::Est_Connecte() const { return socket_.state() == QAbstractSocket::ConnectedState; }

void Client_Indi::Finir(const QString& raison) {
    if (socket_.state() == QAbstractSocket::UnconnectedState && !delai_.isActive()) return;
    Deconnecter();
    emit Perdu(raison);
}

void Client_Indi::Lire_Socket() {
    while (Est_Connecte() && socket_.bytesAvailable() > 0) {
        const QByteArray octets = socket_.read(Taille_Lecture);
        if (!repondu_ && !octets.trimmed().isEmpty()) {
            repondu_ = true;
            delai_.stop();
        }
        Recevoir(octets);
    }
}

void Client_Indi::Envoyer(const QByteArray& xml) {
    if (socket_.state() != QAbstractSocket::ConnectedState) return;
    Noter(true, xml);
    socket_.write(xml);
}

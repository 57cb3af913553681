#include "monture/client_indi.h"

namespace {

const QString Propriete_Pilote = QStringLiteral("DRIVER_INFO");
const QString Interface_Pilote = QStringLiteral("DRIVER_INTERFACE");
const QString Place_Pointee = QStringLiteral("EQUATORIAL_EOD_COORD");
constexpr int Interface_Telescope = 1;   // the telescope bit of a driver's interfaces
constexpr int Delai_Envoi_Final = 1000;  // ms
constexpr int Nombre_Maximal_Appareils = 1000;
constexpr int Nombre_Maximal_Proprietes = 10000;  // per device: a server cannot fill the memory

const QString Mot_Injoignable = QStringLiteral("Le serveur INDI %1:%2 ne répond pas.");
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

}  // namespace

Client_Indi::Client_Indi(QObject* parent) : QObject(parent) {
    delai_.setSingleShot(true);
    connect(&socket_, &QTcpSocket::connected, this, [this] {
        delai_.stop();
        Envoyer(Demande_Proprietes());
        emit Connecte();
    });
    connect(&socket_, &QTcpSocket::readyRead, this, &Client_Indi::Recevoir);
    connect(&socket_, &QTcpSocket::errorOccurred, this, [this] {
        const bool etait_connecte = !delai_.isActive();
        Finir(etait_connecte ? Mot_Coupure : Mot_Refus.arg(hote_).arg(port_).arg(socket_.errorString()));
    });
    connect(&delai_, &QTimer::timeout, this, [this] { Finir(Mot_Injoignable.arg(hote_).arg(port_)); });
}

void Client_Indi::Connecter(const QString& hote, quint16 port, int delai_ms) {
    Deconnecter();
    // The socket forgets the peer once the attempt fails: the messages name it from here.
    hote_ = hote;
    port_ = port;
    lecteur_.Recommencer();
    proprietes_.clear();
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

QStringList Client_Indi::Telescopes() const {
    QStringList noms;
    for (const auto& [appareil, proprietes] : proprietes_) {
        const auto pilote = proprietes.find(Propriete_Pilote);
        const int interfaces =
            pilote == proprietes.end() ? 0 : int(pilote->second.Nombre(Interface_Pilote).value_or(0));
        if ((interfaces & Interface_Telescope) || proprietes.count(Place_Pointee)) noms.append(appareil);
    }
    return noms;
}

const Vecteur_Indi* Client_Indi::Propriete(const QString& appareil, const QString& nom) const {
    const auto a = proprietes_.find(appareil);
    if (a == proprietes_.end()) return nullptr;
    const auto p = a->second.find(nom);
    return p == a->second.end() ? nullptr : &p->second;
}

void Client_Indi::Recevoir() {
    const auto evenements = lecteur_.Lire(socket_.readAll());
    for (const auto& e : evenements) {
        if (!Est_Connecte()) return;  // a handler ended the connection
        Traiter(e);
    }
    if (!lecteur_.Erreur().isEmpty()) Finir(Mot_Flux.arg(lecteur_.Erreur()));
}

void Client_Indi::Traiter(const Evenement_Indi& e) {
    const QString& appareil = e.vecteur.appareil;
    switch (e.genre) {
        case Evenement_Indi::Genre::Message:
            if (!e.message.isEmpty()) emit Message_Appareil(appareil, e.message);
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
    if (!e.message.isEmpty()) emit Message_Appareil(appareil, e.message);
    emit Propriete_Changee(p->second);
}

void Client_Indi::Envoyer(const QByteArray& xml) {
    if (socket_.state() == QAbstractSocket::ConnectedState) socket_.write(xml);
}

void Client_Indi::Envoyer_Nombres(const QString& appareil, const QString& nom,
                                  const QList<QPair<QString, double>>& valeurs) {
    Envoyer(Nouveaux_Nombres(appareil, nom, valeurs));
}

void Client_Indi::Envoyer_Interrupteurs(const QString& appareil, const QString& nom,
                                        const QList<QPair<QString, bool>>& valeurs) {
    Envoyer(Nouveaux_Interrupteurs(appareil, nom, valeurs));
}

void Client_Indi::Envoyer_Textes(const QString& appareil, const QString& nom,
                                 const QList<QPair<QString, QString>>& valeurs) {
    Envoyer(Nouveaux_Textes(appareil, nom, valeurs));
}

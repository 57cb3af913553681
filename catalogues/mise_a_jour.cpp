#include "catalogues/mise_a_jour.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {

const QString Silence = QStringLiteral("le serveur n'envoie plus rien depuis %1 s");
const QString Annulation = QStringLiteral("mise à jour annulée");
const QString Transfert_Coupe = QStringLiteral("transfert interrompu : %1 octets reçus sur %2 annoncés");
const QString Gzip_Abime = QStringLiteral("fichier gzip tronqué ou corrompu");
const QString Ecriture_Impossible = QStringLiteral("impossible d'écrire la copie locale (%1)");
const QString Dossier_Impossible = QStringLiteral("impossible de créer le dossier %1");

// Redirects a mirror may reasonably chain; more is a loop.
constexpr int Redirections_Max = 10;
constexpr int Ms_Par_Seconde = 1000;

QNetworkRequest Requete(const Demande_Mise_A_Jour& d, const std::optional<Releve_Copie>& precedent) {
    QNetworkRequest r{QUrl(d.adresse)};
    // Qt's cache would guess freshness and serve a stale file without asking.
    r.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    r.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    r.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    r.setMaximumRedirectsAllowed(Redirections_Max);
    // The bytes as stored, so that their announced length can be checked.
    r.setRawHeader("Accept-Encoding", "identity");
    r.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Trajectel/" TRAJECTEL_VERSION));
    // Only with a copy to keep may the server answer "unchanged".
    if (precedent) {
        if (!precedent->ETag.isEmpty()) r.setRawHeader("If-None-Match", precedent->ETag.toUtf8());
        if (!precedent->Last_Modified.isEmpty())
            r.setRawHeader("If-Modified-Since", precedent->Last_Modified.toUtf8());
    }
    return r;
}

}  // namespace

QString Texte_Statut_Http(int statut) {
    switch (statut) {
        case 401:
        case 403:
            return QStringLiteral("le serveur refuse l'accès au fichier (HTTP %1)").arg(statut);
        case 404:
        case 410:
            return QStringLiteral("fichier introuvable sur le serveur (HTTP %1)").arg(statut);
        default:
            break;
    }
    if (statut >= 500) return QStringLiteral("erreur du serveur (HTTP %1)").arg(statut);
    return QStringLiteral("réponse inattendue du serveur (HTTP %1)").arg(statut);
}

QString Texte_Erreur_Reseau(int erreur, const QString& hote) {
    using E = QNetworkReply::NetworkError;
    switch (static_cast<E>(erreur)) {
        case E::HostNotFoundError:
            return QStringLiteral("serveur %1 introuvable (pas de réseau ou nom inconnu)").arg(hote);
        case E::ConnectionRefusedError:
            return QStringLiteral("connexion refusée par %1").arg(hote);
        case E::RemoteHostClosedError:
            return QStringLiteral("connexion fermée par %1 avant la fin").arg(hote);
        case E::TimeoutError:
            return QStringLiteral("%1 ne répond pas").arg(hote);
        case E::SslHandshakeFailedError:
            return QStringLiteral("échec de la connexion sécurisée (TLS) avec %1").arg(hote);
        case E::NetworkSessionFailedError:
        case E::TemporaryNetworkFailureError:
        case E::UnknownNetworkError:
            return QStringLiteral("pas de réseau");
        case E::TooManyRedirectsError:
            return QStringLiteral("trop de redirections (une boucle ?)");
        case E::InsecureRedirectError:
            return QStringLiteral("redirection refusée de https vers http");
        case E::ProxyConnectionRefusedError:
        case E::ProxyConnectionClosedError:
        case E::ProxyNotFoundError:
        case E::ProxyTimeoutError:
        case E::ProxyAuthenticationRequiredError:
        case E::UnknownProxyError:
            return QStringLiteral("le serveur mandataire (proxy) ne répond pas ou refuse la connexion");
        case E::ProtocolUnknownError:
            return QStringLiteral("protocole non pris en charge");
        default:
            return QStringLiteral("erreur de réseau (%1)").arg(erreur);
    }
}

Mise_A_Jour_Catalogue::Mise_A_Jour_Catalogue(QNetworkAccessManager& reseau, Demande_Mise_A_Jour demande,
                                             QObject* parent)
    : QObject(parent), reseau_(reseau), demande_(std::move(demande)) {
    silence_.setSingleShot(true);
    silence_.setInterval(demande_.delai_silence);
    connect(&silence_, &QTimer::timeout, this,
            [this] { Echouer(Silence.arg(demande_.delai_silence / Ms_Par_Seconde)); });
}

Mise_A_Jour_Catalogue::~Mise_A_Jour_Catalogue() {
    if (reponse_) {
        reponse_->disconnect(this);
        reponse_->abort();
        reponse_->deleteLater();
    }
}

void Mise_A_Jour_Catalogue::Commencer() {
    precedent_ = Lire_Releve(demande_.dossier, *demande_.source);
    const QString refus = Verifier_Adresse(demande_.adresse);
    if (!refus.isEmpty()) {
        raison_ = refus + QStringLiteral(" : ") + demande_.adresse;
        QTimer::singleShot(0, this, [this] { Conclure({Issue_Mise_A_Jour::Echec, raison_, precedent_}); });
        return;
    }
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    if (demande_.source->Gzip) gzip_ = std::make_unique<Decompression_Gzip>();
    examen_ = std::make_unique<Examen_Catalogue>(demande_.source->Forme);
    reponse_ = reseau_.get(Requete(demande_, precedent_));
    connect(reponse_, &QNetworkReply::readyRead, this, &Mise_A_Jour_Catalogue::Recevoir);
    connect(reponse_, &QNetworkReply::finished, this, &Mise_A_Jour_Catalogue::Finir);
    connect(reponse_, &QNetworkReply::downloadProgress, this, [this](qint64 recus, qint64 total) {
        silence_.start();
        emit Progression(recus, total);
    });
    connect(reponse_, &QNetworkReply::metaDataChanged, this, [this] { silence_.start(); });
    silence_.start();
}

void Mise_A_Jour_Catalogue::Annuler() {
    if (conclue_) return;
    annulee_ = true;
    if (reponse_) reponse_->abort();
}

void Mise_A_Jour_Catalogue::Echouer(const QString& raison) {
    if (raison_.isEmpty()) raison_ = raison;
    if (reponse_) reponse_->abort();
}

bool Mise_A_Jour_Catalogue::Ouvrir_Copie() {
    if (!QDir().mkpath(demande_.dossier)) {
        Echouer(Dossier_Impossible.arg(demande_.dossier));
        return false;
    }
    copie_ = std::make_unique<QSaveFile>(Chemin_Copie(demande_.dossier, *demande_.source));
    // A copy is never written in place, even where the folder forbids a new file.
    copie_->setDirectWriteFallback(false);
    if (!copie_->open(QIODevice::WriteOnly)) {
        Echouer(Ecriture_Impossible.arg(copie_->errorString()));
        return false;
    }
    return true;
}

bool Mise_A_Jour_Catalogue::Ecrire(const char* donnees, qint64 taille) {
    examen_->Ajouter(donnees, taille);
    if (copie_->write(donnees, taille) == taille) return true;
    Echouer(Ecriture_Impossible.arg(copie_->errorString()));
    return false;
}

void Mise_A_Jour_Catalogue::Recevoir() {
    silence_.start();
    const int statut = reponse_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // Only a success's body is the catalogue; an error page is read no further.
    if (statut != 200 || !raison_.isEmpty()) {
        reponse_->skip(reponse_->bytesAvailable());
        return;
    }
    if (!copie_ && !Ouvrir_Copie()) return;
    const QByteArray morceau = reponse_->readAll();
    recus_ += morceau.size();
    const auto ecrire = [this](const char* d, int64_t n) { return Ecrire(d, n); };
    if (gzip_) {
        if (!gzip_->Ajouter(morceau.constData(), morceau.size(), ecrire) && raison_.isEmpty())
            Echouer(Gzip_Abime);
        return;
    }
    Ecrire(morceau.constData(), morceau.size());
}

bool Mise_A_Jour_Catalogue::Coupee() const {
    const QVariant longueur = reponse_->header(QNetworkRequest::ContentLengthHeader);
    return longueur.isValid() && longueur.toLongLong() != recus_;
}

// A 200 is whole when its announced length came and its gzip ended.
QString Mise_A_Jour_Catalogue::Verifier_Reception() const {
    const QVariant longueur = reponse_->header(QNetworkRequest::ContentLengthHeader);
    if (Coupee()) return Transfert_Coupe.arg(recus_).arg(longueur.toLongLong());
    if (gzip_ && !gzip_->Complete()) return Gzip_Abime;
    return Refus_Contenu(*examen_);
}

void Mise_A_Jour_Catalogue::Finir() {
    silence_.stop();
    if (reponse_->bytesAvailable() > 0) Recevoir();
    const int statut = reponse_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const auto erreur = reponse_->error();
    if (annulee_) {
        Conclure({Issue_Mise_A_Jour::Annulee, Annulation, precedent_});
    } else if (!raison_.isEmpty()) {
        Conclure({Issue_Mise_A_Jour::Echec, raison_, precedent_});
    } else if (statut == 200 && Coupee()) {
        Conclure({Issue_Mise_A_Jour::Echec, Verifier_Reception(), precedent_});
    } else if (statut == 304 && precedent_) {
        Prendre_Inchangee();
    } else if (statut >= 300 && erreur != QNetworkReply::TooManyRedirectsError &&
               erreur != QNetworkReply::InsecureRedirectError) {
        Conclure({Issue_Mise_A_Jour::Echec, Texte_Statut_Http(statut), precedent_});
    } else if (erreur != QNetworkReply::NoError) {
        Conclure({Issue_Mise_A_Jour::Echec, Texte_Erreur_Reseau(erreur, reponse_->url().host()), precedent_});
    } else if (statut != 200) {
        Conclure({Issue_Mise_A_Jour::Echec, Texte_Statut_Http(statut), precedent_});
    } else {
        Prendre_Nouvelle();
    }
}

void Mise_A_Jour_Catalogue::Prendre_Inchangee() {
    Releve_Copie releve = *precedent_;
    releve.Verification = demande_.horloge();
    // The copy is untouched; a record that cannot be written only forgets the check.
    Ecrire_Releve(demande_.dossier, *demande_.source, releve);
    Conclure({Issue_Mise_A_Jour::Inchangee, {}, releve});
}

void Mise_A_Jour_Catalogue::Prendre_Nouvelle() {
    if (!copie_ && !Ouvrir_Copie()) {
        Conclure({Issue_Mise_A_Jour::Echec, raison_, precedent_});
        return;
    }
    examen_->Terminer();
    const QString refus = Verifier_Reception();
    if (!refus.isEmpty()) {
        Conclure({Issue_Mise_A_Jour::Echec, refus, precedent_});
        return;
    }
    if (!copie_->commit()) {
        Conclure({Issue_Mise_A_Jour::Echec, Ecriture_Impossible.arg(copie_->errorString()), precedent_});
        return;
    }
    copie_.reset();
    Releve_Copie releve;
    releve.Adresse = demande_.adresse;
    releve.ETag = QString::fromUtf8(reponse_->rawHeader("ETag"));
    releve.Last_Modified = QString::fromUtf8(reponse_->rawHeader("Last-Modified"));
    releve.Telechargement = releve.Verification = demande_.horloge();
    releve.Objets = examen_->Orbites();
    const QString raison = Ecrire_Releve(demande_.dossier, *demande_.source, releve);
    if (!raison.isEmpty()) {
        Conclure({Issue_Mise_A_Jour::Echec, Ecriture_Impossible.arg(raison), std::nullopt});
        return;
    }
    Conclure({Issue_Mise_A_Jour::Mise_A_Jour, {}, releve});
}

void Mise_A_Jour_Catalogue::Conclure(Resultat_Mise_A_Jour resultat) {
    if (conclue_) return;
    conclue_ = true;
    silence_.stop();
    // An unfinished copy goes; the one in place stays.
    if (copie_) copie_->cancelWriting();
    copie_.reset();
    if (reponse_) reponse_->deleteLater();
    emit Terminee(resultat);
}

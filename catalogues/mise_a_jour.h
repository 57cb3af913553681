#pragma once

// The update of one catalogue: a conditional request that sends back the
// previous answer's ETag and Last-Modified, so that an unchanged file costs
// one short answer (304); a new file replaces the copy only once it has come
// whole, unpacked and read as the catalogue with at least one body. Every
// failure, a cancel included, leaves the copy as it was.

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QSaveFile>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "catalogues/copies_locales.h"
#include "catalogues/examen_contenu.h"

class QNetworkAccessManager;
class QNetworkReply;

// A transfer with no byte for this long has failed.
constexpr int Delai_Silence_Defaut = 30'000;  // ms

struct Demande_Mise_A_Jour {
    const Source_Catalogue* source = nullptr;
    QString adresse;
    QString dossier;                           // of the copies, ending with "/"
    int delai_silence = Delai_Silence_Defaut;  // ms
    std::function<QDateTime()> horloge = [] { return QDateTime::currentDateTimeUtc(); };
};

enum class Issue_Mise_A_Jour { Mise_A_Jour, Inchangee, Echec, Annulee };

struct Resultat_Mise_A_Jour {
    Issue_Mise_A_Jour issue = Issue_Mise_A_Jour::Echec;
    QString raison;                      // of a failure
    std::optional<Releve_Copie> releve;  // of the copy there is now, if any
};

class Mise_A_Jour_Catalogue : public QObject {
    Q_OBJECT
public:
    Mise_A_Jour_Catalogue(QNetworkAccessManager& reseau, Demande_Mise_A_Jour demande,
                          QObject* parent = nullptr);
    ~Mise_A_Jour_Catalogue() override;

    void Commencer();
    void Annuler();

signals:
    // Bytes received of the file as the server sends it; total -1 when unknown.
    void Progression(qint64 recus, qint64 total);
    void Terminee(const Resultat_Mise_A_Jour& resultat);

private:
    void Recevoir();
    void Finir();
    bool Ouvrir_Copie();
    bool Ecrire(const char* donnees, qint64 taille);
    void Echouer(const QString& raison);
    bool Coupee() const;
    QString Verifier_Reception() const;
    void Prendre_Nouvelle();
    void Prendre_Inchangee();
    void Conclure(Resultat_Mise_A_Jour resultat);

    QNetworkAccessManager& reseau_;
    Demande_Mise_A_Jour demande_;
    std::optional<Releve_Copie> precedent_;
    QPointer<QNetworkReply> reponse_;
    QTimer silence_;
    std::unique_ptr<QSaveFile> copie_;
    std::unique_ptr<Decompression_Gzip> gzip_;
    std::unique_ptr<Examen_Catalogue> examen_;
    qint64 recus_ = 0;
    QString raison_;  // a failure seen before the end
    bool annulee_ = false;
    bool conclue_ = false;
};

// The text of a network failure, in the observer's words.
QString Texte_Erreur_Reseau(int erreur, const QString& hote);
// The text of an HTTP status that is not a success.
QString Texte_Statut_Http(int statut);

#pragma once

// A mount of the tests' own, in this process and in simulated time: it
// answers the following's commands as a driver does (the slew takes its
// time, the custom rates move it), and can be told to misbehave.

#include <cmath>
#include <functional>
#include <map>

#include "monture/client_indi.h"
#include "monture/suivi_monture.h"

class Horloge_Simulee : public Horloge_Suivi {
public:
    qint64 Maintenant() const override { return t_; }
    void Programmer(qint64 instant, std::function<void()> rappel) override {
        appels_.emplace(instant, std::move(rappel));
    }
    // Runs every call due until `ms` from now, in their order.
    void Avancer(qint64 ms);

private:
    qint64 t_ = 1'798'761'600'000;  // 2027-01-01 0 h UTC
    std::multimap<qint64, std::function<void()>> appels_;
};

class Monture_Simulee : public Liaison_Indi {
public:
    struct Options {
        bool vitesses_propres = true;
        bool parquee = false;
        bool pointage_sans_fin = false;        // stays Busy after a slew starts
        bool retourne_apres_vitesses = false;  // turns over at its pier after each rate
        double derive_de = NAN;                // ″/s: the declination drifts so, whatever the rate sent
        bool refuse_vitesses = false;
        bool refuse_connexion = false;  // alert, without a word
        bool deconnectee = false;       // the device is described unconnected
    };
    Monture_Simulee(Horloge_Simulee& horloge, const Options& options)
        : horloge_(horloge), options_(options) {}
    static inline const QString Appareil = QStringLiteral("Monture simulée");

    void Connecter(const QString&, quint16, int) override;
    void Deconnecter() override { connecte_ = false; }
    bool Est_Connecte() const override { return connecte_; }

    // What the mount is doing, as the driver would tell.
    bool muette = false;      // obeys, but answers nothing
    double ra = 6, dec = 40;  // hours, degrees
    QString mode = QStringLiteral("TRACK_SIDEREAL");
    bool poursuite = true;
    double vitesse_ra = 15.041067, vitesse_de = 0;  // ″/s
    bool en_pointage = false;
    QStringList commandes;  // the properties received, in order
    int pointages = 0;

    // The server's side, at once.
    void Dire(const QByteArray& xml);
    void Envoyer_Place(const QString& ra_texte, const QString& dec_texte,
                       const QString& etat = QStringLiteral("Ok"));
    void Supprimer_Place();
    void Couper();  // the server goes away
    bool Siderale() const {
        return connecte_ && !en_pointage && poursuite && mode == QStringLiteral("TRACK_SIDEREAL");
    }

protected:
    void Envoyer(const QByteArray& xml) override;
    void Finir(const QString& raison) override;

private:
    void Commande(const Vecteur_Indi& v);
    void Pointer(const Vecteur_Indi& v);
    void Battre();  // reports its place each second while connected
    void Repondre(const Vecteur_Indi& v, const QString& etat);
    void Plus_Tard(const QByteArray& xml);
    QByteArray Place(const QString& etat) const;
    QByteArray Description() const;
    Horloge_Simulee& horloge_;
    Options options_;
    Lecteur_Indi lecteur_;
    bool connecte_ = false;
    int generation_ = 0;  // a slew that an abort or a new slew ends
    qint64 dernier_battement_ = 0;
    QString cote_ = QStringLiteral("PIER_EAST");
};

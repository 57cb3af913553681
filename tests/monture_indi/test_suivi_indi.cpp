#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cmath>

#include "astro/visibilite.h"
#include "monture/suivi_monture.h"
#include "monture_indi/serveurs_essai.h"

namespace {

constexpr double Secondes_Par_Jour = 86400;
constexpr double Tolerance = 20;             // arc seconds
const Site_Monture Site_Essai{45, -5, 300};  // west of Greenwich: INDI takes 355° east

// A body moving uniformly from (ha_h, delta0) at the start of the test, its
// right ascension rate `d_alpha` and declination rate `d_delta` in ″/s (the
// former as an angle, 15″ per second of time), and a curvature in declination
// `courbure` (″/s²) centred `sommet` seconds after the start.
struct Corps_Essai {
    double jj0 = Jour_Julien_Maintenant();
    double alpha0, delta0, d_alpha, d_delta, courbure = 0, sommet = 0;
    Corps_Essai(double angle_horaire, double delta, double da, double dd)
        : alpha0(std::fmod((Temps_Sideral_Moyen(jj0) + Site_Essai.Longitude) / 15 - angle_horaire + 48, 24)),
          delta0(delta),
          d_alpha(da),
          d_delta(dd) {}
    Coordonnees_Monture operator()(double jj) const {
        const double t = (jj - jj0) * Secondes_Par_Jour;
        const double delta =
            delta0 + (d_delta * t + courbure * ((t - sommet) * (t - sommet) - sommet * sommet)) / 3600;
        return {std::fmod(alpha0 + d_alpha * t / 54000 + 24, 24), delta};
    }
};

Coordonnees_Monture Place_Monture(const Suivi_Monture& suivi, const QString& appareil) {
    const Vecteur_Indi* v = suivi.Client().Propriete(appareil, QStringLiteral("EQUATORIAL_EOD_COORD"));
    if (!v) return {NAN, NAN};
    return {v->Nombre(QStringLiteral("RA")).value_or(NAN), v->Nombre(QStringLiteral("DEC")).value_or(NAN)};
}

// Connects, chooses the device and asks to point and follow.
void Demarrer(Suivi_Monture& suivi, quint16 port, const QString& appareil) {
    suivi.Connecter(QStringLiteral("127.0.0.1"), port);
    ASSERT_TRUE(Attendre([&] { return suivi.Statut().connecte; }, 5000));
    ASSERT_TRUE(Attendre([&] { return suivi.Telescopes().contains(appareil); }, 5000));
    suivi.Choisir_Appareil(appareil);
    suivi.Pointer_Et_Suivre();
}

struct Fin_Suivi {
    bool finie = false;
    QString raison;
    Cause_Fin cause = Cause_Fin::Refus;
};

class Suivi_Indi : public ::testing::Test {
protected:
    void SetUp() override { Assurer_Application(); }
};

TEST_F(Suivi_Indi, PointeLeCorpsPuisSuitASesVitesses) {
    Serveur_Simulateur serveur;
    ASSERT_NE(serveur.port, 0);
    const Corps_Essai corps(5, 80, 2, 1);
    Suivi_Monture suivi(corps, {}, Site_Essai);
    Demarrer(suivi, serveur.port, Serveur_Simulateur::Appareil);
    ASSERT_TRUE(Attendre([&] { return suivi.Statut().mode == Mode_Suivi::Vitesses_Propres; }, 25000))
        << suivi.Statut().message.toStdString();
    const QString& a = Serveur_Simulateur::Appareil;
    const Vecteur_Indi* mode = suivi.Client().Propriete(a, QStringLiteral("TELESCOPE_TRACK_MODE"));
    const Vecteur_Indi* vitesses = suivi.Client().Propriete(a, QStringLiteral("TELESCOPE_TRACK_RATE"));
    ASSERT_TRUE(mode && vitesses);
    EXPECT_TRUE(Attendre([&] { return mode->Allume(QStringLiteral("TRACK_CUSTOM")); }, 3000));
    // The mount's rates are the body's own: sidereal less 2″/s, and 1″/s.
    EXPECT_TRUE(
        Attendre([&] { return vitesses->Nombre(QStringLiteral("TRACK_RATE_DE")).value_or(0) > 0.5; }, 3000));
    EXPECT_NEAR(vitesses->Nombre(QStringLiteral("TRACK_RATE_RA")).value_or(NAN), Vitesse_Siderale - 2, 1e-6);
    EXPECT_NEAR(vitesses->Nombre(QStringLiteral("TRACK_RATE_DE")).value_or(NAN), 1, 1e-6);
    EXPECT_NEAR(Ecart_Angulaire(Place_Monture(suivi, a), corps(Jour_Julien_Maintenant())), 0, Tolerance);
    ASSERT_TRUE(suivi.Statut().ecart.has_value());
    EXPECT_NEAR(*suivi.Statut().ecart, 0, Tolerance);
    EXPECT_EQ(Texte_Mode(suivi.Statut().mode), QStringLiteral("suivi : vitesses propres"));
    // The site went first, its longitude from 0 to 360° east.
    const Vecteur_Indi* site = suivi.Client().Propriete(a, QStringLiteral("GEOGRAPHIC_COORD"));
    ASSERT_TRUE(site);
    EXPECT_NEAR(site->Nombre(QStringLiteral("LAT")).value_or(NAN), 45, 1e-9);
    EXPECT_NEAR(site->Nombre(QStringLiteral("LONG")).value_or(NAN), 355, 1e-9);
    EXPECT_NEAR(site->Nombre(QStringLiteral("ELEV")).value_or(NAN), 300, 1e-9);
    // Stopping leaves the mount tracking at the sidereal rate.
    suivi.Arreter();
    EXPECT_EQ(suivi.Statut().mode, Mode_Suivi::Arrete);
    EXPECT_TRUE(Attendre([&] { return mode->Allume(QStringLiteral("TRACK_SIDEREAL")); }, 3000));
    const Vecteur_Indi* poursuite = suivi.Client().Propriete(a, QStringLiteral("TELESCOPE_TRACK_STATE"));
    ASSERT_TRUE(poursuite);
    EXPECT_TRUE(poursuite->Allume(QStringLiteral("TRACK_ON")));
}

// A body of several degrees an hour whose declination motion reverses
// halfway: the mount keeps within 20″ of it, through a zero rate.
TEST_F(Suivi_Indi, SuitUnCorpsRapideDontLaDeclinaisonRebrousse) {
    Serveur_Simulateur serveur;
    ASSERT_NE(serveur.port, 0);
    Corps_Essai corps(5, 80, 8, 0);
    corps.courbure = 0.25;  // declination rate -6″/s at the start, 0 at 12 s, +5″/s at 22 s
    corps.sommet = 12;
    constexpr int Duree_Observation = 18000;  // ms after the slews
    Reglages_Suivi reglages;
    reglages.Intervalle_Vitesses = 2000;
    Suivi_Monture suivi(corps, {}, Site_Essai, reglages);
    QList<double> vitesses_de;
    QObject::connect(&suivi.Client(), &Client_Indi::Propriete_Changee, [&](const Vecteur_Indi& v) {
        if (v.nom == QStringLiteral("TELESCOPE_TRACK_RATE") &&
            suivi.Statut().mode == Mode_Suivi::Vitesses_Propres)
            vitesses_de.append(v.Nombre(QStringLiteral("TRACK_RATE_DE")).value_or(NAN));
    });
    Demarrer(suivi, serveur.port, Serveur_Simulateur::Appareil);
    ASSERT_TRUE(Attendre([&] { return suivi.Statut().mode == Mode_Suivi::Vitesses_Propres; }, 20000))
        << suivi.Statut().message.toStdString();
    const QString& a = Serveur_Simulateur::Appareil;
    const Coordonnees_Monture depart = Place_Monture(suivi, a);
    double pire = 0;
    QElapsedTimer chrono;
    chrono.start();
    Attendre(
        [&] {
            const double e = Ecart_Angulaire(Place_Monture(suivi, a), corps(Jour_Julien_Maintenant()));
            pire = std::max(pire, e);
            return suivi.Statut().mode != Mode_Suivi::Vitesses_Propres ||
                   chrono.elapsed() > Duree_Observation;
        },
        2 * Duree_Observation);
    EXPECT_EQ(suivi.Statut().mode, Mode_Suivi::Vitesses_Propres) << suivi.Statut().message.toStdString();
    EXPECT_LT(pire, Tolerance);
    const Coordonnees_Monture fin = Place_Monture(suivi, a);
    EXPECT_GT(std::remainder(fin.Ascension_Droite - depart.Ascension_Droite, 24) * 54000,
              8 * 15);  // moved east with the body
    // The declination rate went from negative to positive through zero.
    const auto negatif = std::find_if(vitesses_de.begin(), vitesses_de.end(), [](double v) { return v < 0; });
    const auto zero = std::find(negatif, vitesses_de.end(), 0.0);
    const auto positif = std::find_if(zero, vitesses_de.end(), [](double v) { return v > 0; });
    EXPECT_NE(negatif, vitesses_de.end());
    EXPECT_NE(positif, vitesses_de.end());
    EXPECT_GT(suivi.Statut().vitesses.value_or(Vitesses_Suivi{}).Declinaison, 0);
}

// East of the meridian the simulator stands on the west side of the pier,
// where it turns its declination axis against the rate sent: the following
// sees the mount move the wrong way, points again and sends the rate negated.
TEST_F(Suivi_Indi, DeclinaisonInverseeDuCoteOuestDuPilier) {
    Serveur_Simulateur serveur;
    ASSERT_NE(serveur.port, 0);
    const Corps_Essai corps(-3, 60, 0, 5);
    constexpr int Duree_Observation = 8000;  // ms once the rate is sent negated
    Reglages_Suivi reglages;
    reglages.Intervalle_Vitesses = 3000;
    QStringList messages;  // outlives the following, which speaks as it ends
    Suivi_Monture suivi(corps, {}, Site_Essai, reglages);
    QObject::connect(&suivi, &Suivi_Monture::Statut_Change,
                     [&](const Statut_Suivi& s) { messages.append(s.message); });
    Demarrer(suivi, serveur.port, Serveur_Simulateur::Appareil);
    const QString& a = Serveur_Simulateur::Appareil;
    ASSERT_TRUE(Attendre(
        [&] {
            return suivi.Statut().mode == Mode_Suivi::Vitesses_Propres &&
                   suivi.Statut().vitesses.value_or(Vitesses_Suivi{}).Declinaison < 0;
        },
        40000))
        << suivi.Statut().message.toStdString();
    const Vecteur_Indi* pilier = suivi.Client().Propriete(a, QStringLiteral("TELESCOPE_PIER_SIDE"));
    ASSERT_TRUE(pilier);
    EXPECT_TRUE(pilier->Allume(QStringLiteral("PIER_WEST")));
    EXPECT_FALSE(messages.filter(QStringLiteral("la vitesse opposée")).isEmpty());
    EXPECT_NEAR(suivi.Statut().vitesses->Declinaison, -5, 1e-6);
    double pire = 0;
    QElapsedTimer chrono;
    chrono.start();
    Attendre(
        [&] {
            pire = std::max(pire, Ecart_Angulaire(Place_Monture(suivi, a), corps(Jour_Julien_Maintenant())));
            return suivi.Statut().mode != Mode_Suivi::Vitesses_Propres ||
                   chrono.elapsed() > Duree_Observation;
        },
        2 * Duree_Observation);
    EXPECT_EQ(suivi.Statut().mode, Mode_Suivi::Vitesses_Propres) << suivi.Statut().message.toStdString();
    EXPECT_LT(pire, Tolerance);
}

TEST_F(Suivi_Indi, UnServeurArreteTermineLeSuivi) {
    Serveur_Simulateur serveur;
    ASSERT_NE(serveur.port, 0);
    const Corps_Essai corps(5, 80, 1, 1);
    Suivi_Monture suivi(corps, {}, Site_Essai);
    Fin_Suivi fin;
    QObject::connect(&suivi, &Suivi_Monture::Suivi_Termine, [&](const QString& r, Cause_Fin k) {
        fin = {true, r, k};
    });
    Demarrer(suivi, serveur.port, Serveur_Simulateur::Appareil);
    ASSERT_TRUE(Attendre([&] { return suivi.Statut().mode == Mode_Suivi::Vitesses_Propres; }, 20000));
    serveur.Tuer();
    EXPECT_TRUE(Attendre([&] { return fin.finie; }, 5000));
    EXPECT_EQ(fin.raison, QStringLiteral("La connexion au serveur INDI est coupée."));
    EXPECT_EQ(fin.cause, Cause_Fin::Serveur);
    EXPECT_EQ(suivi.Statut().mode, Mode_Suivi::Arrete);
    EXPECT_FALSE(suivi.Statut().connecte);
}

TEST_F(Suivi_Indi, SansServeurUnMessageSousCinqSecondes) {
    const quint16 port = [] {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost, 0);
        return s.serverPort();
    }();
    const Corps_Essai corps(0, 0, 0, 0);
    Suivi_Monture suivi(corps, {}, Site_Essai);
    Fin_Suivi fin;
    QObject::connect(&suivi, &Suivi_Monture::Suivi_Termine, [&](const QString& r, Cause_Fin k) {
        fin = {true, r, k};
    });
    suivi.Connecter(QStringLiteral("127.0.0.1"), port);
    EXPECT_TRUE(Attendre([&] { return fin.finie; }, 5500));
    EXPECT_TRUE(fin.raison.startsWith(QStringLiteral("Le serveur INDI 127.0.0.1:")))
        << fin.raison.toStdString();
    EXPECT_EQ(fin.cause, Cause_Fin::Serveur);
    EXPECT_FALSE(suivi.Statut().connecte);
}

// The body's place can no longer be computed while the simulator tracks at
// its rates: the following ends, and the simulator is left stopped and
// tracking the stars (before, it went on at the body's rates).
TEST_F(Suivi_Indi, UnePlaceIncalculableLaisseLeSimulateurSideral) {
    Serveur_Simulateur serveur;
    ASSERT_NE(serveur.port, 0);
    const Corps_Essai corps(5, 80, 2, 1);
    bool incalculable = false;
    Reglages_Suivi reglages;
    reglages.Intervalle_Vitesses = 1000;
    Suivi_Monture suivi(
        [&](double jj) {
            return incalculable ? Coordonnees_Monture{NAN, NAN} : corps(jj);
        },
        {}, Site_Essai, reglages);
    Fin_Suivi fin;
    QObject::connect(&suivi, &Suivi_Monture::Suivi_Termine, [&](const QString& r, Cause_Fin k) {
        fin = {true, r, k};
    });
    Demarrer(suivi, serveur.port, Serveur_Simulateur::Appareil);
    ASSERT_TRUE(Attendre([&] { return suivi.Statut().mode == Mode_Suivi::Vitesses_Propres; }, 25000))
        << suivi.Statut().message.toStdString();
    const QString& a = Serveur_Simulateur::Appareil;
    const Vecteur_Indi* mode = suivi.Client().Propriete(a, QStringLiteral("TELESCOPE_TRACK_MODE"));
    ASSERT_TRUE(mode);
    ASSERT_TRUE(Attendre([&] { return mode->Allume(QStringLiteral("TRACK_CUSTOM")); }, 3000));
    incalculable = true;
    ASSERT_TRUE(Attendre([&] { return fin.finie; }, 5000));
    EXPECT_EQ(fin.cause, Cause_Fin::Refus);
    EXPECT_EQ(fin.raison, QStringLiteral("Pointage refusé : la place du corps n'est pas calculable. Arrêt et "
                                         "vitesse sidérale envoyés à la monture."));
    EXPECT_TRUE(Attendre([&] { return mode->Allume(QStringLiteral("TRACK_SIDEREAL")); }, 3000));
    const Vecteur_Indi* poursuite = suivi.Client().Propriete(a, QStringLiteral("TELESCOPE_TRACK_STATE"));
    ASSERT_TRUE(poursuite);
    EXPECT_TRUE(poursuite->Allume(QStringLiteral("TRACK_ON")));
}

}  // namespace

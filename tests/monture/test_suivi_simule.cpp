// The following's state machine in simulated time, against the tests' own
// mount: every ending, every transition of the state table, and the mount's
// misbehaviours, without waiting in real time.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cmath>
#include <set>

#include "astro/constantes.h"
#include "monture/monture_simulee.h"
#include "monture/suivi_monture.h"

namespace {

constexpr qint64 Pas = 100;  // ms of simulated time between two looks
using Options = Monture_Simulee::Options;
using Transitions = std::set<std::pair<Etat_Suivi, Etat_Suivi>>;

// A body near where the mount starts, moving 2″/s east and 1″/s north.
struct Corps {
    double jj0 = 0;
    bool incalculable = false;
    int appels = 0;
    Coordonnees_Monture operator()(double jj) {
        ++appels;
        if (jj0 == 0) jj0 = jj;
        if (incalculable) return {NAN, NAN};
        const double t = (jj - jj0) * Secondes_Par_Jour;
        return {6.01 + 2 * t / 54000, 40.01 + t / 3600};
    }
};

struct Banc {
    Horloge_Simulee horloge;
    Monture_Simulee monture;
    Corps corps;
    Suivi_Monture suivi;
    Transitions* transitions;
    bool fini = false;
    QString raison;
    Cause_Fin cause = Cause_Fin::Refus;

    Banc(const Options& o, Transitions* t, Verification_Cible verification = {})
        : monture(horloge, o),
          suivi([this](double jj) { return corps(jj); }, std::move(verification), Site_Monture{45, 5, 0},
                Reglages_Suivi{}, monture, horloge),
          transitions(t) {
        QObject::connect(&suivi, &Suivi_Monture::Etat_Change, [this](Etat_Suivi de, Etat_Suivi vers) {
            EXPECT_TRUE(Transition_Permise(de, vers)) << int(de) << " -> " << int(vers);
            if (transitions) transitions->insert({de, vers});
        });
        QObject::connect(&suivi, &Suivi_Monture::Suivi_Termine, [this](const QString& r, Cause_Fin c) {
            fini = true;
            raison = r;
            cause = c;
        });
    }
    void Demarrer() {
        suivi.Connecter(QStringLiteral("simulé"), 1);
        suivi.Choisir_Appareil(Monture_Simulee::Appareil);
        suivi.Pointer_Et_Suivre();
    }
    // Simulated time until `condition` holds, at most `ms`.
    bool Jusqua(const std::function<bool()>& condition, qint64 ms) {
        for (qint64 t = 0; t <= ms; t += Pas) {
            if (condition()) return true;
            horloge.Avancer(Pas);
        }
        return condition();
    }
    bool En(Etat_Suivi e, qint64 ms = 30000) {
        return Jusqua([&] { return suivi.Etat() == e; }, ms);
    }
    // Abort sent, then tracking the stars: what a mount must be left doing.
    bool Laissee_Siderale() const {
        return monture.commandes.contains(QStringLiteral("TELESCOPE_ABORT_MOTION")) && !monture.en_pointage &&
               monture.poursuite && monture.mode == QStringLiteral("TRACK_SIDEREAL");
    }
};

// Every way the following can end once the mount tracks at the body's rates.
struct Fin_Suivi {
    const char* nom;
    Options options;
    std::function<void(Banc&)> provoquer;  // once at custom rates
    std::optional<Cause_Fin> cause;        // none: no fault is reported
    const char* mot;                       // in the last word of the following
    bool siderale;                         // the mount left tracking the stars
};

std::vector<Fin_Suivi> Fins() {
    Options flip;
    flip.retourne_apres_vitesses = true;
    Options derive;
    derive.derive_de = -2;
    return {
        {"arrêt demandé", {}, [](Banc& b) { b.suivi.Arreter(); }, std::nullopt, "Suivi arrêté", true},
        {"déconnexion", {}, [](Banc& b) { b.suivi.Deconnecter(); }, std::nullopt, "Suivi arrêté", true},
        {"monture muette",
         {},
         [](Banc& b) { b.monture.muette = true; },
         Cause_Fin::Monture,
         "ne répond pas",
         true},
        {"déclinaison perdue", derive, [](Banc&) {}, Cause_Fin::Monture, "ni dans un sens ni dans l'autre",
         true},
        {"place incalculable",
         {},
         [](Banc& b) { b.corps.incalculable = true; },
         Cause_Fin::Refus,
         "n'est pas calculable",
         true},
        {"place impossible",
         {},
         [](Banc& b) { b.monture.ra = 1e308; },
         Cause_Fin::Monture,
         "place impossible depuis",
         true},
        {"retournements sans fin", flip, [](Banc&) {}, Cause_Fin::Monture, "côté du pilier", true},
        {"place supprimée",
         {},
         [](Banc& b) { b.monture.Supprimer_Place(); },
         Cause_Fin::Monture,
         "a disparu",
         true},
        {"serveur perdu", {}, [](Banc& b) { b.monture.Couper(); }, Cause_Fin::Serveur, "coupée", false},
    };
}

void Parcourir_Fins(Transitions* transitions) {
    for (const Fin_Suivi& f : Fins()) {
        Banc b(f.options, transitions);
        b.Demarrer();
        ASSERT_TRUE(b.En(Etat_Suivi::Vitesses)) << f.nom << ": " << b.suivi.Statut().message.toStdString();
        EXPECT_EQ(b.monture.mode, QStringLiteral("TRACK_CUSTOM")) << f.nom;
        f.provoquer(b);
        const auto fin = [&] {
            return b.fini || b.suivi.Etat() == Etat_Suivi::Inactif || b.suivi.Etat() == Etat_Suivi::Arret;
        };
        EXPECT_TRUE(b.Jusqua(fin, 10 * 60000)) << f.nom;
        b.horloge.Avancer(1000);  // the stop answered, by a mount that still answers
        EXPECT_EQ(b.suivi.Etat(), b.monture.muette ? Etat_Suivi::Arret : Etat_Suivi::Inactif) << f.nom;
        EXPECT_EQ(b.fini, f.cause.has_value()) << f.nom;
        if (f.cause) {
            EXPECT_EQ(b.cause, *f.cause) << f.nom;
            EXPECT_TRUE(b.raison.contains(QString::fromUtf8(f.mot)))
                << f.nom << ": " << b.raison.toStdString();
            EXPECT_EQ(b.raison.contains(QStringLiteral("Arrêt et vitesse sidérale envoyés")), f.siderale)
                << f.nom << ": " << b.raison.toStdString();
        }
        EXPECT_TRUE(b.suivi.Statut().message.contains(QString::fromUtf8(f.mot)))
            << f.nom << ": " << b.suivi.Statut().message.toStdString();
        EXPECT_EQ(b.Laissee_Siderale(), f.siderale)
            << f.nom << ": " << b.monture.commandes.join(u' ').toStdString();
        EXPECT_EQ(b.suivi.Statut().mode, Mode_Suivi::Arrete) << f.nom;
    }
}

TEST(Suivi_Simule, ToutesLesFinsLaissentLaMontureALaVitesseSiderale) { Parcourir_Fins(nullptr); }

// The paths that, with the endings, take every transition of the table.
struct Chemin {
    const char* nom;
    Options options;
    std::function<void(Banc&)> parcourir;
};

Options Avec(std::function<void(Options&)> reglage) {
    Options o;
    reglage(o);
    return o;
}

std::vector<Chemin> Chemins() {
    const Options deconnectee = Avec([](Options& o) { o.deconnectee = true; });
    return {
        {"sans vitesses propres, arrêté pendant le repointage", Avec([](Options& o) {
             o.deconnectee = true;
             o.vitesses_propres = false;
         }),
         [](Banc& b) {
             b.Demarrer();
             EXPECT_EQ(b.suivi.Etat(), Etat_Suivi::Attente_Appareil);
             ASSERT_TRUE(b.En(Etat_Suivi::Repointage));
             const int pointages = b.monture.pointages;
             ASSERT_TRUE(b.Jusqua([&] { return b.monture.pointages > pointages; }, 3 * 60000));
             ASSERT_TRUE(b.En(Etat_Suivi::Repointage));
             b.suivi.Arreter();
             EXPECT_EQ(b.suivi.Etat(), Etat_Suivi::Arret);
             EXPECT_TRUE(b.En(Etat_Suivi::Inactif, 1000));
             b.suivi.Arreter();  // again, from rest
             EXPECT_EQ(b.suivi.Etat(), Etat_Suivi::Arret);
         }},
        {"vitesses refusées", Avec([](Options& o) { o.refuse_vitesses = true; }),
         [](Banc& b) {
             b.Demarrer();
             EXPECT_TRUE(b.En(Etat_Suivi::Repointage));
             EXPECT_TRUE(b.suivi.Statut().message.contains(QStringLiteral("refuse les vitesses propres")));
         }},
        {"pointage sans fin", Avec([](Options& o) { o.pointage_sans_fin = true; }),
         [](Banc& b) {
             b.Demarrer();
             EXPECT_TRUE(b.Jusqua([&] { return b.fini; }, 6 * 60000));
             b.horloge.Avancer(Pas);
             EXPECT_TRUE(b.raison.contains(QStringLiteral("ne s'achève pas")));
             EXPECT_TRUE(b.Laissee_Siderale());
         }},
        {"connexion refusée sans raison", Avec([](Options& o) {
             o.deconnectee = true;
             o.refuse_connexion = true;
         }),
         [](Banc& b) {
             b.Demarrer();
             EXPECT_TRUE(b.En(Etat_Suivi::Inactif, 1000));
             EXPECT_EQ(b.raison,
                       QStringLiteral("La monture « Monture simulée » refuse la connexion ; son pilote "
                                      "n'en dit pas la raison."));
         }},
        {"arrêté en attendant la description", deconnectee,
         [](Banc& b) {
             b.Demarrer();
             b.horloge.Avancer(50);  // described, not yet read
             b.suivi.Arreter();
             EXPECT_EQ(b.suivi.Etat(), Etat_Suivi::Arret);
         }},
        {"pointé de nouveau dès la description", deconnectee,
         [](Banc& b) {
             b.Demarrer();
             b.horloge.Avancer(50);
             b.suivi.Pointer_Et_Suivre();
             EXPECT_EQ(b.suivi.Etat(), Etat_Suivi::Pointage);
         }},
        {"arrêté pendant les définitions", deconnectee,
         [](Banc& b) {
             b.Demarrer();
             ASSERT_TRUE(b.En(Etat_Suivi::Definitions, 1000));
             b.suivi.Arreter();
             EXPECT_EQ(b.suivi.Etat(), Etat_Suivi::Arret);
         }},
        {"serveur perdu pendant les définitions", deconnectee,
         [](Banc& b) {
             b.Demarrer();
             ASSERT_TRUE(b.En(Etat_Suivi::Definitions, 1000));
             b.monture.Couper();
             EXPECT_EQ(b.suivi.Etat(), Etat_Suivi::Inactif);
         }},
        {"serveur perdu en attendant l'appareil", deconnectee,
         [](Banc& b) {
             b.Demarrer();
             b.monture.Couper();
             EXPECT_EQ(b.suivi.Etat(), Etat_Suivi::Inactif);
         }},
        {"serveur perdu pendant le pointage",
         {},
         [](Banc& b) {
             b.Demarrer();
             EXPECT_EQ(b.suivi.Etat(), Etat_Suivi::Pointage);
             b.monture.Couper();
             EXPECT_EQ(b.suivi.Etat(), Etat_Suivi::Inactif);
         }},
        {"serveur perdu pendant le repointage", Avec([](Options& o) { o.vitesses_propres = false; }),
         [](Banc& b) {
             b.Demarrer();
             ASSERT_TRUE(b.En(Etat_Suivi::Repointage));
             b.monture.Couper();
             EXPECT_EQ(b.suivi.Etat(), Etat_Suivi::Inactif);
         }},
        {"pointé de nouveau pendant l'arrêt, puis sans place",
         {},
         [](Banc& b) {
             b.Demarrer();
             ASSERT_TRUE(b.En(Etat_Suivi::Vitesses));
             b.suivi.Arreter();
             b.suivi.Pointer_Et_Suivre();
             EXPECT_EQ(b.suivi.Etat(), Etat_Suivi::Pointage);
             b.suivi.Arreter();
             b.monture.Supprimer_Place();
             b.suivi.Pointer_Et_Suivre();
             EXPECT_EQ(b.suivi.Etat(), Etat_Suivi::Attente_Appareil);
             // A device that never describes its place again.
             EXPECT_TRUE(b.En(Etat_Suivi::Inactif, 30000));
             EXPECT_TRUE(b.raison.contains(QStringLiteral("ne décrit pas EQUATORIAL_EOD_COORD")));
         }},
    };
}

// What keeps the mount from moving: nothing is pointed, and a parked mount is not stopped.
TEST(Suivi_Simule, RefusAvantPointage) {
    const struct {
        const char* nom;
        bool parquee;
        QString refus;
        const char* raison;
        bool arret;  // abort and sidereal sent
    } cas[] = {
        {"parquée", true, {}, "La monture est parquée : elle refuse tout mouvement.", false},
        {"sous la hauteur minimale", false, QStringLiteral("l'astre est bas"),
         "Pointage refusé : l'astre est bas. Arrêt et vitesse sidérale envoyés à la monture.", true},
    };
    for (const auto& c : cas) {
        Options o;
        o.parquee = c.parquee;
        Banc b(o, nullptr, [&](double, const Coordonnees_Monture&) { return c.refus; });
        b.Demarrer();
        b.horloge.Avancer(Pas);
        EXPECT_TRUE(b.fini) << c.nom;
        EXPECT_EQ(b.cause, Cause_Fin::Refus) << c.nom;
        EXPECT_TRUE(b.raison.startsWith(QString::fromUtf8(c.raison)))
            << c.nom << ": " << b.raison.toStdString();
        EXPECT_EQ(b.monture.pointages, 0) << c.nom;
        EXPECT_EQ(b.monture.commandes.contains(QStringLiteral("TELESCOPE_ABORT_MOTION")), c.arret) << c.nom;
        EXPECT_EQ(b.suivi.Etat(), Etat_Suivi::Inactif) << c.nom;
    }
}

// Every transition of the table taken, in simulated time, within 2 s of real time.
TEST(Suivi_Simule, ChaqueTransitionDeLaTable) {
    QElapsedTimer chrono;
    chrono.start();
    Transitions prises;
    Parcourir_Fins(&prises);
    for (const Chemin& c : Chemins()) {
        SCOPED_TRACE(c.nom);
        Banc b(c.options, &prises);
        c.parcourir(b);
    }
    EXPECT_LT(chrono.elapsed(), 2000);
    for (int de = 0; de < Nombre_Etats; ++de)
        for (int vers = 0; vers < Nombre_Etats; ++vers) {
            const auto t = std::pair{Etat_Suivi(de), Etat_Suivi(vers)};
            if (de == vers) continue;
            EXPECT_EQ(prises.count(t) > 0, Transition_Permise(t.first, t.second)) << de << " -> " << vers;
        }
}

// The mount's impossible places: not shown, not taken for where it points;
// the following ends once they persist.
TEST(Suivi_Simule, PlacesImpossiblesRefusees) {
    const struct {
        const char* ra;
        const char* dec;
    } cas[] = {{"1e308", "-1e308"}, {"nan", "nan"}, {"25", "10"}, {"6", "-90.5"}, {"inf", "0"}};
    for (const auto& c : cas) {
        Banc b({}, nullptr);
        b.Demarrer();
        ASSERT_TRUE(b.En(Etat_Suivi::Vitesses));
        b.monture.muette = true;  // its own reports no longer come
        const QString ra = QString::fromLatin1(c.ra), dec = QString::fromLatin1(c.dec);
        b.monture.Envoyer_Place(ra, dec);
        b.horloge.Avancer(Pas);
        EXPECT_FALSE(b.suivi.Statut().place_monture.has_value()) << c.ra;
        EXPECT_FALSE(b.suivi.Statut().ecart.has_value()) << c.ra;
        EXPECT_EQ(
            b.suivi.Statut().message,
            QStringLiteral("La monture donne une place impossible (AD « %1 », D « %2 ») : elle est ignorée.")
                .arg(ra, dec));
        const qint64 debut = b.horloge.Maintenant();
        EXPECT_TRUE(b.Jusqua(
            [&] {
                b.monture.Envoyer_Place(ra, dec);
                return b.fini;
            },
            15000))
            << c.ra;
        EXPECT_NEAR(double(b.horloge.Maintenant() - debut), 10000, 2 * Pas) << c.ra;
        EXPECT_TRUE(b.raison.startsWith(QStringLiteral("La monture donne une place impossible depuis 10 s")))
            << c.ra;
    }
}

// A burst of places is read once, and the rates keep their time.
TEST(Suivi_Simule, UneRafaleDePlacesLueUneFois) {
    Banc b({}, nullptr);
    b.Demarrer();
    ASSERT_TRUE(b.En(Etat_Suivi::Vitesses));
    const qint64 debut = b.horloge.Maintenant();
    const int vitesses_avant = int(b.monture.commandes.count(QStringLiteral("TELESCOPE_TRACK_RATE")));
    QByteArray rafale;
    for (int k = 0; k < 5000; ++k)
        rafale += QStringLiteral(
                      "<setNumberVector device=\"%1\" name=\"EQUATORIAL_EOD_COORD\" state=\"Ok\">"
                      "<oneNumber name=\"RA\">6.01</oneNumber><oneNumber name=\"DEC\">40.01</oneNumber>"
                      "</setNumberVector>")
                      .arg(Monture_Simulee::Appareil)
                      .toUtf8();
    const int appels_avant = b.corps.appels;
    b.monture.Dire(rafale);
    b.horloge.Avancer(200);
    EXPECT_LE(b.corps.appels - appels_avant, 2);
    EXPECT_NEAR(b.suivi.Statut().place_monture.value_or(Coordonnees_Monture{}).Declinaison, 40.01, 1e-12);
    b.Jusqua(
        [&] { return b.monture.commandes.count(QStringLiteral("TELESCOPE_TRACK_RATE")) > vitesses_avant; },
        61000);
    EXPECT_NEAR(double(b.horloge.Maintenant() - debut), 60000, 2 * Pas);
}

// Stopped before any device was ready: nothing was sent, and the words say so.
TEST(Suivi_Simule, ArretAvantLaMonture) {
    Banc b({}, nullptr);
    b.suivi.Connecter(QStringLiteral("simulé"), 1);
    b.suivi.Arreter();
    EXPECT_EQ(b.suivi.Statut().message,
              QStringLiteral(
                  "Suivi arrêté avant que la monture soit prête : aucun mouvement ne lui a été commandé."));
    EXPECT_TRUE(b.monture.commandes.isEmpty());
    EXPECT_FALSE(b.suivi.Arret_En_Attente());
}

// A driver's interfaces are a bit field; a number that is none is not a telescope.
TEST(Suivi_Simule, InterfacesDuPilote) {
    const struct {
        const char* interfaces;
        bool telescope;
    } cas[] = {{"1", true},   {"5", true},    {"4", false},   {"1e300", false},
               {"-1", false}, {"nan", false}, {"2.5", false}, {"9007199254740993", false}};
    for (const auto& c : cas) {
        Banc b({}, nullptr);
        b.suivi.Connecter(QStringLiteral("simulé"), 1);
        b.monture.Dire(
            QStringLiteral("<defTextVector device=\"Autre\" name=\"DRIVER_INFO\" state=\"Idle\" perm=\"ro\">"
                           "<defText name=\"DRIVER_INTERFACE\">%1</defText></defTextVector>")
                .arg(QString::fromLatin1(c.interfaces))
                .toUtf8());
        EXPECT_EQ(b.suivi.Telescopes().contains(QStringLiteral("Autre")), c.telescope) << c.interfaces;
        EXPECT_TRUE(b.suivi.Telescopes().contains(Monture_Simulee::Appareil)) << c.interfaces;
    }
}

// The server's words reach the status escaped, as the driver's own.
TEST(Suivi_Simule, MessagesDuPiloteEchappes) {
    Banc b({}, nullptr);
    b.Demarrer();
    b.monture.Dire(QStringLiteral("<message device=\"%1\" message=\"Mount&#9;is&#10;unparked.\"/>")
                       .arg(Monture_Simulee::Appareil)
                       .toUtf8());
    EXPECT_EQ(b.suivi.Statut().message, QStringLiteral("message du pilote : Mount\\tis\\nunparked."));
}

}  // namespace

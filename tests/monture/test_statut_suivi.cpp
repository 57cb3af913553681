#include <gtest/gtest.h>

#include "monture/statut_suivi.h"

namespace {

TEST(Statut_Suivi, LigneEtBarreDeStatut) {
    Statut_Suivi s;
    const QDateTime instant(QDate(2026, 12, 9), QTime(21, 5, 7), Qt::UTC);
    EXPECT_EQ(Ligne_Suivi(s, instant), QStringLiteral("2026-12-09 21:05:07\t-\t-\t-\t-\t-\t-\t-\tarrêté"));
    EXPECT_EQ(Texte_Statut(s), QStringLiteral("INDI : non connecté — arrêté"));
    s.connecte = true;
    EXPECT_EQ(Texte_Statut(s), QStringLiteral("INDI : connecté, aucune monture choisie — arrêté"));
    s.appareil = QStringLiteral("Telescope Simulator");
    s.mode = Mode_Suivi::Vitesses_Propres;
    s.place_corps = Coordonnees_Monture{18.8123456789, -5.123456};
    s.place_monture = Coordonnees_Monture{18.8123461, -5.12346};
    s.ecart = 0.0149;
    s.vitesses = Vitesses_Suivi{13.04106712, -0.5};
    s.message = QStringLiteral("Slew complete.");
    EXPECT_EQ(Ligne_Suivi(s, instant),
              QStringLiteral(
                  "2026-12-09 21:05:07\t18.812346\t-5.12346\t18.812346\t-5.12346\t0.0\t13.0411\t-0.5000\t"
                  "suivi : vitesses propres"));
    EXPECT_EQ(
        Texte_Statut(s),
        QStringLiteral("INDI : Telescope Simulator — suivi : vitesses propres — écart 0,0″\n"
                       "monture, place apparente de la date : 18 h 48 m 44,4 s -5° 07′ 24″\nSlew complete."));
    // Its age, once a few seconds old.
    s.instant_place = 1'000'000;
    EXPECT_FALSE(Texte_Statut(s, 1'009'000).contains(QStringLiteral("il y a")));
    EXPECT_TRUE(Texte_Statut(s, 1'012'400).contains(QStringLiteral("″ — il y a 12 s\nSlew complete.")));
    s.vitesses = Vitesses_Suivi{15.0420, -0.00003};
    s.place_corps = Coordonnees_Monture{0.0000001, -0.000001};
    EXPECT_TRUE(Ligne_Suivi(s, instant).contains(QStringLiteral("\t0.000000\t0.00000\t18.812346")));
    EXPECT_TRUE(Ligne_Suivi(s, instant).contains(QStringLiteral("\t15.0420\t0.0000\t")));
    s.mode = Mode_Suivi::Repointage;
    EXPECT_TRUE(Texte_Statut(s).contains(QStringLiteral(" — suivi : repointage — ")));
}

// The mount's place like the table's, and an offset as the eye reads it.
TEST(Statut_Suivi, PlaceEtEcartLisibles) {
    const struct {
        double ra, dec;
        const char* place;
    } places[] = {
        {0.507465, 52.5, "0 h 30 m 26,9 s +52° 30′ 00″"},
        {23.99999, -0.0001, "0 h 00 m 00,0 s +0° 00′ 00″"},
        {12.5, -49.6, "12 h 30 m 00,0 s -49° 36′ 00″"},
        {5.999999, 89.99999, "6 h 00 m 00,0 s +90° 00′ 00″"},
    };
    for (const auto& p : places) {
        Statut_Suivi s;
        s.place_monture = Coordonnees_Monture{p.ra, p.dec};
        EXPECT_TRUE(Texte_Statut(s).endsWith(QString::fromUtf8(p.place))) << Texte_Statut(s).toStdString();
    }
    const struct {
        double secondes;
        const char* texte;
    } ecarts[] = {{0.04, "0,0″"}, {59.94, "59,9″"}, {60, "1,0′"}, {303931.7, "84,4°"}, {3599, "60,0′"}};
    for (const auto& e : ecarts) EXPECT_EQ(Texte_Ecart(e.secondes), QString::fromUtf8(e.texte)) << e.secondes;
}

}  // namespace

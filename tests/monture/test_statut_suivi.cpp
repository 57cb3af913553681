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
    EXPECT_EQ(Texte_Statut(s),
              QStringLiteral("INDI : Telescope Simulator — suivi : vitesses propres — monture AD "
                             "18.812346 D -5.12346 — écart 0.0″ — Slew complete."));
    s.vitesses = Vitesses_Suivi{15.0420, -0.00003};
    s.place_corps = Coordonnees_Monture{0.0000001, -0.000001};
    EXPECT_TRUE(Ligne_Suivi(s, instant).contains(QStringLiteral("\t0.000000\t0.00000\t18.812346")));
    EXPECT_TRUE(Ligne_Suivi(s, instant).contains(QStringLiteral("\t15.0420\t0.0000\t")));
    s.mode = Mode_Suivi::Repointage;
    EXPECT_TRUE(Texte_Statut(s).contains(QStringLiteral(" — suivi : repointage — ")));
}

}  // namespace

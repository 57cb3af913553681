#include <gtest/gtest.h>

#include <QStringList>

#include "page/colonnes.h"
#include "support/page_exemple.h"

namespace {

// The columns a page shows, by their text-table headers, for each optional
// input; every row gives one cell per column shown.
TEST(Colonnes, PresenceParEntree) {
    struct Cas {
        const char* instrument;
        bool magnitudes;
        bool site;
        const char* unite;
        const char* apres_derives;  // the headers after "Dérive d"
    };
    const Cas cas[] = {
        {"Aucun", false, false, "jours", ""},
        {"Arbelin", false, false, "jours", "Réglage a|Réglage d"},
        {"Aucun", true, false, "mois", "M1|M2"},
        {"Estrane", true, true, "jours",
         "Réglage a|Réglage d|M1|M2|Elong.|Lever TU|Passage TU|Haut.|Coucher TU|Nuit"},
        {"Aucun", false, true, "années", "Elong.|Lever TU|Passage TU|Haut.|Coucher TU|Nuit"},
        {"Aucun", false, true, "heures", "Elong.|Haut.|Azim."},
    };
    const QString communs = QStringLiteral(
        "J|M|An|Alpha h|Alpha m|Alpha s|Delta d|Delta m|Delta s|Distance|"
        "Dérive a|Dérive d");
    for (const Cas& c : cas) {
        Page_Exemple p;
        p.Choisir(c.instrument, c.magnitudes, c.magnitudes);
        p.Choisir_Unite(c.unite);
        if (c.site) p.site = Site_Observation{QStringLiteral("Ici"), {48.85, 2.35, 0}, 15, true};
        const Calcul_Page calcul = p.Contexte().calcul;
        ASSERT_TRUE(Preparer_Page(calcul)) << c.instrument << ' ' << c.unite;
        QStringList titres;
        for (int k : Colonnes_Presentes(calcul)) titres << QString::fromUtf8(Modeles_Colonnes()[k].titre);
        const QString attendu =
            communs + (*c.apres_derives ? u'|' + QString::fromUtf8(c.apres_derives) : QString());
        EXPECT_EQ(titres.join(u'|'), attendu) << c.instrument << ' ' << c.unite;
        int lignes = 0;
        Generer_Lignes(calcul, [&](const Ligne_Ephemeride& l) {
            ++lignes;
            for (int k : Colonnes_Presentes(calcul))
                EXPECT_FALSE(Modeles_Colonnes()[k].texte(l, p.notation).isEmpty())
                    << Modeles_Colonnes()[k].titre;
        });
        EXPECT_EQ(lignes, Nombre_Lignes(calcul.el.Unite_Pas)) << c.unite;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "astro/terre.h"

namespace {

double Ecart(const Vecteur& a, const Vecteur& b) { return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]); }

// The interpolated Earth against eraEpv00 every 0.37 day over three
// decades, with the nodes of each kind of page: an hour apart for a page of
// hours, three days apart for a page of days (one page after the other, so
// that instants fall near their ends), a day apart for pages of months and
// years. The instants fall anywhere between nodes, near them before their
// neighbours are known (the Taylor expansion) and after.
TEST(Terre, InterpoleeAMoinsDe1e9UA) {
    struct Page {
        double ecart;         // days
        int64_t intervalles;  // 0: no ends
    };
    const Page pages[] = {
        {23.0 / 24, 0}, {Terre_Interpolee::Ecart_Maximum, 10}, {Terre_Interpolee::Ecart_Cubique, 0}};
    constexpr int Instants = 9900;  // 0.37 day apart: a decade
    for (const double origine : {2415020.5, 2451545.0, 2484000.25}) {
        std::vector<Terre_Interpolee> terres;
        std::vector<double> fins;
        for (const Page& p : pages) {
            terres.emplace_back(origine - 1, p.ecart, p.intervalles);
            fins.push_back(origine - 1 + p.ecart * static_cast<double>(p.intervalles));
        }
        double pire_position[3] = {}, pire_vitesse[3] = {};
        for (int k = 0; k < Instants; ++k) {
            const double jj = origine - 1 + k * 0.37;
            const Etat_Terre exacte = Calculer_Terre(jj);
            for (std::size_t t = 0; t < terres.size(); ++t) {
                if (pages[t].intervalles > 0 && jj > fins[t]) {
                    terres[t] = Terre_Interpolee(fins[t], pages[t].ecart, pages[t].intervalles);
                    fins[t] += pages[t].ecart * static_cast<double>(pages[t].intervalles);
                }
                const Etat_Terre e = terres[t].A(jj);
                pire_position[t] = std::max(pire_position[t], Ecart(e.position, exacte.position));
                pire_vitesse[t] = std::max({pire_vitesse[t], Ecart(e.vitesse, exacte.vitesse),
                                            Ecart(e.vitesse_barycentrique, exacte.vitesse_barycentrique)});
            }
        }
        for (std::size_t t = 0; t < terres.size(); ++t) {
            EXPECT_NEAR(pire_position[t], 0, 1e-9) << origine << ' ' << pages[t].ecart;
            // Near a node the Taylor expansion leaves out the Moon: 4e-8 AU/day;
            // 1e-7 AU/day in 173 AU/day is 0.0001″ of aberration.
            EXPECT_NEAR(pire_vitesse[t], 0, 1e-7) << origine << ' ' << pages[t].ecart;
        }
    }
}

}  // namespace

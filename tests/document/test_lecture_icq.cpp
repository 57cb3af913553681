#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <random>

#include "astro/calendrier.h"
#include "document/ajustement_estimations.h"
#include "document/fichier_lois_epoque.h"
#include "document/lecture_icq.h"
#include "form/disposition_fiche.h"
#include "support/banc_fichier.h"

namespace {

const QString Donnees = QStringLiteral(TRAJECTEL_DONNEES_TESTS);
const QString Exemples = QStringLiteral(TRAJECTEL_EXEMPLES);

// A line of estimate: the designation in columns 1–11, the date in 12–24,
// from column 25 the magnitude with its marks (" aS 10.3:"), the observer
// in 76–80.
QByteArray Ligne(const char* ident, const char* date, const char* magnitude,
                 const char* observateur = "BOR  ") {
    QByteArray l = QByteArray(ident).leftJustified(11, ' ') + QByteArray(date).leftJustified(13, ' ') +
                   QByteArray(magnitude).leftJustified(8, ' ');
    return l.leftJustified(75, ' ') + observateur;
}

// One line, what it gives: an estimate (its date and magnitude) or the reason it is skipped.
TEST(Lecture_Icq, UneLigne) {
    struct Cas {
        const char* nom;
        QByteArray ligne;
        std::optional<Rejet_Icq> rejet;
        double jj = 0, m = 0;
    };
    const double jj_30_7 = Date_Vers_JJ(7, 1995, 30.09);
    const Cas cas[] = {
        {"estimation", Ligne("   1995O1", "1995 07 30.09", " aS 10.3"), std::nullopt, jj_30_7, 10.3},
        {"sans note", Ligne("   1995O1", "1995 07 30.09", "  S  9.8 AA"), std::nullopt, jj_30_7, 9.8},
        {"négative", Ligne("   1995O1", "1997 04 01.50", "  S -1.2"), std::nullopt,
         Date_Vers_JJ(4, 1997, 1.5), -1.2},
        {"périodique", Ligne("  1", "1986 01 10.79", "  S  4.2"), std::nullopt, Date_Vers_JJ(1, 1986, 10.79),
         4.2},
        {"limite", Ligne("   1995O1", "1995 07 30.09", "  S[13.5"), Rejet_Icq::Limite},
        {"incertaine", Ligne("   1995O1", "1995 07 30.09", "  S 10.3:"), Rejet_Icq::Incertaine},
        {"chevelure seule", Ligne("   1995O1", "1996 04 18.36", "        40.6L"), Rejet_Icq::Sans_Magnitude},
        {"courte", QByteArray("   1995O1  1995 07 30.09"), Rejet_Icq::Sans_Magnitude},
        {"mois 13", Ligne("   1995O1", "1995 13 30.09", "  S 10.3"), Rejet_Icq::Date_Impossible},
        {"31 avril", Ligne("   1995O1", "1995 04 31.20", "  S 10.3"), Rejet_Icq::Date_Impossible},
        {"29 février 1995", Ligne("   1995O1", "1995 02 29.00", "  S 10.3"), Rejet_Icq::Date_Impossible},
        {"jour 0", Ligne("   1995O1", "1995 02 00.50", "  S 10.3"), Rejet_Icq::Date_Impossible},
        {"an 0", Ligne("   1995O1", "0000 02 01.50", "  S 10.3"), Rejet_Icq::Date_Impossible},
        {"trop faible", Ligne("   1995O1", "1995 07 30.09", "  S 31.0"), Rejet_Icq::Magnitude_Absurde},
        {"trop brillante", Ligne("   1995O1", "1995 07 30.09", "  S-11.0"), Rejet_Icq::Magnitude_Absurde},
        {"magnitude illisible", Ligne("   1995O1", "1995 07 30.09", "  S 1x.3"), Rejet_Icq::Autre_Format},
        {"date illisible", Ligne("   1995O1", "1995-07-30.09", "  S 10.3"), Rejet_Icq::Autre_Format},
        {"sans désignation", Ligne("", "1995 07 30.09", "  S 10.3"), Rejet_Icq::Autre_Format},
        {"en-tête", QByteArray("IIIYYYYMnL YYYY MM DD.DD eM/mm.m:r AAA.ATF/xxxx  /dd.ddnDC"),
         Rejet_Icq::Autre_Format},
        {"élément", QByteArray("Excentricit\xe9 = 0,995068"), Rejet_Icq::Autre_Format},
        {"NaN", Ligne("   1995O1", "1995 07 30.09", "  S  nan"), Rejet_Icq::Autre_Format},
    };
    for (const Cas& c : cas) {
        Lecture_Icq l;
        Lire_Ligne_Icq(c.ligne, l);
        if (c.rejet) {
            EXPECT_TRUE(l.estimations.empty()) << c.nom;
            EXPECT_EQ(l.rejets[static_cast<std::size_t>(*c.rejet)], 1) << c.nom;
            EXPECT_EQ(l.Rejetees(), 1) << c.nom;
            continue;
        }
        ASSERT_EQ(l.estimations.size(), 1u) << c.nom;
        EXPECT_NEAR(l.estimations[0].JJ, c.jj, 1e-9) << c.nom;
        EXPECT_NEAR(l.estimations[0].magnitude, c.m, 1e-12) << c.nom;
        EXPECT_EQ(l.estimations[0].observateur, "BOR") << c.nom;
        EXPECT_EQ(l.Rejetees(), 0) << c.nom;
    }
}

// The same lines, whatever ends them, with remarks in Windows-1252 or UTF-8
// past column 80, and blank lines between.
TEST(Lecture_Icq, FinsDeLigneEtAccents) {
    const QByteArray a = Ligne("   1995O1", "1995 07 30.09", " aS 10.3") + "  rem. \xe9t\xe9 tr\xe8s brumeux";
    const QByteArray b = Ligne("   1995O1", "1995 07 31.09", " aS 10.4") + "  rem. \xc3\xa9t\xc3\xa9";
    const QByteArray c = Ligne("   1995O1", "1995 07 32.09", " aS 10.4");
    for (const char* fin : {"\r\n", "\n", "\r", "\r\r\n\n"}) {
        const Lecture_Icq l = Lire_Texte_Icq(a + fin + b + fin + fin + c);
        ASSERT_EQ(l.estimations.size(), 2u) << fin;
        EXPECT_NEAR(l.estimations[1].magnitude, 10.4, 1e-12);
        EXPECT_EQ(l.rejets[static_cast<std::size_t>(Rejet_Icq::Date_Impossible)], 1);
        EXPECT_EQ(l.cometes, std::vector<std::string>{"1995O1"});
    }
}

TEST(Lecture_Icq, Designations) {
    const std::pair<const char*, const char*> objets[] = {
        {"1P/Halley", "1P"},
        {"  67P/Churyumov-Gerasimenko", "67P"},
        {"C/1995 O1 (Hale-Bopp)", "1995O1"},
        {"Comète C/2020 F3 (NEOWISE)", "2020F3"},
        {"C/1996 B2 (Hyakutake)", "1996B2"},
        {"P/2010 A2", "2010A2"},
        {"(1) Ceres, éléments de 1995", ""},
        {"Hale-Bopp", ""},
        {"", ""},
    };
    for (const auto& [nom, attendue] : objets)
        EXPECT_EQ(Designation_Objet(QString::fromUtf8(nom)), attendue) << nom;
    const std::pair<const char*, const char*> lignes[] = {
        {"   1995O1  1995", "1995O1"}, {"  1        1986", "1P"}, {" 67P       2015", "67P"},
        {"  2D       1986", "2D"},     {"           1995", ""},   {"xyz", ""},
    };
    for (const auto& [ligne, attendue] : lignes) EXPECT_EQ(Designation_Icq(ligne), attendue) << ligne;
}

// ---- The fit over a file ----

struct Comete {
    Banc b{','};
    explicit Comete(const QString& fichier) {
        Creer_Fiche(b.boite);
        b.document.Nom_Fichier = fichier;
        Lire_Fichier_Elements(b.ctx);
        // As the page makes it from the fields before any computation.
        b.el.JJ_Perihelie =
            Date_Vers_JJ(b.el.Mois_Perihelie, static_cast<float>(b.el.An_Perihelie), b.el.Jour_Perihelie);
    }
    QString Nom() { return b.boite.Texte(Controle::Commentaire); }
};

Lecture_Icq Lire(const QString& chemin) {
    return Lire_Fichier_Icq(chemin, [](int64_t, int64_t) { return true; });
}

// The observer BOR's published estimates of Hale-Bopp, 1995-1996: the
// law fitted is the least-squares line, computed here by its closed form,
// through the estimates the fit kept.
TEST(Lecture_Icq, HaleBoppContreMoindresCarres) {
    Comete c(Exemples + QStringLiteral("/hale-bopp.elt"));
    const Lecture_Icq l = Lire(Donnees + QStringLiteral("/icq_hale_bopp.txt"));
    ASSERT_EQ(l.issue, Lecture_Icq::Issue::Lu);
    EXPECT_EQ(l.estimations.size(), 48u);
    EXPECT_EQ(l.rejets[static_cast<std::size_t>(Rejet_Icq::Sans_Magnitude)], 5);
    EXPECT_EQ(l.Rejetees(), 5);
    const Ajustement_Estimations a = Ajuster_Estimations(c.b.el, c.Nom(), l, {});
    ASSERT_TRUE(a.Reussi()) << a.refus.toStdString();
    EXPECT_TRUE(a.remarque.isEmpty());
    EXPECT_EQ(a.designation.toStdString(), "1995O1");
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t k = 0; k < a.estimations.size(); ++k) {
        const double w = a.resultat.ecartee[k] ? 0 : 1;
        const double x = std::log10(a.estimations[k].r),
                     y = a.estimations[k].magnitude - 5 * std::log10(a.estimations[k].Delta);
        n += w, sx += w * x, sy += w * y, sxx += w * x * x, sxy += w * x * y;
    }
    const double K1 = (n * sxy - sx * sy) / (n * sxx - sx * sx), M1 = (sy - K1 * sx) / n;
    EXPECT_NEAR(a.resultat.M1, M1, 1e-9);
    EXPECT_NEAR(a.resultat.K1, K1, 1e-9);
    EXPECT_EQ(a.resultat.Utilisees, static_cast<std::size_t>(n));
    double residus = 0;
    for (std::size_t k = 0; k < a.estimations.size(); ++k) {
        if (a.resultat.ecartee[k]) continue;
        const double x = std::log10(a.estimations[k].r),
                     y = a.estimations[k].magnitude - 5 * std::log10(a.estimations[k].Delta);
        residus += (y - M1 - K1 * x) * (y - M1 - K1 * x);
    }
    EXPECT_NEAR(a.resultat.Ecart_Type, std::sqrt(residus / (n - 2)), 1e-9);
    // The distances are the comet's on its parabola: by Barker's equation,
    // 611 and 192 days before perihelion, 7.12 and 3.00 AU from the Sun
    // (the orbit, of e = 0.995, a little closer than the parabola).
    EXPECT_NEAR(a.estimations.front().r, 7.12, 0.05);
    EXPECT_NEAR(a.estimations.back().r, 3.00, 0.05);
    const Loi_Magnitude loi = Loi_Ajustee(a, QStringLiteral("icq_hale_bopp.txt"));
    EXPECT_EQ(loi.origine, Origine_Loi::Ajustee);
    EXPECT_EQ(loi.source, QStringLiteral("%1 estimations (icq_hale_bopp.txt, 21/09/1996)")
                              .arg(a.resultat.Utilisees)
                              .toStdString());
    EXPECT_EQ(U(Texte_Origine(loi.origine, loi.source)), "ajustée à " + loi.source);
}

// Estimates made up from a known law at Hale-Bopp's true distances, 0.3 mag
// of noise, one blunder in ten (the first, while the comet is far and faint,
// where blunders come), limits and poor estimates that would pull
// the law if they were taken: the law comes back within 0.35 in M1 and 1.2
// in K1; the plain least squares over every magnitude of the file does not.
TEST(Lecture_Icq, LoiConnueRetrouvee) {
    Comete c(Exemples + QStringLiteral("/hale-bopp.elt"));
    constexpr double M1 = -0.5, K1 = 8.0;
    std::mt19937 alea(7);
    std::normal_distribution<double> bruit(0, 0.3);
    std::vector<double> jj;
    std::vector<QByteArray> dates;
    for (int k = 0; k < 80; ++k) {
        const QDate d = QDate(1996, 1, 1).addDays(k * 9);
        dates.push_back(d.toString(QStringLiteral("yyyy MM dd")).toLatin1() + ".50");
        jj.push_back(Date_Vers_JJ(d.month(), d.year(), d.day() + 0.5));
    }
    const std::vector<Estimation_Reduite> places =
        Reduire_Estimations(c.b.el, jj, std::vector<double>(jj.size(), 0));
    QByteArray texte;
    std::vector<Estimation_Reduite> toutes;
    for (std::size_t k = 0; k < places.size(); ++k) {
        double m = M1 + 5 * std::log10(places[k].Delta) + K1 * std::log10(places[k].r) + bruit(alea);
        if (k < 8) m += 2.5;
        const QByteArray mag = QByteArray::number(m, 'f', 1).rightJustified(5, ' ');
        texte +=
            Ligne("   1995O1", dates[k].constData(), ("  S" + mag).constData(), k % 2 ? "BOR  " : "GRE  ") +
            "\r\n";
        toutes.push_back({jj[k], mag.toDouble(), places[k].r, places[k].Delta});
        if (k % 4 == 0) texte += Ligne("   1995O1", dates[k].constData(), "  S[ 3.0") + "\r\n";
        if (k % 5 == 0)
            texte +=
                Ligne("   1995O1", dates[k].constData(),
                      ("  S" + QByteArray::number(m + 3, 'f', 1).rightJustified(5, ' ') + ":").constData()) +
                "\r\n";
        if (k % 7 == 0) texte += Ligne("   1995O1", dates[k].constData(), "        40.6L") + "\r\n";
    }
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("inventees.txt"));
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(texte);
    f.close();
    const Lecture_Icq l = Lire(chemin);
    EXPECT_EQ(l.estimations.size(), 80u);
    EXPECT_EQ(l.rejets[static_cast<std::size_t>(Rejet_Icq::Limite)], 20);
    EXPECT_EQ(l.rejets[static_cast<std::size_t>(Rejet_Icq::Incertaine)], 16);
    EXPECT_EQ(l.rejets[static_cast<std::size_t>(Rejet_Icq::Sans_Magnitude)], 12);
    const Ajustement_Estimations a = Ajuster_Estimations(c.b.el, c.Nom(), l, {});
    ASSERT_TRUE(a.Reussi()) << a.refus.toStdString();
    EXPECT_NEAR(a.resultat.M1, M1, 0.35);
    EXPECT_NEAR(a.resultat.K1, K1, 1.2);
    for (std::size_t k = 0; k < 8; ++k) EXPECT_TRUE(a.resultat.ecartee[k]) << k;
    const std::optional<Droite> simple = Moindres_Carres(toutes);
    ASSERT_TRUE(simple);
    EXPECT_TRUE(std::abs(simple->M1 - M1) > 0.35 || std::abs(simple->K1 - K1) > 1.2)
        << simple->M1 << ' ' << simple->K1;

    // The choices keep their part of the estimates only.
    struct Cas {
        const char* nom;
        Choix_Ajustement choix;
        std::size_t estimations;
    };
    Choix_Ajustement avant, apres, gre, dates_choisies;
    avant.cote = Cote_Perihelie::Avant;
    apres.cote = Cote_Perihelie::Apres;
    gre.observateur = QStringLiteral(" gre");
    dates_choisies.JJ_Debut = jj[10];
    dates_choisies.JJ_Fin = jj[29];
    const std::size_t avant_perihelie = static_cast<std::size_t>(
        std::count_if(jj.begin(), jj.end(), [&](double t) { return t < c.b.el.JJ_Perihelie; }));
    const Cas cas[] = {{"avant", avant, avant_perihelie},
                       {"après", apres, 80 - avant_perihelie},
                       {"observateur", gre, 40},
                       {"dates", dates_choisies, 20}};
    for (const Cas& x : cas) {
        const Ajustement_Estimations b = Ajuster_Estimations(c.b.el, c.Nom(), l, x.choix);
        EXPECT_TRUE(b.Reussi()) << x.nom << ' ' << b.refus.toStdString();
        EXPECT_EQ(b.estimations.size(), x.estimations) << x.nom;
    }
}

// Which comet's estimates are taken, or why none.
TEST(Lecture_Icq, ChoixDeLaComete) {
    QByteArray deux, une;
    for (int k = 1; k <= 9; ++k) {
        const QByteArray date = "1996 0" + QByteArray::number(k) + " 10.00";
        une += Ligne("   1995O1", date.constData(), "  S  8.0") + '\n';
        deux += Ligne("   1995O1", date.constData(), "  S  8.0") + '\n' +
                Ligne("   1996B2", date.constData(), "  S  6.0") + '\n';
    }
    Comete hale_bopp(Exemples + QStringLiteral("/hale-bopp.elt"));
    Elements el = hale_bopp.b.el;
    struct Cas {
        const char* nom;
        QByteArray texte;
        const char* objet;
        const char* designation;  // the comet taken; empty: refused
        const char* message;
    };
    const Cas cas[] = {
        {"désignation", deux, "C/1995 O1 (Hale-Bopp)", "1995O1", ""},
        {"une seule, nom sans désignation", une, "Hale-Bopp", "1995O1",
         "Le nom de l'astre ne donne pas de désignation à comparer : les estimations du fichier, toutes de "
         "1995O1, lui sont attribuées."},
        {"plusieurs, nom sans désignation", deux, "Hale-Bopp", "",
         "Le nom de l'astre ne donne pas de désignation et le fichier contient plusieurs comètes (1995O1, "
         "1996B2) : écrivez la désignation dans le commentaire (« C/1995 O1 », « 1P/Halley »)."},
        {"une autre comète", une, "1P/Halley", "",
         "Le fichier ne contient aucune estimation de 1P ; il contient : 1995O1."},
        {"aucune estimation", QByteArray("rien\n"), "C/1995 O1", "",
         "Le fichier ne contient aucune estimation de magnitude totale utilisable."},
    };
    for (const Cas& c : cas) {
        const Ajustement_Estimations a =
            Ajuster_Estimations(el, QString::fromUtf8(c.objet), Lire_Texte_Icq(c.texte), {});
        EXPECT_EQ(a.designation.toStdString(), c.designation) << c.nom;
        EXPECT_EQ(U(*c.designation ? a.remarque : a.refus), c.message) << c.nom;
    }
}

// Too few estimates, too short a span of r, none left by the choices: each refused in words.
TEST(Lecture_Icq, RefusEnClair) {
    Comete c(Exemples + QStringLiteral("/hale-bopp.elt"));
    QByteArray quatre, proches;
    for (int k = 1; k <= 4; ++k)
        quatre +=
            Ligne("   1995O1", ("1996 0" + QByteArray::number(k) + " 10.00").constData(), "  S  8.0") + '\n';
    for (int k = 10; k <= 16; ++k)
        proches +=
            Ligne("   1995O1", ("1996 03 " + QByteArray::number(k) + ".00").constData(), "  S  5.0") + '\n';
    Choix_Ajustement observateur;
    observateur.observateur = QStringLiteral("XYZ");
    struct Cas {
        const char* nom;
        QByteArray texte;
        Choix_Ajustement choix;
        const char* refus;
    };
    const Cas cas[] = {
        {"quatre", quatre, {}, "Trop peu d'estimations : 4, il en faut au moins 5."},
        {"r proches",
         proches,
         {},
         "Les estimations couvrent trop peu de distances au Soleil (r de 5,01 à 5,07 UA) pour ajuster K1 : "
         "fixez K1 ou prenez des estimations plus espacées."},
        {"observateur absent", quatre, observateur,
         "Aucune des 4 estimations de 1995O1 ne répond aux choix (côté du périhélie, dates, observateur)."},
    };
    for (const Cas& x : cas) {
        const Ajustement_Estimations a =
            Ajuster_Estimations(c.b.el, c.Nom(), Lire_Texte_Icq(x.texte), x.choix);
        EXPECT_EQ(U(a.refus), x.refus) << x.nom;
    }
    Choix_Ajustement fixe;
    fixe.K1_Fixe = 10;
    EXPECT_TRUE(Ajuster_Estimations(c.b.el, c.Nom(), Lire_Texte_Icq(proches), fixe).Reussi());
}

// A file of several blocks is read with its progress heard after each, and
// stops when asked; a missing file is unreadable.
TEST(Lecture_Icq, ProgressionEtArret) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("grand.txt"));
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray ligne = Ligne("   1995O1", "1996 03 10.00", "  S  5.0") + "\r";
    const int lignes = 3 * (1 << 20) / ligne.size() + 1;
    for (int k = 0; k < lignes; ++k) f.write(ligne);
    f.close();
    std::vector<int64_t> vus;
    const Lecture_Icq l = Lire_Fichier_Icq(chemin, [&](int64_t lus, int64_t total) {
        EXPECT_EQ(total, f.size());
        vus.push_back(lus);
        return true;
    });
    EXPECT_EQ(l.issue, Lecture_Icq::Issue::Lu);
    EXPECT_EQ(l.estimations.size(), static_cast<std::size_t>(lignes));
    ASSERT_EQ(vus.size(), 4u);
    EXPECT_EQ(vus.back(), f.size());
    EXPECT_TRUE(std::is_sorted(vus.begin(), vus.end()));
    int appels = 0;
    EXPECT_EQ(Lire_Fichier_Icq(chemin, [&](int64_t, int64_t) { return ++appels < 2; }).issue,
              Lecture_Icq::Issue::Interrompu);
    EXPECT_EQ(appels, 2);
    EXPECT_EQ(Lire(dossier.filePath(QStringLiteral("absent.txt"))).issue, Lecture_Icq::Issue::Illisible);
    // One line without end, longer than any: cut, not kept whole.
    const Lecture_Icq longue = Lire_Texte_Icq(ligne.chopped(1) + QByteArray(5'000'000, 'x'));
    EXPECT_EQ(longue.estimations.size(), 1u);
}

}  // namespace

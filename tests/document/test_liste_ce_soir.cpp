// Tonight's list of a made-up catalogue of minor planets and comets from
// three sites (north, south, high latitude in summer), against PyEphem's
// independent computation (tests/data/ce_soir/reference_pyephem.py), and its
// magnitudes against the program's own single-body table.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <map>
#include <string>

#include "astro/calendrier.h"
#include "document/commandes_import.h"
#include "document/liste_ce_soir.h"
#include "document/programme.h"
#include "form/disposition_fiche.h"
#include "plateforme/boite_memoire.h"

namespace {

const QString Dossier = QStringLiteral(TRAJECTEL_DONNEES_TESTS "/ce_soir/");
const QString Catalogue = Dossier + QStringLiteral("catalogue.txt");

constexpr double Minute = 1.0 / 1440;  // days
constexpr double Hauteur_Minimale = 20;
constexpr double Limite = 12;
// Accuracy promised, and the distance to a threshold under which a body is not judged.
constexpr double Tolerance_Hauteur = 0.2;  // degrees
constexpr double Tolerance_Heure = 10 * Minute;
constexpr double Tolerance_Magnitude = 0.05;
constexpr double Zone_Hauteur = 0.3;
constexpr double Zone_Magnitude = 0.1;

struct Site_Essai {
    std::string nom;
    Lieu_Observation lieu;
    int jour, mois, an;
};
const Site_Essai Sites[] = {
    {"nord", {44.0, 5.7, 0}, 15, 3, 2026},
    {"sud", {-30.2, -70.8, 0}, 15, 6, 2026},
    {"haute_latitude", {62.0, 25.0, 0}, 15, 6, 2026},
};

struct Reference_Corps {
    double hauteur, jj;
    std::optional<double> magnitude;
};
struct Reference_Site {
    Intervalle sombre;
    bool noire = false;
    std::map<QString, Reference_Corps> corps;
};

std::map<std::string, Reference_Site> Lire_Reference() {
    std::map<std::string, Reference_Site> r;
    QFile f(Dossier + QStringLiteral("reference.tsv"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    f.readLine();
    while (!f.atEnd()) {
        const QStringList c = QString::fromUtf8(f.readLine()).chopped(1).split(u'\t');
        if (c.size() != 6) continue;
        Reference_Site& s = r[c[1].toStdString()];
        if (c[0] == QStringLiteral("nuit")) {
            s.noire = c[2] == QStringLiteral("noire");
            s.sombre = {c[3].toDouble(), c[4].toDouble()};
        } else {
            Reference_Corps b{c[3].toDouble(), c[4].toDouble(), std::nullopt};
            if (!c[5].isEmpty()) b.magnitude = c[5].toDouble();
            s.corps[c[2]] = b;
        }
    }
    return r;
}

Demande_Ce_Soir Demande(const Site_Essai& s) {
    Demande_Ce_Soir d;
    d.lieu = s.lieu;
    d.JJ_0h = Date_Vers_JJ(s.mois, static_cast<float>(s.an), s.jour);
    d.Hauteur_Minimale = Hauteur_Minimale;
    d.Magnitude_Limite = Limite;
    d.Periode_La_Plus_Sombre = true;
    return d;
}

const Ligne_Ce_Soir* Trouver(const Liste_Ce_Soir& l, const QString& nom) {
    for (const Ligne_Ce_Soir& ligne : l.lignes)
        if (ligne.Objet == nom) return &ligne;
    return nullptr;
}

// PyEphem moves the bodies on their two-body orbits: so does the list here.
TEST(Liste_Ce_Soir, ContrePyEphem) {
    const std::map<std::string, Reference_Site> reference = Lire_Reference();
    for (const Site_Essai& s : Sites) {
        SCOPED_TRACE(s.nom);
        ASSERT_EQ(reference.count(s.nom), 1u);
        const Reference_Site& ref = reference.at(s.nom);
        Demande_Ce_Soir d = Demande(s);
        d.modele.perturbations = false;
        const Liste_Ce_Soir l = Calculer_Liste_Ce_Soir(d, {Catalogue}, [](double) { return true; });
        ASSERT_EQ(l.issue, Liste_Ce_Soir::Issue::Calculee);
        EXPECT_EQ(l.nuit.noire, ref.noire);
        EXPECT_NEAR(l.nuit.sombre.debut, ref.sombre.debut, Minute);
        EXPECT_NEAR(l.nuit.sombre.fin, ref.sombre.fin, Minute);
        EXPECT_EQ(l.Orbites, 310);
        EXPECT_EQ(l.Sans_Loi, 3);
        EXPECT_EQ(l.Refus.Ignorees, 2);
        int juges = 0, membres = 0;
        for (const auto& [nom, b] : ref.corps) {
            if (!b.magnitude) continue;
            const bool pres_du_seuil = std::fabs(b.hauteur - Hauteur_Minimale) < Zone_Hauteur ||
                                       std::fabs(*b.magnitude - Limite) < Zone_Magnitude;
            const Ligne_Ce_Soir* ligne = Trouver(l, nom);
            if (pres_du_seuil) continue;
            ++juges;
            const bool attendu = b.hauteur >= Hauteur_Minimale && *b.magnitude <= Limite;
            EXPECT_EQ(ligne != nullptr, attendu)
                << nom.toStdString() << " h " << b.hauteur << " m " << *b.magnitude;
            if (!ligne || !attendu) continue;
            ++membres;
            EXPECT_NEAR(ligne->Hauteur, b.hauteur, Tolerance_Hauteur) << nom.toStdString();
            EXPECT_NEAR(ligne->JJ, b.jj, Tolerance_Heure) << nom.toStdString();
            EXPECT_NEAR(*ligne->Magnitude, *b.magnitude, Tolerance_Magnitude) << nom.toStdString();
        }
        // Enough bodies on both sides of the thresholds for the comparison to mean something.
        EXPECT_GT(juges, 250);
        EXPECT_GT(membres, 5);
        EXPECT_LT(membres, juges - 100);
        for (std::size_t k = 1; k < l.lignes.size(); ++k)
            EXPECT_LE(*l.lignes[k - 1].Magnitude, *l.lignes[k].Magnitude);
    }
}

// The magnitude the program's own single-body table gives for the body
// imported from the same file, its page starting at the best moment.
double Magnitude_Table(const Ligne_Ce_Soir& ligne) {
    Boite_Memoire boite;
    Programme p{boite, Notation{'.', " "}, QStringLiteral("1.0.0")};
    Creer_Fiche(boite);
    Remplir_Orbite(p, ligne.orbite, QStringLiteral("catalogue.txt"));
    Calcul_Page c = p.Calcul();
    Elements date;
    date.JJ_Perihelie = ligne.JJ;
    JJ_Vers_Date_Perihelie(date);
    c.entree.Debut = Instant_Saisi{date.Jour_Perihelie, date.Mois_Perihelie, date.An_Perihelie};
    c.entree.Pas = 1;
    c.entree.Unite_Pas = 1;  // hours
    if (!Preparer_Page(c)) return std::nan("");
    double m = std::nan("");
    Generer_Lignes(c, [&](const Ligne_Ephemeride& r) {
        if (std::isnan(m)) m = ligne.genre == Genre_Corps::Comete ? r.M1 : r.M2;
    });
    return m;
}

// With the planets' pull from the epoch, as the table computes it by default.
TEST(Liste_Ce_Soir, MagnitudesDeLaTable) {
    const Liste_Ce_Soir l =
        Calculer_Liste_Ce_Soir(Demande(Sites[0]), {Catalogue}, [](double) { return true; });
    ASSERT_GT(l.lignes.size(), 5u);
    for (const Ligne_Ce_Soir& ligne : l.lignes)
        EXPECT_NEAR(*ligne.Magnitude, Magnitude_Table(ligne), Tolerance_Magnitude)
            << ligne.Objet.toStdString();
}

// One request per refusal, each with its sentence; and the request that passes.
TEST(Liste_Ce_Soir, DemandesRefusees) {
    struct Cas {
        const char* nom;
        void (*changer)(Demande_Ce_Soir&);
        const char* debut_message;  // empty: accepted
    };
    const Cas cas[] = {
        {"valide", [](Demande_Ce_Soir&) {}, ""},
        {"hauteur basse", [](Demande_Ce_Soir& d) { d.Hauteur_Minimale = -5.5; }, "La hauteur minimale"},
        {"hauteur haute", [](Demande_Ce_Soir& d) { d.Hauteur_Minimale = 91; }, "La hauteur minimale"},
        {"hauteur NaN", [](Demande_Ce_Soir& d) { d.Hauteur_Minimale = std::nan(""); }, "La hauteur minimale"},
        {"magnitude", [](Demande_Ce_Soir& d) { d.Magnitude_Limite = 36; }, "La magnitude limite"},
        {"magnitude basse", [](Demande_Ce_Soir& d) { d.Magnitude_Limite = -31; }, "La magnitude limite"},
        {"date", [](Demande_Ce_Soir& d) { d.JJ_0h = 1e9; }, "La date"},
        {"date NaN", [](Demande_Ce_Soir& d) { d.JJ_0h = std::nan(""); }, "La date"},
        {"élongation", [](Demande_Ce_Soir& d) { d.Elongation_Minimale = 200; }, "L'élongation"},
        {"lieu", [](Demande_Ce_Soir& d) { d.lieu.Latitude = 95; }, "Le lieu"},
    };
    for (const Cas& c : cas) {
        Demande_Ce_Soir d = Demande(Sites[0]);
        c.changer(d);
        const QString message = Verifier_Demande(d);
        EXPECT_EQ(message.isEmpty(), std::string(c.debut_message).empty()) << c.nom;
        if (!message.isEmpty()) {
            EXPECT_TRUE(message.startsWith(QString::fromUtf8(c.debut_message)))
                << c.nom << " " << message.toStdString();
        }
    }
}

// A missing file, a file without any orbit, a cancel at the first news of progress.
TEST(Liste_Ce_Soir, FichiersEtInterruption) {
    QTemporaryDir dossier;
    const QString vide = dossier.filePath(QStringLiteral("vide.txt"));
    QFile f(vide);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("rien d'utile\n");
    f.close();
    const Demande_Ce_Soir d = Demande(Sites[0]);
    const Liste_Ce_Soir absent = Calculer_Liste_Ce_Soir(
        d, {Catalogue, dossier.filePath(QStringLiteral("absent.txt"))}, [](double) { return true; });
    EXPECT_EQ(absent.issue, Liste_Ce_Soir::Issue::Inaccessible);
    EXPECT_EQ(absent.Fichier_Fautif, dossier.filePath(QStringLiteral("absent.txt")));
    const Liste_Ce_Soir rien = Calculer_Liste_Ce_Soir(d, {vide}, [](double) { return true; });
    EXPECT_EQ(rien.issue, Liste_Ce_Soir::Issue::Calculee);
    EXPECT_EQ(rien.Orbites, 0);
    EXPECT_TRUE(rien.lignes.empty());
    int appels = 0;
    const Liste_Ce_Soir arretee =
        Calculer_Liste_Ce_Soir(d, {Catalogue, Catalogue}, [&](double) { return ++appels < 2; });
    EXPECT_EQ(arretee.issue, Liste_Ce_Soir::Issue::Interrompue);
    EXPECT_TRUE(arretee.lignes.empty());
    // Two copies of the catalogue give every body twice.
    const Liste_Ce_Soir double_ =
        Calculer_Liste_Ce_Soir(d, {Catalogue, Catalogue}, [](double) { return true; });
    const Liste_Ce_Soir simple = Calculer_Liste_Ce_Soir(d, {Catalogue}, [](double) { return true; });
    EXPECT_EQ(double_.lignes.size(), 2 * simple.lignes.size());
    EXPECT_EQ(double_.Orbites, 2 * simple.Orbites);
}

}  // namespace

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <random>

#include "document/cp1252.h"
#include "document/fichier_elements.h"
#include "form/angle_perihelie.h"
#include "form/dates_juliennes.h"
#include "form/disposition_fiche.h"
#include "form/formulaire.h"
#include "plateforme/boite_memoire.h"
#include "plateforme/erreur_generale.h"
#include "support/banc_fichier.h"

namespace {

// What the writer writes for 1P/Halley, and what the reader reads back.
const QStringList Halley = {
    "Trajectel version 1.0.0",
    "Objet : 1P/Halley",
    "Excentricité = 0,967142908",
    "Distance du périhélie = 0,5870992 UA",
    "Inclinaison = 162,2384 °",
    "Argument du périhélie = 111,33249 °",
    "Longitude du noeud ascendant = 58,42008 °",
    "Jour du périhélie = 9,459",
    "Mois du périhélie = 2",
    "Année du périhélie = 1986",
    "Equinoxe des éléments = 1950",
    "Equinoxe éphéméride = 2000",
    "Magnitude totale = 5,5",
    "Jour pour la magnitude totale 12,5",
    "Mois pour la magnitude totale 1",
    "Année pour la magnitude totale 1986",
    "Magnitude du noyau = 0",
    "Jour pour la magnitude du noyau 0",
    "Mois pour la magnitude du noyau 0",
    "Année pour la magnitude du noyau 0",
};

QStringList Remplacer(QStringList lignes, int numero, const QString& ligne) {
    lignes[numero - 1] = ligne;
    return lignes;
}

// Line `numero` of the current layout holding `valeur`.
QStringList Avec_Valeur(const QStringList& lignes, int numero, const QString& valeur) {
    const Libelle_Fichier& l = Libelles_Fichier[static_cast<std::size_t>(numero - 2)];
    return Remplacer(lignes, numero, l.Libelle.toString() + valeur + l.Unite.toString());
}

// The entry controls that hold a text, and the angle caption, named.
std::string Champs(const Boite_Memoire& boite) {
    std::string champs;
    for (int k = 0; k < Nombre_Controles_Saisie; ++k) {
        const Controle c = Controle_Saisie(k);
        if (!boite.Texte(c).isEmpty()) champs += std::string(Nom_Controle(c)) + "=" + U(boite.Texte(c)) + "|";
    }
    return champs + "Label15=" + U(boite.Texte(Controle::Label15));
}

struct Valeur_Nommee {
    const char* nom;
    double Elements::*membre;
};
const Valeur_Nommee Valeurs_Comparees[] = {{"e", &Elements::e},
                                           {"q", &Elements::q},
                                           {"a", &Elements::a},
                                           {"n", &Elements::n},
                                           {"gQ", &Elements::gQ},
                                           {"i", &Elements::i},
                                           {"Omega", &Elements::Omega},
                                           {"gOmega", &Elements::gOmega},
                                           {"Longitude_Perihelie", &Elements::Longitude_Perihelie},
                                           {"Jour_Perihelie", &Elements::Jour_Perihelie},
                                           {"JJ_Perihelie", &Elements::JJ_Perihelie},
                                           {"Equinoxe", &Elements::Equinoxe},
                                           {"JJ_Equinoxe", &Elements::JJ_Equinoxe},
                                           {"Equinoxe_ephemeride", &Elements::Equinoxe_ephemeride},
                                           {"JJ_Equinoxe_ephemeride", &Elements::JJ_Equinoxe_ephemeride}};

void Comparer_Elements(const Elements& obtenu, const Elements& attendu, const std::string& cas) {
    for (const auto& v : Valeurs_Comparees)
        EXPECT_NEAR(obtenu.*v.membre, attendu.*v.membre, 1e-9) << cas << ' ' << v.nom;
    EXPECT_EQ(obtenu.Mois_Perihelie, attendu.Mois_Perihelie) << cas;
    EXPECT_EQ(obtenu.An_Perihelie, attendu.An_Perihelie) << cas;
}

std::vector<std::string> Messages(const Boite_Memoire& boite) {
    std::vector<std::string> m;
    for (const auto& message : boite.Messages()) {
        const char* genre = message.genre == Boite_Memoire::Genre::Bip ? "bip" : "boîte";
        // The line and reason after a read's fault are checked by the batch's table.
        m.push_back(std::string(genre) + ":" + U(message.titre) + ":" +
                    U(message.texte.section(u'\n', 0, 0)));
    }
    return m;
}

const std::vector<std::string> Sans_Message;
const std::vector<std::string> Message_Lecture = {
    "bip::", "boîte:Trajectel - Lecture d'un fichier:Erreur de lecture du fichier"};
const std::vector<std::string> Message_Ouverture = {
    "bip::", "boîte:Trajectel - Ouvrir un fichier:Erreur d'ouverture de fichier"};

class Fichier_Elements : public ::testing::Test {
protected:
    QString Chemin(const char* nom = "comete.elt") const { return dossier.filePath(QString::fromUtf8(nom)); }

    QString Ecrire(const QByteArray& octets) {
        const QString chemin = Chemin();
        QFile f(chemin);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(octets);
        return chemin;
    }

    // As the open command does: the names first, then the reader.
    void Lire(Banc& p, const QByteArray& octets) {
        p.document.Nom_Fichier = Ecrire(octets);
        p.document.Dernier_Fichier = p.document.Nom_Fichier;
        Lire_Fichier_Elements(p.ctx);
    }
    void Lire(Banc& p, const QStringList& lignes) { Lire(p, Encoder_Lignes_Elements(lignes)); }

    // The conversion message, or "" when the read went through.
    std::string Lire_Erreur(Banc& p, const QByteArray& octets) {
        try {
            Lire(p, octets);
        } catch (const Erreur_Generale& e) {
            return U(e.Message());
        }
        return {};
    }

    QTemporaryDir dossier;
};

// ---- Number texts ----

TEST(Valeur_Reelle, Textes) {
    struct Cas {
        const char* texte;
        char separateur;
        double valeur;
        bool erreur;  // Erreur_Fichier afterwards
    };
    const Cas cas[] = {{"1,5", ',', 1.5, false},   {"1.5", '.', 1.5, false}, {"12", ',', 12, false},
                       {",5", ',', 0.5, false},    {"+5", ',', 5, true},     {"-2,5", ',', -2.5, true},
                       {"1e3", ',', 1000, true},   {" 7 ", ',', 7, true},    {"1,2,3", ',', 0, true},
                       {"--5", ',', 0, true},      {"+-", ',', 0, true},     {"1,5,", '.', 0, true},
                       {"1e300", ',', 1e300, true}};
    for (const auto& c : cas) {
        Etat_Document doc;
        doc.Erreur_Fichier = !c.erreur;
        EXPECT_NEAR(Valeur_Reelle(QString::fromUtf8(c.texte), c.separateur, doc), c.valeur, 1e-12) << c.texte;
        EXPECT_EQ(doc.Erreur_Fichier, c.erreur) << c.texte;
    }
}

TEST(Valeur_Reelle, EchecsDeConversion) {
    const char* const cas[] = {"", "abc", "5-", "1a", "nan", "inf", "-inf", "1e999", "1,5", "-", ",", "1 5"};
    for (const char* texte : cas) {
        Etat_Document doc;
        try {
            Valeur_Reelle(QString::fromUtf8(texte), '.', doc);
            ADD_FAILURE() << "converti : " << texte;
        } catch (const Erreur_Generale& e) {
            EXPECT_EQ(U(e.Message()),
                      "'" + std::string(texte) + "' n'est pas une valeur en virgule flottante correcte");
        }
    }
}

// ---- Writing ----

// The frame as the user left it after typing the elements of Halley.
void Remplir_Halley(Banc& p) {
    const char s = p.notation.Separateur_Decimal;
    auto champ = [&](Controle c, const char* texte) {
        p.boite.Ecrire_Texte(c, Normaliser_Separateur(QString::fromUtf8(texte), s));
    };
    p.boite.Ecrire_Texte(Controle::Commentaire, QStringLiteral("1P/Halley"));
    champ(Controle::saisie_e, "0,967142908");
    champ(Controle::saisie_q, "0,5870992");
    champ(Controle::saisie_i, "162,2384");
    champ(Controle::saisie_Omega, "111,33249");
    champ(Controle::saisie_gOmega, "58,42008");
    champ(Controle::Saisie_MT, "5,5");
    champ(Controle::Saisie_JMT, "12,5");
    champ(Controle::Saisie_MMT, "1");
    champ(Controle::Saisie_AMT, "1986");
    p.boite.Ecrire_Texte(Controle::Label15, Legende_Argument);
    p.el.Omega = 111.33249;
    p.el.Jour_Perihelie = 9.459;
    p.el.Mois_Perihelie = 2;
    p.el.An_Perihelie = 1986;
    p.el.Equinoxe = 1950;
    p.el.Equinoxe_ephemeride = 2000;
}

TEST(Ecrire_Lignes_Elements, VingtLignes) {
    struct Cas {
        const char* nom;
        char separateur;
        std::function<void(Banc&)> changer;
        std::vector<std::pair<int, const char*>> lignes;  // lines that differ from Halley
    };
    const auto texte = [](Controle c, const char* t) {
        return [c, t](Banc& p) { p.boite.Ecrire_Texte(c, QString::fromUtf8(t)); };
    };
    const Cas cas[] = {
        {"tel quel", ',', [](Banc&) {}, {}},
        {"point décimal", '.', [](Banc&) {}, {}},
        {"version",
         ',',
         [](Banc& p) { p.ctx.Version_Programme = QStringLiteral("2.3.10"); },
         {{1, "Trajectel version 2.3.10"}}},
        {"équinoxe décimale, virgule",
         ',',
         [](Banc& p) { p.el.Equinoxe = 1950.5; },
         {{11, "Equinoxe des éléments = 1950,5"}}},
        {"équinoxe décimale, point",
         '.',
         [](Banc& p) { p.el.Equinoxe_ephemeride = 2000.25; },
         {{12, "Equinoxe éphéméride = 2000.25"}}},
        {"équinoxe absente", ',', [](Banc& p) { p.el.Equinoxe = 0; }, {{11, "Equinoxe des éléments = 0"}}},
        {"jour à cinq décimales",
         ',',
         [](Banc& p) { p.el.Jour_Perihelie = 12.34567; },
         {{8, "Jour du périhélie = 12,34567"}}},
        {"jour au-delà de huit décimales",
         ',',
         [](Banc& p) { p.el.Jour_Perihelie = 12.345678912; },
         {{8, "Jour du périhélie = 12,34567891"}}},
        {"jour nul", ',', [](Banc& p) { p.el.Jour_Perihelie = 0; }, {{8, "Jour du périhélie = 0"}}},
        {"champs vides", ',', texte(Controle::saisie_e, ""), {{3, "Excentricité = 0"}}},
        {"magnitude vide", ',', texte(Controle::Saisie_AMT, ""), {{16, "Année pour la magnitude totale 0"}}},
        {"champ tapé avec un point", ',', texte(Controle::saisie_i, "1.5"), {{5, "Inclinaison = 1,5 °"}}},
        {"commentaire vide", ',', texte(Controle::Commentaire, ""), {{2, "Objet : "}}},
        {"commentaire sur deux lignes",
         ',',
         texte(Controle::Commentaire, "Halley\r\nretour\nde 1986\r"),
         {{2, "Objet : Halley retour de 1986 "}}},
        {"longitude affichée",
         ',',
         [](Banc& p) {
             Afficher_Longitude(p.el, p.boite, p.notation);
             p.boite.Ecrire_Texte(Controle::saisie_Omega, QStringLiteral("169,75257"));
             p.el.Omega = 111.332491;
         },
         {{6, "Argument du périhélie = 111,332491 °"}}},
        {"longitude affichée, argument nul",
         '.',
         [](Banc& p) {
             p.boite.Ecrire_Texte(Controle::Label15, Legende_Longitude);
             p.el.Omega = 0;
         },
         {{6, "Argument du périhélie = 0 °"}}},
        {"périhélie en jour julien",
         ',',
         [](Banc& p) {
             p.boite.Cocher(Controle::Julienne, true);
             p.el.JJ_Perihelie = 2451545.25;
         },
         {{8, "Jour du périhélie = 1,75"}, {9, "Mois du périhélie = 1"}, {10, "Année du périhélie = 2000"}}},
        // The date computed from a Julian day carries no rounding noise into the file.
        {"périhélie en jour julien décimal",
         ',',
         [](Banc& p) {
             p.boite.Cocher(Controle::Julienne, true);
             p.el.JJ_Perihelie = 2446470.959;
         },
         {{8, "Jour du périhélie = 9,459"}}},
        {"périhélie en jour julien, champ vide",
         ',',
         [](Banc& p) {
             p.boite.Cocher(Controle::Julienne, true);
             p.el.JJ_Perihelie = 0;
         },
         {}},
    };
    for (const auto& c : cas) {
        Banc p(c.separateur);
        Remplir_Halley(p);
        c.changer(p);
        QStringList attendu = Halley;
        for (const auto& [numero, ligne] : c.lignes) attendu[numero - 1] = QString::fromUtf8(ligne);
        const QStringList lignes = Ecrire_Lignes_Elements(p.ctx);
        EXPECT_EQ(U(lignes.join(u'\n')), U(attendu.join(u'\n'))) << c.nom;
    }
}

TEST(Encoder_Lignes_Elements, Windows1252EtCRLF) {
    const QStringList lignes = {QStringLiteral("Objet : Comète Ω"), QStringLiteral("Inclinaison = 1,5 °")};
    EXPECT_EQ(Encoder_Lignes_Elements(lignes),
              QByteArray("Objet : Com\xE8te ?\r\nInclinaison = 1,5 \xB0\r\n"));
}

// ---- Round trip ----

TEST_F(Fichier_Elements, AllerRetour) {
    struct Cas {
        char separateur;
        bool longitude;
    };
    const Cas cas[] = {{',', false}, {'.', false}, {',', true}, {'.', true}};
    for (const auto& c : cas) {
        const std::string nom =
            std::string("séparateur ") + c.separateur + (c.longitude ? ", longitude" : "");
        Banc avant(c.separateur);
        Lire(avant, Halley);
        const std::string champs = Champs(avant.boite);
        if (c.longitude) Basculer_Angle(avant.el, avant.boite, avant.notation);

        const QStringList ecrites = Ecrire_Lignes_Elements(avant.ctx);
        EXPECT_EQ(U(ecrites.join(u'\n')), U(Halley.join(u'\n'))) << nom;

        Banc apres(c.separateur);
        Lire(apres, ecrites);
        EXPECT_EQ(Champs(apres.boite), champs) << nom;
        Comparer_Elements(apres.el, avant.el, nom);
        EXPECT_EQ(Messages(apres.boite), Sans_Message) << nom;
    }
}

// Whatever the form holds, typed or derived from what was typed, is saved and
// read back without a fault: random element sets typed through the fields'
// exits, in both angle modes and both forms of the perihelion date.
TEST_F(Fichier_Elements, CeQueLaFicheTientSeRelit) {
    std::mt19937 alea(2024);
    const auto tirer = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(alea); };
    for (int k = 0; k < 400; ++k) {
        const char separateur = k % 2 ? ',' : '.';
        const bool longitude = k % 4 >= 2;
        const bool julien = k % 8 >= 4;
        Banc avant(separateur);
        Lire(avant, Halley);
        Contexte_Formulaire f{avant.el, avant.boite, avant.formulaire, avant.document, avant.notation,
                              [] {},    [] {}};
        const auto taper = [&](Controle c, double v, int decimales) {
            avant.formulaire.Entree(c) = avant.boite.Texte(c);
            avant.boite.Ecrire_Texte(c, QString::number(v, 'f', decimales).replace(u'.', QChar(separateur)));
            Executer_Sortie(f, c);
        };
        const double e = k % 5 == 0 ? tirer(0, 1e-5) : tirer(0, 1.5);
        taper(Controle::saisie_e, e, 9);
        taper(Controle::saisie_q, tirer(0.01, 40), 7);
        taper(Controle::saisie_i, tirer(0.0001, 359.9999), 5);
        if (longitude) Basculer_Angle(avant.el, avant.boite, avant.notation);
        taper(Controle::saisie_gOmega, tirer(0, 359.9999), 5);
        taper(Controle::saisie_Omega, tirer(0.0002, 359.9999), 5);
        if (julien) {
            JulienneClick(avant.el, avant.boite, avant.notation);
            taper(Controle::saisie_Jour_Perihelie, tirer(2400000, 2500000), 5);
        } else {
            taper(Controle::saisie_Jour_Perihelie, tirer(1, 31.9999), 4);
        }
        const std::string nom = U(QStringList(Ecrire_Lignes_Elements(avant.ctx).mid(2, 7)).join(u'|'));
        Banc apres(separateur);
        Lire(apres, Ecrire_Lignes_Elements(avant.ctx));
        EXPECT_EQ(Messages(apres.boite), Sans_Message) << nom;
    }
}

// ---- Reading the current layout ----

// Opened while the perihelion is shown as a Julian day, the file's calendar
// date becomes that Julian day, and saving writes the same date back.
TEST_F(Fichier_Elements, PerihelieEnJourJulien) {
    struct Cas {
        const char* nom;
        QStringList lignes;
        double jj;
        const char* champ;
        const char* date;  // lines 8 to 10 as saved
    };
    const QStringList Sans_Date = Avec_Valeur(Avec_Valeur(Avec_Valeur(Halley, 8, "0"), 9, "0"), 10, "0");
    const Cas cas[] = {
        {"Halley", Halley, 2446470.959, "2446470,959", "9,459 2 1986"},
        {"sans périhélie", Sans_Date, 0, "", "0 0 0"},
        {"mois hors du calendrier", Avec_Valeur(Halley, 9, "13"), 0, "", "9,459 0 1986"},
        // The legacy Halley file, as the fuzzer first saw the perihelion
        // saved as 10,959 / 1 / -4712.
        {"disposition ancienne",
         QStringList{"Trajectel 2.4", "\"1P/Halley\"", "0,967142908", "\"0.5870992\"", "162,2384",
                     "111,33249", "58,42008", "9,459", "2", "1986", "1,5", "2,5", "5", "6", "1950", "2000"},
         2446470.959, "2446470,959", "9,459 2 1986"},
    };
    for (const auto& c : cas) {
        Banc p(',');
        JulienneClick(p.el, p.boite, p.notation);
        Lire(p, c.lignes);
        EXPECT_NEAR(p.el.JJ_Perihelie, c.jj, 1e-6) << c.nom;
        EXPECT_EQ(U(p.boite.Texte(Controle::saisie_Jour_Perihelie)), c.champ) << c.nom;
        const QStringList ecrites = Ecrire_Lignes_Elements(p.ctx);
        QStringList date;
        for (int k = 7; k < 10; ++k) date << ecrites[k].section(u' ', -1);
        EXPECT_EQ(U(date.join(u' ')), c.date) << c.nom;
    }
}

TEST_F(Fichier_Elements, LectureComplete) {
    Banc p(',');
    p.document.Modifie = true;
    p.formulaire.Entree(Controle::saisie_e) = QStringLiteral("0,5");
    for (Controle c : {Controle::saisie_Jour, Controle::saisie_Mois, Controle::Liste_Instruments})
        p.boite.Ecrire_Texte(c, QStringLiteral("inchangé"));
    Lire(p, Remplacer(Halley, 2, QStringLiteral("Objet :  1P/Halley ")));

    EXPECT_EQ(Champs(p.boite),
              "Commentaire= 1P/Halley |Equinoxe=1950|Equinoxe_ephemeride=2000|saisie_e=0,967142908|"
              "saisie_q=0,5870992|saisie_a=17,8682641787|saisie_gQ=35,1494291574|saisie_n=0,0130491204|"
              "saisie_i=162,2384|saisie_Omega=111,33249|saisie_gOmega=58,42008|saisie_Jour_Perihelie=9,459|"
              "saisie_Mois_Perihelie=2|saisie_An_Perihelie=1986|Saisie_MT=5,5|Saisie_JMT=12,5|Saisie_MMT=1|"
              "Saisie_AMT=1986|saisie_Jour=inchangé|saisie_Mois=inchangé|Liste_Instruments=inchangé|"
              "Label15=w =  ");
    EXPECT_NEAR(p.el.a, 0.5870992 / (1 - 0.967142908), 1e-9);
    EXPECT_NEAR(p.el.Longitude_Perihelie, 169.75257, 1e-9);
    EXPECT_NEAR(p.el.JJ_Perihelie, 2446470.959, 1e-6);
    EXPECT_NEAR(p.el.JJ_Equinoxe, 2433282.5, 1e-9);
    EXPECT_NEAR(p.el.JJ_Equinoxe_ephemeride, 2451544.5, 1e-9);
    EXPECT_EQ(Messages(p.boite), Sans_Message);
    EXPECT_TRUE(p.document.Fichier_Ouvert);
    EXPECT_FALSE(p.document.Erreur_Fichier);
    EXPECT_FALSE(p.document.Modifie);
    EXPECT_FALSE(p.boite.Actif(Controle::ToolEnregistrer));
    EXPECT_FALSE(p.boite.Actif(Controle::Enregistrer));
    EXPECT_EQ(U(p.formulaire.Entree(Controle::Commentaire)), "1P/Halley");
    EXPECT_EQ(p.boite.Derniere_Selection(), Controle::Commentaire);
    EXPECT_EQ(p.historique.Entrees[0], p.document.Nom_Fichier);
    EXPECT_EQ(p.boite.Texte(Controle::Historique1), QStringLiteral("&1 ") + p.document.Nom_Fichier);
    EXPECT_TRUE(p.boite.Visible(Controle::Historique1));
}

// Variants of the file that read exactly as the original does.
TEST_F(Fichier_Elements, VariantesEquivalentes) {
    const QByteArray original = Encoder_Lignes_Elements(Halley);
    QStringList points = Halley;
    for (int k = 2; k < points.size(); ++k) points[k].replace(u',', u'.');
    QStringList libelles = Halley;
    for (int k = 1; k < libelles.size(); ++k) {
        const Libelle_Fichier& l = Libelles_Fichier[static_cast<std::size_t>(k - 1)];
        const qsizetype n = l.Libelle.size();
        const qsizetype m = l.Unite.size();
        libelles[k] = QString(n, u'#') + libelles[k].mid(n, libelles[k].size() - n - m) + QString(m, u'#');
    }
    QByteArray lf = original;
    lf.replace("\r\n", "\n");
    const std::pair<const char*, QByteArray> cas[] = {
        {"nombres avec un point", Encoder_Lignes_Elements(points)},
        {"libellés et unités changés, même longueur", Encoder_Lignes_Elements(libelles)},
        {"fins de ligne LF", lf},
        {"dernière ligne sans fin", original.chopped(2)},
        {"lignes après la 20e", original + "Magnitude totale = 99\r\n\x01\x02\xFF\r\n"},
        {"en-tête de 16 caractères",
         Encoder_Lignes_Elements(Remplacer(Halley, 1, QStringLiteral("Trajectel versio")))},
        {"en-tête entre guillemets",
         Encoder_Lignes_Elements(Remplacer(Halley, 1, QStringLiteral("\"Trajectel version 1.0.0\"")))},
    };
    for (const char separateur : {',', '.'}) {
        Banc reference(separateur);
        Lire(reference, original);
        for (const auto& [nom, octets] : cas) {
            Banc p(separateur);
            Lire(p, octets);
            EXPECT_EQ(Champs(p.boite), Champs(reference.boite)) << nom << ", " << separateur;
            Comparer_Elements(p.el, reference.el, nom);
            EXPECT_EQ(Messages(p.boite), Sans_Message) << nom;
        }
    }
}

TEST_F(Fichier_Elements, LignesUneAUne) {
    struct Cas {
        const char* nom;
        int numero;
        const char* valeur;
        Controle champ;
        const char* texte;  // the field afterwards
        bool message;       // "Erreur de lecture du fichier"
    };
    const Cas cas[] = {
        {"jour nul", 8, "0", Controle::saisie_Jour_Perihelie, "", false},
        {"jour presque nul", 8, "0,0001", Controle::saisie_Jour_Perihelie, "", false},
        {"petit jour", 8, "1.0002", Controle::saisie_Jour_Perihelie, "1,0002", false},
        {"mois nul", 9, "0", Controle::saisie_Mois_Perihelie, "", false},
        {"mois en lettres", 9, "fé", Controle::saisie_Mois_Perihelie, "avant", true},
        {"mois avec blancs devant", 9, "  7", Controle::saisie_Mois_Perihelie, "  7", false},
        {"mois avec blanc derrière", 9, "7 ", Controle::saisie_Mois_Perihelie, "avant", true},
        {"mois décimal", 9, "1,5", Controle::saisie_Mois_Perihelie, "avant", true},
        {"mois avec séparateur de milliers", 9, "1,000", Controle::saisie_Mois_Perihelie, "avant", true},
        {"année négative", 10, "-44", Controle::saisie_An_Perihelie, "-44", false},
        {"année trop grande", 10, "2147483648", Controle::saisie_An_Perihelie, "avant", true},
        {"année limite", 10, "-2147483648", Controle::saisie_An_Perihelie, "-2147483648", false},
        {"magnitude nulle", 13, "0", Controle::Saisie_MT, "", false},
        {"magnitude avec un point", 13, "-1.5", Controle::Saisie_MT, "-1,5", false},
        {"jour de magnitude", 14, "0", Controle::Saisie_JMT, "", false},
        {"mois de magnitude non normalisé", 15, "1.5", Controle::Saisie_MMT, "1.5", false},
        {"magnitude du noyau", 17, "12.5", Controle::Saisie_MN, "12,5", false},
        {"ligne trop courte", 13, nullptr, Controle::Saisie_MT, "", false},
        {"commentaire non normalisé", 2, "C/2020 F3, 1.5", Controle::Commentaire, "C/2020 F3, 1.5", false},
    };
    for (const auto& c : cas) {
        Banc p(',');
        p.boite.Ecrire_Texte(c.champ, QStringLiteral("avant"));
        const QStringList lignes = c.valeur ? Avec_Valeur(Halley, c.numero, QString::fromUtf8(c.valeur))
                                            : Remplacer(Halley, c.numero, QStringLiteral("Magnitude"));
        Lire(p, lignes);
        EXPECT_EQ(U(p.boite.Texte(c.champ)), c.texte) << c.nom;
        EXPECT_EQ(Messages(p.boite), c.message ? Message_Lecture : Sans_Message) << c.nom;
    }
}

TEST_F(Fichier_Elements, Equinoxes) {
    struct Cas {
        const char* valeur;
        const char* champ;
        double equinoxe;
        double jj;
    };
    const Cas cas[] = {{"1950", "1950", 1950, 2433282.5},
                       {"1950.0", "1950", 1950, 2433282.5},
                       {"2000,5", "2000,5", 2000.5, 2451727.125},
                       {"1582", "", 0, 0},
                       {"1582,1015", "", 0, 0},
                       {"-2000", "", 0, 0},
                       {"", "", 0, 0},
                       {"abc", "", 0, 0},
                       {"1e3", "", 0, 0},
                       {"19 50", "19 50", 0, 0},
                       {"99999999999", "", 0, 0},
                       {"2200,5", "", 0, 0},
                       {"   ", "", 0, 0}};
    for (const auto& c : cas) {
        Banc p(',');
        Lire(p, Avec_Valeur(Avec_Valeur(Halley, 11, QString::fromUtf8(c.valeur)), 12,
                            QString::fromUtf8(c.valeur)));
        EXPECT_EQ(U(p.boite.Texte(Controle::Equinoxe)), c.champ) << c.valeur;
        EXPECT_EQ(U(p.boite.Texte(Controle::Equinoxe_ephemeride)), c.champ) << c.valeur;
        EXPECT_NEAR(p.el.Equinoxe, c.equinoxe, 1e-9) << c.valeur;
        EXPECT_NEAR(p.el.JJ_Equinoxe, c.jj, 1e-6) << c.valeur;
        EXPECT_NEAR(p.el.Equinoxe_ephemeride, c.equinoxe, 1e-9) << c.valeur;
        EXPECT_NEAR(p.el.JJ_Equinoxe_ephemeride, c.jj, 1e-6) << c.valeur;
    }
}

// ---- Failures ----

TEST_F(Fichier_Elements, EchecDOuverture) {
    const std::pair<const char*, QString> cas[] = {
        {"fichier absent", Chemin("absent.elt")}, {"dossier", dossier.path()}, {"nom vide", QString()}};
    for (const auto& [nom, fichier] : cas) {
        Banc p(',');
        p.document.Nom_Fichier = fichier;
        p.document.Dernier_Fichier = p.document.Nom_Fichier;
        p.document.Modifie = true;
        p.document.Fichier_Ouvert = true;
        p.boite.Ecrire_Texte(Controle::Commentaire, QStringLiteral("avant"));
        Lire_Fichier_Elements(p.ctx);
        EXPECT_EQ(Messages(p.boite), Message_Ouverture) << nom;
        EXPECT_FALSE(p.document.Fichier_Ouvert) << nom;
        EXPECT_TRUE(p.document.Modifie) << nom;
        EXPECT_EQ(U(p.boite.Texte(Controle::Commentaire)), "avant") << nom;
        EXPECT_TRUE(p.historique.Entrees[0].isEmpty()) << nom;
        EXPECT_TRUE(p.boite.Actif(Controle::Enregistrer)) << nom;
    }
}

TEST_F(Fichier_Elements, FichierCoupe) {
    struct Cas {
        const char* nom;
        int lignes;
        const char* equinoxe_ephemeride;
        double q;
    };
    const Cas cas[] = {{"coupé après la ligne 12", 12, "2000", 0.5870992},
                       {"coupé après la ligne 19", 19, "2000", 0.5870992}};
    for (const auto& c : cas) {
        Banc p(',');
        p.document.Modifie = true;
        Lire(p, Halley.mid(0, c.lignes));
        EXPECT_EQ(Messages(p.boite), Message_Lecture) << c.nom;
        EXPECT_TRUE(p.document.Fichier_Ouvert) << c.nom;
        EXPECT_FALSE(p.document.Modifie) << c.nom;
        EXPECT_EQ(U(p.boite.Texte(Controle::Equinoxe_ephemeride)), c.equinoxe_ephemeride) << c.nom;
        EXPECT_NEAR(p.el.q, c.q, 1e-12) << c.nom;
        EXPECT_EQ(p.historique.Entrees[0], p.document.Nom_Fichier) << c.nom;
    }
}

// A number that does not convert ends the read at its line: nothing after it
// is done, neither the derived elements nor the history nor any message.
TEST_F(Fichier_Elements, EchecDeConversion) {
    struct Cas {
        const char* nom;
        QByteArray octets;
        const char* message;
        double e;  // read before the failure, or left at its old value -1
    };
    const char* const Inclinaison = "'abc' n'est pas une valeur en virgule flottante correcte";
    const Cas cas[] = {
        {"inclinaison en lettres", Encoder_Lignes_Elements(Avec_Valeur(Halley, 5, "abc")), Inclinaison,
         0.967142908},
        {"excentricité nan", Encoder_Lignes_Elements(Avec_Valeur(Halley, 3, "nan")),
         "'nan' n'est pas une valeur en virgule flottante correcte", -1},
        {"distance infinie", Encoder_Lignes_Elements(Avec_Valeur(Halley, 4, "1e999")),
         "'1e999' n'est pas une valeur en virgule flottante correcte", 0.967142908},
        {"jour vide", Encoder_Lignes_Elements(Avec_Valeur(Halley, 8, "")),
         "'' n'est pas une valeur en virgule flottante correcte", 0.967142908},
        {"fichier vide", QByteArray(), "'' n'est pas une valeur en virgule flottante correcte", -1},
        {"réel inutilisé de l'ancienne disposition",
         Encoder_Lignes_Elements(
             QStringList{"Trajectel 2.4", "X", "0,5", "1", "2", "3", "4", "5", "6", "7", "abc"}),
         "'abc' n'est pas une valeur en virgule flottante correcte", 0.5},
        {"en-tête de 15 caractères",
         Encoder_Lignes_Elements(Remplacer(Halley, 1, QStringLiteral("Trajectel versi"))),
         "'Excentricité = 0,967142908' n'est pas une valeur en virgule flottante correcte", -1},
    };
    for (const auto& c : cas) {
        Banc p(',');
        p.el.e = -1;
        p.el.Equinoxe = -1;
        p.document.Modifie = true;
        EXPECT_EQ(Lire_Erreur(p, c.octets), c.message) << c.nom;
        EXPECT_NEAR(p.el.e, c.e, 1e-12) << c.nom;
        EXPECT_NEAR(p.el.Equinoxe, -1, 1e-12) << c.nom;
        EXPECT_TRUE(p.document.Fichier_Ouvert) << c.nom;
        EXPECT_TRUE(p.document.Modifie) << c.nom;
        EXPECT_EQ(Messages(p.boite), Sans_Message) << c.nom;
        EXPECT_TRUE(p.historique.Entrees[0].isEmpty()) << c.nom;
        EXPECT_TRUE(p.boite.Actif(Controle::Enregistrer)) << c.nom;
        EXPECT_EQ(p.boite.Derniere_Selection(), Controle::Nombre_Controles) << c.nom;
    }
}

// Erreur_Fichier tells of the last number examined only: the perihelion day.
TEST_F(Fichier_Elements, ErreurFichierDuDernierNombre) {
    struct Cas {
        const char* nom;
        int numero;
        const char* valeur;
        bool erreur;
    };
    const Cas cas[] = {{"jour signé", 8, "+9,459", true},
                       {"jour avec exposant", 8, "9e0", true},
                       {"excentricité signée, puis d'autres nombres", 3, "+0,5", false},
                       {"rien à redire", 8, "9,459", false}};
    for (const auto& c : cas) {
        Banc p(',');
        Lire(p, Avec_Valeur(Halley, c.numero, QString::fromUtf8(c.valeur)));
        EXPECT_EQ(p.document.Erreur_Fichier, c.erreur) << c.nom;
    }
}

// ---- The legacy layout ----

const QStringList Halley_Ancien = {"Trajectel 2.4",
                                   "\"1P/Halley\"",
                                   "0,967142908",
                                   "\"0.5870992\"",
                                   "162,2384",
                                   "111,33249",
                                   "58,42008",
                                   "9,459",
                                   "2",
                                   "1986",
                                   "1,5",
                                   "2,5",
                                   "5",
                                   "6",
                                   "1950",
                                   "2000"};
const QStringList Magnitudes_Anciennes = {"5,5", "12.5", "1", "1986", "0", "0", "0", "\"0\""};

TEST_F(Fichier_Elements, DispositionAncienne) {
    struct Cas {
        const char* nom;
        QStringList lignes;
        bool magnitudes;  // the block was read
        std::vector<std::string> messages;
    };
    const QStringList avec_bloc = QStringList(Halley_Ancien) << Magnitudes_Anciennes;
    const Cas cas[] = {
        {"version 2.4", Halley_Ancien, false, Sans_Message},
        {"version 3.0 avec magnitudes", Remplacer(avec_bloc, 1, QStringLiteral("Trajectel 3.0")), true,
         Sans_Message},
        {"version 2.4, magnitudes ignorées", avec_bloc, false, Sans_Message},
        {"en-tête de 11 caractères", Remplacer(avec_bloc, 1, QStringLiteral("Trajectel 3")), false,
         Sans_Message},
        {"en-tête entre guillemets", Remplacer(avec_bloc, 1, QStringLiteral("\"Trajectel 3.0\"")), true,
         Sans_Message},
        {"bloc de magnitudes incomplet", Remplacer(avec_bloc, 1, QStringLiteral("Trajectel 3.0")).mid(0, 20),
         true, Message_Lecture},
    };
    for (const auto& c : cas) {
        Banc p('.');
        Afficher_Longitude(p.el, p.boite, p.notation);
        Lire(p, c.lignes);
        EXPECT_EQ(Messages(p.boite), c.messages) << c.nom;
        EXPECT_EQ(U(p.boite.Texte(Controle::Commentaire)), "1P/Halley") << c.nom;
        EXPECT_EQ(U(p.boite.Texte(Controle::saisie_q)), "0.5870992") << c.nom;
        EXPECT_EQ(U(p.boite.Texte(Controle::saisie_Omega)), "111.33249") << c.nom;
        EXPECT_EQ(p.boite.Texte(Controle::Label15), Legende_Argument) << c.nom;
        EXPECT_NEAR(p.el.Longitude_Perihelie, 169.75257, 1e-9) << c.nom;
        EXPECT_NEAR(p.el.JJ_Equinoxe, 2433282.5, 1e-9) << c.nom;
        EXPECT_NEAR(p.el.JJ_Equinoxe_ephemeride, 2451544.5, 1e-9) << c.nom;
        EXPECT_NEAR(p.el.JJ_Perihelie, 2446470.959, 1e-6) << c.nom;
        EXPECT_EQ(U(p.boite.Texte(Controle::Saisie_JMT)), c.magnitudes ? "12.5" : "") << c.nom;
        EXPECT_EQ(U(p.boite.Texte(Controle::Saisie_MT)), c.magnitudes ? "5.5" : "") << c.nom;
        EXPECT_TRUE(p.boite.Actif(Controle::ToolEnregistrer)) << c.nom;
        EXPECT_TRUE(p.boite.Actif(Controle::Enregistrer)) << c.nom;
        EXPECT_FALSE(p.document.Modifie) << c.nom;
    }
}

// An integer that fails leaves its line to the next step.
TEST_F(Fichier_Elements, EntierAncienIllisible) {
    struct Cas {
        const char* nom;
        int numero;
        const char* equinoxe;
        const char* equinoxe_ephemeride;
    };
    const Cas cas[] = {{"ligne 13", 13, "", ""}, {"ligne 14", 14, "", "1950"}};
    for (const auto& c : cas) {
        Banc p(',');
        Lire(p, Remplacer(Halley_Ancien, c.numero, QStringLiteral("x")));
        EXPECT_EQ(U(p.boite.Texte(Controle::Equinoxe)), c.equinoxe) << c.nom;
        EXPECT_EQ(U(p.boite.Texte(Controle::Equinoxe_ephemeride)), c.equinoxe_ephemeride) << c.nom;
        EXPECT_EQ(Messages(p.boite), Message_Lecture) << c.nom;
    }
}

// ---- Whatever the file holds ----

TEST_F(Fichier_Elements, ContenuQuelconque) {
    std::mt19937 alea(1234);
    QByteArray binaire(3 << 20, '\0');
    for (char& o : binaire) o = static_cast<char>(alea());
    QByteArray ligne_longue =
        Encoder_Lignes_Elements(Halley.mid(0, 1)) + "Objet : " + QByteArray(10 << 20, 'x');
    ligne_longue += "\r\n" + Encoder_Lignes_Elements(Halley.mid(2));
    QByteArray beaucoup_de_lignes = Encoder_Lignes_Elements(Halley);
    for (int k = 0; k < 200000; ++k) beaucoup_de_lignes += "\r\n";
    struct Cas {
        const char* nom;
        QByteArray octets;
        QString commentaire;  // null: not checked
    };
    const Cas cas[] = {
        {"octets au hasard", binaire, QString()},
        {"ligne de 10 Mo", ligne_longue, QString(4096 - 8, u'x')},
        {"200 000 lignes vides", beaucoup_de_lignes, QStringLiteral("1P/Halley")},
    };
    for (const auto& c : cas) {
        Banc p(',');
        QElapsedTimer chrono;
        chrono.start();
        Lire_Erreur(p, c.octets);
        EXPECT_LT(chrono.elapsed(), 2000) << c.nom;
        if (!c.commentaire.isNull()) {
            EXPECT_EQ(U(p.boite.Texte(Controle::Commentaire)), U(c.commentaire)) << c.nom;
        }
    }
}

TEST_F(Fichier_Elements, MagnitudeBinaireDecodee) {
    Banc p(',');
    Lire(p,
         Encoder_Lignes_Elements(Halley.mid(0, 12)) + QByteArray("Magnitude totale = \x00\x01\xFF\x81", 23));
    EXPECT_EQ(p.boite.Texte(Controle::Saisie_MT), QString::fromUtf16(u"\x0000\x0001\x00FF\x0081", 4));
    EXPECT_EQ(Messages(p.boite), Message_Lecture);
}

// A value the entry form would refuse is not taken from a file either: its
// field is left empty, its element unset, and the read reports a fault.
// Every value the form takes reads as it always did.
TEST_F(Fichier_Elements, ValeursQueLaFicheRefuse) {
    struct Cas {
        int numero;
        const char* valeur;
        Controle champ;
        const char* texte;  // the field after the read
        double Elements::*membre;
        double attendu;
        bool refuse = true;
    };
    using C = Controle;
    const Cas cas[] = {
        // Refused: the field as after New (the eccentricity reads "0"), the
        // element unset.
        {3, "-0,5", C::saisie_e, "0", &Elements::e, 0},
        {3, "--1", C::saisie_e, "0", &Elements::q, 0},
        {3, "1,2,3", C::saisie_e, "0", &Elements::a, 0},
        {4, "1e308", C::saisie_q, "", &Elements::q, 0},
        {4, "-0,5", C::saisie_q, "", &Elements::a, 0},
        {5, "-1e308", C::saisie_i, "", &Elements::i, 0},
        {5, "360", C::saisie_i, "", &Elements::i, 0},
        {6, "1e-320", C::saisie_Omega, "", &Elements::Omega, 0},
        {6, "400", C::saisie_Omega, "", &Elements::Longitude_Perihelie, 58.42008},
        {7, "360", C::saisie_gOmega, "", &Elements::gOmega, 0},
        {8, "1e30", C::saisie_Jour_Perihelie, "", &Elements::Jour_Perihelie, 0},
        {8, "1e308", C::saisie_Jour_Perihelie, "", &Elements::JJ_Perihelie, 0},
        {8, "32,5", C::saisie_Jour_Perihelie, "", &Elements::Jour_Perihelie, 0},
        {8, "0,5", C::saisie_Jour_Perihelie, "", &Elements::Jour_Perihelie, 0},
        {9, "13", C::saisie_Mois_Perihelie, "", &Elements::Jour_Perihelie, 9.459},
        {9, "+2", C::saisie_Mois_Perihelie, "", &Elements::Jour_Perihelie, 9.459},
        {11, "3000", C::Equinoxe, "", &Elements::JJ_Equinoxe, 0},
        // Taken as before; the file's "0" for an empty field, and the
        // equinox before 1582.1015, emptied by the line's own rule.
        {3, "1,5", C::saisie_e, "1,5", &Elements::e, 1.5, false},
        {3, "1E-6", C::saisie_e, "1E-6", &Elements::e, 1e-6, false},  // as the field writes it
        {4, "0.0002", C::saisie_q, "0,0002", &Elements::q, 0.0002, false},
        {5, "359,9", C::saisie_i, "359,9", &Elements::i, 359.9, false},
        {6, "0", C::saisie_Omega, "", &Elements::Omega, 0, false},
        // An argument derived from a longitude may be small, or round to 360.
        {6, "0,00005", C::saisie_Omega, "", &Elements::Omega, 0.00005, false},
        {6, "360", C::saisie_Omega, "360", &Elements::Omega, 360, false},
        {7, "0", C::saisie_gOmega, "", &Elements::gOmega, 0, false},
        {8, "31,75", C::saisie_Jour_Perihelie, "31,75", &Elements::Jour_Perihelie, 31.75, false},
        {8, "0", C::saisie_Jour_Perihelie, "", &Elements::Jour_Perihelie, 0, false},
        {8, "32", C::saisie_Jour_Perihelie, "32", &Elements::Jour_Perihelie, 32, false},  // 31,9996 rounded
        // A field's maximum length limits typing, not the values a file holds.
        {8, "28,545123", C::saisie_Jour_Perihelie, "28,545123", &Elements::Jour_Perihelie, 28.545123, false},
        {8, "1,0000000001", C::saisie_Jour_Perihelie, "1,0000000001", &Elements::Jour_Perihelie, 1.0000000001,
         false},
        {16, "01986", C::Saisie_AMT, "01986", &Elements::e, 0.967142908, false},
        {10, "-44", C::saisie_An_Perihelie, "-44", &Elements::e, 0.967142908, false},
        {11, "1582", C::Equinoxe, "", &Elements::JJ_Equinoxe, 0, false},
    };
    for (const auto& c : cas) {
        Banc p(',');
        Lire(p, Avec_Valeur(Halley, c.numero, QString::fromUtf8(c.valeur)));
        const std::string nom = std::string(Nom_Controle(c.champ)) + " " + c.valeur;
        EXPECT_EQ(U(p.boite.Texte(c.champ)), c.texte) << nom;
        EXPECT_NEAR(p.el.*c.membre, c.attendu, 1e-9) << nom;
        EXPECT_EQ(Messages(p.boite), c.refuse ? Message_Lecture : Sans_Message) << nom;
    }
}

// ---- The page record without the frame ----

// Everything of the page record the element file gives.
std::string Decrire(const Entree_Page& e) {
    std::string d;
    for (const auto& [c, texte] : e.Textes) d += std::string(Nom_Controle(c)) + "=" + U(texte) + "|";
    const auto magnitude = [](const std::optional<Magnitude_Saisie>& m) {
        return m ? U(QString::number(m->Magnitude, 'g', 17)) + "@" +
                       U(QString::number(m->Date.Jour, 'g', 17)) + "/" + std::to_string(m->Date.Mois) + "/" +
                       std::to_string(m->Date.An)
                 : std::string("-");
    };
    return d + "ω symbole " + std::to_string(e.Omega_Symbole) + " julienne " + std::to_string(e.Julienne) +
           " périhélie " + U(QString::number(e.Jour_Perihelie, 'g', 17)) + "/" +
           std::to_string(e.Mois_Perihelie) + "/" + std::to_string(e.An_Perihelie) + " équinoxes " +
           std::to_string(e.Equinoxe_Saisi) + std::to_string(e.Equinoxe_Ephemeride_Saisi) + " totale " +
           magnitude(e.Totale) + " noyau " + magnitude(e.Noyau) + " corrigés " +
           std::to_string(e.Champs_Corriges);
}

// The examples, the refused files of the batch's table and the legacy layout.
std::vector<std::pair<std::string, QStringList>> Fichiers_Essai() {
    std::vector<std::pair<std::string, QStringList>> cas;
    for (const QFileInfo& f :
         QDir(QStringLiteral(TRAJECTEL_EXEMPLES)).entryInfoList({QStringLiteral("*.elt")})) {
        QFile fichier(f.filePath());
        EXPECT_TRUE(fichier.open(QIODevice::ReadOnly));
        cas.emplace_back(U(f.fileName()), Decoder_Cp1252(fichier.readAll()).remove(u'\r').split(u'\n'));
    }
    QFile table(QStringLiteral(TRAJECTEL_DONNEES_TESTS "/fichiers_refuses.tsv"));
    EXPECT_TRUE(table.open(QIODevice::ReadOnly));
    for (const QString& ligne : QString::fromUtf8(table.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList c = ligne.split(u'\t');
        if (ligne.startsWith(u'#') || c.size() < 3) continue;
        const int numero = c[1].toInt();
        QStringList lignes = Halley;
        if (c[2] == u"coupé")
            lignes = lignes.mid(0, numero);
        else if (numero > lignes.size())
            lignes << c[2];
        else
            lignes[numero - 1] = c[2];
        cas.emplace_back(U(c[0]), lignes);
    }
    cas.emplace_back("disposition ancienne", QStringList(Halley_Ancien) << Magnitudes_Anciennes);
    cas.emplace_back("valeur illisible", Avec_Valeur(Halley, 3, QStringLiteral("nan")));
    return cas;
}

// Read with no frame, a file gives the page record that a fresh frame gives
// once the form has read it: the batch's page is the window's.
TEST_F(Fichier_Elements, EntreePageSansFiche) {
    const auto cas = Fichiers_Essai();
    EXPECT_GE(cas.size(), 15u);
    for (const auto& [nom, lignes] : cas) {
        SCOPED_TRACE(nom);
        Banc p(',');
        Creer_Fiche(p.boite);
        try {
            Lire_Lignes_Elements(p.ctx, lignes);
        } catch (const Erreur_Generale&) {
            // the read stopped midway on both sides
        }
        const Lecture_Elements l = Lire_Elements(lignes, Depart_Lecture{p.notation, Elements{}, false, {}});
        Champs_Refuses refuses;
        for (Controle c : l.Refuses) refuses.emplace_back(c, p.boite.Texte(c));
        EXPECT_EQ(Decrire(Lire_Entree_Page(Controles_Apres_Lecture(l), l.el, refuses, ',')),
                  Decrire(Lire_Entree_Page(p.boite, p.el, refuses, ',')));
    }
}

}  // namespace

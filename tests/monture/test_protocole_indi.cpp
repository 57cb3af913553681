#include <gtest/gtest.h>

#include <cmath>

#include "monture/protocole_indi.h"

namespace {

TEST(Protocole_Indi, NombresDecimauxEtSexagesimaux) {
    struct Cas {
        const char* texte;
        double valeur;  // NaN: refused
    };
    const Cas cas[] = {
        {"12.5", 12.5},    {"-0.25", -0.25}, {"1e-3", 0.001},     {"12:30:00", 12.5}, {"-00:30:00", -0.5},
        {"+89:59:60", 90}, {"12 30", 12.5},  {"12;30;36", 12.51}, {" 6:00:00 ", 6},   {"", NAN},
        {"abc", NAN},      {"1:2:3:4", NAN}, {"12:-30", NAN},     {"nan", NAN},       {"1e999", NAN},
    };
    for (const Cas& c : cas) {
        const auto x = Lire_Nombre_Indi(QString::fromUtf8(c.texte));
        if (std::isnan(c.valeur))
            EXPECT_FALSE(x.has_value()) << c.texte;
        else
            EXPECT_NEAR(x.value_or(NAN), c.valeur, 1e-12) << c.texte;
    }
}

const QByteArray Flux =
    R"(<defNumberVector device="Monture &amp; Co" name="EQUATORIAL_EOD_COORD" state="Idle" perm="rw">
  <defNumber name="RA" format="%010.6m">
   18:48:36
  </defNumber>
  <defNumber name="DEC" format="%010.6m">-05:30:00</defNumber>
</defNumberVector>
<message device="Monture &amp; Co" timestamp="2026-12-09T19:00:00" message="Mount is parked."/>
<setNumberVector device="Monture &amp; Co" name="EQUATORIAL_EOD_COORD" state="Busy" message="Slewing">
  <oneNumber name="RA">18.81</oneNumber>
</setNumberVector>
<delProperty device="Monture &amp; Co"/>
)";

// Whatever the cuts between the pieces, the same elements come out.
TEST(Protocole_Indi, FluxLuEnMorceaux) {
    for (const int taille : {1, 2, 7, 64, int(Flux.size())}) {
        Lecteur_Indi lecteur;
        std::vector<Evenement_Indi> e;
        for (int k = 0; k < Flux.size(); k += taille)
            for (const auto& x : lecteur.Lire(Flux.mid(k, taille))) e.push_back(x);
        ASSERT_EQ(e.size(), 4u) << taille;
        EXPECT_TRUE(lecteur.Erreur().isEmpty()) << taille;
        EXPECT_EQ(e[0].genre, Evenement_Indi::Genre::Propriete);
        EXPECT_EQ(e[0].vecteur.appareil, QStringLiteral("Monture & Co"));
        EXPECT_EQ(e[0].vecteur.genre, QStringLiteral("Number"));
        EXPECT_TRUE(e[0].vecteur.definition);
        EXPECT_EQ(e[0].vecteur.etat, Etat_Indi::Repos);
        EXPECT_NEAR(e[0].vecteur.Nombre(QStringLiteral("RA")).value_or(NAN), 18.81, 1e-12) << taille;
        EXPECT_NEAR(e[0].vecteur.Nombre(QStringLiteral("DEC")).value_or(NAN), -5.5, 1e-12) << taille;
        EXPECT_EQ(e[1].genre, Evenement_Indi::Genre::Message);
        EXPECT_EQ(e[1].message, QStringLiteral("Mount is parked."));
        EXPECT_FALSE(e[2].vecteur.definition);
        EXPECT_EQ(e[2].vecteur.etat, Etat_Indi::Occupe);
        EXPECT_EQ(e[2].message, QStringLiteral("Slewing"));
        EXPECT_EQ(e[2].vecteur.valeurs.size(), 1);
        EXPECT_EQ(e[3].genre, Evenement_Indi::Genre::Suppression);
        EXPECT_TRUE(e[3].vecteur.nom.isEmpty());
    }
}

TEST(Protocole_Indi, FluxIllisibleOuDemesure) {
    struct Cas {
        const char* nom;
        QByteArray flux;
        int morceau;  // bytes handed at once; 0: all
        const char* mot;
    };
    const QByteArray mega(3 << 20, 'A');
    const char* illisible = "le serveur envoie un texte qui n'est pas du XML INDI";
    const char* trop_long = "le serveur envoie un élément trop long";
    const Cas cas[] = {
        {"pas du XML", "HTTP/1.1 200 OK\r\n<a b=c>", 0, illisible},
        {"balise fermée de trop", "<setNumberVector device='a' name='b'></setNumberVector></x>", 0,
         illisible},
        {"élément sans fin", "<setBLOBVector device='a' name='b'><oneBLOB name='c'>" + mega, 0, trop_long},
        {"balise ouverte sans fin", "<message device=\"Sim\" message=\"" + mega, 1 << 16, trop_long},
        {"balise ouverte en un morceau", "<message device=\"Sim\" message=\"" + mega, 0, trop_long},
        {"élément entier en un morceau", "<message device='Sim' message='" + mega + "'/>", 0, trop_long},
        {"octet hors UTF-8, coupé", "<message device='a' message='\xc3\xff'/>", 32, illisible},
        {"caractère de contrôle", QByteArray("<message device='a' message='\x00'/>", 33), 0, illisible},
    };
    for (const Cas& c : cas) {
        Lecteur_Indi lecteur;
        const int morceau = c.morceau > 0 ? c.morceau : int(c.flux.size());
        std::size_t evenements = 0;
        for (qsizetype k = 0; k < c.flux.size(); k += morceau)
            evenements += lecteur.Lire(c.flux.mid(k, morceau)).size();
        EXPECT_EQ(evenements, 0u) << c.nom;
        EXPECT_EQ(lecteur.Erreur(), QString::fromUtf8(c.mot)) << c.nom;
        EXPECT_TRUE(lecteur.Lire("<message device='a' message='b'/>").empty()) << c.nom;
    }
}

// A server's words as they may be shown: escaped, and cut.
TEST(Protocole_Indi, TextesDuServeurAffichables) {
    const struct {
        QString texte;
        QString affiche;
    } cas[] = {
        {QStringLiteral("[INFO] Mount is unparked."), QStringLiteral("[INFO] Mount is unparked.")},
        {QStringLiteral("a\tb\r\nc"), QStringLiteral("a\\tb\\r\\nc")},
        {QStringLiteral("\x1b[2Jeffacé\u202e"), QStringLiteral("\\u001b[2Jeffacé\\u202e")},
        {QString(100000, u'x'), QString(Longueur_Texte_Serveur, u'x') + QStringLiteral("…")},
        {QString(Longueur_Texte_Serveur, u'x'), QString(Longueur_Texte_Serveur, u'x')},
    };
    for (const auto& c : cas)
        EXPECT_EQ(Texte_Affichable(c.texte), c.affiche) << c.texte.left(40).toStdString();
}

TEST(Protocole_Indi, MessagesDuClient) {
    EXPECT_EQ(
        Nouveaux_Nombres(QStringLiteral("A&B"), QStringLiteral("EQUATORIAL_EOD_COORD"),
                         {{QStringLiteral("RA"), 18.5}, {QStringLiteral("DEC"), -5.25}}),
        QByteArray(
            "<newNumberVector device=\"A&amp;B\" name=\"EQUATORIAL_EOD_COORD\"><oneNumber name=\"RA\">18.5"
            "</oneNumber><oneNumber name=\"DEC\">-5.25</oneNumber></newNumberVector>\n"));
    EXPECT_EQ(
        Nouveaux_Interrupteurs(QStringLiteral("A"), QStringLiteral("TELESCOPE_TRACK_MODE"),
                               {{QStringLiteral("TRACK_CUSTOM"), true}}),
        QByteArray(
            "<newSwitchVector device=\"A\" name=\"TELESCOPE_TRACK_MODE\"><oneSwitch name=\"TRACK_CUSTOM\">"
            "On</oneSwitch></newSwitchVector>\n"));
    // What is written reads back.
    Lecteur_Indi lecteur;
    const auto e =
        lecteur.Lire(Nouveaux_Textes(QStringLiteral("A"), QStringLiteral("TIME_UTC"),
                                     {{QStringLiteral("UTC"), QStringLiteral("2026-12-09T19:00:00")},
                                      {QStringLiteral("OFFSET"), QStringLiteral("0")}}));
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].vecteur.Texte(QStringLiteral("UTC")).value_or(QString()),
              QStringLiteral("2026-12-09T19:00:00"));
    EXPECT_EQ(e[0].vecteur.Texte(QStringLiteral("OFFSET")).value_or(QString()), QStringLiteral("0"));
}

}  // namespace

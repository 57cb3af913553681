#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "astro/calendrier.h"
#include "document/commandes_document.h"
#include "document/commandes_import.h"
#include "document/fichier_elements.h"
#include "form/dates_juliennes.h"
#include "form/disposition_fiche.h"
#include "plateforme/boite_memoire.h"
#include "support/orbites_exemple.h"

namespace {

using Genre = Boite_Memoire::Genre;
const QString Titre = QStringLiteral("Trajectel - Importer des éléments");

struct Banc {
    QTemporaryDir dossier;
    Boite_Memoire boite;
    Programme p{boite, Notation{',', " "}, QStringLiteral("1.0.0")};

    Banc() {
        Creer_Fiche(boite);
        boite.Ecrire_Texte(Controle::Principale, QStringLiteral("Trajectel"));
    }
    QString Fichier(const char* nom, const QByteArray& contenu) {
        const QString chemin = dossier.filePath(QString::fromUtf8(nom));
        QFile f(chemin);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size());
        return chemin;
    }
    QString Texte(Controle c) const { return boite.Texte(c); }
    QStringList Avertissements() const {
        QStringList t;
        for (const auto& m : boite.Messages())
            if (m.genre == Genre::Avertissement) t << m.titre + u'|' + m.texte;
        return t;
    }
    // A document being edited, to see whether an import replaces it.
    void Document_Modifie() {
        boite.Ecrire_Texte(Controle::Commentaire, QStringLiteral("mon orbite"));
        p.document.Nom_Fichier = QStringLiteral("/obs/mien.elt");
        p.document.Modifie = true;
    }
};

const QByteArray Trois_Cometes = QByteArray::fromStdString(Texte_Trois_Cometes);

// The fields an import fills, as they read after it.
struct Champs {
    const char* commentaire;
    const char* e;
    const char* q;
    const char* i;
    const char* Omega;
    const char* gOmega;
    const char* jour;
    const char* mois;
    const char* an;
};

void Verifier_Champs(const Banc& b, const Champs& c) {
    const std::pair<Controle, const char*> attendus[] = {{Controle::Commentaire, c.commentaire},
                                                         {Controle::saisie_e, c.e},
                                                         {Controle::saisie_q, c.q},
                                                         {Controle::saisie_i, c.i},
                                                         {Controle::saisie_Omega, c.Omega},
                                                         {Controle::saisie_gOmega, c.gOmega},
                                                         {Controle::saisie_Jour_Perihelie, c.jour},
                                                         {Controle::saisie_Mois_Perihelie, c.mois},
                                                         {Controle::saisie_An_Perihelie, c.an},
                                                         {Controle::Saisie_MT, ""},
                                                         {Controle::Saisie_MN, ""}};
    for (const auto& [champ, texte] : attendus)
        EXPECT_EQ(b.Texte(champ).toStdString(), texte) << Nom_Controle(champ);
}

// Import a file of three objects, search for one, choose it: the document
// is that orbit, unnamed and modified, and the file is left as it was.
TEST(Importer_Elements, Choisir_Parmi_Plusieurs) {
    Banc b;
    const QString chemin = b.Fichier("CometEls.txt", Trois_Cometes + "illisible\n");
    b.boite.Prevoir_Dialogue(chemin);
    b.boite.Prevoir_Choix(QStringLiteral("BOPP"), 0);
    Etat_Import etat;
    Importer_Elements(b.p, etat);

    // The dialog writes each pattern after its description: none repeats it.
    ASSERT_EQ(b.boite.Dialogues().size(), 1u);
    const QStringList filtre = b.boite.Dialogues()[0].filtre.split(u'|');
    for (qsizetype k = 0; k < filtre.size(); k += 2)
        EXPECT_FALSE(filtre[k].contains(u'*')) << filtre[k].toStdString();
    ASSERT_EQ(b.boite.Lignes_Choix().size(), 1u);
    EXPECT_EQ(b.boite.Lignes_Choix()[0].Perihelie, QStringLiteral("29,6333/03/1997"));
    Verifier_Champs(b, {"C/1995 O1 (Hale-Bopp)", "0,994928", "0,916241", "88,9908", "130,6448", "283,3593",
                        "29,6333", "3", "1997"});
    EXPECT_EQ(b.Texte(Controle::Equinoxe), QStringLiteral("2000"));
    EXPECT_EQ(b.Texte(Controle::Equinoxe_ephemeride), QStringLiteral("2000"));
    EXPECT_TRUE(b.p.document.Modifie);
    EXPECT_TRUE(b.p.document.Nom_Fichier.isEmpty());
    EXPECT_EQ(b.Texte(Controle::Principale), QStringLiteral("Trajectel"));
    EXPECT_TRUE(b.boite.Actif(Controle::Enregistrer));
    EXPECT_EQ(b.Texte(Controle::StatusBar),
              QStringLiteral("Éléments de C/1995 O1 (Hale-Bopp) importés de CometEls.txt"));
    EXPECT_EQ(b.Avertissements(), QStringList{Titre + QStringLiteral("|Une ligne illisible a été ignorée.")});
    EXPECT_EQ(etat.Dernier_Choix, chemin);
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), Trois_Cometes + "illisible\n");
}

// The minor planet's perihelion comes from its epoch and mean anomaly.
TEST(Importer_Elements, Un_Seul_Objet_Sans_Choix) {
    Banc b;
    Importer_Fichier(b.p, b.Fichier("MPCORB.DAT", QByteArray(Ligne_Ceres) + "\r\n"));
    EXPECT_EQ(b.boite.Choix_Montres(), 0);
    Verifier_Champs(b, {"(1) Ceres", "0,0775571", "2,553005457", "10,58862", "73,73161", "80,28698", "1,997",
                        "5", "2018"});
    EXPECT_NEAR(b.p.el.q, 2.5530054570410097, 1e-12);
    EXPECT_NEAR(b.p.el.JJ_Perihelie, 2458240.49700, 1e-9);
    EXPECT_GT(b.boite.Pas_Progression(), 0);
    EXPECT_FALSE(b.boite.Progression_En_Cours());
    EXPECT_TRUE(b.Avertissements().isEmpty());
}

// The laws and epoch of the line chosen go with the set, marked as read
// from the file; they are saved after the 20 lines and read back; the
// clipboard is a source without a name; New gives back the program's own.
TEST(Importer_Elements, Lois_Et_Epoque_Du_Fichier) {
    Banc b;
    Importer_Fichier(b.p, b.Fichier("encke.txt", QByteArray(Ligne_Encke) + "\n"));
    const Lois_Magnitude& lois = b.p.el.Lois;
    EXPECT_EQ(lois.totale.origine, Origine_Loi::Importee);
    EXPECT_EQ(lois.totale.source, "encke.txt");
    EXPECT_NEAR(lois.totale.Zero, 11.5, 1e-12);
    EXPECT_NEAR(lois.totale.K, 15, 1e-12);
    EXPECT_EQ(lois.noyau.origine, Origine_Loi::Programme);
    EXPECT_NEAR(lois.noyau.K, 5, 1e-12);
    ASSERT_TRUE(b.p.el.Epoque.JJ_Epoque);
    EXPECT_NEAR(*b.p.el.Epoque.JJ_Epoque, Date_Vers_JJ(9, 2023, 1), 1e-9);
    EXPECT_EQ(b.p.el.Epoque.source, "encke.txt");
    EXPECT_TRUE(b.p.document.Modifie);
    EXPECT_TRUE(b.Avertissements().isEmpty());

    Contexte_Document ctx = b.p.Contexte();
    const QStringList lignes = Ecrire_Lignes_Elements(ctx);
    EXPECT_EQ(lignes.mid(Nombre_Lignes_Elements).join(u'\n').toStdString(),
              "Loi de la magnitude totale = comète\n"
              "Magnitude absolue totale = 11,5\n"
              "Coefficient de log r total = 15\n"
              "Coefficient de phase total = 0 mag/°\n"
              "Origine de la loi totale = importée de encke.txt\n"
              "Epoque d'osculation = 2460188,5 JJ TT\n"
              "Origine de l'époque = importée de encke.txt");

    b.boite.Fixer_Presse_Papiers(QString::fromUtf8(Ligne_Ceres));
    b.boite.Prevoir_Reponse(Reponse::Non);
    Coller_Elements(b.p);
    EXPECT_EQ(b.p.el.Lois.totale.origine, Origine_Loi::Programme);
    EXPECT_EQ(b.p.el.Lois.noyau.forme, Forme_Loi::Asteroide);
    EXPECT_EQ(b.p.el.Lois.noyau.origine, Origine_Loi::Importee);
    EXPECT_EQ(b.p.el.Lois.noyau.source, "");

    Lire_Lignes_Elements(ctx, lignes);
    EXPECT_EQ(b.p.el.Lois.totale.source, "encke.txt");
    EXPECT_EQ(b.p.el.Lois.noyau.origine, Origine_Loi::Programme);

    b.p.document.Modifie = false;
    FileNew1Execute(b.p);
    EXPECT_EQ(b.p.el.Lois.totale.origine, Origine_Loi::Programme);
    EXPECT_FALSE(b.p.el.Epoque.JJ_Epoque);
}

// Whatever stops an import before the choice, the document stays as it was.
TEST(Importer_Elements, Echecs_Laissent_Le_Document) {
    struct Cas {
        const char* nom;
        QByteArray contenu;  // empty: no file
        int annuler_au_pas;
        bool choix;  // the chooser answers
        std::optional<Reponse> question;
        const char* message;  // "" for none
    };
    const Cas cas[] = {
        {"fichier absent", {}, 0, false, {}, "Erreur d'ouverture de fichier"},
        {"aucune orbite",
         "Bonjour\n",
         0,
         false,
         {},
         "Ce fichier ne contient aucune orbite dans un format connu."},
        {"distance nulle",
         "C/2020 X1,p,05/02.125/2021,45.6,120.3,0,210.5,2000\n",
         0,
         false,
         {},
         "Ce fichier ne contient aucune orbite utilisable.\nUne orbite dont la distance du périhélie n'est "
         "pas positive a été ignorée."},
        {"orbites absurdes",
         "C/2019 "
         "Q4,h,12/08.5/2019,44.05,308.14,209.12,1e308,2.00,2000\nX,e,5,6,7,2.5,1e-300,0.5,10,1/1/2000,2000\n",
         0,
         false,
         {},
         "Ce fichier ne contient aucune orbite utilisable.\n2 orbites absurdes (excentricité, distance ou "
         "date du périhélie démesurée) ont été ignorées."},
        {"progression annulee", Trois_Cometes, 1, false, {}, ""},
        {"choix annule", Trois_Cometes, 0, false, {}, ""},
        {"enregistrement annule", Trois_Cometes, 0, true, Reponse::Annuler, ""},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Banc b;
        b.Document_Modifie();
        const QString chemin = c.contenu.isEmpty() ? b.dossier.filePath(QStringLiteral("absent"))
                                                   : b.Fichier("f.txt", c.contenu);
        b.boite.Annuler_Progression_Au_Pas(c.annuler_au_pas);
        if (c.choix) b.boite.Prevoir_Choix(QString(), 1);
        if (c.question) b.boite.Prevoir_Reponse(*c.question);
        Importer_Fichier(b.p, chemin);
        EXPECT_EQ(b.Texte(Controle::Commentaire), QStringLiteral("mon orbite"));
        EXPECT_EQ(b.p.document.Nom_Fichier, QStringLiteral("/obs/mien.elt"));
        EXPECT_TRUE(b.p.document.Modifie);
        EXPECT_EQ(b.Avertissements(),
                  *c.message ? QStringList{Titre + u'|' + QString::fromUtf8(c.message)} : QStringList());
    }
}

// A pipe is never read: it would not end.
TEST(Importer_Elements, Fichier_Special_Refuse) {
    Banc b;
    const Fichier_Orbites lu = Lire_Fichier_Orbites(QStringLiteral("/dev/zero"), b.p.notation,
                                                    [](int64_t, int64_t) { return true; });
    EXPECT_EQ(lu.issue, Fichier_Orbites::Issue::Inaccessible);
}

TEST(Coller_Elements, Une_Ligne_Du_Presse_Papiers) {
    const struct {
        const char* nom;
        const char* texte;
        const char* commentaire;  // nullptr: refused
    } cas[] = {
        {"XEphem", "  C/2020 X1,p,05/02.125/2021,45.6,120.3,1.234,210.5,2000\n", "C/2020 X1"},
        {"comete MPC", Ligne_Hale_Bopp, "C/1995 O1 (Hale-Bopp)"},
        {"Horizons", "EC= 0.5 QR= 1.5 TP= 2451545.0\nOM= 10 W= 20 IN= 30", ""},
        {"texte", "Bonjour", nullptr},
        {"vide", "", nullptr},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Banc b;
        b.Document_Modifie();
        b.boite.Fixer_Presse_Papiers(QString::fromUtf8(c.texte));
        b.boite.Prevoir_Reponse(Reponse::Non);
        Coller_Elements(b.p);
        if (!c.commentaire) {
            EXPECT_EQ(b.Texte(Controle::Commentaire), QStringLiteral("mon orbite"));
            EXPECT_EQ(b.Avertissements(),
                      QStringList{Titre + QStringLiteral("|Le texte collé n'est pas une orbite.")});
            continue;
        }
        EXPECT_EQ(b.Texte(Controle::Commentaire).toStdString(), c.commentaire);
        EXPECT_TRUE(b.p.document.Nom_Fichier.isEmpty());
        EXPECT_TRUE(b.p.document.Modifie);
        EXPECT_TRUE(b.Texte(Controle::StatusBar).endsWith(QStringLiteral("collés du presse-papiers")));
    }
}

// A perihelion before Julian day 0 is taken, as the form takes a Julian day: its date
// goes into the fields and its Julian day into the elements.
TEST(Coller_Elements, Perihelie_Avant_Le_Jour_Julien_Zero) {
    Banc b;
    b.boite.Fixer_Presse_Papiers(QStringLiteral("X,e,5,6,7,2.5,0,0.5,0,03/15.25/-5000,2000"));
    Coller_Elements(b.p);
    EXPECT_TRUE(b.Avertissements().isEmpty()) << b.Avertissements().join(u'\n').toStdString();
    Verifier_Champs(b, {"X", "0,5", "1,25", "5", "7", "6", "15,25", "3", "-5000"});
    EXPECT_NEAR(b.p.el.JJ_Perihelie, Date_Vers_JJ(3, -5000, 15.25), 1e-6);
}

// Like opening a file, the reset puts the perihelion back in its calendar
// form; the Julian day of Horizons becomes that date.
TEST(Coller_Elements, Perihelie_Julien_Vers_Calendrier) {
    Banc b;
    JulienneClick(b.p.el, b.boite, b.p.notation);
    b.boite.Fixer_Presse_Papiers(QStringLiteral("EC= 0.5 QR= 1.5 TP= 2451545.25 OM= 10 W= 20 IN= 30"));
    Coller_Elements(b.p);
    EXPECT_FALSE(b.boite.Coche(Controle::Julienne));
    Verifier_Champs(b, {"", "0,5", "1,5", "30", "20", "10", "1,75", "1", "2000"});
    EXPECT_DOUBLE_EQ(b.p.el.JJ_Perihelie, 2451545.25);
}

}  // namespace

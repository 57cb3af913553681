#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <functional>

#include "astro/calendrier.h"
#include "document/commandes_document.h"
#include "document/fichier_elements.h"
#include "document/raison_echec.h"
#include "form/disposition_fiche.h"
#include "form/edition.h"
#include "plateforme/boite_memoire.h"
#include "support/echecs_ecriture.h"
#include "support/fichier_encke.h"

namespace {

using Genre = Boite_Memoire::Genre;

const QString Sans_Nom = QStringLiteral("Voulez-vous enregistrer ce fichier?");
const QString Titre_Enregistrer = QStringLiteral("Trajectel - Enregistrer");
const QString Filtre = QStringLiteral("Fichiers éléments *.elt|*.elt|Tous fichiers *.*|*.*");

// 2P/Encke in the current layout; `moitie` stops the read on line 4.
QByteArray Encke(bool moitie = false) {
    QStringList lignes = Lignes_Encke();
    if (moitie) lignes[3] = QStringLiteral("Distance du périhélie = 1a UA");
    return Encoder_Lignes_Elements(lignes);
}

QByteArray Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

void Ecrire(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size()) << chemin.toStdString();
}

// Whether the file holds the element set saved with this comment.
bool Enregistre_Avec(const QString& chemin, const char* commentaire) {
    return Lire(chemin).startsWith(QByteArray("Trajectel version 1.0.0\r\nObjet : ") + commentaire + "\r\n");
}

// The window's state over the in-memory platform, and a folder for its files.
struct Banc {
    QTemporaryDir dossier;
    Boite_Memoire boite;
    Programme p{boite, Notation{',', " "}, QStringLiteral("1.0.0")};
    Etat_Ouverture ouverture;

    Banc() {
        Creer_Fiche(boite);
        boite.Ecrire_Texte(Controle::Principale, QStringLiteral("Trajectel"));
        Ecrire(Chemin("ordinaire"), "x");  // nothing can be created below it
    }
    QString Chemin(const char* nom) const { return dossier.filePath(QString::fromUtf8(nom)); }
    // A document being edited: its comment, its file (or none), its flag.
    void Document(const char* commentaire, const QString& nom, bool modifie) {
        boite.Ecrire_Texte(Controle::Commentaire, QString::fromUtf8(commentaire));
        p.document.Nom_Fichier = nom;
        p.document.Dernier_Fichier = nom;
        p.document.Modifie = modifie;
    }
    QString Titre() const { return boite.Texte(Controle::Principale); }
    QStringList Textes(std::initializer_list<Genre> genres) const {
        QStringList t;
        for (const auto& m : boite.Messages())
            if (std::find(genres.begin(), genres.end(), m.genre) != genres.end())
                t << (m.titre.isEmpty() ? m.texte : m.titre + u'|' + m.texte);
        return t;
    }
    QStringList Questions() const { return Textes({Genre::Question}); }
    // Warnings and error reports, as "title|text" or the text alone.
    QStringList Messages() const { return Textes({Genre::Avertissement, Genre::Erreur}); }
};

// The warning of a failed save; "%1" in `texte` stands for `dossier`.
QStringList Message_Enregistrer(const char* texte, const QString& dossier) {
    return texte ? QStringList{Titre_Enregistrer + u'|' + QString::fromUtf8(texte).arg(dossier)}
                 : QStringList();
}

TEST(Ajouter_Extension_Elt, Extensions) {
    const std::pair<const char*, const char*> cas[] = {
        {"comete", "comete.elt"},
        {"comete.elt", "comete.elt"},
        {"comete.bak", "comete.elt"},
        {"comete.tmp", "comete.elt"},
        {"comete.txt", "comete.txt.elt"},
        {"COMETE.ELT", "COMETE.ELT.elt"},
        {"/a/b.elt/c", "/a/b.elt/c.elt"},
        {"elt", "elt.elt"},
        {"", ".elt"},
    };
    for (const auto& [nom, attendu] : cas)
        EXPECT_EQ(Ajouter_Extension_Elt(QString::fromUtf8(nom)), QString::fromUtf8(attendu)) << nom;
}

// The extension of the last path component becomes ".bak"; without one,
// ".bak" is appended, so that the backup stays beside its file.
TEST(Nom_Sauvegarde, DerniereComposante) {
    const std::pair<const char*, const char*> cas[] = {
        {"/obs/halley.elt", "/obs/halley.bak"}, {"/tmp/ab", "/tmp/ab.bak"},
        {"/obs.v2/ab", "/obs.v2/ab.bak"},       {"C:\\obs.v2\\ab", "C:\\obs.v2\\ab.bak"},
        {"/obs/a.tar.gz", "/obs/a.tar.bak"},    {"/obs/.elt", "/obs/.bak"},
    };
    for (const auto& [nom, attendu] : cas)
        EXPECT_EQ(Nom_Sauvegarde(QString::fromUtf8(nom)), QString::fromUtf8(attendu)) << nom;
}

TEST(Demander_Enregistrement, Questions) {
    struct Cas {
        const char* nom;
        bool modifie;
        QString Nom_Fichier;
        QString question;  // empty when none is asked
    };
    const QString p36 = QStringLiteral("/home/observateur/comètes/encke2.elt");
    const QString p37 = QStringLiteral("/home/observateur/comètes/encke22.elt");
    const QString p46 = QStringLiteral("/home/observateur/comètes/périodiques/e2ab.elt");
    const QString debut = QStringLiteral("Voulez-vous enregistrer :\r");
    const Cas cas[] = {
        {"sans changement", false, p36, {}},
        {"sans nom", true, {}, Sans_Nom},
        {"36 caractères, entier", true, p36, debut + p36 + QStringLiteral(" ?")},
        {"37 caractères, abrégé", true, p37,
         debut + QStringLiteral("/home/observate ... ètes/encke22.elt ?")},
        {"46 caractères, abrégé", true, p46,
         debut + QStringLiteral("/home/observate ... odiques/e2ab.elt ?")},
    };
    ASSERT_EQ(p36.size(), 36);
    ASSERT_EQ(p46.size(), 46);
    for (const Reponse r : {Reponse::Oui, Reponse::Non, Reponse::Annuler}) {
        for (const Cas& c : cas) {
            Banc b;
            b.Document("x", c.Nom_Fichier, c.modifie);
            b.boite.Prevoir_Reponse(r);
            EXPECT_EQ(Demander_Enregistrement(b.p), c.modifie ? r : Reponse::Non) << c.nom;
            EXPECT_EQ(b.Questions(), c.question.isEmpty() ? QStringList() : QStringList{c.question}) << c.nom;
        }
    }
}

// A real full disk: the save fails, the file already there stays whole.
TEST(Enregistrer_Document, SurUnDisquePlein) {
    QTemporaryDir racine;
    const Disque_Plein disque(racine.path());
    if (!disque.Monte()) GTEST_SKIP() << "pas de système de fichiers de taille limitée ici";
    const QString nom = racine.filePath(QStringLiteral("encke.elt"));
    Ecrire(nom, Encke());
    disque.Remplir();

    Banc b;
    b.Document("un commentaire assez long pour ne plus tenir sur le disque", nom, true);
    EXPECT_FALSE(Enregistrer_Document(b.p));
    EXPECT_EQ(b.Messages(), Message_Enregistrer("Erreur d'écriture du fichier\n%1/encke.elt : disque plein",
                                                racine.path()));
    EXPECT_TRUE(b.p.document.Modifie);
    EXPECT_EQ(Lire(nom), Encke()) << "le fichier déjà sur le disque reste entier";
    EXPECT_EQ(Lire(Nom_Sauvegarde(nom)), "<absent>");
}

// A save that cannot be written names, on the line below its warning, the
// file and the system's reason in French; a reason the program does not
// name is the system's own text.
TEST(Enregistrer_Document, CheminEtRaisonDeLEchec) {
    struct Cas {
        const char* nom;
        QString fichier;                      // in the test's folder
        std::function<bool(Banc&)> preparer;  // false: the machine cannot make this target
        const char* message;                  // "%1" for the path
    };
    const auto dossier = [](const char* nom) {
        return [nom](Banc& b) { return QDir(b.dossier.path()).mkdir(QString::fromUtf8(nom)); };
    };
    const auto rien = [](Banc&) { return true; };
    const Cas cas[] = {
        {"dossier absent", "absent/encke.elt", rien,
         "Erreur d'ouverture du fichier\n%1 : le dossier n'existe pas"},
        {"nom d'un dossier", "d.elt", dossier("d.elt"),
         "Erreur d'ouverture du fichier\n%1 : ce nom est celui d'un dossier"},
        // The file is written without a name first; the name fails when it is given.
        {"nom trop long", QString(300, u'x') + ".elt", rien,
         "Erreur d'écriture du fichier\n%1 : nom de fichier trop long"},
        {"dossier en lecture seule", "ro/encke.elt",
         [](Banc& b) {
             // The superuser writes anywhere.
             return ::geteuid() != 0 && QDir(b.dossier.path()).mkdir("ro") &&
                    ::chmod(QFile::encodeName(b.Chemin("ro")).constData(), 0555) == 0;
         },
         "Erreur d'ouverture du fichier\n%1 : permission refusée"},
    };
    for (const Cas& c : cas) {
        Banc b;
        if (!c.preparer(b)) continue;
        const QString nom = b.dossier.filePath(c.fichier);
        b.Document("deux", nom, true);
        EXPECT_FALSE(Enregistrer_Document(b.p)) << c.nom;
        EXPECT_EQ(b.Messages(), Message_Enregistrer(c.message, nom)) << c.nom;
        EXPECT_TRUE(b.p.document.Modifie) << c.nom;
    }
    const std::pair<int, const char*> raisons[] = {{ENOSPC, "disque plein"},
                                                   {EDQUOT, "quota de disque dépassé"},
                                                   {EROFS, "système de fichiers en lecture seule"},
                                                   {EXDEV, "texte du système"},
                                                   {0, "texte du système"}};
    for (const auto& [code, raison] : raisons)
        EXPECT_EQ(Raison_Echec(code, QStringLiteral("texte du système")), QString::fromUtf8(raison)) << code;
}

// Saving a named document: the previous version becomes the backup unless one
// exists; a save that fails leaves the file and its backup as they were, the
// document modified, and says why.
TEST(Enregistrer_Document, SauvegardeEtEchecs) {
    struct Cas {
        const char* nom;
        const char* fichier;  // the document's name in the folder
        bool fichier_existant;
        bool backup_existant;
        bool limiter;         // the write fails after the creation
        const char* message;  // nullptr when the save succeeds
        bool lien = false;    // the name is a symbolic link to vrai.elt, which stays the file written
    };
    const Cas cas[] = {
        {"premier enregistrement", "encke.elt", true, false, false, nullptr},
        {"backup déjà là", "encke.elt", true, true, false, nullptr},
        {"nom sans extension", "ab", true, false, false, nullptr},
        {"écriture refusée, sans backup", "encke.elt", true, false, true,
         "Erreur d'écriture du fichier\n%1/encke.elt : fichier trop grand"},
        {"écriture refusée, avec backup", "encke.elt", true, true, true,
         "Erreur d'écriture du fichier\n%1/encke.elt : fichier trop grand"},
        {"chemin sous un fichier", "ordinaire/encke.elt", false, false, false,
         "Erreur d'ouverture du fichier\n%1/ordinaire/encke.elt : un élément du chemin n'est pas un dossier"},
        {"par un lien symbolique", "encke.elt", true, false, false, nullptr, true},
    };
    for (const Cas& c : cas) {
        Banc b;
        const QString nom = b.Chemin(c.fichier);
        const QString backup = Nom_Sauvegarde(nom);
        if (c.fichier_existant) Ecrire(c.lien ? b.Chemin("vrai.elt") : nom, "version 1");
        if (c.lien) {
            ASSERT_TRUE(QFile::link(b.Chemin("vrai.elt"), nom));
        }
        if (c.backup_existant) Ecrire(backup, "version 0");
        b.Document("deux", nom, true);
        b.boite.Activer(Controle::Enregistrer, true);
        bool ecrit = false;
        {
            const Limite_Taille limite(c.limiter);
            ecrit = Enregistrer_Document(b.p);
        }
        const bool reussi = c.message == nullptr;
        EXPECT_EQ(ecrit, reussi) << c.nom;
        EXPECT_EQ(b.Messages(), Message_Enregistrer(c.message, b.dossier.path())) << c.nom;
        EXPECT_EQ(Enregistre_Avec(nom, "deux"), reussi) << c.nom;
        EXPECT_EQ(QFileInfo(nom).isSymLink(), c.lien) << c.nom;
        const QByteArray backup_attendu = c.backup_existant ? "version 0" : reussi ? "version 1" : "<absent>";
        EXPECT_EQ(Lire(backup), backup_attendu) << c.nom;
        if (!reussi) {
            EXPECT_EQ(Lire(nom), c.fichier_existant ? "version 1" : "<absent>") << c.nom;
        }
        EXPECT_EQ(b.p.document.Modifie, !reussi) << c.nom;
        EXPECT_EQ(b.boite.Actif(Controle::Enregistrer), !reussi) << c.nom;
        EXPECT_EQ(b.p.document.Nom_Fichier, nom) << c.nom;
        EXPECT_EQ(b.p.historique.Entrees[0], reussi ? nom : QString()) << c.nom;
        EXPECT_EQ(b.Titre(), reussi ? Legende_Principale(nom) : QStringLiteral("Trajectel")) << c.nom;
    }
}

// The save stopped right after its backup step, before the new content takes
// the file's place: the file still holds its version whole, the backup holds
// the one the rule says, and nothing else is left in the folder. (The last
// step, one rename, is all or nothing: Ecrire_Fichier_Entier's tests.)
TEST(Faire_Sauvegarde, ChaqueNomGardeUneVersionEntiere) {
    struct Cas {
        const char* nom;
        bool fichier_existant;
        bool backup_existant;
        bool lien;  // the document's name is a symbolic link to the file
        Regle_Sauvegarde regle;
        const char* backup;  // after the step
    };
    const Cas cas[] = {
        {"premier enregistrement", true, false, false, Regle_Sauvegarde::Garder, "version 1"},
        {"backup gardé", true, true, false, Regle_Sauvegarde::Garder, "version 0"},
        {"backup remplacé", true, true, false, Regle_Sauvegarde::Remplacer, "version 1"},
        {"pas encore de fichier", false, false, false, Regle_Sauvegarde::Garder, "<absent>"},
        {"lien symbolique", true, false, true, Regle_Sauvegarde::Garder, "version 1"},
    };
    for (const Cas& c : cas) {
        Banc b;
        const QString nom = b.Chemin("encke.elt");
        const QString cible = c.lien ? b.Chemin("vrai.elt") : nom;
        if (c.fichier_existant) Ecrire(cible, "version 1");
        if (c.lien) {
            ASSERT_TRUE(QFile::link(cible, nom));
        }
        if (c.backup_existant) Ecrire(Nom_Sauvegarde(nom), "version 0");
        const QStringList avant = QDir(b.dossier.path()).entryList(QDir::Files | QDir::System);

        const bool fait = Faire_Sauvegarde(nom, Nom_Sauvegarde(nom), c.regle);
        EXPECT_EQ(fait, QByteArray(c.backup) == "version 1") << c.nom;
        EXPECT_EQ(Lire(nom), c.fichier_existant ? "version 1" : "<absent>") << c.nom;
        EXPECT_EQ(Lire(Nom_Sauvegarde(nom)), c.backup) << c.nom;
        QStringList attendus = avant;
        if (fait && !c.backup_existant) attendus << QStringLiteral("encke.bak");
        attendus.sort();
        EXPECT_EQ(QDir(b.dossier.path()).entryList(QDir::Files | QDir::System, QDir::Name), attendus)
            << c.nom;
    }
}

// Where no hard link can be made (here the file lies on another file system
// than its name), the backup is a copy, whole, and nothing else is left.
TEST(Faire_Sauvegarde, CopieSansLienPossible) {
    QTemporaryDir racine;
    QTemporaryDir ailleurs;
    const Disque_Plein disque(racine.path());
    if (!disque.Monte()) GTEST_SKIP() << "pas de système de fichiers à monter ici";
    const QString cible = ailleurs.filePath(QStringLiteral("vrai.elt"));
    Ecrire(cible, "version 1");
    const QString nom = racine.filePath(QStringLiteral("encke.elt"));
    ASSERT_TRUE(QFile::link(cible, nom));
    EXPECT_TRUE(Faire_Sauvegarde(nom, Nom_Sauvegarde(nom), Regle_Sauvegarde::Garder));
    EXPECT_EQ(Lire(Nom_Sauvegarde(nom)), "version 1");
    EXPECT_EQ(Lire(nom), "version 1");
    EXPECT_EQ(QDir(racine.path()).entryList(QDir::Files | QDir::System, QDir::Name),
              (QStringList{"encke.bak", "encke.elt"}));
}

// Save As: the name chosen, the overwrite question and its three answers,
// the dialog shown again after No, and the failures that keep the document
// modified under its previous name.
TEST(Enregistrer_Sous, ChoixEcrasementEchecs) {
    struct Cas {
        const char* nom;
        std::vector<const char*> dialogues;  // names answered, nullptr for Cancel
        std::vector<Reponse> reponses;       // to the overwrite question
        bool limiter;
        const char* fichier;  // where the document lands, nullptr when it stays
        const char* message;
    };
    const Cas cas[] = {
        {"nouveau nom sans extension", {"comete"}, {}, false, "comete.elt", nullptr},
        {"nom en .tmp", {"comete.tmp"}, {}, false, "comete.elt", nullptr},
        {"dialogue annulé", {nullptr}, {}, false, nullptr, nullptr},
        {"nom vide", {""}, {}, false, nullptr, nullptr},
        {"existant, Oui", {"existant"}, {Reponse::Oui}, false, "existant.elt", nullptr},
        {"existant, Non puis autre nom",
         {"existant.elt", "autre"},
         {Reponse::Non},
         false,
         "autre.elt",
         nullptr},
        {"existant, Annuler", {"existant.elt"}, {Reponse::Annuler}, false, nullptr, nullptr},
        {"dossier impossible",
         {"ordinaire/b"},
         {},
         false,
         nullptr,
         "Erreur d'ouverture du fichier\n%1/ordinaire/b.elt : un élément du chemin n'est pas un dossier"},
        {"existant, Oui, écriture refusée",
         {"existant"},
         {Reponse::Oui},
         true,
         nullptr,
         "Erreur d'écriture du fichier\n%1/existant.elt : fichier trop grand"},
    };
    for (const Cas& c : cas) {
        Banc b;
        const QString existant = b.Chemin("existant.elt");
        Ecrire(existant, "existant");
        Ecrire(b.Chemin("existant.bak"), "ancien backup");
        for (const char* d : c.dialogues)
            b.boite.Prevoir_Dialogue(d ? std::optional<QString>(*d ? b.Chemin(d) : QString()) : std::nullopt);
        for (Reponse r : c.reponses) b.boite.Prevoir_Reponse(r);
        const QString ancien = b.Chemin("a.elt");
        b.Document("neuf", ancien, true);
        bool enregistre = false;
        {
            const Limite_Taille limite(c.limiter);
            enregistre = Enregistrer_Sous(b.p);
        }
        const QString nom = c.fichier ? b.Chemin(c.fichier) : ancien;
        EXPECT_EQ(enregistre, c.fichier != nullptr) << c.nom;
        EXPECT_EQ(b.p.document.Sauvegarde_Faite, enregistre) << c.nom;
        EXPECT_EQ(b.p.document.Modifie, !enregistre) << c.nom;
        EXPECT_EQ(b.p.document.Nom_Fichier, nom) << c.nom;
        EXPECT_EQ(b.p.historique.Entrees[0], enregistre ? nom : QString()) << c.nom;
        EXPECT_EQ(b.Titre(), enregistre ? Legende_Principale(nom) : QStringLiteral("Trajectel")) << c.nom;
        EXPECT_EQ(b.Messages(), Message_Enregistrer(c.message, b.dossier.path())) << c.nom;
        EXPECT_EQ(b.Questions().size(), c.reponses.size()) << c.nom;
        EXPECT_EQ(b.boite.Dialogues().size(), c.dialogues.size()) << c.nom;
        EXPECT_EQ(enregistre && Enregistre_Avec(nom, "neuf"), enregistre) << c.nom;
        // The file replaced becomes the backup, the older backup gone.
        const bool ecrase = enregistre && nom == existant;
        EXPECT_EQ(Lire(existant).left(9), ecrase ? "Trajectel" : "existant") << c.nom;
        EXPECT_EQ(Lire(b.Chemin("existant.bak")), ecrase ? "existant" : "ancien backup") << c.nom;
    }
}

// The dialog: its title, filter, extension, and the name it proposes.
TEST(Enregistrer_Sous, DialogueEtNomPropose) {
    const std::pair<const char*, const char*> cas[] = {
        {"/obs/halley.elt", "/obs/halley"}, {"/obs/a..elt", "/obs/a"}, {"", ""}, {"elt", ""}};
    for (const auto& [dernier, propose] : cas) {
        Banc b;
        b.p.document.Dernier_Fichier = QString::fromUtf8(dernier);
        EXPECT_FALSE(Enregistrer_Sous(b.p)) << dernier;
        ASSERT_EQ(b.boite.Dialogues().size(), 1u) << dernier;
        const Dialogue_Fichier& d = b.boite.Dialogues()[0];
        EXPECT_EQ(d.nom_initial, QString::fromUtf8(propose)) << dernier;
        EXPECT_EQ(d.titre, Titre_Enregistrer) << dernier;
        EXPECT_EQ(d.filtre, Filtre) << dernier;
        EXPECT_EQ(d.extension, QStringLiteral("elt")) << dernier;
    }
}

// "No" to every overwrite question ends, however long the user insists.
TEST(Enregistrer_Sous, NonSansFin) {
    Banc b;
    Ecrire(b.Chemin("existant.elt"), "existant");
    for (int k = 0; k < 150; ++k) {
        b.boite.Prevoir_Dialogue(b.Chemin("existant.elt"));
        b.boite.Prevoir_Reponse(Reponse::Non);
    }
    EXPECT_FALSE(Enregistrer_Sous(b.p));
    EXPECT_EQ(b.boite.Dialogues().size(), 100u);
    EXPECT_EQ(Lire(b.Chemin("existant.elt")), "existant");
}

// Open: the file read, the one that cannot be opened, the one whose read
// stops on a number, and a cancelled dialog.
TEST(Ouvrir_Document, Lectures) {
    struct Cas {
        const char* nom;
        const char* choisi;       // nullptr cancels the dialog
        const char* commentaire;  // the field after the open
        const char* message;      // the one shown, nullptr for none
    };
    const Cas cas[] = {
        {"Encke", "encke.elt", "2P/Encke", nullptr},
        {"dialogue annulé", nullptr, "", nullptr},
        {"fichier absent", "absent.elt", "", "Trajectel - Ouvrir un fichier|Erreur d'ouverture de fichier"},
        {"lecture arrêtée sur un nombre", "moitie.elt", "2P/Encke",
         "'1a' n'est pas une valeur en virgule flottante correcte"},
        // Neither blocks the window: a pipe without a writer, a device, a folder.
        {"tube", "tube.elt", "", "Trajectel - Ouvrir un fichier|Erreur d'ouverture de fichier"},
        {"périphérique", "zero.elt", "", "Trajectel - Ouvrir un fichier|Erreur d'ouverture de fichier"},
        {"dossier", "dossier.elt", "", "Trajectel - Ouvrir un fichier|Erreur d'ouverture de fichier"},
    };
    for (const Cas& c : cas) {
        Banc b;
        Ecrire(b.Chemin("encke.elt"), Encke());
        Ecrire(b.Chemin("moitie.elt"), Encke(true));
        ASSERT_EQ(mkfifo(QFile::encodeName(b.Chemin("tube.elt")).constData(), 0600), 0);
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), b.Chemin("zero.elt")));
        ASSERT_TRUE(QDir(b.dossier.path()).mkdir(QStringLiteral("dossier.elt")));
        const QString chemin = c.choisi ? b.Chemin(c.choisi) : QString();
        const bool nomme = c.choisi && !c.message;
        b.Document("avant", {}, false);
        b.boite.Prevoir_Dialogue(c.choisi ? std::optional<QString>(chemin) : std::nullopt);
        FileOpen1Execute(b.p, b.ouverture);

        EXPECT_EQ(b.p.document.Nom_Fichier, nomme ? chemin : QString()) << c.nom;
        EXPECT_EQ(b.p.document.Dernier_Fichier, nomme ? chemin : QString()) << c.nom;
        EXPECT_EQ(b.Titre(), nomme ? QStringLiteral("Trajectel - encke.elt") : QStringLiteral("Trajectel"))
            << c.nom;
        EXPECT_EQ(b.boite.Texte(Controle::Commentaire), QString::fromUtf8(c.commentaire)) << c.nom;
        EXPECT_FALSE(b.p.document.Modifie) << c.nom;
        EXPECT_EQ(b.p.historique.Entrees[0], nomme ? chemin : QString()) << c.nom;
        EXPECT_EQ(b.Messages(), c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList())
            << c.nom;
        ASSERT_EQ(b.boite.Dialogues().size(), 1u) << c.nom;
        EXPECT_EQ(b.boite.Dialogues()[0].titre, QStringLiteral("Trajectel - ouvrir un fichier")) << c.nom;
        EXPECT_EQ(b.boite.Dialogues()[0].filtre, Filtre) << c.nom;
    }
}

// A value the form refuses, read from a file, keeps the page hidden until the
// user types a value in its field; New leaves nothing waiting.
TEST(Ouvrir_Document, ValeurRefuseeCacheLaPage) {
    Banc b;
    for (const auto& [champ, texte] : {std::pair{Controle::saisie_Jour, "1"},
                                       {Controle::saisie_Mois, "10"},
                                       {Controle::saisie_An, "2023"}})
        b.boite.Ecrire_Texte(champ, QString::fromUtf8(texte));
    const QString chemin = b.Chemin("encke.elt");
    Ecrire(chemin, Encke().replace("Inclinaison = 11,78", "Inclinaison = -1e308"));
    b.boite.Prevoir_Dialogue(chemin);
    FileOpen1Execute(b.p, b.ouverture);
    EXPECT_EQ(b.Messages(),
              QStringList{"Trajectel - Lecture d'un fichier|Erreur de lecture du fichier\nligne 5 : "
                          "« -1e308 » n'est pas une valeur acceptée"});
    EXPECT_EQ(b.boite.Texte(Controle::saisie_i), QString());
    EXPECT_FALSE(b.p.page.Page_Valide);

    Contexte_Formulaire formulaire = b.p.Formulaire();
    Rafraichir(b.p.Page());
    EXPECT_FALSE(b.p.page.Page_Valide) << "une autre mise à jour ne la montre pas";
    Donner_Focus(formulaire, Controle::saisie_i);
    b.boite.Ecrire_Texte(Controle::saisie_i, QStringLiteral("11,78"));
    Donner_Focus(formulaire, Controle::saisie_q);
    EXPECT_TRUE(b.p.page.Page_Valide) << "l'inclinaison tapée la montre";

    Ecrire(chemin, Encke().replace("Inclinaison = 11,78", "Inclinaison = 360"));
    b.boite.Prevoir_Dialogue(chemin);
    b.boite.Prevoir_Reponse(Reponse::Non);
    FileOpen1Execute(b.p, b.ouverture);
    EXPECT_FALSE(b.p.page.Page_Valide);
    FileNew1Execute(b.p);
    EXPECT_TRUE(b.p.page.Champs_A_Corriger.empty());
}

// A half-read document is unnamed: Save asks for a name instead of
// overwriting the file it came from. The open dialog remembers its choice.
TEST(Ouvrir_Document, DemiLuNeSEcrasePas) {
    Banc b;
    const QString chemin = b.Chemin("moitie.elt");
    Ecrire(chemin, Encke(true));
    b.boite.Prevoir_Dialogue(chemin);
    FileOpen1Execute(b.p, b.ouverture);
    FileSave1Execute(b.p);
    b.boite.Prevoir_Reponse(Reponse::Non);  // the comment read counts as a change
    FileOpen1Execute(b.p, b.ouverture);
    ASSERT_EQ(b.boite.Dialogues().size(), 3u);
    EXPECT_EQ(b.boite.Dialogues()[1].titre, Titre_Enregistrer);
    EXPECT_EQ(b.boite.Dialogues()[2].nom_initial, chemin);
    EXPECT_EQ(Lire(chemin), Encke(true));
}

// Whatever replaces the document (New, Open, a recent file) first leaves the
// field being edited, then offers to save, and goes on only when the user
// does not cancel and the save, if asked for, took place.
TEST(Preparer_Remplacement, AvantNouveauOuvrirHistorique) {
    const std::pair<const char*, std::function<void(Banc&)>> commandes[] = {
        {"Nouveau", [](Banc& b) { FileNew1Execute(b.p); }},
        {"Ouvrir", [](Banc& b) { FileOpen1Execute(b.p, b.ouverture); }},
        {"Historique", [](Banc& b) { Choisir_Historique(b.p, 1); }},
    };
    enum class Changement { Aucun, Fait, Tape };  // Tape: typed into saisie_i, not yet taken
    struct Cas {
        const char* nom;
        Changement changement;
        const char* document;  // "" for an unnamed one
        std::optional<Reponse> reponse;
        std::optional<const char*> dialogue;  // the save dialog's answer, for an unnamed document
        bool remplace;
    };
    const Cas cas[] = {
        {"sans changement", Changement::Aucun, "doc.elt", {}, {}, true},
        {"Non", Changement::Fait, "doc.elt", Reponse::Non, {}, true},
        {"Annuler", Changement::Fait, "doc.elt", Reponse::Annuler, {}, false},
        {"Oui, nommé", Changement::Fait, "doc.elt", Reponse::Oui, {}, true},
        {"Oui, nommé, échec", Changement::Fait, "ordinaire/doc.elt", Reponse::Oui, {}, false},
        {"Oui, sans nom, dialogue annulé", Changement::Fait, "", Reponse::Oui, nullptr, false},
        {"Oui, sans nom, enregistré", Changement::Fait, "", Reponse::Oui, "doc.elt", true},
        {"champ tapé, quitté d'abord", Changement::Tape, "", Reponse::Annuler, {}, false},
    };
    for (const auto& [commande, executer] : commandes) {
        for (const Cas& c : cas) {
            Banc b;
            const QString encke = b.Chemin("encke.elt");
            Ecrire(encke, Encke());
            b.p.historique.Entrees[0] = encke;
            const QString nom = *c.document ? b.Chemin(c.document) : QString();
            b.Document("en cours", nom, c.changement == Changement::Fait);
            if (c.changement == Changement::Tape) {
                Contexte_Formulaire formulaire = b.p.Formulaire();
                Donner_Focus(formulaire, Controle::saisie_i);
                b.boite.Ecrire_Texte(Controle::saisie_i, QStringLiteral("12,5"));
            }
            if (c.reponse) b.boite.Prevoir_Reponse(*c.reponse);
            if (c.dialogue)
                b.boite.Prevoir_Dialogue(*c.dialogue ? std::optional(b.Chemin(*c.dialogue)) : std::nullopt);
            b.boite.Prevoir_Dialogue(encke);  // for Open
            executer(b);

            const std::string cas_nom = std::string(commande) + ", " + c.nom;
            EXPECT_EQ(b.Questions().size(), c.reponse ? 1 : 0) << cas_nom;
            EXPECT_EQ(b.boite.Texte(Controle::Commentaire) == QStringLiteral("en cours"), !c.remplace)
                << cas_nom;
            EXPECT_EQ(b.p.document.Modifie, !c.remplace) << cas_nom;
            const bool enregistre = c.reponse == Reponse::Oui && c.remplace;
            EXPECT_EQ(Enregistre_Avec(b.Chemin("doc.elt"), "en cours"), enregistre) << cas_nom;
            if (!c.remplace) {
                EXPECT_EQ(b.p.document.Nom_Fichier, nom) << cas_nom;
            }
        }
    }
}

// A recent file: opened and put first; missing or become a pipe, it leaves
// the list; read half-way, it stays there but the document is unnamed.
TEST(Choisir_Historique, OuvertureDUneEntree) {
    enum class Fichier { Aucun, Entier, Moitie, Tube };
    struct Cas {
        const char* nom;
        int k;
        Fichier fichier;
        std::array<const char*, 4> apres;
    };
    const Cas cas[] = {
        {"troisième entrée", 3, Fichier::Entier, {"c", "a", "b", "d"}},
        {"première entrée", 1, Fichier::Entier, {"a", "b", "c", "d"}},
        {"absente", 2, Fichier::Aucun, {"a", "c", "d", ""}},
        {"devenue un tube", 2, Fichier::Tube, {"a", "c", "d", ""}},
        {"lue à moitié", 2, Fichier::Moitie, {"a", "b", "c", "d"}},
        {"rang hors liste", 11, Fichier::Aucun, {"a", "b", "c", "d"}},
    };
    for (const Cas& c : cas) {
        Banc b;
        const char* noms[] = {"a", "b", "c", "d"};
        for (int k = 0; k < 4; ++k) b.p.historique.Entrees[k] = b.Chemin(noms[k]);
        const QString chemin = c.k <= 4 ? b.Chemin(noms[c.k - 1]) : QString();
        if (c.fichier == Fichier::Entier || c.fichier == Fichier::Moitie)
            Ecrire(chemin, Encke(c.fichier == Fichier::Moitie));
        if (c.fichier == Fichier::Tube) {
            ASSERT_EQ(mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
        }
        Choisir_Historique(b.p, c.k);

        const bool nomme = c.fichier == Fichier::Entier;
        EXPECT_EQ(b.p.document.Nom_Fichier, nomme ? chemin : QString()) << c.nom;
        EXPECT_EQ(b.Titre(), nomme ? Legende_Principale(chemin) : QStringLiteral("Trajectel")) << c.nom;
        for (int k = 0; k < 4; ++k) {
            const QString attendu = *c.apres[k] ? b.Chemin(c.apres[k]) : QString();
            const auto article = static_cast<Controle>(static_cast<int>(Controle::Historique1) + k);
            EXPECT_EQ(b.p.historique.Entrees[k], attendu) << c.nom << ", entrée " << k + 1;
            EXPECT_EQ(b.boite.Visible(article), !attendu.isEmpty()) << c.nom << ", article " << k + 1;
        }
    }
}

// Saving the document for the prompt puts it first in the list: the file
// opened is still the one whose item was chosen.
TEST(Choisir_Historique, ApresUnEnregistrement) {
    Banc b;
    const QString encke = b.Chemin("encke.elt");
    Ecrire(encke, Encke());
    b.p.historique.Entrees[0] = b.Chemin("a.elt");
    b.p.historique.Entrees[1] = encke;
    b.Document("en cours", b.Chemin("doc.elt"), true);
    b.boite.Prevoir_Reponse(Reponse::Oui);
    Choisir_Historique(b.p, 2);
    EXPECT_EQ(b.p.document.Nom_Fichier, encke);
    EXPECT_EQ(b.boite.Texte(Controle::Commentaire), QStringLiteral("2P/Encke"));
    const QString apres[] = {encke, b.Chemin("doc.elt"), b.Chemin("a.elt")};
    for (int k = 0; k < 3; ++k) EXPECT_EQ(b.p.historique.Entrees[k], apres[k]) << k + 1;
}

}  // namespace

namespace {

// A perihelion day with more decimals than the field takes when typed is
// read whole, the perihelion is computed from all of it, and a save writes
// it back unchanged.
TEST(Enregistrer_Document, JourDuPerihelieEntier) {
    Banc b;
    QByteArray contenu = Encke();
    contenu.replace("= 22,5\r\n", "= 28,545123\r\n");
    const QString nom = b.Chemin("encke.elt");
    Ecrire(nom, contenu);
    b.p.document.Nom_Fichier = nom;
    ASSERT_TRUE(Charger_Document(b.p));
    EXPECT_TRUE(b.Messages().isEmpty());
    EXPECT_EQ(b.boite.Texte(Controle::saisie_Jour_Perihelie), QStringLiteral("28,545123"));
    EXPECT_NEAR(b.p.el.Jour_Perihelie, 28.545123, 1e-12);
    EXPECT_NEAR(b.p.el.JJ_Perihelie, Date_Vers_JJ(10, 2023, 28.545123), 1e-9);
    ASSERT_TRUE(Enregistrer_Document(b.p));
    EXPECT_TRUE(Lire(nom).contains("\r\nJour du p\xE9rih\xE9lie = 28,545123\r\n"));
}

}  // namespace

// The catalogues updated against a local HTTP server: the first download, an
// unchanged file (a conditional request answered 304, the copy untouched), a
// changed one, a gzip catalogue, and every failure keeping the copy.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>

#include "batch/catalogues_batch.h"
#include "batch/ephemeride.h"
#include "batch/options_batch.h"
#include "catalogues/actualisation.h"
#include "serveur_http_essai.h"

namespace {

using C = Ressource_Essai::Conduite;

QByteArray Donnee(const char* nom) {
    QFile f(QStringLiteral(TRAJECTEL_DONNEES_ESSAI "/catalogues/") + QString::fromUtf8(nom));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

QByteArray Contenu(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

const QByteArray Date_V1 = "Thu, 10 Dec 2026 07:31:00 GMT";
const QByteArray Date_V2 = "Fri, 11 Dec 2026 07:29:00 GMT";
const QDateTime Premier_Matin(QDate(2026, 12, 10), QTime(8, 0), Qt::UTC);

struct Sortie_Batch {
    int statut = -1;
    QString sortie;
    QString erreurs;
};

class Catalogues_Reseau : public ::testing::Test {
protected:
    void SetUp() override {
        Assurer_Application_Essai();
        avant_donnees_ = qgetenv("XDG_DATA_HOME");
        avant_config_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_DATA_HOME", racine_.filePath(QStringLiteral("donnees")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", racine_.filePath(QStringLiteral("config")).toLocal8Bit());
        // The tests reach only their own server.
        qunsetenv("http_proxy");
        qunsetenv("https_proxy");
        env_ = Environnement_Utilisateur();
        // Long enough for a busy machine; the silent server's case shortens it.
        env_.delai_silence = 10000;
        env_.horloge = [this] { return maintenant_; };
        serveur_.Servir("/CometEls.txt", {Donnee("CometEls.txt"), 200, "\"v1\"", Date_V1});
        serveur_.Servir("/MPCORB.DAT.gz",
                        {Donnee("MPCORB.DAT.gz"), 200, "\"g1\"", Date_V1, "application/x-gzip"});
    }
    void TearDown() override {
        qputenv("XDG_DATA_HOME", avant_donnees_);
        qputenv("XDG_CONFIG_HOME", avant_config_);
    }

    Sortie_Batch Actualiser(const QString& nom, const QString& adresse) {
        Sortie_Batch r;
        QTextStream sortie(&r.sortie);
        QTextStream erreurs(&r.erreurs);
        r.statut = Actualiser_En_Batch({nom}, adresse, env_, sortie, erreurs);
        sortie.flush();
        erreurs.flush();
        return r;
    }
    Sortie_Batch Executer(const QStringList& arguments) {
        Sortie_Batch r;
        QTextStream sortie(&r.sortie);
        QTextStream erreurs(&r.erreurs);
        r.statut = Executer_Ephemeride(arguments, sortie, erreurs, QDate(2026, 12, 10));
        sortie.flush();
        erreurs.flush();
        return r;
    }
    QString Copie(const char* nom) const { return env_.dossier_copies + QString::fromUtf8(nom); }
    // Nothing but the copies, their records and the lock: no half-written file left behind.
    QStringList Fichiers() const {
        return QDir(env_.dossier_copies).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir racine_;
    QByteArray avant_donnees_, avant_config_;
    Environnement_Catalogues env_;
    QDateTime maintenant_ = Premier_Matin;
    Serveur_Http_Essai serveur_;
};

TEST_F(Catalogues_Reseau, PremierTelechargementPuisInchangePuisChange) {
    const Sortie_Batch premier = Actualiser(QStringLiteral("cometes"), serveur_.Adresse("/CometEls.txt"));
    EXPECT_EQ(premier.statut, Succes) << premier.erreurs.toStdString();
    EXPECT_EQ(premier.sortie, QStringLiteral("cometes : 2 objets, mis à jour\n"));
    EXPECT_EQ(Contenu(Copie("CometEls.txt")), Donnee("CometEls.txt"));
    ASSERT_EQ(serveur_.Requetes().size(), 1u);
    EXPECT_FALSE(serveur_.Requetes()[0].entetes.contains("if-none-match"))
        << serveur_.Journal().toStdString();
    EXPECT_FALSE(serveur_.Requetes()[0].entetes.contains("if-modified-since"));
    // The MPC's addresses are written for the user to find, the mirror given once is not.
    EXPECT_TRUE(Contenu(env_.dossier_configuration + Nom_Fichier_Catalogues)
                    .contains("cometes=https://www.minorplanetcenter.net/iau/MPCORB/CometEls.txt\n"));

    const QDateTime avant = QFileInfo(Copie("CometEls.txt")).lastModified();
    maintenant_ = maintenant_.addSecs(3600);
    const Sortie_Batch inchange = Actualiser(QStringLiteral("cometes"), serveur_.Adresse("/CometEls.txt"));
    EXPECT_EQ(inchange.statut, Succes);
    EXPECT_EQ(inchange.sortie, QStringLiteral("cometes : inchangé depuis le 10/12/2026 07:31 TU\n"));
    ASSERT_EQ(serveur_.Requetes().size(), 2u);
    EXPECT_EQ(serveur_.Requetes()[1].entetes.value("if-none-match"), "\"v1\"")
        << serveur_.Journal().toStdString();
    EXPECT_EQ(serveur_.Requetes()[1].entetes.value("if-modified-since"), Date_V1);
    EXPECT_EQ(Contenu(Copie("CometEls.txt")), Donnee("CometEls.txt"));
    EXPECT_EQ(QFileInfo(Copie("CometEls.txt")).lastModified(), avant);
    const std::optional<Copie_Locale> verifiee =
        Trouver_Copie(QStringLiteral("cometes"), env_.dossier_copies);
    ASSERT_TRUE(verifiee);
    EXPECT_EQ(verifiee->releve.Telechargement, Premier_Matin);
    EXPECT_EQ(verifiee->releve.Verification, maintenant_);
    EXPECT_EQ(verifiee->releve.Objets, 2);

    serveur_.Servir("/CometEls.txt", {Donnee("CometEls_nouveau.txt"), 200, "\"v2\"", Date_V2});
    maintenant_ = maintenant_.addDays(1);
    const Sortie_Batch change = Actualiser(QStringLiteral("cometes"), serveur_.Adresse("/CometEls.txt"));
    EXPECT_EQ(change.statut, Succes);
    EXPECT_EQ(change.sortie, QStringLiteral("cometes : 3 objets, mis à jour\n"));
    EXPECT_EQ(Contenu(Copie("CometEls.txt")), Donnee("CometEls_nouveau.txt"));
    const std::optional<Copie_Locale> changee = Trouver_Copie(QStringLiteral("cometes"), env_.dossier_copies);
    ASSERT_TRUE(changee);
    EXPECT_EQ(changee->releve.ETag, QStringLiteral("\"v2\""));
    EXPECT_EQ(changee->releve.Last_Modified, QString::fromUtf8(Date_V2));
    EXPECT_EQ(changee->releve.Adresse, serveur_.Adresse("/CometEls.txt"));
    EXPECT_EQ(Fichiers(), (QStringList{"CometEls.txt", "cometes.releve"}));
}

TEST_F(Catalogues_Reseau, CatalogueGzipDepaquete) {
    const Sortie_Batch r =
        Actualiser(QStringLiteral("planetes-mineures"), serveur_.Adresse("/MPCORB.DAT.gz"));
    EXPECT_EQ(r.statut, Succes) << r.erreurs.toStdString();
    EXPECT_EQ(r.sortie, QStringLiteral("planetes-mineures : 3 objets, mis à jour\n"));
    EXPECT_EQ(Contenu(Copie("MPCORB.DAT")), Donnee("MPCORB.DAT"));
}

// Every way a download can fail: the copy stays byte for byte, with its record.
struct Cas_Echec {
    const char* nom;
    const char* catalogue;
    const char* chemin;  // on the server; empty for `adresse`
    Ressource_Essai ressource;
    const char* raison;
};

QByteArray Gzip_Tronque() { return Donnee("MPCORB.DAT.gz").left(Donnee("MPCORB.DAT.gz").size() - 30); }
QByteArray Gzip_Corrompu() {
    QByteArray g = Donnee("MPCORB.DAT.gz");
    for (qsizetype k = 40; k < 60; ++k) g[k] = static_cast<char>(g[k] ^ 0x5A);
    return g;
}

TEST_F(Catalogues_Reseau, ChaqueEchecGardeLaCopie) {
    const Cas_Echec cas[] = {
        {"404",
         "cometes",
         "/absent.txt",
         {"introuvable", 404},
         "fichier introuvable sur le serveur (HTTP 404)"},
        {"500", "cometes", "/panne.txt", {"panne", 500}, "erreur du serveur (HTTP 500)"},
        {"boucle",
         "cometes",
         "/boucle.txt",
         {{}, 200, {}, {}, "text/plain", C::Boucle},
         "trop de redirections (une boucle ?)"},
        {"page HTML",
         "cometes",
         "/page.txt",
         {Donnee("page.html"), 200, {}, {}, "text/html"},
         "le serveur a envoyé une page web au lieu du catalogue"},
        {"vide", "cometes", "/vide.txt", {{}, 200}, "le serveur a envoyé un fichier vide"},
        {"coupé",
         "cometes",
         "/coupe.txt",
         {Donnee("CometEls_nouveau.txt"), 200, {}, {}, "text/plain", C::Coupee},
         "transfert interrompu : 253 octets reçus sur 507 annoncés"},
        {"autre format",
         "cometes",
         "/autre.txt",
         {Donnee("autre_format.edb"), 200},
         "le fichier reçu n'est pas au format attendu"},
        {"petites planètes pour des comètes",
         "cometes",
         "/nea.txt",
         {Donnee("NEA.txt"), 200},
         "le fichier reçu n'est pas au format attendu"},
        {"muet",
         "cometes",
         "/muet.txt",
         {{}, 200, {}, {}, "text/plain", C::Muette},
         "le serveur n'envoie plus rien depuis 1 s"},
        {"gzip tronqué",
         "planetes-mineures",
         "/tronque.gz",
         {Gzip_Tronque(), 200},
         "fichier gzip tronqué ou corrompu"},
        {"gzip corrompu",
         "planetes-mineures",
         "/corrompu.gz",
         {Gzip_Corrompu(), 200},
         "fichier gzip tronqué ou corrompu"},
        {"texte pour un gzip",
         "planetes-mineures",
         "/clair.gz",
         {Donnee("MPCORB.DAT"), 200},
         "fichier gzip tronqué ou corrompu"},
    };
    ASSERT_EQ(Actualiser(QStringLiteral("cometes"), serveur_.Adresse("/CometEls.txt")).statut, Succes);
    ASSERT_EQ(Actualiser(QStringLiteral("planetes-mineures"), serveur_.Adresse("/MPCORB.DAT.gz")).statut,
              Succes);
    const QStringList fichiers = Fichiers();
    maintenant_ = maintenant_.addDays(1);
    for (const Cas_Echec& c : cas) {
        const Source_Catalogue& source = *Trouver_Source(QString::fromUtf8(c.catalogue));
        const QByteArray copie = Contenu(Chemin_Copie(env_.dossier_copies, source));
        const QByteArray releve = Contenu(Chemin_Releve(env_.dossier_copies, source));
        serveur_.Servir(c.chemin, c.ressource);
        env_.delai_silence = c.ressource.conduite == C::Muette ? 1000 : 10000;
        const Sortie_Batch r = Actualiser(source.Nom, serveur_.Adresse(QString::fromUtf8(c.chemin)));
        EXPECT_EQ(r.statut, Catalogue_Non_Actualise) << c.nom;
        EXPECT_EQ(r.sortie,
                  source.Nom + QStringLiteral(" : non mis à jour (%1) ; copie du 10/12/2026 gardée\n")
                                   .arg(QString::fromUtf8(c.raison)))
            << c.nom;
        EXPECT_EQ(Contenu(Chemin_Copie(env_.dossier_copies, source)), copie) << c.nom;
        EXPECT_EQ(Contenu(Chemin_Releve(env_.dossier_copies, source)), releve) << c.nom;
        EXPECT_EQ(Fichiers(), fichiers) << c.nom;
    }
}

// Failures before any byte: no server, no TLS, and another update under way.
TEST_F(Catalogues_Reseau, ConnexionImpossibleOuVerrouGardeLaCopie) {
    ASSERT_EQ(Actualiser(QStringLiteral("cometes"), serveur_.Adresse("/CometEls.txt")).statut, Succes);
    const QByteArray copie = Contenu(Copie("CometEls.txt"));
    quint16 port_libre = 0;
    {
        QTcpServer ferme;
        ASSERT_TRUE(ferme.listen(QHostAddress::LocalHost, 0));
        port_libre = ferme.serverPort();
    }
    struct Cas {
        const char* nom;
        QString adresse;
        QString raison;
    };
    const Cas cas[] = {
        {"refusée", QStringLiteral("http://127.0.0.1:%1/CometEls.txt").arg(port_libre),
         QStringLiteral("connexion refusée par 127.0.0.1")},
        {"TLS", QStringLiteral("https://127.0.0.1:%1/CometEls.txt").arg(serveur_.Port()),
         QStringLiteral("échec de la connexion sécurisée (TLS) avec 127.0.0.1")},
    };
    for (const Cas& c : cas) {
        const Sortie_Batch r = Actualiser(QStringLiteral("cometes"), c.adresse);
        EXPECT_EQ(r.statut, Catalogue_Non_Actualise) << c.nom;
        EXPECT_EQ(
            r.sortie,
            QStringLiteral("cometes : non mis à jour (%1) ; copie du 10/12/2026 gardée\n").arg(c.raison))
            << c.nom;
        EXPECT_EQ(Contenu(Copie("CometEls.txt")), copie) << c.nom;
    }
    // A second update while the first holds the folder is refused, and says so.
    const Verrou_Catalogues premier = Verrouiller_Catalogues(env_.dossier_copies);
    ASSERT_TRUE(premier.verrou) << premier.raison.toStdString();
    const std::size_t requetes = serveur_.Requetes().size();
    const Sortie_Batch second = Actualiser(QStringLiteral("cometes"), serveur_.Adresse("/CometEls.txt"));
    EXPECT_EQ(second.statut, Catalogue_Non_Actualise);
    EXPECT_EQ(second.sortie,
              QStringLiteral("cometes : non mis à jour (une autre mise à jour des catalogues est "
                             "en cours) ; copie du 10/12/2026 gardée\n"));
    EXPECT_EQ(serveur_.Requetes().size(), requetes);
    EXPECT_EQ(Contenu(Copie("CometEls.txt")), copie);
}

// The batch program itself on a disk that fills up while the copy is written.
TEST_F(Catalogues_Reseau, DisquePleinGardeLaCopie) {
    ASSERT_EQ(Actualiser(QStringLiteral("cometes"), serveur_.Adresse("/CometEls.txt")).statut, Succes);
    const QByteArray copie = Contenu(Copie("CometEls.txt"));
    QByteArray grand;
    while (grand.size() < 200 * 1024) grand += Donnee("CometEls_nouveau.txt");
    serveur_.Servir("/grand.txt", {grand, 200, "\"v3\"", Date_V2});
    QProcess programme;
    // A limit on the size of the files this process writes stands for a full disk.
    programme.start(QStringLiteral("sh"),
                    {QStringLiteral("-c"), QStringLiteral("trap '' XFSZ; ulimit -f 64; exec \"$0\" \"$@\""),
                     QStringLiteral(TRAJECTEL_EPHEMERIDE), QStringLiteral("--actualiser"),
                     QStringLiteral("cometes"), QStringLiteral("--url"), serveur_.Adresse("/grand.txt")});
    ASSERT_TRUE(Attendre([&] { return programme.state() == QProcess::NotRunning; }, 20000));
    const QString sortie = QString::fromUtf8(programme.readAllStandardOutput());
    EXPECT_EQ(programme.exitCode(), Catalogue_Non_Actualise)
        << programme.readAllStandardError().toStdString();
    EXPECT_TRUE(
        sortie.startsWith(QStringLiteral("cometes : non mis à jour (impossible d'écrire la copie locale (")))
        << sortie.toStdString();
    EXPECT_TRUE(sortie.endsWith(QStringLiteral(") ; copie du 10/12/2026 gardée\n"))) << sortie.toStdString();
    EXPECT_EQ(Contenu(Copie("CometEls.txt")), copie);
    EXPECT_EQ(Fichiers(), (QStringList{"CometEls.txt", "cometes.releve"}));
}

// The whole batch: update, list the copies, then read one as --importer reads a file.
TEST_F(Catalogues_Reseau, BatchActualiseListeEtLitLaCopie) {
    const Sortie_Batch rien = Executer({QStringLiteral("--catalogues")});
    EXPECT_EQ(rien.statut, Succes);
    EXPECT_TRUE(rien.sortie.isEmpty());
    EXPECT_EQ(rien.erreurs,
              QString::fromUtf8("trajectel-ephemeride : aucune copie locale des catalogues ; "
                                "« trajectel-ephemeride --actualiser NOM » en télécharge une\n"));
    const Sortie_Batch maj = Executer({QStringLiteral("--actualiser"), QStringLiteral("cometes"),
                                       QStringLiteral("--url"), serveur_.Adresse("/CometEls.txt")});
    EXPECT_EQ(maj.statut, Succes) << maj.erreurs.toStdString();
    EXPECT_EQ(maj.sortie, QStringLiteral("cometes : 2 objets, mis à jour\n"));
    const Sortie_Batch liste = Executer({QStringLiteral("--catalogues")});
    EXPECT_EQ(liste.statut, Succes);
    const QString date = Texte_Date_Heure(Trouver_Copie(QStringLiteral("cometes"))->releve.Telechargement);
    EXPECT_EQ(liste.sortie,
              QStringLiteral("cometes\t2\t%1 TU\t%2\n").arg(date, serveur_.Adresse("/CometEls.txt")));
    const Sortie_Batch par_catalogue =
        Executer({QStringLiteral("--catalogue"), QStringLiteral("cometes"), QStringLiteral("--lister")});
    const Sortie_Batch par_fichier =
        Executer({QStringLiteral("--importer"), Copie("CometEls.txt"), QStringLiteral("--lister")});
    EXPECT_EQ(par_catalogue.statut, Succes);
    EXPECT_EQ(par_catalogue.sortie, par_fichier.sortie);
    EXPECT_TRUE(par_catalogue.sortie.contains(QStringLiteral("Hale-Bopp")))
        << par_catalogue.sortie.toStdString();
    const Sortie_Batch absent = Executer({QStringLiteral("--catalogue"), QStringLiteral("lointains"),
                                          QStringLiteral("--objet"), QStringLiteral("Sedna")});
    EXPECT_EQ(absent.statut, Fichier_Illisible);
    EXPECT_EQ(absent.erreurs,
              QStringLiteral("trajectel-ephemeride : pas de copie locale du catalogue lointains ; "
                             "« trajectel-ephemeride --actualiser lointains » la télécharge\n"));
    const Sortie_Batch introuvable = Executer({QStringLiteral("--actualiser"), QStringLiteral("cometes"),
                                               QStringLiteral("--url"), serveur_.Adresse("/absent.txt")});
    EXPECT_EQ(introuvable.statut, Catalogue_Non_Actualise);
}

}  // namespace

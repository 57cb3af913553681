#include "catalogues/sources_catalogues.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QUrl>

namespace {

const QString En_Tete = QStringLiteral(
    "; Adresses des catalogues publiés que Trajectel télécharge. Une adresse miroir\n"
    "; (http ou https) peut remplacer celle du Minor Planet Center.");
const QString Ligne_Illisible = QStringLiteral("ligne illisible dans %1 : %2");
const QString Nom_Inconnu = QStringLiteral("catalogue inconnu dans %1 : %2");
const QString Adresse_Refusee = QStringLiteral("adresse refusée dans %1 pour %2 (%3)");

// A settings file of a few lines: anything longer is not ours.
constexpr qint64 Taille_Max_Fichier = 64 * 1024;  // bytes
constexpr int Lignes_Max = 100;

}  // namespace

const std::vector<Source_Catalogue>& Sources_Catalogues() {
    static const std::vector<Source_Catalogue> sources = {
        {QStringLiteral("cometes"), QStringLiteral("CometEls.txt"), QStringLiteral("CometEls.txt"),
         QStringLiteral("Comètes (MPC)"), Forme_Ligne::Comete_MPC, false},
        {QStringLiteral("planetes-mineures"), QStringLiteral("MPCORB.DAT.gz"), QStringLiteral("MPCORB.DAT"),
         QStringLiteral("Petites planètes (MPC)"), Forme_Ligne::MPCORB, true},
        {QStringLiteral("geocroiseurs"), QStringLiteral("NEA.txt"), QStringLiteral("NEA.txt"),
         QStringLiteral("Géocroiseurs (MPC)"), Forme_Ligne::MPCORB, false},
        {QStringLiteral("lointains"), QStringLiteral("Distant.txt"), QStringLiteral("Distant.txt"),
         QStringLiteral("Objets lointains (MPC)"), Forme_Ligne::MPCORB, false},
    };
    return sources;
}

const Source_Catalogue* Trouver_Source(const QString& nom) {
    for (const Source_Catalogue& s : Sources_Catalogues())
        if (s.Nom == nom) return &s;
    return nullptr;
}

QString Noms_Catalogues() {
    QStringList noms;
    for (const Source_Catalogue& s : Sources_Catalogues()) noms << s.Nom;
    return noms.join(QStringLiteral(", "));
}

QString Adresse_Defaut(const Source_Catalogue& source) { return Dossier_MPC + source.Fichier; }

QString Verifier_Adresse(const QString& adresse) {
    const QUrl url(adresse, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative()) return QStringLiteral("adresse invalide");
    if (url.scheme() != QStringLiteral("http") && url.scheme() != QStringLiteral("https"))
        return QStringLiteral("seuls http et https sont acceptés");
    if (url.host().isEmpty()) return QStringLiteral("serveur manquant");
    return {};
}

Adresses_Catalogues Lire_Lignes_Catalogues(const QStringList& lignes) {
    Adresses_Catalogues a;
    for (const Source_Catalogue& s : Sources_Catalogues()) a.adresses[s.Nom] = Adresse_Defaut(s);
    QStringList raisons;
    for (const QString& brute : lignes.mid(0, Lignes_Max)) {
        const QString ligne = brute.trimmed();
        if (ligne.isEmpty() || ligne.startsWith(u';') || ligne.startsWith(u'#') || ligne.startsWith(u'['))
            continue;
        const qsizetype egal = ligne.indexOf(u'=');
        if (egal <= 0) {
            raisons << Ligne_Illisible.arg(Nom_Fichier_Catalogues, ligne.left(80));
            continue;
        }
        const QString nom = ligne.left(egal).trimmed();
        const QString adresse = ligne.mid(egal + 1).trimmed();
        if (!Trouver_Source(nom)) {
            raisons << Nom_Inconnu.arg(Nom_Fichier_Catalogues, nom.left(80));
            continue;
        }
        const QString refus = Verifier_Adresse(adresse);
        if (!refus.isEmpty()) {
            raisons << Adresse_Refusee.arg(Nom_Fichier_Catalogues, nom, refus);
            continue;
        }
        a.adresses[nom] = adresse;
    }
    a.raison = raisons.join(QStringLiteral(" ; "));
    return a;
}

QStringList Lignes_Catalogues(const std::map<QString, QString>& adresses) {
    QStringList lignes = En_Tete.split(u'\n');
    for (const Source_Catalogue& s : Sources_Catalogues()) {
        const auto a = adresses.find(s.Nom);
        lignes << s.Nom + u'=' + (a == adresses.end() ? Adresse_Defaut(s) : a->second);
    }
    return lignes;
}

Adresses_Catalogues Charger_Catalogues(const QString& dossier) {
    QFile fichier(dossier + Nom_Fichier_Catalogues);
    if (!fichier.exists()) return Lire_Lignes_Catalogues({});
    if (!fichier.open(QIODevice::ReadOnly)) {
        Adresses_Catalogues a = Lire_Lignes_Catalogues({});
        a.raison = QStringLiteral("%1 illisible (%2)").arg(Nom_Fichier_Catalogues, fichier.errorString());
        return a;
    }
    const QByteArray contenu = fichier.read(Taille_Max_Fichier);
    return Lire_Lignes_Catalogues(QString::fromUtf8(contenu).split(u'\n'));
}

QString Enregistrer_Catalogues(const QString& dossier, const std::map<QString, QString>& adresses) {
    if (!QDir().mkpath(dossier)) return QStringLiteral("impossible de créer le dossier %1").arg(dossier);
    QSaveFile fichier(dossier + Nom_Fichier_Catalogues);
    if (!fichier.open(QIODevice::WriteOnly)) return fichier.errorString();
    const QByteArray contenu = (Lignes_Catalogues(adresses).join(u'\n') + u'\n').toUtf8();
    if (fichier.write(contenu) != contenu.size()) {
        const QString raison = fichier.errorString();
        fichier.cancelWriting();
        return raison;
    }
    return fichier.commit() ? QString() : fichier.errorString();
}

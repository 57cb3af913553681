#include "catalogues/copies_locales.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString Extension_Releve = QStringLiteral(".releve");
const QString Nom_Verrou = QStringLiteral("mise-a-jour.verrou");
const QString Sous_Dossier = QStringLiteral("trajectel/catalogues/");
const QString Texte_Proposition = QStringLiteral("%1 du %2, %3");
const QString Texte_Un_Objet = QStringLiteral("%1 objet");
const QString Texte_Objets_Compte = QStringLiteral("%1 objets");
const QString Texte_Ancienne = QStringLiteral(" — copie de plus d'une semaine, à mettre à jour");
const QString Mise_A_Jour_En_Cours = QStringLiteral("une autre mise à jour des catalogues est en cours");

// The record's keys, in the order written.
const QString Cle_Adresse = QStringLiteral("Adresse");
const QString Cle_ETag = QStringLiteral("ETag");
const QString Cle_Last_Modified = QStringLiteral("Last-Modified");
const QString Cle_Telechargement = QStringLiteral("Telechargement");
const QString Cle_Verification = QStringLiteral("Verification");
const QString Cle_Objets = QStringLiteral("Objets");

// A record of a few short lines: anything longer is not ours.
constexpr qint64 Taille_Max_Releve = 16 * 1024;  // bytes

QDateTime Lire_Instant(const QString& texte) {
    QDateTime t = QDateTime::fromString(texte, Qt::ISODate);
    if (t.isValid()) t = t.toUTC();
    return t;
}

QString Ecrire_Fichier(const QString& chemin, const QByteArray& contenu) {
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly)) return fichier.errorString();
    if (fichier.write(contenu) != contenu.size()) {
        const QString raison = fichier.errorString();
        fichier.cancelWriting();
        return raison;
    }
    return fichier.commit() ? QString() : fichier.errorString();
}

}  // namespace

QString Dossier_Catalogues() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' + Sous_Dossier;
}

QString Chemin_Copie(const QString& dossier, const Source_Catalogue& source) {
    return dossier + source.Copie;
}

QString Chemin_Releve(const QString& dossier, const Source_Catalogue& source) {
    return dossier + source.Nom + Extension_Releve;
}

QStringList Lignes_Releve(const Releve_Copie& r) {
    return {Cle_Adresse + u'=' + r.Adresse,
            Cle_ETag + u'=' + r.ETag,
            Cle_Last_Modified + u'=' + r.Last_Modified,
            Cle_Telechargement + u'=' + r.Telechargement.toUTC().toString(Qt::ISODate),
            Cle_Verification + u'=' + r.Verification.toUTC().toString(Qt::ISODate),
            Cle_Objets + u'=' + QString::number(r.Objets)};
}

std::optional<Releve_Copie> Lire_Lignes_Releve(const QStringList& lignes) {
    Releve_Copie r;
    bool objets_lus = false;
    for (const QString& ligne : lignes) {
        const qsizetype egal = ligne.indexOf(u'=');
        if (egal <= 0) continue;
        const QString cle = ligne.left(egal);
        const QString valeur = ligne.mid(egal + 1).trimmed();
        if (cle == Cle_Adresse) r.Adresse = valeur;
        if (cle == Cle_ETag) r.ETag = valeur;
        if (cle == Cle_Last_Modified) r.Last_Modified = valeur;
        if (cle == Cle_Telechargement) r.Telechargement = Lire_Instant(valeur);
        if (cle == Cle_Verification) r.Verification = Lire_Instant(valeur);
        if (cle == Cle_Objets) r.Objets = valeur.toLongLong(&objets_lus);
    }
    if (!objets_lus || r.Objets < 0 || !r.Telechargement.isValid()) return std::nullopt;
    if (!r.Verification.isValid()) r.Verification = r.Telechargement;
    return r;
}

std::optional<Releve_Copie> Lire_Releve(const QString& dossier, const Source_Catalogue& source) {
    if (!QFileInfo(Chemin_Copie(dossier, source)).isFile()) return std::nullopt;
    QFile fichier(Chemin_Releve(dossier, source));
    if (!fichier.open(QIODevice::ReadOnly)) return std::nullopt;
    return Lire_Lignes_Releve(QString::fromUtf8(fichier.read(Taille_Max_Releve)).split(u'\n'));
}

QString Ecrire_Releve(const QString& dossier, const Source_Catalogue& source, const Releve_Copie& releve) {
    return Ecrire_Fichier(Chemin_Releve(dossier, source),
                          (Lignes_Releve(releve).join(u'\n') + u'\n').toUtf8());
}

std::optional<Copie_Locale> Trouver_Copie(const QString& nom, const QString& dossier) {
    const Source_Catalogue* source = Trouver_Source(nom);
    if (!source) return std::nullopt;
    const std::optional<Releve_Copie> releve = Lire_Releve(dossier, *source);
    if (!releve) return std::nullopt;
    return Copie_Locale{source, Chemin_Copie(dossier, *source), *releve};
}

std::vector<Copie_Locale> Lister_Copies(const QString& dossier) {
    std::vector<Copie_Locale> copies;
    for (const Source_Catalogue& s : Sources_Catalogues())
        if (std::optional<Copie_Locale> c = Trouver_Copie(s.Nom, dossier)) copies.push_back(*c);
    return copies;
}

QString Texte_Nombre(qint64 n) {
    QString chiffres = QString::number(n < 0 ? -n : n);
    for (qsizetype k = chiffres.size() - 3; k > 0; k -= 3) chiffres.insert(k, u' ');
    return n < 0 ? u'-' + chiffres : chiffres;
}

QString Texte_Objets(qint64 n) {
    return (n == 0 || n == 1 ? Texte_Un_Objet : Texte_Objets_Compte).arg(Texte_Nombre(n));
}

QString Texte_Date(const QDateTime& t) { return t.toUTC().toString(QStringLiteral("d/MM/yyyy")); }

QString Texte_Date_Heure(const QDateTime& t) { return t.toUTC().toString(QStringLiteral("d/MM/yyyy hh:mm")); }

bool Copie_Ancienne(const Releve_Copie& releve, const QDateTime& maintenant) {
    return releve.Telechargement.secsTo(maintenant) > Age_Ancienne_Copie;
}

QString Texte_Copie(const Copie_Locale& copie, const QDateTime& maintenant) {
    const QString texte = Texte_Proposition.arg(
        copie.source->Libelle, Texte_Date(copie.releve.Telechargement), Texte_Objets(copie.releve.Objets));
    return Copie_Ancienne(copie.releve, maintenant) ? texte + Texte_Ancienne : texte;
}

Verrou_Catalogues::Verrou_Catalogues() = default;
Verrou_Catalogues::Verrou_Catalogues(Verrou_Catalogues&&) noexcept = default;
Verrou_Catalogues::~Verrou_Catalogues() = default;

Verrou_Catalogues Verrouiller_Catalogues(const QString& dossier) {
    Verrou_Catalogues v;
    if (!QDir().mkpath(dossier)) {
        v.raison = QStringLiteral("impossible de créer le dossier %1").arg(dossier);
        return v;
    }
    auto verrou = std::make_unique<QLockFile>(dossier + Nom_Verrou);
    // Held as long as the update lasts, however long: only a lock left by a
    // program that died is taken over, at once.
    verrou->setStaleLockTime(0);
    if (verrou->tryLock(0)) {
        v.verrou = std::move(verrou);
        return v;
    }
    v.raison = verrou->error() == QLockFile::LockFailedError
                   ? Mise_A_Jour_En_Cours
                   : QStringLiteral("impossible d'écrire dans le dossier %1").arg(dossier);
    return v;
}

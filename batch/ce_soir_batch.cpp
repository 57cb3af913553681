#include "batch/ce_soir_batch.h"

#include "astro/calendrier.h"
#include "batch/ecriture_sortie.h"
#include "batch/tableau_batch.h"
#include "catalogues/copies_locales.h"
#include "document/commandes_import.h"
#include "document/liste_ce_soir.h"

namespace {

const QString Prefixe = QStringLiteral("trajectel-ephemeride : ");
const QString Copie_Absente = QStringLiteral(
    "pas de copie locale du catalogue %1 ; « trajectel-ephemeride --actualiser %1 » la télécharge");

// The files of --importer, then the local copy of each catalogue named; or
// the first catalogue that has no copy yet.
struct Sources {
    QStringList fichiers;
    QString sans_copie;
};

Sources Trouver_Sources(const Options_Ce_Soir& c, const QString& dossier) {
    Sources s{c.fichiers, {}};
    for (const QString& nom : c.catalogues) {
        const std::optional<Copie_Locale> copie = Trouver_Copie(nom, dossier);
        if (!copie) return {{}, nom};
        s.fichiers << copie->chemin;
    }
    return s;
}

Demande_Ce_Soir Demande(const Options_Batch& o, const QDateTime& maintenant) {
    Demande_Ce_Soir d;
    d.lieu = o.lieu->lieu;
    const Options_Ce_Soir& c = o.ce_soir;
    d.JJ_0h = c.date ? Date_Vers_JJ(c.date->month(), static_cast<float>(c.date->year()), c.date->day())
                     : JJ_Ce_Soir(JJ_Instant_Utc(maintenant), d.lieu);
    d.Hauteur_Minimale = c.hauteur_minimale;
    d.Magnitude_Limite = c.magnitude_limite;
    d.Elongation_Minimale = c.elongation_minimale;
    d.modele = o.modele;
    // Without anyone to ask, the darkest stretch of a night that never gets
    // dark is taken, and said so.
    d.Periode_La_Plus_Sombre = true;
    return d;
}

// "Nuit du 21/6/2026 à 65.00, 25.00" and what the list says of itself.
QString En_Tete(const Liste_Ce_Soir& l, const Demande_Ce_Soir& d, char separateur) {
    Elements date;
    date.JJ_Perihelie = d.JJ_0h;
    JJ_Vers_Date_Perihelie(date);
    const auto degres = [separateur](double x) {
        return QString::number(x, 'f', 2).replace(u'.', QChar::fromLatin1(separateur));
    };
    QString texte = QStringLiteral("Ce soir : nuit du %1/%2/%3, lieu %4, %5\n")
                        .arg(static_cast<int>(date.Jour_Perihelie))
                        .arg(date.Mois_Perihelie)
                        .arg(date.An_Perihelie)
                        .arg(degres(d.lieu.Latitude), degres(d.lieu.Longitude));
    for (const QString& r : Remarques_Liste(l, d)) texte += r + u'\n';
    texte += Texte_Lus_Retenus(l) + QStringLiteral("\n\n");
    return texte;
}

QString Texte_Liste(const Liste_Ce_Soir& l, const Demande_Ce_Soir& d, const Options_Batch& o,
                    char separateur) {
    Tableau_Batch tableau{Entete_Ce_Soir(), {}};
    for (const Ligne_Ce_Soir& ligne : l.lignes) tableau.lignes.push_back(Cellules_Ce_Soir(ligne, separateur));
    if (o.format == Format_Sortie::Tsv) return Tableau_Tsv(tableau);
    return En_Tete(l, d, separateur) + Tableau_Texte(tableau);
}

}  // namespace

int Executer_Ce_Soir(const Options_Batch& o, const Notation& notation, const QDateTime& maintenant,
                     QTextStream& sortie, QTextStream& erreurs) {
    const Demande_Ce_Soir d = Demande(o, maintenant);
    const QString refus = Verifier_Demande(d);
    if (!refus.isEmpty()) {
        erreurs << Prefixe << refus << u'\n';
        return Erreur_Usage;
    }
    const Sources sources = Trouver_Sources(o.ce_soir, Dossier_Catalogues());
    if (!sources.sans_copie.isEmpty()) {
        erreurs << Prefixe << Copie_Absente.arg(sources.sans_copie) << u'\n';
        return Erreur_Usage;
    }
    const Liste_Ce_Soir l = Calculer_Liste_Ce_Soir(d, sources.fichiers, [](double) { return true; });
    if (l.issue == Liste_Ce_Soir::Issue::Inaccessible || l.issue == Liste_Ce_Soir::Issue::Echec_Lecture) {
        erreurs << Prefixe << QStringLiteral("impossible de lire %1").arg(l.Fichier_Fautif) << u'\n';
        return Fichier_Illisible;
    }
    for (const QString& texte : Textes_Refus(l.Refus)) erreurs << Prefixe << texte << u'\n';
    // The table alone on standard output for TSV: what it says of itself goes to standard error.
    if (o.format == Format_Sortie::Tsv)
        for (const QString& r : Remarques_Liste(l, d)) erreurs << Prefixe << r << u'\n';
    const QString texte = Texte_Liste(l, d, o, notation.Separateur_Decimal);
    if (o.sortie.isEmpty()) {
        sortie << texte;
        return Succes;
    }
    const QString raison = Ecrire_Fichier_Sortie(o.sortie, texte.toUtf8());
    if (raison.isEmpty()) return Succes;
    erreurs << Message_Ecriture_Impossible(o.sortie, raison);
    return Fichier_Illisible;
}

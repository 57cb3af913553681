#include "batch/options_batch.h"

#include <QRegularExpression>

namespace {

const QStringList Unites = {QStringLiteral("heures"), QStringLiteral("jours"), QStringLiteral("mois"),
                            QStringLiteral("années")};
const QStringList Instruments = {QStringLiteral("Aucun"),    QStringLiteral("Arbelin"),
                                 QStringLiteral("Brisonne"), QStringLiteral("Corlande"),
                                 QStringLiteral("Dravelle"), QStringLiteral("Estrane")};

const QStringList Noms_Options = {QStringLiteral("--debut"),      QStringLiteral("--pas"),
                                  QStringLiteral("--unite"),      QStringLiteral("--instrument"),
                                  QStringLiteral("--separateur"), QStringLiteral("--format"),
                                  QStringLiteral("--sortie")};

QString Lire_Debut(const QString& valeur, Options_Batch& o) {
    static const QRegularExpression date(
        QStringLiteral("^(\\d{1,2}(?:[.,]\\d{1,6})?)/(\\d{1,2})/(-?\\d{1,7})$"));
    const QRegularExpressionMatch m = date.match(valeur);
    if (!m.hasMatch()) return QStringLiteral("date de début invalide : %1 (attendu J/M/A)").arg(valeur);
    const double jour = QString(m.captured(1)).replace(u',', u'.').toDouble();
    const int mois = m.captured(2).toInt();
    if (jour < 1 || jour >= 32 || mois < 1 || mois > 12) {
        return QStringLiteral("date de début invalide : %1").arg(valeur);
    }
    o.jour = m.captured(1);
    o.mois = m.captured(2);
    o.an = m.captured(3);
    return {};
}

QString Lire_Pas(const QString& valeur, Options_Batch& o) {
    bool ok = false;
    valeur.toInt(&ok);
    if (!ok) return QStringLiteral("pas invalide : %1 (attendu un nombre entier)").arg(valeur);
    o.pas = valeur;
    return {};
}

QString Lire_Choix(const QString& valeur, const QStringList& choix, const QString& nom, QString& cible) {
    if (!choix.contains(valeur)) return QStringLiteral("%1 inconnu : %2").arg(nom, valeur);
    cible = valeur;
    return {};
}

QString Lire_Separateur(const QString& valeur, Options_Batch& o) {
    if (valeur != QStringLiteral(",") && valeur != QStringLiteral(".")) {
        return QStringLiteral("séparateur invalide : %1 (attendu , ou .)").arg(valeur);
    }
    o.separateur = valeur[0].toLatin1();
    return {};
}

QString Lire_Format(const QString& valeur, Options_Batch& o) {
    if (valeur == QStringLiteral("texte")) {
        o.format = Format_Sortie::Texte;
    } else if (valeur == QStringLiteral("tsv")) {
        o.format = Format_Sortie::Tsv;
    } else if (valeur == QStringLiteral("pdf")) {
        o.format = Format_Sortie::Pdf;
    } else {
        return QStringLiteral("format inconnu : %1").arg(valeur);
    }
    return {};
}

QString Lire_Option(const QString& nom, const QString& valeur, Options_Batch& o) {
    if (nom == QStringLiteral("--debut")) return Lire_Debut(valeur, o);
    if (nom == QStringLiteral("--pas")) return Lire_Pas(valeur, o);
    if (nom == QStringLiteral("--unite")) return Lire_Choix(valeur, Unites, QStringLiteral("unité"), o.unite);
    if (nom == QStringLiteral("--instrument")) {
        return Lire_Choix(valeur, Instruments, QStringLiteral("instrument"), o.instrument);
    }
    if (nom == QStringLiteral("--separateur")) return Lire_Separateur(valeur, o);
    if (nom == QStringLiteral("--format")) return Lire_Format(valeur, o);
    if (nom == QStringLiteral("--sortie")) {
        o.sortie = valeur;
        return {};
    }
    return QStringLiteral("option inconnue : %1").arg(nom);
}

}  // namespace

Lecture_Options Lire_Options(const QStringList& arguments) {
    Lecture_Options l;
    for (int k = 0; k < arguments.size() && l.erreur.isEmpty(); ++k) {
        const QString& argument = arguments[k];
        if (argument == QStringLiteral("-h") || argument == QStringLiteral("--aide") ||
            argument == QStringLiteral("--help")) {
            l.options.aide = true;
        } else if (argument.startsWith(QStringLiteral("--"))) {
            const int egal = argument.indexOf(u'=');
            const QString nom = egal < 0 ? argument : argument.left(egal);
            if (!Noms_Options.contains(nom)) {
                l.erreur = QStringLiteral("option inconnue : %1").arg(nom);
                break;
            }
            if (egal < 0 && k + 1 >= arguments.size()) {
                l.erreur = QStringLiteral("valeur manquante après %1").arg(nom);
                break;
            }
            const QString valeur = egal < 0 ? arguments[++k] : argument.mid(egal + 1);
            l.erreur = Lire_Option(nom, valeur, l.options);
        } else if (l.options.fichier.isEmpty()) {
            l.options.fichier = argument;
        } else {
            l.erreur = QStringLiteral("un seul fichier d'éléments est attendu");
        }
    }
    if (l.erreur.isEmpty() && !l.options.aide && l.options.fichier.isEmpty()) {
        l.erreur = QStringLiteral("fichier d'éléments manquant");
    }
    if (l.erreur.isEmpty() && l.options.format == Format_Sortie::Pdf && l.options.sortie.isEmpty()) {
        l.erreur = QStringLiteral("le format pdf demande --sortie FICHIER.pdf");
    }
    return l;
}

QString Usage_Batch() {
    return QStringLiteral(
        "Usage : trajectel-ephemeride FICHIER.elt [--debut J/M/A] [--pas N]\n"
        "          [--unite heures|jours|mois|années]\n"
        "          [--instrument Aucun|Arbelin|Brisonne|Corlande|Dravelle|Estrane]\n"
        "          [--separateur ,|.] [--format texte|tsv|pdf] [--sortie CHEMIN]\n"
        "Calcule l'éphéméride de l'astre décrit par le fichier d'éléments.\n"
        "Par défaut : aujourd'hui, pas de 1 jour, sans instrument, séparateur du système,\n"
        "format texte sur la sortie standard. Le format pdf imprime la page complète dans CHEMIN.\n");
}

#include "document/fichier_reglages.h"

#include <QFile>
#include <QStringDecoder>

#include "document/cp1252.h"
#include "document/fichier_ordinaire.h"

QString Decoder_Reglages(const QByteArray& octets) {
    // The decoder drops a leading byte-order mark by itself.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString texte = utf8.decode(octets);
    return utf8.hasError() ? Decoder_Cp1252(octets) : texte;
}

QStringList Couper_Lignes_Reglages(const QString& texte) {
    QString unifie = texte;
    unifie.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lignes = unifie.split(u'\n');
    if (lignes.size() > 1 && lignes.back().isEmpty()) lignes.removeLast();
    return lignes;
}

Lignes_Reglages Lire_Lignes_Reglages(const QString& chemin, qint64 taille_maximale) {
    using Etat = Lignes_Reglages::Etat;
    QFile fichier(chemin);
    if (!fichier.exists()) return {Etat::Absent, {}};
    if (!Ouvrir_Fichier_Ordinaire(fichier)) return {Etat::Illisible, {}};
    const QByteArray octets = fichier.read(taille_maximale + 1);
    if (octets.size() > taille_maximale) return {Etat::Illisible, {}};
    return {Etat::Lu, Couper_Lignes_Reglages(Decoder_Reglages(octets))};
}

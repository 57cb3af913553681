#include "monture/reglages_monture.h"

#include <QDir>
#include <QFile>

#include "document/configuration.h"
#include "document/cp1252.h"
#include "document/fichier_ordinaire.h"

namespace {

const QString Entete = QStringLiteral("[Trajectel Monture]");
const QString Cle_Serveur = QStringLiteral("Serveur=");
const QString Cle_Appareil = QStringLiteral("Appareil=");
const QString Fin_Ligne = QStringLiteral("\r\n");
constexpr int Nombre_Lignes_Monture = 3;
constexpr qint64 Taille_Maximale_Monture = 4096;  // bytes: the file holds a few short lines
constexpr int Longueur_Maximale_Hote = 253;       // characters of a DNS name
constexpr int Longueur_Maximale_Appareil = 200;   // characters; INDI's names are far shorter
constexpr int Port_Maximal = 65535;

const QString Monture_Absente = QStringLiteral("le fichier Monture.ini n'existe pas");
const QString Monture_Illisible = QStringLiteral("le fichier Monture.ini est illisible");
const QString Mot_Serveur =
    QStringLiteral("Le serveur s'écrit hôte:port, le port de 1 à 65535 (par exemple localhost:7624).");
const QString Mot_Ecriture = QStringLiteral("Erreur d'écriture du fichier Monture.ini : %1");

bool Texte_Propre(const QString& t, int longueur_maximale) {
    if (t.size() > longueur_maximale) return false;
    for (const QChar c : t)
        if (c.isNull() || c.category() == QChar::Other_Control) return false;
    return true;
}

}  // namespace

Lecture_Serveur Lire_Serveur(const QString& texte) {
    const QString t = texte.trimmed();
    const int deux_points = t.lastIndexOf(u':');
    QString hote = t.left(deux_points);
    if (hote.startsWith(u'[') && hote.endsWith(u']')) hote = hote.mid(1, hote.size() - 2);
    bool ok = false;
    const int port = t.mid(deux_points + 1).toInt(&ok);
    if (deux_points <= 0 || !ok || port < 1 || port > Port_Maximal || hote.isEmpty() || hote.contains(u' ') ||
        !Texte_Propre(hote, Longueur_Maximale_Hote))
        return {false, {}, 0, Mot_Serveur};
    return {true, hote, quint16(port), {}};
}

QString Texte_Serveur(const Reglages_Monture& reglages) {
    const QString hote = reglages.Hote.contains(u':') ? u'[' + reglages.Hote + u']' : reglages.Hote;
    return hote + u':' + QString::number(reglages.Port);
}

QStringList Lignes_Monture(const Reglages_Monture& reglages) {
    return {Entete, Cle_Serveur + Texte_Serveur(reglages), Cle_Appareil + reglages.Appareil};
}

Lecture_Monture Lire_Lignes_Monture(const QStringList& lignes) {
    if (lignes.size() != Nombre_Lignes_Monture || lignes[0] != Entete || !lignes[1].startsWith(Cle_Serveur) ||
        !lignes[2].startsWith(Cle_Appareil))
        return {{}, Monture_Illisible};
    const Lecture_Serveur serveur = Lire_Serveur(lignes[1].mid(Cle_Serveur.size()));
    const QString appareil = lignes[2].mid(Cle_Appareil.size());
    if (!serveur.valide || !Texte_Propre(appareil, Longueur_Maximale_Appareil))
        return {{}, Monture_Illisible};
    return {{serveur.hote, serveur.port, appareil}, {}};
}

Lecture_Monture Charger_Monture(const QString& dossier) {
    QFile fichier(dossier + Nom_Fichier_Monture);
    if (!fichier.exists()) return {{}, Monture_Absente};
    // Not a pipe nor a device: they could block or never end.
    if (!Ouvrir_Fichier_Ordinaire(fichier)) return {{}, Monture_Illisible};
    const QByteArray octets = fichier.read(Taille_Maximale_Monture + 1);
    if (octets.size() > Taille_Maximale_Monture) return {{}, Monture_Illisible};
    // UTF-8 as the program writes it; what is not valid UTF-8 is read as Windows-1252.
    const bool utf8 = QString::fromUtf8(octets).toUtf8() == octets;
    QStringList lignes = (utf8 ? QString::fromUtf8(octets) : Decoder_Cp1252(octets)).split(u'\n');
    for (QString& l : lignes)
        if (l.endsWith(u'\r')) l.chop(1);
    if (lignes.size() > Nombre_Lignes_Monture && lignes.back().isEmpty()) lignes.removeLast();
    return Lire_Lignes_Monture(lignes);
}

QString Enregistrer_Monture(const QString& dossier, const Reglages_Monture& reglages) {
    QDir().mkpath(dossier);
    // UTF-8, so that any device name comes back as the server spells it.
    const QByteArray octets = (Lignes_Monture(reglages).join(Fin_Ligne) + Fin_Ligne).toUtf8();
    const Ecriture_Fichier e = Ecrire_Fichier_Entier(dossier + Nom_Fichier_Monture, octets);
    if (e.resultat == Ecriture_Fichier::Resultat::Ecrit) return {};
    return Mot_Ecriture.arg(e.erreur);
}

#include "monture/reglages_monture.h"

#include <QDir>

#include "document/configuration.h"
#include "document/fichier_reglages.h"
#include "document/raison_echec.h"

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
const QString Mot_Ecriture = QStringLiteral("Erreur d'écriture du fichier Monture.ini");

bool Texte_Propre(const QString& t, int longueur_maximale) {
    if (t.size() > longueur_maximale) return false;
    for (const QChar c : t)
        if (c.isNull() || c.category() == QChar::Other_Control) return false;
    return true;
}

Lecture_Serveur Lire_Serveur_Et_Port(const QString& t) {
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

}  // namespace

Lecture_Serveur Lire_Serveur(const QString& texte) {
    const QString t = texte.trimmed();
    const Lecture_Serveur lecture = Lire_Serveur_Et_Port(t);
    const bool sans_port = !t.contains(u':') || (t.startsWith(u'[') && t.endsWith(u']'));
    if (lecture.valide || !sans_port) return lecture;
    const Lecture_Serveur hote = Lire_Serveur_Et_Port(t + u':' + QString::number(Port_Indi));
    return hote.valide ? hote : lecture;
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
    const Lignes_Reglages l = Lire_Lignes_Reglages(dossier + Nom_Fichier_Monture, Taille_Maximale_Monture);
    if (l.etat == Lignes_Reglages::Etat::Absent) return {{}, Monture_Absente};
    if (l.etat == Lignes_Reglages::Etat::Illisible) return {{}, Monture_Illisible};
    return Lire_Lignes_Monture(l.lignes);
}

QString Enregistrer_Monture(const QString& dossier, const Reglages_Monture& reglages) {
    QDir().mkpath(dossier);
    // UTF-8, so that any device name comes back as the server spells it.
    const QByteArray octets = (Lignes_Monture(reglages).join(Fin_Ligne) + Fin_Ligne).toUtf8();
    const Ecriture_Fichier e = Ecrire_Fichier_Entier(dossier + Nom_Fichier_Monture, octets);
    if (e.resultat == Ecriture_Fichier::Resultat::Ecrit) return {};
    return Message_Echec(Mot_Ecriture, dossier + Nom_Fichier_Monture, e.code, e.erreur);
}

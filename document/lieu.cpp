#include "document/lieu.h"

#include <QDir>
#include <cmath>

#include "document/configuration.h"
#include "document/fichier_reglages.h"
#include "document/raison_echec.h"

namespace {

const QString Entete = QStringLiteral("[Trajectel Lieu]");
const QString Cle_Nom = QStringLiteral("Nom=");
const QString Cle_Latitude = QStringLiteral("Latitude=");
const QString Cle_Longitude = QStringLiteral("Longitude=");
const QString Cle_Altitude = QStringLiteral("Altitude=");
const QString Cle_Hauteur_Minimale = QStringLiteral("Hauteur_Minimale=");
const QString Cle_Afficher = QStringLiteral("Afficher=");
const QString Vrai = QStringLiteral("Vrai");
const QString Faux = QStringLiteral("Faux");
constexpr int Nombre_Lignes_Lieu = 7;
constexpr qint64 Taille_Maximale_Lieu = 4096;  // bytes: the file holds a few short lines
constexpr int Chiffres_Significatifs = 15;

const QString Titre_Lieu = QStringLiteral("Trajectel - Lieu d'observation");
const QString Erreur_Ecriture_Lieu = QStringLiteral("Erreur d'écriture du fichier Lieu.ini");
const QString Sans_Lieu = QStringLiteral("Pas de lieu d'observation : ");
const QString Lieu_Illisible = QStringLiteral("le fichier Lieu.ini est illisible");
const QString Lieu_Hors_Bornes = QStringLiteral("le fichier Lieu.ini est endommagé");
const QString Voir_Dialogue = QStringLiteral(" (Edition, Lieu d'observation…)");
const QString Detail_Hors_Bornes = QStringLiteral("Le fichier Lieu.ini est endommagé : ");
// Every decimal a double holds, and the thousands grouped as the form does.
const char* const Motif_Champ_Site = ",#0.##############";

const QString Mot_Latitude =
    QStringLiteral("La latitude doit être comprise entre -90 et 90 degrés (nord positif).");
const QString Mot_Longitude =
    QStringLiteral("La longitude doit être comprise entre -180 et 180 degrés (est positif).");
const QString Mot_Altitude = QStringLiteral("L'altitude doit être comprise entre -500 et 9 000 mètres.");
const QString Mot_Hauteur =
    QStringLiteral("La hauteur minimale du télescope doit être comprise entre 0 et 90 degrés.");
const QString Mot_Nom = QStringLiteral("Le nom ne doit pas dépasser 80 caractères.");

bool Dans(double x, double bas, double haut) { return x >= bas && x <= haut; }  // false for NaN

// Blanks that may group the thousands: the space, the no-break space and
// the narrow ones some locales use.
bool Est_Blanc(QChar c) { return c.isSpace() || c == QChar(0x202F) || c == QChar(0x2009); }

// A number typed with a comma or a point, its digits grouped by blanks or not.
std::optional<double> Lire_Nombre(const QString& brut) {
    QString texte;
    for (const QChar c : brut)
        if (!Est_Blanc(c)) texte += c;
    texte.replace(u',', u'.');
    bool ok = false;
    const double x = texte.toDouble(&ok);
    if (!ok || !std::isfinite(x)) return std::nullopt;
    return x;
}

// A name fit for one line of the file.
QString Nettoyer_Nom(const QString& nom) {
    QString propre;
    for (const QChar c : nom)
        if (!c.isNull() && c.category() != QChar::Other_Control) propre += c;
    return propre.trimmed();
}

std::optional<QString> Valeur(const QStringList& lignes, int k, const QString& cle) {
    if (k >= lignes.size() || !lignes[k].startsWith(cle)) return std::nullopt;
    return lignes[k].mid(cle.size());
}

std::optional<double> Nombre(const QStringList& lignes, int k, const QString& cle) {
    const auto v = Valeur(lignes, k, cle);
    if (!v || v->contains(u',')) return std::nullopt;
    return Lire_Nombre(*v);
}

Lecture_Lieu Illisible() { return {std::nullopt, Sans_Lieu + Lieu_Illisible, {}}; }

QByteArray Encoder_Lignes_Lieu(const QStringList& lignes) {
    QByteArray octets;
    for (const QString& ligne : lignes) octets += ligne.toUtf8() + "\r\n";
    return octets;
}

}  // namespace

QString Erreur_Site(const Site_Observation& site) {
    if (!Dans(site.lieu.Latitude, -Latitude_Maximale, Latitude_Maximale)) return Mot_Latitude;
    if (!Dans(site.lieu.Longitude, -Longitude_Maximale, Longitude_Maximale)) return Mot_Longitude;
    if (!Dans(site.lieu.Altitude, Altitude_Minimale, Altitude_Maximale)) return Mot_Altitude;
    if (!Dans(site.Hauteur_Minimale, 0, Hauteur_Minimale_Maximale)) return Mot_Hauteur;
    if (site.Nom.size() > Longueur_Maximale_Nom) return Mot_Nom;
    return {};
}

Saisie_Site Lire_Champs_Site(const QString& nom, const QString& latitude, const QString& longitude,
                             const QString& altitude, const QString& hauteur_minimale, bool afficher) {
    const auto lat = Lire_Nombre(latitude), lon = Lire_Nombre(longitude);
    const auto alt = Lire_Nombre(altitude), hmin = Lire_Nombre(hauteur_minimale);
    // An unreadable number gets the same word as one out of its bounds.
    Site_Observation s{Nettoyer_Nom(nom),
                       {lat.value_or(NAN), lon.value_or(NAN), alt.value_or(NAN)},
                       hmin.value_or(NAN),
                       afficher};
    const QString erreur = Erreur_Site(s);
    if (!erreur.isEmpty()) return {std::nullopt, erreur};
    return {s, {}};
}

QString Nombre_Lieu(double valeur) { return QString::number(valeur, 'g', Chiffres_Significatifs); }

QString Texte_Champ_Site(double valeur, const Notation& notation) {
    Notation n = notation;
    // A point or a comma between thousands would be read back as decimals.
    const QString groupe = QString::fromStdString(n.Separateur_Milliers);
    if (groupe.contains(u'.') || groupe.contains(u',')) n.Separateur_Milliers.clear();
    return Texte_Motif(valeur, Motif_Champ_Site, n);
}

QStringList Lignes_Lieu(const Site_Observation& site) {
    return {Entete,
            Cle_Nom + Nettoyer_Nom(site.Nom),
            Cle_Latitude + Nombre_Lieu(site.lieu.Latitude),
            Cle_Longitude + Nombre_Lieu(site.lieu.Longitude),
            Cle_Altitude + Nombre_Lieu(site.lieu.Altitude),
            Cle_Hauteur_Minimale + Nombre_Lieu(site.Hauteur_Minimale),
            Cle_Afficher + (site.Afficher ? Vrai : Faux)};
}

Lecture_Lieu Lire_Lignes_Lieu(const QStringList& lignes) {
    const auto nom = Valeur(lignes, 1, Cle_Nom);
    const auto lat = Nombre(lignes, 2, Cle_Latitude), lon = Nombre(lignes, 3, Cle_Longitude);
    const auto alt = Nombre(lignes, 4, Cle_Altitude), hmin = Nombre(lignes, 5, Cle_Hauteur_Minimale);
    const auto afficher = Valeur(lignes, 6, Cle_Afficher);
    if (lignes.value(0) != Entete || !nom || !lat || !lon || !alt || !hmin || !afficher ||
        (*afficher != Vrai && *afficher != Faux))
        return Illisible();
    const Site_Observation site{Nettoyer_Nom(*nom), {*lat, *lon, *alt}, *hmin, *afficher == Vrai};
    const QString erreur = Erreur_Site(site);
    if (!erreur.isEmpty())
        return {std::nullopt, Sans_Lieu + Lieu_Hors_Bornes + Voir_Dialogue, Detail_Hors_Bornes + erreur};
    return {site, {}, {}};
}

Lecture_Lieu Charger_Lieu(const QString& dossier) {
    const Lignes_Reglages l = Lire_Lignes_Reglages(dossier + Nom_Fichier_Lieu, Taille_Maximale_Lieu);
    // No site is the normal case of a first start: nothing to say.
    if (l.etat == Lignes_Reglages::Etat::Absent) return {};
    if (l.etat == Lignes_Reglages::Etat::Illisible || l.lignes.size() != Nombre_Lignes_Lieu)
        return Illisible();
    return Lire_Lignes_Lieu(l.lignes);
}

bool Enregistrer_Lieu(const QString& dossier, const Site_Observation& site, Boite_Outils& boite) {
    QDir().mkpath(dossier);
    const QString chemin = dossier + Nom_Fichier_Lieu;
    const Ecriture_Fichier e = Ecrire_Fichier_Entier(chemin, Encoder_Lignes_Lieu(Lignes_Lieu(site)));
    if (e.resultat == Ecriture_Fichier::Resultat::Ecrit) return true;
    boite.Avertissement(Titre_Lieu, Message_Echec(Erreur_Ecriture_Lieu, chemin, e.code, e.erreur));
    return false;
}

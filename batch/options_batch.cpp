#include "batch/options_batch.h"

#include <QCommandLineParser>
#include <vector>

#include "astro/calendrier.h"
#include "catalogues/sources_catalogues.h"
#include "document/lieu.h"
#include "form/disposition_fiche.h"
#include "form/edition.h"
#include "form/textes_nombres.h"
#include "monture/reglages_monture.h"

namespace {

constexpr char Point = '.';  // the decimal separator of the command line

const QStringList Unites = Articles_Liste(Controle::Liste_Pas);
const QStringList Instruments = Articles_Liste(Controle::Liste_Instruments);

// The three parts of J/M/A, each as it could be typed into its field, with
// a point as the decimal separator.
bool Debut_Saisissable(const QStringList& parties) {
    const Controle champs[] = {Controle::saisie_Jour, Controle::saisie_Mois, Controle::saisie_An};
    for (int k = 0; k < 3; ++k)
        if (!Texte_Saisissable(champs[k], parties[k], Point)) return false;
    return true;
}

// A start date the fields can hold, on a day its month has: the batch refuses
// what the form would not take or would move to another date.
QString Lire_Debut(const QString& valeur, Options_Batch& o) {
    QStringList parties = valeur.split(u'/');
    if (parties.size() != 3) return QStringLiteral("date de début invalide : %1 (attendu J/M/A)").arg(valeur);
    parties[0].replace(u',', QLatin1Char(Point));
    double jour = 0;
    int32_t mois = 0;
    int32_t an = 0;
    if (!Debut_Saisissable(parties) || !Lire_Reel(parties[0], Point, jour) ||
        !Lire_Entier(parties[1], mois) || !Lire_Entier(parties[2], an) || mois < 1 || mois > 12 || an == 0) {
        return QStringLiteral("date de début invalide : %1 (attendu J/M/A, une année de 1 à 9999)")
            .arg(valeur);
    }
    // The day is held in a 32-bit float, which may round it up to the next month.
    if (!(jour >= 1 && static_cast<float>(jour) < Longueur_Mois(mois, an) + 1))
        return QStringLiteral("date de début invalide : %1 (ce mois n'a pas ce jour)").arg(valeur);
    o.jour = parties[0].trimmed();
    o.mois = QString::number(mois);
    o.an = QString::number(an);
    return {};
}

// A step typed as the field takes it: digits only, within 32 bits. 0 is
// left to the page, which has no rows for it.
QString Lire_Pas(const QString& valeur, Options_Batch& o) {
    int32_t pas = 0;
    if (!Texte_Saisissable(Controle::Saisie_Pas, valeur, Point) || !Lire_Entier(valeur, pas))
        return QStringLiteral("pas invalide : %1 (attendu un nombre entier positif)").arg(valeur);
    o.pas = QString::number(pas);
    return {};
}

QString Lire_Rang(const QString& valeur, Options_Batch& o) {
    bool ok = false;
    const int rang = valeur.toInt(&ok);
    if (!ok || rang < 1)
        return QStringLiteral("rang invalide : %1 (attendu un entier à partir de 1)").arg(valeur);
    o.rang = rang;
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

QString Lire_Sortie(const QString& valeur, Options_Batch& o) {
    o.sortie = valeur;
    return {};
}

// LAT,LON[,ALT]: degrees north and east, metres; decimals with a point.
QString Lire_Lieu(const QString& valeur, Options_Batch& o) {
    const QStringList parties = valeur.split(u',');
    if (parties.size() < 2 || parties.size() > 3)
        return QStringLiteral("lieu invalide : %1 (attendu LAT,LON[,ALT])").arg(valeur);
    const Site_Observation defaut;
    const Saisie_Site s = Lire_Champs_Site({}, parties[0], parties[1], parties.value(2, QStringLiteral("0")),
                                           Nombre_Lieu(defaut.Hauteur_Minimale), true);
    if (!s.site) return QStringLiteral("lieu invalide : %1 (%2)").arg(valeur, s.erreur);
    o.lieu = s.site;
    return {};
}

QString Lire_Modele(const QString& valeur, Options_Batch& o) {
    if (valeur == QStringLiteral("classique")) {
        o.modele.modele = Modele_Calcul::Classique;
    } else if (valeur == QStringLiteral("precis")) {
        o.modele.modele = Modele_Calcul::Precis;
    } else {
        return QStringLiteral("modèle inconnu : %1 (attendu classique ou precis)").arg(valeur);
    }
    return {};
}

// The options that ask for the place of the precise model.
QString Verifier_Modele(const Options_Batch& o) {
    if (o.modele.topocentrique && !o.lieu) return QStringLiteral("--topocentrique demande --lieu");
    const bool precis_demande = o.modele.topocentrique || o.modele.apparente;
    if (precis_demande && o.modele.modele == Modele_Calcul::Classique)
        return QStringLiteral("--topocentrique et --apparent demandent le modèle precis");
    if (o.decimales && o.format != Format_Sortie::Tsv)
        return QStringLiteral("--decimales demande --format tsv");
    return {};
}

QString Lire_Monture(const QString& valeur, Options_Batch& o) {
    const Lecture_Serveur serveur = Lire_Serveur(valeur);
    if (!serveur.valide) return QStringLiteral("serveur invalide : %1 (%2)").arg(valeur, serveur.erreur);
    o.monture.hote = serveur.hote;
    o.monture.port = serveur.port;
    return {};
}

QString Lire_Duree(const QString& valeur, Options_Batch& o) {
    bool ok = false;
    const int minutes = valeur.toInt(&ok);
    if (!ok || minutes < 1)
        return QStringLiteral("durée invalide : %1 (attendu un nombre entier de minutes)").arg(valeur);
    o.monture.duree = minutes;
    return {};
}

// The following needs the site and the device, and writes its own lines.
QString Verifier_Monture(const Options_Batch& o) {
    const Options_Monture& m = o.monture;
    if (m.hote.isEmpty()) {
        if (!m.appareil.isEmpty() || m.duree > 0 || m.jour || !m.journal.isEmpty())
            return QStringLiteral("--appareil, --duree, --jour et --journal-indi demandent --monture");
        return {};
    }
    if (!o.lieu) return QStringLiteral("--monture demande --lieu");
    if (m.appareil.trimmed().isEmpty()) return QStringLiteral("--monture demande --appareil NOM");
    if (o.format != Format_Sortie::Texte || !o.sortie.isEmpty() || o.lister)
        return QStringLiteral(
            "--monture écrit ses lignes sur la sortie standard : sans --format, --sortie "
            "ni --lister");
    return {};
}

QString Lire_Catalogue(const QString& valeur, Options_Batch& o) {
    if (!Trouver_Source(valeur))
        return QStringLiteral("catalogue inconnu : %1 (attendu %2)").arg(valeur, Noms_Catalogues());
    o.catalogue = valeur;
    return {};
}

QString Lire_Actualiser(const QString& valeur, Options_Batch& o) {
    const QStringList noms = valeur.split(u',');
    for (const QString& nom : noms) {
        if (!Trouver_Source(nom))
            return QStringLiteral("catalogue inconnu : %1 (attendu %2)").arg(nom, Noms_Catalogues());
        if (!o.actualiser.contains(nom)) o.actualiser << nom;
    }
    return {};
}

QString Lire_Url(const QString& valeur, Options_Batch& o) {
    const QString refus = Verifier_Adresse(valeur);
    if (!refus.isEmpty()) return QStringLiteral("adresse invalide : %1 (%2)").arg(valeur, refus);
    o.url = valeur;
    return {};
}

// Updating and listing the catalogues are runs of their own.
QString Verifier_Catalogues(const QStringList& fichiers, const Options_Batch& o) {
    if (!o.url.isEmpty() && o.actualiser.size() != 1)
        return QStringLiteral("--url remplace l'adresse d'un seul catalogue : --actualiser NOM --url URL");
    const bool seul = !o.actualiser.isEmpty() || o.catalogues;
    if (seul && (!fichiers.isEmpty() || !o.importer.isEmpty() || !o.catalogue.isEmpty() || o.lister ||
                 !o.objet.isEmpty() || o.rang > 0 || !o.monture.hote.isEmpty() || !o.sortie.isEmpty() ||
                 o.format != Format_Sortie::Texte))
        return QStringLiteral("--actualiser et --catalogues s'emploient sans fichier ni calcul");
    if (!o.actualiser.isEmpty() && o.catalogues)
        return QStringLiteral("--actualiser et --catalogues s'excluent");
    if (!o.catalogue.isEmpty() && !o.importer.isEmpty())
        return QStringLiteral("--catalogue et --importer s'excluent");
    return {};
}

// A number of the command line, a point for the decimals, within [minimum, maximum].
std::optional<double> Nombre_Borne(const QString& valeur, double minimum, double maximum) {
    bool ok = false;
    const double x = valeur.trimmed().toDouble(&ok);
    if (!ok || !(x >= minimum && x <= maximum)) return std::nullopt;
    return x;
}

QString Lire_Hauteur_Minimale(const QString& valeur, Options_Batch& o) {
    const std::optional<double> h = Nombre_Borne(valeur, Hauteur_Minimale_Basse, Hauteur_Minimale_Haute);
    if (!h) return QStringLiteral("hauteur minimale invalide : %1 (attendu de -5 à 90 degrés)").arg(valeur);
    o.ce_soir.hauteur_minimale = *h;
    o.ce_soir.reglee = true;
    return {};
}

QString Lire_Magnitude_Limite(const QString& valeur, Options_Batch& o) {
    if (valeur == QStringLiteral("aucune")) {
        o.ce_soir.magnitude_limite.reset();
        o.ce_soir.reglee = true;
        return {};
    }
    const std::optional<double> m = Nombre_Borne(valeur, Magnitude_Limite_Basse, Magnitude_Limite_Haute);
    if (!m)
        return QStringLiteral("magnitude limite invalide : %1 (attendu de -30 à 35, ou aucune)").arg(valeur);
    o.ce_soir.magnitude_limite = *m;
    o.ce_soir.reglee = true;
    return {};
}

QString Lire_Elongation_Minimale(const QString& valeur, Options_Batch& o) {
    const std::optional<double> e = Nombre_Borne(valeur, 0, 180);
    if (!e)
        return QStringLiteral("élongation minimale invalide : %1 (attendu de 0 à 180 degrés)").arg(valeur);
    o.ce_soir.elongation_minimale = *e;
    o.ce_soir.reglee = true;
    return {};
}

// J/M/A, whole numbers, a day its month has, years 1 to 9999.
QString Lire_Date_Nuit(const QString& valeur, Options_Batch& o) {
    const QStringList parties = valeur.split(u'/');
    bool ok[3] = {false, false, false};
    const int jour = parties.value(0).toInt(&ok[0]);
    const int mois = parties.value(1).toInt(&ok[1]);
    const int an = parties.value(2).toInt(&ok[2]);
    if (parties.size() != 3 || !ok[0] || !ok[1] || !ok[2] || an < 1 || an > 9999 || mois < 1 || mois > 12 ||
        jour < 1 || jour > Longueur_Mois(mois, an))
        return QStringLiteral("date invalide : %1 (attendu J/M/A, un jour du calendrier de l'an 1 à 9999)")
            .arg(valeur);
    o.ce_soir.date = QDate(an, mois, jour);
    o.ce_soir.reglee = true;
    return {};
}

// Tonight's list reads catalogue files at a site, and writes text or TSV.
QString Verifier_Ce_Soir(const Options_Batch& o, const QStringList& fichiers) {
    const Options_Ce_Soir& c = o.ce_soir;
    if (!c.actif) {
        if (c.reglee)
            return QStringLiteral(
                "--date, --hauteur-minimale, --magnitude-limite et --elongation-minimale "
                "demandent --ce-soir");
        return {};
    }
    if (c.fichiers.isEmpty()) return QStringLiteral("--ce-soir demande --importer FICHIER");
    if (!fichiers.isEmpty())
        return QStringLiteral("--ce-soir lit les fichiers de --importer, sans fichier d'éléments");
    if (!o.lieu) return QStringLiteral("--ce-soir demande le lieu d'observation : --lieu LAT,LON[,ALT]");
    if (o.format == Format_Sortie::Pdf)
        return QStringLiteral("--ce-soir écrit du texte ou du TSV, pas de pdf");
    if (!o.objet.isEmpty() || o.rang > 0 || o.lister || !o.monture.hote.isEmpty())
        return QStringLiteral("--ce-soir exclut --objet, --rang, --lister et --monture");
    return {};
}

QString Lire_Cote(const QString& valeur, Options_Batch& o) {
    if (valeur != QStringLiteral("avant") && valeur != QStringLiteral("apres"))
        return QStringLiteral("côté du périhélie inconnu : %1 (attendu avant ou apres)").arg(valeur);
    o.magnitudes.cote = valeur;
    return {};
}

QString Verifier_Magnitudes(const Options_Batch& o) {
    const Options_Magnitudes& m = o.magnitudes;
    if (m.fichier.isEmpty() && (!m.cote.isEmpty() || !m.observateur.isEmpty()))
        return QStringLiteral("--cote et --observateur demandent --magnitudes-observees");
    return {};
}

const QString Nom_Programme = QStringLiteral("trajectel-ephemeride");

// One row per option: its names (a single letter is a short option), the
// name of its value in the help (empty for a switch), its help line, and what
// it does to the options.
struct Option_Ligne {
    QStringList noms;
    QString valeur;
    QString aide;
    QString (*lire)(const QString& valeur, Options_Batch& o);
};

const std::vector<Option_Ligne>& Table_Options() {
    static const std::vector<Option_Ligne> table = {
        {{QStringLiteral("debut")},
         QStringLiteral("J/M/A"),
         QStringLiteral(
             "date du début, le jour avec ou sans fraction, l'année de 1 à 9999 (par défaut aujourd'hui)"),
         Lire_Debut},
        {{QStringLiteral("pas")},
         QStringLiteral("N"),
         QStringLiteral("pas entier positif (par défaut 1)"),
         Lire_Pas},
        {{QStringLiteral("unite")},
         Unites.join(u'|'),
         QStringLiteral("unité du pas (par défaut jours)"),
         [](const QString& v, Options_Batch& o) {
             return Lire_Choix(v, Unites, QStringLiteral("unité"), o.unite);
         }},
        {{QStringLiteral("instrument")},
         Instruments.join(u'|'),
         QStringLiteral("instrument dont on calcule les réglages (par défaut Aucun)"),
         [](const QString& v, Options_Batch& o) {
             return Lire_Choix(v, Instruments, QStringLiteral("instrument"), o.instrument);
         }},
        {{QStringLiteral("separateur")},
         QStringLiteral(",|."),
         QStringLiteral("séparateur décimal (par défaut celui du système)"),
         Lire_Separateur},
        {{QStringLiteral("format")},
         QStringLiteral("texte|tsv|pdf"),
         QStringLiteral("format de la sortie (par défaut texte) ; pdf imprime la page complète"),
         Lire_Format},
        {{QStringLiteral("sortie")},
         QStringLiteral("CHEMIN"),
         QStringLiteral("fichier écrit (par défaut la sortie standard ; exigé par le format pdf)"),
         Lire_Sortie},
        {{QStringLiteral("lieu")},
         QStringLiteral("LAT,LON[,ALT]"),
         QStringLiteral(
             "ajoute la visibilité depuis ce lieu : latitude nord et longitude est en degrés, "
             "altitude en mètres, décimales avec un point ; --lieu=-33.9,151.2 pour une latitude sud"),
         Lire_Lieu},
        {{QStringLiteral("modele")},
         QStringLiteral("classique|precis"),
         QStringLiteral("modèle de calcul (par défaut precis : place astrométrique, Terre d'ERFA, temps de "
                        "lumière, lignes en TU) ; classique reproduit le calcul d'origine"),
         Lire_Modele},
        {{QStringLiteral("topocentrique")},
         {},
         QStringLiteral("avec --lieu, la place vue du lieu et non du centre de la Terre"),
         [](const QString&, Options_Batch& o) {
             o.modele.topocentrique = true;
             return QString();
         }},
        {{QStringLiteral("apparent")},
         {},
         QStringLiteral("la place apparente de la date (nutation, aberration, équateur et équinoxe vrais), "
                        "où pointe une monture"),
         [](const QString&, Options_Batch& o) {
             o.modele.apparente = true;
             return QString();
         }},
        {{QStringLiteral("deux-corps")},
         {},
         QStringLiteral("le corps sur son orbite képlérienne, sans l'attraction des planètes depuis l'époque "
                        "d'osculation"),
         [](const QString&, Options_Batch& o) {
             o.modele.perturbations = false;
             return QString();
         }},
        {{QStringLiteral("decimales")},
         {},
         QStringLiteral("avec --format tsv, ajoute l'ascension droite en heures, la déclinaison en degrés "
                        "et la distance en UA, non arrondies"),
         [](const QString&, Options_Batch& o) {
             o.decimales = true;
             return QString();
         }},
        {{QStringLiteral("importer")},
         QStringLiteral("FICHIER"),
         QStringLiteral("lit les éléments publiés de FICHIER (comètes ou petites planètes du MPC, XEphem, "
                        "Horizons) au lieu d'un fichier d'éléments"),
         [](const QString& v, Options_Batch& o) {
             o.importer = v;
             return QString();
         }},
        {{QStringLiteral("catalogue")},
         QStringLiteral("NOM"),
         QStringLiteral("lit la copie locale du catalogue NOM (%1) comme --importer lit un fichier")
             .arg(Noms_Catalogues()),
         Lire_Catalogue},
        {{QStringLiteral("actualiser")},
         QStringLiteral("NOM[,NOM…]"),
         QStringLiteral("télécharge les catalogues nommés s'ils ont changé et remplace leur copie locale, "
                        "une ligne par catalogue"),
         Lire_Actualiser},
        {{QStringLiteral("url")},
         QStringLiteral("URL"),
         QStringLiteral("avec --actualiser NOM, l'adresse d'où le télécharger cette fois (un miroir)"),
         Lire_Url},
        {{QStringLiteral("catalogues")},
         {},
         QStringLiteral("écrit la liste des copies locales (nom, objets, date du téléchargement, adresse)"),
         [](const QString&, Options_Batch& o) {
             o.catalogues = true;
             return QString();
         }},
        {{QStringLiteral("objet")},
         QStringLiteral("TEXTE"),
         QStringLiteral("avec --importer ou --catalogue, l'objet dont la désignation ou le nom contient "
                        "TEXTE (sans distinction "
                        "de casse)"),
         [](const QString& v, Options_Batch& o) {
             o.objet = v;
             return QString();
         }},
        {{QStringLiteral("rang")},
         QStringLiteral("N"),
         QStringLiteral("avec --importer ou --catalogue, l'objet de rang N (1 pour le premier) dans la liste "
                        "qu'écrit --lister ; "
                        "avec --objet, il doit aussi contenir TEXTE"),
         Lire_Rang},
        {{QStringLiteral("lister")},
         {},
         QStringLiteral("avec --importer ou --catalogue, écrit la liste des objets du fichier (désignation, "
                        "périhélie, q, e)"),
         [](const QString&, Options_Batch& o) {
             o.lister = true;
             return QString();
         }},
        {{QStringLiteral("monture")},
         QStringLiteral("HOTE:PORT"),
         QStringLiteral("au lieu d'écrire l'éphéméride, pointe la monture du serveur INDI HOTE:PORT (HOTE "
                        "seul : port 7624) sur l'astre et la fait suivre ; une ligne par minute (heure TU, "
                        "place de l'astre, place "
                        "de la monture, écart en secondes d'arc, vitesses envoyées, mode), jusqu'à "
                        "Ctrl-C ou la fin de --duree ; demande --lieu et --appareil"),
         Lire_Monture},
        {{QStringLiteral("appareil")},
         QStringLiteral("NOM"),
         QStringLiteral("avec --monture, la monture du serveur à faire suivre"),
         [](const QString& v, Options_Batch& o) {
             o.monture.appareil = v;
             return QString();
         }},
        {{QStringLiteral("duree")},
         QStringLiteral("MINUTES"),
         QStringLiteral("avec --monture, arrête le suivi après MINUTES minutes (par défaut il continue "
                        "jusqu'à Ctrl-C)"),
         Lire_Duree},
        {{QStringLiteral("jour")},
         {},
         QStringLiteral("avec --monture, permet de pointer l'astre quand le Soleil est levé (refusé sans "
                        "elle : le tube pourrait viser près du Soleil sans personne pour l'arrêter)"),
         [](const QString&, Options_Batch& o) {
             o.monture.jour = true;
             return QString();
         }},
        {{QStringLiteral("journal-indi")},
         QStringLiteral("FICHIER"),
         QStringLiteral(
             "avec --monture, écrit dans FICHIER chaque message XML envoyé au serveur INDI et reçu "
             "de lui, après son heure TU ; passé 10 Mo, le fichier devient FICHIER.1 et un nouveau "
             "commence"),
         [](const QString& v, Options_Batch& o) {
             o.monture.journal = v;
             return QString();
         }},
        {{QStringLiteral("ce-soir")},
         {},
         QStringLiteral("au lieu d'une éphéméride, la liste des objets des fichiers de --importer (une ou "
                        "plusieurs fois) observables la nuit venue depuis --lieu, du plus brillant au plus "
                        "faible"),
         [](const QString&, Options_Batch& o) {
             o.ce_soir.actif = true;
             return QString();
         }},
        {{QStringLiteral("date")},
         QStringLiteral("J/M/A"),
         QStringLiteral("avec --ce-soir, la nuit qui suit ce jour (par défaut ce soir au lieu)"),
         Lire_Date_Nuit},
        {{QStringLiteral("hauteur-minimale")},
         QStringLiteral("DEGRÉS"),
         QStringLiteral("avec --ce-soir, la hauteur que l'objet doit atteindre de nuit, de -5 à 90 (par "
                        "défaut 20)"),
         Lire_Hauteur_Minimale},
        {{QStringLiteral("magnitude-limite")},
         QStringLiteral("M"),
         QStringLiteral("avec --ce-soir, la magnitude la plus faible retenue, de -30 à 35, ou aucune (par "
                        "défaut 12)"),
         Lire_Magnitude_Limite},
        {{QStringLiteral("elongation-minimale")},
         QStringLiteral("DEGRÉS"),
         QStringLiteral("avec --ce-soir, l'écart au Soleil minimal, de 0 à 180 (par défaut aucun)"),
         Lire_Elongation_Minimale},
        {{QStringLiteral("magnitudes-observees")},
         QStringLiteral("FICHIER"),
         QStringLiteral("ajuste la loi de la magnitude totale (M1, K1) aux estimations de l'astre que "
                        "contient FICHIER, au format de l'ICQ (80 colonnes, comme les exports de COBS), et "
                        "l'emploie pour la colonne M1 ; la loi ajustée est écrite sur la sortie d'erreur"),
         [](const QString& v, Options_Batch& o) {
             o.magnitudes.fichier = v;
             return QString();
         }},
        {{QStringLiteral("cote")},
         QStringLiteral("avant|apres"),
         QStringLiteral(
             "avec --magnitudes-observees, les estimations d'avant ou d'après le périhélie seules"),
         Lire_Cote},
        {{QStringLiteral("observateur")},
         QStringLiteral("CODE"),
         QStringLiteral("avec --magnitudes-observees, les estimations de cet observateur seules (son code "
                        "des colonnes 76 à 80)"),
         [](const QString& v, Options_Batch& o) {
             o.magnitudes.observateur = v;
             return QString();
         }},
        {{QStringLiteral("h"), QStringLiteral("aide"), QStringLiteral("help")},
         {},
         QStringLiteral("affiche cette aide"),
         [](const QString&, Options_Batch& o) {
             o.aide = true;
             return QString();
         }},
        {{QStringLiteral("v"), QStringLiteral("version")},
         {},
         QStringLiteral("affiche la version du programme"),
         [](const QString&, Options_Batch& o) {
             o.version = true;
             return QString();
         }},
    };
    return table;
}

QString Nom_Option(const QString& nom) {
    return (nom.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + nom;
}

const Option_Ligne* Trouver_Option(const QString& nom) {
    for (const Option_Ligne& ligne : Table_Options()) {
        if (ligne.noms.contains(nom)) return &ligne;
    }
    return nullptr;
}

// The parser's refusals, in our words: an unknown option, a value missing at
// the end of the line, or a value given to a switch.
QString Erreur_Analyse(const QCommandLineParser& analyse, const QStringList& arguments) {
    const QStringList inconnues = analyse.unknownOptionNames();
    if (!inconnues.isEmpty())
        return QStringLiteral("option inconnue : %1").arg(Nom_Option(inconnues.first()));
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QStringLiteral("--"))) continue;
        const int egal = argument.indexOf(u'=');
        const Option_Ligne* option = Trouver_Option(argument.mid(2, egal < 0 ? -1 : egal - 2));
        if (option && option->valeur.isEmpty() && egal >= 0) {
            return QStringLiteral("l'option %1 ne prend pas de valeur").arg(argument.left(egal));
        }
    }
    if (!arguments.isEmpty()) return QStringLiteral("valeur manquante après %1").arg(arguments.last());
    return QStringLiteral("ligne de commande invalide");
}

QString Lire_Fichier(const QStringList& fichiers, Options_Batch& o) {
    if (!o.actualiser.isEmpty() || o.catalogues) return {};
    if (!o.importer.isEmpty() || !o.catalogue.isEmpty()) {
        if (!fichiers.isEmpty())
            return o.importer.isEmpty() ? QStringLiteral("--catalogue remplace le fichier d'éléments")
                                        : QStringLiteral("--importer remplace le fichier d'éléments");
        if (o.lister && (!o.objet.isEmpty() || o.rang > 0))
            return QStringLiteral("--lister exclut --objet et --rang");
        return {};
    }
    if (o.lister || !o.objet.isEmpty() || o.rang > 0)
        return QStringLiteral("--objet, --rang et --lister demandent --importer ou --catalogue");
    if (fichiers.size() > 1) return QStringLiteral("un seul fichier d'éléments est attendu");
    o.fichier = fichiers.value(0);
    if (o.fichier.isEmpty()) return QStringLiteral("fichier d'éléments manquant");
    return {};
}

}  // namespace

Lecture_Options Lire_Options(const QStringList& arguments) {
    QCommandLineParser analyse;
    for (const Option_Ligne& ligne : Table_Options()) {
        QCommandLineOption option(ligne.noms);
        option.setValueName(ligne.valeur);
        analyse.addOption(option);
    }
    Lecture_Options l;
    if (!analyse.parse(QStringList{Nom_Programme} + arguments)) {
        l.erreur = Erreur_Analyse(analyse, arguments);
        return l;
    }
    for (const Option_Ligne& ligne : Table_Options()) {
        if (!analyse.isSet(ligne.noms.first())) continue;
        const QString valeur = ligne.valeur.isEmpty() ? QString() : analyse.value(ligne.noms.first());
        l.erreur = ligne.lire(valeur, l.options);
        if (!l.erreur.isEmpty()) return l;
    }
    if (l.options.aide || l.options.version) return l;
    l.erreur = Verifier_Catalogues(analyse.positionalArguments(), l.options);
    if (!l.erreur.isEmpty()) return l;
    if (l.options.ce_soir.actif) l.options.ce_soir.fichiers = analyse.values(QStringLiteral("importer"));
    l.erreur = Verifier_Ce_Soir(l.options, analyse.positionalArguments());
    if (!l.erreur.isEmpty() || l.options.ce_soir.actif) return l;
    l.erreur = Lire_Fichier(analyse.positionalArguments(), l.options);
    if (l.erreur.isEmpty()) l.erreur = Verifier_Modele(l.options);
    if (l.erreur.isEmpty()) l.erreur = Verifier_Monture(l.options);
    if (l.erreur.isEmpty()) l.erreur = Verifier_Magnitudes(l.options);
    if (l.erreur.isEmpty() && l.options.format == Format_Sortie::Pdf && l.options.sortie.isEmpty()) {
        l.erreur = QStringLiteral("le format pdf demande --sortie FICHIER.pdf");
    }
    return l;
}

bool Demande_Page_Imprimee(const QStringList& arguments) {
    const Lecture_Options l = Lire_Options(arguments);
    return l.erreur.isEmpty() && !l.options.aide && !l.options.version &&
           l.options.format == Format_Sortie::Pdf;
}

QString Usage_Batch() {
    QString texte =
        QStringLiteral(
            "Usage : %1 [options] FICHIER.elt\n"
            "        %1 [options] --importer FICHIER [--objet TEXTE] [--rang N]\n"
            "        %1 --importer FICHIER --lister\n"
            "        %1 [options] --catalogue NOM [--objet TEXTE] [--rang N] [--lister]\n"
            "        %1 --actualiser NOM[,NOM…] [--url URL]\n"
            "        %1 --catalogues\n"
            "        %1 FICHIER.elt --monture HOTE:PORT --appareil NOM --lieu LAT,LON[,ALT]\n"
            "        %1 --ce-soir --importer FICHIER [--importer FICHIER…] --lieu LAT,LON[,ALT]\n"
            "           [--date J/M/A] [--hauteur-minimale DEGRÉS] [--magnitude-limite M]\n"
            "           [--elongation-minimale DEGRÉS] [--format texte|tsv] [--separateur ,|.]\n"
            "Calcule l'éphéméride de l'astre décrit par le fichier d'éléments, ou de l'objet\n"
            "d'un fichier d'éléments publiés ; avec --monture, le fait suivre par une monture.\n\n"
            "Options :\n")
            .arg(Nom_Programme);
    for (const Option_Ligne& ligne : Table_Options()) {
        QStringList noms;
        for (const QString& nom : ligne.noms) noms << Nom_Option(nom);
        texte += QStringLiteral("  ") + noms.join(QStringLiteral(", "));
        if (!ligne.valeur.isEmpty()) texte += u' ' + ligne.valeur;
        texte += QStringLiteral("\n      ") + ligne.aide + u'\n';
    }
    return texte + QStringLiteral(
                       "\nStatuts de sortie :\n"
                       "  %1  éphéméride écrite, ou suivi arrêté par Ctrl-C, SIGTERM ou la fin de --duree\n"
                       "  %2  éphéméride impossible : il manque des éléments, ou aucune loi ne s'ajuste "
                       "aux magnitudes observées\n"
                       "  %3  ligne de commande refusée, ou --objet désigne plusieurs objets ou aucun\n"
                       "  %4  fichier d'éléments illisible ou sortie impossible à écrire\n"
                       "  %5  --monture : serveur INDI injoignable, ou connexion perdue\n"
                       "  %6  --monture : monture absente du serveur, qui refuse, ne répond plus ou "
                       "disparaît\n"
                       "  %7  --monture : pointage refusé (monture parquée, astre trop bas, jour, place "
                       "incalculable)\n"
                       "  %8  --actualiser : un catalogue n'a pas pu être mis à jour ; sa copie précédente "
                       "est gardée\n")
                       .arg(Succes)
                       .arg(Page_Invalide)
                       .arg(Erreur_Usage)
                       .arg(Fichier_Illisible)
                       .arg(Serveur_Injoignable)
                       .arg(Monture_Defaillante)
                       .arg(Cible_Refusee)
                       .arg(Catalogue_Non_Actualise);
}

QString Version_Batch() {
    return QStringLiteral("%1 %2\n").arg(Nom_Programme, QStringLiteral(TRAJECTEL_VERSION));
}

#include "document/commandes_import.h"

#include <QFile>
#include <QFileInfo>

#include "astro/format.h"
#include "document/commandes_document.h"
#include "document/fichier_elements.h"
#include "document/fichier_lois_epoque.h"
#include "document/fichier_ordinaire.h"
#include "form/edition.h"
#include "page/vue.h"
#include "plateforme/erreur_generale.h"

namespace {

const QString Titre_Import = QStringLiteral("Trajectel - Importer des éléments");
const QString Titre_Choix = QStringLiteral("Trajectel - Choisir un objet");
// The dialog shows each pattern after its description.
const QString Filtre_Import = QStringLiteral("Éléments publiés|*.txt *.dat *.edb|Tous fichiers|*.*");
const QString Aucune_Orbite = QStringLiteral("Ce fichier ne contient aucune orbite dans un format connu.");
const QString Aucune_Orbite_Utilisable = QStringLiteral("Ce fichier ne contient aucune orbite utilisable.");
const QString Pas_Une_Orbite = QStringLiteral("Le texte collé n'est pas une orbite.");
const QString Pas_Une_Orbite_Utilisable = QStringLiteral("Le texte collé n'est pas une orbite utilisable.");

// A sentence for one line left out, and one for several.
struct Texte_Refus {
    int64_t Refus_Comptes::*nombre;
    QString un;
    QString plusieurs;
};
const Texte_Refus Textes_Refus_Lecture[] = {
    {&Refus_Comptes::Ignorees, QStringLiteral("Une ligne illisible a été ignorée."),
     QStringLiteral("%1 lignes illisibles ont été ignorées.")},
    {&Refus_Comptes::Distances_Nulles,
     QStringLiteral("Une orbite dont la distance du périhélie n'est pas positive a été ignorée."),
     QStringLiteral("%1 orbites dont la distance du périhélie n'est pas positive ont été ignorées.")},
    {&Refus_Comptes::Absurdes,
     QStringLiteral("Une orbite absurde (excentricité, distance ou date du périhélie démesurée) a été "
                    "ignorée."),
     QStringLiteral("%1 orbites absurdes (excentricité, distance ou date du périhélie démesurée) ont été "
                    "ignorées.")},
};
const QString Erreur_Ouverture = QStringLiteral("Erreur d'ouverture de fichier");
const QString Erreur_Lecture = QStringLiteral("Erreur de lecture du fichier");
const QString Fichier_Trop_Grand = QStringLiteral("Ce fichier est trop grand pour être importé.");
const QString Texte_Progression = QStringLiteral("Lecture de %1…");
const QString Etat_Importe = QStringLiteral("Éléments de %1 importés de %2");
const QString Etat_Colle = QStringLiteral("Éléments de %1 collés du presse-papiers");
const QString Extension_Elt = QStringLiteral(".elt");
const QString Un_Fichier = QStringLiteral("Un fichier…");

// The local catalogues, then "a file…", as the chooser lists them.
class Sources_Import : public Source_Objets {
public:
    explicit Sources_Import(const std::vector<Catalogue_Propose>& catalogues) : catalogues_(catalogues) {}
    int Nombre() const override { return static_cast<int>(catalogues_.size()) + 1; }
    Ligne_Objet Ligne(int rang) const override {
        const auto k = static_cast<std::size_t>(rang);
        return {k < catalogues_.size() ? catalogues_[k].Texte : Un_Fichier, {}, {}, {}};
    }
    std::vector<int> Chercher(const QString& texte) const override {
        std::vector<int> rangs;
        for (int k = 0; k < Nombre(); ++k)
            if (Ligne(k).Designation.contains(texte, Qt::CaseInsensitive)) rangs.push_back(k);
        return rangs;
    }

private:
    const std::vector<Catalogue_Propose>& catalogues_;
};

// A complete minor-planet catalogue is about 300 MB; the index keeps 32-bit offsets.
constexpr int64_t Taille_Max_Import = int64_t{1} << 30;  // bytes

// The perihelion day field holds 8 characters: "29.63330".
constexpr int Decimales_Jour_Perihelie = 5;
const char* const Motif_Jour_Perihelie = "#0.#####";

// The element file's reader takes plain decimals, as a field does: a value
// too small for them is written with as many decimals as a double holds.
const char* const Motif_Petit_Nombre = "#0.###############";

QString Nombre_Fichier(double x) {
    const std::string general = Format_General(x, '.');
    if (general.find('E') == std::string::npos) return QString::fromStdString(general);
    return QString::fromStdString(Formater_Motif(x, Motif_Petit_Nombre, '.'));
}

// The values of the element file's lines 2 to 20 for an orbit. The
// ephemeris keeps its equinox, or takes that of the elements when it has
// none (the reset leaves none); the magnitudes stay empty: the published
// g and k are not the program's model of observed magnitudes.
std::vector<QString> Valeurs_Orbite(const Programme& p, const Orbite_Publiee& o) {
    const std::optional<Date_Perihelie> date = Date_Arrondie(o.JJ_Perihelie, Decimales_Jour_Perihelie);
    const Date_Perihelie d = date.value_or(Date_Perihelie{});
    std::vector<QString> v = {
        o.Designation,
        Nombre_Fichier(o.e),
        Nombre_Fichier(o.q),
        Nombre_Fichier(o.i),
        Nombre_Fichier(o.Omega),
        Nombre_Fichier(o.gOmega),
        QString::fromStdString(Formater_Motif(d.Jour, Motif_Jour_Perihelie, '.')),
        QString::number(d.Mois),
        QString::number(d.An),
        Nombre_Fichier(o.Equinoxe),
        Nombre_Fichier(p.el.Equinoxe_ephemeride > 0 ? p.el.Equinoxe_ephemeride : o.Equinoxe)};
    v.resize(Libelles_Fichier.size(), QStringLiteral("0"));
    return v;
}

// A published law, marked as read from `source`.
Loi_Magnitude Loi_Importee(const std::optional<Loi_Magnitude>& publiee, const Loi_Magnitude& programme,
                           const std::string& source) {
    if (!publiee) return programme;
    Loi_Magnitude loi = *publiee;
    loi.origine = Origine_Loi::Importee;
    loi.source = source;
    return loi;
}

// The laws, the epoch and the forces the orbit's source gives, from `source`
// (a file's name; none for the clipboard).
void Donnees_Importees(const Orbite_Publiee& o, const QString& source, Lois_Magnitude& lois,
                       Osculation& osculation) {
    const std::string nom = source.toStdString();
    lois.totale = Loi_Importee(o.Loi_Totale, Loi_Totale_Programme(), nom);
    lois.noyau = Loi_Importee(o.Loi_Noyau, Loi_Noyau_Programme(), nom);
    if (std::isfinite(o.JJ_Epoque)) osculation.JJ_Epoque = o.JJ_Epoque;
    osculation.Non_Grav = o.Non_Grav;
    osculation.origine = Origine_Loi::Importee;
    osculation.source = nom;
}

}  // namespace

QStringList Lignes_Orbite(const Programme& p, const Orbite_Publiee& o, const QString& source) {
    const std::vector<QString> valeurs = Valeurs_Orbite(p, o);
    QStringList lignes{QStringLiteral("Trajectel version ") + p.Version_Programme};
    for (std::size_t k = 0; k < Libelles_Fichier.size(); ++k) {
        const Libelle_Fichier& l = Libelles_Fichier[k];
        lignes.append(l.Libelle.toString() + valeurs[k] + l.Unite.toString());
    }
    Lois_Magnitude lois;
    Osculation osculation;
    Donnees_Importees(o, source, lois, osculation);
    return lignes + Ecrire_Lignes_Lois_Epoque(lois, osculation);
}

namespace {

void Signaler_Refus(Boite_Outils& boite, const Refus_Comptes& refus) {
    const QStringList textes = Textes_Refus(refus);
    if (!textes.isEmpty()) boite.Avertissement(Titre_Import, textes.join(u'\n'));
}

// No orbit: none in a known format, or all of them refused and why.
void Signaler_Aucune(Boite_Outils& boite, const Refus_Comptes& refus, const QString& aucune,
                     const QString& inutilisable) {
    if (refus.Distances_Nulles + refus.Absurdes == 0) {
        boite.Avertissement(Titre_Import, aucune);
        return;
    }
    boite.Avertissement(Titre_Import, (QStringList{inutilisable} + Textes_Refus(refus)).join(u'\n'));
}

// The orbit chosen becomes the document, once the modified one is saved or given up.
// `source` is the file's name, empty for the clipboard.
void Prendre_Orbite(Programme& p, const Catalogue_Orbites& catalogue, const Refus_Comptes& refus,
                    const QString& source) {
    std::optional<int> rang = 0;
    if (catalogue.Nombre() > 1) rang = p.boite.Choisir_Objet(Titre_Choix, catalogue);
    if (!rang || *rang < 0 || *rang >= catalogue.Nombre()) return;
    if (!Preparer_Remplacement(p)) return;
    Vider_Document(p);
    const Orbite_Publiee orbite = catalogue.Orbite(*rang);
    Remplir_Orbite(p, orbite, source);
    p.boite.Ecrire_Texte(Controle::StatusBar, source.isEmpty()
                                                  ? Etat_Colle.arg(orbite.Designation)
                                                  : Etat_Importe.arg(orbite.Designation, source));
    Signaler_Refus(p.boite, refus);
}

// Reads the orbits of a text held in memory.
Bilan_Lecture Lire_Texte(const QByteArray& texte, Catalogue_Orbites& catalogue) {
    qsizetype lu = 0;
    return Lire_Orbites(
        [&](char* tampon, int64_t taille) {
            const qsizetype n = std::min<qsizetype>(static_cast<qsizetype>(taille), texte.size() - lu);
            std::copy_n(texte.constData() + lu, n, tampon);
            lu += n;
            return static_cast<int64_t>(n);
        },
        [&](Orbite_Publiee&& o) { catalogue.Ajouter(o); }, [](int64_t) { return true; });
}

void Signaler_Echec(Boite_Outils& boite, Fichier_Orbites::Issue issue) {
    using I = Fichier_Orbites::Issue;
    switch (issue) {
        case I::Inaccessible:
            boite.Bip();
            boite.Avertissement(Titre_Import, Erreur_Ouverture);
            break;
        case I::Trop_Grand:
            boite.Avertissement(Titre_Import, Fichier_Trop_Grand);
            break;
        case I::Echec_Lecture:
            boite.Bip();
            boite.Avertissement(Titre_Import, Erreur_Lecture);
            break;
        case I::Lu:
        case I::Interrompu:
            break;
    }
}

}  // namespace

QStringList Textes_Refus(const Refus_Comptes& refus) {
    QStringList textes;
    for (const Texte_Refus& t : Textes_Refus_Lecture) {
        const int64_t n = refus.*t.nombre;
        if (n > 0) textes << (n == 1 ? t.un : t.plusieurs.arg(n));
    }
    return textes;
}

Fichier_Orbites Lire_Fichier_Orbites(const QString& chemin, const Notation& notation,
                                     const std::function<bool(int64_t lus, int64_t total)>& avancer) {
    using I = Fichier_Orbites::Issue;
    Fichier_Orbites resultat;
    // Only a plain file: a pipe or a device would never end.
    QFile fichier(chemin);
    if (!Ouvrir_Fichier_Ordinaire(fichier)) return resultat;
    const int64_t total = fichier.size();
    if (total > Taille_Max_Import) {
        resultat.issue = I::Trop_Grand;
        return resultat;
    }
    resultat.catalogue = std::make_unique<Catalogue_Orbites>(notation);
    Catalogue_Orbites& catalogue = *resultat.catalogue;
    int64_t restant = total;
    const Bilan_Lecture bilan = Lire_Orbites(
        [&](char* tampon, int64_t taille) {
            // A file that grows while it is read is read up to the size it had.
            const int64_t n = fichier.read(tampon, std::min(taille, restant));
            if (n > 0) restant -= n;
            return n;
        },
        [&](Orbite_Publiee&& o) { catalogue.Ajouter(o); }, [&](int64_t lus) { return avancer(lus, total); });
    catalogue.Compacter();
    resultat.Refus = bilan;
    resultat.issue = bilan.Echec ? I::Echec_Lecture : bilan.Interrompue ? I::Interrompu : I::Lu;
    return resultat;
}

void Remplir_Orbite(Programme& p, const Orbite_Publiee& orbite, const QString& source) {
    Contexte_Document ctx = p.Contexte();
    try {
        Lire_Lignes_Elements(ctx, Lignes_Orbite(p, orbite, source));
    } catch (const Erreur_Generale& e) {
        p.boite.Message_Erreur(e.Message());
    }
    p.document.Modifie = true;
    Rafraichir(p.Page());
}

void Importer_Elements(Programme& p, Etat_Import& etat) {
    const std::vector<Catalogue_Propose> catalogues =
        etat.Catalogues ? etat.Catalogues() : std::vector<Catalogue_Propose>{};
    if (!catalogues.empty()) {
        const std::optional<int> rang = p.boite.Choisir_Objet(Titre_Import, Sources_Import(catalogues));
        if (!rang || *rang < 0) return;
        if (static_cast<std::size_t>(*rang) < catalogues.size()) {
            Importer_Fichier(p, catalogues[static_cast<std::size_t>(*rang)].Chemin);
            return;
        }
    }
    const auto choix = p.boite.Dialogue_Ouvrir({Titre_Import, etat.Dernier_Choix, Filtre_Import, QString()});
    if (!choix || choix->isEmpty()) return;
    etat.Dernier_Choix = *choix;
    Importer_Fichier(p, *choix);
}

void Importer_Fichier(Programme& p, const QString& chemin) {
    Boite_Outils& boite = p.boite;
    const QString nom = QFileInfo(chemin).fileName();
    boite.Commencer_Progression(Texte_Progression.arg(nom), QFileInfo(chemin).size());
    const Fichier_Orbites lu = Lire_Fichier_Orbites(
        chemin, p.notation, [&](int64_t lus, int64_t) { return boite.Avancer_Progression(lus); });
    boite.Terminer_Progression();
    if (lu.issue != Fichier_Orbites::Issue::Lu) {
        Signaler_Echec(boite, lu.issue);
        return;
    }
    if (lu.catalogue->Nombre() == 0) {
        Signaler_Aucune(boite, lu.Refus, Aucune_Orbite, Aucune_Orbite_Utilisable);
        return;
    }
    Prendre_Orbite(p, *lu.catalogue, lu.Refus, nom);
}

void Coller_Elements(Programme& p) {
    Catalogue_Orbites catalogue(p.notation);
    const Bilan_Lecture bilan = Lire_Texte(p.boite.Presse_Papiers().toUtf8(), catalogue);
    if (catalogue.Nombre() == 0) {
        Signaler_Aucune(p.boite, bilan, Pas_Une_Orbite, Pas_Une_Orbite_Utilisable);
        return;
    }
    Prendre_Orbite(p, catalogue, bilan, QString());
}

void Deposer_Fichier(Programme& p, const QString& chemin) {
    if (!chemin.endsWith(Extension_Elt, Qt::CaseInsensitive)) {
        Importer_Fichier(p, chemin);
        return;
    }
    Remplacer_Par_Fichier(p, chemin);
}

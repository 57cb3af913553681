#include "batch/ephemeride.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <map>

#include "astro/elements.h"
#include "batch/catalogues_batch.h"
#include "batch/ce_soir_batch.h"
#include "batch/ecriture_sortie.h"
#include "batch/magnitudes_batch.h"
#include "batch/options_batch.h"
#include "batch/suivi_batch.h"
#include "batch/tableau_batch.h"
#include "document/commandes_import.h"
#include "document/fichier_elements.h"
#include "document/programme.h"
#include "form/lecture_entree_page.h"
#include "page/legendes.h"
#include "plateforme/boite_memoire.h"

namespace {

const QString Renvoi_Aide = QStringLiteral("« trajectel-ephemeride --aide » décrit les options.\n");
// As the import says of the orbits it leaves out.
const QString Orbite_Absurde =
    QStringLiteral("orbite absurde (excentricité, distance ou date du périhélie démesurée) : %1\n");

// The start date as a user would type it, with the decimal separator of the run.
QString Texte_Jour(const Options_Batch& o, const QDate& aujourdhui, char separateur) {
    QString jour = o.jour.isEmpty() ? QString::number(aujourdhui.day()) : o.jour;
    const QChar s = QChar::fromLatin1(separateur);
    return jour.replace(u',', s).replace(u'.', s);
}

// The start date, step, unit and instrument come from the options; the rest
// is what reading the element file would leave on a fresh frame.
Entree_Page Entree_Options(const Programme& p, const Lecture_Elements& lecture, const Options_Batch& o,
                           const QDate& aujourdhui) {
    const char separateur = p.notation.Separateur_Decimal;
    Entree_Page e =
        Lire_Entree_Page(Controles_Apres_Lecture(lecture), p.el, p.page.Champs_A_Corriger, separateur);
    const QString jour = Texte_Jour(o, aujourdhui, separateur);
    const QString mois = o.mois.isEmpty() ? QString::number(aujourdhui.month()) : o.mois;
    const QString an = o.an.isEmpty() ? QString::number(aujourdhui.year()) : o.an;
    e.Debut = Lire_Instant_Saisi(jour, mois, an, separateur);
    e.Textes[Controle::saisie_Jour] = jour;
    e.Textes[Controle::saisie_Mois] = mois;
    e.Textes[Controle::saisie_An] = an;
    e.Pas = o.pas.toInt();
    e.Unite_Pas = Numero_Unite_Pas(o.unite).value_or(p.el.Unite_Pas);
    e.Instrument = Numero_Instrument(o.instrument).value_or(p.el.Instrument);
    e.Textes[Controle::Liste_Instruments] = o.instrument;
    e.Modele = o.modele;
    e.Decimales = o.decimales;
    p.Noter_Origines(e);
    return e;
}

// What the reader says of a file it stopped on or refused, on standard error.
QString Message_Lecture(const Lecture_Elements& lecture) {
    if (lecture.Arret) return *lecture.Arret;
    if (const std::optional<Avertissement_Lecture> a = Avertissement_De(lecture))
        return a->Titre + QStringLiteral(" : ") + a->Texte;
    return {};
}

// The element set read, with the fields the page waits to see corrected.
void Prendre_Lecture(Programme& p, const Lecture_Elements& lecture) {
    p.el = lecture.el;
    const Controles_Lus controles = Controles_Apres_Lecture(lecture);
    p.page.Champs_A_Corriger.clear();
    for (Controle champ : lecture.Refuses)
        p.page.Champs_A_Corriger.emplace_back(champ, controles.Texte(champ));
}

bool Lire_Document(Programme& p, const QString& fichier, Lecture_Elements& lecture, QTextStream& erreurs) {
    p.document.Nom_Fichier = fichier;
    p.document.Dernier_Fichier = Nom_Court(fichier);
    lecture = Lire_Fichier_Elements(fichier, Depart_Lecture{p.notation, p.el, false, {}});
    p.document.Fichier_Ouvert = lecture.Ouvert;
    Prendre_Lecture(p, lecture);
    const QString message = Message_Lecture(lecture);
    if (!message.isEmpty()) erreurs << QStringLiteral("trajectel-ephemeride : ") << message << u'\n';
    return message.isEmpty();
}

// The imported orbit read as its element lines.
void Lire_Orbite(Programme& p, const Orbite_Publiee& orbite, const QString& source,
                 Lecture_Elements& lecture) {
    lecture = Lire_Elements(Lignes_Orbite(p, orbite, source), Depart_Lecture{p.notation, p.el, false, {}});
    Prendre_Lecture(p, lecture);
    p.document.Modifie = true;
}

// The objects listed when --objet names several: enough to choose from.
constexpr std::size_t Objets_Listes_Max = 100;

void Ecrire_Objet(const Ligne_Objet& l, QTextStream& flux) {
    flux << l.Designation << u'\t' << l.Perihelie << u'\t' << l.q << u'\t' << l.e << u'\n';
}

// The object's line, then the laws its source gives.
void Lister_Objet(const Orbite_Publiee& o, const Notation& notation, QTextStream& flux) {
    const Ligne_Objet l = Ligne_Orbite(o, notation);
    flux << l.Designation << u'\t' << l.Perihelie << u'\t' << l.q << u'\t' << l.e << u'\t'
         << Texte_Lois(o, notation) << u'\n';
}

// Why no orbit of the file can be used.
QString Texte_Echec_Import(Issue_Flux issue, const Bilan_Lecture& bilan, const QString& fichier) {
    if (issue == Issue_Flux::Trop_Grand)
        return QStringLiteral("fichier trop grand pour être importé : %1").arg(fichier);
    if (issue != Issue_Flux::Lu || bilan.Echec) return QStringLiteral("impossible de lire %1").arg(fichier);
    if (bilan.Distances_Nulles + bilan.Absurdes > 0)
        return QStringLiteral("aucune orbite utilisable : %1").arg(fichier);
    return QStringLiteral("aucune orbite dans un format connu : %1").arg(fichier);
}

// The objects that --objet and --rang leave, found in one pass over the
// file: only those chosen are completed and kept, with their ranks from 0,
// so that a whole catalogue costs about its reading.
struct Objets_Choisis {
    std::vector<std::pair<int64_t, Orbite_Publiee>> premiers;  // at most Objets_Listes_Max + 1
    int64_t nombre = 0;
};

Choix_Orbite Choix_Options(const Options_Batch& o, const Recherche_Nom& recherche, int64_t& rang_choisi) {
    return [&o, &recherche, &rang_choisi](int64_t rang, std::string_view nom) {
        if (o.rang != 0 && rang != o.rang - 1) return false;
        rang_choisi = rang;
        return recherche.Contient(nom);
    };
}

QString Texte_Aucun_Choisi(int64_t orbites, const Options_Batch& o) {
    if (o.rang == 0) return QStringLiteral("aucun objet ne contient « %1 »").arg(o.objet);
    if (o.rang > orbites)
        return QStringLiteral("pas d'objet de rang %1 : le fichier en compte %2").arg(o.rang).arg(orbites);
    return QStringLiteral("l'objet de rang %1 ne contient pas « %2 »").arg(o.rang).arg(o.objet);
}

// Several objects hold the text: the first ones, to choose from.
int Refuser_Plusieurs(const Objets_Choisis& choisis, const Options_Batch& o, const Notation& notation,
                      QTextStream& erreurs) {
    erreurs << QStringLiteral("trajectel-ephemeride : ")
            << QStringLiteral("%1 objets contiennent « %2 », précisez --objet ou choisissez par --rang :\n")
                   .arg(choisis.nombre)
                   .arg(o.objet);
    for (std::size_t k = 0; k < std::min(choisis.premiers.size(), Objets_Listes_Max); ++k) {
        erreurs << QStringLiteral("%1\t").arg(choisis.premiers[k].first + 1);
        Ecrire_Objet(Ligne_Orbite(choisis.premiers[k].second, notation), erreurs);
    }
    if (choisis.nombre > static_cast<int64_t>(Objets_Listes_Max))
        erreurs << QStringLiteral("… et %1 autres\n")
                       .arg(choisis.nombre - static_cast<int64_t>(Objets_Listes_Max));
    return Erreur_Usage;
}

// The object of a file of published elements becomes the document, as in
// the window. A status when the run ends here: the list, or a refusal.
std::optional<int> Importer_Objet(Programme& p, const Options_Batch& o, Lecture_Elements& lecture,
                                  QTextStream& sortie, QTextStream& erreurs) {
    const Recherche_Nom recherche(o.objet);
    Objets_Choisis choisis;
    int64_t rang_choisi = 0;
    const auto garder = [&](Orbite_Publiee&& orbite) {
        if (o.lister) return Lister_Objet(orbite, p.notation, sortie);
        if (choisis.premiers.size() <= Objets_Listes_Max)
            choisis.premiers.emplace_back(rang_choisi, std::move(orbite));
        ++choisis.nombre;
    };
    Bilan_Lecture bilan;
    const Issue_Flux issue = Lire_Fichier_Orbites_En_Flux(
        o.importer, garder, o.lister ? Choix_Orbite() : Choix_Options(o, recherche, rang_choisi), bilan);
    const QString programme = QStringLiteral("trajectel-ephemeride : ");
    const bool ouvert = issue == Issue_Flux::Lu;
    if (ouvert && !bilan.Echec)
        for (const QString& texte : Textes_Refus(bilan)) erreurs << programme << texte << u'\n';
    if (!ouvert || bilan.Echec || bilan.Orbites == 0) {
        erreurs << programme << Texte_Echec_Import(issue, bilan, o.importer) << u'\n';
        return Fichier_Illisible;
    }
    if (o.lister) return Succes;
    if (choisis.nombre == 1) {
        Lire_Orbite(p, choisis.premiers[0].second, QFileInfo(o.importer).fileName(), lecture);
        return std::nullopt;
    }
    if (choisis.nombre == 0) {
        erreurs << programme << Texte_Aucun_Choisi(bilan.Orbites, o) << u'\n';
        return Erreur_Usage;
    }
    return Refuser_Plusieurs(choisis, o, p.notation, erreurs);
}

// What the page still lacks, in the observer's words.
QString Texte_Manques(const std::vector<Manque_Page>& manques) {
    static const std::map<Manque_Page, QString> mots = {
        {Manque_Page::Distance_Perihelie, QStringLiteral("distance du périhélie")},
        {Manque_Page::Date_Perihelie, QStringLiteral("date du périhélie")},
        {Manque_Page::Equinoxe_Elements, QStringLiteral("équinoxe des éléments")},
        {Manque_Page::Equinoxe_Ephemeride, QStringLiteral("équinoxe de l'éphéméride")},
        {Manque_Page::Pas_Nul, QStringLiteral("pas non nul")},
        {Manque_Page::Date_Debut, QStringLiteral("date de début lisible")},
        {Manque_Page::Champs_A_Corriger, QStringLiteral("correction des champs refusés")},
    };
    QStringList textes;
    for (Manque_Page m : manques) textes << mots.at(m);
    return textes.join(QStringLiteral(", "));
}

Tableau_Batch Calculer_Tableau(const Calcul_Page& calcul) {
    const Colonnes_Batch colonnes = Colonnes_Presentes(calcul);
    Tableau_Batch tableau{Entete_Batch(colonnes), {}};
    Generer_Lignes(calcul, [&](const Ligne_Ephemeride& ligne) {
        tableau.lignes.push_back(Cellules_Ligne(ligne, colonnes, calcul.notation));
    });
    return tableau;
}

QString En_Tete_Texte(const Calcul_Page& calcul) {
    const Entree_Page& e = calcul.entree;
    QString texte = QStringLiteral("Ephéméride de %1\n").arg(e.Texte(Controle::Commentaire));
    texte += QStringLiteral("Equinoxe des éléments = %1    Equinoxe de l'éphéméride = %2\n")
                 .arg(e.Texte(Controle::Equinoxe), e.Texte(Controle::Equinoxe_ephemeride));
    if (calcul.el.Instrument > 0) {
        texte += QStringLiteral("Instrument d'observation : %1\n").arg(e.Texte(Controle::Liste_Instruments));
    }
    const QString modele = Texte_Modele(calcul);
    if (!modele.isEmpty()) texte += QStringLiteral("Calcul : %1\n").arg(modele);
    for (const QString& ligne : Textes_Magnitudes(calcul)) texte += ligne + u'\n';
    return texte + u'\n';
}

bool Ecrire_Sortie(const QString& texte, const Options_Batch& o, QTextStream& sortie, QTextStream& erreurs) {
    if (o.sortie.isEmpty()) {
        sortie << texte;
        return true;
    }
    const QString raison = Ecrire_Fichier_Sortie(o.sortie, texte.toUtf8());
    if (!raison.isEmpty()) erreurs << Message_Ecriture_Impossible(o.sortie, raison);
    return raison.isEmpty();
}

Notation Notation_Batch(const Options_Batch& o) {
    Notation n = Trouver_Notation();
    if (o.separateur) n.Separateur_Decimal = *o.separateur;
    return n;
}

}  // namespace

int Executer_Ephemeride(const QStringList& arguments, QTextStream& sortie, QTextStream& erreurs,
                        const QDate& aujourdhui, Impression_Pdf imprimer, const QDateTime& maintenant) {
    const Lecture_Options lecture = Lire_Options(arguments);
    if (!lecture.erreur.isEmpty()) {
        erreurs << QStringLiteral("trajectel-ephemeride : ") << lecture.erreur << u'\n' << Renvoi_Aide;
        return Erreur_Usage;
    }
    Options_Batch o = lecture.options;
    if (o.aide || o.version) {
        sortie << (o.aide ? Usage_Batch() : Version_Batch());
        return Succes;
    }
    if (!o.actualiser.isEmpty())
        return Actualiser_En_Batch(o.actualiser, o.url, Environnement_Utilisateur(), sortie, erreurs);
    if (o.catalogues) return Lister_Catalogues(Dossier_Catalogues(), sortie, erreurs);
    if (!o.catalogue.isEmpty()) {
        const std::optional<Copie_Locale> copie = Trouver_Copie(o.catalogue);
        if (!copie) {
            erreurs << QStringLiteral(
                           "trajectel-ephemeride : pas de copie locale du catalogue %1 ; "
                           "« trajectel-ephemeride --actualiser %1 » la télécharge\n")
                           .arg(o.catalogue);
            return Fichier_Illisible;
        }
        o.importer = copie->chemin;
    }
    if (o.ce_soir.actif) return Executer_Ce_Soir(o, Notation_Batch(o), maintenant, sortie, erreurs);
    Boite_Memoire boite;
    Programme p(boite, Notation_Batch(o), QStringLiteral(TRAJECTEL_VERSION));
    p.site = o.lieu;
    Lecture_Elements elements;
    if (!o.importer.isEmpty()) {
        if (const std::optional<int> statut = Importer_Objet(p, o, elements, sortie, erreurs)) return *statut;
    } else if (!Lire_Document(p, o.fichier, elements, erreurs)) {
        return Fichier_Illisible;
    } else if (Orbite_Demesuree(p.el)) {
        erreurs << QStringLiteral("trajectel-ephemeride : ") << Orbite_Absurde.arg(o.fichier);
        return Page_Invalide;
    }
    const Calcul_Page calcul = p.Calcul(Entree_Options(p, elements, o, aujourdhui));
    if (!Preparer_Page(calcul)) {
        erreurs << QStringLiteral("trajectel-ephemeride : éphéméride impossible, il manque : ")
                << Texte_Manques(Manques_Page(p.el, calcul.entree)) << u'\n';
        return Page_Invalide;
    }
    // The estimates are reduced with the prepared elements; the page then takes the fitted law.
    if (!o.magnitudes.fichier.isEmpty()) {
        if (const std::optional<int> statut =
                Ajuster_Magnitudes(p, calcul.entree.Texte(Controle::Commentaire), o.magnitudes, erreurs))
            return *statut;
        Preparer_Page(calcul);
    }
    if (!o.monture.hote.isEmpty())
        return Suivre_Avec_Monture(p.el, Mouvement_Monture(calcul), *o.lieu, o.monture, sortie, erreurs);
    if (o.format == Format_Sortie::Pdf) {
        if (imprimer) return imprimer(p.Page(calcul), boite, o.sortie, erreurs);
        erreurs << QStringLiteral("trajectel-ephemeride : ce programme n'imprime pas de page PDF\n");
        return Fichier_Illisible;
    }
    const Tableau_Batch tableau = Calculer_Tableau(calcul);
    const QString texte = o.format == Format_Sortie::Tsv ? Tableau_Tsv(tableau)
                                                         : En_Tete_Texte(calcul) + Tableau_Texte(tableau);
    return Ecrire_Sortie(texte, o, sortie, erreurs) ? Succes : Fichier_Illisible;
}

int Executer_Sur_Console(Impression_Pdf imprimer) {
    Sortie_Standard standard;
    QTextStream sortie(&standard);
    QTextStream erreurs(stderr);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    int statut = Executer_Ephemeride(arguments, sortie, erreurs, QDate::currentDate(), imprimer,
                                     QDateTime::currentDateTimeUtc());
    sortie.flush();
    if (sortie.status() != QTextStream::Ok) {
        erreurs << Message_Ecriture_Impossible(QStringLiteral("la sortie standard"), standard.Raison());
        statut = Fichier_Illisible;
    }
    erreurs.flush();
    return statut;
}

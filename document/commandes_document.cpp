#include "document/commandes_document.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "document/configuration.h"
#include "document/fichier_elements.h"
#include "document/raison_echec.h"
#include "form/edition.h"
#include "plateforme/erreur_generale.h"

namespace {

const QString Titre_Ouvrir = QStringLiteral("Trajectel - ouvrir un fichier");
const QString Titre_Enregistrer = QStringLiteral("Trajectel - Enregistrer");
const QString Filtre = QStringLiteral("Fichiers éléments *.elt|*.elt|Tous fichiers *.*|*.*");
const QString Extension = QStringLiteral("elt");
const QString Extension_Elt = QStringLiteral(".elt");
const QString Extension_Bak = QStringLiteral(".bak");
const QString Extension_Tmp = QStringLiteral(".tmp");
constexpr qsizetype Longueur_Extension = 4;  // characters of ".elt"

const QString Question_Sans_Nom = QStringLiteral("Voulez-vous enregistrer ce fichier?");
const QString Question_Nommee = QStringLiteral("Voulez-vous enregistrer :");
const QString Question_Ecraser = QStringLiteral("Ce fichier existe déjà, voulez-vous l'écraser?");
const QString Erreur_Creation = QStringLiteral("Erreur d'ouverture du fichier");
const QString Erreur_Ecriture = QStringLiteral("Erreur d'écriture du fichier");

// Characters of the name in the save prompt.
constexpr qsizetype Nom_Entier_Max = 36;
constexpr qsizetype Debut_Abrege = 15;
constexpr qsizetype Fin_Abrege = 16;

// Tries at a free name for the backup's link before it takes the backup's
// place; each collides only with a name another save is using at that moment.
constexpr int Essais_Nom_Libre = 16;
constexpr qint64 Taille_Bloc_Copie = 1 << 16;  // bytes

// Each "No" to the overwrite question shows the save dialog again; a
// scripted or stuck dialog must not keep it going for ever.
constexpr int Tours_Max_Enregistrer_Sous = 100;

void Activer_Enregistrer(Boite_Outils& boite, bool actif) {
    boite.Activer(Controle::ToolEnregistrer, actif);
    boite.Activer(Controle::Enregistrer, actif);
}

Dialogue_Fichier Dialogue(const QString& titre, const QString& nom_initial) {
    return {titre, nom_initial, Filtre, Extension};
}

// Save As proposes the last name without its extension nor final points.
QString Nom_Propose(const QString& Dernier_Fichier) {
    QString nom =
        Dernier_Fichier.size() > Longueur_Extension ? Dernier_Fichier.chopped(Longueur_Extension) : QString();
    while (nom.endsWith(u'.')) nom.chop(1);
    return nom;
}

// A hard link to the file (to its target, for a symbolic link) under a name
// beside `cible` that nothing holds yet; false where the file system has no
// hard links, or the file is missing.
bool Lier_Sous_Nom_Libre(const QString& nom, const QString& cible, QByteArray& lien) {
    const QByteArray source = QFile::encodeName(nom);
    for (int essai = 0; essai < Essais_Nom_Libre; ++essai) {
        const quint32 hasard = QRandomGenerator::global()->generate();
        lien = QFile::encodeName(cible + QStringLiteral(".%1").arg(hasard, 8, 16, QLatin1Char('0')));
        if (::linkat(AT_FDCWD, source.constData(), AT_FDCWD, lien.constData(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST) return false;
    }
    return false;
}

// The file's content copied to `cible`, which it replaces whole once on disk.
bool Copier_Synchronise(const QString& nom, const QString& cible) {
    QFile source(nom);
    QSaveFile copie(cible);
    if (!source.open(QIODevice::ReadOnly) || !copie.open(QIODevice::WriteOnly)) return false;
    QByteArray bloc(Taille_Bloc_Copie, Qt::Uninitialized);
    for (qint64 lu = 0; (lu = source.read(bloc.data(), bloc.size())) != 0;) {
        if (lu < 0 || copie.write(bloc.constData(), lu) != lu) {
            copie.cancelWriting();
            return false;
        }
    }
    return copie.commit();
}

// The element file written to `nom` with its backup; the document's state is
// the caller's to change. A failure shows its warning box, with the path and
// the system's reason below, and leaves the file and its backup as they were.
bool Ecrire_Document(Programme& p, const QString& nom, Regle_Sauvegarde regle) {
    using R = Ecriture_Fichier::Resultat;
    Contexte_Document ctx = p.Contexte();
    const QByteArray contenu = Encoder_Lignes_Elements(Ecrire_Lignes_Elements(ctx));
    const QString sauvegarde = Nom_Sauvegarde(nom);
    bool cree = false;
    const Ecriture_Fichier e = Ecrire_Fichier_Entier(nom, contenu, [&] {
        const bool existait = QFileInfo::exists(sauvegarde);
        cree = Faire_Sauvegarde(nom, sauvegarde, regle) && !existait;
    });
    if (e.resultat == R::Ecrit) return true;
    // The file was never moved: a backup made for this save goes again.
    if (cree) QFile::remove(sauvegarde);
    const QString& message = e.resultat == R::Echec_Creation ? Erreur_Creation : Erreur_Ecriture;
    p.boite.Avertissement(Titre_Enregistrer, Message_Echec(message, nom, e.code, e.erreur));
    return false;
}

// The document is now the file Nom_Fichier, saved.
void Terminer_Enregistrement(Programme& p) {
    Etat_Document& d = p.document;
    d.Dernier_Fichier = d.Nom_Fichier;
    p.boite.Ecrire_Texte(Controle::Principale, Legende_Principale(d.Nom_Fichier));
    Mettre_A_Jour_Historique(p.historique, d, p.boite);
    d.Modifie = false;
    Activer_Enregistrer(p.boite, false);
}

// The window reads regular files only. A number the reader cannot convert
// ends the read: it is reported, and the file is not taken as the document.
bool Lire_Sans_Echec(Programme& p) {
    try {
        Contexte_Document contexte = p.Contexte();
        Lire_Fichier_Elements(contexte, Fichiers_Lus::Ordinaires);
        return true;
    } catch (const Erreur_Generale& e) {
        p.boite.Message_Erreur(e.Message());
        return false;
    }
}

// The document becomes the file `chemin`; `k` is its place in the recent
// files (0 for none), which it leaves when it cannot be opened.
void Ouvrir_Chemin(Programme& p, const QString& chemin, int k) {
    Etat_Document& d = p.document;
    d.Nom_Fichier = chemin;
    d.Dernier_Fichier = chemin;
    p.boite.Ecrire_Texte(Controle::Principale, Legende_Principale(chemin));
    if (Charger_Document(p)) return;
    if (!d.Fichier_Ouvert && k > 0) Retirer_Historique(p.historique, k);
    Mettre_A_Jour_Historique(p.historique, d, p.boite);
}

// Place (1 to 10) of a path in the recent files, 0 when it is not there.
int Rang_Historique(const Historique& h, const QString& chemin) {
    const auto trouve = std::find(h.Entrees.begin(), h.Entrees.end(), chemin);
    return trouve == h.Entrees.end() ? 0 : static_cast<int>(trouve - h.Entrees.begin()) + 1;
}

bool Rang_Valide(int k) { return k >= 1 && k <= Taille_Historique; }

// What is saved is what the field being edited shows.
void Appliquer_Sortie_En_Cours(Programme& p) {
    Contexte_Formulaire formulaire = p.Formulaire();
    Appliquer_Sortie(formulaire);
}

}  // namespace

bool Faire_Sauvegarde(const QString& nom, const QString& sauvegarde, Regle_Sauvegarde regle) {
    if (regle == Regle_Sauvegarde::Garder && QFileInfo::exists(sauvegarde)) return false;
    QByteArray lien;
    if (Lier_Sous_Nom_Libre(nom, sauvegarde, lien)) {
        if (std::rename(lien.constData(), QFile::encodeName(sauvegarde).constData()) == 0) return true;
        ::unlink(lien.constData());
        return false;
    }
    return Copier_Synchronise(nom, sauvegarde);
}

QString Legende_Principale(const QString& Nom_Fichier) {
    return Nom_Fichier.isEmpty() ? Titre_Programme
                                 : Titre_Programme + QStringLiteral(" - ") + Nom_Court(Nom_Fichier);
}

QString Nom_Sauvegarde(const QString& nom) {
    const qsizetype dossier = std::max(nom.lastIndexOf(u'/'), nom.lastIndexOf(u'\\'));
    const qsizetype point = nom.lastIndexOf(u'.');
    return (point > dossier ? nom.left(point) : nom) + Extension_Bak;
}

QString Ajouter_Extension_Elt(const QString& nom) {
    const QString fin = nom.right(Longueur_Extension);
    const bool connue = nom.size() >= Longueur_Extension &&
                        (fin == Extension_Elt || fin == Extension_Bak || fin == Extension_Tmp);
    return (connue ? nom.chopped(Longueur_Extension) : nom) + Extension_Elt;
}

QString Nom_Abrege(const QString& nom) {
    if (nom.size() <= Nom_Entier_Max) return nom;
    return nom.left(Debut_Abrege) + QStringLiteral(" ... ") + nom.right(Fin_Abrege);
}

Reponse Demander_Enregistrement(Programme& p) {
    const Etat_Document& d = p.document;
    if (!d.Modifie) return Reponse::Non;
    const QString question = d.Nom_Fichier.isEmpty()
                                 ? Question_Sans_Nom
                                 : Question_Nommee + u'\r' + Nom_Abrege(d.Nom_Fichier) + QStringLiteral(" ?");
    return p.boite.Confirmer(question, Reponse::Oui);
}

bool Preparer_Remplacement(Programme& p) {
    Contexte_Formulaire formulaire = p.Formulaire();
    Donner_Focus(formulaire, Controle::saisie_q);
    switch (Demander_Enregistrement(p)) {
        case Reponse::Oui:
            return p.document.Nom_Fichier.isEmpty() ? Enregistrer_Sous(p) : Enregistrer_Document(p);
        case Reponse::Non:
            return true;
        case Reponse::Annuler:
            break;
    }
    return false;
}

bool Enregistrer_Document(Programme& p) {
    if (p.document.Nom_Fichier.isEmpty()) return false;
    if (!Ecrire_Document(p, p.document.Nom_Fichier, Regle_Sauvegarde::Garder)) return false;
    Terminer_Enregistrement(p);
    return true;
}

bool Enregistrer_Sous(Programme& p) {
    Etat_Document& d = p.document;
    d.Sauvegarde_Faite = false;
    for (int tour = 0; tour < Tours_Max_Enregistrer_Sous; ++tour) {
        const auto choix =
            p.boite.Dialogue_Enregistrer(Dialogue(Titre_Enregistrer, Nom_Propose(d.Dernier_Fichier)));
        if (!choix || choix->isEmpty()) return false;
        const QString nom = Ajouter_Extension_Elt(*choix);
        Regle_Sauvegarde regle = Regle_Sauvegarde::Garder;
        if (QFileInfo::exists(nom)) {
            const Reponse r = p.boite.Confirmer(Question_Ecraser, Reponse::Annuler);
            if (r == Reponse::Non) continue;
            if (r == Reponse::Annuler) return false;
            regle = Regle_Sauvegarde::Remplacer;
        }
        if (!Ecrire_Document(p, nom, regle)) return false;
        d.Nom_Fichier = nom;
        Terminer_Enregistrement(p);
        d.Sauvegarde_Faite = true;
        return true;
    }
    return false;
}

bool Charger_Document(Programme& p) {
    Etat_Document& d = p.document;
    d.Erreur_Fichier = false;
    if (Lire_Sans_Echec(p) && d.Fichier_Ouvert) {
        Mettre_A_Jour_Historique(p.historique, d, p.boite);
        Rafraichir(p.Page());
    } else {
        d.Erreur_Fichier = true;
    }
    if (!d.Erreur_Fichier) return true;
    d.Nom_Fichier.clear();
    d.Dernier_Fichier.clear();
    p.boite.Ecrire_Texte(Controle::Principale, Titre_Programme);
    return false;
}

void Ouvrir_Fichier(Programme& p, Etat_Ouverture& ouverture) {
    const auto choix = p.boite.Dialogue_Ouvrir(Dialogue(Titre_Ouvrir, ouverture.Dernier_Choix));
    if (!choix || choix->isEmpty()) return;
    ouverture.Dernier_Choix = *choix;
    Etat_Document& d = p.document;
    d.Nom_Fichier = *choix;
    d.Dernier_Fichier = *choix;
    p.boite.Ecrire_Texte(Controle::Principale, Legende_Principale(*choix));
    Charger_Document(p);
}

void Ouvrir_Document(Programme& p, Etat_Ouverture& ouverture) {
    if (!Preparer_Remplacement(p)) return;
    Vider_Document(p);
    Ouvrir_Fichier(p, ouverture);
}

void Ouvrir_Historique(Programme& p, int k) {
    if (!Rang_Valide(k)) return;
    Ouvrir_Chemin(p, p.historique.Entrees[static_cast<std::size_t>(k - 1)], k);
}

void Choisir_Historique(Programme& p, int k) {
    if (!Rang_Valide(k)) return;
    Remplacer_Par_Fichier(p, p.historique.Entrees[static_cast<std::size_t>(k - 1)]);
}

void Remplacer_Par_Fichier(Programme& p, const QString& chemin_donne) {
    const QString chemin = chemin_donne;  // may be an entry of the list the prompt's save moves
    if (!Preparer_Remplacement(p)) return;
    Vider_Document(p);
    // A save made for the prompt puts its file first and moves the others
    // down: the file chosen is looked for by its path, not by its old place.
    Ouvrir_Chemin(p, chemin, Rang_Historique(p.historique, chemin));
}

void Vider_Document(Programme& p) {
    Contexte_Formulaire formulaire = p.Formulaire();
    Reinitialiser_Fiche(formulaire);
    p.page.Champs_A_Corriger.clear();
}

void FileNew1Execute(Programme& p) {
    if (!Preparer_Remplacement(p)) return;
    Vider_Document(p);
}

void FileOpen1Execute(Programme& p, Etat_Ouverture& ouverture) { Ouvrir_Document(p, ouverture); }

void FileSave1Execute(Programme& p) {
    Appliquer_Sortie_En_Cours(p);
    if (p.document.Nom_Fichier.isEmpty())
        Enregistrer_Sous(p);
    else
        Enregistrer_Document(p);
}

void FileSaveAs1Execute(Programme& p) {
    Appliquer_Sortie_En_Cours(p);
    Enregistrer_Sous(p);
}

#include "document/historique.h"

#include <algorithm>

namespace {

using Entrees = std::array<QString, Taille_Historique>;

// A file name this long is shown alone, cut when it has 50 characters or more.
constexpr int Nom_Long = 47;
constexpr int Libelle_Max = 50;  // captions shorter than this are shown whole
constexpr int Debut_Chemin = 9;  // characters kept at the start of a cut path
constexpr int Fin_Chemin = 50;   // characters kept at the end of a cut path
const QString Points = QStringLiteral("...");

constexpr std::array<Controle, Taille_Historique> Articles = {
    Controle::Historique1, Controle::Historique2, Controle::Historique3, Controle::Historique4,
    Controle::Historique5, Controle::Historique6, Controle::Historique7, Controle::Historique8,
    Controle::Historique9, Controle::Historique10};

// Entries after index k move up one place; the last one keeps its text.
void Remonter_Apres(Entrees& e, int k) {
    for (int j = k; j + 1 < Taille_Historique; ++j) e[j] = e[j + 1];
}

void Inserer(Entrees& e, const QString& Nom_Fichier) {
    const QString nom = Nom_Fichier.trimmed();
    for (QString& entree : e) {
        if (entree.endsWith(u' ')) entree.chop(1);
        if (entree.trimmed() == nom) entree.clear();
    }
    // One pass only: two empty entries in a row leave one of them in place.
    for (int k = 0; k + 1 < Taille_Historique; ++k) {
        if (e[k].isEmpty()) Remonter_Apres(e, k);
    }
    for (int k = Taille_Historique - 1; k > 0; --k) e[k] = e[k - 1];
    e[0] = Nom_Fichier;
}

QString Libelle(const QString& entree) {
    const QString n = Nom_Court(entree);
    if (n.size() >= Nom_Long) return n.size() < Libelle_Max ? n : n.left(Nom_Long) + Points;
    if (entree.size() < Libelle_Max) return entree;
    return entree.left(Debut_Chemin) + Points + entree.right(Fin_Chemin);
}

void Construire_Menu(const Historique& h, Boite_Outils& boite) {
    for (const Controle article : Articles) boite.Montrer(article, false);
    if (h.Entrees[0].isEmpty()) {
        boite.Montrer(Controle::N3, false);
        return;
    }
    boite.Montrer(Controle::N3, true);
    for (int k = 0; k < Taille_Historique && !h.Entrees[k].isEmpty(); ++k) {
        const QString prefixe = QStringLiteral("&%1 ").arg(k + 1);
        boite.Ecrire_Texte(Articles[k], prefixe + h.Libelles_Historique[k]);
        boite.Montrer(Articles[k], true);
    }
}

}  // namespace

QString Nom_Court(const QString& chemin) {
    const qsizetype dernier = std::max(chemin.lastIndexOf(u'/'), chemin.lastIndexOf(u'\\'));
    return chemin.mid(dernier + 1);
}

void Mettre_A_Jour_Historique(Historique& historique, const Etat_Document& document, Boite_Outils& boite) {
    if (!document.Dernier_Fichier.isEmpty()) Inserer(historique.Entrees, document.Nom_Fichier);
    for (int k = 0; k < Taille_Historique; ++k) {
        historique.Libelles_Historique[k] = Libelle(historique.Entrees[k]);
    }
    Construire_Menu(historique, boite);
}

void Retirer_Historique(Historique& historique, int k) {
    if (k < 1 || k > Taille_Historique) return;
    historique.Entrees[k - 1].clear();
    Remonter_Apres(historique.Entrees, k - 1);
    historique.Entrees[Taille_Historique - 1].clear();
}

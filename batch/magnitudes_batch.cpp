#include "batch/magnitudes_batch.h"

#include <QFileInfo>

#include "document/ajustement_estimations.h"
#include "document/lecture_icq.h"

namespace {

const QString Programme_Batch = QStringLiteral("trajectel-ephemeride : ");
const QString Illisible = QStringLiteral("impossible de lire %1");
const QString Lignes_Ecartees = QStringLiteral("%1 : %2");
const QString Pas_De_Loi = QStringLiteral("aucune loi ajustée aux magnitudes de %1 : %2");

Choix_Ajustement Choix(const Options_Magnitudes& o) {
    Choix_Ajustement c;
    if (o.cote == QStringLiteral("avant")) c.cote = Cote_Perihelie::Avant;
    if (o.cote == QStringLiteral("apres")) c.cote = Cote_Perihelie::Apres;
    c.observateur = o.observateur;
    return c;
}

}  // namespace

std::optional<int> Ajuster_Magnitudes(Programme& p, const QString& objet, const Options_Magnitudes& o,
                                      QTextStream& erreurs) {
    const Lecture_Icq lecture = Lire_Fichier_Icq(o.fichier, [](int64_t, int64_t) { return true; });
    if (lecture.issue != Lecture_Icq::Issue::Lu) {
        erreurs << Programme_Batch << Illisible.arg(o.fichier) << u'\n';
        return Fichier_Illisible;
    }
    const QString nom = QFileInfo(o.fichier).fileName();
    const QStringList rejets = Textes_Rejets(lecture);
    if (!rejets.isEmpty())
        erreurs << Programme_Batch << Lignes_Ecartees.arg(nom, rejets.join(QStringLiteral(", "))) << u'\n';
    const Ajustement_Estimations a = Ajuster_Estimations(p.el, objet, lecture, Choix(o));
    if (!a.remarque.isEmpty()) erreurs << Programme_Batch << a.remarque << u'\n';
    if (!a.Reussi()) {
        erreurs << Programme_Batch << Pas_De_Loi.arg(nom, a.refus) << u'\n';
        return Page_Invalide;
    }
    p.el.Lois.totale = Loi_Ajustee(a, nom);
    erreurs << Texte_Loi_Ajustee(a.resultat, p.notation.Separateur_Decimal) << u'\n';
    return std::nullopt;
}

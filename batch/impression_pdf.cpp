#include "batch/impression_pdf.h"

#include <QBuffer>
#include <QPdfWriter>

#include "batch/ecriture_sortie.h"
#include "batch/options_batch.h"
#include "page/dessin.h"
#include "page/vue.h"
#include "peinture/canevas_qpainter.h"
#include "plateforme/boite_memoire.h"

namespace {

constexpr int Resolution_Pdf = 300;  // dots per inch

// The writer closes a document it finished with this mark.
bool Document_Termine(const QByteArray& pdf) {
    return pdf.startsWith("%PDF") && pdf.trimmed().endsWith("%%EOF");
}

}  // namespace

// The printed page, drawn by the print command into a PDF document instead
// of a printer: the print dialog is answered by the PDF surface. The page is
// made in memory and reaches the file only once it is complete.
int Imprimer_Pdf(const Contexte_Page& p, Boite_Memoire& boite, const QString& chemin, QTextStream& erreurs) {
    QByteArray page;
    {
        QBuffer tampon(&page);
        tampon.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&tampon);
        pdf.setResolution(Resolution_Pdf);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setTitle(QStringLiteral("Ephéméride de %1").arg(p.calcul.entree.Texte(Controle::Commentaire)));
        pdf.setCreator(QStringLiteral("Trajectel %1").arg(p.Version_Programme));
        Canevas_QPainter canevas(pdf);
        boite.Fixer_Imprimante(&canevas);
        ImprimerExecute(p);
        boite.Fixer_Imprimante(nullptr);
    }
    const QString raison =
        Document_Termine(page) ? Ecrire_Fichier_Sortie(chemin, page) : QStringLiteral("page PDF inachevée");
    if (raison.isEmpty()) return Succes;
    erreurs << Message_Ecriture_Impossible(chemin, raison);
    return Fichier_Illisible;
}

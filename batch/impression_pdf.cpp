#include "batch/impression_pdf.h"

#include <QFile>
#include <QPdfWriter>

#include "batch/options_batch.h"
#include "document/programme.h"
#include "page/vue.h"
#include "peinture/canevas_qpainter.h"
#include "plateforme/boite_memoire.h"

namespace {
constexpr int Resolution_Pdf = 300;  // dots per inch
}  // namespace

// The printed page, drawn by the print command into a PDF file instead of a
// printer: the print dialog is answered by the PDF surface.
int Imprimer_Pdf(Programme& p, Boite_Memoire& boite, const QString& chemin, QTextStream& erreurs) {
    {
        QPdfWriter pdf(chemin);
        pdf.setResolution(Resolution_Pdf);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setTitle(QStringLiteral("Ephéméride de %1").arg(boite.Texte(Controle::Commentaire)));
        pdf.setCreator(QStringLiteral("Trajectel %1").arg(p.Version_Programme));
        Canevas_QPainter canevas(pdf);
        boite.Fixer_Imprimante(&canevas);
        ImprimerExecute(p.Page());
        boite.Fixer_Imprimante(nullptr);
    }
    if (QFile(chemin).size() <= 0) {
        erreurs << QStringLiteral("trajectel-ephemeride : impossible d'écrire %1\n").arg(chemin);
        return Fichier_Illisible;
    }
    return Succes;
}

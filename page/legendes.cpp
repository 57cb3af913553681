#include "page/legendes.h"

#include "page/textes_ligne.h"

namespace {

const char* const Modele_Classique_Nomme = "modèle classique";
const char* const Dates_UTC = "dates en UTC";
const char* const Dates_TT = "dates en TT";
const char* const Visibilite_Pour = "visibilité pour %1";
const char* const Latitude_Longitude = "latitude %1°, longitude %2°";
const char* const Entre_Parties = " ; ";

const char* const Titre_Totale = "Magnitude totale";
const char* const Titre_Noyau = "Magnitude du noyau";
const char* const Ligne_Magnitude = "%1 : loi %2, %3";
const char* const Ligne_Programme = "%1 : loi du programme, %2";
const char* const Estimation = "estimation %1 le %2, d'où %3 = %4";
const char* const Colonne_Suit_Loi = "La colonne %1 suit cette loi.";
const char* const Colonne_Suit_Estimation = "La colonne %1 suit l'%2.";
const char* const Colonne_Absente = "La colonne %1 n'est pas montrée.";
const char* const Egal = "%1 = %2";
const char* const Unite_PC = " mag/°";
// The zero point drawn from an estimate, to the hundredth of a magnitude.
const char* const Motif_Zero = "#0.##";

QString T(const char* texte) { return QString::fromUtf8(texte); }

bool Classique(const Calcul_Page& c) { return c.entree.Modele.modele == Modele_Calcul::Classique; }

// The symbols of a column: M1 and K1, or M2 and K2; H for an asteroid law.
struct Symboles {
    const char* zero;
    const char* K;
};
Symboles Symboles_Colonne(const Loi_Magnitude& loi, bool totale) {
    if (loi.forme == Forme_Loi::Asteroide) return {"H", "K"};
    return totale ? Symboles{"M1", "K1"} : Symboles{"M2", "K2"};
}

// "M1 = -2, K1 = 10", with PC when it counts, or "H = 15,2, G = 0,15";
// without the zero point for the program's own law, which has none.
QString Parametres(const Loi_Magnitude& loi, bool totale, bool avec_zero, char sep) {
    const Symboles s = Symboles_Colonne(loi, totale);
    QStringList textes;
    if (avec_zero) textes << T(Egal).arg(T(s.zero), Texte_General(loi.Zero, sep));
    if (loi.forme == Forme_Loi::Asteroide) {
        textes << T(Egal).arg(QStringLiteral("G"), Texte_General(loi.G, sep));
    } else {
        textes << T(Egal).arg(T(s.K), Texte_General(loi.K, sep));
        if (loi.PC != 0)
            textes << T(Egal).arg(QStringLiteral("PC"), Texte_General(loi.PC, sep) + T(Unite_PC));
    }
    return textes.join(QStringLiteral(", "));
}

// "estimation 12 le 10/12/2026, d'où M1 = 4,31".
QString Texte_Estimation(const Magnitude_Saisie& m, const Loi_Magnitude& loi_colonne, bool totale,
                         const Notation& n) {
    const Textes_Date_Ligne d = Textes_Date_Debut(m.Date.Jour, m.Date.Mois, m.Date.An, n);
    return T(Estimation)
        .arg(Texte_General(m.Magnitude, n.Separateur_Decimal), d.jour + u'/' + d.mois + u'/' + d.an,
             T(Symboles_Colonne(loi_colonne, totale).zero), Texte_Motif(loi_colonne.Zero, Motif_Zero, n));
}

// The column's estimate when one sets its zero point on a page that was computed.
const Magnitude_Saisie* Estimation_Prise(const Calcul_Page& c, bool totale) {
    const std::optional<Magnitude_Saisie>& m = totale ? c.entree.Totale : c.entree.Noyau;
    return c.page.Page_Valide && Magnitude_Valide(m) ? &*m : nullptr;
}

QString Ligne_Colonne(const Calcul_Page& c, bool totale) {
    const Loi_Magnitude& loi = totale ? c.el.Lois.totale : c.el.Lois.noyau;
    const char sep = c.notation.Separateur_Decimal;
    const QString titre = T(totale ? Titre_Totale : Titre_Noyau);
    const bool programme = loi.origine == Origine_Loi::Programme;
    QString ligne = programme ? T(Ligne_Programme).arg(titre, Parametres(loi, totale, false, sep))
                              : T(Ligne_Magnitude)
                                    .arg(titre, Parametres(loi, totale, true, sep),
                                         totale ? c.entree.Origine_Totale : c.entree.Origine_Noyau);
    if (const Magnitude_Saisie* m = Estimation_Prise(c, totale))
        ligne += T(Entre_Parties) +
                 Texte_Estimation(*m, totale ? c.page.Lois.totale : c.page.Lois.noyau, totale, c.notation);
    return ligne;
}

}  // namespace

QString Texte_Modele_Nomme(const Calcul_Page& c) {
    return Classique(c) ? T(Modele_Classique_Nomme) : Texte_Modele(c);
}

QString Texte_Echelle_Dates(const Calcul_Page& c) { return T(Classique(c) ? Dates_TT : Dates_UTC); }

QString Texte_Lieu(const Site_Observation& site, char separateur) {
    const auto degres = [separateur](double x) { return Texte_General(x, separateur) + QStringLiteral("°"); };
    QString texte = QStringLiteral("Lieu d'observation : ");
    if (!site.Nom.isEmpty()) texte += site.Nom + QStringLiteral(", ");
    return texte + QStringLiteral("latitude ") + degres(site.lieu.Latitude) + QStringLiteral(", longitude ") +
           degres(site.lieu.Longitude) + QStringLiteral(", altitude ") +
           Texte_General(site.lieu.Altitude, separateur) + QStringLiteral(" m");
}

QString Texte_Calcul_Fenetre(const Calcul_Page& c) {
    QString texte = Texte_Modele_Nomme(c) + T(Entre_Parties) + Texte_Echelle_Dates(c);
    if (!Visibilite_Montree(c)) return texte;
    const char sep = c.notation.Separateur_Decimal;
    const QString lieu = c.site->Nom.isEmpty() ? T(Latitude_Longitude)
                                                     .arg(Texte_General(c.site->lieu.Latitude, sep),
                                                          Texte_General(c.site->lieu.Longitude, sep))
                                               : c.site->Nom;
    return texte + T(Entre_Parties) + T(Visibilite_Pour).arg(lieu);
}

QStringList Textes_Magnitudes(const Calcul_Page& c) {
    QStringList lignes;
    if (c.page.MT_Valide) lignes << Ligne_Colonne(c, true);
    if (c.page.MN_Valide) lignes << Ligne_Colonne(c, false);
    return lignes;
}

QString Texte_Suivi_Colonne(const Calcul_Page& c, bool totale) {
    const QString colonne = totale ? QStringLiteral("M1") : QStringLiteral("M2");
    if (!(totale ? c.page.MT_Valide : c.page.MN_Valide)) return T(Colonne_Absente).arg(colonne);
    const Magnitude_Saisie* m = Estimation_Prise(c, totale);
    if (!m) return T(Colonne_Suit_Loi).arg(colonne);
    return T(Colonne_Suit_Estimation)
        .arg(colonne,
             Texte_Estimation(*m, totale ? c.page.Lois.totale : c.page.Lois.noyau, totale, c.notation));
}

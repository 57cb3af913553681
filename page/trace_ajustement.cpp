#include "page/trace_ajustement.h"

#include <QDate>
#include <algorithm>
#include <cmath>

namespace {

// Screen pixels; on paper scaled by the resolution.
constexpr int Resolution_Ecran = 96;
constexpr int Marge_Gauche = 44;
constexpr int Marge_Droite = 12;
constexpr int Marge_Haut = 40;  // the panel's title, then the legend
constexpr int Marge_Bas = 46;   // graduations, then the axis's name
constexpr int Espace_Panneaux = 16;
constexpr int Demi_Point = 2;    // an estimate is a square of 5 pixels
constexpr int Demi_Croix = 4;    // a set-aside one a cross of 9
constexpr int Taille_Texte = 8;  // points
constexpr int Epaisseur_Loi = 2;
constexpr int Graduations = 5;
constexpr int Longueur_Legende = 24;
constexpr double Marge_Valeurs = 0.05;  // of the range, around the values

const QString Face = QStringLiteral("Sans Serif");
const QString Titre_Log_r = QStringLiteral("%1 - magnitude réduite m - 5 log Δ selon log r");
const QString Titre_Date = QStringLiteral("%1 - magnitude totale selon la date");
const QString Axe_Log_r = QStringLiteral("log r (r en UA)");
const QString Axe_Date = QStringLiteral("date (TU)");
const QString Mot_Ajustee = QStringLiteral("loi ajustée");
const QString Mot_Publiee = QStringLiteral("loi publiée");
const QString Mot_Gardee = QStringLiteral("estimation");
const QString Mot_Ecartee = QStringLiteral("écartée");
const QString Mot_Vide = QStringLiteral("Aucune estimation à montrer.");

struct Intervalle {
    double bas = 0;
    double haut = 0;
    void Inclure(double v) {
        if (!std::isfinite(v)) return;
        bas = std::min(bas, v);
        haut = std::max(haut, v);
    }
    bool Vide() const { return !(haut >= bas); }
    Intervalle Elargi() const {
        const double marge = std::max((haut - bas) * Marge_Valeurs, 0.05);
        return {bas - marge, haut + marge};
    }
};
constexpr Intervalle Aucun{HUGE_VAL, -HUGE_VAL};

// Where the values fall inside a panel; magnitudes grow downwards, so that
// brighter is higher, as observers draw light curves.
struct Repere {
    QRect trace;
    Intervalle x;
    Intervalle y;
    int X(double v) const {
        return trace.left() + static_cast<int>(std::lround((v - x.bas) / (x.haut - x.bas) * trace.width()));
    }
    int Y(double m) const {
        return trace.top() + static_cast<int>(std::lround((m - y.bas) / (y.haut - y.bas) * trace.height()));
    }
    bool Dedans(double v, double m) const { return v >= x.bas && v <= x.haut && m >= y.bas && m <= y.haut; }
};

int Echelle(int pixels, int resolution) { return pixels * resolution / Resolution_Ecran; }

QString Texte_Nombre(double v, double pas) {
    const int decimales = std::clamp(static_cast<int>(std::ceil(-std::log10(pas))), 0, 4);
    return QString::number(v, 'f', decimales);
}

QString Texte_Date(double jj) {
    return QDate::fromJulianDay(static_cast<qint64>(std::floor(jj + 0.5)))
        .toString(QStringLiteral("dd/MM/yyyy"));
}

void Tracer_Cadre(Canevas& cv, const QRect& r) {
    cv.Choisir_Crayon(0x000000, Style_Trait::Plein, 1);
    cv.Tracer_Ligne(r.left(), r.top(), r.right(), r.top());
    cv.Tracer_Ligne(r.right(), r.top(), r.right(), r.bottom());
    cv.Tracer_Ligne(r.right(), r.bottom(), r.left(), r.bottom());
    cv.Tracer_Ligne(r.left(), r.bottom(), r.left(), r.top());
}

// Graduations of both axes with their values; dates named by day.
void Graduer(Canevas& cv, const Repere& r, bool dates, int resolution) {
    const int tic = Echelle(4, resolution);
    const double pas_y = Pas_Graduation(r.y.haut - r.y.bas, Graduations);
    for (double m = std::ceil(r.y.bas / pas_y) * pas_y; m <= r.y.haut; m += pas_y) {
        const QString texte = Texte_Nombre(m, pas_y);
        cv.Tracer_Ligne(r.trace.left(), r.Y(m), r.trace.left() + tic, r.Y(m));
        cv.Ecrire_Texte(r.trace.left() - cv.Largeur_Texte(texte) - tic, r.Y(m) - cv.Hauteur_Texte(texte) / 2,
                        texte);
    }
    const double pas_x = dates ? std::max(1.0, Pas_Graduation(r.x.haut - r.x.bas, Graduations - 1))
                               : Pas_Graduation(r.x.haut - r.x.bas, Graduations);
    for (double v = std::ceil(r.x.bas / pas_x) * pas_x; v <= r.x.haut; v += pas_x) {
        const QString texte = dates ? Texte_Date(v) : Texte_Nombre(v, pas_x);
        cv.Tracer_Ligne(r.X(v), r.trace.bottom(), r.X(v), r.trace.bottom() - tic);
        cv.Ecrire_Texte(r.X(v) - cv.Largeur_Texte(texte) / 2, r.trace.bottom() + tic, texte);
    }
}

void Marquer(Canevas& cv, int x, int y, bool ecartee, int resolution) {
    if (!ecartee) {
        const int d = Echelle(Demi_Point, resolution);
        cv.Colorier_Rectangle(QRect(x - d, y - d, 2 * d + 1, 2 * d + 1), Couleur_Gardee);
        return;
    }
    const int d = Echelle(Demi_Croix, resolution);
    cv.Choisir_Crayon(Couleur_Ecartee, Style_Trait::Plein, std::max(1, Echelle(2, resolution)));
    cv.Tracer_Ligne(x - d, y - d, x + d, y + d);
    cv.Tracer_Ligne(x - d, y + d, x + d, y - d);
}

// A law's line across the panel, cut to its frame by sampling.
void Tracer_Droite(Canevas& cv, const Repere& r, const Droite& d) {
    const int n = std::max(2, r.trace.width() / 4);
    std::optional<QPoint> avant;
    for (int k = 0; k <= n; ++k) {
        const double x = r.x.bas + (r.x.haut - r.x.bas) * k / n, y = d.M1 + d.K1 * x;
        if (!r.Dedans(x, y)) {
            avant.reset();
            continue;
        }
        const QPoint p(r.X(x), r.Y(y));
        if (avant) cv.Tracer_Ligne(avant->x(), avant->y(), p.x(), p.y());
        avant = p;
    }
}

void Tracer_Courbe(Canevas& cv, const Repere& r, const std::vector<Point_Courbe>& c, bool publiee) {
    std::optional<QPoint> avant;
    for (const Point_Courbe& p : c) {
        const std::optional<double> m = publiee ? p.publiee : std::optional<double>(p.ajustee);
        if (!m || !r.Dedans(p.JJ, *m)) {
            avant.reset();
            continue;
        }
        const QPoint q(r.X(p.JJ), r.Y(*m));
        if (avant) cv.Tracer_Ligne(avant->x(), avant->y(), q.x(), q.y());
        avant = q;
    }
}

void Choisir_Crayon_Loi(Canevas& cv, bool publiee, int resolution) {
    cv.Choisir_Crayon(publiee ? Couleur_Loi_Publiee : Couleur_Loi_Ajustee,
                      publiee ? Style_Trait::Tirets : Style_Trait::Plein, Echelle(Epaisseur_Loi, resolution));
}

// The title, then one line of legend: each mark with its word.
void Legender(Canevas& cv, const QRect& panneau, const QString& titre, bool publiee, int resolution) {
    cv.Ecrire_Texte(panneau.left(), panneau.top(), titre);
    int x = panneau.left() + Echelle(Marge_Gauche, resolution);
    const int y = panneau.top() + cv.Hauteur_Texte(titre) + Echelle(4, resolution);
    const int milieu = y + cv.Hauteur_Texte(Mot_Ajustee) / 2, l = Echelle(Longueur_Legende, resolution),
              espace = Echelle(6, resolution);
    const auto mot = [&](const QString& texte) {
        cv.Ecrire_Texte(x, y, texte);
        x += cv.Largeur_Texte(texte) + 2 * espace;
    };
    Marquer(cv, x + l / 2, milieu, false, resolution);
    x += l;
    mot(Mot_Gardee);
    Marquer(cv, x + l / 2, milieu, true, resolution);
    x += l;
    mot(Mot_Ecartee);
    Choisir_Crayon_Loi(cv, false, resolution);
    cv.Tracer_Ligne(x, milieu, x + l - espace, milieu);
    x += l;
    mot(Mot_Ajustee);
    if (!publiee) return;
    Choisir_Crayon_Loi(cv, true, resolution);
    cv.Tracer_Ligne(x, milieu, x + l - espace, milieu);
    x += l;
    mot(Mot_Publiee);
}

Repere Repere_Panneau(const QRect& panneau, Intervalle x, Intervalle y, int resolution) {
    const QRect trace = panneau.adjusted(Echelle(Marge_Gauche, resolution), Echelle(Marge_Haut, resolution),
                                         -Echelle(Marge_Droite, resolution), -Echelle(Marge_Bas, resolution));
    return {trace, x.Elargi(), y.Elargi()};
}

void Nommer_Axe(Canevas& cv, const Repere& r, const QString& nom) {
    cv.Ecrire_Texte(r.trace.center().x() - cv.Largeur_Texte(nom) / 2,
                    r.trace.bottom() + 2 * cv.Hauteur_Texte(nom), nom);
}

void Panneau_Log_r(Canevas& cv, const QRect& panneau, const Trace_Ajustement& t, int resolution) {
    Intervalle x = Aucun, y = Aucun;
    for (const Estimation_Reduite& e : t.estimations) {
        x.Inclure(e.x());
        y.Inclure(e.y());
    }
    const Repere r = Repere_Panneau(panneau, x, y, resolution);
    Legender(cv, panneau, Titre_Log_r.arg(t.titre), t.publiee.has_value(), resolution);
    Tracer_Cadre(cv, r.trace);
    Graduer(cv, r, false, resolution);
    Nommer_Axe(cv, r, Axe_Log_r);
    if (t.publiee) {
        Choisir_Crayon_Loi(cv, true, resolution);
        Tracer_Droite(cv, r, *t.publiee);
    }
    Choisir_Crayon_Loi(cv, false, resolution);
    Tracer_Droite(cv, r, t.ajustee);
    for (std::size_t k = 0; k < t.estimations.size(); ++k)
        if (r.Dedans(t.estimations[k].x(), t.estimations[k].y()))
            Marquer(cv, r.X(t.estimations[k].x()), r.Y(t.estimations[k].y()), t.ecartee[k], resolution);
}

void Panneau_Date(Canevas& cv, const QRect& panneau, const Trace_Ajustement& t, int resolution) {
    Intervalle x = Aucun, y = Aucun;
    for (const Estimation_Reduite& e : t.estimations) {
        x.Inclure(e.JJ);
        y.Inclure(e.magnitude);
    }
    for (const Point_Courbe& p : t.courbe) y.Inclure(p.ajustee);
    const Repere r = Repere_Panneau(panneau, x, y, resolution);
    Legender(cv, panneau, Titre_Date.arg(t.titre), t.publiee.has_value(), resolution);
    Tracer_Cadre(cv, r.trace);
    Graduer(cv, r, true, resolution);
    Nommer_Axe(cv, r, Axe_Date);
    if (t.publiee) {
        Choisir_Crayon_Loi(cv, true, resolution);
        Tracer_Courbe(cv, r, t.courbe, true);
    }
    Choisir_Crayon_Loi(cv, false, resolution);
    Tracer_Courbe(cv, r, t.courbe, false);
    for (std::size_t k = 0; k < t.estimations.size(); ++k)
        if (r.Dedans(t.estimations[k].JJ, t.estimations[k].magnitude))
            Marquer(cv, r.X(t.estimations[k].JJ), r.Y(t.estimations[k].magnitude), t.ecartee[k], resolution);
}

}  // namespace

double Pas_Graduation(double etendue, int graduations) {
    if (!(etendue > 0) || !std::isfinite(etendue) || graduations < 1) return 1;
    const double brut = etendue / graduations, puissance = std::pow(10.0, std::floor(std::log10(brut)));
    for (double facteur : {1.0, 2.0, 5.0})
        if (facteur * puissance >= brut) return facteur * puissance;
    return 10 * puissance;
}

bool Dessiner_Ajustement(Canevas& cv, const QRect& cadre, const Trace_Ajustement& t) {
    const int resolution = cv.Resolution();
    cv.Colorier_Rectangle(cadre, 0xFFFFFF);
    cv.Choisir_Police(Face, Taille_Texte, Jeu_Caracteres::Defaut);
    if (t.estimations.empty() || t.ecartee.size() != t.estimations.size()) {
        cv.Ecrire_Texte(cadre.left() + Echelle(Marge_Gauche, resolution), cadre.center().y(), Mot_Vide);
        return false;
    }
    // Side by side when the frame is wide, one above the other when it is tall.
    const bool cote_a_cote = cadre.width() >= cadre.height();
    const int espace = Echelle(Espace_Panneaux, resolution);
    QRect premier = cadre, second = cadre;
    if (cote_a_cote) {
        premier.setWidth((cadre.width() - espace) / 2);
        second.setLeft(premier.right() + 1 + espace);
    } else {
        premier.setHeight((cadre.height() - espace) / 2);
        second.setTop(premier.bottom() + 1 + espace);
    }
    Panneau_Log_r(cv, premier, t, resolution);
    Panneau_Date(cv, second, t, resolution);
    return true;
}

#include "page/nuit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "astro/constantes.h"
#include "astro/place.h"
#include "page/dessin.h"

namespace {

constexpr double Degres_Par_Heure = 15;
constexpr double Debut_Heure_Locale = 18;  // hours, local mean time
constexpr double Duree_Heures = 12;        // to 6 h the next morning
constexpr int Minutes_Par_Echantillon = 5;
constexpr int Echantillons = static_cast<int>(Duree_Heures) * 60 / Minutes_Par_Echantillon + 1;
constexpr double Hauteur_Basse = -30;  // degrees at the bottom of the picture
constexpr double Hauteur_Haute = 90;   // at the top
constexpr double Hauteur_Jour = 0;     // the Sun above it: day
constexpr int Pas_Heures_Axe = 2;
constexpr int Pas_Degres_Axe = 30;

// Screen pixels; on paper scaled by the resolution.
constexpr int Resolution_Ecran = 96;
constexpr int Marge_Gauche = 40;
constexpr int Marge_Droite = 12;
constexpr int Marge_Haut = 40;  // the title's line, then the legend's
constexpr int Marge_Bas = 24;
constexpr int Taille_Texte = 8;  // points
constexpr int Epaisseur_Courbe = 2;

const QString Mot_Sans_Site =
    QStringLiteral("Aucun lieu d'observation n'est choisi (Edition, Lieu d'observation…).");
const QString Mot_Page_Invalide = QStringLiteral("L'éphéméride est incomplète.");
const QString Debut_Titre = QStringLiteral("Nuit du ");
const QString Apres_Corps = QStringLiteral(" - ");
const QString Points_Suspension = QStringLiteral("…");
const QString Fin_Titre = QStringLiteral(" (heure locale moyenne)");
const QString Mot_Corps = QStringLiteral("astre");
const QString Mot_Soleil = QStringLiteral("Soleil");
const QString Mot_Minimale = QStringLiteral("hauteur minimale ");

// Where the picture's values fall inside its frame.
struct Repere {
    QRect trace;
    int x(double heures) const {
        return trace.left() + static_cast<int>(std::lround(heures / Duree_Heures * trace.width()));
    }
    int y(double hauteur) const {
        const double f = (Hauteur_Haute - hauteur) / (Hauteur_Haute - Hauteur_Basse);
        return trace.top() + static_cast<int>(std::lround(f * trace.height()));
    }
};

Repere Calculer_Repere(const QRect& cadre, int resolution) {
    auto e = [resolution](int pixels) { return pixels * resolution / Resolution_Ecran; };
    return {cadre.adjusted(e(Marge_Gauche), e(Marge_Haut), -e(Marge_Droite), -e(Marge_Bas))};
}

double Heures_Echantillon(int k) { return k * Minutes_Par_Echantillon / 60.0; }

// Day, twilight and night behind the curves, one band per run of the same sky.
void Colorier_Ciel(Canevas& cv, const Repere& r, const std::vector<double>& soleil) {
    int debut = 0;
    for (int k = 1; k <= static_cast<int>(soleil.size()); ++k) {
        const bool fin = k == static_cast<int>(soleil.size());
        if (!fin && Couleur_Ciel(soleil[k]) == Couleur_Ciel(soleil[debut])) continue;
        const int x1 = r.x(Heures_Echantillon(debut)),
                  x2 = r.x(Heures_Echantillon(std::min(k, Echantillons - 1)));
        cv.Colorier_Rectangle(QRect(x1, r.trace.top(), std::max(x2 - x1, 1), r.trace.height()),
                              Couleur_Ciel(soleil[debut]));
        debut = k;
    }
}

bool Dans_Le_Trace(double h) { return h >= Hauteur_Basse && h <= Hauteur_Haute; }

// The curve, left out where it runs below the picture.
void Tracer_Courbe(Canevas& cv, const Repere& r, const std::vector<double>& hauteurs, uint32_t couleur,
                   int epaisseur) {
    cv.Choisir_Crayon(couleur, Style_Trait::Plein, epaisseur);
    for (std::size_t k = 0; k + 1 < hauteurs.size(); ++k) {
        const double a = hauteurs[k], b = hauteurs[k + 1];
        if (!std::isfinite(a) || !std::isfinite(b) || (!Dans_Le_Trace(a) && !Dans_Le_Trace(b))) continue;
        cv.Tracer_Ligne(r.x(Heures_Echantillon(static_cast<int>(k))),
                        r.y(std::clamp(a, Hauteur_Basse, Hauteur_Haute)),
                        r.x(Heures_Echantillon(static_cast<int>(k + 1))),
                        r.y(std::clamp(b, Hauteur_Basse, Hauteur_Haute)));
    }
}

void Tracer_Niveau(Canevas& cv, const Repere& r, double hauteur, uint32_t couleur, Style_Trait style,
                   int epaisseur) {
    cv.Choisir_Crayon(couleur, style, epaisseur);
    cv.Tracer_Ligne(r.trace.left(), r.y(hauteur), r.trace.right(), r.y(hauteur));
}

void Ecrire_Axes(Canevas& cv, const Repere& r) {
    cv.Choisir_Crayon(Couleur_Traits, Style_Trait::Plein, 1);
    const QRect& t = r.trace;
    cv.Tracer_Ligne(t.left(), t.top(), t.right(), t.top());
    cv.Tracer_Ligne(t.right(), t.top(), t.right(), t.bottom());
    cv.Tracer_Ligne(t.right(), t.bottom(), t.left(), t.bottom());
    cv.Tracer_Ligne(t.left(), t.bottom(), t.left(), t.top());
    const int h = cv.Hauteur_Texte(QStringLiteral("0"));
    for (int heures = 0; heures <= static_cast<int>(Duree_Heures); heures += Pas_Heures_Axe) {
        const int locale =
            (static_cast<int>(Debut_Heure_Locale) + heures) % static_cast<int>(Heures_Par_Jour);
        const QString texte = QStringLiteral("%1 h").arg(locale, 2, 10, QChar(u'0'));
        cv.Tracer_Ligne(r.x(heures), t.bottom(), r.x(heures), t.bottom() + h / 3);
        cv.Ecrire_Texte(r.x(heures) - cv.Largeur_Texte(texte) / 2, t.bottom() + h / 2, texte);
    }
    for (int degres = static_cast<int>(Hauteur_Basse); degres <= static_cast<int>(Hauteur_Haute);
         degres += Pas_Degres_Axe) {
        const QString texte = QStringLiteral("%1°").arg(degres);
        cv.Ecrire_Texte(t.left() - cv.Largeur_Texte(texte) - h / 3, r.y(degres) - h / 2, texte);
    }
}

// What each line stands for, at the right of the top margin, under the title.
void Ecrire_Legende(Canevas& cv, const Repere& r, int y, const QString& minimale, int epaisseur) {
    const int h = cv.Hauteur_Texte(QStringLiteral("0"));
    const struct {
        uint32_t couleur;
        Style_Trait style;
        QString texte;
    } entrees[] = {
        {Couleur_Corps, Style_Trait::Plein, Mot_Corps},
        {Couleur_Soleil, Style_Trait::Plein, Mot_Soleil},
        {Couleur_Minimale, Style_Trait::Tirets, Mot_Minimale + minimale + QStringLiteral("°")},
    };
    int x = r.trace.right();
    for (auto it = std::rbegin(entrees); it != std::rend(entrees); ++it) {
        x -= cv.Largeur_Texte(it->texte);
        cv.Ecrire_Texte(x, y, it->texte);
        x -= h / 3;
        cv.Choisir_Crayon(it->couleur, it->style, epaisseur);
        cv.Tracer_Ligne(x - 2 * h, y + h / 2, x, y + h / 2);
        x -= 3 * h;
    }
}

// The body's name first: a printed picture must say whose night it is.
QString Titre(const Calcul_Page& c, const Site_Observation& site) {
    const Entree_Page& e = c.entree;
    const QString date = e.Texte(Controle::saisie_Jour) + u'/' + e.Texte(Controle::saisie_Mois) + u'/' +
                         e.Texte(Controle::saisie_An);
    const QString corps = e.Texte(Controle::Commentaire).trimmed();
    QString titre = (corps.isEmpty() ? QString() : corps + Apres_Corps) + Debut_Titre + date;
    if (!site.Nom.isEmpty()) titre += QStringLiteral(", ") + site.Nom;
    return titre + Fin_Titre;
}

// The text cut at its end to `largeur`, marked by an ellipsis when cut.
QString Couper_Texte(Canevas& cv, const QString& texte, int largeur) {
    if (cv.Largeur_Texte(texte) <= largeur) return texte;
    for (qsizetype n = texte.size() - 1; n > 0; --n) {
        const QString court = texte.left(n) + Points_Suspension;
        if (cv.Largeur_Texte(court) <= largeur) return court;
    }
    return Points_Suspension;
}

}  // namespace

uint32_t Couleur_Ciel(double hauteur) {
    if (hauteur > Hauteur_Jour) return Couleur_Jour;
    if (hauteur > Hauteur_Nuit) return Couleur_Crepuscule;
    return Couleur_Nuit;
}

Courbes_Nuit Calculer_Courbes_Nuit(const Direction_Corps& corps, double jj, const Lieu_Observation& lieu) {
    const Ciel_Jour ciel = Preparer_Ciel(corps, jj);
    Courbes_Nuit n;
    n.JJ_Debut = ciel.JJ_0h + (Debut_Heure_Locale - lieu.Longitude / Degres_Par_Heure) / Heures_Par_Jour;
    n.Pas = Minutes_Par_Echantillon / (Heures_Par_Jour * 60);
    for (int k = 0; k < Echantillons; ++k) {
        const double t = n.JJ_Debut + k * n.Pas;
        n.corps.push_back(Hauteur(ciel.corps, t, lieu));
        n.soleil.push_back(Hauteur(ciel.soleil, t, lieu));
    }
    return n;
}

bool Dessiner_Nuit(Canevas& cv, const QRect& cadre, const Calcul_Page& c) {
    cv.Remplir_Rectangle(cadre);
    cv.Choisir_Police(Police_Page, Taille_Texte, Jeu_Caracteres::Defaut);
    const int h = cv.Hauteur_Texte(QStringLiteral("0"));
    const bool valide = Preparer_Page(c);
    const std::optional<double> jj = valide ? JJ_Premiere_Ligne(c) : std::nullopt;
    if (!c.site || !jj) {
        cv.Ecrire_Texte(cadre.left() + h, cadre.top() + h, c.site ? Mot_Page_Invalide : Mot_Sans_Site);
        return false;
    }
    const Site_Observation& site = *c.site;
    const Repere r = Calculer_Repere(cadre, cv.Resolution());
    std::optional<Calcul_Place> place;
    const std::shared_ptr<Mouvement_Perturbe> mouvement = Mouvement_Page(c);
    if (c.entree.Modele.modele != Modele_Calcul::Classique)
        place.emplace(c.el, *jj, std::numeric_limits<double>::quiet_NaN(), mouvement.get());
    const Courbes_Nuit n =
        Calculer_Courbes_Nuit(Direction_Visibilite(c, place ? &*place : nullptr), *jj, site.lieu);
    Colorier_Ciel(cv, r, n.soleil);
    const int e = std::max(1, cv.Resolution() / Resolution_Ecran);
    Tracer_Niveau(cv, r, 0, Couleur_Traits, Style_Trait::Plein, e);
    Tracer_Niveau(cv, r, site.Hauteur_Minimale, Couleur_Minimale, Style_Trait::Tirets, e);
    Tracer_Courbe(cv, r, n.soleil, Couleur_Soleil, Epaisseur_Courbe * e);
    Tracer_Courbe(cv, r, n.corps, Couleur_Corps, Epaisseur_Courbe * e);
    Ecrire_Axes(cv, r);
    const int haut = cadre.top() + h / 3;
    cv.Ecrire_Texte(r.trace.left(), haut, Couper_Texte(cv, Titre(c, site), cadre.right() - r.trace.left()));
    Ecrire_Legende(cv, r, haut + h, Texte_General(site.Hauteur_Minimale, c.notation.Separateur_Decimal),
                   Epaisseur_Courbe * e);
    return true;
}

#include "page/vue.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "page/dessin.h"

namespace {

constexpr int Pourcent = 100;
constexpr int Grand_Pas_Pourcent = 90;  // a click in the trough moves by 90 % of the visible part

struct Reglage_Barre {
    int taille_page;  // percent of the frame
    int grand_pas;    // percent
    int position;     // percent
};

int Pourcentage(int64_t valeur) { return static_cast<int>(std::clamp<int64_t>(valeur, 0, Pourcent)); }

int32_t Vers_Int32(int64_t valeur) {
    return static_cast<int32_t>(std::clamp<int64_t>(valeur, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// A bar over a frame `total` pixels long of which `visible` are seen, the
// frame moved back by `decalage` pixels. A hidden bar's page size (over 100)
// and large step (under 0) are never used: they are brought into 0 to 100,
// like the position, which the bar would bound anyway.
Reglage_Barre Calculer_Barre(int64_t visible, int64_t total, int64_t decalage) {
    if (total <= 0) return {Pourcent, 0, 0};
    const int64_t taille_page = visible * Pourcent / total;
    const int64_t grand_pas = std::min(visible * Grand_Pas_Pourcent / total, Pourcent - taille_page);
    // Computed in floating point, ties to even.
    const double position =
        std::nearbyint(static_cast<double>(decalage) / static_cast<double>(total) * Pourcent);
    return {Pourcentage(taille_page), Pourcentage(grand_pas),
            static_cast<int>(std::clamp(position, 0.0, static_cast<double>(Pourcent)))};
}

// A bar that hides goes back to 0, and so the frame to its place: no bar
// would be left to bring back what the frame's offset would cut off.
void Appliquer(Boite_Outils& b, Controle barre, bool visible, const Reglage_Barre& r) {
    b.Montrer(barre, visible);
    b.Regler_Barre(barre, r.taille_page, r.grand_pas);
    b.Ecrire_Position_Barre(barre, visible ? r.position : 0);
}

int Hauteur(const Boite_Outils& b, Controle c) { return b.Geometrie(c).height(); }

void Ajuster_Barre_Verticale(Boite_Outils& b, Etat_Vue& vue) {
    const QRect fiche = b.Geometrie(Controle::Fiche);
    const int barre_outils = Hauteur(b, Controle::ToolBar1);
    int64_t visible =
        static_cast<int64_t>(b.Taille_Client().height()) - barre_outils - Hauteur(b, Controle::StatusBar);
    if (b.Visible(Controle::HorizontalBar)) visible -= Hauteur(b, Controle::HorizontalBar);
    vue.Hauteur_Visible = Vers_Int32(visible);
    Appliquer(b, Controle::VerticalBar, fiche.height() > visible,
              Calculer_Barre(visible, fiche.height(), static_cast<int64_t>(barre_outils) - fiche.y()));
}

void Ajuster_Barre_Horizontale(Boite_Outils& b, Etat_Vue& vue) {
    const QRect fiche = b.Geometrie(Controle::Fiche);
    int64_t visible = b.Taille_Client().width();
    if (b.Visible(Controle::VerticalBar)) visible -= b.Geometrie(Controle::VerticalBar).width();
    vue.Largeur_Visible = Vers_Int32(visible);
    Appliquer(b, Controle::HorizontalBar, visible < fiche.width(),
              Calculer_Barre(visible, fiche.width(), -static_cast<int64_t>(fiche.x())));
}

// The frame's offset for a bar position: (− position · length) div 100, truncated towards zero.
int64_t Decalage(int position, int longueur) { return -static_cast<int64_t>(position) * longueur / Pourcent; }

}  // namespace

void Activer_Perturbations(const Calcul_Page& c, Boite_Outils& b) {
    const bool possible =
        c.entree.Modele.modele == Modele_Calcul::Precis && c.el.Epoque.JJ_Epoque.has_value();
    b.Activer(Controle::PerturbationsPlanetaires, possible);
    b.Cocher(Controle::PerturbationsPlanetaires, possible && c.entree.Modele.perturbations);
}

void Rafraichir(const Contexte_Page& p) {
    Activer_Perturbations(p.calcul, p.boite);
    p.dessin.Impression = false;
    Construire_Page(p);
    if (p.document.Modifie) {
        p.boite.Activer(Controle::ToolEnregistrer, true);
        p.boite.Activer(Controle::Enregistrer, true);
    }
}

void ImprimerExecute(const Contexte_Page& p) {
    p.dessin.Impression = true;
    Construire_Page(p);
}

// The vertical bar first: it uses the horizontal bar's visibility as it was.
void Ajuster_Barres(Boite_Outils& boite, Etat_Vue& vue) {
    Ajuster_Barre_Verticale(boite, vue);
    Ajuster_Barre_Horizontale(boite, vue);
}

// At position 0 the frame's top is one pixel below the tool bar.
void VerticalBarChange(Boite_Outils& boite) {
    QRect fiche = boite.Geometrie(Controle::Fiche);
    const int64_t haut = Decalage(boite.Position_Barre(Controle::VerticalBar), fiche.height()) +
                         Hauteur(boite, Controle::ToolBar1) + 1;
    fiche.moveTop(Vers_Int32(haut));
    boite.Placer(Controle::Fiche, fiche);
}

void HorizontalBarChange(Boite_Outils& boite) {
    QRect fiche = boite.Geometrie(Controle::Fiche);
    fiche.moveLeft(Vers_Int32(Decalage(boite.Position_Barre(Controle::HorizontalBar), fiche.width())));
    boite.Placer(Controle::Fiche, fiche);
}

void FormResize(Boite_Outils& boite, Etat_Vue& vue) { Ajuster_Barres(boite, vue); }

#include "support/canevas_enregistreur.h"

#include <algorithm>

namespace {

constexpr int64_t Largeur_Caractere = 6;  // pixels at 8 points and 96 dpi
constexpr int64_t Hauteur_Ligne = 13;     // pixels at 8 points and 96 dpi
constexpr int64_t Taille_Reference = 8;   // points

constexpr int64_t Mesure_Maximale = int64_t{1} << 30;

// A measure at 8 points and 96 dpi taken to this size and resolution, truncated.
int64_t Echelle(int64_t mesure, int taille, int resolution) {
    return mesure * taille * resolution / (Taille_Reference * Canevas_Enregistreur::Resolution_Ecran);
}

int Borner(int64_t mesure) { return static_cast<int>(std::clamp<int64_t>(mesure, 0, Mesure_Maximale)); }

}  // namespace

void Canevas_Enregistreur::Ecrire_Texte(int x, int y, const QString& texte) {
    textes_.push_back({Suivant(), x, y, texte, police_});
}

int Canevas_Enregistreur::Largeur_Texte(const QString& texte) {
    return Borner(Echelle(Largeur_Caractere, police_.taille, resolution_) * texte.size());
}

int Canevas_Enregistreur::Hauteur_Texte(const QString&) {
    return Borner(Echelle(Hauteur_Ligne, police_.taille, resolution_));
}

void Canevas_Enregistreur::Choisir_Police(const QString& face, int taille, Jeu_Caracteres jeu) {
    ++ordre_;
    police_ = {face, taille, jeu};
}

void Canevas_Enregistreur::Choisir_Crayon(uint32_t couleur, Style_Trait style, int epaisseur) {
    ++ordre_;
    crayon_ = {couleur, style, epaisseur};
}

void Canevas_Enregistreur::Tracer_Ligne(int x1, int y1, int x2, int y2) {
    traits_.push_back({Suivant(), x1, y1, x2, y2, crayon_});
}

void Canevas_Enregistreur::Remplir_Rectangle(const QRect& rectangle) {
    remplissages_.push_back({Suivant(), rectangle});
}

void Canevas_Enregistreur::Colorier_Rectangle(const QRect& rectangle, uint32_t couleur) {
    coloriages_.push_back({Suivant(), rectangle, couleur});
}

void Canevas_Enregistreur::Debut_Document() {
    debuts_.push_back(Suivant());
    police_ = {};
    crayon_ = {};
}
void Canevas_Enregistreur::Fin_Document() { fins_.push_back(Suivant()); }

std::vector<Texte_Enregistre> Canevas_Enregistreur::Trouver(const QString& texte) const {
    std::vector<Texte_Enregistre> trouves;
    std::copy_if(textes_.begin(), textes_.end(), std::back_inserter(trouves),
                 [&](const Texte_Enregistre& t) { return t.texte == texte; });
    return trouves;
}

std::vector<Trait_Enregistre> Canevas_Enregistreur::Verticaux() const {
    std::vector<Trait_Enregistre> v;
    std::copy_if(traits_.begin(), traits_.end(), std::back_inserter(v),
                 [](const Trait_Enregistre& t) { return t.Vertical(); });
    return v;
}

std::vector<Trait_Enregistre> Canevas_Enregistreur::Horizontaux() const {
    std::vector<Trait_Enregistre> h;
    std::copy_if(traits_.begin(), traits_.end(), std::back_inserter(h),
                 [](const Trait_Enregistre& t) { return t.Horizontal(); });
    return h;
}

void Canevas_Enregistreur::Oublier() {
    ordre_ = 0;
    textes_.clear();
    traits_.clear();
    remplissages_.clear();
    coloriages_.clear();
    debuts_.clear();
    fins_.clear();
}

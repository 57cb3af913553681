#pragma once

// A surface that draws nothing and records every call, in order, so that a
// test can say where each text and rule went.
//
// Metrics are simple and computed by hand: at the screen's 96 dots per inch
// and 8 points, a character is 6 pixels wide and any text 13 pixels high.
// Both scale with the font size and the resolution, truncated per character:
//     width  = characters · (6 · size · resolution div (8 · 96))
//     height = 13 · size · resolution div (8 · 96)
// so 10 points at 300 dpi give 23 dots per character and 50 per line, 20
// points 46 and 101; at 600 dpi 10 points give 46 and 101.

#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

#include "plateforme/canevas.h"

struct Police_Enregistree {
    QString face;
    int taille = 8;
    Jeu_Caracteres jeu = Jeu_Caracteres::Defaut;
};

struct Crayon_Enregistre {
    uint32_t couleur = 0x000000;
    Style_Trait style = Style_Trait::Plein;
    int epaisseur = 1;
};

struct Texte_Enregistre {
    int ordre;  // rank among all the calls
    int x;
    int y;
    QString texte;
    Police_Enregistree police;
};

struct Trait_Enregistre {
    int ordre;
    int x1;
    int y1;
    int x2;
    int y2;
    Crayon_Enregistre crayon;
    bool Vertical() const { return x1 == x2 && y1 != y2; }
    bool Horizontal() const { return y1 == y2 && x1 != x2; }
};

struct Remplissage_Enregistre {
    int ordre;
    QRect rectangle;
    uint32_t couleur = 0;  // of a coloured fill
};

class Canevas_Enregistreur : public Canevas {
public:
    static constexpr int Resolution_Ecran = 96;

    // The page image: 96 dots per inch, no page.
    Canevas_Enregistreur() = default;
    // A printer of this resolution and printable width (dots), in portrait
    // and, when given, in landscape.
    Canevas_Enregistreur(int resolution, int largeur_page, int largeur_paysage = 0)
        : resolution_(resolution), largeur_page_(largeur_page), largeur_paysage_(largeur_paysage) {}

    void Ecrire_Texte(int x, int y, const QString& texte) override;
    int Largeur_Texte(const QString& texte) override;
    int Hauteur_Texte(const QString& texte) override;
    void Choisir_Police(const QString& face, int taille, Jeu_Caracteres jeu) override;
    void Choisir_Crayon(uint32_t couleur, Style_Trait style, int epaisseur) override;
    void Tracer_Ligne(int x1, int y1, int x2, int y2) override;
    void Remplir_Rectangle(const QRect& rectangle) override;
    void Colorier_Rectangle(const QRect& rectangle, uint32_t couleur) override;
    void Mettre_En_Paysage() override { paysage_ = largeur_paysage_ > 0; }
    void Debut_Document() override;
    void Fin_Document() override;
    int Largeur_Page() const override { return paysage_ ? largeur_paysage_ : largeur_page_; }
    int Resolution() const override { return resolution_; }

    const std::vector<Texte_Enregistre>& Textes() const { return textes_; }
    const std::vector<Trait_Enregistre>& Traits() const { return traits_; }
    const std::vector<Remplissage_Enregistre>& Remplissages() const { return remplissages_; }
    const std::vector<Remplissage_Enregistre>& Coloriages() const { return coloriages_; }
    bool Paysage() const { return paysage_; }
    const std::vector<int>& Debuts_Document() const { return debuts_; }  // ranks of the calls
    const std::vector<int>& Fins_Document() const { return fins_; }
    int Appels() const { return ordre_; }
    bool Vide() const { return ordre_ == 0; }

    // The drawn texts equal to `texte`, in order.
    std::vector<Texte_Enregistre> Trouver(const QString& texte) const;
    std::vector<Trait_Enregistre> Verticaux() const;
    std::vector<Trait_Enregistre> Horizontaux() const;

    void Oublier();

private:
    int Suivant() { return ordre_++; }

    int resolution_ = Resolution_Ecran;
    int largeur_page_ = 0;
    int largeur_paysage_ = 0;
    bool paysage_ = false;
    Police_Enregistree police_;
    Crayon_Enregistre crayon_;
    int ordre_ = 0;
    std::vector<Texte_Enregistre> textes_;
    std::vector<Trait_Enregistre> traits_;
    std::vector<Remplissage_Enregistre> remplissages_;
    std::vector<Remplissage_Enregistre> coloriages_;
    std::vector<int> debuts_;
    std::vector<int> fins_;
};

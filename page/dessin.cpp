#include "page/dessin.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "astro/elements.h"
#include "page/legendes.h"
#include "page/textes_ligne.h"

namespace {

constexpr uint32_t Noir = 0x000000;

// Screen, in pixels of Fenetre.
constexpr int Taille_Ecran = 8;       // points
constexpr int Bas_Entete_Ecran = 20;  // the rule under the header
constexpr int Pas_Ligne_Ecran = 17;   // row k lies 17 k down
constexpr int Haut_Texte_Ligne = 7;   // its text top at 17 k + 7,
constexpr int Haut_Regles_Ligne = 3;  // its rules from 17 k + 3
constexpr int Bas_Regles_Ligne = 20;  // to 17 k + 20
constexpr int Marge_Bas_Ecran = 23;   // the image is 17 N + 23 high
constexpr int Largeur_Minimale_Ecran = 660;
constexpr int Marge_Droite_Ecran = 5;     // right-aligned texts end 5 before their rule
constexpr int Place_Apres_M1_Ecran = 25;  // room the image leaves after the M1 column

// Paper, in printer dots unless stated.
constexpr int Taille_Titre = 20;   // points
constexpr int Taille_Papier = 10;  // points
constexpr int Dixiemes_Par_Pouce = 254;
constexpr int Points_Par_Pouce = 72;  // the pen is D div 72 wide: one point
constexpr int Montee_Grec = 10;       // Greek letters of the header rise by h div 10
const char* const Motif_Distance = "0.000 000 000";
const char* const Motif_Angle = "0.000 000";

struct Colonne {
    int numero;  // 1 to Nombre_Colonnes
    int x;
    int largeur;
    int Fin() const { return x + largeur; }
    const Modele_Colonne& Modele() const { return Modeles_Colonnes()[static_cast<std::size_t>(numero - 1)]; }
};

// Inside a group header: its right rule starts under the header.
bool Colonne_Interieure(const Colonne& c) { return c.Modele().trace == Trace::Interieur; }
using Colonnes = std::vector<Colonne>;
using Largeurs = std::array<int32_t, Nombre_Colonnes>;
using Textes_Colonnes = std::array<QString, Nombre_Colonnes>;

// The columns in use, side by side from x0.
Colonnes Colonnes_En_Usage(const Calcul_Page& c, int x0, const Largeurs& largeurs) {
    Colonnes colonnes;
    int x = x0;
    for (int k : Colonnes_Presentes(c)) {
        colonnes.push_back({k + 1, x, largeurs[k]});
        x += largeurs[k];
    }
    return colonnes;
}

// A row that could not be computed keeps only its date.
Textes_Colonnes Textes_Ligne_Page(const Ligne_Ephemeride& l, const Notation& n) {
    Textes_Colonnes textes;
    const int remplies = l.Message.isEmpty() ? Nombre_Colonnes : Colonnes_Date;
    for (int k = 0; k < remplies; ++k) textes[k] = Modeles_Colonnes()[k].texte(l, n);
    return textes;
}

// Centred in [debut, debut + largeur); a text wider than that starts to its left.
void Ecrire_Centre(Canevas& cv, int debut, int largeur, int y, const QString& texte) {
    cv.Ecrire_Texte(debut + (largeur - cv.Largeur_Texte(texte)) / 2, y, texte);
}

// One row: centred texts, or texts ending `marge` before their rule.
void Ecrire_Ligne(Canevas& cv, const Colonnes& colonnes, const Textes_Colonnes& textes, int y, int marge) {
    for (const Colonne& c : colonnes) {
        const QString& texte = textes[static_cast<std::size_t>(c.numero - 1)];
        if (c.Modele().trace != Trace::Droite) {
            Ecrire_Centre(cv, c.x, c.largeur, y, texte);
        } else {
            cv.Ecrire_Texte(c.Fin() - cv.Largeur_Texte(texte) - marge, y, texte);
        }
    }
}

// Its message over the columns after the date, from `haut` to `bas` both
// included, as the rules run, the rules inside hidden; the text's top at `y`.
void Ecrire_Message(Canevas& cv, const Colonnes& colonnes, const QString& message, int haut, int bas, int y,
                    int marge) {
    if (message.isEmpty() || colonnes.size() <= Colonnes_Date) return;
    const int x = colonnes[Colonnes_Date].x;
    cv.Remplir_Rectangle(QRect(x + 1, haut, colonnes.back().Fin() - x - marge, bas - haut + 1));
    cv.Ecrire_Texte(x + marge, y, message);
}

void Choisir_Texte(Canevas& cv, int taille) {
    cv.Choisir_Police(Police_Page, taille, Jeu_Caracteres::Defaut);
}

// The width of a symbol-face text; the face is the text face again after it.
int Largeur_Symbole(Canevas& cv, int taille, const QString& latin) {
    cv.Choisir_Police(Police_Page, taille, Jeu_Caracteres::Symbole);
    const int largeur = cv.Largeur_Texte(Texte_Grec(latin));
    Choisir_Texte(cv, taille);
    return largeur;
}

// Draws a symbol-face text and answers its width in that face.
int Ecrire_Symbole(Canevas& cv, int taille, int x, int y, const QString& latin) {
    cv.Choisir_Police(Police_Page, taille, Jeu_Caracteres::Symbole);
    const QString grec = Texte_Grec(latin);
    const int largeur = cv.Largeur_Texte(grec);
    cv.Ecrire_Texte(x, y, grec);
    Choisir_Texte(cv, taille);
    return largeur;
}

// ---- Screen

constexpr int Colonnes_Par_Groupe = 3;  // "Alpha" and "Delta" head three columns each

void Ecrire_Entete_Ecran(Canevas& cv, const Colonne& c) {
    const Entete& e = c.Modele().ecran;
    const QString mot = QString::fromUtf8(e.mot);
    const int w = cv.Largeur_Texte(mot);
    switch (e.genre) {
        case Genre_Entete::Centre:
            Ecrire_Centre(cv, c.x, c.largeur, 0, mot);
            break;
        case Genre_Entete::Groupe: {
            int largeur = 0;
            for (int k = 0; k < Colonnes_Par_Groupe; ++k)
                largeur += Modeles_Colonnes()[c.numero - 1 + k].pixels;
            Ecrire_Centre(cv, c.x, largeur, 0, mot);
            break;
        }
        case Genre_Entete::Grec: {
            const int g = (c.largeur - w) / 2;
            cv.Ecrire_Texte(c.Fin() - Marge_Droite_Ecran - g - w, 0, mot);
            Ecrire_Symbole(cv, Taille_Ecran, c.Fin() - g, 0, QString::fromUtf8(e.lettre));
            break;
        }
        case Genre_Entete::Magnitude:
            cv.Ecrire_Texte(c.Fin() - (c.largeur - w) / 2 - w, 0, mot);
            break;
        default:
            break;
    }
}

// Under the header, one rule for each run of joined columns.
void Tracer_Regle_Entete(Canevas& cv, const Colonnes& colonnes) {
    for (std::size_t k = 0, debut = 0; k < colonnes.size(); ++k) {
        if (!colonnes[k].Modele().regle_jointe) debut = k;
        if (k + 1 < colonnes.size() && colonnes[k + 1].Modele().regle_jointe) continue;
        cv.Tracer_Ligne(colonnes[debut].x, Bas_Entete_Ecran, colonnes[k].Fin(), Bas_Entete_Ecran);
    }
}

void Dessiner_Entete_Ecran(Canevas& cv, const Colonnes& colonnes) {
    Tracer_Regle_Entete(cv, colonnes);
    Choisir_Texte(cv, Taille_Ecran);
    for (const Colonne& c : colonnes) {
        Ecrire_Entete_Ecran(cv, c);
        if (!Colonne_Interieure(c)) cv.Tracer_Ligne(c.Fin(), 0, c.Fin(), Bas_Entete_Ecran);
    }
}

void Fixer_Largeur(Boite_Outils& b, Controle c, int largeur) {
    QRect g = b.Geometrie(c);
    g.setWidth(largeur);
    b.Placer(c, g);
}

void Fixer_Hauteur(Boite_Outils& b, Controle c, int hauteur) {
    QRect g = b.Geometrie(c);
    g.setHeight(hauteur);
    b.Placer(c, g);
}

// The frame ends where Fenetre ends.
void Ajuster_Fiche(Boite_Outils& b) {
    const QRect fenetre = b.Geometrie(Controle::Fenetre);
    QRect fiche = b.Geometrie(Controle::Fiche);
    fiche.setWidth(fenetre.width());
    fiche.setHeight(fenetre.y() + fenetre.height());
    b.Placer(Controle::Fiche, fiche);
}

int Largeur_Image(const Calcul_Page& c, const Boite_Outils& b) {
    int largeur = c.page.MT_Valide ? Place_Apres_M1_Ecran : 0;
    for (int k : Colonnes_Presentes(c)) largeur += Modeles_Colonnes()[k].pixels;
    largeur = std::max(largeur, Largeur_Minimale_Ecran);
    const QRect titre7 = b.Geometrie(Controle::Titre7);
    return std::max(largeur, titre7.x() + titre7.width());
}

void Dimensionner_Image(const Contexte_Page& p, int32_t lignes) {
    Fixer_Hauteur(p.boite, Controle::Fenetre, Pas_Ligne_Ecran * lignes + Marge_Bas_Ecran);
    Fixer_Largeur(p.boite, Controle::Fenetre, Largeur_Image(p.calcul, p.boite));
    Ajuster_Fiche(p.boite);
}

void Dessiner_Ligne_Ecran(Canevas& cv, Boite_Outils& b, const Colonnes& colonnes, const Ligne_Ephemeride& l,
                          const Notation& n, int k) {
    const int haut = Pas_Ligne_Ecran * k + Haut_Regles_Ligne;
    const int bas = Pas_Ligne_Ecran * k + Bas_Regles_Ligne;
    const int y = Pas_Ligne_Ecran * k + Haut_Texte_Ligne;
    if (b.Geometrie(Controle::Fenetre).height() < bas) Fixer_Hauteur(b, Controle::Fenetre, bas);
    Ecrire_Ligne(cv, colonnes, Textes_Ligne_Page(l, n), y, Marge_Droite_Ecran);
    for (const Colonne& c : colonnes) cv.Tracer_Ligne(c.Fin(), haut, c.Fin(), bas);
    Ecrire_Message(cv, colonnes, l.Message, haut, bas, y, Marge_Droite_Ecran);
}

Largeurs Largeurs_Ecran() {
    Largeurs largeurs{};
    for (int k = 0; k < Nombre_Colonnes; ++k) largeurs[k] = Modeles_Colonnes()[k].pixels;
    return largeurs;
}

// ---- Paper

// The page being printed: its surface, resolution, width, line height and current line.
struct Feuille {
    Canevas& cv;
    const Contexte_Page& p;
    int D;        // dots per inch
    int largeur;  // printable width, dots
    int h = 0;
    int y = 0;
};

QString Texte_Champ(const Feuille& f, Controle c) { return f.p.calcul.entree.Texte(c); }

// The number of a field written with a pattern.
QString Valeur_Champ(const Feuille& f, Controle champ, const char* motif) {
    const Notation& n = f.p.calcul.notation;
    return Texte_Motif(Reel_Ou_Zero(Oter_Espaces(Texte_Champ(f, champ)), n.Separateur_Decimal), motif, n);
}

// A caption, a value and, when there is one, the caption of its unit.
struct Valeur_Imprimee {
    Controle libelle;
    Controle champ;
    const char* motif;
    std::optional<Controle> unite;
};

QString Texte_Valeur(const Feuille& f, const Valeur_Imprimee& v) {
    QString texte = Texte_Champ(f, v.libelle) + u' ' + Valeur_Champ(f, v.champ, v.motif);
    if (v.unite) texte += u' ' + Texte_Champ(f, *v.unite);
    return texte;
}

void Ecrire_Centre_Page(Feuille& f, const QString& texte) {
    f.cv.Ecrire_Texte((f.largeur - f.cv.Largeur_Texte(texte)) / 2, f.y, texte);
}

void Imprimer_Titre(Feuille& f) {
    Choisir_Texte(f.cv, Taille_Titre);
    const QString titre = QStringLiteral("Ephéméride de ") + Texte_Champ(f, Controle::Commentaire);
    Ecrire_Centre_Page(f, titre);
    f.y = f.cv.Hauteur_Texte(titre);
    Choisir_Texte(f.cv, Taille_Papier);
    f.h = f.cv.Hauteur_Texte(QStringLiteral("Hp"));
    f.p.dessin.Hauteur_Ligne = f.h;
}

void Imprimer_Instrument(Feuille& f) {
    if (f.p.calcul.el.Instrument > 0)
        Ecrire_Centre_Page(
            f, QStringLiteral("Instrument d'observation : ") + Texte_Champ(f, Controle::Liste_Instruments));
    f.y += f.h;
}

const Valeur_Imprimee Ligne_a{Controle::Titre4, Controle::saisie_a, Motif_Distance, Controle::Titre5};
const Valeur_Imprimee Ligne_n{Controle::Titre6, Controle::saisie_n, Motif_Distance, Controle::Titre7};
const Valeur_Imprimee Ligne_e{Controle::Label8, Controle::saisie_e, Motif_Angle, std::nullopt};
const Valeur_Imprimee Ligne_gQ{Controle::Titre9, Controle::saisie_gQ, Motif_Distance, Controle::Titre10};
const Valeur_Imprimee Ligne_q{Controle::Label11, Controle::saisie_q, Motif_Distance, Controle::Label12};
const Valeur_Imprimee Ligne_i{Controle::Label13, Controle::saisie_i, Motif_Angle, Controle::Label14};
const Valeur_Imprimee Ligne_Omega{Controle::Label16, Controle::saisie_Omega, Motif_Angle, Controle::Label17};
const Valeur_Imprimee Ligne_gOmega{Controle::Label19, Controle::saisie_gOmega, Motif_Angle,
                                   Controle::Label20};

// Columns of the element block.
struct Bloc {
    int gauche;  // the width of "Marge"
    int droite;  // the page's middle
    bool elliptique;
};

// Label15 and Label18 give ω and Ω through the symbol face; Label15 is
// Latin in the longitude mode.
void Imprimer_Angles(Feuille& f, const Bloc& b) {
    const QString l15 = Texte_Champ(f, Controle::Label15);
    int x = b.gauche;
    if (f.p.calcul.entree.Omega_Symbole) {
        x += Ecrire_Symbole(f.cv, Taille_Papier, b.gauche, f.y, l15);
    } else {
        f.cv.Ecrire_Texte(b.gauche, f.y, l15);
        x += f.cv.Largeur_Texte(l15);
    }
    f.cv.Ecrire_Texte(x, f.y, Texte_Valeur(f, Ligne_Omega));
    const QString l18 = Texte_Champ(f, Controle::Label18) + u' ';
    const int w = Ecrire_Symbole(f.cv, Taille_Papier, b.droite, f.y, l18);
    f.cv.Ecrire_Texte(b.droite + w, f.y, Texte_Valeur(f, Ligne_gOmega));
}

QString Date_Perihelie(const Feuille& f) {
    if (f.p.calcul.entree.Julienne) return Texte_Champ(f, Controle::saisie_Jour_Perihelie);
    const QString separation = QStringLiteral(" / ");
    return Texte_Champ(f, Controle::saisie_Jour_Perihelie) + separation +
           Texte_Champ(f, Controle::saisie_Mois_Perihelie) + separation +
           Texte_Champ(f, Controle::saisie_An_Perihelie);
}

// a^1.5 years to the hundredth, ties to even.
QString Texte_Periode(const Feuille& f) {
    const double P = std::nearbyint(Periode_Annees(f.p.calcul.el.a) * 100) / 100;
    return Texte_General(P, f.p.calcul.notation.Separateur_Decimal);
}

// One line of the block; an empty text leaves its column blank.
void Ecrire_Deux_Colonnes(Feuille& f, const Bloc& b, const QString& gauche, const QString& droite) {
    if (!gauche.isEmpty()) f.cv.Ecrire_Texte(b.gauche, f.y, gauche);
    if (!droite.isEmpty()) f.cv.Ecrire_Texte(b.droite, f.y, droite);
}

void Imprimer_Elements(Feuille& f) {
    const Bloc b{f.cv.Largeur_Texte(QStringLiteral("Marge")), f.largeur / 2,
                 !Orbite_Parabolique(f.p.calcul.el.e)};
    if (b.elliptique) {
        Ecrire_Deux_Colonnes(f, b, Texte_Valeur(f, Ligne_a), Texte_Valeur(f, Ligne_n));
        f.y += f.h;
    }
    Ecrire_Deux_Colonnes(f, b, Texte_Valeur(f, Ligne_e),
                         b.elliptique ? Texte_Valeur(f, Ligne_gQ) : QString());
    f.y += f.h;
    Ecrire_Deux_Colonnes(f, b, Texte_Valeur(f, Ligne_q), Texte_Valeur(f, Ligne_i));
    f.y += f.h;
    Imprimer_Angles(f, b);
    f.y += f.h;
    const QString periode =
        QStringLiteral("Durée de révolution = ") + Texte_Periode(f) + QStringLiteral(" ans");
    Ecrire_Deux_Colonnes(f, b, Texte_Champ(f, Controle::TitrePerihelie) + u' ' + Date_Perihelie(f),
                         b.elliptique ? periode : QString());
    f.y += f.h;
    Ecrire_Deux_Colonnes(
        f, b, Texte_Champ(f, Controle::Label26) + u' ' + Texte_Champ(f, Controle::Equinoxe),
        Texte_Champ(f, Controle::Label29) + u' ' + Texte_Champ(f, Controle::Equinoxe_ephemeride));
    f.y += 2 * f.h;
}

void Imprimer_Debut(Feuille& f) {
    const Notation& n = f.p.calcul.notation;
    auto entier = [&](Controle c) { return Entier_Ou_Zero(Oter_Espaces(Texte_Champ(f, c))); };
    const Textes_Date_Ligne debut = Textes_Date_Debut(
        Reel_Ou_Zero(Oter_Espaces(Texte_Champ(f, Controle::saisie_Jour)), n.Separateur_Decimal),
        entier(Controle::saisie_Mois), entier(Controle::saisie_An), n);
    Ecrire_Centre_Page(f, QStringLiteral("Date du début de l'éphéméride = ") + debut.jour + u'/' +
                              debut.mois + u'/' + debut.an);
    f.y += 4 * f.h;
}

// On the line under the start date, in the room left above the table.
void Imprimer_Lieu(Feuille& f) {
    const Calcul_Page& c = f.p.calcul;
    if (!Visibilite_Montree(c)) return;
    const int y = f.y;
    f.y -= 3 * f.h;
    Ecrire_Centre_Page(f, Texte_Lieu(*c.site, c.notation.Separateur_Decimal));
    f.y = y;
}

// resolution × tenths div 254, kept within an int whatever the printer says.
int32_t Dixiemes_Vers_Points(int D, int dixiemes) {
    const int64_t points = static_cast<int64_t>(D) * dixiemes / Dixiemes_Par_Pouce;
    return static_cast<int32_t>(std::clamp<int64_t>(points, 0, std::numeric_limits<int32_t>::max() / 32));
}

// The printed widths of every column and the width of those in use, at D dots per inch.
void Mesurer_Tableau(const Contexte_Page& p, int D) {
    Etat_Dessin& d = p.dessin;
    for (int k = 0; k < Nombre_Colonnes; ++k)
        d.Largeurs_Colonnes[k] = Dixiemes_Vers_Points(D, Modeles_Colonnes()[k].dixiemes);
    const Colonnes depuis_zero = Colonnes_En_Usage(p.calcul, 0, d.Largeurs_Colonnes);
    d.Largeur_Tableau = depuis_zero.empty() ? 0 : depuis_zero.back().Fin();
}

Colonnes Colonnes_Papier(Feuille& f) {
    const Etat_Dessin& d = f.p.dessin;
    return Colonnes_En_Usage(f.p.calcul, (f.largeur - d.Largeur_Tableau) / 2, d.Largeurs_Colonnes);
}

// The rule under the header, and one at the right edge of each column.
void Tracer_Cadre(Feuille& f, const Colonnes& colonnes, int Y0, int32_t lignes) {
    f.cv.Choisir_Crayon(Noir, Style_Trait::Plein, f.D / Points_Par_Pouce);
    const int x0 = colonnes.front().x;
    f.cv.Tracer_Ligne(x0, Y0, x0 + f.p.dessin.Largeur_Tableau, Y0);
    const int haut = Y0 - 2 * f.h;
    const int bas = haut + (lignes + 2) * f.h;
    for (const Colonne& c : colonnes)
        f.cv.Tracer_Ligne(c.Fin(), Colonne_Interieure(c) ? Y0 : haut, c.Fin(), bas);
}

// A word and its Greek letter, raised a tenth of a line, centred together.
void Imprimer_Entete_Grec(Feuille& f, const Colonne& c, const Entete& e, int y) {
    const QString mot = QString::fromUtf8(e.mot);
    const QString lettre = QString::fromUtf8(e.lettre);
    const int wT = f.cv.Largeur_Texte(mot + u'_');
    const int wG = Largeur_Symbole(f.cv, Taille_Papier, lettre);
    const int x = c.x + (c.largeur - (wT + wG)) / 2;
    f.cv.Ecrire_Texte(x, y, mot + u' ');
    Ecrire_Symbole(f.cv, Taille_Papier, x + wT, y - f.h / Montee_Grec, lettre);
}

// A header wider than its column goes on two lines, its last word under
// the others, in the two lines above the rule.
void Imprimer_Entete_Centre(Feuille& f, const Colonne& c, const QString& mot, int y) {
    const qsizetype blanc = mot.lastIndexOf(u' ');
    if (blanc < 0 || f.cv.Largeur_Texte(mot) <= c.largeur) {
        Ecrire_Centre(f.cv, c.x, c.largeur, y, mot);
        return;
    }
    Ecrire_Centre(f.cv, c.x, c.largeur, y - f.h / 2, mot.left(blanc));
    Ecrire_Centre(f.cv, c.x, c.largeur, y + f.h / 2, mot.mid(blanc + 1));
}

void Imprimer_Entete(Feuille& f, const Colonnes& colonnes, int y) {
    for (const Colonne& c : colonnes) {
        const Entete& e = c.Modele().papier;
        if (e.genre == Genre_Entete::Centre) Imprimer_Entete_Centre(f, c, QString::fromUtf8(e.mot), y);
        if (e.genre == Genre_Entete::Grec) Imprimer_Entete_Grec(f, c, e, y);
    }
}

// The model, when the page names it, follows the signature, or goes on the
// line under it when both would not fit across the page.
void Imprimer_Signature(Feuille& f) {
    const QString signature = QStringLiteral("Éphéméride calculée par Trajectel ") + f.p.Version_Programme;
    const QString modele = Texte_Modele_Nomme(f.p.calcul);
    const QString modele_entre_parentheses = QStringLiteral("(") + modele + u')';
    const QString ensemble = signature + u' ' + modele_entre_parentheses;
    if (f.cv.Largeur_Texte(ensemble) <= f.largeur) {
        Ecrire_Centre_Page(f, ensemble);
        return;
    }
    Ecrire_Centre_Page(f, signature);
    f.y += f.h;
    Ecrire_Centre_Page(f, modele_entre_parentheses);
}

// Where the magnitude columns come from, under the signature: a sheet read
// later must say which law and which estimate made them.
void Imprimer_Magnitudes(Feuille& f) {
    for (const QString& ligne : Textes_Magnitudes(f.p.calcul)) {
        f.y += f.h;
        Ecrire_Centre_Page(f, ligne);
    }
}

void Imprimer_Tableau(Feuille& f) {
    const Colonnes colonnes = Colonnes_Papier(f);
    const int32_t lignes = Nombre_Lignes(f.p.calcul.el.Unite_Pas);
    const int Y0 = f.y;
    Tracer_Cadre(f, colonnes, Y0, lignes);
    f.y = Y0 - 2 * f.h + f.h / 2;
    Imprimer_Entete(f, colonnes, f.y);
    f.y += f.h * 7 / 10;
    const Notation& n = f.p.calcul.notation;
    Generer_Lignes(f.p.calcul, [&](const Ligne_Ephemeride& l) {
        f.y += f.h;
        Ecrire_Ligne(f.cv, colonnes, Textes_Ligne_Page(l, n), f.y, f.h / 4);
        Ecrire_Message(f.cv, colonnes, l.Message, f.y, f.y + f.h, f.y, f.h / 4);
    });
    // Under the rules, a line apart.
    f.y = Y0 + (lignes + 1) * f.h;
    Imprimer_Signature(f);
    Imprimer_Magnitudes(f);
}

}  // namespace

QString Texte_Grec(const QString& texte) {
    static const QString latines = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    static const QString grecques = QString::fromUtf8("αβχδεφγηιϕκλμνοπθρστυϖωξψζΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ");
    QString resultat = texte;
    for (QChar& c : resultat) {
        const qsizetype k = latines.indexOf(c);
        if (k >= 0) c = grecques[k];
    }
    return resultat;
}

void Construire_Page(const Contexte_Page& p) {
    if (!Preparer_Page(p.calcul)) {
        p.boite.Montrer(Controle::Fenetre, false);
        if (!p.dessin.Impression) p.boite.Page_Construite();
        return;
    }
    p.boite.Montrer(Controle::Fenetre, true);
    p.boite.Activer(Controle::Imprimer1, true);
    p.boite.Activer(Controle::ToolImprimer, true);
    if (p.dessin.Impression) {
        Imprimer_Page(p);
    } else {
        Dessiner_Page_Ecran(p);
        p.boite.Page_Construite();
    }
}

void Dessiner_Page_Ecran(const Contexte_Page& p) {
    Boite_Outils& b = p.boite;
    const int32_t lignes = Nombre_Lignes(p.calcul.el.Unite_Pas);
    b.Montrer(Controle::Fenetre, true);
    Dimensionner_Image(p, lignes);
    Canevas& cv = b.Canevas_Fenetre();
    cv.Remplir_Rectangle(QRect(QPoint(0, 0), b.Geometrie(Controle::Fenetre).size()));
    cv.Choisir_Crayon(Noir, Style_Trait::Plein, 1);
    const Colonnes colonnes = Colonnes_En_Usage(p.calcul, 0, Largeurs_Ecran());
    Dessiner_Entete_Ecran(cv, colonnes);
    const int R = colonnes.back().Fin();
    if (b.Geometrie(Controle::Fenetre).width() < R) Fixer_Largeur(b, Controle::Fenetre, R + 1);
    int k = 0;
    Generer_Lignes(p.calcul, [&](const Ligne_Ephemeride& l) {
        ++k;
        Dessiner_Ligne_Ecran(cv, b, colonnes, l, p.calcul.notation, k);
    });
    const int bas = Pas_Ligne_Ecran * lignes + Bas_Regles_Ligne;
    if (b.Geometrie(Controle::Fenetre).height() < bas) Fixer_Hauteur(b, Controle::Fenetre, bas);
    Ajuster_Fiche(b);
    Ajuster_Barres(b, p.vue);
}

void Imprimer_Page(const Contexte_Page& p) {
    Canevas* imprimante = p.boite.Dialogue_Impression();
    if (imprimante == nullptr) return;
    // The visibility columns widen the table past a portrait page.
    Mesurer_Tableau(p, imprimante->Resolution());
    if (Visibilite_Montree(p.calcul) && p.dessin.Largeur_Tableau > imprimante->Largeur_Page())
        imprimante->Mettre_En_Paysage();
    imprimante->Debut_Document();
    Feuille f{*imprimante, p, imprimante->Resolution(), imprimante->Largeur_Page()};
    Imprimer_Titre(f);
    Imprimer_Instrument(f);
    Imprimer_Elements(f);
    Imprimer_Debut(f);
    Imprimer_Lieu(f);
    Imprimer_Tableau(f);
    imprimante->Fin_Document();
}

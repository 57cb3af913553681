#pragma once

// Magnitude laws of the two columns of the page: how bright the body is at
// distances r from the Sun and Δ from the Earth and at the phase angle β.
// Pure functions of r, Δ and β; no position is computed here.

#include <string>

// Where a law comes from.
enum class Origine_Loi {
    Programme,  // the program's own laws, for a body that carries none
    Importee,   // read from a published file
    Saisie,     // typed by the user
    Ajustee,    // fitted to observed magnitudes; `source` says to which
};

enum class Forme_Loi {
    Comete,     // Zero + 5 log Δ + K log r + PC · β
    Asteroide,  // the IAU H,G system: Zero is H
};

// The law of one column.
struct Loi_Magnitude {
    Forme_Loi forme = Forme_Loi::Comete;
    double Zero = 0;  // M1, M2 or H: the magnitude at r = Δ = 1 AU and β = 0
    double K = 0;     // magnitudes per decade of r (K1, K2; 2.5 k of g,k laws)
    double PC = 0;    // magnitudes per degree of phase angle
    double G = 0;     // slope parameter of the H,G system
    Origine_Loi origine = Origine_Loi::Programme;
    std::string source;  // the file a law was imported from, in UTF-8
};

// The program's own laws: total K1 = 10, nucleus K2 = 5, no phase term.
Loi_Magnitude Loi_Totale_Programme();
Loi_Magnitude Loi_Noyau_Programme();

// The laws of the total ("M1") and nucleus ("M2") columns; an asteroid's law
// goes to the nucleus column, the whole body being its nucleus.
struct Lois_Magnitude {
    Loi_Magnitude totale = Loi_Totale_Programme();
    Loi_Magnitude noyau = Loi_Noyau_Programme();
};

// A comet's law, M + 5 log Δ + K log r + PC · β.
Loi_Magnitude Loi_Comete(double M, double K, double PC, Origine_Loi origine);
// The asteroid law of absolute magnitude H and slope G.
Loi_Magnitude Loi_Asteroide(double H, double G, Origine_Loi origine);

// The phase angle β, degrees in [0, 180], Sun–body–Earth, from r (Sun–body),
// Δ (Earth–body) and R (Sun–Earth), AU; not finite when r or Δ is not positive.
double Angle_Phase(double r, double Delta, double R);

// The H,G phase function (1 − G) Φ1(β) + G Φ2(β) of Bowell et al. (1989), β in
// degrees; 1 at β = 0, falling to 0 at 180°.
double Fonction_Phase_HG(double G, double beta);

// The magnitude change from r = Δ = 1 AU and β = 0 to r, Δ (AU) and β
// (degrees); not finite when a distance is not positive, and +∞ where the
// phase function of an asteroid law vanishes (the body is not seen).
double Effet_Distances(const Loi_Magnitude& loi, double r, double Delta, double beta);

// The magnitude the law gives at r, Δ and β; not finite where the effect is not.
double Magnitude_Loi(const Loi_Magnitude& loi, double r, double Delta, double beta);

// The law whose zero point (M1, M2 or H) makes it give `magnitude` at the
// r, Δ and β of the observation; the slope, the phase terms and the origin
// are kept.
Loi_Magnitude Recalibrer_Loi(const Loi_Magnitude& loi, double magnitude, double r, double Delta, double beta);

// The parameters a dialog offers, and the range it accepts for each.
enum class Parametre_Loi { Zero, K, PC, G };
struct Limites_Parametre {
    Parametre_Loi parametre;
    const char* nom;  // the French word a refusal shows
    double minimum;
    double maximum;
};
const Limites_Parametre& Limites_Loi(Parametre_Loi parametre);

// A finite value within the range of its parameter.
bool Parametre_Loi_Valide(Parametre_Loi parametre, double valeur);

// Every parameter of the law's form in range.
bool Loi_Valide(const Loi_Magnitude& loi);

#pragma once

// Number texts shared by the fields, the element files and the page: the
// decimal separator, the number test and the one conversion of field texts.

#include <QString>
#include <cstdint>
#include <string>

// How the program writes numbers: the system's decimal separator ("," or ".")
// and its thousands separator (UTF-8), fixed once at start-up.
struct Notation {
    char Separateur_Decimal = '.';
    std::string Separateur_Milliers = " ";
};

// The separator is the second character of the system's shortest text of π.
char Trouver_Separateur();
Notation Trouver_Notation();

// 0 not a number, 1 a whole number, 2 a number with a decimal separator;
// one leading sign allowed, a space counts as a digit.
int Classe_Nombre(const QString& texte);

// The test of a magnitude text, as the page makes it: like the number test
// but a "-" only in first place and never a "+".
int Classe_Magnitude(const QString& texte);

// The same unsigned number written with the separator, or "" when the text is
// not an unsigned number.
QString Normaliser_Nombre(const QString& texte, char separateur);

// The text without spaces nor no-break spaces.
QString Oter_Espaces(const QString& texte);

// The number of a field text written with `separateur` (surrounding blanks
// allowed, an exponent too, as the system's conversion takes them). False for
// any other text and for numbers a double cannot hold.
bool Lire_Reel(const QString& texte, char separateur, double& valeur);

// A whole number that fits 32 bits, surrounding blanks allowed.
bool Lire_Entier(const QString& texte, int32_t& valeur);

// The value of a field text, or 0 when it is empty or not a number.
double Reel_Ou_Zero(const QString& texte, char separateur);
int32_t Entier_Ou_Zero(const QString& texte);

// A number written for a field with a pattern or the general format.
QString Texte_Motif(double valeur, const char* motif, const Notation& notation);
QString Texte_General(double valeur, char separateur);

// A count and its words agreeing with it, as French has it: the singular
// `un` for 0 and 1, else `plusieurs`; each holds "%1" for the number
// ("%1 objet retenu", "%1 objets retenus").
QString Accorder(int64_t n, const QString& un, const QString& plusieurs);

// The input as the text of a field: the number tests, the normaliser, the
// conversions in both notations and the formats of the values they read,
// which must read back as the value they write.

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "astro/format.h"
#include "document/fichier_elements.h"
#include "form/textes_nombres.h"
#include "invariant.h"
#include "plateforme/erreur_generale.h"

namespace {

// The patterns the program writes numbers with.
constexpr const char* Motifs[] = {"#0",      "#0.0",          "#0.00",         "#0.000",     "#0.###",
                                  "#0.####", "#0.#######",    "#0.##########", "#0.### ###", ",#0.###",
                                  "#,###",   "0.000 000 000", "0.000 000"};
// Longer patterns only repeat what these lengths already exercise.
constexpr std::size_t Longueur_Max_Motif = 64;
// The general format keeps 15 significant digits; "#0.##########" 10 decimals.
constexpr double Ecart_Relatif_General = 1e-14;
constexpr double Ecart_Dix_Decimales = 0.6e-10;

// A written number read back: what was written must be what is read.
void Relire(const std::string& texte, char separateur, double valeur, double ecart, const char* quoi) {
    double relu = 0;
    Exiger(Lire_Reel(QString::fromStdString(texte), separateur, relu), quoi);
    Exiger(std::fabs(relu - valeur) <= ecart, quoi);
}

// "-0", "-0,00": a value that rounds to zero is written without its sign.
bool Zero_Signe(const std::string& texte) {
    return !texte.empty() && texte[0] == '-' && texte.find_first_of("123456789") == std::string::npos;
}

void Formater(double valeur, char separateur, std::string_view motif_saisi) {
    for (const char* motif : Motifs) {
        const std::string texte = Formater_Motif(valeur, motif, separateur, "\u00a0");
        Exiger(!std::isfinite(valeur) || !Zero_Signe(texte), "zéro signé");
        Texte_Motif(valeur, motif, Notation{separateur, " "});
    }
    Formater_Motif(valeur, motif_saisi, separateur, " ");
    if (!std::isfinite(valeur)) return;
    Relire(Format_General(valeur, separateur), separateur, valeur, Ecart_Relatif_General * std::fabs(valeur),
           "format général relu");
    if (std::fabs(valeur) < 1e15) {
        Relire(Formater_Motif(valeur, "#0.##########", separateur), separateur, valeur,
               Ecart_Dix_Decimales + Ecart_Relatif_General * std::fabs(valeur), "motif à dix décimales relu");
    }
}

void Essayer(const QString& texte, char separateur, std::string_view motif_saisi) {
    const QString normal = Normaliser_Nombre(texte, separateur);
    Exiger(normal.isEmpty() || Classe_Nombre(normal) == Classe_Nombre(texte), "classe du texte normalisé");
    double valeur = 0;
    if (Lire_Reel(texte, separateur, valeur)) {
        Exiger(std::isfinite(valeur), "nombre lu fini");
        Formater(valeur, separateur, motif_saisi);
    }
    Reel_Ou_Zero(texte, separateur);
    Etat_Document document;
    try {
        Valeur_Reelle(Normaliser_Separateur(texte, separateur), separateur, document);
    } catch (const Erreur_Generale&) {
        // A text the conversion rejects ends the read of a file.
    }
}

double Bits_Reel(const uint8_t* data) {
    double x = 0;
    std::memcpy(&x, data, sizeof x);
    return x;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* octets = reinterpret_cast<const char*>(data);
    const QString texte = QString::fromUtf8(octets, static_cast<qsizetype>(size));
    const std::string_view motif_saisi(octets, std::min(size, Longueur_Max_Motif));
    Classe_Nombre(texte);
    Classe_Magnitude(texte);
    const QString sans_espaces = Oter_Espaces(texte);
    Exiger(!sans_espaces.contains(u' ') && !sans_espaces.contains(QChar(0x00A0)), "espaces ôtés");
    int32_t entier = 0;
    double reel = 0;
    if (Lire_Entier(texte, entier)) {
        Exiger(Lire_Reel(texte, ',', reel) && reel == entier, "entier lu comme réel");
    }
    Entier_Ou_Zero(texte);
    for (const char separateur : {',', '.'}) {
        Essayer(texte, separateur, motif_saisi);
        if (size >= sizeof(double)) Formater(Bits_Reel(data), separateur, motif_saisi);
    }
    return 0;
}

#include "document/cp1252.h"

#include <array>

namespace {

constexpr char Remplacement = '?';
constexpr char16_t Premier_Special = 0x80;  // the bytes 0x80 to 0x9F differ from Latin-1
constexpr char16_t Dernier_Special = 0x9F;
constexpr char16_t Dernier_Latin1 = 0xFF;

// Characters of the bytes 0x80 to 0x9F; the undefined ones keep their Latin-1 value.
constexpr std::array<char16_t, 32> Caracteres_80_9F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

char16_t Caractere(unsigned char octet) {
    if (octet >= Premier_Special && octet <= Dernier_Special)
        return Caracteres_80_9F[octet - Premier_Special];
    return octet;
}

// The byte of a UTF-16 unit, or Remplacement when the code page has none.
char Octet(char16_t c) {
    for (std::size_t k = 0; k < Caracteres_80_9F.size(); ++k) {
        if (Caracteres_80_9F[k] == c) return static_cast<char>(Premier_Special + k);
    }
    const bool latin1 = c < Premier_Special || (c > Dernier_Special && c <= Dernier_Latin1);
    return latin1 ? static_cast<char>(c) : Remplacement;
}

}  // namespace

QString Decoder_Cp1252(const QByteArray& octets) {
    QString texte;
    texte.reserve(octets.size());
    for (const char o : octets) texte.append(QChar(Caractere(static_cast<unsigned char>(o))));
    return texte;
}

QByteArray Encoder_Cp1252(const QString& texte) {
    QByteArray octets;
    octets.reserve(texte.size());
    for (qsizetype k = 0; k < texte.size(); ++k) {
        const QChar c = texte[k];
        // A character outside the basic plane is one "?", not two.
        if (c.isHighSurrogate() && k + 1 < texte.size() && texte[k + 1].isLowSurrogate()) ++k;
        octets.append(Octet(c.unicode()));
    }
    return octets;
}

#include <gtest/gtest.h>

#include "document/cp1252.h"

namespace {

TEST(Cp1252, CaracteresEtOctets) {
    struct Cas {
        const char* nom;
        const char16_t* caractere;
        const char* octet;
    };
    const Cas cas[] = {
        {"lettre", u"a", "a"},
        {"é", u"é", "\xE9"},
        {"degré", u"°", "\xB0"},
        {"euro", u"€", "\x80"},
        {"points", u"…", "\x85"},
        {"œ", u"œ", "\x9C"},
        {"Ÿ", u"Ÿ", "\x9F"},
        {"ÿ", u"ÿ", "\xFF"},
        {"insécable", u"\u00A0", "\xA0"},
        {"non défini 0x81", u"\u0081", "\x81"},
        {"non défini 0x9D", u"\u009D", "\x9D"},
    };
    for (const auto& c : cas) {
        const QString texte = QString::fromUtf16(c.caractere);
        EXPECT_EQ(Encoder_Cp1252(texte), QByteArray(c.octet)) << c.nom;
        EXPECT_EQ(Decoder_Cp1252(QByteArray(c.octet)), texte) << c.nom;
    }
}

TEST(Cp1252, CaracteresHorsDuJeuDeviennentPointDInterrogation) {
    const std::pair<const char*, const char16_t*> cas[] = {
        {"oméga", u"Ω"},
        {"C1 remplacé par l'euro", u"\u0080"},
        {"hors du plan de base", u"\U0001F600"},
        {"demi-paire seule", u"\xD83D"},
        {"idéogramme", u"彗"},
    };
    for (const auto& [nom, caractere] : cas) {
        EXPECT_EQ(Encoder_Cp1252(QString::fromUtf16(caractere)), QByteArray("?")) << nom;
    }
    EXPECT_EQ(Encoder_Cp1252(QString::fromUtf16(u"a\U0001F600b")), QByteArray("a?b"));
}

// Every byte, the NUL and the undefined ones included, reads and writes back.
TEST(Cp1252, ToutOctetFaitLAllerRetour) {
    QByteArray octets;
    for (int k = 0; k < 256; ++k) octets.append(static_cast<char>(k));
    const QString texte = Decoder_Cp1252(octets);
    EXPECT_EQ(texte.size(), 256);
    EXPECT_EQ(Encoder_Cp1252(texte), octets);
}

}  // namespace

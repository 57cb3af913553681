#pragma once

// Windows-1252, the code page of element files and of the settings file:
// one byte per character, so files stay interchangeable with those written
// on Windows.

#include <QByteArray>
#include <QString>

// Every byte gives one character. The five bytes that the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) give their Latin-1 value, so that
// any file reads and writes back unchanged.
QString Decoder_Cp1252(const QByteArray& octets);

// One byte per character; a character the code page cannot hold (a
// surrogate pair counting as one character) is written "?".
QByteArray Encoder_Cp1252(const QString& texte);

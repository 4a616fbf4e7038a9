#pragma once

#include <QByteArray>
#include <QString>

// Windows-1250, the Central European code page that the dictionary data and the plain-text
// files of this system were made in. The byte rules of the text routines work on these codes,
// so the mapping is written out here rather than borrowed from a codec that a Qt build may lack.
namespace verbalo {

// The byte 0..255 a character has in Windows-1250, or -1 when the code page has no such
// character. The five bytes the code page leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) map
// to the C1 controls of the same number, as Windows itself does, so every byte decodes and
// encodes back to itself.
int cp1250Code(char32_t c);
int cp1250Code(QChar c);

// The character of a byte.
char32_t cp1250Char(unsigned char byte);

QString decodeCp1250(const QByteArray& bytes);

// Characters outside the code page become '?'; *lossless (when given) tells whether none did.
QByteArray encodeCp1250(const QString& text, bool* lossless = nullptr);

// Whether every character of text has a Windows-1250 code.
bool isRepresentable(const QString& text);

} // namespace verbalo

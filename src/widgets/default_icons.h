#pragma once

#include <QByteArray>
#include <QImage>

// The program's own pictures, painted in code: the built-in default icons of the properties
// window and the side panel's two fixed rows.
namespace verbalo {

// A closed book with a letter pair on its cover: a dictionary without an icon of its own.
QImage paintDictionaryIcon(int size);
// A small speech bubble: a language without an icon of its own.
QImage paintLanguageIcon(int size);
// A globe with a downward arrow: dictionary download.
QImage paintDownloadIcon(int size);
// Three stacked program windows: more programs.
QImage paintProgramsIcon(int size);

// The bytes of an icon file holding the image; empty when it cannot be encoded.
QByteArray iconFileBytes(const QImage& image);

} // namespace verbalo

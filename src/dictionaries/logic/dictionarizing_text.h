#pragma once

#include <QString>
#include <QStringList>

// How a text becomes the list of words that dictionarizing looks up: the editor's lines are
// joined, everything but letters and the apostrophe turns into spaces, runs of spaces shrink to
// one, and the words are lower-cased in text order.
namespace verbalo {

// The whole editor as one text: a space and the line, for each line in order.
QString joinEditorLines(const QStringList& lines);

// Keeps the apostrophe, A-Z, a-z and every character whose Windows-1250 code is 192 to 255
// (the accented letters, and also × ÷ ˙); a character the code page lacks is kept when it is a
// letter. Everything else becomes a space. Then runs of spaces become one space and a leading
// space is dropped; a trailing space stays.
QString cleanDictionarizingText(const QString& text);

// Splits a cleaned text at its spaces into lower-cased words, repeats included. The last word,
// when the text does not end in a space, is only added when the list does not hold it yet
// (compared without regard to case): "a b a" gives a, b; "a a b" gives a, a, b.
QStringList splitDictionarizingWords(const QString& cleanedText);

// cleanDictionarizingText then splitDictionarizingWords.
QStringList dictionarizingWords(const QString& text);

} // namespace verbalo

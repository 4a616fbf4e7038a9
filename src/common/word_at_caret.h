#pragma once

#include <QString>

// The word at the caret of an editing area: the word the quick finder looks up, and the one the
// bilingual window's dictionarizing tab searches for.
namespace verbalo {

// Word characters: 0-9, A-Z, a-z, '_' and the Windows-1250 codes 192-214, 216-246 and
// 248-255 (every Hungarian accented letter, small and capital). Every other character of the
// code page, its other accented letters and × ÷ among them, separates words. A character the
// code page lacks is a word character when Unicode calls it a letter.
bool isQuickWordCharacter(char32_t c);

// The word at caret column `column` (counted from 1, in characters; it may stand beyond the
// end of the line) of one line of text. A caret inside a word or right after its last
// character gives that word, a caret right before a word gives the word that follows, a caret
// between two separators gives "".
QString wordAtCaret(const QString& line, int column);

} // namespace verbalo

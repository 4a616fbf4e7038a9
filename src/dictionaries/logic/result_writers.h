#pragma once

#include "common/occurrence_search.h"
#include "dictionaries/logic/pair_lookup.h"
#include "dictionaries/logic/result_lines.h"

#include <vector>

// How each search of the bilingual window writes its result lines; the window's panes and the
// command-line tool write the same lines.
namespace verbalo {

// Dictionarizing: a found word in bold red with its translations below it, three spaces in,
// in regular black; a word not found in bold blue.
void appendDictionarizedWord(ResultLines& lines, const DictionarizedWord& word);

// The word at the caret: the word in bold red, then its translations (none when not found).
void appendCaretWord(ResultLines& lines, const DictionarizedWord& word);

// The expression search: each entry on a black line with the expression's place in bold, then
// its translation three spaces in.
void appendExpressionMatches(ResultLines& lines, const std::vector<OccurrenceRow>& matches);
// An expression search that found nothing says so: "Nincs találat: „kifejezés”" in blue.
void appendNoExpressionMatch(ResultLines& lines, const QString& expression);
QString noExpressionMatchText(const QString& expression);

} // namespace verbalo

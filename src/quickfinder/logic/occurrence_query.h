#pragma once

#include "common/occurrence_search.h"

#include <QString>

#include <vector>

// The quick finder's occurrence search: the entries of the open dictionary whose search
// column holds an expression anywhere, in any letter case.
namespace verbalo {

// The text without leading and trailing blanks and control characters (codes up to 32).
QString trimExpression(const QString& text);

// containsStatement with the quick finder's lower-case "like".
QString occurrenceStatement(const QString& table, const QString& column, const QString& expression);

using OccurrenceOutcome = OccurrenceSearch;

// searchContaining with the box's text trimmed: a too short expression is refused, and
// kTooShortExpression is what the window shows then. Errors of the store reach the caller.
OccurrenceOutcome searchOccurrences(store::Database& db, const QString& table, const QString& column, const QString& boxText);

} // namespace verbalo

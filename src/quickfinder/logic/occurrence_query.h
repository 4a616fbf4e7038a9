#pragma once

#include "common/occurrence_search.h"

#include <QString>

#include <vector>

// The quick finder's occurrence search: the entries of the open dictionary whose search
// column holds an expression anywhere, in any letter case.
namespace verbalo {

// Shown when the expression is shorter than kMinimumExpressionLength after trimming.
inline const QString kTooShortExpression = QStringLiteral("Túl rövid kifejezés");
inline constexpr int kMinimumExpressionLength = 3;

// The text without leading and trailing blanks and control characters (codes up to 32).
QString trimExpression(const QString &text);

// "SELECT * FROM " table " WHERE UPPER(" column ") like " pattern ";", the pattern being the
// upper-cased expression between "%" signs as a quoted literal with its quotes doubled.
QString occurrenceStatement(const QString &table, const QString &column, const QString &expression);

struct OccurrenceOutcome {
    bool tooShort = false;
    std::vector<OccurrenceRow> rows;
};

// Trims the box's text, refuses a too short expression, and otherwise runs the statement.
// Errors of the store reach the caller.
OccurrenceOutcome searchOccurrences(store::Database &db, const QString &table, const QString &column,
                                    const QString &boxText);

} // namespace verbalo

#pragma once

#include "common/occurrence_search.h"

#include <QString>
#include <vector>

// The searches of the search tab: the prefix list while the user types and the expression
// search on Enter. Texts go into the statements as literals with their quotes doubled; "%" and
// "_" typed by the user stay wildcards.
namespace verbalo {

namespace store {
class Database;
}

// The prefix list needs this many characters; fewer leave the list as it is.
inline constexpr int kPrefixListMinLength = 2;

// "\"nyelv1\" >= 'ab' AND \"nyelv1\" < 'ab\uFFFF' AND nyelv1 LIKE 'ab%'": the LIKE, read as an index
// range up to the text's first wildcard.
QString prefixListCondition(const QString& orderColumn, const QString& text);
// "SELECT * FROM angol WHERE " + the condition above + ";"
QString prefixListStatement(const QString& tableName, const QString& orderColumn, const QString& text);
// "SELECT * FROM angol;": the search tab's list before anything is typed.
QString wholeTableStatement(const QString& tableName);
// "SELECT * FROM angol WHERE UPPER(nyelv1) LIKE '%HÁZ%';"
QString expressionSearchStatement(const QString& tableName, const QString& orderColumn, const QString& expression);

struct ExpressionSearchResult {
    bool tooShort = false;
    std::vector<OccurrenceRow> matches;
};

// searchContaining with the expression as typed and this tab's statement text. StoreError
// reaches the caller.
ExpressionSearchResult searchExpression(store::Database& db, const QString& tableName, const QString& orderColumn,
                                        const QString& expression);

} // namespace verbalo

#pragma once

#include <QString>

#include <vector>

// The expression search of the bilingual dictionaries: every entry whose column holds an
// expression in any letter case, listed with the place of the expression for bold type and
// the entry's translation.
namespace verbalo {

namespace store {
class Database;
}

// Shorter expressions are refused with kTooShortExpression and nothing is searched.
inline constexpr int kExpressionMinLength = 3;
inline const QString kTooShortExpression = QStringLiteral("Túl rövid kifejezés");

struct OccurrenceRow {
    QString value;       // the searched column, "" for null
    QString translation; // the other column, "" for null
    int matchStart = -1; // where the expression stands in value; -1: nothing to set in bold
    int matchLength = 0;
};

// The LIKE pattern for "contains": the expression upper-cased, "%" before and after it, as an
// SQL string literal with its inner quotes doubled. "%" and "_" in the expression stay
// wildcards.
QString containsPatternLiteral(const QString& expression);

// How a statement writes its LIKE: the bilingual window's search tab "LIKE", the quick finder
// "like". The two texts are kept because each window shows or logs its own.
enum class LikeSpelling { Upper, Lower };

// "SELECT * FROM angol WHERE UPPER(nyelv1) LIKE '%HÁZ%';" (or "like"), the pattern made by
// containsPatternLiteral.
QString containsStatement(const QString& table, const QString& column, const QString& expression, LikeSpelling spelling);

struct OccurrenceSearch {
    bool tooShort = false;
    std::vector<OccurrenceRow> rows;
};

// Runs containsStatement over the table and reads its rows (readOccurrences with the column's
// translation column). An expression shorter than kExpressionMinLength runs nothing and says
// tooShort. Errors of the store reach the caller.
OccurrenceSearch searchContaining(store::Database& db, const QString& table, const QString& column, const QString& expression,
                                  LikeSpelling spelling);

// Where the upper-cased expression first stands in the upper-cased value; -1 when it is not
// there literally (it held a wildcard) or upper-casing changed the value's length, so that no
// position in the upper-cased text names a position in the value.
int matchPosition(const QString& value, const QString& expression);

// Runs statement (a SELECT over a bilingual table) and reads every row's column and
// otherColumn in the order the rows come. Errors of the store reach the caller.
std::vector<OccurrenceRow> readOccurrences(store::Database& db, const QString& statement, const QString& column,
                                           const QString& otherColumn, const QString& expression);

} // namespace verbalo

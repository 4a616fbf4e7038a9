#include "common/occurrence_search.h"

#include "common/catalogue.h"
#include "common/store/database.h"
#include "common/store/query.h"

namespace verbalo {

QString containsPatternLiteral(const QString& expression) {
    return store::quoteLiteral(QLatin1Char('%') + expression.toUpper() + QLatin1Char('%'));
}

QString containsStatement(const QString& table, const QString& column, const QString& expression, LikeSpelling spelling) {
    const QString like = spelling == LikeSpelling::Upper ? QStringLiteral(") LIKE ") : QStringLiteral(") like ");
    return QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE UPPER(") + column + like +
           containsPatternLiteral(expression) + QLatin1Char(';');
}

OccurrenceSearch searchContaining(store::Database& db, const QString& table, const QString& column, const QString& expression,
                                  LikeSpelling spelling) {
    OccurrenceSearch search;
    if (expression.size() < kExpressionMinLength) {
        search.tooShort = true;
        return search;
    }
    search.rows = readOccurrences(db, containsStatement(table, column, expression, spelling), column, otherLanguageColumn(column),
                                  expression);
    return search;
}

int matchPosition(const QString& value, const QString& expression) {
    const QString upperValue = value.toUpper();
    if (expression.isEmpty() || upperValue.size() != value.size()) return -1;
    return upperValue.indexOf(expression.toUpper());
}

std::vector<OccurrenceRow> readOccurrences(store::Database& db, const QString& statement, const QString& column,
                                           const QString& otherColumn, const QString& expression) {
    store::Query query(db);
    query.setSql(statement);
    store::ResultSet rows = query.open();
    const int valueField = rows.fieldIndex(column);
    const int otherField = rows.fieldIndex(otherColumn);
    std::vector<OccurrenceRow> found;
    // The rows are copied out so that no read lock outlives the search.
    for (; !rows.eof(); rows.next()) {
        OccurrenceRow row;
        if (valueField >= 0) row.value = rows.value(valueField).toString();
        if (otherField >= 0) row.translation = rows.value(otherField).toString();
        row.matchStart = matchPosition(row.value, expression);
        if (row.matchStart >= 0) row.matchLength = static_cast<int>(expression.size());
        found.push_back(std::move(row));
    }
    rows.close();
    return found;
}

} // namespace verbalo

#include "dictionaries/logic/pair_search.h"

#include "common/store/collation.h"
#include "common/store/sqlite_handle.h"

namespace verbalo {

namespace {

// The typed text up to its first wildcard: every matching value starts with it.
QString literalPrefix(const QString& text) {
    int end = 0;
    while (end < text.size() && text[end] != QLatin1Char('%') && text[end] != QLatin1Char('_')) ++end;
    return text.left(end);
}

} // namespace

QString prefixListCondition(const QString& orderColumn, const QString& text) {
    const QString like = orderColumn + QStringLiteral(" LIKE ") + store::quoteLiteral(text + QLatin1Char('%'));
    // The store's LIKE is a function of its own, which SQLite cannot turn into an index seek:
    // the range beside it keeps a keystroke from reading the whole table.
    const QString range = store::prefixRangeCondition(orderColumn, literalPrefix(text));
    return range.isEmpty() ? like : range + QStringLiteral(" AND ") + like;
}

QString prefixListStatement(const QString& tableName, const QString& orderColumn, const QString& text) {
    return QStringLiteral("SELECT * FROM ") + tableName + QStringLiteral(" WHERE ") + prefixListCondition(orderColumn, text) +
           QLatin1Char(';');
}

QString wholeTableStatement(const QString& tableName) {
    return QStringLiteral("SELECT * FROM ") + tableName + QLatin1Char(';');
}

QString expressionSearchStatement(const QString& tableName, const QString& orderColumn, const QString& expression) {
    return containsStatement(tableName, orderColumn, expression, LikeSpelling::Upper);
}

ExpressionSearchResult searchExpression(store::Database& db, const QString& tableName, const QString& orderColumn,
                                        const QString& expression) {
    OccurrenceSearch found = searchContaining(db, tableName, orderColumn, expression, LikeSpelling::Upper);
    return {found.tooShort, std::move(found.rows)};
}

} // namespace verbalo

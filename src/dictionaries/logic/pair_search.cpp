#include "dictionaries/logic/pair_search.h"

#include "common/store/sqlite_handle.h"

namespace verbalo {

QString prefixListCondition(const QString& orderColumn, const QString& text) {
    return orderColumn + QStringLiteral(" LIKE ") + store::quoteLiteral(text + QLatin1Char('%'));
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

#include "dictionaries/logic/pair_search.h"

#include "common/catalogue.h"
#include "common/store/sqlite_handle.h"

namespace verbalo {

QString prefixListCondition(const QString& orderColumn, const QString& text) {
    return orderColumn + QStringLiteral(" LIKE ") + store::quoteLiteral(text + QLatin1Char('%'));
}

QString prefixListStatement(const QString& tableName, const QString& orderColumn, const QString& text) {
    return QStringLiteral("SELECT * FROM ") + tableName + QStringLiteral(" WHERE ") + prefixListCondition(orderColumn, text) +
           QLatin1Char(';');
}

QString wholeTableStatement(const QString& tableName) { return QStringLiteral("SELECT * FROM ") + tableName + QLatin1Char(';'); }

QString expressionSearchStatement(const QString& tableName, const QString& orderColumn, const QString& expression) {
    return QStringLiteral("SELECT * FROM ") + tableName + QStringLiteral(" WHERE UPPER(") + orderColumn + QStringLiteral(") LIKE ") +
           containsPatternLiteral(expression) + QLatin1Char(';');
}

ExpressionSearchResult searchExpression(store::Database& db, const QString& tableName, const QString& orderColumn,
                                        const QString& expression) {
    ExpressionSearchResult result;
    if (expression.size() < kExpressionMinLength) {
        result.tooShort = true;
        return result;
    }
    result.matches = readOccurrences(db, expressionSearchStatement(tableName, orderColumn, expression), orderColumn,
                                     otherLanguageColumn(orderColumn), expression);
    return result;
}

} // namespace verbalo

#include "quickfinder/logic/occurrence_query.h"

#include "common/catalogue.h"

namespace verbalo {

QString trimExpression(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32) ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32) --end;
    return text.mid(begin, end - begin);
}

QString occurrenceStatement(const QString &table, const QString &column, const QString &expression)
{
    return QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE UPPER(") + column +
           QStringLiteral(") like ") + containsPatternLiteral(expression) + QLatin1Char(';');
}

OccurrenceOutcome searchOccurrences(store::Database &db, const QString &table, const QString &column,
                                    const QString &boxText)
{
    OccurrenceOutcome outcome;
    const QString expression = trimExpression(boxText);
    if (expression.size() < kMinimumExpressionLength) {
        outcome.tooShort = true;
        return outcome;
    }
    outcome.rows = readOccurrences(db, occurrenceStatement(table, column, expression), column,
                                   otherLanguageColumn(column), expression);
    return outcome;
}

} // namespace verbalo

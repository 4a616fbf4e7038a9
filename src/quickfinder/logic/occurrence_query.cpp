#include "quickfinder/logic/occurrence_query.h"

namespace verbalo {

QString trimExpression(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32) ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32) --end;
    return text.mid(begin, end - begin);
}

QString occurrenceStatement(const QString& table, const QString& column, const QString& expression) {
    return containsStatement(table, column, expression, LikeSpelling::Lower);
}

OccurrenceOutcome searchOccurrences(store::Database& db, const QString& table, const QString& column, const QString& boxText) {
    return searchContaining(db, table, column, trimExpression(boxText), LikeSpelling::Lower);
}

} // namespace verbalo

#include "freesql/logic/sql_run_text.h"

namespace verbalo {

namespace {

bool isBlankOrControl(QChar c) {
    return c.unicode() <= 0x20;
}

} // namespace

QString trimBlanksAndControls(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text.at(begin))) ++begin;
    while (end > begin && isBlankOrControl(text.at(end - 1))) --end;
    return text.mid(begin, end - begin);
}

SqlRunKind runKindOf(const QString& text) {
    return trimBlanksAndControls(text).toUpper().startsWith(QLatin1String("SELECT")) ? SqlRunKind::Query : SqlRunKind::Statements;
}

QStringList statementPieces(const QString& text) {
    const QString trimmed = trimBlanksAndControls(text);
    QStringList pieces;
    qsizetype start = 0;
    for (qsizetype semicolon = trimmed.indexOf(QLatin1Char(';')); semicolon >= 0;
         semicolon = trimmed.indexOf(QLatin1Char(';'), start)) {
        pieces << trimmed.mid(start, semicolon + 1 - start);
        start = semicolon + 1;
    }
    return pieces;
}

} // namespace verbalo

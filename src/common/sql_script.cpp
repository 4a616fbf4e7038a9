#include "common/sql_script.h"

#include <sqlite3.h>

namespace verbalo {

namespace {

// Where the first character that is neither blank nor part of a comment lies at or after
// from; script.size() when there is none.
int skipBlanksAndComments(const QString& script, int from) {
    int i = from;
    const int n = script.size();
    while (i < n) {
        if (script.at(i).isSpace()) {
            ++i;
        } else if (script.mid(i, 2) == QLatin1String("--")) {
            while (i < n && script.at(i) != QLatin1Char('\n') && script.at(i) != QLatin1Char('\r')) ++i;
        } else if (script.mid(i, 2) == QLatin1String("/*")) {
            const int end = script.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else {
            break;
        }
    }
    return i;
}

// Line breaks in script[from, to): CR LF counts once.
int lineBreaksBetween(const QString& script, int from, int to) {
    int breaks = 0;
    for (int i = from; i < to; ++i) {
        const QChar c = script.at(i);
        if (c == QLatin1Char('\n'))
            ++breaks;
        else if (c == QLatin1Char('\r') && (i + 1 >= script.size() || script.at(i + 1) != QLatin1Char('\n')))
            ++breaks;
    }
    return breaks;
}

} // namespace

std::vector<ScriptStatement> splitScript(const QString& script) {
    std::vector<ScriptStatement> statements;
    int line = 1;    // line of position counted
    int counted = 0; // lineBreaksBetween has been summed up to here
    const auto take = [&](int start, int end) {
        const int first = skipBlanksAndComments(script, start);
        if (first >= end) return;
        line += lineBreaksBetween(script, counted, first);
        counted = first;
        statements.push_back({script.mid(first, end - first).trimmed(), line});
    };
    int start = 0;
    for (int semicolon = script.indexOf(QLatin1Char(';')); semicolon >= 0;
         semicolon = script.indexOf(QLatin1Char(';'), semicolon + 1)) {
        const QByteArray piece = QStringView(script).mid(start, semicolon + 1 - start).toUtf8();
        if (!sqlite3_complete(piece.constData())) continue;
        take(start, semicolon);
        start = semicolon + 1;
    }
    take(start, script.size());
    return statements;
}

} // namespace verbalo

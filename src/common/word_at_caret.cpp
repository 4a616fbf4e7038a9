#include "common/word_at_caret.h"

#include "common/codepage.h"

#include <QList>

#include <algorithm>

namespace verbalo {

bool isQuickWordCharacter(char32_t c) {
    const int code = cp1250Code(c);
    if (code < 0) return QChar::isLetter(c);
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z') || code == '_') return true;
    return (code >= 192 && code <= 214) || (code >= 216 && code <= 246) || code >= 248;
}

QString wordAtCaret(const QString& line, int column) {
    // Columns count characters, so the line is walked by code points, not UTF-16 units.
    const QList<uint> chars = line.toUcs4();
    const int n = static_cast<int>(chars.size());
    auto isWord = [&chars](int position) { return isQuickWordCharacter(chars[position - 1]); };

    int start = std::min(column, n + 1);
    if (start > 1 && isWord(start - 1)) {
        while (start > 1 && isWord(start - 1)) --start;
    }
    int end = std::max(column, 1);
    while (end <= n && isWord(end)) ++end;
    if (end > n + 1) end = n + 1;
    if (start >= end) return QString();
    const QList<uint> word = chars.mid(start - 1, end - start);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(word.constData()), word.size());
}

} // namespace verbalo

#include "dictionaries/logic/dictionarizing_text.h"

#include "common/codepage.h"

namespace verbalo {

namespace {

bool keptByCleaning(char32_t c) {
    if (c == U'\'' || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z')) return true;
    const int code = cp1250Code(c);
    if (code >= 0) return code >= 192;
    return QChar::isLetter(c);
}

} // namespace

QString joinEditorLines(const QStringList& lines) {
    QString text;
    qsizetype size = 0;
    for (const QString& line : lines) size += line.size() + 1;
    text.reserve(size);
    for (const QString& line : lines) {
        text += QLatin1Char(' ');
        text += line;
    }
    return text;
}

QString cleanDictionarizingText(const QString& text) {
    QString out;
    out.reserve(text.size());
    // Collapsing while cleaning gives what repeatedly deleting one of two adjacent spaces
    // gives, in one pass.
    bool lastWasSpace = true; // also drops the leading space
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, text.at(i + 1));
            ++i;
            if (keptByCleaning(code)) {
                out += c;
                out += text.at(i);
                lastWasSpace = false;
                continue;
            }
        } else if (keptByCleaning(c.unicode())) {
            out += c;
            lastWasSpace = false;
            continue;
        }
        if (!lastWasSpace) out += QLatin1Char(' ');
        lastWasSpace = true;
    }
    return out;
}

QStringList splitDictionarizingWords(const QString& cleanedText) {
    QStringList words;
    qsizetype start = 0;
    for (qsizetype i = 0; i < cleanedText.size(); ++i) {
        if (cleanedText.at(i) != QLatin1Char(' ')) continue;
        words << cleanedText.mid(start, i - start).toLower();
        start = i + 1;
    }
    if (start < cleanedText.size()) {
        const QString last = cleanedText.mid(start).toLower();
        if (!words.contains(last, Qt::CaseInsensitive)) words << last;
    }
    return words;
}

QStringList dictionarizingWords(const QString& text) {
    return splitDictionarizingWords(cleanDictionarizingText(text));
}

} // namespace verbalo

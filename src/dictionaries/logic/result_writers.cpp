#include "dictionaries/logic/result_writers.h"

namespace verbalo {

namespace {

const QString kIndent = QStringLiteral("   ");

void appendTranslations(ResultLines& lines, const QStringList& translations) {
    for (const QString& t : translations) lines.addLine(kIndent + t, LineColour::Black, false);
}

} // namespace

void appendDictionarizedWord(ResultLines& lines, const DictionarizedWord& word) {
    lines.addLine(word.word, word.found ? LineColour::Red : LineColour::Blue, true);
    appendTranslations(lines, word.translations);
}

void appendCaretWord(ResultLines& lines, const DictionarizedWord& word) {
    lines.addLine(word.word, LineColour::Red, true);
    appendTranslations(lines, word.translations);
}

void appendExpressionMatches(ResultLines& lines, const std::vector<OccurrenceRow>& matches) {
    lines.reserve(lines.count() + static_cast<qsizetype>(matches.size()) * 2, 0);
    for (const OccurrenceRow& m : matches) {
        if (m.matchStart >= 0) {
            lines.addLineWithBoldPart(m.value.left(m.matchStart), m.value.mid(m.matchStart, m.matchLength),
                                      m.value.mid(m.matchStart + m.matchLength));
        } else {
            lines.addLine(m.value, LineColour::Black, false);
        }
        lines.addLine(kIndent + m.translation, LineColour::Black, false);
    }
}

QString noExpressionMatchText(const QString& expression) {
    return QStringLiteral("Nincs találat: „%1”").arg(expression);
}

void appendNoExpressionMatch(ResultLines& lines, const QString& expression) {
    lines.addLine(noExpressionMatchText(expression), LineColour::Blue, false);
}

} // namespace verbalo

#include "internet/logic/list_values.h"

namespace verbalo {
namespace {

// Blanks and control characters, as the list's trimming treats them.
bool isTrimmed(QChar c) {
    return c.unicode() <= 0x20 || c.unicode() == 0x7f;
}

} // namespace

QString groupedNumber(qint64 value) {
    QString digits = QString::number(value < 0 ? -value : value);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, QLatin1Char(' '));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

bool isFreeProgram(const QString& ingyenes) {
    return ingyenes == QLatin1String("I");
}

QString freeProgramText(const QString& ingyenes) {
    return isFreeProgram(ingyenes) ? QStringLiteral("igen") : QStringLiteral("nem");
}

QString shortDescription(const QString& leiras) {
    if (leiras.size() <= kShortDescriptionLength) return leiras;
    QString cut = leiras.left(kShortDescriptionLength);
    int begin = 0, end = int(cut.size());
    while (begin < end && isTrimmed(cut[begin])) ++begin;
    while (end > begin && isTrimmed(cut[end - 1])) --end;
    return cut.mid(begin, end - begin) + QStringLiteral("...");
}

} // namespace verbalo

#include "common/text_routines.h"

#include <cfenv>
#include <cmath>

#include "common/codepage.h"

#include <cmath>

namespace verbalo {
namespace {

// Calls f once per character, a surrogate pair being one character.
template <typename F>
void forEachCodePoint(const QString& text, F f) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            f(QChar::surrogateToUcs4(c, text.at(i + 1)));
            ++i;
        } else {
            f(static_cast<char32_t>(c.unicode()));
        }
    }
}

// The byte rules treat a character missing from the code page like a byte above 128.
int byteCode(char32_t c) {
    const int code = cp1250Code(c);
    return code < 0 ? 256 : code;
}

char32_t foldedAccent(char32_t c) {
    switch (c) {
    case U'"':
    case U'\'': return U' ';
    case U'Á': return U'A';
    case U'É': return U'E';
    case U'Í': return U'I';
    case U'Ó':
    case U'Ő':
    case U'Ö': return U'O';
    case U'Ú':
    case U'Ű':
    case U'Ü': return U'U';
    default: return c;
    }
}

} // namespace

QString getToken(const QString& separators, const QString& text, int n) {
    if (n < 1) return {};
    // Imports cut every line of a file with one separator character: that case is a plain
    // search instead of a set lookup for each character.
    auto nextSeparator = [&](qsizetype from) -> qsizetype {
        if (separators.size() == 1) return text.indexOf(separators.at(0), from);
        for (qsizetype i = from; i < text.size(); ++i)
            if (separators.contains(text.at(i))) return i;
        return -1;
    };
    qsizetype start = 0;
    for (int field = 1;; ++field) {
        qsizetype end = nextSeparator(start);
        if (end < 0) end = text.size();
        if (field == n) return text.mid(start, end - start);
        if (end >= text.size()) return {};
        start = end + 1;
    }
}

QString foldAccents(const QString& text) {
    QString result;
    result.reserve(text.size());
    forEachCodePoint(text, [&result](char32_t c) {
        // One character at a time: upper-casing "ß" as a whole text would give "SS", while the
        // code page has no capital for it and the key keeps one character.
        const char32_t folded = foldedAccent(QChar::toUpper(c));
        if (byteCode(folded) > 128)
            result.append(QLatin1Char('#'));
        else
            result.append(QChar(static_cast<char16_t>(folded)));
    });
    return result;
}

QString cleanFileName(const QString& text) {
    static const QString unsafe = QStringLiteral(" !\"#%&'*+/:?@\\");
    QString result;
    result.reserve(text.size());
    forEachCodePoint(text, [&result](char32_t c) {
        if (c < 0x80 && unsafe.contains(QChar(static_cast<char16_t>(c))))
            result.append(QLatin1Char('-'));
        else if (byteCode(c) >= 129)
            result.append(QLatin1Char('_'));
        else
            result.append(QChar(static_cast<char16_t>(c)));
    });
    return result.toLower();
}

void forEachLine(QStringView text, bool keepEmptyLastLine, const std::function<bool(QStringView)>& use) {
    if (text.isEmpty()) return;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
            ++i;
            continue;
        }
        if (!use(text.mid(start, i - start))) return;
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) ++i;
        start = ++i;
    }
    if (start < text.size() || keepEmptyLastLine) use(text.mid(start));
}

qsizetype lineCount(QStringView text, bool keepEmptyLastLine) {
    qsizetype count = 0;
    forEachLine(text, keepEmptyLastLine, [&count](QStringView) {
        ++count;
        return true;
    });
    return count;
}

QStringList splitLines(const QString& text, bool keepEmptyLastLine) {
    QStringList lines;
    forEachLine(text, keepEmptyLastLine, [&lines](QStringView line) {
        lines.append(line.toString());
        return true;
    });
    return lines;
}

QString joinLines(const QString& text, QChar separator) {
    return splitLines(text).join(separator);
}

QString keepNumberChars(const QString& text) {
    QString result;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= u'0' && u <= u'9') || u == u',' || u == u'.') result.append(c);
    }
    return result;
}

int extractInt(const QString& text) {
    bool ok = false;
    const int value = keepNumberChars(text).trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

int countChar(QChar c, const QString& text) {
    return static_cast<int>(text.count(c));
}

QString removeChar(QChar c, const QString& text) {
    QString result = text;
    result.remove(c);
    return result;
}

QString floatToStrDot(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0) return QStringLiteral("0");

    // QString::number ignores the locale, so the separator is a point under any locale.
    // "d.dddddddddddddde±x": 15 significant digits, rounded once.
    const QString sci = QString::number(std::fabs(value), 'e', 14);
    const qsizetype ePos = sci.indexOf(QLatin1Char('e'));
    QString digits = sci.left(ePos).remove(QLatin1Char('.'));
    const int exponent = sci.mid(ePos + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0'))) digits.chop(1);

    QString result = value < 0 ? QStringLiteral("-") : QString();
    // Plain notation while the integer part fits the 15 digits and the value is not below
    // 0.00001; beyond that the mantissa-and-exponent form, as "1.5E20" or "1E-6".
    if (exponent < 15 && exponent >= -5) {
        if (exponent < 0) {
            result += QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
        } else if (digits.size() <= exponent + 1) {
            result += digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
        } else {
            result += digits.left(exponent + 1) + QLatin1Char('.') + digits.mid(exponent + 1);
        }
    } else {
        result += digits.left(1);
        if (digits.size() > 1) result += QLatin1Char('.') + digits.mid(1);
        result += QLatin1Char('E') + QString::number(exponent);
    }
    return result;
}

QString nullToStr(const QVariant& value, const QString& defaultValue) {
    if (value.isNull() || !value.canConvert<QString>()) return defaultValue;
    return value.toString();
}

int nullToInt(const QVariant& value, int defaultValue) {
    if (value.isNull()) return defaultValue;
    bool ok = false;
    const int result = value.toInt(&ok);
    return ok ? result : defaultValue;
}

double nullToFloat(const QVariant& value, double defaultValue) {
    if (value.isNull()) return defaultValue;
    bool ok = false;
    const double result = value.toDouble(&ok);
    return ok ? result : defaultValue;
}

QString replaceChar(const QVariant& value, QChar from, QChar to) {
    QString text = nullToStr(value, QString());
    text.replace(from, to);
    return text;
}

RgbColor sortColumnColor() {
    return {255, 255, 185};
}

RgbColor lightenColor(RgbColor colour, int amount) {
    const auto raise = [amount](int component) { return qBound(0, component + amount, 255); };
    return {raise(colour.red), raise(colour.green), raise(colour.blue)};
}

int roundHalfEven(double value) {
    if (!std::isfinite(value)) return 0;
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(saved);
    return static_cast<int>(r);
}

QString memoTextForEditing(const QString& stored) {
    QString text = stored;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString memoTextForStoring(const QString& edited) {
    QString text = memoTextForEditing(edited);
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

} // namespace verbalo

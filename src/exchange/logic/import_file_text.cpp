#include "exchange/logic/import_file_text.h"

#include "common/text_file.h"

namespace verbalo {

namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool startsCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

} // namespace

QByteArray cutLongLines(const QByteArray& utf8, int longestLine, int* cut) {
    if (cut) *cut = 0;
    if (utf8.size() <= longestLine) return utf8;
    const char* p = utf8.constData();
    const qsizetype n = utf8.size();
    QByteArray out;
    bool copying = false; // out holds everything before i
    qsizetype lineChars = 0;
    bool skipping = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (isLineEnd(c)) {
            lineChars = 0;
            skipping = false;
        } else if (startsCharacter(c) && ++lineChars > longestLine && !skipping) {
            skipping = true;
            if (cut) ++*cut;
            if (!copying) {
                out.reserve(n);
                out.append(p, i);
                copying = true;
            }
        }
        if (copying && !skipping) out.append(c);
    }
    return copying ? out : utf8;
}

EditorFileText readFileForEditor(const QString& path, int longestLine) {
    EditorFileText result;
    TextBytesResult file = readTextBytes(path);
    if (!file.ok) {
        result.error = file.error;
        return result;
    }
    static const QByteArray bom("\xEF\xBB\xBF");
    const bool marked = file.bytes.startsWith(bom);
    // Without a mark, UTF-8 is detected only when the bytes are valid UTF-8.
    if (detectEncoding(file.bytes) == TextEncoding::Utf8 && (!marked || isValidUtf8(file.bytes))) {
        // Already what the editor holds: no second copy of a large file.
        if (marked) file.bytes.remove(0, bom.size());
        result.utf8 = std::move(file.bytes);
    } else {
        result.utf8 = decodeText(file.bytes).toUtf8();
        file.bytes.clear();
    }
    result.utf8 = cutLongLines(result.utf8, longestLine, &result.cutLines);
    result.ok = true;
    return result;
}

QString breakLongLines(const QString& text, int longestLine) {
    QString out;
    qsizetype lineStart = 0;
    qsizetype copied = 0; // text before this is in out
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text.at(i) != QLatin1Char('\r') && text.at(i) != QLatin1Char('\n')) {
            if (i - lineStart == longestLine) {
                out += QStringView(text).mid(copied, i - copied);
                out += QLatin1Char('\n');
                copied = i;
                lineStart = i;
            }
            continue;
        }
        lineStart = i + 1;
    }
    if (copied == 0) return text;
    out += QStringView(text).mid(copied);
    return out;
}

ImportText readImportText(const QString& path) {
    ImportText result;
    TextBytesResult file = readTextBytes(path);
    if (!file.ok) {
        result.error = file.error;
        return result;
    }
    result.text = decodeText(file.bytes);
    result.ok = true;
    return result;
}

PreviewText readPreviewText(const QString& path, int maxChars) {
    PreviewText result;
    TextBytesResult file = readTextBytes(path);
    if (!file.ok) {
        result.error = file.error;
        return result;
    }
    QString text = decodeText(file.bytes);
    file.bytes.clear();
    if (text.size() > maxChars) {
        qsizetype end = maxChars;
        const qsizetype lastBreak = text.lastIndexOf(QLatin1Char('\n'), maxChars - 1);
        const qsizetype lastReturn = text.lastIndexOf(QLatin1Char('\r'), maxChars - 1);
        const qsizetype lineEnd = std::max(lastBreak, lastReturn);
        if (lineEnd > 0) end = lineEnd;
        text.truncate(end);
        text += QLatin1String("\n...");
        result.shortened = true;
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    result.text = breakLongLines(text);
    result.ok = true;
    return result;
}

} // namespace verbalo

#include "common/text_file.h"

#include "common/codepage.h"
#include "common/text_routines.h"

#include "common/safe_file_writer.h"

#include <QFile>

namespace verbalo {
namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

} // namespace

bool hasNonAscii(const QByteArray& bytes) {
    for (const char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80) return true;
    }
    return false;
}

QString textFileOpenError(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot open %1: %2").arg(path, reason);
}

QString textFileReadError(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot read %1: %2").arg(path, reason);
}

bool isValidUtf8(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2, cp = b & 0x1F, minimum = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3, cp = b & 0x0F, minimum = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4, cp = b & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (i + length > n) return false;
        for (int k = 1; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8, and a
        // Windows-1250 text can happen to look like them.
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

TextEncoding detectEncoding(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf8Bom)) return TextEncoding::Utf8;
    return hasNonAscii(bytes) && isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1250;
}

QString decodeText(const QByteArray& bytes, TextEncoding* detected) {
    const TextEncoding encoding = detectEncoding(bytes);
    if (detected) *detected = encoding;
    // A file with a mark but broken bytes still reads as UTF-8.
    return decodeTextAs(bytes.startsWith(kUtf8Bom) ? bytes.mid(kUtf8Bom.size()) : bytes, encoding);
}

QString decodeTextAs(const QByteArray& bytes, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? QString::fromUtf8(bytes) : decodeCp1250(bytes);
}

TextBytesResult readTextBytes(const QString& path) {
    TextBytesResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = textFileOpenError(path, file.errorString());
        return result;
    }
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.bytes.clear();
        result.error = textFileReadError(path, file.errorString());
        return result;
    }
    const qsizetype nul = result.bytes.indexOf('\0');
    if (nul >= 0) result.bytes.truncate(nul);
    result.ok = true;
    return result;
}

TextReadResult readTextFile(const QString& path, LastLine lastLine) {
    TextReadResult result;
    TextBytesResult file = readTextBytes(path);
    if (!file.ok) {
        result.error = file.error;
        return result;
    }
    const QString text = decodeText(file.bytes, &result.encoding);
    file.bytes.clear();
    result.lines = splitLines(text, lastLine == LastLine::KeepEmpty);
    result.ok = true;
    return result;
}

QByteArray encodeTextFile(const QStringList& lines, TextEncoding* used) {
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    bool lossless = false;
    QByteArray bytes = encodeCp1250(text, &lossless);
    TextEncoding encoding = TextEncoding::Windows1250;
    if (!lossless) {
        // The mark tells every reader, ours included, that this is not the usual code page.
        bytes = kUtf8Bom + text.toUtf8();
        encoding = TextEncoding::Utf8;
    }
    if (used) *used = encoding;
    return bytes;
}

TextWriteResult writeTextFile(const QString& path, const QStringList& lines) {
    TextWriteResult result;
    const FileWriteResult written = writeFileSafely(path, encodeTextFile(lines, &result.encoding));
    result.ok = written.ok;
    result.error = written.error;
    return result;
}

} // namespace verbalo

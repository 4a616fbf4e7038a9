#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Plain-text files as the programs read and write them: imports, exports, SQL scripts.
// Older files are Windows-1250 without a byte order mark; files that need characters the code
// page lacks are UTF-8.
namespace verbalo {

enum class TextEncoding { Windows1250, Utf8 };

// What a final line break means. Most readers see "a\r\nb\r\n" as two lines; the pair importer
// offers the variant that sees an empty third line after it.
enum class LastLine { DropEmpty, KeepEmpty };

// UTF-8 when the bytes start with a UTF-8 byte order mark, or are valid UTF-8 and hold at least
// one non-ASCII byte; Windows-1250 otherwise.
TextEncoding detectEncoding(const QByteArray& bytes);

// The bytes as text in their detected encoding, a byte order mark dropped.
QString decodeText(const QByteArray& bytes, TextEncoding* detected = nullptr);
// The bytes (without a byte order mark) as text in the given encoding; broken UTF-8 bytes
// become U+FFFD.
QString decodeTextAs(const QByteArray& bytes, TextEncoding encoding);

bool isValidUtf8(const QByteArray& bytes);
bool hasNonAscii(const QByteArray& bytes);

// The messages of a text file that cannot be opened or read; reason is the system's.
QString textFileOpenError(const QString& path, const QString& reason);
QString textFileReadError(const QString& path, const QString& reason);

struct TextReadResult {
    bool ok = false;
    QString error;
    TextEncoding encoding = TextEncoding::Windows1250;
    QStringList lines;
};

struct TextBytesResult {
    bool ok = false;
    QString error;
    QByteArray bytes;
};

// The raw bytes of a text file, cut at the first NUL byte (a NUL ends the text, as it did for
// the programs that wrote these files). For readers that hand the text on without splitting it
// into lines, such as an editor loading a large file.
TextBytesResult readTextBytes(const QString& path);

// The lines of a file (CR LF, CR or LF), read as readTextBytes does.
TextReadResult readTextFile(const QString& path, LastLine lastLine = LastLine::DropEmpty);

// The file's bytes for lines: CR LF after every line, the last one included; Windows-1250, or
// UTF-8 with a byte order mark when a character is not representable in Windows-1250.
QByteArray encodeTextFile(const QStringList& lines, TextEncoding* used = nullptr);

struct TextWriteResult {
    bool ok = false;
    QString error;
    TextEncoding encoding = TextEncoding::Windows1250;
};

// Replaces the file atomically: a failed write leaves the old file as it was.
TextWriteResult writeTextFile(const QString& path, const QStringList& lines);

} // namespace verbalo

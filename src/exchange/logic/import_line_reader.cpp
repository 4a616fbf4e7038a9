#include "exchange/logic/import_line_reader.h"

#include "common/text_routines.h"

#include <QStringDecoder>

#include <algorithm>

namespace verbalo {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// Appends up to bytes bytes of the file; *end is set once the file ends or a NUL ends its text
// (the NUL and what follows it are left out). False when the file cannot be read.
bool appendChunk(QFile& file, QByteArray& buffer, qint64 bytes, bool* end) {
    const qsizetype old = buffer.size();
    buffer.resize(old + bytes);
    const qint64 got = file.read(buffer.data() + old, bytes);
    buffer.resize(old + std::max<qint64>(got, 0));
    if (got < 0) return false;
    const qsizetype nul = buffer.indexOf('\0', old);
    if (nul >= 0) buffer.truncate(nul);
    *end = got == 0 || nul >= 0;
    return true;
}

// Where the bytes can be cut so that everything before is whole lines: after the last LF, or
// after the last CR that has a byte after it (a CR at the very end may be the first half of a
// CR LF). The bytes before from hold no line break.
qsizetype endOfWholeLines(const QByteArray& bytes, qsizetype from) {
    for (qsizetype i = bytes.size() - 1; i >= from; --i) {
        const char c = bytes.at(i);
        if (c == '\n' || (c == '\r' && i + 1 < bytes.size())) return i + 1;
    }
    return 0;
}

// Valid UTF-8 has no character across the place after an ASCII byte or before a lead byte
// (0xC0 and up), so the bytes before the last such place can be checked on their own. -1 when
// the last four bytes have no such place, which no valid text ends with.
qsizetype lastCharacterStart(const QByteArray& bytes) {
    for (qsizetype i = bytes.size() - 1; i >= 0 && i >= bytes.size() - 4; --i) {
        const auto c = static_cast<unsigned char>(bytes.at(i));
        if (c < 0x80) return i + 1;
        if (c >= 0xC0) return i;
    }
    return -1;
}

// A piece of the text after its start, decoded as the whole text would decode it there: a
// byte order mark in it is a character (QString::fromUtf8 drops one at the start of what it is
// given, which for the whole text is only its very start).
QString decodeLaterPiece(const QByteArray& piece, TextEncoding encoding) {
    if (encoding != TextEncoding::Utf8) return decodeTextAs(piece, encoding);
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(piece);
}

} // namespace

ImportLineReader::ImportLineReader(QString path, qint64 chunkBytes) : path_(std::move(path)), chunkBytes_(chunkBytes) {}

bool ImportLineReader::open() {
    file_.setFileName(path_);
    if (file_.open(QIODevice::ReadOnly)) return true;
    error_ = textFileOpenError(path_, file_.errorString());
    return false;
}

bool ImportLineReader::readFailed() {
    error_ = textFileReadError(path_, file_.errorString());
    return false;
}

// The whole file's rule (detectEncoding) without holding the file: without a byte order mark
// the text is UTF-8 when it has a non-ASCII byte and is valid UTF-8 to its end. Before its first
// non-ASCII byte both readings give the same text, so the choice waits for that byte; then the
// rest of the text, from ahead (the bytes read but not yet decoded) on, is checked chunk by
// chunk, and reading goes on where it was. Choosing by the first chunk alone would read a file
// whose first non-ASCII letters come late, or whose broken byte comes late, otherwise than the
// import windows do.
bool ImportLineReader::decideEncoding(QByteArray ahead) {
    const qint64 resume = file_.pos();
    bool end = atEnd_;
    bool valid = true;
    for (;;) {
        const qsizetype checked = end || ahead.isEmpty() ? ahead.size() : lastCharacterStart(ahead);
        if (checked < 0 || !isValidUtf8(QByteArray::fromRawData(ahead.constData(), checked))) {
            valid = false;
            break;
        }
        if (end) break;
        ahead.remove(0, checked);
        if (!appendChunk(file_, ahead, chunkBytes_, &end)) return readFailed();
    }
    if (!file_.seek(resume)) return readFailed();
    encoding_ = valid ? TextEncoding::Utf8 : TextEncoding::Windows1250;
    return true;
}

bool ImportLineReader::forEachLine(bool keepEmptyLastLine, const std::function<bool(QStringView)>& use) {
    bool stopped = false;
    const auto offer = [&](QStringView line) {
        stopped = !use(line);
        return !stopped;
    };
    QByteArray buffer;
    qsizetype scanFrom = 0;
    bool markChecked = false;
    bool hadText = false;
    while (!stopped) {
        if (!atEnd_ && !appendChunk(file_, buffer, chunkBytes_, &atEnd_)) return readFailed();
        if (!markChecked) {
            if (buffer.size() < kUtf8Bom.size() && !atEnd_) continue;
            if (buffer.startsWith(kUtf8Bom)) {
                buffer.remove(0, kUtf8Bom.size());
                encoding_ = TextEncoding::Utf8;
            }
            markChecked = true;
        }
        const qsizetype cut = atEnd_ ? buffer.size() : endOfWholeLines(buffer, scanFrom);
        const QByteArray piece = QByteArray::fromRawData(buffer.constData(), cut);
        if (!encoding_ && hasNonAscii(piece) && !decideEncoding(buffer)) return false;
        // Still undecided means ASCII so far, which both encodings read alike.
        const TextEncoding encoding = encoding_.value_or(TextEncoding::Windows1250);
        const QString text = hadText ? decodeLaterPiece(piece, encoding) : decodeTextAs(piece, encoding);
        if (atEnd_) {
            // As in the whole text: after a final line break comes an empty last line when it
            // is asked for, and an empty text has no lines at all.
            if (!text.isEmpty())
                verbalo::forEachLine(text, keepEmptyLastLine, offer);
            else if (hadText && keepEmptyLastLine)
                offer(QStringView(u""));
            return true;
        }
        verbalo::forEachLine(text, false, offer);
        hadText = hadText || cut > 0;
        buffer.remove(0, cut);
        scanFrom = std::max<qsizetype>(buffer.size() - 1, 0);
    }
    return true;
}

} // namespace verbalo

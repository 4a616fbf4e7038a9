#pragma once

#include <QByteArray>
#include <QString>

namespace verbalo {

enum class EightBitCodePage { Windows1250, Iso8859_2 };

// ISO-8859-2, the code page HTML pages declare for Hungarian text. Characters outside it
// become '?'; *lossless (when given) tells whether none did.
QByteArray encodeIso8859_2(const QString& text, bool* lossless = nullptr);
QString decodeIso8859_2(const QByteArray& bytes);

// The bytes of a text file built line by line, CR LF after every line, in an 8-bit code page.
// The first line holding a character the code page lacks turns the whole buffer into UTF-8
// (what was added before is converted), so a large export is held once, as bytes, and loses
// nothing.
class EncodedTextBuffer {
public:
    enum class Utf8Mark { No, Yes };

    explicit EncodedTextBuffer(EightBitCodePage codePage, Utf8Mark mark = Utf8Mark::No);

    void addLine(const QString& line);
    bool isUtf8() const { return utf8_; }
    const QByteArray& bytes() const { return bytes_; }
    void reserve(qsizetype size) { bytes_.reserve(size); }

private:
    QByteArray encode(const QString& text, bool* lossless) const;
    void switchToUtf8();

    EightBitCodePage codePage_;
    Utf8Mark mark_;
    bool utf8_ = false;
    QByteArray bytes_;
};

} // namespace verbalo

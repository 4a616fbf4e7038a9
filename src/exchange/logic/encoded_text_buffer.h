#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <cstring>
#include <string_view>

namespace verbalo {

enum class EightBitCodePage { Windows1250, Iso8859_2 };

// ISO-8859-2, the code page HTML pages declare for Hungarian text. Characters outside it
// become '?'; *lossless (when given) tells whether none did.
QByteArray encodeIso8859_2(const QString& text, bool* lossless = nullptr);
QString decodeIso8859_2(const QByteArray& bytes);

// The bytes of a text file built line by line, CR LF after every line, in an 8-bit code page.
// The first character the code page lacks turns the whole buffer into UTF-8 (what was added
// before is converted), so a large export is held once, as bytes, and loses nothing. A line
// is added whole (addLine) or in pieces ended by endLine(); either way gives the same bytes.
class EncodedTextBuffer {
public:
    enum class Utf8Mark { No, Yes };

    explicit EncodedTextBuffer(EightBitCodePage codePage, Utf8Mark mark = Utf8Mark::No);

    void addLine(QStringView line) {
        append(line);
        endLine();
    }
    void append(QStringView text);
    // Text given as UTF-8 bytes (as the table store keeps it), read as QString::fromUtf8
    // reads them, without building the QString when the bytes are plain.
    void appendUtf8(std::string_view utf8);
    // Bytes below 0x80 only: they are the same in every encoding the buffer writes.
    void appendAscii(std::string_view ascii) { appendBytes(ascii); }
    void appendAscii(char c) {
        *room(1) = c;
        ++size_;
    }
    void endLine() { appendAscii("\r\n"); }

    bool isUtf8() const { return utf8_; }
    const QByteArray& bytes() const;
    void reserve(qsizetype size);

private:
    // Room for n more bytes at the end; used() then says where the written bytes end. The
    // array is held at its capacity and cut to the bytes written when it is handed out.
    char* room(qsizetype n) {
        if (capacity_ - size_ < n) grow(n);
        return data_ + size_;
    }
    void used(const char* end) { size_ = end - data_; }
    void grow(qsizetype n);
    void appendBytes(std::string_view bytes) {
        if (bytes.empty()) return;
        std::memcpy(room(static_cast<qsizetype>(bytes.size())), bytes.data(), bytes.size());
        size_ += static_cast<qsizetype>(bytes.size());
    }
    void switchToUtf8();

    EightBitCodePage codePage_;
    const std::int16_t* lowCodes_; // the code of each character below U+0800, -1 for none
    Utf8Mark mark_;
    bool utf8_ = false;
    mutable QByteArray bytes_;
    char* data_ = nullptr;
    qsizetype size_ = 0;
    mutable qsizetype capacity_ = 0;
};

} // namespace verbalo

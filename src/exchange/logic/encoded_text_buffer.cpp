#include "exchange/logic/encoded_text_buffer.h"

#include "common/codepage.h"

namespace verbalo {

namespace {

// The characters of the bytes 0xA0..0xFF; below 0xA0 every byte is the character of that number.
constexpr char16_t kIso8859_2High[96] = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7, 0x00A8, 0x0160, 0x015E, 0x0164, 0x0179, 0x00AD,
    0x017D, 0x017B, 0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7, 0x00B8, 0x0161, 0x015F, 0x0165,
    0x017A, 0x02DD, 0x017E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9,
    0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A,
    0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3,
    0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

int iso8859_2Code(char16_t c) {
    if (c < 0xA0) return c;
    for (int i = 0; i < 96; ++i)
        if (kIso8859_2High[i] == c) return 0xA0 + i;
    return -1;
}

} // namespace

QByteArray encodeIso8859_2(const QString& text, bool* lossless) {
    QByteArray out;
    out.reserve(text.size());
    bool all = true;
    for (QChar c : text) {
        const int code = iso8859_2Code(c.unicode());
        if (code < 0) all = false;
        out.append(static_cast<char>(code < 0 ? '?' : code));
    }
    if (lossless) *lossless = all;
    return out;
}

QString decodeIso8859_2(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        out.append(QChar(byte < 0xA0 ? char16_t(byte) : kIso8859_2High[byte - 0xA0]));
    }
    return out;
}

EncodedTextBuffer::EncodedTextBuffer(EightBitCodePage codePage, Utf8Mark mark) : codePage_(codePage), mark_(mark) {}

QByteArray EncodedTextBuffer::encode(const QString& text, bool* lossless) const {
    return codePage_ == EightBitCodePage::Windows1250 ? encodeCp1250(text, lossless) : encodeIso8859_2(text, lossless);
}

void EncodedTextBuffer::switchToUtf8() {
    const QString before = codePage_ == EightBitCodePage::Windows1250 ? decodeCp1250(bytes_) : decodeIso8859_2(bytes_);
    bytes_ = mark_ == Utf8Mark::Yes ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    bytes_ += before.toUtf8();
    utf8_ = true;
}

void EncodedTextBuffer::addLine(const QString& line) {
    if (utf8_) {
        bytes_ += line.toUtf8();
    } else {
        bool lossless = true;
        const QByteArray encoded = encode(line, &lossless);
        if (lossless) {
            bytes_ += encoded;
        } else {
            switchToUtf8();
            bytes_ += line.toUtf8();
        }
    }
    bytes_ += "\r\n";
}

} // namespace verbalo

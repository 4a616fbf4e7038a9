#include "exchange/logic/encoded_text_buffer.h"

#include "common/codepage.h"

#include <algorithm>
#include <array>
#include <cstring>

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

namespace {

constexpr char32_t kLowCodesEnd = 0x800; // the characters of one- and two-byte UTF-8 sequences

// Looked up per character of an export: the codes of the characters that most text holds
// come from a table made once from the code page's own mapping.
template <typename CodeOf>
std::array<std::int16_t, kLowCodesEnd> lowCodeTable(CodeOf codeOf) {
    std::array<std::int16_t, kLowCodesEnd> t{};
    for (char32_t c = 0; c < kLowCodesEnd; ++c) t[c] = static_cast<std::int16_t>(codeOf(c));
    return t;
}

const std::int16_t* lowCodesOf(EightBitCodePage codePage) {
    if (codePage == EightBitCodePage::Windows1250) {
        static const auto cp1250 = lowCodeTable([](char32_t c) { return cp1250Code(c); });
        return cp1250.data();
    }
    static const auto iso = lowCodeTable([](char32_t c) { return iso8859_2Code(static_cast<char16_t>(c)); });
    return iso.data();
}

int codeOf(EightBitCodePage codePage, const std::int16_t* lowCodes, char32_t c) {
    if (c < kLowCodesEnd) return lowCodes[c];
    if (codePage == EightBitCodePage::Windows1250) return cp1250Code(c);
    return c > 0xFFFF ? -1 : iso8859_2Code(static_cast<char16_t>(c));
}

// The length of the UTF-8 sequence at p (n bytes left) and its character, or 0 when the bytes
// are not a well-formed sequence. Noncharacters and the byte order mark count as not
// well-formed here: the caller then leaves the whole text to QString::fromUtf8, so that such
// rare texts come out exactly as that reads them.
int decodeUtf8(const unsigned char* p, size_t n, char32_t* c) {
    const unsigned char b = p[0];
    int len;
    char32_t v, min;
    if (b < 0x80) {
        *c = b;
        return 1;
    } else if (b >= 0xC2 && b <= 0xDF) {
        len = 2, v = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3, v = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4, v = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (n < static_cast<size_t>(len)) return 0;
    for (int i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        v = (v << 6) | (p[i] & 0x3F);
    }
    if (v < min || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return 0;
    if (v == 0xFEFF || (v >= 0xFDD0 && v <= 0xFDEF) || (v & 0xFFFE) == 0xFFFE) return 0;
    *c = v;
    return len;
}

bool wellFormedUtf8(const unsigned char* p, size_t n) {
    char32_t c;
    for (size_t i = 0; i < n;) {
        const int len = decodeUtf8(p + i, n - i, &c);
        if (len == 0) return false;
        i += static_cast<size_t>(len);
    }
    return true;
}

// The length of the leading run of bytes below 0x80, eight at a time where it can.
size_t asciiPrefix(const unsigned char* p, size_t n) {
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        if (word & 0x8080808080808080ULL) break;
    }
    while (i < n && p[i] < 0x80) ++i;
    return i;
}

} // namespace

EncodedTextBuffer::EncodedTextBuffer(EightBitCodePage codePage, Utf8Mark mark)
    : codePage_(codePage), lowCodes_(lowCodesOf(codePage)), mark_(mark) {}

const QByteArray& EncodedTextBuffer::bytes() const {
    bytes_.resize(size_);
    // The array may be shared from now on: the next piece takes it back through grow().
    capacity_ = size_;
    return bytes_;
}

void EncodedTextBuffer::reserve(qsizetype size) {
    if (size > capacity_) grow(size - size_);
}

void EncodedTextBuffer::grow(qsizetype n) {
    // Doubling by hand: the array would otherwise grow by no more than each piece asks.
    bytes_.resize(std::max(capacity_ * 2, size_ + n + 64));
    data_ = bytes_.data();
    capacity_ = bytes_.size();
}

void EncodedTextBuffer::switchToUtf8() {
    bytes_.resize(size_);
    const QString before = codePage_ == EightBitCodePage::Windows1250 ? decodeCp1250(bytes_) : decodeIso8859_2(bytes_);
    bytes_ = mark_ == Utf8Mark::Yes ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    bytes_ += before.toUtf8();
    size_ = capacity_ = bytes_.size();
    data_ = bytes_.data();
    utf8_ = true;
}

void EncodedTextBuffer::append(QStringView text) {
    if (utf8_) {
        const QByteArray utf8 = text.toUtf8();
        appendBytes(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
        return;
    }
    char* out = room(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        // Surrogates lie above U+0800 and have no code: a character beyond U+FFFF switches too.
        const int code = u < 0x80 ? u : codeOf(codePage_, lowCodes_, u);
        if (code < 0) {
            used(out);
            switchToUtf8();
            append(text.mid(i));
            return;
        }
        *out++ = static_cast<char>(code);
    }
    used(out);
}

// Texts that are not plain ASCII are decoded and encoded in one pass; a text the fast decoder
// does not take (see decodeUtf8) is taken back and left to QString::fromUtf8.
void EncodedTextBuffer::appendUtf8(std::string_view utf8) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const size_t n = utf8.size();
    const size_t plain = asciiPrefix(p, n);
    if (plain == n) {
        appendBytes(utf8);
        return;
    }
    const auto throughQString = [&] { append(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(n))); };
    if (utf8_) {
        if (wellFormedUtf8(p + plain, n - plain))
            appendBytes(utf8); // the bytes are already what the file holds
        else
            throughQString();
        return;
    }
    const qsizetype start = size_;
    // An 8-bit code takes no more bytes than the character's UTF-8 sequence.
    char* out = room(static_cast<qsizetype>(n));
    std::memcpy(out, p, plain);
    out += plain;
    for (size_t i = plain; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            *out++ = static_cast<char>(b);
            ++i;
            continue;
        }
        char32_t c;
        int len;
        if (b >= 0xC2 && b < 0xE0 && i + 1 < n && (p[i + 1] & 0xC0) == 0x80) {
            c = (char32_t(b & 0x1F) << 6) | (p[i + 1] & 0x3F); // the accented letters
            len = 2;
        } else if ((len = decodeUtf8(p + i, n - i, &c)) == 0) {
            size_ = start;
            throughQString();
            return;
        }
        const int code = codeOf(codePage_, lowCodes_, c);
        if (code < 0) {
            if (!wellFormedUtf8(p + i, n - i)) {
                size_ = start;
                throughQString();
                return;
            }
            used(out);
            switchToUtf8();
            appendBytes(utf8.substr(i));
            return;
        }
        *out++ = static_cast<char>(code);
        i += static_cast<size_t>(len);
    }
    used(out);
}

} // namespace verbalo

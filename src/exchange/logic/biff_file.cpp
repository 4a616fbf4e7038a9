#include "exchange/logic/biff_file.h"

#include "common/codepage.h"
#include "common/safe_file_writer.h"

#include <QtEndian>

#include <cstring>

namespace verbalo {

namespace {

enum RecordType : quint16 {
    kDimensions = 0x00,
    kBlank = 0x01,
    kInteger = 0x02,
    kNumber = 0x03,
    kLabel = 0x04,
    kBoolErr = 0x05,
    kBof = 0x09,
    kEof = 0x0A,
    kColWidth = 0x24,
    kFont = 0x31,
    kCodePage = 0x42,
};

void addWord(QByteArray& data, quint16 value) {
    data.append(static_cast<char>(value & 0xFF));
    data.append(static_cast<char>(value >> 8));
}

void addByte(QByteArray& data, int value) {
    data.append(static_cast<char>(value & 0xFF));
}

} // namespace

TBiffFile::TBiffFile(SafeFileWriter& out) : out_(out) {
    QByteArray bof;
    addWord(bof, 2);  // BIFF version
    addWord(bof, 16); // worksheet
    record(kBof, bof);
    QByteArray codePage;
    addWord(codePage, 1250);
    record(kCodePage, codePage);
}

void TBiffFile::record(quint16 type, const QByteArray& data) {
    QByteArray header;
    addWord(header, type);
    addWord(header, static_cast<quint16>(data.size()));
    out_.write(header);
    out_.write(data);
}

void TBiffFile::attributeBytes(TCellAttributes a, unsigned char bytes[3]) {
    bytes[0] = static_cast<unsigned char>(((a & caHidden) ? 128 : 0) + ((a & caLocked) ? 64 : 0));
    int font = 0;
    if ((a & caFont1) || !(a & (caFont2 | caFont3 | caFont4)))
        font = 0;
    else if (a & caFont2)
        font = 64;
    else if (a & caFont3)
        font = 128;
    else
        font = 192;
    bytes[1] = static_cast<unsigned char>(font);
    int third = ((a & caShaded) ? 128 : 0) + ((a & caBottomBorder) ? 64 : 0) + ((a & caTopBorder) ? 32 : 0) +
                ((a & caRightBorder) ? 16 : 0) + ((a & caLeftBorder) ? 8 : 0);
    if (a & caLeft)
        third += 1;
    else if (a & caCenter)
        third += 2;
    else if (a & caRight)
        third += 3;
    if (a & caFill) third += 4;
    bytes[2] = static_cast<unsigned char>(third);
}

QByteArray TBiffFile::cellHeader(int row, int column, TCellAttributes attributes) const {
    QByteArray data;
    addWord(data, static_cast<quint16>(row));
    addWord(data, static_cast<quint16>(column));
    unsigned char bytes[3];
    attributeBytes(attributes, bytes);
    data.append(reinterpret_cast<const char*>(bytes), 3);
    return data;
}

void TBiffFile::writeFont(const XlFont& font) {
    QByteArray data;
    addWord(data, static_cast<quint16>(font.pointSize * 20));
    addWord(data, static_cast<quint16>((font.bold ? 1 : 0) | (font.italic ? 2 : 0) | (font.underline ? 4 : 0) |
                                       (font.strikeOut ? 8 : 0)));
    const QByteArray name = encodeCp1250(font.name.left(255));
    addByte(data, static_cast<int>(name.size()));
    data += name;
    record(kFont, data);
}

void TBiffFile::writeDimensions() {
    QByteArray data;
    addWord(data, 0);
    addWord(data, 1025);
    addWord(data, 0);
    addWord(data, 4);
    record(kDimensions, data);
}

void TBiffFile::writeColWidth(int column, int width) {
    QByteArray data;
    addByte(data, column);
    addByte(data, column);
    addWord(data, static_cast<quint16>(width));
    record(kColWidth, data);
}

void TBiffFile::writeBlank(int row, int column, TCellAttributes attributes) {
    record(kBlank, cellHeader(row, column, attributes));
}

void TBiffFile::writeInteger(int row, int column, TCellAttributes attributes, quint16 value) {
    QByteArray data = cellHeader(row, column, attributes);
    addWord(data, value);
    record(kInteger, data);
}

void TBiffFile::writeNumber(int row, int column, TCellAttributes attributes, double value) {
    QByteArray data = cellHeader(row, column, attributes);
    char bytes[8];
    qToLittleEndian(value, bytes);
    data.append(bytes, 8);
    record(kNumber, data);
}

void TBiffFile::writeLabel(int row, int column, TCellAttributes attributes, const QString& text) {
    QByteArray data = cellHeader(row, column, attributes);
    const QByteArray bytes = encodeCp1250(text.left(kMaxLabelLength));
    addByte(data, static_cast<int>(bytes.size()));
    data += bytes;
    record(kLabel, data);
}

void TBiffFile::writeBoolean(int row, int column, TCellAttributes attributes, bool value) {
    QByteArray data = cellHeader(row, column, attributes);
    addByte(data, value ? 1 : 0);
    addByte(data, 0); // a boolean, not an error code
    record(kBoolErr, data);
}

void TBiffFile::writeEof() {
    record(kEof, QByteArray());
}

} // namespace verbalo

#pragma once

#include <QString>
#include <QtGlobal>

namespace verbalo {

class SafeFileWriter;

// The cell attributes of a BIFF2 cell, in bit order.
enum TCellAttribute : quint16 {
    caHidden = 1 << 0,
    caLocked = 1 << 1,
    caShaded = 1 << 2,
    caBottomBorder = 1 << 3,
    caTopBorder = 1 << 4,
    caRightBorder = 1 << 5,
    caLeftBorder = 1 << 6,
    caFont1 = 1 << 7,
    caFont2 = 1 << 8,
    caFont3 = 1 << 9,
    caFont4 = 1 << 10,
    caLeft = 1 << 11,
    caCenter = 1 << 12,
    caRight = 1 << 13,
    caFill = 1 << 14,
};
using TCellAttributes = quint16;

struct XlFont {
    QString name = QStringLiteral("Arial");
    int pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// Puts the records of an Excel 2.1 worksheet (BIFF2) on a file: each a 2-byte type, a 2-byte
// length and the data, little-endian. Creating it writes BOF and the CODEPAGE record (texts are
// Windows-1250); the caller writes the rest and EOF. Write failures are kept by the file writer
// and reported when it commits.
class TBiffFile {
public:
    // BIFF2 numbers worksheet rows with 16 bits.
    static constexpr int kLastRow = 65535;
    static constexpr int kMaxLabelLength = 255;

    explicit TBiffFile(SafeFileWriter& out);

    void writeFont(const XlFont& font);
    // Always the same values, whatever the data: readers grow the sheet to the cells they find.
    void writeDimensions();
    void writeColWidth(int column, int width);
    void writeBlank(int row, int column, TCellAttributes attributes);
    void writeInteger(int row, int column, TCellAttributes attributes, quint16 value);
    void writeNumber(int row, int column, TCellAttributes attributes, double value);
    // The first 255 characters, in Windows-1250 ('?' for a character it lacks).
    void writeLabel(int row, int column, TCellAttributes attributes, const QString& text);
    void writeBoolean(int row, int column, TCellAttributes attributes, bool value);
    void writeEof();

    // The three attribute bytes of a cell record.
    static void attributeBytes(TCellAttributes attributes, unsigned char bytes[3]);

private:
    void record(quint16 type, const QByteArray& data);
    QByteArray cellHeader(int row, int column, TCellAttributes attributes) const;

    SafeFileWriter& out_;
};

} // namespace verbalo

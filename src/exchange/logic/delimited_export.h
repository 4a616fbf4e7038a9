#pragma once

#include "common/text_file.h"
#include "exchange/logic/export_fields.h"

#include <QChar>
#include <QString>

#include <functional>
#include <vector>

namespace verbalo {

namespace store {
class OrderedRowReader;
class Table;
} // namespace store

class EncodedTextBuffer;

struct DelimitedOptions {
    QChar separator = QLatin1Char(';');
    QChar quote;               // null: values are not enclosed
    bool memoLines = false;    // memos as their lines joined with "|" instead of "BLOB"
    bool fieldNames = false;   // the header names the fields instead of showing their labels
    bool noHeader = false;     // the first line stays, empty
    std::vector<bool> checked; // per field in field order; fields past its end are written
};

// One line of the delimited text per row: each checked field in field order as quote, value,
// quote, separator, so the separator also follows the last field. Values are never escaped:
// readers of these files split on the separator the user chose for the data.
class DelimitedFormat {
public:
    DelimitedFormat(std::vector<ExportField> fields, DelimitedOptions options);

    QString headerLine() const;
    // The current row of the table.
    QString rowLine(store::Table& table) const;
    // The current row of a reader, added to the buffer as the line rowLine gives, without
    // the line end. Values that are plain text or whole numbers are copied as bytes; the
    // others go through valueText.
    void appendRow(const store::OrderedRowReader& row, EncodedTextBuffer& out) const;
    QString valueText(const QVariant& value, const ExportField& field) const;

private:
    // How a field's values are written.
    enum class Route { Skipped, Blob, AsText, WholeNumber, General };

    bool isChecked(size_t field) const;
    void addField(QString& line, const QString& text) const;
    void appendMark(QChar mark, EncodedTextBuffer& out) const;

    std::vector<ExportField> fields_;
    DelimitedOptions options_;
    std::vector<Route> routes_;
    bool asciiMarks_ = true; // quote and separator are single bytes in every encoding
};

struct DelimitedResult {
    bool ok = false;
    QString error; // the reason alone; windows put "Hiba: " before it
    int rows = 0;
    bool stopped = false;
    TextEncoding encoding = TextEncoding::Windows1250;
};

// Called before each row with the rows done so far; false stops the export, which then writes
// the rows gathered until then.
using RowGate = std::function<bool(int rowsDone)>;

// Where the rows come from: one ordered statement of their own (much faster; the table is
// read through its cursor instead while it holds an open batch, whose rows only its own
// connection sees), or the table's cursor row by row. Both give the same bytes.
enum class RowReading { OrderedStatement, Cursor };

// Writes the table from its first row to the file: the header line (or an empty line), then
// one line per row, CR LF after each; Windows-1250, or UTF-8 with a byte order mark when a
// character needs it. The file is written once at the end, complete or not at all. Controls
// bound to the table do not follow the loop; the table is left past its last row (on the row
// where a stop left it), as the export window has always left it.
DelimitedResult exportDelimited(store::Table& table, const std::vector<ExportField>& fields, const DelimitedOptions& options,
                                const QString& path, const RowGate& gate = {},
                                RowReading reading = RowReading::OrderedStatement);

// A name ending in ".xls", in any letter case, asks for the spreadsheet instead.
bool isSpreadsheetFileName(const QString& path);

} // namespace verbalo

#include "exchange/logic/delimited_export.h"

#include "common/safe_file_writer.h"
#include "common/store/ordered_row_reader.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "common/text_routines.h"
#include "exchange/logic/encoded_text_buffer.h"

#include <charconv>

namespace verbalo {

using store::FieldKind;
using store::StorageClass;

DelimitedFormat::DelimitedFormat(std::vector<ExportField> fields, DelimitedOptions options)
    : fields_(std::move(fields)), options_(std::move(options)) {
    asciiMarks_ = options_.separator.unicode() < 0x80 && options_.quote.unicode() < 0x80;
    for (size_t i = 0; i < fields_.size(); ++i) {
        const ExportField& f = fields_[i];
        Route route = Route::General;
        if (!isChecked(i))
            route = Route::Skipped;
        else if (f.kind == FieldKind::Memo && !f.formattedMemo && options_.memoLines)
            route = Route::General;
        else if (isLargeObject(f.kind))
            route = Route::Blob;
        else if (f.kind == FieldKind::Text || f.kind == FieldKind::Boolean || f.kind == FieldKind::Unknown)
            route = Route::AsText;
        else if (isWholeNumber(f.kind))
            route = Route::WholeNumber;
        routes_.push_back(route);
    }
}

bool DelimitedFormat::isChecked(size_t field) const {
    return field >= options_.checked.size() || options_.checked[field];
}

void DelimitedFormat::addField(QString& line, const QString& text) const {
    if (!options_.quote.isNull()) line += options_.quote;
    line += text;
    if (!options_.quote.isNull()) line += options_.quote;
    line += options_.separator;
}

QString DelimitedFormat::headerLine() const {
    QString line;
    if (options_.noHeader) return line;
    for (size_t i = 0; i < fields_.size(); ++i)
        if (isChecked(i)) addField(line, options_.fieldNames ? fields_[i].name : fields_[i].label);
    return line;
}

QString DelimitedFormat::valueText(const QVariant& value, const ExportField& field) const {
    if (field.kind == FieldKind::Memo && !field.formattedMemo && options_.memoLines) {
        // The joining bars are replaced too when "|" is the separator: a line must not have
        // more separators than fields because of a memo.
        QString joined = joinLines(nullToStr(value, QString()), QLatin1Char('|'));
        joined.replace(options_.separator, QLatin1Char(','));
        return joined;
    }
    if (isLargeObject(field.kind)) return QStringLiteral("BLOB");
    return fieldDisplayText(value, field.kind);
}

QString DelimitedFormat::rowLine(store::Table& table) const {
    QString line;
    line.reserve(80); // a dictionary row; longer ones grow the line as usual
    for (size_t i = 0; i < fields_.size(); ++i)
        if (isChecked(i)) addField(line, valueText(table.value(static_cast<int>(i)), fields_[i]));
    return line;
}

void DelimitedFormat::appendMark(QChar mark, EncodedTextBuffer& out) const {
    if (asciiMarks_) {
        out.appendAscii(static_cast<char>(mark.unicode()));
    } else {
        out.append(QStringView(&mark, 1));
    }
}

void DelimitedFormat::appendRow(const store::OrderedRowReader& row, EncodedTextBuffer& out) const {
    const bool quoted = !options_.quote.isNull();
    for (size_t i = 0; i < routes_.size(); ++i) {
        const Route route = routes_[i];
        if (route == Route::Skipped) continue;
        if (quoted) appendMark(options_.quote, out);
        const int f = static_cast<int>(i);
        const StorageClass stored = route == Route::Blob ? StorageClass::Null : row.storageClass(f);
        if (route == Route::Blob) {
            out.appendAscii("BLOB");
        } else if (stored == StorageClass::Null && route != Route::General) {
            // A null is empty in the text the other routes write.
        } else if (route == Route::AsText && stored == StorageClass::Text) {
            out.appendUtf8(row.text(f));
        } else if (route == Route::WholeNumber && stored == StorageClass::Integer) {
            char digits[24];
            const auto end = std::to_chars(digits, digits + sizeof digits, row.integer(f)).ptr;
            out.appendAscii(std::string_view(digits, static_cast<size_t>(end - digits)));
        } else {
            out.append(valueText(row.value(f), fields_[i]));
        }
        if (quoted) appendMark(options_.quote, out);
        appendMark(options_.separator, out);
    }
}

namespace {

// Bound controls are switched off for the loop and on again however it ends.
class ControlsOff {
public:
    explicit ControlsOff(store::Table& table) : table_(table) { table_.disableControls(); }
    ~ControlsOff() { table_.enableControls(); }
    ControlsOff(const ControlsOff&) = delete;
    ControlsOff& operator=(const ControlsOff&) = delete;

private:
    store::Table& table_;
};

} // namespace

namespace {

struct RowsGathered {
    int rows = 0;
    bool stopped = false;
};

RowsGathered gatherThroughCursor(store::Table& table, const DelimitedFormat& format, EncodedTextBuffer& text,
                                 const RowGate& gate) {
    RowsGathered gathered;
    store::ReadSpan reading(table);
    while (!table.eof()) {
        if (gate && !gate(gathered.rows)) {
            gathered.stopped = true;
            break;
        }
        text.addLine(format.rowLine(table));
        ++gathered.rows;
        table.next();
    }
    return gathered;
}

// The rows the cursor would go through, from a statement of their own. The cursor is then
// put where its own loop would have left it: past the last row, or on the row of the stop.
RowsGathered gatherInOneStatement(store::Table& table, const DelimitedFormat& format, EncodedTextBuffer& text,
                                  const RowGate& gate) {
    RowsGathered gathered;
    store::OrderedRowReader reader(table.database(), table);
    store::Bookmark stop;
    while (reader.next()) {
        if (gate && !gate(gathered.rows)) {
            gathered.stopped = true;
            stop = store::Bookmark{reader.rowid(), true};
            break;
        }
        format.appendRow(reader, text);
        text.endLine();
        ++gathered.rows;
    }
    if (!gathered.stopped) {
        table.last();
        table.next();
    } else if (table.bookmarkValid(stop)) {
        table.gotoBookmark(stop);
    } else {
        table.setRecNo(gathered.rows + 1); // the row went meanwhile: the one now at its place
    }
    return gathered;
}

} // namespace

DelimitedResult exportDelimited(store::Table& table, const std::vector<ExportField>& fields, const DelimitedOptions& options,
                                const QString& path, const RowGate& gate, RowReading reading) {
    DelimitedResult result;
    const DelimitedFormat format(fields, options);
    EncodedTextBuffer text(EightBitCodePage::Windows1250, EncodedTextBuffer::Utf8Mark::Yes);
    try {
        table.first();
        ControlsOff off(table);
        text.addLine(format.headerLine());
        // Fields past the table's own are refused by the cursor, with its message.
        const bool oneStatement = reading == RowReading::OrderedStatement && !table.inBatch() &&
                                  fields.size() <= static_cast<size_t>(table.fieldCount());
        const RowsGathered gathered =
            oneStatement ? gatherInOneStatement(table, format, text, gate) : gatherThroughCursor(table, format, text, gate);
        result.rows = gathered.rows;
        result.stopped = gathered.stopped;
    } catch (const store::StoreError& e) {
        result.error = e.message();
        return result;
    }
    const FileWriteResult written = writeFileSafely(path, text.bytes());
    result.ok = written.ok;
    result.error = written.error;
    result.encoding = text.isUtf8() ? TextEncoding::Utf8 : TextEncoding::Windows1250;
    return result;
}

bool isSpreadsheetFileName(const QString& path) {
    return path.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive);
}

} // namespace verbalo

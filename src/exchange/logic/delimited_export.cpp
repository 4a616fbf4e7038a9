#include "exchange/logic/delimited_export.h"

#include "common/safe_file_writer.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "common/text_routines.h"
#include "exchange/logic/encoded_text_buffer.h"

namespace verbalo {

using store::FieldKind;

DelimitedFormat::DelimitedFormat(std::vector<ExportField> fields, DelimitedOptions options)
    : fields_(std::move(fields)), options_(std::move(options)) {}

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

DelimitedResult exportDelimited(store::Table& table, const std::vector<ExportField>& fields, const DelimitedOptions& options,
                                const QString& path, const RowGate& gate) {
    DelimitedResult result;
    const DelimitedFormat format(fields, options);
    EncodedTextBuffer text(EightBitCodePage::Windows1250, EncodedTextBuffer::Utf8Mark::Yes);
    try {
        table.first();
        ControlsOff off(table);
        store::ReadSpan reading(table);
        text.addLine(format.headerLine());
        while (!table.eof()) {
            if (gate && !gate(result.rows)) {
                result.stopped = true;
                break;
            }
            text.addLine(format.rowLine(table));
            ++result.rows;
            table.next();
        }
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

#include "exchange/logic/data_to_xls.h"

#include "common/safe_file_writer.h"
#include "common/store/store_error.h"
#include "common/store/table.h"

#include <cmath>

namespace verbalo {

using store::FieldKind;

namespace {

TCellType cellTypeOf(FieldKind kind) {
    switch (kind) {
    case FieldKind::Integer:
    case FieldKind::AutoInc: return ctInteger;
    case FieldKind::Boolean: return ctBoolean;
    case FieldKind::Float: return ctDouble;
    default: return ctLabel;
    }
}

TCellAttributes alignmentAttribute(FieldAlignment alignment) {
    switch (alignment) {
    case FieldAlignment::Right: return caRight;
    case FieldAlignment::Center: return caCenter;
    case FieldAlignment::Left: break;
    }
    return caLeft;
}

} // namespace

TxlColumn& TxlColumns::add() {
    columns_.emplace_back();
    return columns_.back();
}

void TxlColumns::fillFrom(const std::vector<ExportField>& fields) {
    for (const ExportField& f : fields) {
        TxlColumn& c = add();
        c.dataField = f.name;
        c.save = true;
        c.title = f.label;
        c.alignment = f.alignment;
        c.colWidth = 0;
        c.dataType = cellTypeOf(f.kind);
    }
}

TDataToXLS::TDataToXLS() {
    title.font.bold = true;
    header.font.bold = true;
}

TDataToXLS::~TDataToXLS() = default;

void TDataToXLS::beginExport(SafeFileWriter& out) {
    TDataExport::beginExport(out);
    store::Table& table = *dataSet();
    filledHere_ = columns.isEmpty();
    if (filledHere_) columns.fillFrom(exportFieldsOf(table));
    rowLimitReached_ = false;
    fieldOfColumn_.clear();
    for (const TxlColumn& c : columns) {
        const int field = table.fieldIndex(c.dataField);
        if (c.save && field < 0)
            throw ExportError(QStringLiteral("A(z) %1 mező nem található a(z) %2 táblában.").arg(c.dataField, table.tableName()));
        fieldOfColumn_.push_back(field);
    }

    biff_ = std::make_unique<TBiffFile>(out);
    currentRow_ = 0;
    biff_->writeFont(detail.font);
    biff_->writeFont(title.font);
    biff_->writeFont(header.font);
    biff_->writeDimensions();
    int sheetColumn = 0;
    for (const TxlColumn& c : columns) {
        if (!c.save) continue;
        if (c.colWidth > 0) biff_->writeColWidth(sheetColumn, c.colWidth);
        biff_->writeLabel(currentRow_, sheetColumn, caFont3, c.title);
        ++sheetColumn;
    }
    ++currentRow_;
}

void TDataToXLS::writeRecord() {
    int sheetColumn = 0;
    for (int i = 0; i < columns.count(); ++i) {
        if (!columns[i].save) continue;
        writeCell(sheetColumn, i);
        ++sheetColumn;
    }
    ++currentRow_;
}

void TDataToXLS::writeCell(int sheetColumn, int index) {
    store::Table& table = *dataSet();
    const TxlColumn& column = columns[index];
    const int field = fieldOfColumn_[static_cast<size_t>(index)];
    const QVariant value = table.value(field);
    const TCellAttributes attributes = alignmentAttribute(column.alignment);
    if (value.isNull()) {
        biff_->writeBlank(currentRow_, sheetColumn, attributes);
        return;
    }
    switch (column.dataType) {
    case ctInteger: {
        const qlonglong n = value.toLongLong();
        // The INTEGER record holds 16 bits without a sign; a larger number is not cut to fit.
        if (n >= 0 && n <= 65535)
            biff_->writeInteger(currentRow_, sheetColumn, attributes, static_cast<quint16>(n));
        else
            biff_->writeNumber(currentRow_, sheetColumn, attributes, static_cast<double>(n));
        break;
    }
    case ctDouble: biff_->writeNumber(currentRow_, sheetColumn, attributes, value.toDouble()); break;
    case ctBoolean: biff_->writeBoolean(currentRow_, sheetColumn, attributes, value.toBool()); break;
    case ctBlank: biff_->writeBlank(currentRow_, sheetColumn, attributes); break;
    case ctLabel: {
        const FieldKind kind = table.schema().fields[static_cast<size_t>(field)].kind;
        biff_->writeLabel(currentRow_, sheetColumn, attributes, fieldDisplayText(value, kind));
        break;
    }
    }
}

void TDataToXLS::endExport() {
    biff_->writeEof();
    biff_.reset();
    rowLimitReached_ = currentRow_ > TBiffFile::kLastRow && running() && writtenRows() < dataSet()->recordCount();
    if (filledHere_) columns.clear();
    filledHere_ = false;
    TDataExport::endExport();
}

SpreadsheetResult exportSpreadsheet(store::Table& table, const std::vector<ExportField>& fields, const std::vector<bool>& checked,
                                    const QString& path, const std::function<void()>& afterRow) {
    TDataToXLS writer;
    writer.setDataSet(&table);
    writer.onBeginExport = [&](TDataExport&) {
        writer.columns.clear();
        writer.columns.fillFrom(fields);
        for (int i = 0; i < writer.columns.count() && i < static_cast<int>(checked.size()); ++i)
            writer.columns[i].save = checked[static_cast<size_t>(i)];
    };
    if (afterRow) writer.afterWriteRecord = [&](TDataExport&) { afterRow(); };
    writer.saveToFile(path);
    return {writer.writtenRows(), writer.rowLimitReached()};
}

QString spreadsheetRowLimitMessage(const QString& path) {
    return QStringLiteral("%1: a munkalap legfeljebb %2 adatsort fogad, a többi sor kimaradt.")
        .arg(path)
        .arg(TBiffFile::kLastRow);
}

} // namespace verbalo

#pragma once

#include "exchange/logic/biff_file.h"
#include "exchange/logic/data_export.h"
#include "exchange/logic/export_fields.h"

#include <memory>
#include <vector>

namespace verbalo {

enum TCellType { ctBlank = 0, ctInteger = 1, ctDouble = 2, ctLabel = 3, ctBoolean = 4 };

struct TxlColumn : TExportField {
    QString title;
    FieldAlignment alignment = FieldAlignment::Left;
    int colWidth = 0; // 0: the worksheet's default width
    TCellType dataType = ctLabel;
};

// The columns of the worksheet, in sheet order.
class TxlColumns {
public:
    TxlColumn& add();
    void clear() { columns_.clear(); }
    bool isEmpty() const { return columns_.empty(); }
    int count() const { return static_cast<int>(columns_.size()); }
    TxlColumn& operator[](int i) { return columns_[static_cast<size_t>(i)]; }
    const TxlColumn& operator[](int i) const { return columns_[static_cast<size_t>(i)]; }
    std::vector<TxlColumn>::const_iterator begin() const { return columns_.begin(); }
    std::vector<TxlColumn>::const_iterator end() const { return columns_.end(); }

    // One column per field, in field order, set up from the field: its name, label, alignment
    // and the cell kind of its field kind.
    void fillFrom(const std::vector<ExportField>& fields);

private:
    std::vector<TxlColumn> columns_;
};

struct TxlBand {
    XlFont font;
};
struct TxlTitle : TxlBand {};
struct TxlHeader : TxlBand {};
struct TxlDetail : TxlBand {};

// The dataset as one BIFF2 worksheet: a header row of column titles (font 2), then one row of
// typed cells per dataset row. Whole numbers outside 0..65535 go out as NUMBER cells, bytes as
// the label of their hex digits. The sheet ends at BIFF2's last row; rowLimitReached() then
// tells that rows were left out.
class TDataToXLS : public TDataExport {
public:
    TDataToXLS();
    ~TDataToXLS() override;

    TxlColumns columns;
    TxlTitle title;
    TxlHeader header;
    TxlDetail detail;

    bool rowLimitReached() const { return rowLimitReached_; }

protected:
    void beginExport(SafeFileWriter& out) override;
    void endExport() override;
    void writeRecord() override;
    bool roomForRow() const override { return currentRow_ <= TBiffFile::kLastRow; }

private:
    // The cell of the list's column index, on the sheet's column sheetColumn.
    void writeCell(int sheetColumn, int index);

    std::unique_ptr<TBiffFile> biff_;
    std::vector<int> fieldOfColumn_;
    int currentRow_ = 0;
    bool filledHere_ = false;
    bool rowLimitReached_ = false;
};

struct SpreadsheetResult {
    int rows = 0;
    bool rowLimitReached = false;
};

// The spreadsheet export of the export window and the command line: one column per field in
// field order, labelled as the fields are, the unchecked ones (per field; missing entries
// count as checked) switched off. afterRow is called after each row. Throws ExportError.
SpreadsheetResult exportSpreadsheet(store::Table& table, const std::vector<ExportField>& fields, const std::vector<bool>& checked,
                                    const QString& path, const std::function<void()>& afterRow = {});

// The text shown when the worksheet could not take every row.
QString spreadsheetRowLimitMessage(const QString& path);

} // namespace verbalo

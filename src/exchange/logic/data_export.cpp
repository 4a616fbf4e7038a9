#include "exchange/logic/data_export.h"

#include "common/safe_file_writer.h"
#include "common/store/store_error.h"
#include "common/store/table.h"

namespace verbalo {

namespace {

// The dataset's row and its controls come back however the loop ends.
class PositionKeeper {
public:
    explicit PositionKeeper(store::Table& table) : table_(table), mark_(table.bookmark()) { table_.disableControls(); }
    ~PositionKeeper() {
        try {
            if (mark_.valid && table_.bookmarkValid(mark_)) table_.gotoBookmark(mark_);
        } catch (const store::StoreError&) {
            // The row may have gone meanwhile; the export's own result or error is the one the
            // user needs to see, so a failed return to it is not reported over it.
        }
        table_.enableControls();
    }
    PositionKeeper(const PositionKeeper&) = delete;
    PositionKeeper& operator=(const PositionKeeper&) = delete;

private:
    store::Table& table_;
    store::Bookmark mark_;
};

} // namespace

void TDataExport::refuseUnusableDataSet() const {
    if (!dataSet_) throw ExportError(QStringLiteral("Cannot perform this operation without a dataset"));
    if (!dataSet_->isOpen()) throw ExportError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (dataSet_->isEmpty()) throw ExportError(QStringLiteral("Cannot perform this operation on an empty dataset"));
}

void TDataExport::saveToFile(const QString& path) {
    refuseUnusableDataSet();
    SafeFileWriter out(path);
    if (!out.open()) throw ExportError(out.errorString());
    saveToStream(out);
    if (!out.commit()) throw ExportError(out.errorString());
}

void TDataExport::saveToStream(SafeFileWriter& out) {
    refuseUnusableDataSet();
    writtenRows_ = 0;
    try {
        beginExport(out);
        exportAllRows();
        endExport();
    } catch (const store::StoreError& e) {
        running_ = false;
        throw ExportError(e.message());
    } catch (...) {
        running_ = false;
        throw;
    }
}

void TDataExport::beginExport(SafeFileWriter& out) {
    Q_UNUSED(out);
    running_ = true;
    if (onBeginExport) onBeginExport(*this);
}

void TDataExport::endExport() {
    if (onEndExport) onEndExport(*this);
    running_ = false;
}

void TDataExport::exportAllRows() {
    store::Table& table = *dataSet_;
    PositionKeeper keeper(table);
    store::ReadSpan reading(table);
    table.first();
    while (!table.eof() && running_ && roomForRow()) {
        writeRecord();
        ++writtenRows_;
        if (afterWriteRecord) afterWriteRecord(*this);
        table.next();
    }
}

} // namespace verbalo

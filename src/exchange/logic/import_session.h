#pragma once

#include "common/store/store_error.h"
#include "common/store/table.h"

#include <QString>

namespace verbalo {

enum class RowResult {
    Stored,
    Refused, // the table would not take the row (a key that exists, an empty key): skipped
    Failed,  // the store itself failed (disk full, file locked or damaged): the import stops
};

struct ImportCounts {
    qint64 offered = 0;
    qint64 stored = 0;
    qint64 refused = 0;
};

// Whether a store error is about the row alone. Anything else (I/O, a full disk, a lock held
// too long by the other program, a damaged file) would refuse every following row as well,
// and then silently skipping them would report a failed import as done.
bool refusesRowOnly(const store::StoreError& error);

// One import into an open table: bound controls are off meanwhile, so the store commits the
// new rows in batches (each batch is all or nothing, and a killed import leaves whole rows
// only); they come back on, and the rows show, when the session finishes. Rows are only ever
// added: an existing row is never changed, a duplicate is refused by the table's key.
class ImportSession {
public:
    explicit ImportSession(store::Table& table);
    ~ImportSession();
    ImportSession(const ImportSession&) = delete;
    ImportSession& operator=(const ImportSession&) = delete;

    store::Table& table() { return table_; }

    // Stores one new row that fill(table) gives its values. A refused row is discarded. Once the
    // store has failed, or the session has finished, no row is taken.
    template <typename Fill>
    RowResult storeRow(Fill&& fill) {
        if (finished_ || !failure_.isEmpty()) return RowResult::Failed;
        ++counts_.offered;
        try {
            table_.insert();
            fill(table_);
            table_.post();
            ++counts_.stored;
            return RowResult::Stored;
        } catch (const store::StoreError& e) {
            return discard(e);
        }
    }

    // Commits the last batch and switches the controls back on; false when the store failed
    // at any point (failure() says how). Further rows are not taken.
    bool finish();
    bool failed() const { return !failure_.isEmpty(); }
    const QString& failure() const { return failure_; }
    const ImportCounts& counts() const { return counts_; }

private:
    RowResult discard(const store::StoreError& e);

    store::Table& table_;
    bool finished_ = false;
    ImportCounts counts_;
    QString failure_;
};

} // namespace verbalo

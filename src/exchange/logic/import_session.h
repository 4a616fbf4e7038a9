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

// The index of a column the import fills; throws store::StoreError when the table has none of
// that name (an import window opened on a table of another kind).
int requiredField(store::Table& table, const QString& name);

struct ImportCounts {
    qint64 offered = 0;
    // While the import runs: rows the table took. Once it has finished or failed: rows that are
    // committed to the file, so a batch that a failed commit threw away is not counted.
    qint64 stored = 0;
    qint64 refused = 0;
};

// One import into an open table: bound controls are off meanwhile, and the new rows are
// committed in batches (each batch is all or nothing, and a killed import leaves whole rows
// only); the controls come back on, and the rows show, when the session finishes. Rows are only
// ever added: an existing row is never changed, a duplicate is refused by the table's key.
//
// Only a row the table refuses for itself (a key that exists, an empty key, a value the column
// will not take) is skipped. Any other failure (the disk, a lock held too long by the other
// program, a damaged file) would refuse every following row as well, so it stops the import.
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
    void countCommitted();

    store::Table& table_;
    qint64 committedBefore_ = 0;
    bool finished_ = false;
    ImportCounts counts_;
    QString failure_;
};

} // namespace verbalo

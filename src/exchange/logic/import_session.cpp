#include "exchange/logic/import_session.h"

namespace verbalo {

int requiredField(store::Table& table, const QString& name) {
    const int index = table.fieldIndex(name);
    if (index < 0) throw store::StoreError(QStringLiteral("table %1 has no column %2").arg(table.tableName(), name));
    return index;
}

ImportSession::ImportSession(store::Table& table) : table_(table), committedBefore_(table.committedWrites()) {
    table_.disableControls();
    table_.beginBatch();
}

ImportSession::~ImportSession() {
    finish();
}

RowResult ImportSession::discard(const store::StoreError& e) {
    // cancel() only drops the row buffer of an open table; it has nothing to fail on here.
    table_.cancel();
    if (e.isRowRefusal()) {
        ++counts_.refused;
        return RowResult::Refused;
    }
    failure_ = e.message();
    // The batch is ended now, so that what was committed before the failure stays and the
    // count says exactly that.
    try {
        table_.endBatch();
    } catch (const store::StoreError&) {
        // The batch was already given up by the failure just recorded; this adds nothing to it.
    }
    countCommitted();
    return RowResult::Failed;
}

void ImportSession::countCommitted() {
    counts_.stored = table_.committedWrites() - committedBefore_;
}

bool ImportSession::finish() {
    if (finished_) return !failed();
    finished_ = true;
    try {
        table_.endBatch();
    } catch (const store::StoreError& e) {
        if (failure_.isEmpty()) failure_ = e.message();
    }
    countCommitted();
    table_.enableControls();
    return !failed();
}

} // namespace verbalo

#include "exchange/logic/import_session.h"

#include <sqlite3.h>

namespace verbalo {

bool refusesRowOnly(const store::StoreError& error) {
    switch (error.engineCode() & 0xff) {
    case SQLITE_IOERR:
    case SQLITE_FULL:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_READONLY:
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_CANTOPEN:
    case SQLITE_NOMEM:
    case SQLITE_PERM:
        return false;
    default:
        return true;
    }
}

ImportSession::ImportSession(store::Table& table) : table_(table) { table_.disableControls(); }

ImportSession::~ImportSession() { finish(); }

RowResult ImportSession::discard(const store::StoreError& e) {
    try {
        table_.cancel();
    } catch (const store::StoreError&) {
    }
    if (refusesRowOnly(e)) {
        ++counts_.refused;
        return RowResult::Refused;
    }
    failure_ = e.message();
    return RowResult::Failed;
}

bool ImportSession::finish() {
    if (finished_) return !failed();
    finished_ = true;
    try {
        table_.enableControls();
    } catch (const store::StoreError& e) {
        if (failure_.isEmpty()) failure_ = e.message();
    }
    return !failed();
}

} // namespace verbalo

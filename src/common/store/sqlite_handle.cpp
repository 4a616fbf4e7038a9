#include "sqlite_handle.h"

#include "collation.h"
#include "table_values.h"

#include <sqlite3.h>

#include <cstdint>
#include <utility>

namespace verbalo::store {
namespace {

QString engineMessage(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

// Waits for the other program's lock in steps of a few milliseconds until the busy timeout
// (the context) is spent. The engine's own waits grow to 100 ms a step, so a read that met the
// other program's commit (a few hundred milliseconds for a batch into a large table) went on
// waiting up to 100 ms after the file was free again: a window's keystroke felt that.
int waitInSmallSteps(void* timeoutMs, int tries) {
    constexpr int kStepMs = 2;
    if (static_cast<qint64>(tries) * kStepMs >= static_cast<qint64>(reinterpret_cast<std::intptr_t>(timeoutMs))) return 0;
    sqlite3_sleep(kStepMs);
    return 1;
}

} // namespace

Connection::Connection(const QString& path, Mode mode, int busyTimeoutMs) : path_(path) {
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (mode == Mode::ReadWriteCreate) flags |= SQLITE_OPEN_CREATE;
    // Not SQLITE_OPEN_MEMORY: attached files inherit the main database's open flags.
    if (mode == Mode::Memory) flags |= SQLITE_OPEN_CREATE;
    const QByteArray file = mode == Mode::Memory ? QByteArray(":memory:") : path.toUtf8();
    int rc = sqlite3_open_v2(file.constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        QString msg = engineMessage(db_);
        close();
        throw StoreError(QStringLiteral("cannot open %1: %2").arg(path, msg));
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_handler(db_, waitInSmallSteps, reinterpret_cast<void*>(static_cast<std::intptr_t>(busyTimeoutMs)));
    registerCollationAndFunctions(db_);
}

Connection::~Connection() {
    close();
}

Connection::Connection(Connection&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)), dataVersionStmt_(std::exchange(other.dataVersionStmt_, nullptr)),
      path_(std::move(other.path_)) {}

Connection& Connection::operator=(Connection&& other) noexcept {
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
        dataVersionStmt_ = std::exchange(other.dataVersionStmt_, nullptr);
        path_ = std::move(other.path_);
    }
    return *this;
}

void Connection::close() {
    if (dataVersionStmt_) {
        sqlite3_finalize(dataVersionStmt_);
        dataVersionStmt_ = nullptr;
    }
    if (db_) {
        // Statements are owned by their holders; close_v2 defers until they are finalized.
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

void Connection::exec(const QString& sql) {
    char* err = nullptr;
    int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        QString msg = err ? QString::fromUtf8(err) : engineMessage(db_);
        sqlite3_free(err);
        throw StoreError(msg, sqlite3_extended_errcode(db_));
    }
}

QString Connection::lastError() const {
    return engineMessage(db_);
}
std::int64_t Connection::lastInsertRowid() const {
    return sqlite3_last_insert_rowid(db_);
}
int Connection::changes() const {
    return sqlite3_changes(db_);
}
bool Connection::inTransaction() const {
    return db_ && sqlite3_get_autocommit(db_) == 0;
}

std::int64_t Connection::dataVersion() {
    if (!dataVersionStmt_ && sqlite3_prepare_v2(db_, "PRAGMA data_version", -1, &dataVersionStmt_, nullptr) != SQLITE_OK) {
        const QString msg = engineMessage(db_);
        sqlite3_finalize(dataVersionStmt_);
        dataVersionStmt_ = nullptr;
        throw StoreError(msg, sqlite3_extended_errcode(db_));
    }
    const int rc = sqlite3_step(dataVersionStmt_);
    const std::int64_t version = rc == SQLITE_ROW ? sqlite3_column_int64(dataVersionStmt_, 0) : 0;
    sqlite3_reset(dataVersionStmt_);
    return version;
}

Statement::Statement(Connection& conn, const QString& sql) : Statement(conn.handle(), sql.toUtf8()) {}

Statement::Statement(sqlite3* db, const QByteArray& sqlUtf8) : db_(db) {
    int rc = sqlite3_prepare_v2(db, sqlUtf8.constData(), static_cast<int>(sqlUtf8.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = engineMessage(db);
        const int code = db ? sqlite3_extended_errcode(db) : rc;
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throw StoreError(msg, code);
    }
}

Statement::~Statement() {
    if (stmt_) sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)), stmt_(std::exchange(other.stmt_, nullptr)),
      boundTexts_(std::move(other.boundTexts_)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        if (stmt_) sqlite3_finalize(stmt_);
        db_ = std::exchange(other.db_, nullptr);
        stmt_ = std::exchange(other.stmt_, nullptr);
        boundTexts_ = std::move(other.boundTexts_);
    }
    return *this;
}

void Statement::bind(int index, const QVariant& value) {
    switch (storageClassOf(value)) {
    case StorageClass::Null: bindNull(index); break;
    case StorageClass::Integer: bindInt(index, value.toLongLong()); break;
    case StorageClass::Real: sqlite3_bind_double(stmt_, index, value.toDouble()); break;
    case StorageClass::Blob: {
        const QByteArray b = value.toByteArray();
        sqlite3_bind_blob64(stmt_, index, b.constData(), static_cast<sqlite3_uint64>(b.size()), SQLITE_TRANSIENT);
        break;
    }
    case StorageClass::Text: bindText(index, value.toString()); break;
    }
}

void Statement::bindText(int index, const QString& text) {
    // The UTF-8 copy lives until the statement is reset, so SQLite need not copy it again:
    // bulk loops bind two texts per row.
    boundTexts_.push_back(text.toUtf8());
    const QByteArray& u = boundTexts_.back();
    sqlite3_bind_text64(stmt_, index, u.constData(), static_cast<sqlite3_uint64>(u.size()), SQLITE_STATIC, SQLITE_UTF8);
}

void Statement::bindInt(int index, std::int64_t value) {
    sqlite3_bind_int64(stmt_, index, value);
}
void Statement::bindNull(int index) {
    sqlite3_bind_null(stmt_, index);
}

bool Statement::step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    const QString msg = engineMessage(db_);
    const int code = sqlite3_extended_errcode(db_);
    sqlite3_reset(stmt_);
    throw StoreError(msg, code);
}

void Statement::reset() {
    if (stmt_) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    boundTexts_.clear();
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}
QString Statement::columnName(int i) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, i));
}
QString Statement::declaredType(int i) const {
    const char* t = sqlite3_column_decltype(stmt_, i);
    return t ? QString::fromUtf8(t) : QString();
}
bool Statement::isNull(int i) const {
    return sqlite3_column_type(stmt_, i) == SQLITE_NULL;
}
QString Statement::text(int i) const {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
    return t ? QString::fromUtf8(t, sqlite3_column_bytes(stmt_, i)) : QString();
}
std::int64_t Statement::int64(int i) const {
    return sqlite3_column_int64(stmt_, i);
}
double Statement::real(int i) const {
    return sqlite3_column_double(stmt_, i);
}
QByteArray Statement::blob(int i) const {
    const void* p = sqlite3_column_blob(stmt_, i);
    int n = sqlite3_column_bytes(stmt_, i);
    // An empty blob is a value, not a null: give it as an empty, non-null array.
    return p && n > 0 ? QByteArray(static_cast<const char*>(p), n) : QByteArray("", 0);
}

QVariant Statement::value(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER: return QVariant::fromValue<qlonglong>(int64(i));
    case SQLITE_FLOAT: return real(i);
    case SQLITE_TEXT: return text(i);
    case SQLITE_BLOB: return blob(i);
    default: return QVariant();
    }
}

bool Statement::readOnly() const {
    return sqlite3_stmt_readonly(stmt_) != 0;
}

Transaction::Transaction(Connection& conn) : conn_(conn) {
    conn_.exec(QStringLiteral("BEGIN IMMEDIATE"));
    active_ = true;
}

Transaction::~Transaction() {
    rollback();
}

void Transaction::commit() {
    if (!active_) return;
    try {
        conn_.exec(QStringLiteral("COMMIT"));
    } catch (const StoreError&) {
        rollback();
        throw;
    }
    active_ = false;
}

void Transaction::rollback() noexcept {
    if (!active_) return;
    active_ = false;
    // The engine may already have rolled back on its own (a full disk, an I/O error); then
    // there is nothing left to end.
    if (conn_.inTransaction()) sqlite3_exec(conn_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

QString quoteIdentifier(const QString& name) {
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString quoteLiteral(const QString& text) {
    QString q = text;
    q.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

} // namespace verbalo::store

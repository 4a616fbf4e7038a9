#pragma once

#include "store_error.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace verbalo::store {

// Owns one sqlite3 connection. Every connection the store opens gets the collation, the
// Unicode SQL functions and a busy timeout; no journal mode is set, so files keep SQLite's
// default rollback journal, under which the two programs can share a data folder.
class Connection {
public:
    enum class Mode { ReadWrite, ReadWriteCreate, Memory };

    // Longer than a batch of the other program's bulk loop lasts (a second) plus its commit, so
    // a write normally waits its turn instead of failing; when it does fail, it fails cleanly.
    static constexpr int kDefaultBusyTimeoutMs = 8000;

    Connection() = default;
    Connection(const QString& path, Mode mode, int busyTimeoutMs = kDefaultBusyTimeoutMs);
    ~Connection();
    Connection(Connection&& other) noexcept;
    Connection& operator=(Connection&& other) noexcept;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool isOpen() const { return db_ != nullptr; }
    sqlite3* handle() const { return db_; }
    const QString& path() const { return path_; }

    // Runs statements that return no rows; throws StoreError with the engine's message.
    void exec(const QString& sql);
    QString lastError() const;
    std::int64_t lastInsertRowid() const;
    int changes() const;
    bool inTransaction() const;
    // Value of PRAGMA data_version: changes when another connection commits to the file.
    std::int64_t dataVersion();

private:
    void close();
    sqlite3* db_ = nullptr;
    sqlite3_stmt* dataVersionStmt_ = nullptr; // asked on every cursor call: prepared once
    QString path_;
};

// A prepared statement, always reset after use so that no read lock outlives a call.
class Statement {
public:
    Statement() = default;
    Statement(Connection& conn, const QString& sql);
    Statement(sqlite3* db, const QByteArray& sqlUtf8);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool isValid() const { return stmt_ != nullptr; }
    sqlite3_stmt* handle() const { return stmt_; }

    void bind(int index, const QVariant& value);
    void bindText(int index, const QString& text);
    void bindInt(int index, std::int64_t value);
    void bindNull(int index);
    // Steps once; true when a row is available. Throws on error (after resetting).
    bool step();
    void reset();

    int columnCount() const;
    QString columnName(int i) const;
    QString declaredType(int i) const;
    bool isNull(int i) const;
    QString text(int i) const;
    std::int64_t int64(int i) const;
    double real(int i) const;
    QByteArray blob(int i) const;
    QVariant value(int i) const;
    bool readOnly() const;

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    std::vector<QByteArray> boundTexts_; // bound without a copy, released at reset
};

// The one way the store writes: BEGIN IMMEDIATE (the write lock up front, so two programs never
// deadlock upgrading their locks), then commit() or, on every other way out of the scope, a
// rollback. A commit that fails (the other program still reading past the busy timeout, a full
// disk) is rolled back too and thrown, so the connection never stays inside a transaction
// that nobody will end: the table stays usable, and the caller learns that nothing was stored.
class Transaction {
public:
    explicit Transaction(Connection& conn);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    // Ends the transaction without storing anything; never throws.
    void rollback() noexcept;
    bool active() const { return active_; }

private:
    Connection& conn_;
    bool active_ = false;
};

// Resets a statement when leaving the scope, releasing its read lock.
class StatementResetter {
public:
    explicit StatementResetter(Statement& s) : s_(s) {}
    ~StatementResetter() { s_.reset(); }
    StatementResetter(const StatementResetter&) = delete;
    StatementResetter& operator=(const StatementResetter&) = delete;

private:
    Statement& s_;
};

QString quoteIdentifier(const QString& name);
QString quoteLiteral(const QString& text);

} // namespace verbalo::store

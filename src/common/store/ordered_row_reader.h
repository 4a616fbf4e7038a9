#pragma once

#include "sqlite_handle.h"
#include "table.h"
#include "table_values.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <string_view>
#include <vector>

struct sqlite3_value;
struct sqlite3_stmt;

namespace verbalo::store {

class Database;

// Goes once through the rows of a table in the order and under the filter its cursor shows,
// in ordered statements on a connection of its own, for loops that visit every row (exports). A
// cursor reads a row through its in-memory order and hands out each value as a QVariant; this
// reader hands out the engine's values as they are (the UTF-8 bytes of a text), which costs a
// fraction of that per row.
//
// The file is read under one shared lock for spanMillis at most: then the statement is let
// go and started again after the last row's key (and row id), so that the other program can
// commit in between. Rows another program adds or removes meanwhile are seen or missed as a
// statement started at that moment sees them; nothing is read twice or skipped otherwise.
class OrderedRowReader {
public:
    // What each row holds after its row id: the whole row, or only the order's key columns
    // (the index alone answers those, for a reader that orders the rows).
    enum class Select { WholeRow, OrderKey };

    OrderedRowReader(Database& db, const Table& table, qint64 spanMillis = Table::kReadSpanMillis,
                     Select select = Select::WholeRow);
    ~OrderedRowReader();
    OrderedRowReader(const OrderedRowReader&) = delete;
    OrderedRowReader& operator=(const OrderedRowReader&) = delete;

    // Moves to the next row (the first on the first call); false after the last one, when no
    // lock is held any more.
    bool next();

    std::int64_t rowid() const;
    int fieldCount() const { return fieldCount_; }
    StorageClass storageClass(int field) const;
    // The UTF-8 bytes of a text value, valid until the next call of next().
    std::string_view text(int field) const;
    std::int64_t integer(int field) const;
    // The value as a cursor gives it.
    QVariant value(int field) const;

    // How often the statement was let go and started again, for tests.
    quint64 restarts() const { return restarts_; }

    // The current row as the engine holds it: the row id in column 0, then the whole row or the
    // order's key columns. Valid until the next call of next().
    sqlite3_stmt* statement() const { return statement_.handle(); }
    // The reader's own connection, for a read of its own between the reader's statements.
    Connection& connection() { return conn_; }

private:
    // The rows in order under the filter and, when given, a further condition.
    QString selectSql(const QString& condition) const;
    QString keyTerm(const TableSchema& schema, const QString& column);
    void start();
    void restartAfterCurrent();
    bool keyIsNull(int term) const;
    QString afterKeyCondition(int first) const;
    QString afterLeadingTerm() const;
    void startAfterKey(const QString& condition);
    void releaseKey();

    Connection conn_;
    QString tableName_;
    QString selected_;       // what each row holds after its row id
    QString from_;           // the table, quoted
    QString where_;          // " WHERE (filter)" or nothing
    QString orderBy_;        // the cursor's ORDER BY terms
    QStringList keyTerms_;   // the order's key terms, the row id last
    int fieldCount_ = 0;
    qint64 spanMillis_;
    Statement statement_;
    bool started_ = false;
    bool done_ = false;
    bool leadingRangeNext_ = false; // the rows sharing the kept key's leading term are being read
    std::vector<int> keyColumnOfStatement_; // per key column its column in the statement
    std::vector<sqlite3_value*> lastKey_;   // copies of the last row's key before a restart
    QElapsedTimer span_;
    quint64 restarts_ = 0;
};

} // namespace verbalo::store

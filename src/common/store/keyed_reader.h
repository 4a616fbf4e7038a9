#pragma once

#include "schema.h"
#include "sqlite_handle.h"

#include <QString>
#include <QVariant>

#include <deque>
#include <vector>

namespace verbalo::store {

class Database;

// A forward-only reader on one table, positioned by nearest key through the index inside the
// table file. Unlike a Table it builds no in-memory order, so opening a table, reading the few
// rows from a key on and closing it again costs one keyed seek however large the table is.
// Lookups that run on every keystroke and keep nothing open between them (so that the other
// program can write meanwhile) read this way; the rows and their order are those a Table
// ordered by the same column gives.
class KeyedReader {
public:
    explicit KeyedReader(Database& db) : db_(db) {}
    KeyedReader(const KeyedReader&) = delete;
    KeyedReader& operator=(const KeyedReader&) = delete;

    // Refused, as a Table refuses the order, when no index leads with orderColumn.
    void open(const QString& tableName, const QString& orderColumn);
    // Releases the file: no lock is held after this.
    void close();
    bool isOpen() const { return conn_.isOpen(); }

    // Moves to the first row whose key, compared without regard to case, is equal to or after
    // key; to the last row when none is; eof on an empty table. Never fails for a missing key.
    void gotoNearest(const QString& key);
    void next();
    bool eof() const { return eof_; }

    // The current row's value; null for SQL NULL and when there is no current row.
    QVariant value(const QString& field) const;
    // The value as text, "" for null.
    QString text(const QString& field) const;

    // Statements run against the file, for tests and benchmarks that check what a caller costs.
    quint64 storeReads() const { return storeReads_; }

private:
    using Row = std::vector<QVariant>;
    Row readRow(Statement& s) const;
    void stepForward();
    QString orderBy(bool descending) const;

    Database& db_;
    QString name_;
    Connection conn_;
    TableSchema schema_;
    QString column_;      // the order column as the file spells it
    QStringList order_;   // the full order: the column, the rest of its index, rowid
    QString forwardSql_;  // the rows from a key on, in order
    QString backwardSql_; // the rows before a key, last first
    Statement forward_;
    bool forwardOpen_ = false;
    std::deque<Row> pending_; // rows equal to the key but for case that sort before it
    Row current_;
    bool eof_ = true;
    quint64 storeReads_ = 0;
};

} // namespace verbalo::store

#pragma once

#include "sqlite_handle.h"

#include <QStringList>

namespace verbalo::store {

class Database;

// The connection that SQL text runs on. Its own database is empty and in memory; every table
// file a statement names is attached on demand under the table's name, so "angol" in a
// statement is the table inside angol.DB, and joins across files work.
class SqlSession {
public:
    explicit SqlSession(Database& db);

    // Prepares one statement, attaching the files it names. Throws StoreError.
    Statement prepare(const QString& sql);
    // Runs one statement that returns no rows, after the file-level ones (CREATE TABLE,
    // DROP TABLE, CREATE INDEX) have been routed to their files. Returns the rows changed.
    int execute(const QString& sql);

    void detach(const QString& table);
    void detachAll();
    QStringList attached() const { return attached_; }
    Connection& connection() { return conn_; }

    static constexpr int kMaxAttached = 10;

private:
    bool attachFor(const QString& engineMessage, QStringList& attachedNow);
    void attach(const QString& table, QStringList& attachedNow);

    Database& db_;
    Connection conn_;
    QStringList attached_; // least recently attached first
};

} // namespace verbalo::store

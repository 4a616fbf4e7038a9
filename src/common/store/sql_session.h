#pragma once

#include "sqlite_handle.h"

#include <QStringList>

namespace verbalo::store {

class Database;

// The connection that SQL text runs on. Its own database is empty and in memory; every table
// file a statement names is attached on demand under the table's name, so "angol" in a
// statement is the table inside angol.DB, and joins across files work.
//
// SQL text may come from a user or from a script handed to one, so it reaches only the data
// folder's table files: ATTACH, DETACH and VACUUM INTO in the text are refused (only the store
// attaches), as are statements that would leave a file holding a table of another name
// (renaming a table, creating or dropping a table inside another table's file).
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
    static int authorize(void* self, int action, const char* a, const char* b, const char* schema, const char* trigger);
    // Runs f with the store's own file handling allowed.
    template <typename F>
    auto asStore(F&& f) {
        struct Scope {
            int& depth;
            explicit Scope(int& d) : depth(d) { ++depth; }
            ~Scope() { --depth; }
        } scope(storeDepth_);
        return f();
    }
    // The refusal the authorizer recorded, as the error to throw instead of the engine's.
    [[noreturn]] void rethrow(const StoreError& e);

    bool attachFor(const QString& engineMessage, QStringList& attachedNow);
    void attach(const QString& table, QStringList& attachedNow);

    Database& db_;
    Connection conn_;
    QStringList attached_; // least recently attached first
    int storeDepth_ = 0;   // > 0 while the store itself attaches, detaches or rebuilds a table
    QString refusal_;      // why the authorizer refused the last statement
};

} // namespace verbalo::store

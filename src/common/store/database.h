#pragma once

#include "schema.h"
#include "sqlite_handle.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace verbalo::store {

class SqlSession;

// The data folder seen as a database: one table per "*.DB" file. Each program connects one
// under the alias "szotar"; tables, cursors and queries are opened through it.
class Database {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // A folder that does not exist is not refused here; opening a table in it fails.
    void connect(const QString& alias, const QString& folder);
    void disconnect();
    bool isConnected() const { return connected_; }
    const QString& alias() const { return alias_; }
    const QString& folder() const { return folder_; }

    // Table names (file names without ".DB"), sorted without regard to case.
    QStringList tableNames() const;
    // The file of a table named with or without ".DB", matched without regard to case;
    // empty when there is none.
    QString tableFile(const QString& tableName) const;
    bool tableExists(const QString& tableName) const { return !tableFile(tableName).isEmpty(); }
    // Where a new table of that name is made.
    QString newTableFile(const QString& tableName) const;

    // Opens a table file for the store's use: checks that it is a database and rebuilds its
    // indexes when they were built under another collation version. Errors name the table.
    Connection openTableFile(const QString& tableName);
    // The layout of a table file opened by openTableFile. Lookups open a file for every word:
    // the layout is read once and kept while the file's schema text stays the same.
    TableSchema schemaOf(Connection& conn);
    void createTable(const QString& tableName, const QString& columnsBody, bool ifNotExists);
    void dropTable(const QString& tableName, bool ifExists);

    // How long a statement waits for the other program's lock before it fails; connections
    // opened from now on use it.
    void setBusyTimeout(int milliseconds) { busyTimeoutMs_ = milliseconds; }
    int busyTimeout() const { return busyTimeoutMs_; }

    // The shared SQL connection that queries run on.
    SqlSession& session();

    static QString stripExtension(const QString& tableName);
    // A table name is a plain file name: not empty, no "/", "\\", ".", control character or NUL,
    // so that no name reaches outside the data folder or into a file of another name. Empty
    // when the name is plain; otherwise what is wrong with it.
    static QString plainNameProblem(const QString& tableName);

private:
    void requireConnected() const;
    void prepareFile(Connection& conn, const QString& tableName);

    bool connected_ = false;
    QString alias_;
    QString folder_;
    QSet<QString> preparedFiles_;
    struct KnownSchema {
        QByteArray schemaText; // every row of sqlite_master, as openTableFile last read it
        std::optional<TableSchema> schema;
    };
    QHash<QString, KnownSchema> knownSchemas_;
    int busyTimeoutMs_ = Connection::kDefaultBusyTimeoutMs;
    std::unique_ptr<SqlSession> session_;
    friend class SqlSession;
};

// Brings a freshly opened table file up to the running collation; used for attached files too.
// Rebuilds the file's indexes when they were built under another collation version. True when
// the indexes are (now) current; false for a file that cannot be written (read-only), whose
// stale indexes can still be read. Other failures (the other program holding the file, a full
// disk) are thrown.
bool ensureCurrentCollation(Connection& conn, const QString& schema = QStringLiteral("main"));

} // namespace verbalo::store

#include "database.h"

#include "collation.h"
#include "sql_dialect.h"
#include "sql_session.h"
#include "sqlite_handle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <sqlite3.h>

namespace verbalo::store {

namespace {

std::int64_t pragmaValue(Connection& conn, const QString& schema, const char* pragma) {
    Statement s(conn, QStringLiteral("PRAGMA %1.%2").arg(quoteIdentifier(schema), QLatin1String(pragma)));
    StatementResetter r(s);
    return s.step() ? s.int64(0) : 0;
}

} // namespace

bool ensureCurrentCollation(Connection& conn, const QString& schema) {
    const std::int64_t app = pragmaValue(conn, schema, "application_id");
    const std::int64_t version = pragmaValue(conn, schema, "user_version");
    if (app == kApplicationId && version == collationVersionMarker()) return true;
    // Indexes sorted by another comparator would mislead every search: rebuild them first.
    try {
        Transaction transaction(conn);
        Statement list(
            conn,
            QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'")
                .arg(quoteIdentifier(schema)));
        QStringList tableNames;
        {
            StatementResetter r(list);
            while (list.step()) tableNames << list.text(0);
        }
        // Automatic indexes of keys cannot be named in REINDEX; the table name covers them.
        for (const QString& t : tableNames)
            conn.exec(QStringLiteral("REINDEX %1.%2").arg(quoteIdentifier(schema), quoteIdentifier(t)));
        conn.exec(QStringLiteral("PRAGMA %1.application_id=%2").arg(quoteIdentifier(schema)).arg(kApplicationId));
        conn.exec(QStringLiteral("PRAGMA %1.user_version=%2").arg(quoteIdentifier(schema)).arg(collationVersionMarker()));
        transaction.commit();
    } catch (const StoreError& e) {
        // A read-only file keeps its indexes and can still be read; anything else is reported.
        if ((e.engineCode() & 0xff) == 8 /* SQLITE_READONLY */) return false;
        throw;
    }
    return true;
}

Database::Database() = default;
Database::~Database() = default;

void Database::connect(const QString& alias, const QString& folder) {
    disconnect();
    alias_ = alias;
    folder_ = QDir::cleanPath(folder);
    connected_ = true;
}

void Database::disconnect() {
    session_.reset();
    preparedFiles_.clear();
    connected_ = false;
}

void Database::requireConnected() const {
    if (!connected_) throw StoreError(QStringLiteral("database is not connected"));
}

QString Database::plainNameProblem(const QString& tableName) {
    if (tableName.isEmpty()) return QStringLiteral("a table needs a name");
    for (const QChar c : tableName) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            return QStringLiteral("table name %1 holds a path separator; a table is a file in the data folder").arg(tableName);
        if (c == QLatin1Char('.'))
            return QStringLiteral("table name %1 holds a dot; a table name is a plain file name").arg(tableName);
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) return QStringLiteral("a table name may not hold a control character");
    }
    return QString();
}

QString Database::stripExtension(const QString& tableName) {
    QString name = tableName.trimmed();
    if (name.endsWith(QLatin1String(".DB"), Qt::CaseInsensitive)) name.chop(3);
    return name;
}

QStringList Database::tableNames() const {
    requireConnected();
    QDir dir(folder_);
    QStringList names;
    const auto files = dir.entryInfoList(QDir::Files | QDir::Readable, QDir::NoSort);
    for (const QFileInfo& fi : files) {
        const QString fn = fi.fileName();
        if (fn.size() > 3 && fn.endsWith(QLatin1String(".DB"), Qt::CaseInsensitive)) names << fn.left(fn.size() - 3);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

QString Database::tableFile(const QString& tableName) const {
    requireConnected();
    const QString name = stripExtension(tableName);
    if (!plainNameProblem(name).isEmpty()) return QString();
    const QString exact = folder_ + QLatin1Char('/') + name + QLatin1String(".DB");
    if (QFileInfo(exact).isFile()) return exact;
    QDir dir(folder_);
    const auto files = dir.entryList(QDir::Files, QDir::NoSort);
    for (const QString& fn : files)
        if (fn.size() == name.size() + 3 && fn.endsWith(QLatin1String(".DB"), Qt::CaseInsensitive) &&
            fn.left(name.size()).compare(name, Qt::CaseInsensitive) == 0)
            return folder_ + QLatin1Char('/') + fn;
    return QString();
}

QString Database::newTableFile(const QString& tableName) const {
    return folder_ + QLatin1Char('/') + stripExtension(tableName) + QLatin1String(".DB");
}

void Database::prepareFile(Connection& conn, const QString& tableName) {
    bool holdsTable = false;
    try {
        // The first read tells whether the file is a database at all, and one that holds a table.
        // An empty file reads as an empty database: it would open, and then no statement would
        // find the table in it.
        // The same read gives the schema text that tells whether the layout kept from an
        // earlier open still holds.
        // The read is begun by a header value, so that the engine loads the schema inside it
        // rather than in a read of its own: one lock and one look at the journal fewer for every
        // open (the quick finder opens the file for every word). A read has nothing to store:
        // ending it cannot fail in a way that loses anything.
        conn.exec(QStringLiteral("BEGIN"));
        const auto endRead = qScopeGuard([&conn] { sqlite3_exec(conn.handle(), "COMMIT", nullptr, nullptr, nullptr); });
        pragmaValue(conn, QStringLiteral("main"), "schema_version");
        Statement s(conn, QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master"));
        StatementResetter r(s);
        QByteArray schemaText;
        while (s.step()) {
            if (s.text(0) == QLatin1String("table")) holdsTable = true;
            for (int c = 0; c < 4; ++c) schemaText += s.text(c).toUtf8() + '\x1f';
            schemaText += '\x1e';
        }
        KnownSchema& known = knownSchemas_[conn.path()];
        if (known.schemaText != schemaText) known = KnownSchema{schemaText, std::nullopt};
    } catch (const StoreError& e) {
        throw StoreError::ofTable(tableName, e);
    }
    if (!holdsTable)
        throw StoreError(QStringLiteral("table %1 is damaged: its file %2 holds no table").arg(tableName, conn.path()), 0,
                         StoreError::Kind::Damaged);
    // A file whose indexes could not be brought up to date is tried again at its next open.
    if (!preparedFiles_.contains(conn.path()) && ensureCurrentCollation(conn)) preparedFiles_.insert(conn.path());
}

Connection Database::openTableFile(const QString& tableName) {
    requireConnected();
    const QString name = stripExtension(tableName);
    if (const QString problem = plainNameProblem(name); !problem.isEmpty()) throw StoreError(problem);
    const QString file = tableFile(name);
    if (file.isEmpty()) throw StoreError(QStringLiteral("no such table: %1").arg(name));
    try {
        Connection conn(file, Connection::Mode::ReadWrite, busyTimeoutMs_);
        prepareFile(conn, name);
        conn.exec(QStringLiteral("PRAGMA cache_size=-16384"));
        return conn;
    } catch (const StoreError& e) {
        throw StoreError::ofTable(name, e);
    }
}

TableSchema Database::schemaOf(Connection& conn) {
    auto it = knownSchemas_.find(conn.path());
    if (it == knownSchemas_.end()) return readSchema(conn);
    if (!it->schema) it->schema = readSchema(conn);
    return *it->schema;
}

void Database::createTable(const QString& tableName, const QString& columnsBody, bool ifNotExists) {
    requireConnected();
    const QString name = stripExtension(tableName);
    if (const QString problem = plainNameProblem(name); !problem.isEmpty()) throw StoreError(problem);
    if (tableExists(name)) {
        if (ifNotExists) return;
        throw StoreError(QStringLiteral("table %1 already exists").arg(name));
    }
    const QString statement = createTableStatement(name, columnsBody);
    if (!QFileInfo(folder_).isDir()) throw StoreError(QStringLiteral("data folder %1 does not exist").arg(folder_));
    const QString file = newTableFile(name);
    try {
        Connection conn(file, Connection::Mode::ReadWriteCreate, busyTimeoutMs_);
        conn.exec(QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId));
        conn.exec(QStringLiteral("PRAGMA user_version=%1").arg(collationVersionMarker()));
        conn.exec(statement);
    } catch (const StoreError& e) {
        QFile::remove(file);
        QFile::remove(file + QLatin1String("-journal"));
        throw StoreError(QStringLiteral("cannot create table %1: %2").arg(name, e.message()), e.engineCode(), e.kind());
    }
    preparedFiles_.insert(file);
}

void Database::dropTable(const QString& tableName, bool ifExists) {
    requireConnected();
    const QString name = stripExtension(tableName);
    if (const QString problem = plainNameProblem(name); !problem.isEmpty()) throw StoreError(problem);
    const QString file = tableFile(name);
    if (file.isEmpty()) {
        if (ifExists) return;
        throw StoreError(QStringLiteral("no such table: %1").arg(name));
    }
    if (session_) session_->detach(name);
    if (!QFile::remove(file)) throw StoreError(QStringLiteral("cannot remove table %1: the file cannot be deleted").arg(name));
    QFile::remove(file + QLatin1String("-journal"));
    preparedFiles_.remove(file);
}

SqlSession& Database::session() {
    requireConnected();
    if (!session_) session_ = std::make_unique<SqlSession>(*this);
    return *session_;
}

} // namespace verbalo::store

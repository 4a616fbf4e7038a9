#include "internet/logic/staged_files.h"

#include "common/store/database.h"
#include "common/store/integrity.h"
#include "common/store/store_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace verbalo {
namespace {

bool isTableFile(const QString& name) {
    return name.endsWith(QLatin1String(".DB"), Qt::CaseInsensitive);
}

PlacementResult failed(const QString& error) {
    PlacementResult r;
    r.error = error;
    return r;
}

// A table file of the store holds the table it is named after.
bool holdsTable(store::Database& db, const QString& table) {
    store::Connection conn = db.openTableFile(table);
    store::Statement s(conn,
                       QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    store::StatementResetter reset(s);
    s.bindText(1, table);
    return s.step() && s.int64(0) > 0;
}

// Opening through the store re-indexes a file built under another collation version; the
// integrity check then reads it with the store's collation.
QString checkStagedTables(const StagedFiles& staged, const QStringList& tables) {
    store::Database stagedDb;
    stagedDb.connect(QStringLiteral("staging"), staged.folder);
    for (const QString& table : tables) {
        try {
            if (!holdsTable(stagedDb, table)) return QStringLiteral("%1.DB holds no table %1").arg(table);
            const QStringList problems = store::checkTableIntegrity(stagedDb, table);
            if (!problems.isEmpty())
                return QStringLiteral("table %1 is damaged: %2").arg(table, problems.join(QStringLiteral("; ")));
        } catch (const store::StoreError& e) {
            return store::StoreError::ofTable(table, e).message();
        }
    }
    return QString();
}

// The engine's backup copies the pages under the target's write lock (waiting through its busy
// timeout for the other program) and is one transaction: the target ends with the new content
// or keeps the old.
QString replaceTableContent(const QString& source, const QString& target, int busyTimeoutMs) {
    try {
        store::Connection from(source, store::Connection::Mode::ReadWrite, busyTimeoutMs);
        store::Connection to(target, store::Connection::Mode::ReadWrite, busyTimeoutMs);
        sqlite3_backup* backup = sqlite3_backup_init(to.handle(), "main", from.handle(), "main");
        if (!backup) return to.lastError();
        const int stepped = sqlite3_backup_step(backup, -1);
        const int finished = sqlite3_backup_finish(backup);
        if (stepped != SQLITE_DONE) return QString::fromUtf8(sqlite3_errstr(stepped));
        if (finished != SQLITE_OK) return to.lastError();
        return QString();
    } catch (const store::StoreError& e) {
        return e.message();
    }
}

QString renameInto(const QString& from, const QString& to) {
    // rename(2) replaces the target in one step; QFile::rename refuses an existing target.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0) return QString();
    return QStringLiteral("%1 cannot be moved into place: %2")
        .arg(QFileInfo(to).fileName(), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

bool isStoreSideFile(const QString& name) {
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        if (name.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) return true;
    return false;
}

PlacementResult placeStagedFiles(store::Database& db, const StagedFiles& staged, const QStringList& protectedTables,
                                 const ReplaceGuard& beforeReplace) {
    QStringList tables, existing, others;
    QHash<QString, QString> memberOfTable;
    for (const QString& name : staged.names) {
        if (isStoreSideFile(name)) continue;
        if (!isTableFile(name)) {
            others << name;
            continue;
        }
        const QString table = store::Database::stripExtension(name);
        if (const QString problem = store::Database::plainNameProblem(table); !problem.isEmpty())
            return failed(QStringLiteral("%1: %2").arg(name, problem));
        if (protectedTables.contains(table, Qt::CaseInsensitive))
            return failed(QStringLiteral("the archive may not replace table %1").arg(table));
        tables << table;
        memberOfTable.insert(table, name);
        if (db.tableExists(table)) existing << table;
    }
    if (const QString problem = checkStagedTables(staged, tables); !problem.isEmpty()) return failed(problem);
    if (!existing.isEmpty() && beforeReplace && !beforeReplace(existing))
        return failed(QStringLiteral("the tables in use were kept: %1").arg(existing.join(QStringLiteral(", "))));

    const QDir from(staged.folder);
    const QDir to(db.folder());
    for (const QString& table : tables) {
        const QString source = from.filePath(memberOfTable.value(table));
        const QString current = db.tableFile(table);
        const QString problem = current.isEmpty() ? renameInto(source, db.newTableFile(table))
                                                  : replaceTableContent(source, current, db.busyTimeout());
        if (!problem.isEmpty()) return failed(QStringLiteral("table %1: %2").arg(table, problem));
    }
    for (const QString& name : others)
        if (const QString problem = renameInto(from.filePath(name), to.filePath(name)); !problem.isEmpty())
            return failed(problem);
    PlacementResult result;
    result.ok = true;
    result.tables = tables;
    return result;
}

} // namespace verbalo

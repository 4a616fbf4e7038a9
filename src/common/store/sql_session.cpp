#include "sql_session.h"

#include "database.h"
#include "sql_dialect.h"

#include <sqlite3.h>

#include <optional>
#include <utility>

namespace verbalo::store {

namespace {

// The table or schema name an engine message complains about, if any.
QString missingName(const QString& message) {
    static const QLatin1String prefixes[] = {QLatin1String("no such table: "), QLatin1String("unknown database "),
                                             QLatin1String("no such index: ")};
    for (const auto& p : prefixes) {
        if (message.startsWith(p)) {
            QString name = message.mid(p.size()).trimmed();
            if (name.startsWith(QLatin1String("main."))) name = name.mid(5);
            // "schema.object": the schema is the table file to attach.
            const int dot = name.indexOf(QLatin1Char('.'));
            if (dot > 0) name = name.left(dot);
            return unquoteIdentifier(name);
        }
    }
    return QString();
}

bool needsOwnTransaction(const QString& sql) {
    static const char* words[] = {"BEGIN",   "COMMIT", "END",    "ROLLBACK", "SAVEPOINT",
                                  "RELEASE", "VACUUM", "ATTACH", "DETACH",   "PRAGMA"};
    const QString head = sql.trimmed().section(QLatin1Char(' '), 0, 0).toUpper();
    for (const char* w : words)
        if (head == QLatin1String(w)) return false;
    return true;
}

} // namespace

SqlSession::SqlSession(Database& db) : db_(db), conn_(QString(), Connection::Mode::Memory, db.busyTimeout()) {
    sqlite3_set_authorizer(conn_.handle(), &SqlSession::authorize, this);
}

int SqlSession::authorize(void* self, int action, const char* a, const char* b, const char* schema, const char*) {
    auto* session = static_cast<SqlSession*>(self);
    if (session->storeDepth_ > 0) return SQLITE_OK;
    const auto inTableFile = [schema] { return schema && qstricmp(schema, "main") != 0 && qstricmp(schema, "temp") != 0; };
    QString refusal;
    switch (action) {
    case SQLITE_ATTACH:
        // VACUUM (without INTO) attaches an empty name for its scratch copy.
        if (a && *a == '\0') return SQLITE_OK;
        refusal = QStringLiteral("ATTACH and VACUUM INTO are not allowed: statements reach only the tables of the data folder, "
                                 "which are attached by their names");
        break;
    case SQLITE_DETACH:
        refusal = QStringLiteral("DETACH is not allowed: the tables of the data folder are attached and detached by the store");
        break;
    case SQLITE_CREATE_TABLE:
        // Only the file's own table may live in a table file.
        if (!inTableFile() || (a && qstricmp(a, schema) == 0)) return SQLITE_OK;
        refusal = QStringLiteral("CREATE TABLE %1.%2 is not allowed: every table is a file of its own; use CREATE TABLE %2")
                      .arg(QString::fromUtf8(schema), QString::fromUtf8(a ? a : ""));
        break;
    case SQLITE_DROP_TABLE:
        if (!inTableFile()) return SQLITE_OK;
        refusal = QStringLiteral("DROP TABLE %1.%2 is not allowed: use DROP TABLE %2, which removes the table's file")
                      .arg(QString::fromUtf8(schema), QString::fromUtf8(a ? a : ""));
        break;
    default: Q_UNUSED(b); return SQLITE_OK;
    }
    session->refusal_ = refusal;
    return SQLITE_DENY;
}

void SqlSession::rethrow(const StoreError& e) {
    if (refusal_.isEmpty()) throw e;
    const QString why = std::exchange(refusal_, QString());
    throw StoreError(why, e.engineCode(), StoreError::Kind::Other);
}

void SqlSession::attach(const QString& table, QStringList& attachedNow) {
    if (attached_.size() >= kMaxAttached) {
        // Make room with files this statement does not need.
        for (int i = 0; i < attached_.size() && attached_.size() >= kMaxAttached;) {
            if (attachedNow.contains(attached_[i], Qt::CaseInsensitive)) {
                ++i;
                continue;
            }
            detach(attached_[i]);
        }
        if (attached_.size() >= kMaxAttached)
            throw StoreError(QStringLiteral("a statement may name at most %1 tables").arg(kMaxAttached));
    }
    {
        // Check the file and its collation on a connection of its own before attaching it.
        Connection probe = db_.openTableFile(table);
    }
    const QString file = db_.tableFile(table);
    asStore([&] {
        Statement s(conn_, QStringLiteral("ATTACH DATABASE ? AS %1").arg(quoteIdentifier(table)));
        s.bindText(1, file);
        StatementResetter r(s);
        s.step();
    });
    attached_ << table;
    attachedNow << table;
}

bool SqlSession::attachFor(const QString& engineMessage, QStringList& attachedNow) {
    const QString name = missingName(engineMessage);
    if (name.isEmpty() || attachedNow.contains(name, Qt::CaseInsensitive) || attached_.contains(name, Qt::CaseInsensitive))
        return false;
    if (!db_.tableExists(name)) return false;
    attach(name, attachedNow);
    return true;
}

Statement SqlSession::prepare(const QString& sql) {
    QStringList attachedNow;
    for (;;) {
        try {
            refusal_.clear();
            return Statement(conn_, sql);
        } catch (const StoreError& e) {
            if (!refusal_.isEmpty()) rethrow(e);
            if (!attachFor(e.message(), attachedNow)) throw;
        }
    }
}

int SqlSession::execute(const QString& sql) {
    const StatementShape shape = classifyStatement(sql);
    switch (shape.kind) {
    case StatementShape::Kind::CreateTable: db_.createTable(shape.table, shape.body, shape.ifExists); return 0;
    case StatementShape::Kind::DropTable: db_.dropTable(shape.table, shape.ifExists); return 0;
    case StatementShape::Kind::RenameTable:
        throw StoreError(QStringLiteral("ALTER TABLE %1 RENAME is not allowed: a table's name is the name of its file, and the "
                                        "catalogue names it; make the new table with CREATE TABLE … AS SELECT * FROM %1, "
                                        "then DROP TABLE %1")
                             .arg(shape.table));
    case StatementShape::Kind::CreateTableAs: {
        const QString name = Database::stripExtension(shape.table);
        if (db_.tableExists(name)) {
            if (shape.ifExists) return 0;
            throw StoreError(QStringLiteral("table %1 already exists").arg(name));
        }
        // Make the file first, then fill it from the query within this session.
        db_.createTable(name, QStringLiteral("_vb_placeholder INT"), false);
        try {
            QStringList now;
            attach(name, now);
            asStore([&] {
                Transaction transaction(conn_);
                conn_.exec(QStringLiteral("DROP TABLE %1.%1").arg(quoteIdentifier(name)));
                Statement s = prepare(QStringLiteral("CREATE TABLE %1.%1 AS %2").arg(quoteIdentifier(name), shape.body));
                {
                    StatementResetter r(s);
                    s.step();
                }
                transaction.commit();
            });
        } catch (const StoreError&) {
            db_.dropTable(name, true);
            throw;
        }
        return 0;
    }
    case StatementShape::Kind::CreateIndex: {
        if (!db_.tableExists(shape.table)) throw StoreError(QStringLiteral("no such table: %1").arg(shape.table));
        Statement s = prepare(shape.rewritten);
        StatementResetter r(s);
        s.step();
        return 0;
    }
    case StatementShape::Kind::Other: break;
    }

    Statement s = prepare(sql);
    // A statement that writes gets a transaction of its own, unless the text itself manages
    // transactions or the user has one open.
    std::optional<Transaction> transaction;
    if (!s.readOnly() && !conn_.inTransaction() && needsOwnTransaction(sql)) transaction.emplace(conn_);
    try {
        {
            StatementResetter r(s);
            while (s.step()) {}
        }
        const int changed = conn_.changes();
        if (transaction) transaction->commit();
        return changed;
    } catch (const StoreError& e) {
        rethrow(e);
    }
}

void SqlSession::detach(const QString& table) {
    for (int i = 0; i < attached_.size(); ++i) {
        if (attached_[i].compare(table, Qt::CaseInsensitive) == 0) {
            asStore([&] { conn_.exec(QStringLiteral("DETACH DATABASE %1").arg(quoteIdentifier(attached_[i]))); });
            attached_.removeAt(i);
            return;
        }
    }
}

void SqlSession::detachAll() {
    while (!attached_.isEmpty()) detach(attached_.first());
}

} // namespace verbalo::store

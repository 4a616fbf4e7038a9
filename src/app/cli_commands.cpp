#include "cli_commands.h"

#include "common/store/database.h"
#include "common/store/integrity.h"
#include "common/store/query.h"
#include "common/store/sql_dialect.h"
#include "common/store/sql_session.h"

namespace verbalo::cli {

using namespace verbalo::store;

namespace {

QString cellText(const QVariant& v) {
    if (v.isNull()) return QString();
    if (v.typeId() == QMetaType::QByteArray) return QStringLiteral("<%1 bytes>").arg(v.toByteArray().size());
    QString t = v.toString();
    // One row per line: keep tabs and line breaks inside a value from splitting it.
    t.replace(QLatin1Char('\t'), QLatin1Char(' '));
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return t;
}

} // namespace

int runSql(Database& db, const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << "usage: verbalo-cli [--data FOLDER] sql \"STATEMENT\"\n";
        return 2;
    }
    const QStringList statements = splitStatements(args.first());
    if (statements.isEmpty()) {
        err << "no SQL statement given\n";
        return 1;
    }
    try {
        for (const QString& st : statements) {
            bool returnsRows = false;
            {
                // Prepared once to learn whether it yields rows; file-level statements never do.
                if (classifyStatement(st).kind == StatementShape::Kind::Other) {
                    Statement probe = db.session().prepare(st);
                    returnsRows = probe.columnCount() > 0;
                }
            }
            Query q(db);
            q.setSql(st);
            if (returnsRows) {
                ResultSet rs = q.open();
                QStringList header;
                for (const FieldDef& f : rs.fields()) header << f.name;
                out << header.join(QLatin1Char('\t')) << '\n';
                int rows = 0;
                for (; !rs.eof(); rs.next(), ++rows) {
                    QStringList cells;
                    for (int i = 0; i < rs.fieldCount(); ++i) cells << cellText(rs.value(i));
                    out << cells.join(QLatin1Char('\t')) << '\n';
                }
            } else {
                const int changed = q.exec();
                out << changed << (changed == 1 ? " row changed\n" : " rows changed\n");
            }
        }
    } catch (const StoreError& e) {
        err << "error: " << e.message() << '\n';
        return 1;
    }
    return 0;
}

int runTables(Database& db, const QStringList& args, QTextStream& out, QTextStream& err) {
    if (!args.isEmpty()) {
        err << "usage: verbalo-cli [--data FOLDER] tables\n";
        return 2;
    }
    try {
        for (const QString& t : db.tableNames()) out << t << '\n';
    } catch (const StoreError& e) {
        err << "error: " << e.message() << '\n';
        return 1;
    }
    return 0;
}

int runCheck(Database& db, const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() > 1) {
        err << "usage: verbalo-cli [--data FOLDER] check [TABLE]\n";
        return 2;
    }
    QStringList tables;
    try {
        if (args.isEmpty()) tables = db.tableNames();
        else if (db.tableExists(args.first())) tables << args.first();
        else {
            err << "error: no such table: " << args.first() << '\n';
            return 1;
        }
    } catch (const StoreError& e) {
        err << "error: " << e.message() << '\n';
        return 1;
    }
    bool allOk = true;
    for (const QString& t : tables) {
        const QStringList problems = checkTableIntegrity(db, t);
        if (problems.isEmpty()) {
            out << t << ": ok\n";
        } else {
            allOk = false;
            for (const QString& p : problems) out << t << ": " << p << '\n';
        }
    }
    return allOk ? 0 : 1;
}

} // namespace verbalo::cli

// sql, tables and check: the data folder's tables as SQL sees them.
#include "app/cli/command_run.h"
#include "app/cli/commands.h"
#include "app/cli/row_formats.h"

#include "common/sql_script.h"
#include "common/store/database.h"
#include "common/store/integrity.h"
#include "common/store/query.h"
#include "common/store/sql_dialect.h"
#include "common/store/sql_session.h"
#include "common/text_file.h"

namespace verbalo::cli {

using namespace verbalo::store;

namespace {

// A memo column may hold its text as a blob; it is text all the same.
QVariant shownValue(const QVariant& v, const FieldDef& field) {
    if (field.kind == FieldKind::Memo && v.typeId() == QMetaType::QByteArray) return QString::fromUtf8(v.toByteArray());
    return v;
}

// Runs one statement: its rows through writer, or the count of rows it changed (tsv only, so
// that csv and json stay readable by other programs). StoreError reaches the caller.
void runStatement(Database& db, const QString& statement, RowFormat format, QTextStream& out) {
    bool returnsRows = false;
    // Prepared once to learn whether it yields rows; file-level statements never do.
    if (classifyStatement(statement).kind == StatementShape::Kind::Other)
        returnsRows = db.session().prepare(statement).columnCount() > 0;
    Query q(db);
    q.setSql(statement);
    if (!returnsRows) {
        const int changed = q.exec();
        if (format == RowFormat::Tsv) out << changed << (changed == 1 ? " row changed\n" : " rows changed\n");
        return;
    }
    ResultSet rs = q.open();
    const std::unique_ptr<RowWriter> writer = makeRowWriter(format, out);
    QStringList header;
    for (const FieldDef& f : rs.fields()) header << f.name;
    writer->begin(header);
    for (; !rs.eof(); rs.next()) {
        QVariantList values;
        for (int i = 0; i < rs.fieldCount(); ++i) values << shownValue(rs.value(i), rs.fields()[static_cast<size_t>(i)]);
        writer->row(values);
    }
    writer->end();
}

} // namespace

int runSql(CommandRun& run) {
    const bool fromFile = run.isSet("file");
    if (fromFile == !run.arguments.isEmpty())
        return run.usageError(QStringLiteral("egy SQL utasítás vagy egy --file SCRIPT kell, nem mindkettő"));
    const RowFormat format = rowFormatNamed(run.value("format")).value_or(RowFormat::Tsv);
    QString script;
    if (fromFile) {
        const TextBytesResult bytes = readTextBytes(run.value("file"));
        if (!bytes.ok) return run.fail(bytes.error);
        script = decodeText(bytes.bytes);
    } else {
        script = run.arguments.first();
    }
    const std::vector<ScriptStatement> statements = splitScript(script);
    if (statements.empty()) return run.fail(QStringLiteral("no SQL statement given"));
    for (const ScriptStatement& st : statements) {
        try {
            runStatement(run.db, st.text, format, run.out);
        } catch (const StoreError& e) {
            run.out.flush();
            if (fromFile) return run.fail(QStringLiteral("%1:%2: %3").arg(run.value("file")).arg(st.line).arg(e.message()));
            return run.fail(e.message());
        }
    }
    return 0;
}

int runTables(CommandRun& run) {
    try {
        for (const QString& t : run.db.tableNames()) run.out << t << '\n';
    } catch (const StoreError& e) {
        return run.fail(e.message());
    }
    return 0;
}

int runCheck(CommandRun& run) {
    QStringList tables;
    try {
        if (run.arguments.isEmpty())
            tables = run.db.tableNames();
        else if (run.db.tableExists(run.arguments.first()))
            tables << run.arguments.first();
        else
            return run.fail(QStringLiteral("no such table: %1").arg(run.arguments.first()));
    } catch (const StoreError& e) {
        return run.fail(e.message());
    }
    bool allOk = true;
    for (const QString& t : tables) {
        const QStringList problems = checkTableIntegrity(run.db, t);
        if (problems.isEmpty()) {
            run.out << t << ": ok\n";
        } else {
            allOk = false;
            for (const QString& p : problems) run.out << t << ": " << p << '\n';
        }
    }
    return allOk ? 0 : 1;
}

} // namespace verbalo::cli

#include "freesql/logic/result_copy.h"

#include "common/store/database.h"
#include "common/store/table.h"
#include "freesql/logic/sql_run.h"

#include <QSet>
#include <QStringList>

namespace verbalo {

namespace {

// A declared type the store reads back as the same kind of field.
QString declaredTypeFor(const store::FieldDef& field) {
    if (!field.declaredType.isEmpty()) return field.declaredType;
    switch (field.kind) {
    case store::FieldKind::Integer: return QStringLiteral("INT");
    case store::FieldKind::Float: return QStringLiteral("FLOAT");
    case store::FieldKind::Binary: return QStringLiteral("BLOB(0,2)");
    default: return QStringLiteral("TEXT");
    }
}

// "SELECT a, a" or "count(*)": column names a table can hold, each once.
QStringList uniqueColumnNames(const std::vector<store::FieldDef>& fields) {
    QStringList names;
    QSet<QString> taken;
    for (const store::FieldDef& f : fields) {
        const QString base = f.name.isEmpty() ? QStringLiteral("mezo") : f.name;
        QString name = base;
        for (int n = 2; taken.contains(name.toLower()); ++n) name = QStringLiteral("%1_%2").arg(base).arg(n);
        taken.insert(name.toLower());
        names << name;
    }
    return names;
}

} // namespace

int copyQueryToTable(store::Database& source, const QString& queryText, store::Database& scratch, const QString& tableName,
                     const std::function<void(int rows)>& rowsCopied) {
    store::ResultSet rows = openSqlQuery(source, queryText);
    const QStringList names = uniqueColumnNames(rows.fields());
    QStringList columns;
    for (int i = 0; i < rows.fieldCount(); ++i)
        columns << store::quoteIdentifier(names[i]) + QLatin1Char(' ') + declaredTypeFor(rows.fields()[static_cast<size_t>(i)]);
    scratch.createTable(tableName, columns.join(QStringLiteral(", ")), false);
    int copied = 0;
    try {
        store::Table table(scratch);
        table.setTableName(tableName);
        table.open();
        table.disableControls();
        store::WriteBatch batch(table);
        for (; !rows.eof(); rows.next()) {
            table.append();
            for (int i = 0; i < rows.fieldCount(); ++i) table.setValue(i, rows.value(i));
            table.post();
            if (++copied % 1000 == 0 && rowsCopied) rowsCopied(copied);
        }
        batch.commit();
        table.enableControls();
    } catch (const store::StoreError&) {
        scratch.dropTable(tableName, true);
        throw;
    }
    return copied;
}

} // namespace verbalo

#include "data_folder.h"

#include "common/catalogue.h"
#include "common/ini_file.h"
#include "common/store/query.h"
#include "common/store/table.h"
#include "common/table_layouts.h"

#include <QDir>

namespace verbalo::test {

DataFolder::DataFolder() : DataFolder(Layout{}) {}

DataFolder::DataFolder(const Layout& layout) : root_(dir_.path()) {
    QDir(root_).mkpath(QStringLiteral("prog"));
    const QString program = root_ + QStringLiteral("/prog");
    if (layout.iniBesideProgram)
        IniFile(program + QStringLiteral("/Verbalo9.ini"))
            .writeString(QStringLiteral("Internet"), QStringLiteral("Server"), layout.server);
    folders_ = computeFolders(program, root_ + QStringLiteral("/share"));
    createMissingFolders(folders_, layout.withCatalogue ? createEmptyCatalogue : nullptr);
    db_.connect(QStringLiteral("szotar"), folders_.dataFolder);
}

int DataFolder::exec(const QString& sql) {
    store::Query q(db_);
    q.setSql(sql);
    return q.exec();
}

QStringList DataFolder::rows(const QString& sql) {
    store::Query q(db_);
    q.setSql(sql);
    store::ResultSet rs = q.open();
    QStringList out;
    for (; !rs.eof(); rs.next()) {
        QStringList cells;
        for (int i = 0; i < rs.fieldCount(); ++i) {
            const QVariant v = rs.value(i);
            cells << (v.isNull() ? QString() : v.toString());
        }
        out << cells.join(QLatin1Char('\t'));
    }
    return out;
}

int DataFolder::addDictionary(int type, const QString& name, const QString& table, const DictionaryRow& row) {
    if (row.makeTable) {
        exec(createDictionaryTableLines(type, table).join(QLatin1Char('\n')));
        for (const QString& index : createDictionaryIndexStatements(type, table)) exec(index);
    }
    const QString exists = row.exists.isNull() ? QStringLiteral("NULL") : store::quoteLiteral(row.exists);
    const QString layoutColumns = row.withLayout ? QStringLiteral(", nyelv1szeles, nyelv2szeles, sorrend, ablak") : QString();
    const QString layoutValues = row.withLayout ? QStringLiteral(", 0.5, 0.5, 'nyelv1', 0") : QString();
    exec(QStringLiteral("INSERT INTO szotarak (szotarak_nev, tablanev, tipus, nyelv1, nyelv2, letezik%1) "
                        "VALUES (%2, %3, %4, %5, %6, %7%8)")
             .arg(layoutColumns, store::quoteLiteral(name), store::quoteLiteral(table))
             .arg(type)
             .arg(store::quoteLiteral(row.language1), store::quoteLiteral(row.language2), exists, layoutValues));
    return rows(QStringLiteral("SELECT max(szotarak) FROM szotarak")).value(0).toInt();
}

void DataFolder::addPairs(const QString& table, const QStringList& pairs) {
    store::Table t(db_);
    t.setTableName(table);
    t.open();
    t.disableControls();
    store::WriteBatch batch(t);
    for (const QString& p : pairs) {
        t.insert();
        t.setValue(kFirstLanguageColumn, p.section(QLatin1Char(';'), 0, 0));
        t.setValue(kSecondLanguageColumn, p.section(QLatin1Char(';'), 1));
        t.post();
    }
    batch.commit();
    t.enableControls();
}

void DataFolder::makePairTable(const QString& table, const QStringList& pairs, int width1, int width2) {
    exec(QStringLiteral("CREATE TABLE %1 ( nyelv1 CHAR(%2), nyelv2 CHAR(%3), PRIMARY KEY (nyelv1,nyelv2));")
             .arg(table)
             .arg(width1)
             .arg(width2));
    if (!pairs.isEmpty()) addPairs(table, pairs);
}

QString DataFolder::catalogueCells(int id, const QString& columns) {
    const QStringList found = rows(QStringLiteral("SELECT %1 FROM szotarak WHERE szotarak=%2;").arg(columns).arg(id));
    return found.value(0).replace(QLatin1Char('\t'), QLatin1Char('|'));
}

} // namespace verbalo::test

#include "internet/logic/list_tables.h"

#include "common/catalogue.h"
#include "common/store/database.h"
#include "common/store/store_error.h"
#include "common/store/table.h"

#include <QFile>
#include <QTemporaryDir>

namespace verbalo {

QStringList dictionaryListStatements() {
    return {QStringLiteral("CREATE TABLE internet ( szotarnev CHAR(50), filenev CHAR(100), kep BLOB(0,2), szerzo CHAR(50), "
                           "szavakszama INT, meret INT, megjegyzes CHAR(255), tablanev CHAR(50), PRIMARY KEY (szotarnev));"),
            QStringLiteral("create index filenev on internet (filenev);"),
            QStringLiteral("create index szavakszama on internet (szavakszama);"),
            QStringLiteral("create index meret on internet (meret);")};
}

QStringList programListStatements() {
    return {
        QStringLiteral("CREATE TABLE programok ( programok INT, programok_nev CHAR(50), link CHAR(255), letoltlink CHAR(255), "
                       "kategoria CHAR(50), ingyenes CHAR(1), leiras CHAR(255), kep BLOB(0,2), PRIMARY KEY (programok));"),
        QStringLiteral("create index programok_nev on programok (programok_nev);"),
        QStringLiteral("create index kategoria on programok (kategoria);"),
        QStringLiteral("create index ingyenes on programok (ingyenes);")};
}

QByteArray makeListTableFile(const QString& table, const QStringList& statements, const QList<QVariantHash>& rows) {
    QTemporaryDir scratch;
    store::Database db;
    db.connect(QStringLiteral("szotar"), scratch.path());
    for (const QString& statement : statements) runStatement(db, statement);
    {
        store::Table t(db);
        t.setTableName(table);
        t.open();
        for (const QVariantHash& row : rows) {
            t.insert();
            for (auto it = row.begin(); it != row.end(); ++it) t.setValue(it.key(), it.value());
            t.post();
        }
    }
    QFile file(db.tableFile(table));
    db.disconnect();
    if (!file.open(QIODevice::ReadOnly)) throw store::StoreError(QStringLiteral("cannot read %1").arg(file.fileName()));
    return file.readAll();
}

} // namespace verbalo

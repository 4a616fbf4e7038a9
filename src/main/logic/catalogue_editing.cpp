#include "main/logic/catalogue_editing.h"

#include "common/catalogue.h"
#include "common/store/database.h"
#include "common/store/sql_dialect.h"
#include "common/store/sql_session.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "common/text_routines.h"

namespace verbalo {

void openCatalogueByName(store::Database& db, store::Table& table, bool rebuildIndex) {
    const auto open = [&table] {
        table.close();
        table.setTableName(kCatalogueTable);
        table.setFilter(QStringLiteral("letezik='I'"));
        table.setFiltered(true);
        table.open();
        table.setIndexFieldNames(QStringLiteral("szotarak_nev"));
    };
    try {
        open();
        return;
    } catch (const store::StoreError&) {
        if (!rebuildIndex) throw;
    }
    for (const QString& statement : {dropCatalogueIndexStatement(), createCatalogueIndexStatement()}) {
        try {
            runStatement(db, statement);
        } catch (const store::StoreError&) {
            // The index may be missing or half there; the second open tells whether it helped.
        }
    }
    open();
}

void createDictionaryTable(store::Database& db, int type, const QString& tableName, const QString& firstWidth,
                           const QString& secondWidth) {
    const QString name = tableName.trimmed();
    if (name.isEmpty()) throw store::StoreError(QStringLiteral("the table has no name"));
    const QStringList lines = createDictionaryTableLines(type, name, firstWidth, secondWidth);
    if (lines.isEmpty()) throw store::StoreError(QStringLiteral("unknown dictionary type %1").arg(type));
    // The name is typed by the user and goes into the statement as it stands: a name holding a
    // ";" or a quote could turn it into something else, so the parsed statement must be exactly
    // the creation of a table of that name.
    const QString sql = lines.join(QLatin1Char('\n'));
    const QStringList statements = store::splitStatements(sql);
    const store::StatementShape shape =
        statements.size() == 1 ? store::classifyStatement(statements.first()) : store::StatementShape();
    if (shape.kind != store::StatementShape::Kind::CreateTable || shape.table != name || name.contains(QLatin1Char('/')) ||
        name.contains(QLatin1Char('\\')))
        throw store::StoreError(QStringLiteral("invalid table name: %1").arg(name));
    db.session().execute(statements.first());
    try {
        for (const QString& index : createDictionaryIndexStatements(type, name)) db.session().execute(index);
    } catch (const store::StoreError&) {
        // A table without its index would be a different table than the one asked for.
        dropDictionaryTable(db, name);
        throw;
    }
}

bool isAcceptableTableName(const QString& name) {
    if (name.isEmpty() || name != name.trimmed() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.startsWith(QLatin1Char('.')))
        return false;
    const QStringList statements = store::splitStatements(createDictionaryTableLines(Bilingual, name).join(QLatin1Char('\n')));
    if (statements.size() != 1) return false;
    const store::StatementShape shape = store::classifyStatement(statements.first());
    return shape.kind == store::StatementShape::Kind::CreateTable && shape.table == name;
}

QString suggestTableName(const QString& dictionaryName, const QStringList& taken) {
    constexpr int kLongest = 50;
    const QString folded = foldAccents(dictionaryName).toLower();
    QString name;
    for (const QChar c : folded) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
        if (plain)
            name += c;
        else if (!name.isEmpty() && !name.endsWith(QLatin1Char('_')))
            name += QLatin1Char('_');
    }
    while (name.endsWith(QLatin1Char('_'))) name.chop(1);
    if (!name.isEmpty() && name.at(0).isDigit()) name.prepend(QStringLiteral("sz_"));
    if (name.isEmpty()) name = QStringLiteral("szotar");
    // A word the statement language keeps for itself ("select", "table") is no table name.
    if (!isAcceptableTableName(name.left(kLongest))) name.prepend(QStringLiteral("sz_"));
    name = name.left(kLongest);
    while (name.endsWith(QLatin1Char('_'))) name.chop(1);
    const auto used = [&taken](const QString& candidate) {
        return candidate.compare(kCatalogueTable, Qt::CaseInsensitive) == 0 || taken.contains(candidate, Qt::CaseInsensitive);
    };
    if (!used(name)) return name;
    for (int n = 2;; ++n) {
        const QString suffix = QStringLiteral("_%1").arg(n);
        const QString candidate = name.left(kLongest - suffix.size()) + suffix;
        if (!used(candidate)) return candidate;
    }
}

bool dropDictionaryTable(store::Database& db, const QString& tableName) {
    const QString name = store::Database::stripExtension(tableName);
    if (name.isEmpty() || name.compare(kCatalogueTable, Qt::CaseInsensitive) == 0) return false;
    try {
        db.dropTable(name, false);
        return true;
    } catch (const store::StoreError&) {
        return false;
    }
}

QList<DictionaryListing> existingDictionaries(store::Database& db) {
    QList<DictionaryListing> list;
    store::Table t(db);
    t.setTableName(kCatalogueTable);
    t.setFilter(QStringLiteral("letezik='I'"));
    t.setFiltered(true);
    t.open();
    for (t.first(); !t.eof(); t.next())
        list.append({static_cast<int>(t.integer(QStringLiteral("szotarak"))), t.text(QStringLiteral("szotarak_nev")),
                     t.blob(QStringLiteral("ikon_nagy"))});
    return list;
}

} // namespace verbalo

#pragma once

#include <QString>
#include <QStringList>

namespace verbalo::store {

// The statements that act on table files rather than on rows get recognised here so that the
// store can make, drop and index the right file.
struct StatementShape {
    enum class Kind { Other, CreateTable, CreateTableAs, DropTable, CreateIndex, RenameTable };
    Kind kind = Kind::Other;
    QString table;         // CreateTable*, DropTable, CreateIndex, RenameTable: the table named
    QString body;          // CreateTable: the text inside the outer parentheses; CreateTableAs: the SELECT
    bool ifExists = false; // DropTable ... IF EXISTS, CreateTable/CreateIndex ... IF NOT EXISTS
    QString indexName;     // CreateIndex
    QString rewritten;     // CreateIndex: the statement with the index placed in the table's file
};

StatementShape classifyStatement(const QString& sql);

// Splits a script into statements at each ";" that ends a complete statement (outside quotes,
// comments and trigger bodies). Each piece keeps its text without the ";"; blank pieces are
// dropped.
QStringList splitStatements(const QString& script);

// Turns the column list of a CREATE TABLE into SQLite's terms: text columns get the store's
// collation, an AUTOINC column becomes the auto-incremented row id. Throws StoreError.
QString createTableStatement(const QString& table, const QString& body);

// Removes one level of identifier quoting ("x", [x] or `x`).
QString unquoteIdentifier(const QString& name);

} // namespace verbalo::store

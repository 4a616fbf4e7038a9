#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace verbalo::store {

class Connection;

// What a column holds, as exports and the spreadsheet writer need to know it.
enum class FieldKind { Text, Memo, Binary, Graphic, Integer, AutoInc, Float, Boolean, Date, Time, DateTime, Unknown };

struct FieldDef {
    QString name;
    QString declaredType;
    FieldKind kind = FieldKind::Unknown;
    int width = 0; // characters, for Text columns; 0 when unlimited
    bool inPrimaryKey = false;
};

struct IndexDef {
    QString name;
    QStringList columns;
    bool unique = false;
    bool primary = false;
};

struct TableSchema {
    QString tableName; // as stored inside the file
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes; // the primary key first, when there is one
    bool hasRowid = true;

    int fieldIndex(const QString& name) const; // -1 when missing; case-insensitive
    const FieldDef* field(const QString& name) const;
    // The first index whose leading column is `column`; nullptr when none.
    const IndexDef* indexLeadingWith(const QString& column) const;
    const IndexDef* primaryKey() const;

    // The columns that order rows by `wanted` (its leading columns) on index idx: wanted, then
    // the rest of the index, so that rows with equal leading keys keep one fixed order.
    static QStringList orderColumns(const QStringList& wanted, const IndexDef& idx);
    // An ORDER BY term for a column: text columns compare by the store's collation.
    QString orderTerm(const QString& column, bool descending = false) const;
};

// Kind and width from a declared column type such as "CHAR(75)" or "BLOB(0,2)".
FieldDef describeDeclaredType(const QString& name, const QString& declaredType);

// Reads the one user table of a table file: its name, columns and indexes.
TableSchema readSchema(Connection& conn);

const char* fieldKindName(FieldKind kind);

} // namespace verbalo::store

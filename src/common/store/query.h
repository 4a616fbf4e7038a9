#pragma once

#include "schema.h"
#include "sqlite_handle.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace verbalo::store {

class Database;

// Rows of an opened query, read one at a time like a table. Holds a read lock on the files it
// reads until it is closed or destroyed: windows that keep results across user actions copy
// them out first.
class ResultSet {
public:
    ResultSet() = default;
    explicit ResultSet(Statement statement);
    ResultSet(ResultSet&&) = default;
    ResultSet& operator=(ResultSet&&) = default;

    bool isOpen() const { return stmt_.isValid(); }
    bool eof() const { return eof_; }
    void next();
    void close();

    int fieldCount() const { return static_cast<int>(fields_.size()); }
    const std::vector<FieldDef>& fields() const { return fields_; }
    int fieldIndex(const QString& name) const;
    // A null QVariant for SQL NULL. Throws for an unknown field.
    QVariant value(int field) const;
    QVariant value(const QString& field) const;
    QString text(const QString& field) const;

private:
    Statement stmt_;
    std::vector<FieldDef> fields_;
    bool eof_ = true;
};

// SQL text run against the data folder: "open" for statements that return rows, "exec" for
// the rest. The text is set whole, or built line by line.
class Query {
public:
    explicit Query(Database& db) : db_(db) {}

    void setSql(const QString& text) { sql_ = text; }
    void clear() { sql_.clear(); }
    void addLine(const QString& line);
    const QString& sql() const { return sql_; }

    ResultSet open();
    // Runs every statement of the text in turn; returns the rows changed by the last one.
    int exec();

private:
    Database& db_;
    QString sql_;
};

// Kinds of result columns that are not plain column references come from the first value.
FieldKind kindOfValue(const QVariant& value);

} // namespace verbalo::store

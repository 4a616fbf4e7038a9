#include "query.h"

#include "database.h"
#include "sql_dialect.h"
#include "sql_session.h"
#include "table_values.h"

namespace verbalo::store {

FieldKind kindOfValue(const QVariant& value) {
    switch (storageClassOf(value)) {
    case StorageClass::Integer: return FieldKind::Integer;
    case StorageClass::Real: return FieldKind::Float;
    case StorageClass::Blob: return FieldKind::Binary;
    case StorageClass::Text: return FieldKind::Text;
    case StorageClass::Null: break;
    }
    return FieldKind::Unknown;
}

ResultSet::ResultSet(Statement statement) : stmt_(std::move(statement)) {
    eof_ = !stmt_.step();
    for (int i = 0; i < stmt_.columnCount(); ++i) {
        FieldDef f = describeDeclaredType(stmt_.columnName(i), stmt_.declaredType(i));
        if (f.declaredType.isEmpty() && !eof_) f.kind = kindOfValue(stmt_.value(i));
        fields_.push_back(f);
    }
}

void ResultSet::next() {
    if (eof_) return;
    eof_ = !stmt_.step();
    if (eof_) stmt_.reset();
}

void ResultSet::close() {
    stmt_ = Statement();
    eof_ = true;
}

int ResultSet::fieldIndex(const QString& name) const {
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

QVariant ResultSet::value(int field) const {
    if (field < 0 || field >= fieldCount()) throw StoreError(QStringLiteral("field index %1 out of range").arg(field));
    if (eof_) return QVariant();
    return stmt_.value(field);
}

QVariant ResultSet::value(const QString& field) const {
    const int i = fieldIndex(field);
    if (i < 0) throw StoreError(QStringLiteral("field %1 not found").arg(field));
    return value(i);
}

QString ResultSet::text(const QString& field) const {
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

void Query::addLine(const QString& line) {
    if (!sql_.isEmpty()) sql_ += QLatin1Char('\n');
    sql_ += line;
}

ResultSet Query::open() {
    const QStringList statements = splitStatements(sql_);
    if (statements.isEmpty()) throw StoreError(QStringLiteral("no SQL statement to open"));
    Statement s = db_.session().prepare(statements.first());
    if (s.columnCount() == 0) throw StoreError(QStringLiteral("the statement returns no rows; run it instead of opening it"));
    return ResultSet(std::move(s));
}

int Query::exec() {
    const QStringList statements = splitStatements(sql_);
    if (statements.isEmpty()) throw StoreError(QStringLiteral("no SQL statement to run"));
    int changed = 0;
    for (const QString& st : statements) changed = db_.session().execute(st);
    return changed;
}

} // namespace verbalo::store

#include "keyed_reader.h"

#include "collation.h"
#include "database.h"
#include "table_values.h"

namespace verbalo::store {

namespace {

bool equalIgnoringCase(const QVariant& value, const QByteArray& key) {
    if (value.isNull()) return false;
    const QByteArray v = value.toString().toUtf8();
    return compareKeysIgnoringCase(v.constData(), v.size(), key.constData(), key.size()) == 0;
}

} // namespace

void KeyedReader::open(const QString& tableName, const QString& orderColumn) {
    close();
    name_ = Database::stripExtension(tableName);
    if (name_.isEmpty()) throw StoreError(QStringLiteral("no table name given"));
    conn_ = db_.openTableFile(name_);
    try {
        schema_ = readSchema(conn_);
        const IndexDef* idx = schema_.indexLeadingWith(orderColumn);
        if (!idx) throw StoreError(QStringLiteral("no index on column %1 of table %2").arg(orderColumn, name_));
        column_ = schema_.field(orderColumn)->name;
        // The order a Table shows the rows in: the rest of the index and the row id after the key.
        order_ = TableSchema::orderColumns({column_}, *idx);
        order_ << QStringLiteral("rowid");
    } catch (const StoreError& e) {
        conn_ = Connection();
        if (e.message().contains(name_)) throw;
        throw StoreError::ofTable(name_, e);
    }
}

void KeyedReader::close() {
    forward_ = Statement();
    forwardOpen_ = false;
    pending_.clear();
    current_.clear();
    eof_ = true;
    conn_ = Connection();
}

QString KeyedReader::orderBy(bool descending) const {
    QStringList parts;
    for (const QString& c : order_) parts << schema_.orderTerm(c, descending);
    return parts.join(QStringLiteral(", "));
}

KeyedReader::Row KeyedReader::readRow(Statement& s) const {
    Row row(schema_.fields.size());
    for (size_t i = 0; i < row.size(); ++i) row[i] = s.value(static_cast<int>(i));
    return row;
}

void KeyedReader::gotoNearest(const QString& key) {
    if (!isOpen()) throw StoreError(QStringLiteral("table %1 is not open").arg(name_));
    forward_ = Statement();
    forwardOpen_ = false;
    pending_.clear();
    current_.clear();
    eof_ = true;

    const QString table = quoteIdentifier(schema_.tableName);
    const QString column = schema_.orderTerm(column_);
    const QByteArray keyBytes = key.toUtf8();
    const int keyField = schema_.fieldIndex(column_);

    // The index sorts case variants next to each other, the ones that count as smaller than
    // the key just before it: those are read backwards first, so that «ALMA» still reaches
    // «alma» and «Alma».
    Row lastBelow;
    {
        Statement back(conn_, QStringLiteral("SELECT * FROM %1 WHERE %2 < ?1 ORDER BY %3").arg(table, column, orderBy(true)));
        StatementResetter r(back);
        back.bindText(1, key);
        ++storeReads_;
        while (back.step()) {
            Row row = readRow(back);
            if (lastBelow.empty()) lastBelow = row;
            if (!equalIgnoringCase(row[static_cast<size_t>(keyField)], keyBytes)) break;
            pending_.push_front(std::move(row));
        }
    }

    forward_ = Statement(conn_, QStringLiteral("SELECT * FROM %1 WHERE %2 >= ?1 ORDER BY %3").arg(table, column, orderBy(false)));
    forward_.bindText(1, key);
    forwardOpen_ = true;
    ++storeReads_;
    if (!pending_.empty()) {
        current_ = std::move(pending_.front());
        pending_.pop_front();
        eof_ = false;
        return;
    }
    stepForward();
    if (eof_ && !lastBelow.empty()) {
        // Nothing at or after the key: the last row, as go-to-nearest never fails.
        current_ = std::move(lastBelow);
        eof_ = false;
    }
}

void KeyedReader::stepForward() {
    if (forwardOpen_ && forward_.step()) {
        current_ = readRow(forward_);
        eof_ = false;
        return;
    }
    if (forwardOpen_) {
        forward_.reset();
        forwardOpen_ = false;
    }
    current_.clear();
    eof_ = true;
}

void KeyedReader::next() {
    if (eof_) return;
    if (!pending_.empty()) {
        current_ = std::move(pending_.front());
        pending_.pop_front();
        return;
    }
    stepForward();
}

QVariant KeyedReader::value(const QString& field) const {
    const int i = schema_.fieldIndex(field);
    if (i < 0) throw StoreError(QStringLiteral("field %1 not found in table %2").arg(field, name_));
    if (eof_ || static_cast<size_t>(i) >= current_.size()) return QVariant();
    return current_[static_cast<size_t>(i)];
}

QString KeyedReader::text(const QString& field) const {
    return valueText(value(field));
}

} // namespace verbalo::store

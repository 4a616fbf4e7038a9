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
        schema_ = db_.schemaOf(conn_);
        const IndexDef* idx = schema_.indexLeadingWith(orderColumn);
        if (!idx) throw StoreError(QStringLiteral("no index on column %1 of table %2").arg(orderColumn, name_));
        column_ = schema_.field(orderColumn)->name;
        // The order a Table shows the rows in: the rest of the index and the row id after the key.
        order_ = TableSchema::orderColumns({column_}, *idx);
        order_ << QStringLiteral("rowid");
        // Made once per open: a lookup opens, reads and closes, and building these texts cost
        // a good part of it.
        const QString table = quoteIdentifier(schema_.tableName);
        const QString column = schema_.orderTerm(column_);
        forwardSql_ = QStringLiteral("SELECT * FROM %1 WHERE %2 >= ?1 ORDER BY %3").arg(table, column, orderBy(false));
        backwardSql_ = QStringLiteral("SELECT * FROM %1 WHERE %2 < ?1 ORDER BY %3").arg(table, column, orderBy(true));
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

    const QByteArray keyBytes = key.toUtf8();
    const int keyField = schema_.fieldIndex(column_);

    // Lower case sorts first among case variants, so a read from the case-folded key meets
    // «alma», «Alma» and «ALMA» in their order however the key is spelled. Only keys outside
    // ASCII can have variants equal but for case that sort before even the folded form (the
    // same letters composed differently, decided by their bytes): for those the rows just
    // before the key are read backwards first, as they are when nothing follows the key.
    const QString folded = key.toCaseFolded();
    bool ascii = true;
    for (const QChar c : key) ascii = ascii && c.unicode() < 0x80;
    const QString from = ascii ? folded : key;
    auto readBelow = [&](bool keepVariants) {
        Row lastBelow;
        Statement back(conn_, backwardSql_);
        StatementResetter r(back);
        back.bindText(1, from);
        ++storeReads_;
        while (back.step()) {
            Row row = readRow(back);
            if (lastBelow.empty()) lastBelow = row;
            if (!keepVariants || !equalIgnoringCase(row[static_cast<size_t>(keyField)], keyBytes)) break;
            pending_.push_front(std::move(row));
        }
        return lastBelow;
    };
    Row lastBelow;
    if (!ascii) lastBelow = readBelow(true);

    forward_ = Statement(conn_, forwardSql_);
    forward_.bindText(1, from);
    forwardOpen_ = true;
    ++storeReads_;
    if (!pending_.empty()) {
        current_ = std::move(pending_.front());
        pending_.pop_front();
        eof_ = false;
        return;
    }
    stepForward();
    if (eof_ && ascii) lastBelow = readBelow(false);
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

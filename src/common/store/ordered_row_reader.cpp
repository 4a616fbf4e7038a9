#include "ordered_row_reader.h"

#include "collation.h"
#include "database.h"

#include <sqlite3.h>

namespace verbalo::store {

OrderedRowReader::OrderedRowReader(Database& db, const Table& table, qint64 spanMillis, Select select)
    : tableName_(table.tableName()), spanMillis_(spanMillis) {
    const TableSchema& schema = table.schema();
    fieldCount_ = static_cast<int>(schema.fields.size());
    from_ = quoteIdentifier(schema.tableName);
    where_ = table.whereClause();
    orderBy_ = table.orderByClause();

    // The key the rows are ordered by, with the row id that the order ends with.
    QStringList columns = table.orderColumns();
    if (!columns.contains(QStringLiteral("rowid"))) columns << QStringLiteral("rowid");
    try {
        conn_ = db.openTableFile(tableName_);
    } catch (const StoreError& e) {
        throw StoreError::ofTable(tableName_, e);
    }
    QStringList selected;
    for (const QString& c : table.orderColumns()) selected << quoteIdentifier(c);
    selected_ = select == Select::WholeRow ? QStringLiteral("*") : selected.join(QStringLiteral(", "));
    for (const QString& c : columns) {
        keyTerms_ << keyTerm(schema, c);
        const int column = select == Select::WholeRow ? schema.fieldIndex(c) + 1 : static_cast<int>(table.orderColumns().indexOf(c)) + 1;
        keyColumnOfStatement_.push_back(c == QLatin1String("rowid") ? 0 : column);
    }
    lastKey_.assign(keyTerms_.size(), nullptr);
}

// The order's term for a column, as the bare column when the column itself is declared with
// the order's collation: the engine compares it the same way then, and only a bare column
// lets it seek in the index to a key instead of reading every row up to it.
QString OrderedRowReader::keyTerm(const TableSchema& schema, const QString& column) {
    const QString term = schema.orderTerm(column);
    const FieldDef* f = schema.field(column);
    if (!f) return term;
    const char* collation = nullptr;
    const bool known = sqlite3_table_column_metadata(conn_.handle(), "main", schema.tableName.toUtf8().constData(),
                                                     f->name.toUtf8().constData(), nullptr, &collation, nullptr, nullptr,
                                                     nullptr) == SQLITE_OK;
    return known && collation && qstricmp(collation, kCollationName) == 0 ? quoteIdentifier(f->name) : term;
}

OrderedRowReader::~OrderedRowReader() {
    statement_ = Statement();
    releaseKey();
}

void OrderedRowReader::releaseKey() {
    for (sqlite3_value*& v : lastKey_) {
        sqlite3_value_free(v);
        v = nullptr;
    }
}

QString OrderedRowReader::selectSql(const QString& condition) const {
    QString where = where_;
    if (!condition.isEmpty()) where += (where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + condition;
    return QStringLiteral("SELECT rowid, %1 FROM %2%3 ORDER BY %4").arg(selected_, from_, where, orderBy_);
}

void OrderedRowReader::start() {
    try {
        statement_ = Statement(conn_, selectSql(QString()));
    } catch (const StoreError& e) {
        throw StoreError::ofTable(tableName_, e);
    }
    span_.start();
}

bool OrderedRowReader::keyIsNull(int term) const {
    return sqlite3_value_type(lastKey_[static_cast<size_t>(term)]) == SQLITE_NULL;
}

// The rows whose key terms from `first` on come after the kept key's, the terms before being
// equal. A row value when no null is in the way, so that it compares by the order's
// collation; a comparison with null is never true, so a key holding one is followed term by
// term: null sorts first, and after a null comes every value that is not null.
QString OrderedRowReader::afterKeyCondition(int first) const {
    const int terms = static_cast<int>(keyTerms_.size());
    bool anyNull = false;
    for (int i = first; i < terms; ++i) anyNull = anyNull || keyIsNull(i);
    if (!anyNull) {
        QStringList params;
        for (int i = first; i < terms; ++i) params << QStringLiteral("?%1").arg(i + 1);
        return QStringLiteral("(%1) > (%2)").arg(keyTerms_.mid(first).join(QStringLiteral(", ")), params.join(QStringLiteral(", ")));
    }
    QString after = QStringLiteral("%1 > ?%2").arg(keyTerms_.last()).arg(terms); // the row id is never null
    for (int i = terms - 2; i >= first; --i) {
        const QString& t = keyTerms_[i];
        after = keyIsNull(i) ? QStringLiteral("(%1 IS NOT NULL OR (%1 IS NULL AND %2))").arg(t, after)
                             : QStringLiteral("(%1 > ?%2 OR (%1 = ?%2 AND %3))").arg(t).arg(i + 1).arg(after);
    }
    return after;
}

void OrderedRowReader::startAfterKey(const QString& condition) {
    try {
        statement_ = Statement(conn_, selectSql(condition));
    } catch (const StoreError& e) {
        throw StoreError::ofTable(tableName_, e);
    }
    const int parameters = sqlite3_bind_parameter_count(statement_.handle());
    for (int i = 0; i < static_cast<int>(lastKey_.size()) && i < parameters; ++i)
        if (!keyIsNull(i)) sqlite3_bind_value(statement_.handle(), i + 1, lastKey_[static_cast<size_t>(i)]);
}

// The leading key term past the kept key's: a plain range, which the engine answers from
// the index alone, without testing each row against the key.
QString OrderedRowReader::afterLeadingTerm() const {
    return keyIsNull(0) ? QStringLiteral("%1 IS NOT NULL").arg(keyTerms_.first()) : QStringLiteral("%1 > ?1").arg(keyTerms_.first());
}

// The rows after the current one: its key and row id are kept, the statement is let go (and
// with it the shared lock, as no other statement of this connection is running), and a new
// one starts from the key. Rows that share the leading term come first, from a statement
// that compares the whole key (they are few); then the rest, from a plain range.
void OrderedRowReader::restartAfterCurrent() {
    for (size_t i = 0; i < lastKey_.size(); ++i) {
        sqlite3_value_free(lastKey_[i]);
        lastKey_[i] = sqlite3_value_dup(sqlite3_column_value(statement_.handle(), keyColumnOfStatement_[i]));
        if (!lastKey_[i]) throw StoreError(QStringLiteral("out of memory"));
    }
    statement_.reset();
    if (keyTerms_.size() == 1) {
        startAfterKey(afterLeadingTerm());
        leadingRangeNext_ = false;
    } else {
        const QString& t = keyTerms_.first();
        const QString sameLeading = keyIsNull(0) ? QStringLiteral("%1 IS NULL").arg(t) : QStringLiteral("%1 = ?1").arg(t);
        startAfterKey(sameLeading + QStringLiteral(" AND ") + afterKeyCondition(1));
        leadingRangeNext_ = true;
    }
    ++restarts_;
    span_.start();
}

bool OrderedRowReader::next() {
    if (done_) return false;
    if (!started_) {
        start();
        started_ = true;
    } else if (span_.elapsed() >= spanMillis_) {
        restartAfterCurrent();
    }
    if (statement_.step()) return true;
    if (leadingRangeNext_) {
        leadingRangeNext_ = false;
        startAfterKey(afterLeadingTerm());
        if (statement_.step()) return true;
    }
    done_ = true;
    statement_.reset();
    return false;
}

std::int64_t OrderedRowReader::rowid() const {
    return sqlite3_column_int64(statement_.handle(), 0);
}

StorageClass OrderedRowReader::storageClass(int field) const {
    switch (sqlite3_column_type(statement_.handle(), field + 1)) {
    case SQLITE_INTEGER: return StorageClass::Integer;
    case SQLITE_FLOAT: return StorageClass::Real;
    case SQLITE_TEXT: return StorageClass::Text;
    case SQLITE_BLOB: return StorageClass::Blob;
    default: return StorageClass::Null;
    }
}

std::string_view OrderedRowReader::text(int field) const {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(statement_.handle(), field + 1));
    return t ? std::string_view(t, static_cast<size_t>(sqlite3_column_bytes(statement_.handle(), field + 1))) : std::string_view();
}

std::int64_t OrderedRowReader::integer(int field) const {
    return sqlite3_column_int64(statement_.handle(), field + 1);
}

QVariant OrderedRowReader::value(int field) const {
    return statement_.value(field + 1);
}

} // namespace verbalo::store

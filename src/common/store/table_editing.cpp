// Editing the rows of a Table: the row buffer, posts inside batches or transactions of their
// own, deletes, and blob streams.
#include "table.h"

#include "table_values.h"

#include <QBuffer>
#include <sqlite3.h>

#include <utility>

namespace verbalo::store {

namespace {

// A batch is committed at the first write after this much time, so that the other program can
// write too. Readers are not held up by an open batch (only by its short commit); a second's
// batch keeps the journal small next to the table, which a bulk load into a large table feels.
constexpr qint64 kBatchMillis = 1000;

// A blob opened for writing lands in the row buffer when the stream is closed.
class BlobWriter : public QBuffer {
public:
    BlobWriter(Table* table, QString field) : table_(table), field_(std::move(field)) {}
    ~BlobWriter() override {
        if (isOpen()) BlobWriter::close();
    }
    void close() override {
        if (isOpen()) table_->setBlob(field_, data());
        QBuffer::close();
    }

private:
    Table* table_;
    QString field_;
};

} // namespace

void Table::setValue(int field, const QVariant& value) {
    requireOpen();
    if (state_ != State::Edit && state_ != State::Insert)
        throw StoreError(QStringLiteral("table %1 is not in edit or insert mode").arg(name_));
    if (field < 0 || field >= fieldCount())
        throw StoreError(QStringLiteral("field index %1 out of range in table %2").arg(field).arg(name_));
    const FieldDef& f = schema_.fields[static_cast<size_t>(field)];
    QVariant v = value;
    if (!v.isNull() && v.isValid()) {
        switch (f.kind) {
        case FieldKind::Text: {
            QString t = v.toString();
            // Too long a text is cut to the column, as the user would see it stored.
            if (f.width > 0 && t.size() > f.width) {
                int cut = f.width;
                if (t.at(cut - 1).isHighSurrogate()) --cut;
                t.truncate(cut);
            }
            v = t;
            break;
        }
        case FieldKind::Memo:
            if (v.typeId() == QMetaType::QByteArray)
                v = QString::fromUtf8(v.toByteArray());
            else
                v = v.toString();
            break;
        case FieldKind::Boolean: v = QVariant::fromValue<qlonglong>(v.toBool() ? 1 : 0); break;
        case FieldKind::Integer:
        case FieldKind::AutoInc: {
            bool ok = false;
            const qlonglong n = v.toLongLong(&ok);
            if (ok) v = n;
            break;
        }
        case FieldKind::Float: {
            bool ok = false;
            const double d = v.toDouble(&ok);
            if (ok) v = d;
            break;
        }
        default: break;
        }
    }
    buffer_[static_cast<size_t>(field)] = v;
    assigned_[static_cast<size_t>(field)] = true;
    anyAssigned_ = true;
}

void Table::setValue(const QString& field, const QVariant& value) {
    setValue(requireField(field), value);
}

QByteArray Table::blob(const QString& field) {
    const QVariant v = value(field);
    if (v.isNull()) return QByteArray("", 0);
    return v.typeId() == QMetaType::QString ? v.toString().toUtf8() : v.toByteArray();
}

void Table::setBlob(const QString& field, const QByteArray& data) {
    const int fi = requireField(field);
    setValue(fi, schema_.fields[static_cast<size_t>(fi)].kind == FieldKind::Memo
                     ? QVariant(QString::fromUtf8(data))
                     : QVariant(data.isNull() ? QByteArray("", 0) : data));
}

std::unique_ptr<QIODevice> Table::blobStream(const QString& field, bool forWriting) {
    requireField(field);
    if (forWriting) {
        if (state_ != State::Edit && state_ != State::Insert)
            throw StoreError(QStringLiteral("table %1 is not in edit or insert mode").arg(name_));
        auto w = std::make_unique<BlobWriter>(this, field);
        w->open(QIODevice::WriteOnly);
        return w;
    }
    auto r = std::make_unique<QBuffer>();
    r->setData(blob(field));
    r->open(QIODevice::ReadOnly);
    return r;
}

void Table::insert() {
    requireOpen();
    if (state_ == State::Insert) {
        // A pending new row is kept when something was typed into it, dropped otherwise.
        if (anyAssigned_)
            post();
        else
            cancel();
    } else if (state_ == State::Edit) {
        post();
    }
    buffer_.assign(schema_.fields.size(), QVariant());
    assigned_.assign(schema_.fields.size(), false);
    anyAssigned_ = false;
    state_ = State::Insert;
    notifyCurrent();
}

void Table::edit() {
    requireOpen();
    if (state_ == State::Edit || state_ == State::Insert) return;
    // The row as it is in the file now, and its place in an order that holds every commit.
    settleOrder();
    if (!hasCurrent_) throw StoreError(QStringLiteral("table %1 has no current record to edit").arg(name_));
    buffer_ = rowValues(currentRowid_);
    assigned_.assign(schema_.fields.size(), false);
    anyAssigned_ = false;
    state_ = State::Edit;
}

void Table::cancel() {
    requireOpen();
    if (state_ != State::Edit && state_ != State::Insert) return;
    state_ = State::Browse;
    anyAssigned_ = false;
    notifyCurrent();
}

void Table::beginBatch() {
    requireOpen();
    ++batchDepth_;
}

void Table::startBatchTransaction() {
    releaseRead();
    if (!bulkCache_) {
        // A batch changes pages all over the key index; with room for them in memory they are
        // written once at the commit instead of spilled to the file in the middle of it.
        conn_.exec(QStringLiteral("PRAGMA cache_size=-53248"));
        bulkCache_ = true;
    }
    batchTransaction_ = std::make_unique<Transaction>(conn_);
    batchWrites_ = 0;
    batchTimer_.start();
}

void Table::flushBatch() {
    if (!batchTransaction_) return;
    std::unique_ptr<Transaction> transaction = std::move(batchTransaction_);
    const qint64 writes = std::exchange(batchWrites_, 0);
    try {
        transaction->commit();
    } catch (const StoreError& e) {
        lostWrites_ += writes;
        // The rows this cursor placed in its order are not in the file.
        invalidateOrder();
        throw StoreError::ofTable(
            name_,
            StoreError(QStringLiteral("the last %1 rows were not stored: %2").arg(writes).arg(e.message()), e.engineCode()));
    }
    committedWrites_ += writes;
    dataVersion_ = conn_.dataVersion();
}

void Table::abandonBatch() {
    lostWrites_ += std::exchange(batchWrites_, 0);
    batchTransaction_.reset();
    invalidateOrder();
}

void Table::endBatch() {
    if (batchDepth_ == 0) return;
    if (--batchDepth_ > 0) return;
    try {
        flushBatch();
    } catch (const StoreError&) {
        conn_.exec(QStringLiteral("PRAGMA cache_size=-16384"));
        bulkCache_ = false;
        throw;
    }
    if (bulkCache_) {
        conn_.exec(QStringLiteral("PRAGMA cache_size=-16384"));
        bulkCache_ = false;
    }
}

WriteBatch::~WriteBatch() {
    if (ended_) return;
    try {
        table_.endBatch();
    } catch (const StoreError&) {
        // Only reached while another error is already on its way out of the scope; that one is
        // what the caller reports, and the lost rows show in lostWrites().
    }
}

void WriteBatch::commit() {
    ended_ = true;
    table_.endBatch();
}

void Table::runWrite(Statement& statement, const std::function<void(Statement&)>& bind) {
    // A write changes the order: an order still being built is waited for, and one behind
    // another program's commit brought up to date, so that the write can be followed in it.
    if (builder_ || refresh_ || orderStale_) settleOrder();
    try {
        if (batchDepth_ > 0) {
            if (!batchTransaction_) startBatchTransaction();
            try {
                StatementResetter r(statement);
                bind(statement);
                statement.step();
            } catch (const StoreError& e) {
                // A refused row leaves the batch as it was; any other failure may have ended the
                // transaction inside the engine, so its rows are given up rather than trusted.
                if (!e.isRowRefusal()) abandonBatch();
                throw;
            }
            ++batchWrites_;
            if (batchTimer_.elapsed() >= kBatchMillis) flushBatch();
            return;
        }
        releaseRead();
        Transaction transaction(conn_);
        {
            StatementResetter r(statement);
            bind(statement);
            statement.step();
        }
        transaction.commit();
        ++committedWrites_;
    } catch (const StoreError& e) {
        rethrowWrite(e);
    }
}

void Table::requireKeyGiven() const {
    const IndexDef* pk = schema_.primaryKey();
    if (!pk || pk->columns.isEmpty()) return;
    const int fi = schema_.fieldIndex(pk->columns.first());
    const FieldDef& f = schema_.fields[static_cast<size_t>(fi)];
    if (f.kind == FieldKind::Text && isEmptyValue(buffer_[static_cast<size_t>(fi)]))
        throw StoreError(QStringLiteral("key field %1 of table %2 must not be empty").arg(f.name, name_), 0,
                         StoreError::Kind::RowRefused);
}

void Table::rethrowWrite(const StoreError& e) {
    if (e.engineCode() == SQLITE_CONSTRAINT_PRIMARYKEY || e.engineCode() == SQLITE_CONSTRAINT_UNIQUE)
        throw StoreError(QStringLiteral("duplicate key in table %1").arg(name_), e.engineCode(), StoreError::Kind::RowRefused);
    throw StoreError::ofTable(name_, e);
}

void Table::storeInsert() {
    requireKeyGiven();
    // The columns given: every assigned one, and key texts, which are never null so that a
    // duplicate pair with an empty side is still refused.
    std::vector<bool> included(schema_.fields.size());
    std::vector<const QVariant*> values;
    values.reserve(schema_.fields.size());
    static const QVariant emptyText(QString(QLatin1String("")));
    for (size_t i = 0; i < schema_.fields.size(); ++i) {
        const FieldDef& f = schema_.fields[i];
        const QVariant& v = buffer_[i];
        if (f.inPrimaryKey && f.kind == FieldKind::Text && (v.isNull() || !v.isValid())) {
            values.push_back(&emptyText);
        } else if (assigned_[i]) {
            values.push_back(&v);
        } else {
            continue;
        }
        included[i] = true;
    }
    runWrite(insertStatement(included), [&](Statement& s) {
        for (size_t i = 0; i < values.size(); ++i) s.bind(static_cast<int>(i) + 1, *values[i]);
    });
    const std::int64_t rowid = conn_.lastInsertRowid();
    state_ = State::Browse;
    anyAssigned_ = false;
    currentRowid_ = rowid;
    hasCurrent_ = true;
    if (!orderValid_ || disabledCount_ > 0) {
        invalidateOrder();
        return;
    }
    if (!rowPassesFilter(rowid)) {
        invalidateOrder();
        return;
    }
    pos_ = order_.insert(rowid, readOrderKey(rowid), static_cast<int>(orderColumns_.size()));
    eof_ = bof_ = false;
    notifyRows();
    notifyCurrent();
}

Statement& Table::insertStatement(const std::vector<bool>& included) {
    // Bulk loops insert the same columns row after row: the statement is made once per set.
    auto it = insertStatements_.find(included);
    if (it != insertStatements_.end()) return *it->second;
    QStringList cols, marks;
    for (size_t i = 0; i < included.size(); ++i) {
        if (!included[i]) continue;
        cols << quoteIdentifier(schema_.fields[i].name);
        marks << QStringLiteral("?");
    }
    const QString sql =
        cols.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdentifier(schema_.tableName))
                       : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                             .arg(quoteIdentifier(schema_.tableName), cols.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    auto statement = std::make_shared<Statement>(conn_, sql);
    return *insertStatements_.emplace(included, std::move(statement)).first->second;
}

void Table::storeUpdate() {
    QStringList sets;
    std::vector<QVariant> values;
    bool keyChanged = false;
    for (size_t i = 0; i < schema_.fields.size(); ++i) {
        if (!assigned_[i]) continue;
        const FieldDef& f = schema_.fields[i];
        QVariant v = buffer_[i];
        if (f.inPrimaryKey && f.kind == FieldKind::Text && (v.isNull() || !v.isValid())) v = QString(QLatin1String(""));
        sets << quoteIdentifier(f.name) + QStringLiteral("=?");
        values.push_back(v);
        if (orderColumns_.contains(f.name, Qt::CaseInsensitive) || f.inPrimaryKey) keyChanged = true;
    }
    if (sets.isEmpty()) {
        state_ = State::Browse;
        return;
    }
    requireKeyGiven();
    const std::int64_t rowid = currentRowid_;
    const QString sql =
        QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?").arg(quoteIdentifier(schema_.tableName), sets.join(QLatin1Char(',')));
    runWrite(cached(sql), [&](Statement& s) {
        int i = 1;
        for (const QVariant& v : values) s.bind(i++, v);
        s.bindInt(i, rowid);
    });
    state_ = State::Browse;
    anyAssigned_ = false;
    rowCache_.remove(rowid);
    if (!orderValid_ || disabledCount_ > 0 || (filtered_ && !filter_.trimmed().isEmpty())) {
        invalidateOrder();
        notifyRows();
        notifyCurrent();
        return;
    }
    if (keyChanged && pos_ < order_.size() && order_.rowidAt(pos_) == rowid) {
        order_.removeAt(pos_);
        pos_ = order_.insert(rowid, readOrderKey(rowid), static_cast<int>(orderColumns_.size()));
        notifyRows();
    }
    notifyCurrent();
}

void Table::post() {
    requireOpen();
    if (state_ == State::Insert)
        storeInsert();
    else if (state_ == State::Edit)
        storeUpdate();
}

void Table::remove() {
    requireOpen();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    if (state_ == State::Edit) state_ = State::Browse;
    settleOrder();
    if (!hasCurrent_) throw StoreError(QStringLiteral("table %1 has no current record to delete").arg(name_));
    const std::int64_t rowid = currentRowid_;
    runWrite(cached(QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(quoteIdentifier(schema_.tableName))),
             [&](Statement& s) { s.bindInt(1, rowid); });
    rowCache_.remove(rowid);
    if (disabledCount_ > 0) {
        invalidateOrder();
        return;
    }
    if (pos_ < order_.size() && order_.rowidAt(pos_) == rowid) {
        order_.removeAt(pos_);
    } else {
        invalidateOrder();
        ensureOrder();
    }
    if (order_.size() == 0) {
        hasCurrent_ = false;
        eof_ = bof_ = true;
    } else {
        if (pos_ >= order_.size()) pos_ = order_.size() - 1;
        currentRowid_ = order_.rowidAt(pos_);
        hasCurrent_ = true;
    }
    notifyRows();
    notifyCurrent();
}

void Table::disableControls() {
    ++disabledCount_;
}

void Table::enableControls() {
    if (disabledCount_ == 0) return;
    if (--disabledCount_ > 0) return;
    if (isOpen()) {
        if (pendingNotify_ || !orderValid_) {
            pendingNotify_ = false;
            // The order is rebuilt when someone next reads a position, not here.
            emit rowsChanged();
            emit currentChanged();
        }
    }
}

} // namespace verbalo::store

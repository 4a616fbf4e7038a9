#include "table.h"

#include "collation.h"
#include "database.h"
#include "ordered_row_reader.h"
#include "table_values.h"

#include <sqlite3.h>

#include <algorithm>

namespace verbalo::store {

namespace {

constexpr int kRowCacheLimit = 512;
// The longest run read ahead at once: a screenful many times over, a small part of the cache.
constexpr size_t kLongestRun = 256;
constexpr size_t kFirstRun = 8;

} // namespace

Table::Table(Database& db, QObject* parent) : QObject(parent), db_(db) {
    order_.setKeyReader(orderKeyReader());
}

KeyReader Table::orderKeyReader() {
    return [this](std::int64_t rowid) {
        std::string key = readOrderKey(rowid).bytes();
        if (key.empty()) {
            auto known = lastKnownRows_.constFind(rowid);
            if (known != lastKnownRows_.constEnd()) key = keyOfRow(*known, rowid);
        }
        return key;
    };
}

Table::~Table() {
    try {
        close();
    } catch (const StoreError&) {
        // A destructor has no one to tell; code that must know whether the last batch was
        // stored ends it (endBatch, WriteBatch::commit) or closes the table before this.
    }
}

void Table::setTableName(const QString& name) {
    if (isOpen()) close();
    name_ = Database::stripExtension(name);
}

void Table::requireOpen() const {
    if (state_ == State::Inactive)
        throw StoreError(QStringLiteral("table %1 is not open").arg(name_.isEmpty() ? QStringLiteral("(unnamed)") : name_));
}

Statement& Table::cached(const QString& sql) {
    auto it = statements_.find(sql);
    if (it == statements_.end()) it = statements_.insert(sql, std::make_shared<Statement>(conn_, sql));
    return **it;
}

void Table::open() {
    if (isOpen()) close();
    if (name_.isEmpty()) throw StoreError(QStringLiteral("no table name given"));
    conn_ = db_.openTableFile(name_);
    try {
        schema_ = db_.schemaOf(conn_);
    } catch (const StoreError& e) {
        conn_ = Connection();
        throw StoreError::ofTable(name_, e);
    }
    buffer_.assign(schema_.fields.size(), QVariant());
    assigned_.assign(schema_.fields.size(), false);
    missingRow_.assign(schema_.fields.size(), QVariant());
    committedWrites_ = lostWrites_ = 0;
    state_ = State::Browse;
    try {
        // Known before the first notice goes out, so that a listener reading rows at once does
        // not take the fresh file for a changed one and build the order twice.
        dataVersion_ = conn_.dataVersion();
        setIndexFieldNames(orderSpec_);
        first();
    } catch (...) {
        close();
        throw;
    }
}

void Table::close() {
    if (state_ == State::Inactive) return;
    stopOrderBuild();
    std::optional<StoreError> lastBatch;
    if (batchTransaction_) {
        try {
            flushBatch();
        } catch (const StoreError& e) {
            lastBatch = e;
        }
    }
    batchDepth_ = 0;
    releaseRead();
    readDepth_ = 0;
    rowStatement_ = nullptr;
    runStatement_ = nullptr;
    keyStatement_ = nullptr;
    statements_.clear();
    insertStatements_.clear();
    bulkCache_ = false;
    rowCache_.clear();
    lastKnownRows_.clear();
    order_.clear();
    orderValid_ = false;
    orderStale_ = false;
    hasCurrent_ = false;
    eof_ = bof_ = true;
    state_ = State::Inactive;
    conn_ = Connection();
    // The table is closed either way; the caller still learns that rows were lost.
    if (lastBatch) throw *lastBatch;
}

void Table::setIndexFieldNames(const QString& names) {
    QStringList wanted;
    for (const QString& n : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!n.trimmed().isEmpty()) wanted << n.trimmed();
    if (!isOpen()) {
        orderSpec_ = names;
        return;
    }
    QStringList columns;
    bool byIndex = true;
    if (wanted.isEmpty()) {
        if (const IndexDef* pk = schema_.primaryKey()) columns = pk->columns;
        // A table without a key keeps the order rows were stored in.
        if (columns.isEmpty()) {
            columns << QStringLiteral("rowid");
            byIndex = false;
        }
    } else {
        const IndexDef* idx = schema_.indexLeadingWith(wanted.first());
        if (!idx) throw StoreError(QStringLiteral("no index on column %1 of table %2").arg(wanted.first(), name_));
        for (const QString& w : wanted)
            if (schema_.fieldIndex(w) < 0) throw StoreError(QStringLiteral("no column %1 in table %2").arg(w, name_));
        columns = TableSchema::orderColumns(wanted, *idx);
    }
    if (state_ == State::Edit || state_ == State::Insert) post();
    orderSpec_ = names;
    orderColumns_ = columns;
    keyStatement_ = nullptr;
    orderedByIndex_ = byIndex;
    invalidateOrder();
    startOrder();
    notifyRows();
    notifyCurrent();
}

void Table::setFilter(const QString& expression) {
    if (filter_ == expression) return;
    filter_ = expression;
    if (isOpen() && filtered_) {
        invalidateOrder();
        first();
        notifyRows();
    }
}

void Table::setFiltered(bool on) {
    if (filtered_ == on) return;
    filtered_ = on;
    if (isOpen()) {
        invalidateOrder();
        first();
        notifyRows();
    }
}

QString Table::orderByClause() const {
    QStringList parts;
    for (const QString& c : orderColumns_) parts << schema_.orderTerm(c);
    if (!orderColumns_.contains(QStringLiteral("rowid"))) parts << QStringLiteral("rowid");
    return parts.join(QStringLiteral(", "));
}

QString Table::whereClause() const {
    return filtered_ && !filter_.trimmed().isEmpty() ? QStringLiteral(" WHERE (%1)").arg(filter_) : QString();
}

std::string Table::keyOfRow(const std::vector<QVariant>& row, std::int64_t rowid) const {
    QVariantList key;
    for (const QString& c : orderColumns_) {
        const int f = schema_.fieldIndex(c);
        key << (f >= 0 ? row[static_cast<size_t>(f)] : QVariant::fromValue<qlonglong>(rowid));
    }
    return OrderKey::fromValues(key).bytes();
}

std::string Table::currentRowKey() const {
    if (!orderValid_ || !hasCurrent_ || pos_ >= order_.size() || order_.rowidAt(pos_) != currentRowid_) return {};
    for (const auto* rows : {&rowCache_, &lastKnownRows_}) {
        auto row = rows->constFind(currentRowid_);
        if (row != rows->constEnd()) return keyOfRow(*row, currentRowid_);
    }
    // In an order behind another program's commit the row may be gone unread: it stood where
    // the next row that is still there stands (as a search counts it).
    if (orderStale_) {
        const size_t end = std::min(order_.size(), pos_ + OrderIndex::kFenceInterval);
        for (size_t pos = pos_; pos < end; ++pos) {
            std::string key = order_.keyAt(pos);
            if (!key.empty()) return key;
        }
    }
    return order_.fenceKeyAtOrBefore(pos_);
}

void Table::invalidateOrder() {
    // Where the current row stood, should it be gone when the order is built again.
    previousKey_ = currentRowKey();
    stopOrderBuild();
    orderValid_ = false;
    orderStale_ = false;
    runStatement_ = nullptr; // made again for the order and filter now in force
    rowCache_.clear();
    lastKnownRows_.clear();
}

void Table::beginReading() {
    requireOpen();
    ++readDepth_;
}

void Table::endReading() {
    if (readDepth_ == 0 || --readDepth_ > 0) return;
    releaseRead();
    // An order that came in during the span was left for its end.
    if ((builder_ && builder_->ready()) || (refresh_ && refresh_->ready())) builtInBackground();
}

void Table::holdRead() {
    if (readHeld_ && readTimer_.elapsed() < kReadSpanMillis) return;
    releaseRead();
    freshInRead_ = false;
    // Inside a batch the batch's own transaction already holds the file.
    if (conn_.inTransaction()) return;
    conn_.exec(QStringLiteral("BEGIN"));
    readHeld_ = true;
    readTimer_.start();
}

void Table::releaseRead() {
    freshInRead_ = false;
    if (!readHeld_) return;
    readHeld_ = false;
    // A read transaction has nothing to store; ending it cannot lose anything.
    if (conn_.inTransaction()) sqlite3_exec(conn_.handle(), "COMMIT", nullptr, nullptr, nullptr);
}

void Table::ensureFresh() {
    requireOpen();
    if (readDepth_ > 0) {
        holdRead();
        // While the span holds the file no other program's commit can come in: one look at
        // the data version per hold is enough.
        if (freshInRead_ && readHeld_) return;
    }
    const std::int64_t dv = conn_.dataVersion();
    if (dv != dataVersion_) {
        dataVersion_ = dv;
        ++commitsSeen_;
        orderIsBehind();
    }
    freshInRead_ = readHeld_;
}

bool Table::canOrderAgainInBackground() const {
    // A batch's own rows are not committed yet and a read span's loop wants positions that
    // stay put: those, a filtered order and a small table are ordered again at once, as are
    // rows whose order is not kept up while the controls are off.
    return orderValid_ && backgroundOrderFrom_ > 0 && !(filtered_ && !filter_.trimmed().isEmpty()) &&
           rowCount() >= static_cast<size_t>(backgroundOrderFrom_) && !batchTransaction_ && readDepth_ == 0 &&
           disabledCount_ == 0;
}

void Table::orderIsBehind() {
    if (!canOrderAgainInBackground()) {
        invalidateOrder();
        return;
    }
    orderStale_ = true;
    // The rows read so far are read again from the file; they stand in for the rows the
    // commit removed until the new order comes.
    if (lastKnownRows_.size() + rowCache_.size() > kRowCacheLimit) lastKnownRows_.clear();
    lastKnownRows_.insert(rowCache_);
    rowCache_.clear();
    // One build at a time: one running now is looked at when it is done, and built again then.
    if (!builder_ && !refresh_) startRefresh();
}

void Table::startRefresh() {
    std::unique_ptr<OrderBuilder> refresh;
    try {
        refresh = std::make_unique<OrderBuilder>(std::make_unique<OrderedRowReader>(
            db_, *this, OrderBuilder::kSpanMillis, OrderedRowReader::Select::OrderKey));
    } catch (const StoreError&) {
        // Ordered again at the next read, where the failure reaches the caller.
        invalidateOrder();
        return;
    }
    ++storeReads_;
    refreshCommits_ = commitsSeen_;
    refresh->start(static_cast<int>(orderColumns_.size()), order_.size(), builtNotice());
    refresh_ = std::move(refresh);
}

std::function<void()> Table::builtNotice() {
    return [this] {
        // The table outlives the builder's thread (closing it waits for the thread); a notice
        // still queued when the table goes is dropped with it.
        QMetaObject::invokeMethod(this, [this] { builtInBackground(); }, Qt::QueuedConnection);
    };
}

void Table::builtInBackground() {
    // A read span's loop is left its positions; its end takes the order.
    if (!isOpen() || readDepth_ > 0) return;
    try {
        if (builder_ && builder_->ready()) adoptBuiltOrder();
        if (refresh_ && refresh_->ready() && !batchTransaction_) adoptRefresh();
    } catch (const StoreError&) {
        // Nobody to tell from the event loop: the order is built again at the next read,
        // which reports the failure to its caller.
        invalidateOrder();
    }
}

void Table::adoptRefresh() {
    std::unique_ptr<OrderBuilder> refresh = std::move(refresh_);
    OrderIndex built;
    try {
        built = refresh->take();
    } catch (const StoreError&) {
        // Built again at the next read, where a failure reaches the caller.
        refresh.reset();
        invalidateOrder();
        return;
    }
    // Behind still when the file changed again while the rows were read or since.
    const bool current = !refresh->sawCommit() && refreshCommits_ == commitsSeen_;
    refresh.reset();
    const std::string previousKey = currentRowKey();
    built.setKeyReader(orderKeyReader());
    order_ = std::move(built);
    lastOrderSize_ = order_.size();
    nextInSequence_ = SIZE_MAX;
    placeCurrent(hasCurrent_, currentRowid_, previousKey);
    orderStale_ = !current;
    if (current)
        lastKnownRows_.clear();
    else
        startRefresh();
    notifyRows();
    notifyCurrent();
}

void Table::settleOrder() {
    requireOpen();
    ensureFresh();
    if (builder_) adoptBuiltOrder();
    // The build running may have started before the last commit seen; the one it is followed
    // by then started after every commit seen so far.
    for (int round = 0; round < 2 && refresh_ && !batchTransaction_; ++round) {
        adoptRefresh();
        ensureFresh();
    }
    // Still behind: another program goes on committing. Ordered again here, at once.
    if (orderStale_ || refresh_) invalidateOrder();
    ensureOrder();
}

QString Table::orderSql() const {
    QStringList cols;
    for (const QString& c : orderColumns_) cols << quoteIdentifier(c);
    return QStringLiteral("SELECT rowid, %1 FROM %2%3 ORDER BY %4")
        .arg(cols.join(QStringLiteral(", ")), quoteIdentifier(schema_.tableName), whereClause(), orderByClause());
}

void Table::buildOrder() {
    const QString sql = orderSql();
    order_.clear();
    try {
        Statement s(conn_, sql);
        order_.reserve(lastOrderSize_);
        order_.loadFrom(s.handle(), static_cast<int>(orderColumns_.size()));
        const auto walked = static_cast<quint64>(sqlite3_stmt_status(s.handle(), SQLITE_STMTSTATUS_FULLSCAN_STEP, 0));
        rowsRead_ += std::max<quint64>(order_.size(), walked);
    } catch (const StoreError& e) {
        order_.clear();
        throw StoreError::ofTable(name_, e);
    }
    ++storeReads_;
    ++foregroundOrderBuilds_;
    lastOrderSize_ = order_.size();
    orderValid_ = true;
    orderStale_ = false;
}

void Table::startOrder() {
    // A filtered order is a part of the table, usually a small one: it is built at once.
    if (backgroundOrderFrom_ <= 0 || (filtered_ && !filter_.trimmed().isEmpty())) {
        ensureOrder();
        return;
    }
    const bool hadCurrent = hasCurrent_;
    const std::int64_t rowid = currentRowid_;
    const int keyColumns = static_cast<int>(orderColumns_.size());
    const auto background = static_cast<size_t>(backgroundOrderFrom_);
    std::unique_ptr<OrderBuilder> builder;
    size_t rows = 0;
    try {
        builder = std::make_unique<OrderBuilder>(
            std::make_unique<OrderedRowReader>(db_, *this, OrderBuilder::kSpanMillis, OrderedRowReader::Select::OrderKey));
        order_.clear();
        rows = builder->countAndReadHead(QStringLiteral("SELECT count(*) FROM %1").arg(quoteIdentifier(schema_.tableName)),
                                         order_, orderSql(), keyColumns, kHeadRows, background);
        ++storeReads_;
        if (rows >= background) {
            rowsRead_ += order_.size();
            ++storeReads_;
        }
    } catch (const StoreError& e) {
        order_.clear();
        throw StoreError::ofTable(name_, e);
    }
    if (rows < background) {
        builder.reset();
        ensureOrder();
        return;
    }
    builder->start(keyColumns, rows, builtNotice());
    builder_ = std::move(builder);
    rowsWhileBuilding_ = rows;
    orderValid_ = true;
    // The current row, when there was one, is looked for in the whole order; until then the
    // cursor stands on the first row.
    pos_ = 0;
    currentRowid_ = order_.size() > 0 ? order_.rowidAt(0) : 0;
    hasCurrent_ = order_.size() > 0;
    eof_ = bof_ = !hasCurrent_;
    if (hadCurrent && order_.size() > 0 && rowid != currentRowid_) {
        adoptBuiltOrder();
        const OrderKey key = readOrderKey(rowid);
        const size_t pos = key.empty() ? order_.size() : order_.find(rowid, key, static_cast<int>(orderColumns_.size()));
        if (pos < order_.size()) {
            pos_ = pos;
            currentRowid_ = rowid;
        }
    }
}

void Table::stopOrderBuild() {
    builder_.reset();
    refresh_.reset();
}

void Table::adoptBuiltOrder() {
    if (!builder_) return;
    std::unique_ptr<OrderBuilder> builder = std::move(builder_);
    const size_t expected = rowsWhileBuilding_;
    try {
        OrderIndex built = builder->take();
        built.setKeyReader(orderKeyReader());
        order_ = std::move(built);
    } catch (const StoreError& e) {
        // Built again here, where a failure reaches the caller.
        Q_UNUSED(e)
        orderValid_ = false;
        ensureOrder();
        return;
    }
    // Read across another connection's commit: a mix of the file before and after it.
    if (builder->sawCommit()) orderStale_ = true;
    builder.reset();
    lastOrderSize_ = order_.size();
    // The first rows are the same in the whole order unless another program wrote meanwhile;
    // then the current row is looked for again.
    if (order_.size() != expected || (hasCurrent_ && (pos_ >= order_.size() || order_.rowidAt(pos_) != currentRowid_))) {
        if (!hasCurrent_ || order_.size() == 0) {
            hasCurrent_ = order_.size() > 0;
            pos_ = 0;
            currentRowid_ = hasCurrent_ ? order_.rowidAt(0) : 0;
            eof_ = bof_ = !hasCurrent_;
        } else {
            const OrderKey key = readOrderKey(currentRowid_);
            size_t pos = key.empty() ? order_.size() : order_.find(currentRowid_, key, static_cast<int>(orderColumns_.size()));
            if (pos >= order_.size()) pos = std::min(pos_, order_.size() - 1);
            pos_ = pos;
            currentRowid_ = order_.rowidAt(pos);
        }
        notifyRows();
    }
    if (orderStale_ && !refresh_) startRefresh();
}

void Table::ensureOrderUpTo(size_t pos) {
    if (builder_ && !builder_->ready() && pos < order_.size()) return;
    ensureOrder();
}

void Table::ensureOrder() {
    if (builder_) adoptBuiltOrder();
    if (orderValid_) return;
    const bool had = hasCurrent_;
    const std::int64_t rowid = currentRowid_;
    const std::string previousKey = previousKey_;
    buildOrder();
    placeCurrent(had, rowid, previousKey);
}

void Table::placeCurrent(bool had, std::int64_t rowid, const std::string& previousKey) {
    if (order_.size() == 0) {
        hasCurrent_ = false;
        eof_ = bof_ = true;
        pos_ = 0;
        return;
    }
    const int columns = static_cast<int>(orderColumns_.size());
    size_t pos = 0;
    if (had) {
        // Stay on the same row; when it is gone, on the row that took its place.
        const OrderKey key = readOrderKey(rowid);
        pos = key.empty() ? order_.size() : order_.find(rowid, key, columns);
        if (pos >= order_.size() && !previousKey.empty())
            pos = order_.lowerBound(OrderKey::fromBytes(previousKey), columns, KeyStrength::Exact);
        if (pos >= order_.size()) pos = order_.size() - 1;
    }
    pos_ = pos;
    currentRowid_ = order_.rowidAt(pos);
    hasCurrent_ = true;
    if (!had) eof_ = bof_ = false;
}

OrderKey Table::readOrderKey(std::int64_t rowid) {
    // Searches read keys row by row: the statement is looked up once per order, not per read.
    if (!keyStatement_) {
        QStringList cols;
        for (const QString& c : orderColumns_) cols << quoteIdentifier(c);
        keyStatement_ = &cached(QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?")
                                    .arg(cols.join(QStringLiteral(", ")), quoteIdentifier(schema_.tableName)));
    }
    Statement& s = *keyStatement_;
    StatementResetter r(s);
    s.bindInt(1, rowid);
    ++storeReads_;
    ++rowsRead_;
    if (!s.step()) return OrderKey();
    return OrderKey::fromStatement(s.handle(), 0, static_cast<int>(orderColumns_.size()));
}

bool Table::rowPassesFilter(std::int64_t rowid) {
    if (!filtered_ || filter_.trimmed().isEmpty()) return true;
    Statement& s =
        cached(QStringLiteral("SELECT 1 FROM %1 WHERE rowid=? AND (%2)").arg(quoteIdentifier(schema_.tableName), filter_));
    StatementResetter r(s);
    s.bindInt(1, rowid);
    return s.step();
}

void Table::notifyCurrent() {
    if (disabledCount_ > 0) {
        pendingNotify_ = true;
        return;
    }
    emit currentChanged();
}

void Table::notifyRows() {
    if (disabledCount_ > 0) {
        pendingNotify_ = true;
        return;
    }
    emit rowsChanged();
}

void Table::moveTo(size_t pos) {
    pos_ = pos;
    currentRowid_ = order_.rowidAt(pos);
    hasCurrent_ = true;
    eof_ = bof_ = false;
    notifyCurrent();
}

void Table::requireBrowseOrPost() {
    requireOpen();
    if (state_ == State::Edit || state_ == State::Insert) post();
}

bool Table::prepareMove(size_t upTo) {
    requireBrowseOrPost();
    ensureFresh();
    ensureOrderUpTo(upTo);
    if (rowCount() != 0) return true;
    hasCurrent_ = false;
    eof_ = bof_ = true;
    return false;
}

void Table::first() {
    if (!prepareMove(0)) {
        notifyCurrent();
        return;
    }
    moveTo(0);
    bof_ = true;
}

void Table::next() {
    if (!prepareMove(hasCurrent_ ? pos_ + 1 : 0)) return;
    if (hasCurrent_ && pos_ + 1 < order_.size())
        moveTo(pos_ + 1);
    else
        eof_ = true;
}

void Table::prior() {
    if (!prepareMove(hasCurrent_ ? pos_ : 0)) return;
    if (hasCurrent_ && pos_ > 0)
        moveTo(pos_ - 1);
    else
        bof_ = true;
}

void Table::last() {
    if (!prepareMove()) {
        notifyCurrent();
        return;
    }
    moveTo(order_.size() - 1);
    eof_ = true;
}

bool Table::isEmpty() {
    return recordCount() == 0;
}

int Table::recordCount() {
    ensureFresh();
    if (builder_ && builder_->ready()) adoptBuiltOrder();
    if (!builder_) ensureOrder();
    return static_cast<int>(rowCount());
}

int Table::recNo() {
    ensureFresh();
    ensureOrderUpTo(pos_);
    return hasCurrent_ ? static_cast<int>(pos_) + 1 : 0;
}

void Table::setRecNo(int recNo) {
    requireBrowseOrPost();
    ensureFresh();
    ensureOrderUpTo(0);
    if (rowCount() == 0) return;
    size_t pos = static_cast<size_t>(std::clamp(recNo, 1, static_cast<int>(rowCount())) - 1);
    ensureOrderUpTo(pos);
    if (order_.size() == 0) return;
    moveTo(std::min(pos, order_.size() - 1));
}

Bookmark Table::bookmark() {
    requireOpen();
    return Bookmark{currentRowid_, hasCurrent_};
}

size_t Table::positionOf(std::int64_t rowid) {
    const OrderKey key = readOrderKey(rowid);
    if (key.empty()) return order_.size();
    size_t pos = order_.find(rowid, key, static_cast<int>(orderColumns_.size()));
    // A row in the file that the order does not hold yet: another program's, being ordered in.
    if (pos >= order_.size() && (orderStale_ || refresh_)) {
        settleOrder();
        pos = order_.find(rowid, key, static_cast<int>(orderColumns_.size()));
    }
    return pos;
}

bool Table::bookmarkValid(const Bookmark& b) {
    if (!b.valid) return false;
    ensureFresh();
    ensureOrder();
    return positionOf(b.rowid) < order_.size();
}

void Table::gotoBookmark(const Bookmark& b) {
    requireBrowseOrPost();
    ensureFresh();
    ensureOrder();
    if (!b.valid) throw StoreError(QStringLiteral("invalid bookmark on table %1").arg(name_));
    const size_t pos = positionOf(b.rowid);
    if (pos >= order_.size()) throw StoreError(QStringLiteral("record not found in table %1").arg(name_));
    moveTo(pos);
}

bool Table::locate(const QString& field, const QVariant& value, LocateOptions options) {
    requireBrowseOrPost();
    ensureFresh();
    ensureOrder();
    const int fi = requireField(field);
    const FieldDef& f = schema_.fields[static_cast<size_t>(fi)];
    const bool textual = f.kind == FieldKind::Text || f.kind == FieldKind::Memo;

    QString condition;
    QVariant bound = value;
    if (textual && (options.caseInsensitive || options.partialKey)) {
        const QString v = value.toString();
        QString column = quoteIdentifier(f.name);
        if (options.partialKey) column = QStringLiteral("substr(%1, 1, %2)").arg(column).arg(v.size());
        condition =
            options.caseInsensitive ? QStringLiteral("lower(%1) = lower(?)").arg(column) : column + QStringLiteral(" = ?");
        bound = v;
    } else if (isEmptyValue(value) && !textual) {
        condition = quoteIdentifier(f.name) + QStringLiteral(" IS NULL");
        bound = QVariant();
    } else {
        condition = quoteIdentifier(f.name) + QStringLiteral(" = ?");
    }
    if (filtered_ && !filter_.trimmed().isEmpty()) condition += QStringLiteral(" AND (%1)").arg(filter_);
    Statement& s = cached(QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY %3 LIMIT 1")
                              .arg(quoteIdentifier(schema_.tableName), condition, orderByClause()));
    std::int64_t rowid = 0;
    {
        StatementResetter r(s);
        if (condition.contains(QLatin1Char('?'))) s.bind(1, bound);
        ++storeReads_;
        if (!s.step()) return false;
        rowid = s.int64(0);
    }
    const size_t pos = positionOf(rowid);
    if (pos >= order_.size()) return false;
    moveTo(pos);
    return true;
}

void Table::gotoNearest(const QVariantList& key) {
    requireBrowseOrPost();
    ensureFresh();
    ensureOrderUpTo(0);
    if (!orderedByIndex_) throw StoreError(QStringLiteral("table %1 has no index to search by").arg(name_));
    if (rowCount() == 0) return;
    QVariantList typed;
    for (int i = 0; i < key.size() && i < orderColumns_.size(); ++i) {
        const FieldDef* f = schema_.field(orderColumns_[i]);
        QVariant v = key[i];
        if (f && (f->kind == FieldKind::Integer || f->kind == FieldKind::AutoInc))
            v = v.toLongLong();
        else if (f && f->kind == FieldKind::Float)
            v = v.toDouble();
        else if (f && f->kind == FieldKind::Text)
            v = v.toString();
        typed << v;
    }
    const OrderKey wanted = OrderKey::fromValues(typed);
    size_t pos = order_.lowerBound(wanted, static_cast<int>(typed.size()), KeyStrength::IgnoringCase);
    // Found among the first rows: the rest of the order cannot hold an earlier one.
    if (builder_ && pos >= order_.size()) {
        ensureOrder();
        pos = order_.lowerBound(wanted, static_cast<int>(typed.size()), KeyStrength::IgnoringCase);
    }
    if (pos >= order_.size()) pos = order_.size() - 1;
    moveTo(pos);
}

int Table::requireField(const QString& field) const {
    const int i = schema_.fieldIndex(field);
    if (i < 0) throw StoreError(QStringLiteral("field %1 not found in table %2").arg(field, name_));
    return i;
}

const std::vector<QVariant>& Table::rowValues(std::int64_t rowid) {
    auto it = rowCache_.constFind(rowid);
    if (it != rowCache_.constEnd()) return *it;
    if (rowCache_.size() >= kRowCacheLimit) rowCache_.clear();
    // Made once per open: building its text and finding it by that text cost more than the read.
    if (!rowStatement_)
        rowStatement_ = &cached(QStringLiteral("SELECT * FROM %1 WHERE rowid=?").arg(quoteIdentifier(schema_.tableName)));
    Statement& s = *rowStatement_;
    StatementResetter r(s);
    s.bindInt(1, rowid);
    ++storeReads_;
    ++rowsRead_;
    if (!s.step()) {
        // Gone from the file while the order still names it: as it was last read.
        auto known = lastKnownRows_.constFind(rowid);
        return known != lastKnownRows_.constEnd() ? *known : missingRow_;
    }
    std::vector<QVariant> row(schema_.fields.size());
    for (size_t i = 0; i < row.size(); ++i) row[i] = s.value(static_cast<int>(i));
    return *rowCache_.insert(rowid, std::move(row));
}

const std::vector<QVariant>& Table::rowValuesAt(size_t pos) {
    const std::int64_t rowid = order_.rowidAt(pos);
    auto it = rowCache_.constFind(rowid);
    if (it != rowCache_.constEnd()) return *it;
    // A lookup reads a row or two where it lands; runs start with the third row in sequence,
    // where a reader going through the rows (a grid, an export) shows itself.
    sequenceLength_ = pos == nextInSequence_ ? sequenceLength_ + 1 : 0;
    runLength_ = sequenceLength_ < 2 ? 1 : std::min(runLength_ * 2, kLongestRun);
    if (sequenceLength_ == 2) runLength_ = kFirstRun;
    const size_t read = runLength_ > 1 ? readRunAhead(pos, runLength_) : 0;
    if (read == 0) {
        nextInSequence_ = pos + 1;
        return rowValues(rowid);
    }
    nextInSequence_ = pos + read;
    return *rowCache_.constFind(rowid);
}

// One keyed statement from the row at pos on, in the order and under the filter the order was
// built with. The rows must be those the order holds at the same positions: a row another
// program added or removed meanwhile ends the run there, and the rest is read by row id.
size_t Table::readRunAhead(size_t pos, size_t count) {
    count = std::min(count, order_.size() - pos);
    const int keyColumns = static_cast<int>(orderColumns_.size());
    const bool byRowid = orderColumns_.contains(QStringLiteral("rowid"));
    const int limitParameter = keyColumns + (byRowid ? 1 : 2);
    if (!runStatement_) {
        QStringList columns, params;
        for (const QString& c : orderColumns_) columns << quoteIdentifier(c);
        if (!byRowid) columns << QStringLiteral("rowid");
        for (int i = 1; i < limitParameter; ++i) params << QStringLiteral("?%1").arg(i);
        const QString filter = filtered_ && !filter_.trimmed().isEmpty() ? QStringLiteral(" AND (%1)").arg(filter_) : QString();
        runStatement_ = &cached(QStringLiteral("SELECT rowid, * FROM %1 WHERE (%2) >= (%3)%4 ORDER BY %5 LIMIT ?%6")
                                    .arg(quoteIdentifier(schema_.tableName), columns.join(QStringLiteral(", ")),
                                         params.join(QStringLiteral(", ")), filter, orderByClause())
                                    .arg(limitParameter));
    }
    Statement& s = *runStatement_;
    StatementResetter r(s);
    if (byRowid) {
        s.bindInt(1, order_.rowidAt(pos));
    } else {
        if (!bindEncodedKey(s.handle(), 1, order_.keyAt(pos), keyColumns)) return 0;
        s.bindInt(keyColumns + 1, order_.rowidAt(pos));
    }
    s.bindInt(limitParameter, static_cast<std::int64_t>(count));
    ++storeReads_;
    if (rowCache_.size() + static_cast<qsizetype>(count) > kRowCacheLimit) rowCache_.clear();
    size_t read = 0;
    while (read < count && s.step()) {
        ++rowsRead_;
        if (s.int64(0) != order_.rowidAt(pos + read)) break;
        std::vector<QVariant> row(schema_.fields.size());
        for (size_t i = 0; i < row.size(); ++i) row[i] = s.value(static_cast<int>(i) + 1);
        rowCache_.insert(order_.rowidAt(pos + read), std::move(row));
        ++read;
    }
    return read;
}

const std::vector<QVariant>& Table::currentRow() {
    if (!hasCurrent_) {
        buffer_.assign(schema_.fields.size(), QVariant());
        return buffer_;
    }
    if (pos_ < order_.size() && order_.rowidAt(pos_) == currentRowid_) return rowValuesAt(pos_);
    return rowValues(currentRowid_);
}

QVariant Table::value(int field) {
    requireOpen();
    if (field < 0 || field >= fieldCount())
        throw StoreError(QStringLiteral("field index %1 out of range in table %2").arg(field).arg(name_));
    if (state_ == State::Edit || state_ == State::Insert) return buffer_[static_cast<size_t>(field)];
    ensureFresh();
    ensureOrderUpTo(pos_);
    return currentRow()[static_cast<size_t>(field)];
}

QVariant Table::value(const QString& field) {
    return value(requireField(field));
}

QString Table::text(const QString& field) {
    return valueText(value(field));
}

std::int64_t Table::integer(const QString& field) {
    const QVariant v = value(field);
    return v.isNull() ? 0 : v.toLongLong();
}

double Table::number(const QString& field) {
    const QVariant v = value(field);
    return v.isNull() ? 0.0 : v.toDouble();
}

bool Table::isNull(const QString& field) {
    return value(field).isNull();
}

QVariant Table::valueAt(int position, int field) {
    ensureFresh();
    if (position < 0 || field >= fieldCount() || field < 0) return QVariant();
    ensureOrderUpTo(static_cast<size_t>(position));
    if (static_cast<size_t>(position) >= order_.size()) return QVariant();
    return rowValuesAt(static_cast<size_t>(position))[static_cast<size_t>(field)];
}

} // namespace verbalo::store

#pragma once

#include "order_builder.h"
#include "order_index.h"
#include "schema.h"
#include "sqlite_handle.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QIODevice;

namespace verbalo::store {

class Database;

struct Bookmark {
    std::int64_t rowid = 0;
    bool valid = false;
};

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false; // the value is a prefix
};

// A cursor on one table file ("Tbl"): ordered by an index, optionally filtered, positioned on
// one current row that can be edited. The rows of the current order are held as row ids in
// memory, so moving, counting and numbering rows need no scan; the file itself is only read
// in short statements, so that the other program can always write.
class Table : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit Table(Database& db, QObject* parent = nullptr);
    ~Table() override;

    void setTableName(const QString& name);
    const QString& tableName() const { return name_; }
    Database& database() const { return db_; }
    void open();
    void close();
    bool isOpen() const { return state_ != State::Inactive; }
    State state() const { return state_; }
    const TableSchema& schema() const { return schema_; }
    int fieldCount() const { return static_cast<int>(schema_.fields.size()); }
    int fieldIndex(const QString& name) const { return schema_.fieldIndex(name); }

    // Order by the columns of an index ("nyelv1", or "nyelv1;nyelv2"). Refused when no index
    // leads with the first column. Empty: the primary key's order.
    void setIndexFieldNames(const QString& names);
    const QString& indexFieldNames() const { return orderSpec_; }
    // A WHERE condition such as "letezik='I'", applied while filtered is on.
    void setFilter(const QString& expression);
    void setFiltered(bool on);
    const QString& filter() const { return filter_; }
    bool filtered() const { return filtered_; }
    // The current order and filter as statement text, for readers that walk the same rows in
    // one statement of their own (OrderedRowReader): the key columns ("rowid" alone without
    // an index), the ORDER BY terms, and " WHERE (filter)" or nothing.
    const QStringList& orderColumns() const { return orderColumns_; }
    QString orderByClause() const;
    QString whereClause() const;

    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool isEmpty();
    int recordCount();
    // 1-based number of the current row in the current order; 0 when there is none.
    int recNo();
    void setRecNo(int recNo);
    Bookmark bookmark();
    bool bookmarkValid(const Bookmark& b);
    void gotoBookmark(const Bookmark& b);
    // Moves to the first row whose order key starts with / equals the value; the current row
    // stays when nothing is found.
    bool locate(const QString& field, const QVariant& value, LocateOptions options = {});
    // Moves to the first row whose key, compared without regard to case, is equal to or after
    // the given values of the leading order columns; the last row when none is. Never fails.
    void gotoNearest(const QVariantList& key);

    // Editing. Moving while a row is being edited or inserted posts it first.
    void insert();
    void append() { insert(); }
    void edit();
    void post();
    void cancel();
    void remove();

    // Field access by name on the current row (or the row being edited).
    QVariant value(const QString& field);
    QVariant value(int field);
    QString text(const QString& field);
    std::int64_t integer(const QString& field);
    double number(const QString& field);
    bool isNull(const QString& field);
    void setValue(const QString& field, const QVariant& value);
    void setValue(int field, const QVariant& value);
    void setNull(const QString& field) { setValue(field, QVariant()); }
    QByteArray blob(const QString& field); // empty for an empty or null blob
    void setBlob(const QString& field, const QByteArray& data);
    // A stream on the current row's blob: reading gives its bytes; a stream opened for writing
    // replaces the blob with what was written when it is closed.
    std::unique_ptr<QIODevice> blobStream(const QString& field, bool forWriting);

    // Values of any row of the current order without moving to it (grids read rows this way).
    QVariant valueAt(int position, int field);

    // Switching bound controls off stops the currentChanged notifications and the upkeep of
    // the in-memory order; the last switch back on sends one notice, and the order is rebuilt
    // when it is next needed.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disabledCount_ > 0; }

    // A batch: the posts and deletes made until endBatch() are committed together, never more
    // than a second's worth at a time, so that the other program can write in between. Each
    // commit is all or nothing. Calls nest; the outermost endBatch() ends the batch. WriteBatch
    // below is the usual way to hold one.
    void beginBatch();
    // Commits what is pending and ends the batch. Throws when that commit fails; its rows are
    // then not stored (see lostPosts()), and the table stays usable.
    void endBatch();
    bool inBatch() const { return batchDepth_ > 0; }
    // Commits the pending part of the batch now; the batch goes on.
    void flushBatch();
    // A read span: a loop over many rows (an export) reads them under one shared lock of the
    // file instead of taking and dropping it for every row, which costs system calls per row.
    // The lock is let go and taken again every kReadSpanMillis, so that the other program can
    // still commit in between; a write inside the span ends the held read first. Calls nest.
    // ReadSpan below holds one for a scope.
    void beginReading();
    void endReading();
    static constexpr qint64 kReadSpanMillis = 100;

    // Posts and deletes that are stored for good, and those that a failed batch commit threw
    // away, counted since the table was opened.
    qint64 committedWrites() const { return committedWrites_; }
    qint64 lostWrites() const { return lostWrites_; }

    // Row ids and store reads, for tests and benchmarks that check how much a caller costs.
    std::int64_t currentRowid() const { return currentRowid_; }
    quint64 storeReads() const { return storeReads_; }
    // Rows the engine went through for this cursor: those its statements returned, or all it
    // stepped over when a statement walked the whole table. A read by index range counts only
    // the rows of the range.
    quint64 rowsRead() const { return rowsRead_; }
    size_t orderMemoryBytes() const { return order_.memoryBytes(); }
    // Whole orders read on the caller's thread since the table was made, each a read of every
    // row that the caller waits for (benchmarks count them while another program writes).
    quint64 foregroundOrderBuilds() const { return foregroundOrderBuilds_; }

    // A table of at least this many rows (under the filter) is ordered on a thread of its own
    // when it is opened or its order changes: the first rows and the record count are there at
    // once, and what lies further waits for the order only when it is asked for.
    void setBackgroundOrderFrom(int rows) { backgroundOrderFrom_ = rows; }
    static constexpr int kBackgroundOrderFrom = 50000;
    // The first rows known while the rest of the order is being built.
    static constexpr size_t kHeadRows = 256;
    // True while the order is being built off this thread (tests and benchmarks look).
    bool orderBuilding() const { return builder_ != nullptr || refresh_ != nullptr; }
    // When another program commits to a large table, the cursor goes on with the order it has
    // and orders the rows again off this thread; the new order takes its place when it is there
    // (the cursor then signals rowsChanged), the current row staying where it was. Meanwhile
    // rows are numbered and counted in the order the cursor has, and a row the commit removed
    // reads as it was last read (as null values when this cursor never read it). This waits
    // for that order, or for the one being built when the table was opened, and orders the
    // rows again at once when the file changed once more meanwhile: every record number and
    // count is exact after it. Writes, edits and searches for a row the order does not hold yet
    // call it first.
    void settleOrder();

signals:
    // The current row moved or its content changed.
    void currentChanged();
    // Rows were added or removed, or the order or filter changed: positions shift.
    void rowsChanged();

private:
    void requireOpen() const;
    void requireBrowseOrPost();
    // Posts a pending edit and brings the order up to date; false when the table has no rows.
    bool prepareMove(size_t upTo = SIZE_MAX);
    void ensureFresh();
    // The whole order, waiting for one being built.
    void ensureOrder();
    // The order as far as a position: the first rows while the rest is being built, unless
    // the position lies past them.
    void ensureOrderUpTo(size_t pos);
    void buildOrder();
    // Reads the first rows and the count and leaves the rest to an OrderBuilder, when the
    // table is large enough; else builds it at once.
    void startOrder();
    void adoptBuiltOrder();
    void stopOrderBuild();
    // Another connection committed. A large table keeps its order for now and has it built
    // again off this thread; the others order again at the next read.
    void orderIsBehind();
    bool canOrderAgainInBackground() const;
    void startRefresh();
    // Takes the order built after another program's commit in place of the one the cursor had.
    void adoptRefresh();
    // Called on the builders' threads when they are done: the order is taken on this one.
    std::function<void()> builtNotice();
    void builtInBackground();
    // Puts the cursor back on its row (by row id, else where its key was) in a new order.
    void placeCurrent(bool had, std::int64_t rowid, const std::string& previousKey);
    // The current row's key from the rows read, else the nearest fence's; empty when unknown.
    std::string currentRowKey() const;
    std::string keyOfRow(const std::vector<QVariant>& row, std::int64_t rowid) const;
    QString orderSql() const;
    size_t rowCount() const { return builder_ ? rowsWhileBuilding_ : order_.size(); }
    void invalidateOrder();
    OrderKey readOrderKey(std::int64_t rowid);
    // The position of a row in the file in the order; the order's size when it is not there.
    size_t positionOf(std::int64_t rowid);
    // Reads the keys of the order's rows from this cursor's file.
    KeyReader orderKeyReader();
    bool rowPassesFilter(std::int64_t rowid);
    void moveTo(size_t pos);
    void notifyCurrent();
    void notifyRows();
    const std::vector<QVariant>& currentRow();
    const std::vector<QVariant>& rowValues(std::int64_t rowid);
    // The row at a position of the order; rows asked for one after another are read ahead
    // in growing runs along the index instead of one by one by row id.
    const std::vector<QVariant>& rowValuesAt(size_t pos);
    size_t readRunAhead(size_t pos, size_t count);
    int requireField(const QString& field) const;
    void startBatchTransaction();
    void holdRead();
    void releaseRead();
    void abandonBatch();
    void storeInsert();
    void storeUpdate();
    // Runs one write statement inside the current batch or a transaction of its own.
    void runWrite(Statement& statement, const std::function<void(Statement&)>& bind);
    void requireKeyGiven() const;
    [[noreturn]] void rethrowWrite(const StoreError& e);
    Statement& cached(const QString& sql);
    Statement& insertStatement(const std::vector<bool>& included);

    Database& db_;
    QString name_;
    Connection conn_;
    TableSchema schema_;
    State state_ = State::Inactive;

    QString orderSpec_;
    QStringList orderColumns_;          // the key of the current order; "rowid" alone without an index
    bool orderedByIndex_ = false;
    QString filter_;
    bool filtered_ = false;

    OrderIndex order_;
    bool orderValid_ = false;
    size_t lastOrderSize_ = 0;  // rows of the order last built: room made before the next build
    std::unique_ptr<OrderBuilder> builder_; // the whole order, while order_ holds its first rows
    size_t rowsWhileBuilding_ = 0;
    std::unique_ptr<OrderBuilder> refresh_; // the order after another program's commit, while order_ is the one before
    bool orderStale_ = false;     // another connection committed since order_ was read
    quint64 commitsSeen_ = 0;     // other connections' commits noticed since the table was opened
    quint64 refreshCommits_ = 0;  // commitsSeen_ when refresh_ started
    // Rows as they were read before another program's commit, for those it removed while the
    // order still names them.
    QHash<std::int64_t, std::vector<QVariant>> lastKnownRows_;
    std::vector<QVariant> missingRow_;
    int backgroundOrderFrom_ = kBackgroundOrderFrom;
    std::string previousKey_;   // the current row's key when the order was given up
    std::int64_t dataVersion_ = 0;
    size_t pos_ = 0;
    std::int64_t currentRowid_ = 0;
    bool hasCurrent_ = false;
    bool eof_ = true;
    bool bof_ = true;

    std::vector<QVariant> buffer_;
    std::vector<bool> assigned_;
    bool anyAssigned_ = false;

    QHash<std::int64_t, std::vector<QVariant>> rowCache_;
    size_t nextInSequence_ = SIZE_MAX;  // the position after the last one read
    size_t runLength_ = 1;              // rows the next read in sequence takes at once
    size_t sequenceLength_ = 0;         // reads in a row, each right after the one before
    Statement* runStatement_ = nullptr; // one of statements_: a run of rows from a key on
    QHash<QString, std::shared_ptr<Statement>> statements_;
    Statement* rowStatement_ = nullptr; // one of statements_: a row by its id
    Statement* keyStatement_ = nullptr; // one of statements_: the order key of a row by its id
    std::map<std::vector<bool>, std::shared_ptr<Statement>> insertStatements_;

    int disabledCount_ = 0;
    bool pendingNotify_ = false;
    int batchDepth_ = 0;
    std::unique_ptr<Transaction> batchTransaction_; // the open part of the batch, if any
    bool bulkCache_ = false;
    qint64 batchWrites_ = 0; // writes inside batchTransaction_
    qint64 committedWrites_ = 0;
    qint64 lostWrites_ = 0;
    QElapsedTimer batchTimer_;
    int readDepth_ = 0;
    bool readHeld_ = false;    // a read transaction of the span is open
    bool freshInRead_ = false; // the data version was looked at since the read was taken
    QElapsedTimer readTimer_;
    quint64 storeReads_ = 0;
    quint64 rowsRead_ = 0;
    quint64 foregroundOrderBuilds_ = 0;
};

// Holds a read span on a table for a scope.
class ReadSpan {
public:
    explicit ReadSpan(Table& table) : table_(table) { table_.beginReading(); }
    ~ReadSpan() { table_.endReading(); }
    ReadSpan(const ReadSpan&) = delete;
    ReadSpan& operator=(const ReadSpan&) = delete;

private:
    Table& table_;
};

// Holds a batch on a table for a scope. commit() ends it and reports a failed last commit; a
// scope left without commit() (an exception on its way) still commits what is pending.
class WriteBatch {
public:
    explicit WriteBatch(Table& table) : table_(table) { table_.beginBatch(); }
    ~WriteBatch();
    WriteBatch(const WriteBatch&) = delete;
    WriteBatch& operator=(const WriteBatch&) = delete;
    void commit();

private:
    Table& table_;
    bool ended_ = false;
};

} // namespace verbalo::store

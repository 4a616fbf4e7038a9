#include "order_builder.h"

#include "ordered_row_reader.h"

#include <QScopeGuard>

#include <sqlite3.h>

namespace verbalo::store {

OrderBuilder::OrderBuilder(std::unique_ptr<OrderedRowReader> reader) : reader_(std::move(reader)) {
    // It reads the index once from start to end: a page cache would only cost memory.
    reader_->connection().exec(QStringLiteral("PRAGMA cache_size=-512"));
}

OrderBuilder::~OrderBuilder() {
    stop_.store(true, std::memory_order_relaxed);
    if (reader_->connection().handle()) sqlite3_interrupt(reader_->connection().handle());
    if (thread_.joinable()) thread_.join();
}

size_t OrderBuilder::countAndReadHead(const QString& countSql, OrderIndex& head, const QString& headSql, int keyColumns,
                                      size_t headRows, size_t headFrom) {
    Connection& conn = reader_->connection();
    // Counting walks every page of the table. Mapped into memory, a page is read where it lies
    // instead of being copied in by a system call each: a count of ten million rows takes a
    // quarter of the time. The mapping ends with the count, so that the file's pages do not
    // stay in the program's resident memory. Should the unmapping fail, the pages only stay
    // mapped until the connection closes: nothing is lost, and the count stands.
    conn.exec(QStringLiteral("PRAGMA mmap_size=%1").arg(kCountMapBytes));
    const auto unmap = qScopeGuard([&conn] { sqlite3_exec(conn.handle(), "PRAGMA mmap_size=0", nullptr, nullptr, nullptr); });
    conn.exec(QStringLiteral("BEGIN"));
    size_t rows = 0;
    try {
        Statement count(conn, countSql);
        count.step();
        rows = static_cast<size_t>(count.int64(0));
        count.reset();
        if (rows >= headFrom) {
            Statement s(conn, headSql + QStringLiteral(" LIMIT %1").arg(headRows));
            head.loadFrom(s.handle(), keyColumns);
        }
    } catch (...) {
        // A read has nothing to store: ending it cannot lose anything.
        sqlite3_exec(conn.handle(), "COMMIT", nullptr, nullptr, nullptr);
        throw;
    }
    sqlite3_exec(conn.handle(), "COMMIT", nullptr, nullptr, nullptr);
    return rows;
}

void OrderBuilder::start(int keyColumns, size_t expectedRows, std::function<void()> done) {
    thread_ = std::thread([this, keyColumns, expectedRows, done = std::move(done)] { run(keyColumns, expectedRows, done); });
}

void OrderBuilder::run(int keyColumns, size_t expectedRows, const std::function<void()>& done) {
    try {
        Connection& conn = reader_->connection();
        const std::int64_t before = conn.dataVersion();
        result_.reserve(expectedRows + expectedRows / 64);
        while (reader_->next()) {
            if (stop_.load(std::memory_order_relaxed)) throw StoreError(QStringLiteral("ordering the rows was stopped"));
            result_.append(reader_->statement(), keyColumns);
        }
        sawCommit_ = conn.dataVersion() != before;
    } catch (const StoreError& e) {
        result_.clear();
        error_ = e;
    } catch (const std::exception& e) {
        // Out of memory, most likely: the cursor that waits says it.
        result_.clear();
        error_ = StoreError(QString::fromLocal8Bit(e.what()));
    }
    done_.store(true, std::memory_order_release);
    if (done) done();
}

OrderIndex OrderBuilder::take() {
    if (thread_.joinable()) thread_.join();
    if (error_) throw *error_;
    return std::move(result_);
}

} // namespace verbalo::store

#include "order_builder.h"

#include <sqlite3.h>

namespace verbalo::store {

OrderBuilder::OrderBuilder(Connection connection, const QString& tableName) : conn_(std::move(connection)) {
    conn_.exec(QStringLiteral("BEGIN"));
    try {
        Statement count(conn_, QStringLiteral("SELECT count(*) FROM %1").arg(quoteIdentifier(tableName)));
        count.step();
        rows_ = static_cast<size_t>(count.int64(0));
    } catch (...) {
        endRead();
        throw;
    }
}

OrderBuilder::~OrderBuilder() {
    stop_.store(true, std::memory_order_relaxed);
    if (conn_.handle()) sqlite3_interrupt(conn_.handle());
    if (thread_.joinable()) thread_.join();
    endRead();
}

void OrderBuilder::endRead() {
    // A read has nothing to store: ending it cannot lose anything.
    if (conn_.handle() && conn_.inTransaction()) sqlite3_exec(conn_.handle(), "COMMIT", nullptr, nullptr, nullptr);
}

void OrderBuilder::readHead(OrderIndex& head, const QString& sql, int keyColumns, size_t headRows) {
    Statement s(conn_, sql + QStringLiteral(" LIMIT %1").arg(headRows));
    head.loadFrom(s.handle(), keyColumns);
}

void OrderBuilder::start(const QString& sql, int keyColumns) {
    thread_ = std::thread([this, sql, keyColumns] { run(sql, keyColumns); });
}

void OrderBuilder::run(QString sql, int keyColumns) {
    try {
        Statement s(conn_, sql);
        result_.reserve(rows_ + rows_ / 64);
        result_.loadFrom(s.handle(), keyColumns, &stop_);
    } catch (const StoreError& e) {
        result_.clear();
        error_ = e;
    } catch (const std::exception& e) {
        // Out of memory, most likely: the cursor that waits says it.
        result_.clear();
        error_ = StoreError(QString::fromLocal8Bit(e.what()));
    }
    endRead();
    done_.store(true, std::memory_order_release);
}

OrderIndex OrderBuilder::take() {
    if (thread_.joinable()) thread_.join();
    // The thread is done with the connection: its pages need not stay in memory.
    endRead();
    conn_ = Connection();
    if (error_) throw *error_;
    return std::move(result_);
}

} // namespace verbalo::store

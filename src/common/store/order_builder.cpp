#include "order_builder.h"

#include <sqlite3.h>

namespace verbalo::store {

OrderBuilder::OrderBuilder(Connection connection, const QString& sql, int keyColumns, size_t expectedRows)
    : conn_(std::move(connection)) {
    thread_ = std::thread([this, sql, keyColumns, expectedRows] { run(sql, keyColumns, expectedRows); });
}

OrderBuilder::~OrderBuilder() {
    stop_.store(true, std::memory_order_relaxed);
    if (conn_.handle()) sqlite3_interrupt(conn_.handle());
    if (thread_.joinable()) thread_.join();
}

void OrderBuilder::run(QString sql, int keyColumns, size_t expectedRows) {
    try {
        Statement s(conn_, sql);
        result_.reserve(expectedRows + expectedRows / 64);
        result_.loadFrom(s.handle(), keyColumns, &stop_);
    } catch (const StoreError& e) {
        result_.clear();
        error_ = e;
    } catch (const std::exception& e) {
        // Out of memory, most likely: the cursor that waits says it.
        result_.clear();
        error_ = StoreError(QString::fromLocal8Bit(e.what()));
    }
    done_.store(true, std::memory_order_release);
}

OrderIndex OrderBuilder::take() {
    if (thread_.joinable()) thread_.join();
    // The thread is done with the connection: its pages need not stay in memory.
    conn_ = Connection();
    if (error_) throw *error_;
    return std::move(result_);
}

} // namespace verbalo::store

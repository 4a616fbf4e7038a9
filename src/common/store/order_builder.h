#pragma once

#include "order_index.h"
#include "sqlite_handle.h"
#include "store_error.h"

#include <QString>

#include <atomic>
#include <optional>
#include <thread>

namespace verbalo::store {

// Builds the order of a table on a thread and a connection of its own, so that a window can
// show the first rows of a large table and its record count while the rest is being ordered.
// The connection only reads; the other program can still write in the meantime, and the cursor
// that waits for the order learns of such a commit by its data version as ever.
class OrderBuilder {
public:
    // Takes a read of the file on the connection and counts the rows: the count, the first
    // rows and the order all come from that one read, so that they agree.
    OrderBuilder(Connection connection, const QString& tableName);
    // Stops the build and waits for the thread.
    ~OrderBuilder();
    OrderBuilder(const OrderBuilder&) = delete;
    OrderBuilder& operator=(const OrderBuilder&) = delete;

    size_t rows() const { return rows_; }
    // The first rows of the order, read at once. sql: "SELECT rowid, key columns... ORDER BY ...".
    void readHead(OrderIndex& head, const QString& sql, int keyColumns, size_t headRows);
    // Builds the whole order on a thread of its own.
    void start(const QString& sql, int keyColumns);
    bool ready() const { return done_.load(std::memory_order_acquire); }
    // Waits for the order and hands it over; StoreError when building it failed.
    OrderIndex take();

private:
    void run(QString sql, int keyColumns);
    void endRead();

    Connection conn_;
    size_t rows_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    OrderIndex result_;
    std::optional<StoreError> error_;
    std::thread thread_;
};

} // namespace verbalo::store

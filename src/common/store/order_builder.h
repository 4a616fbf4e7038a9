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
    // sql: "SELECT rowid, key columns... ORDER BY ..." as the cursor would run it.
    OrderBuilder(Connection connection, const QString& sql, int keyColumns, size_t expectedRows);
    // Stops the build and waits for the thread.
    ~OrderBuilder();
    OrderBuilder(const OrderBuilder&) = delete;
    OrderBuilder& operator=(const OrderBuilder&) = delete;

    bool ready() const { return done_.load(std::memory_order_acquire); }
    // Waits for the order and hands it over; StoreError when building it failed.
    OrderIndex take();

private:
    void run(QString sql, int keyColumns, size_t expectedRows);

    Connection conn_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    OrderIndex result_;
    std::optional<StoreError> error_;
    std::thread thread_;
};

} // namespace verbalo::store

#pragma once

#include "order_index.h"
#include "store_error.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace verbalo::store {

class OrderedRowReader;

// Builds the order of a table on a thread and a connection of its own, so that a window can
// show the first rows of a large table and its record count while the rest is being ordered,
// and go on showing the order it has while another program's commit is being ordered in.
//
// The rows are read in statements of kSpanMillis each (an OrderedRowReader), so that the other
// program can commit in between: a commit waits for a reader's shared lock to go, and while it
// waits nobody can start reading, the window included. A commit that came in between two of
// those statements shows in sawCommit(): the order then mixes two states of the file.
class OrderBuilder {
public:
    static constexpr qint64 kSpanMillis = 20;
    // The engine maps at most this much of a file (its own limit as built for Debian).
    static constexpr qint64 kCountMapBytes = 0x7fff0000;

    // The reader walks the rows in the order to build and selects their keys
    // (OrderedRowReader::Select::OrderKey); made on the caller's thread.
    explicit OrderBuilder(std::unique_ptr<OrderedRowReader> reader);
    // Stops the build and waits for the thread.
    ~OrderBuilder();
    OrderBuilder(const OrderBuilder&) = delete;
    OrderBuilder& operator=(const OrderBuilder&) = delete;

    // Counts the rows and, when they are at least headFrom, reads the first headRows of them in
    // the same read, so that the two agree. countSql: "SELECT count(*) ..."; headSql: "SELECT
    // rowid, key columns... ORDER BY ...".
    size_t countAndReadHead(const QString& countSql, OrderIndex& head, const QString& headSql, int keyColumns,
                            size_t headRows, size_t headFrom);
    // Builds the whole order on a thread of its own; `done`, when given, is called on that
    // thread once the order (or the failure) can be taken.
    void start(int keyColumns, size_t expectedRows, std::function<void()> done = {});
    bool ready() const { return done_.load(std::memory_order_acquire); }
    // Waits for the order and hands it over; StoreError when building it failed.
    OrderIndex take();
    // After take(): another connection committed while the rows were being read.
    bool sawCommit() const { return sawCommit_; }

private:
    void run(int keyColumns, size_t expectedRows, const std::function<void()>& done);

    std::unique_ptr<OrderedRowReader> reader_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    bool sawCommit_ = false;
    OrderIndex result_;
    std::optional<StoreError> error_;
    std::thread thread_;
};

} // namespace verbalo::store

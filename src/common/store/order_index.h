#pragma once

#include <QByteArray>
#include <QVariant>
#include <QVector>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct sqlite3_stmt;

namespace verbalo::store {

// One row's values in the order columns, encoded compactly: per column a tag byte, then
// 8 bytes for numbers or a 4-byte length and the UTF-8 text or blob bytes.
class OrderKey {
public:
    static OrderKey fromStatement(sqlite3_stmt* stmt, int firstColumn, int columnCount);
    static OrderKey fromValues(const QVariantList& values);
    static OrderKey fromBytes(std::string bytes) {
        OrderKey k;
        k.bytes_ = std::move(bytes);
        return k;
    }
    const std::string& bytes() const { return bytes_; }
    bool empty() const { return bytes_.empty(); }

private:
    std::string bytes_;
};

enum class KeyStrength { Exact, IgnoringCase };

// Binds the columns of an encoded key to the statement's parameters from firstParameter on;
// false when one of them is null, which a comparison in SQL cannot reach.
bool bindEncodedKey(sqlite3_stmt* stmt, int firstParameter, const std::string& key, int columns);

// Compares encoded keys column by column in the store's order (null < numbers < text < blob),
// over at most `columns` columns.
int compareEncodedKeys(const char* a, size_t aLen, const char* b, size_t bLen, int columns, KeyStrength strength);

// Reads the order key of one row from the file; empty when the row is not there.
using KeyReader = std::function<std::string(std::int64_t rowid)>;

// The rows of a table in the current order, kept in memory so that positioning, record
// numbers and record counts cost a binary search, not a scan. Only the row ids are held for
// every row; the key is held for one row in kFenceInterval (a fence), so that a search finds
// its stretch of rows in memory and reads the keys of a few rows of that stretch from the file.
// That keeps the order at about 8.5 bytes a row whatever the keys are.
class OrderIndex {
public:
    static constexpr size_t kFenceInterval = 64;

    void setKeyReader(KeyReader reader) { reader_ = std::move(reader); }
    void clear();
    void reserve(size_t rows);
    // Reads "rowid, key columns..." rows until the statement is done. A set `stop` flag ends
    // the read early with a StoreError.
    void loadFrom(sqlite3_stmt* stmt, int keyColumns, const std::atomic<bool>* stop = nullptr);
    // Adds the statement's current row ("rowid, key columns...") after the last one.
    void append(sqlite3_stmt* stmt, int keyColumns);

    size_t size() const { return rowids_.size(); }
    std::int64_t rowidAt(size_t pos) const { return rowids_[pos]; }
    // The key of the row at a position, read from the file.
    std::string keyAt(size_t pos) const;
    // The key of the nearest fence at or before a position (from memory); empty when none.
    std::string fenceKeyAtOrBefore(size_t pos) const;

    // First position whose key is not less than `key` (over the key's own column count). A row
    // whose key cannot be read (gone from the file since the order was read) counts as the next
    // row that has one, so that a search in such an order still lands where the rest lead.
    size_t lowerBound(const OrderKey& key, int columns, KeyStrength strength) const;
    // Position of a row id whose key is `key`; size() when absent.
    size_t find(std::int64_t rowid, const OrderKey& key, int columns) const;
    // Inserts after every row with an equal key and a smaller row id.
    size_t insert(std::int64_t rowid, const OrderKey& key, int columns);
    void removeAt(size_t pos);
    size_t memoryBytes() const;

private:
    int compareAt(size_t pos, const OrderKey& key, int columns, KeyStrength strength) const;
    int compareFence(size_t fence, const OrderKey& key, int columns, KeyStrength strength) const;
    void addFence(size_t pos, const char* key, size_t length);
    // `key` is room for a fence's key, kept between rows so that a run of rows allocates once.
    void appendRow(sqlite3_stmt* stmt, int keyColumns, std::string& key);

    KeyReader reader_;
    std::vector<std::int64_t> rowids_;
    std::vector<std::uint32_t> fencePositions_; // ascending
    std::vector<std::uint32_t> fenceOffsets_;   // start of each fence's key in fenceKeys_
    std::vector<std::uint32_t> fenceLengths_;
    std::string fenceKeys_;
};

} // namespace verbalo::store

#pragma once

#include <QByteArray>
#include <QVariant>
#include <QVector>

#include <cstdint>
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

// The rows of a table in the current order: their row ids and order keys, kept in memory so
// that positioning, record numbers and record counts cost a binary search, not a scan.
class OrderIndex {
public:
    void clear();
    void reserve(size_t rows, size_t keyBytes);
    void append(std::int64_t rowid, const std::string& key);
    // Reads "rowid, key columns..." rows until the statement is done.
    void loadFrom(sqlite3_stmt* stmt, int keyColumns);

    size_t size() const { return rowids_.size(); }
    std::int64_t rowidAt(size_t pos) const { return rowids_[pos]; }
    std::string keyAt(size_t pos) const;
    // One column of a row's key as the engine gives it (qlonglong, double, QString, QByteArray
    // or null), read from memory.
    QVariant keyValueAt(size_t pos, int column) const;

    // First position whose key is not less than `key` (over the key's own column count).
    size_t lowerBound(const OrderKey& key, int columns, KeyStrength strength) const;
    // Position of a row id whose key is `key`; size() when absent.
    size_t find(std::int64_t rowid, const OrderKey& key, int columns) const;
    // Inserts after every row with an equal key and a smaller row id.
    size_t insert(std::int64_t rowid, const OrderKey& key, int columns);
    void removeAt(size_t pos);
    size_t memoryBytes() const;

private:
    int compareAt(size_t pos, const OrderKey& key, int columns, KeyStrength strength) const;
    std::vector<std::int64_t> rowids_;
    std::vector<std::uint32_t> offsets_; // start of each row's key in keys_
    std::vector<std::uint32_t> lengths_;
    std::string keys_;
    size_t garbage_ = 0;
};

} // namespace verbalo::store

#include "order_index.h"

#include "collation.h"
#include "store_error.h"
#include "table_values.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace verbalo::store {
namespace {

enum Tag : char { TagNull = 0, TagNumber = 1, TagText = 2, TagBlob = 3 };

void putDouble(std::string& out, double v) {
    char buf[8];
    std::memcpy(buf, &v, 8);
    out.append(buf, 8);
}

void putBytes(std::string& out, Tag tag, const char* p, size_t n) {
    out.push_back(tag);
    std::uint32_t len = static_cast<std::uint32_t>(n);
    char buf[4];
    std::memcpy(buf, &len, 4);
    out.append(buf, 4);
    out.append(p, n);
}

// Numbers compare as doubles, as SQLite does for mixed integer/real; the integer is kept
// alongside so that large integers still compare exactly.
void putNumber(std::string& out, std::int64_t i, double d, bool isInteger) {
    out.push_back(TagNumber);
    out.push_back(isInteger ? 1 : 0);
    if (isInteger) {
        char buf[8];
        std::memcpy(buf, &i, 8);
        out.append(buf, 8);
    } else {
        putDouble(out, d);
    }
}

// One key column, whichever way its value arrives: from the engine or from the caller.
void putCell(std::string& out, StorageClass cls, std::int64_t i, double d, const char* p, size_t n) {
    switch (cls) {
    case StorageClass::Null: out.push_back(TagNull); break;
    case StorageClass::Integer: putNumber(out, i, 0, true); break;
    case StorageClass::Real: putNumber(out, 0, d, false); break;
    case StorageClass::Text: putBytes(out, TagText, p, n); break;
    case StorageClass::Blob: putBytes(out, TagBlob, p ? p : "", n); break;
    }
}

// The key columns [first, first + count) of the statement's current row, encoded straight
// into out: no allocation per row.
void putColumns(std::string& out, sqlite3_stmt* stmt, int first, int count) {
    for (int c = first; c < first + count; ++c) {
        switch (sqlite3_column_type(stmt, c)) {
        case SQLITE_NULL: putCell(out, StorageClass::Null, 0, 0, nullptr, 0); break;
        case SQLITE_INTEGER: putCell(out, StorageClass::Integer, sqlite3_column_int64(stmt, c), 0, nullptr, 0); break;
        case SQLITE_FLOAT: putCell(out, StorageClass::Real, 0, sqlite3_column_double(stmt, c), nullptr, 0); break;
        case SQLITE_TEXT: {
            // The pointer is taken before the length, as the engine asks.
            const char* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            putCell(out, StorageClass::Text, 0, 0, t, static_cast<size_t>(sqlite3_column_bytes(stmt, c)));
            break;
        }
        default: {
            const char* b = static_cast<const char*>(sqlite3_column_blob(stmt, c));
            putCell(out, StorageClass::Blob, 0, 0, b, static_cast<size_t>(sqlite3_column_bytes(stmt, c)));
        }
        }
    }
}

struct Cell {
    Tag tag;
    bool isInteger = false;
    std::int64_t i = 0;
    double d = 0;
    const char* p = nullptr;
    std::uint32_t n = 0;
};

const char* readCell(const char* p, Cell& c) {
    c.tag = static_cast<Tag>(*p++);
    switch (c.tag) {
    case TagNull: break;
    case TagNumber:
        c.isInteger = *p++ != 0;
        if (c.isInteger) {
            std::memcpy(&c.i, p, 8);
            c.d = static_cast<double>(c.i);
        } else
            std::memcpy(&c.d, p, 8);
        p += 8;
        break;
    default:
        std::memcpy(&c.n, p, 4);
        p += 4;
        c.p = p;
        p += c.n;
    }
    return p;
}

int compareCells(const Cell& a, const Cell& b, KeyStrength strength) {
    if (a.tag != b.tag) return a.tag < b.tag ? -1 : 1;
    switch (a.tag) {
    case TagNull: return 0;
    case TagNumber:
        if (a.isInteger && b.isInteger) return a.i < b.i ? -1 : (a.i > b.i ? 1 : 0);
        return a.d < b.d ? -1 : (a.d > b.d ? 1 : 0);
    case TagText:
        return strength == KeyStrength::Exact ? compareKeys(a.p, static_cast<int>(a.n), b.p, static_cast<int>(b.n))
                                              : compareKeysIgnoringCase(a.p, static_cast<int>(a.n), b.p, static_cast<int>(b.n));
    default: {
        int r = std::memcmp(a.p, b.p, std::min(a.n, b.n));
        if (r != 0) return r < 0 ? -1 : 1;
        return a.n < b.n ? -1 : (a.n > b.n ? 1 : 0);
    }
    }
}

} // namespace

OrderKey OrderKey::fromStatement(sqlite3_stmt* stmt, int firstColumn, int columnCount) {
    OrderKey k;
    putColumns(k.bytes_, stmt, firstColumn, columnCount);
    return k;
}

OrderKey OrderKey::fromValues(const QVariantList& values) {
    OrderKey k;
    for (const QVariant& v : values) {
        const StorageClass cls = storageClassOf(v);
        const QByteArray bytes = cls == StorageClass::Blob   ? v.toByteArray()
                                 : cls == StorageClass::Text ? v.toString().toUtf8()
                                                             : QByteArray();
        putCell(k.bytes_, cls, cls == StorageClass::Integer ? v.toLongLong() : 0, cls == StorageClass::Real ? v.toDouble() : 0,
                bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    return k;
}

bool bindEncodedKey(sqlite3_stmt* stmt, int firstParameter, const std::string& key, int columns) {
    const char* p = key.data();
    const char* end = p + key.size();
    for (int c = 0; c < columns; ++c) {
        if (p >= end) return false;
        Cell cell;
        p = readCell(p, cell);
        const int param = firstParameter + c;
        switch (cell.tag) {
        case TagNull: return false;
        case TagNumber:
            if (cell.isInteger)
                sqlite3_bind_int64(stmt, param, cell.i);
            else
                sqlite3_bind_double(stmt, param, cell.d);
            break;
        case TagText: sqlite3_bind_text(stmt, param, cell.p, static_cast<int>(cell.n), SQLITE_TRANSIENT); break;
        default: sqlite3_bind_blob(stmt, param, cell.p, static_cast<int>(cell.n), SQLITE_TRANSIENT);
        }
    }
    return true;
}

int compareEncodedKeys(const char* a, size_t aLen, const char* b, size_t bLen, int columns, KeyStrength strength) {
    const char* aEnd = a + aLen;
    const char* bEnd = b + bLen;
    for (int c = 0; c < columns; ++c) {
        if (a >= aEnd || b >= bEnd) return 0;
        Cell ca, cb;
        a = readCell(a, ca);
        b = readCell(b, cb);
        int r = compareCells(ca, cb, strength);
        if (r != 0) return r;
    }
    return 0;
}

void OrderIndex::clear() {
    rowids_.clear();
    fencePositions_.clear();
    fenceOffsets_.clear();
    fenceLengths_.clear();
    fenceKeys_.clear();
}

void OrderIndex::reserve(size_t rows) {
    rowids_.reserve(rows);
    fencePositions_.reserve(rows / kFenceInterval + 1);
    fenceOffsets_.reserve(rows / kFenceInterval + 1);
    fenceLengths_.reserve(rows / kFenceInterval + 1);
}

void OrderIndex::addFence(size_t pos, const char* key, size_t length) {
    if (fenceKeys_.size() + length > UINT32_MAX || pos > UINT32_MAX)
        throw StoreError(QStringLiteral("table too large to order in memory"));
    fencePositions_.push_back(static_cast<std::uint32_t>(pos));
    fenceOffsets_.push_back(static_cast<std::uint32_t>(fenceKeys_.size()));
    fenceLengths_.push_back(static_cast<std::uint32_t>(length));
    fenceKeys_.append(key, length);
}

void OrderIndex::loadFrom(sqlite3_stmt* stmt, int keyColumns, const std::atomic<bool>* stop) {
    std::string key;
    for (;;) {
        if (stop && (rowids_.size() & 4095) == 0 && stop->load(std::memory_order_relaxed)) {
            sqlite3_reset(stmt);
            throw StoreError(QStringLiteral("ordering the rows was stopped"));
        }
        int rc = sqlite3_step(stmt);
        if (rc == SQLITE_DONE) break;
        if (rc != SQLITE_ROW) {
            sqlite3* db = sqlite3_db_handle(stmt);
            const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
            const int code = sqlite3_extended_errcode(db);
            sqlite3_reset(stmt);
            throw StoreError(msg, code);
        }
        try {
            appendRow(stmt, keyColumns, key);
        } catch (...) {
            sqlite3_reset(stmt);
            throw;
        }
    }
    sqlite3_reset(stmt);
}

void OrderIndex::append(sqlite3_stmt* stmt, int keyColumns) {
    std::string key;
    appendRow(stmt, keyColumns, key);
}

void OrderIndex::appendRow(sqlite3_stmt* stmt, int keyColumns, std::string& key) {
    if (rowids_.size() % kFenceInterval == 0) {
        key.clear();
        putColumns(key, stmt, 1, keyColumns);
        addFence(rowids_.size(), key.data(), key.size());
    }
    rowids_.push_back(sqlite3_column_int64(stmt, 0));
}

std::string OrderIndex::keyAt(size_t pos) const {
    return reader_ ? reader_(rowids_[pos]) : std::string();
}

std::string OrderIndex::fenceKeyAtOrBefore(size_t pos) const {
    auto it = std::upper_bound(fencePositions_.begin(), fencePositions_.end(), pos);
    if (it == fencePositions_.begin()) return std::string();
    const size_t f = static_cast<size_t>(it - fencePositions_.begin()) - 1;
    return fenceKeys_.substr(fenceOffsets_[f], fenceLengths_[f]);
}

int OrderIndex::compareAt(size_t pos, const OrderKey& key, int columns, KeyStrength strength) const {
    const std::string own = keyAt(pos);
    return compareEncodedKeys(own.data(), own.size(), key.bytes().data(), key.bytes().size(), columns, strength);
}

int OrderIndex::compareFence(size_t fence, const OrderKey& key, int columns, KeyStrength strength) const {
    return compareEncodedKeys(fenceKeys_.data() + fenceOffsets_[fence], fenceLengths_[fence], key.bytes().data(),
                              key.bytes().size(), columns, strength);
}

size_t OrderIndex::lowerBound(const OrderKey& key, int columns, KeyStrength strength) const {
    // The fences narrow the search to the stretch between two of them without a read; only
    // the rows of that stretch are read.
    size_t flo = 0, fhi = fencePositions_.size();
    while (flo < fhi) {
        const size_t mid = flo + (fhi - flo) / 2;
        if (compareFence(mid, key, columns, strength) < 0)
            flo = mid + 1;
        else
            fhi = mid;
    }
    size_t lo = flo > 0 ? fencePositions_[flo - 1] + size_t{1} : 0;
    size_t hi = flo < fencePositions_.size() ? fencePositions_[flo] : rowids_.size();
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        size_t probe = mid;
        std::string own = keyAt(probe);
        while (own.empty() && ++probe < hi) own = keyAt(probe);
        // Rows without a key up to hi count as the row at hi, which is not less than the key.
        if (own.empty()) {
            hi = mid;
            continue;
        }
        if (compareEncodedKeys(own.data(), own.size(), key.bytes().data(), key.bytes().size(), columns, strength) < 0)
            lo = probe + 1;
        else
            hi = mid;
    }
    return lo;
}

size_t OrderIndex::find(std::int64_t rowid, const OrderKey& key, int columns) const {
    for (size_t pos = lowerBound(key, columns, KeyStrength::Exact); pos < rowids_.size(); ++pos) {
        if (rowids_[pos] == rowid) return pos;
        if (compareAt(pos, key, columns, KeyStrength::Exact) != 0) break;
    }
    return rowids_.size();
}

size_t OrderIndex::insert(std::int64_t rowid, const OrderKey& key, int columns) {
    size_t pos = lowerBound(key, columns, KeyStrength::Exact);
    while (pos < rowids_.size() && rowids_[pos] < rowid && compareAt(pos, key, columns, KeyStrength::Exact) == 0) ++pos;
    if (rowids_.size() >= UINT32_MAX) throw StoreError(QStringLiteral("table too large to order in memory"));
    rowids_.insert(rowids_.begin() + static_cast<std::ptrdiff_t>(pos), rowid);
    auto it = std::lower_bound(fencePositions_.begin(), fencePositions_.end(), pos);
    for (; it != fencePositions_.end(); ++it) ++*it;
    return pos;
}

void OrderIndex::removeAt(size_t pos) {
    rowids_.erase(rowids_.begin() + static_cast<std::ptrdiff_t>(pos));
    auto it = std::lower_bound(fencePositions_.begin(), fencePositions_.end(), pos);
    if (it != fencePositions_.end() && *it == pos) {
        // The fence's row is gone; the fence before it covers its stretch from now on. Its key
        // bytes stay unused until the order is next built.
        const auto f = it - fencePositions_.begin();
        fenceOffsets_.erase(fenceOffsets_.begin() + f);
        fenceLengths_.erase(fenceLengths_.begin() + f);
        it = fencePositions_.erase(it);
    }
    for (; it != fencePositions_.end(); ++it) --*it;
}

size_t OrderIndex::memoryBytes() const {
    return rowids_.capacity() * 8 + (fencePositions_.capacity() + fenceOffsets_.capacity() + fenceLengths_.capacity()) * 4 +
           fenceKeys_.capacity();
}

} // namespace verbalo::store

#include "order_index.h"

#include "collation.h"
#include "store_error.h"
#include "table_values.h"

#include <sqlite3.h>

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
    offsets_.clear();
    lengths_.clear();
    keys_.clear();
    garbage_ = 0;
}

void OrderIndex::reserve(size_t rows, size_t keyBytes) {
    rowids_.reserve(rows);
    offsets_.reserve(rows);
    lengths_.reserve(rows);
    keys_.reserve(keyBytes);
}

void OrderIndex::append(std::int64_t rowid, const std::string& key) {
    if (keys_.size() + key.size() > UINT32_MAX) throw StoreError(QStringLiteral("table too large to order in memory"));
    rowids_.push_back(rowid);
    offsets_.push_back(static_cast<std::uint32_t>(keys_.size()));
    lengths_.push_back(static_cast<std::uint32_t>(key.size()));
    keys_.append(key);
}

void OrderIndex::loadFrom(sqlite3_stmt* stmt, int keyColumns) {
    for (;;) {
        int rc = sqlite3_step(stmt);
        if (rc == SQLITE_DONE) break;
        if (rc != SQLITE_ROW) {
            sqlite3* db = sqlite3_db_handle(stmt);
            const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
            const int code = sqlite3_extended_errcode(db);
            sqlite3_reset(stmt);
            throw StoreError(msg, code);
        }
        const std::int64_t rowid = sqlite3_column_int64(stmt, 0);
        const size_t start = keys_.size();
        putColumns(keys_, stmt, 1, keyColumns);
        if (keys_.size() > UINT32_MAX) {
            sqlite3_reset(stmt);
            throw StoreError(QStringLiteral("table too large to order in memory"));
        }
        rowids_.push_back(rowid);
        offsets_.push_back(static_cast<std::uint32_t>(start));
        lengths_.push_back(static_cast<std::uint32_t>(keys_.size() - start));
    }
    sqlite3_reset(stmt);
}

std::string OrderIndex::keyAt(size_t pos) const {
    return keys_.substr(offsets_[pos], lengths_[pos]);
}

QVariant OrderIndex::keyValueAt(size_t pos, int column) const {
    const char* p = keys_.data() + offsets_[pos];
    const char* end = p + lengths_[pos];
    Cell cell{};
    for (int c = 0; c <= column; ++c) {
        if (p >= end) return QVariant();
        p = readCell(p, cell);
    }
    switch (cell.tag) {
    case TagNull: return QVariant();
    case TagNumber: return cell.isInteger ? QVariant::fromValue<qlonglong>(cell.i) : QVariant(cell.d);
    case TagText: return QString::fromUtf8(cell.p, static_cast<qsizetype>(cell.n));
    default: return cell.n > 0 ? QByteArray(cell.p, static_cast<qsizetype>(cell.n)) : QByteArray("", 0);
    }
}

int OrderIndex::compareAt(size_t pos, const OrderKey& key, int columns, KeyStrength strength) const {
    return compareEncodedKeys(keys_.data() + offsets_[pos], lengths_[pos], key.bytes().data(), key.bytes().size(), columns,
                              strength);
}

size_t OrderIndex::lowerBound(const OrderKey& key, int columns, KeyStrength strength) const {
    size_t lo = 0, hi = rowids_.size();
    while (lo < hi) {
        size_t mid = lo + (hi - lo) / 2;
        if (compareAt(mid, key, columns, strength) < 0)
            lo = mid + 1;
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
    while (pos < rowids_.size() && compareAt(pos, key, columns, KeyStrength::Exact) == 0 && rowids_[pos] < rowid) ++pos;
    if (keys_.size() + key.bytes().size() > UINT32_MAX) throw StoreError(QStringLiteral("table too large to order in memory"));
    rowids_.insert(rowids_.begin() + static_cast<std::ptrdiff_t>(pos), rowid);
    offsets_.insert(offsets_.begin() + static_cast<std::ptrdiff_t>(pos), static_cast<std::uint32_t>(keys_.size()));
    lengths_.insert(lengths_.begin() + static_cast<std::ptrdiff_t>(pos), static_cast<std::uint32_t>(key.bytes().size()));
    keys_.append(key.bytes());
    return pos;
}

void OrderIndex::removeAt(size_t pos) {
    garbage_ += lengths_[pos];
    rowids_.erase(rowids_.begin() + static_cast<std::ptrdiff_t>(pos));
    offsets_.erase(offsets_.begin() + static_cast<std::ptrdiff_t>(pos));
    lengths_.erase(lengths_.begin() + static_cast<std::ptrdiff_t>(pos));
}

size_t OrderIndex::memoryBytes() const {
    return rowids_.capacity() * 8 + offsets_.capacity() * 4 + lengths_.capacity() * 4 + keys_.capacity();
}

} // namespace verbalo::store

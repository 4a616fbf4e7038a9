#include "collation.h"

#include "sqlite_handle.h"

#include <QString>
#include <QVector>
#include <sqlite3.h>
#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/utf8.h>

#include <cstring>
#include <memory>
#include <string>

namespace verbalo::store {
namespace {

struct Collators {
    UCollator* full = nullptr;
    UCollator* ignoringCase = nullptr;
    Collators() {
        UErrorCode status = U_ZERO_ERROR;
        full = ucol_open("", &status);
        status = U_ZERO_ERROR;
        ignoringCase = ucol_open("", &status);
        status = U_ZERO_ERROR;
        if (ignoringCase) ucol_setStrength(ignoringCase, UCOL_SECONDARY);
    }
    ~Collators() {
        if (full) ucol_close(full);
        if (ignoringCase) ucol_close(ignoringCase);
    }
};

// A collator is not meant to be shared between threads; each thread gets its own pair.
Collators& collators() {
    thread_local Collators c;
    return c;
}

int icuCompare(UCollator* coll, const char* a, int aLen, const char* b, int bLen) {
    UErrorCode status = U_ZERO_ERROR;
    UCollationResult r = ucol_strcollUTF8(coll, a, aLen, b, bLen, &status);
    if (U_FAILURE(status)) return 0;
    return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

int byteCompare(const char* a, int aLen, const char* b, int bLen) {
    int n = std::memcmp(a, b, static_cast<size_t>(std::min(aLen, bLen)));
    if (n != 0) return n < 0 ? -1 : 1;
    return aLen < bLen ? -1 : (aLen > bLen ? 1 : 0);
}

int sqliteCollation(void*, int aLen, const void* a, int bLen, const void* b) {
    return compareKeys(static_cast<const char*>(a), aLen, static_cast<const char*>(b), bLen);
}

bool isAscii(const unsigned char* s, int n) {
    for (int i = 0; i < n; ++i)
        if (s[i] >= 0x80) return false;
    return true;
}

enum class CaseChange { Upper, Lower };

// The Latin letters of the dictionaries' languages sit below U+0250; their mappings are looked
// up in tables made once, so scanning a large table makes no library call per character.
struct LatinCaseTables {
    static constexpr UChar32 kSize = 0x250;
    UChar32 upper[kSize];
    UChar32 lower[kSize];
    UChar32 folded[kSize];
    LatinCaseTables() {
        for (UChar32 c = 0; c < kSize; ++c) {
            upper[c] = u_toupper(c);
            lower[c] = u_tolower(c);
            folded[c] = u_foldCase(c, U_FOLD_CASE_DEFAULT);
        }
    }
};

// Made when the library loads, so that the per-character lookups need no initialisation check.
const LatinCaseTables latinCase;

inline UChar32 mapCase(UChar32 c, CaseChange how) {
    if (c < LatinCaseTables::kSize) return how == CaseChange::Upper ? latinCase.upper[c] : latinCase.lower[c];
    return how == CaseChange::Upper ? u_toupper(c) : u_tolower(c);
}

inline UChar32 foldCase(UChar32 c) {
    return c < LatinCaseTables::kSize ? latinCase.folded[c] : u_foldCase(c, U_FOLD_CASE_DEFAULT);
}

// Case mapping straight on the UTF-8 bytes, one code point at a time: no conversion to UTF-16
// and no allocation per row, as a scan calls this once per row.
void changeCase(sqlite3_context* ctx, sqlite3_value* v, CaseChange how) {
    if (sqlite3_value_type(v) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* s = sqlite3_value_text(v);
    const int n = sqlite3_value_bytes(v);
    if (!s) {
        sqlite3_result_null(ctx);
        return;
    }
    thread_local std::string out;
    out.assign(reinterpret_cast<const char*>(s), static_cast<size_t>(n));
    if (isAscii(s, n)) {
        for (char& c : out) {
            if (how == CaseChange::Upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
            if (how == CaseChange::Lower && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        }
    } else {
        // Room for the worst case: every code point growing to four bytes.
        out.resize(static_cast<size_t>(n) * 4 + U8_MAX_LENGTH);
        auto* dst = reinterpret_cast<uint8_t*>(out.data());
        const int32_t capacity = static_cast<int32_t>(out.size());
        int32_t i = 0, k = 0;
        while (i < n) {
            UChar32 c = s[i];
            if (c < 0x80) {
                ++i;
            } else {
                U8_NEXT(s, i, n, c);
                if (c < 0) c = 0xFFFD;
            }
            if (how == CaseChange::Upper && c == 0x00DF) { // ß has no single capital: SS, as Qt maps it
                dst[k++] = 'S';
                dst[k++] = 'S';
                continue;
            }
            const UChar32 mapped = mapCase(c, how);
            UBool error = false;
            U8_APPEND(dst, k, capacity, mapped, error);
            (void)error; // the buffer was sized for the worst case
        }
        out.resize(static_cast<size_t>(k));
    }
    sqlite3_result_text(ctx, out.data(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

void upperFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    changeCase(ctx, argv[0], CaseChange::Upper);
}
void lowerFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    changeCase(ctx, argv[0], CaseChange::Lower);
}

// Code points after simple case folding.
void foldInto(const unsigned char* s, int n, std::u32string& out) {
    out.clear();
    out.reserve(static_cast<size_t>(n));
    if (isAscii(s, n)) {
        for (int i = 0; i < n; ++i) {
            unsigned char c = s[i];
            out.push_back(c >= 'A' && c <= 'Z' ? char32_t(c + 32) : char32_t(c));
        }
        return;
    }
    int32_t i = 0;
    while (i < n) {
        UChar32 c;
        U8_NEXT(s, i, n, c);
        if (c < 0) c = 0xFFFD;
        out.push_back(static_cast<char32_t>(foldCase(c)));
    }
}

// SQL LIKE: "%" any run, "_" one character, an optional escape character; case-insensitive
// for every letter. Greedy matching with backtracking to the last "%".
bool likeMatch(const std::u32string& pat, const std::u32string& str, char32_t escape, bool hasEscape) {
    size_t p = 0, s = 0;
    size_t starP = std::u32string::npos, starS = 0;
    while (s < str.size()) {
        if (p < pat.size()) {
            char32_t pc = pat[p];
            if (hasEscape && pc == escape && p + 1 < pat.size()) {
                if (pat[p + 1] == str[s]) {
                    p += 2;
                    ++s;
                    continue;
                }
            } else if (pc == U'%') {
                starP = ++p;
                starS = s;
                continue;
            } else if (pc == U'_' || pc == str[s]) {
                ++p;
                ++s;
                continue;
            }
        }
        if (starP == std::u32string::npos) return false;
        p = starP;
        s = ++starS;
    }
    while (p < pat.size() && pat[p] == U'%') ++p;
    return p == pat.size();
}

void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    // SQLite passes like(pattern, text[, escape]).
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    char32_t escape = 0;
    bool hasEscape = false;
    if (argc == 3) {
        const QString e = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[2])));
        const auto ucs = e.toUcs4();
        if (ucs.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = ucs[0];
        hasEscape = true;
    }
    auto* pattern = static_cast<std::u32string*>(sqlite3_get_auxdata(ctx, 0));
    if (!pattern) {
        auto owned = std::make_unique<std::u32string>();
        foldInto(sqlite3_value_text(argv[0]), sqlite3_value_bytes(argv[0]), *owned);
        pattern = owned.get();
        sqlite3_set_auxdata(ctx, 0, owned.release(), [](void* p) { delete static_cast<std::u32string*>(p); });
        // set_auxdata may free at once; fetch again to know whether it was kept.
        pattern = static_cast<std::u32string*>(sqlite3_get_auxdata(ctx, 0));
    }
    std::u32string localPattern;
    if (!pattern) {
        foldInto(sqlite3_value_text(argv[0]), sqlite3_value_bytes(argv[0]), localPattern);
        pattern = &localPattern;
    }
    thread_local std::u32string text;
    foldInto(sqlite3_value_text(argv[1]), sqlite3_value_bytes(argv[1]), text);
    sqlite3_result_int(ctx, likeMatch(*pattern, text, escape, hasEscape) ? 1 : 0);
}

} // namespace

// Where the comparison can start: identical leading bytes weigh the same at every level, so
// they can be skipped, as long as the rest starts at a character that cannot combine with what
// came before it. An ASCII character (or the end) in both strings is such a place.
int sharedPrefixToSkip(const char* a, int aLen, const char* b, int bLen) {
    const int n = std::min(aLen, bLen);
    int i = 0;
    while (i < n && a[i] == b[i]) ++i;
    auto startsFreely = [](const char* s, int len, int k) { return k >= len || static_cast<unsigned char>(s[k]) < 0x80; };
    while (i > 0 && !(startsFreely(a, aLen, i) && startsFreely(b, bLen, i))) --i;
    return i;
}

// The primary rank of an ASCII digit or letter in the root order (digits before letters, case
// ignored); -1 for anything else.
int asciiAlnumRank(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return 10 + (c - 'a');
    if (c >= 'A' && c <= 'Z') return 10 + (c - 'A');
    return -1;
}

// After the shared prefix, two different ASCII letters or digits decide at the first level:
// their primary weights are the first difference, whatever follows. 0 when that is not so.
int decideByFirstDifference(const char* a, int aLen, const char* b, int bLen, int at) {
    if (at >= aLen || at >= bLen) return 0;
    const int ra = asciiAlnumRank(static_cast<unsigned char>(a[at]));
    const int rb = asciiAlnumRank(static_cast<unsigned char>(b[at]));
    if (ra < 0 || rb < 0 || ra == rb) return 0;
    return ra < rb ? -1 : 1;
}

int compareKeys(const char* a, int aLen, const char* b, int bLen) {
    const int skip = sharedPrefixToSkip(a, aLen, b, bLen);
    if (const int quick = decideByFirstDifference(a, aLen, b, bLen, skip)) return quick;
    const int r = icuCompare(collators().full, a + skip, aLen - skip, b + skip, bLen - skip);
    return r != 0 ? r : byteCompare(a + skip, aLen - skip, b + skip, bLen - skip);
}

int compareKeysIgnoringCase(const char* a, int aLen, const char* b, int bLen) {
    const int skip = sharedPrefixToSkip(a, aLen, b, bLen);
    if (const int quick = decideByFirstDifference(a, aLen, b, bLen, skip)) return quick;
    return icuCompare(collators().ignoringCase, a + skip, aLen - skip, b + skip, bLen - skip);
}

void registerCollationAndFunctions(sqlite3* db) {
    sqlite3_create_collation_v2(db, kCollationName, SQLITE_UTF8, nullptr, sqliteCollation, nullptr);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "upper", 1, flags, nullptr, upperFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "lower", 1, flags, nullptr, lowerFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "like", 3, flags, nullptr, likeFunction, nullptr, nullptr, nullptr);
}

std::int32_t collationVersionMarker() {
    UVersionInfo info{};
    ucol_getVersion(collators().full, info);
    return static_cast<std::int32_t>((std::uint32_t(info[0]) << 24) | (std::uint32_t(info[1]) << 16) |
                                     (std::uint32_t(info[2]) << 8) | std::uint32_t(info[3]));
}

QString prefixRangeCondition(const QString& column, const QString& prefix) {
    if (prefix.isEmpty()) return QString();
    const QString low = prefix.toCaseFolded();
    const QString quoted = quoteIdentifier(column);
    return QStringLiteral("%1 >= %2 AND %1 < %3").arg(quoted, quoteLiteral(low), quoteLiteral(low + QChar(0xFFFF)));
}

} // namespace verbalo::store

#include "collation.h"

#include "sqlite_handle.h"

#include <QString>
#include <QVector>
#include <sqlite3.h>
#include <unicode/uchar.h>
#include <unicode/ucoleitr.h>
#include <unicode/uset.h>
#include <unicode/utf16.h>
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

// The primary weight of each code point of the Latin blocks (below U+0250) that weighs exactly
// one primary at the first level, so that two strings of such code points compare there code
// point by code point. 0 for the others: combining marks, code points that continue a
// contraction or follow a context, and those with no primary or with more than one. A code
// point that starts a contraction (l, in «l·») is only taken as itself when what follows it
// cannot continue one. Made once from the root collation the comparisons use.
class FirstLevelWeights {
public:
    static constexpr UChar32 kSize = 0x250;

    FirstLevelWeights() {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* coll = ucol_open("", &status);
        if (U_FAILURE(status) || !coll) return; // no shortcut: every comparison goes to ICU
        USet* contractions = uset_openEmpty();
        status = U_ZERO_ERROR;
        ucol_getContractionsAndExpansions(coll, contractions, nullptr, true, &status);
        if (U_SUCCESS(status)) {
            bool continues[kSize] = {};
            markContractions(contractions, continues);
            for (UChar32 c = 0; c < kSize; ++c)
                if (!continues[c] && u_getCombiningClass(c) == 0) weight_[c] = onlyPrimary(coll, c);
        }
        uset_close(contractions);
        ucol_close(coll);
    }

    // 0 when the code point does not weigh exactly one primary by itself.
    std::uint16_t of(UChar32 c) const { return c >= 0 && c < kSize ? weight_[c] : 0; }
    bool startsContraction(UChar32 c) const { return c >= 0 && c < kSize && starts_[c]; }

private:
    // The first code point of each contraction (or context) string starts it; every other
    // one continues it.
    void markContractions(const USet* set, bool* continues) {
        const int32_t items = uset_getItemCount(set);
        for (int32_t i = 0; i < items; ++i) {
            UChar32 start = 0, end = 0;
            UChar text[64];
            UErrorCode status = U_ZERO_ERROR;
            const int32_t len = uset_getItem(set, i, &start, &end, text, 64, &status);
            if (len == 0) {
                for (UChar32 c = start; c <= end && c < kSize; ++c) continues[c] = true;
                continue;
            }
            // Contraction strings are a few characters long; one longer than the buffer is
            // looked through as far as it was copied.
            const int32_t copied = std::min(len, 64);
            for (int32_t k = 0; k < copied;) {
                const bool first = k == 0;
                UChar32 cp = 0;
                U16_NEXT(text, k, copied, cp);
                if (cp < 0 || cp >= kSize) continue;
                if (first)
                    starts_[cp] = true;
                else
                    continues[cp] = true;
            }
        }
    }

    // The collation elements of one code point: the first with a primary, every later one
    // (an accent's secondary weight, or the rest of a long primary) with none.
    static std::uint16_t onlyPrimary(const UCollator* coll, UChar32 c) {
        UChar text[2];
        int32_t len = 0;
        UBool error = false;
        U16_APPEND(text, len, 2, c, error);
        (void)error; // two units hold any code point
        UErrorCode status = U_ZERO_ERROR;
        UCollationElements* it = ucol_openElements(coll, text, len, &status);
        if (U_FAILURE(status) || !it) return 0;
        std::uint16_t primary = 0;
        bool simple = true;
        for (int32_t ce = ucol_next(it, &status), n = 0; U_SUCCESS(status) && ce != UCOL_NULLORDER;
             ce = ucol_next(it, &status), ++n) {
            const auto p = static_cast<std::uint16_t>(ucol_primaryOrder(ce));
            if (n == 0)
                primary = p;
            else if (p != 0)
                simple = false;
        }
        ucol_closeElements(it);
        return U_SUCCESS(status) && simple ? primary : 0;
    }

    std::uint16_t weight_[kSize] = {};
    bool starts_[kSize] = {};
};

const FirstLevelWeights& firstLevelWeights() {
    static const FirstLevelWeights table;
    return table;
}

// Walks one string's code points for the first-level comparison, telling for each the one
// primary it weighs there; 0 once a code point's weight depends on more than itself.
struct FirstLevelWalk {
    const uint8_t* s;
    int32_t len;
    int32_t at;

    bool atEnd() const { return at >= len; }
    std::uint16_t next(const FirstLevelWeights& weights) {
        UChar32 c = 0;
        U8_NEXT(s, at, len, c);
        const std::uint16_t w = weights.of(c);
        if (w != 0 && weights.startsContraction(c) && !atEnd()) {
            // Only a code point that cannot continue a contraction may follow.
            int32_t peek = at;
            UChar32 following = 0;
            U8_NEXT(s, peek, len, following);
            if (weights.of(following) == 0) return 0;
        }
        return w;
    }
};

// From the first byte where the strings differ, the first-level weights of the code points
// decide the order as long as each code point weighs one primary of its own: the bytes before
// are the same in both strings and weigh the same. 0 when the first level does not decide (the
// strings differ only in accents or case, or a code point needs the collator), and the
// collator has to look.
int decideAtFirstLevel(const char* a, int aLen, const char* b, int bLen) {
    const int n = std::min(aLen, bLen);
    int i = 0;
    while (i < n && a[i] == b[i]) ++i;
    if (i == aLen && i == bLen) return 0;
    // Back to the first byte of the code point the difference falls in.
    auto continues = [](const char* s, int len, int k) { return k < len && (static_cast<unsigned char>(s[k]) & 0xC0) == 0x80; };
    while (i > 0 && (continues(a, aLen, i) || continues(b, bLen, i))) --i;
    const FirstLevelWeights& weights = firstLevelWeights();
    FirstLevelWalk wa{reinterpret_cast<const uint8_t*>(a), aLen, i};
    FirstLevelWalk wb{reinterpret_cast<const uint8_t*>(b), bLen, i};
    while (!wa.atEnd() && !wb.atEnd()) {
        const std::uint16_t pa = wa.next(weights);
        const std::uint16_t pb = wb.next(weights);
        if (pa == 0 || pb == 0) return 0;
        if (pa != pb) return pa < pb ? -1 : 1;
    }
    if (wa.atEnd() && wb.atEnd()) return 0;
    // One string's weights ended where the other's go on with at least one more primary.
    const bool aEnded = wa.atEnd();
    FirstLevelWalk& longer = aEnded ? wb : wa;
    if (longer.next(weights) == 0) return 0;
    return aEnded ? -1 : 1;
}

int compareKeys(const char* a, int aLen, const char* b, int bLen) {
    if (const int quick = decideAtFirstLevel(a, aLen, b, bLen)) return quick;
    const int skip = sharedPrefixToSkip(a, aLen, b, bLen);
    const int r = icuCompare(collators().full, a + skip, aLen - skip, b + skip, bLen - skip);
    return r != 0 ? r : byteCompare(a + skip, aLen - skip, b + skip, bLen - skip);
}

int compareKeysIgnoringCase(const char* a, int aLen, const char* b, int bLen) {
    if (const int quick = decideAtFirstLevel(a, aLen, b, bLen)) return quick;
    const int skip = sharedPrefixToSkip(a, aLen, b, bLen);
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

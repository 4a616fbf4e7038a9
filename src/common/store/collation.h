#pragma once

#include <QString>

#include <cstdint>

struct sqlite3;

namespace verbalo::store {

// The order of every text key: ICU root collation (accents before case, case last, so «alma»
// and «Alma» sit side by side), with the bytes as the final tie-break so that keys that
// differ only in case stay distinct keys.
inline constexpr const char* kCollationName = "VERBALO";

int compareKeys(const char* a, int aLen, const char* b, int bLen);
// Case-insensitive, accent-aware comparison: the coarser order that compareKeys refines.
// Nearest-key positioning uses it, so «ab» reaches «AB» as well as «ab».
int compareKeysIgnoringCase(const char* a, int aLen, const char* b, int bLen);

// "nyelv1 >= 'ab' AND nyelv1 < 'ab\uFFFF'": the stretch of a text column's index that holds
// every value starting with prefix, compared without regard to case. The lower bound is the
// case-folded prefix because lower case sorts first; U+FFFF sorts after every character. The
// stretch also holds accented forms (áb sorts among ab), so the caller still tests each value;
// the condition only lets SQLite seek in the index instead of reading every row.
QString prefixRangeCondition(const QString& column, const QString& prefix);

// Registers the collation and the Unicode-aware UPPER, LOWER and LIKE on a connection.
void registerCollationAndFunctions(sqlite3* db);

// Identifies the collation the running program sorts with; stored in each table file so that
// indexes built under another ICU version are rebuilt before use.
std::int32_t collationVersionMarker();
// Marks a file as one of ours and says which revision of compareKeys built its indexes.
inline constexpr std::int32_t kApplicationId = 0x56424C01; // "VBL" + comparator revision 1

} // namespace verbalo::store

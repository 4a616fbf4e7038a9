#pragma once

#include <QString>

namespace verbalo {

struct TSzotarak;

namespace store {
class Database;
}

// The catalogue values a dictionary package brings in section "dict" of its settings file
// ".ini". A missing file or key gives the defaults; icons and the id are not read here.
TSzotarak readPackageSettings(const QString& iniPath);

// The catalogue row a package unpacked into folder brings: its settings file and the bytes of
// its icons T1.ico, T2.ico and T3.ico, T standing for the list row's tablanev (a missing or
// empty file leaves its icon empty). Read from the package's own files, so that a package
// without them gets the defaults, not what an earlier package left in the data folder.
TSzotarak readPackage(const QString& folder, const QString& listTableName);

// Only when no catalogue row has exactly (with letter case) the list row's tablanev, appends
// row to the catalogue; an existing row keeps its values. Then every row's existence flag is
// brought up to date. Returns whether a row was added; store errors reach the caller.
bool registerPackage(store::Database& db, const QString& listTableName, const TSzotarak& row);

} // namespace verbalo

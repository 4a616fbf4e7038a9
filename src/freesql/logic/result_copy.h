#pragma once

#include <QString>

#include <functional>

namespace verbalo {

namespace store {
class Database;
}

// The exports work on tables. An open query's rows become one by running the query again
// into a table of a scratch folder (never the data folder): its columns take the query's
// names (made unique) and declared types, or the kind of their first value. Throws StoreError;
// a table begun is dropped again.
// rowsCopied(n) is told the rows copied so far every few rows, for a progress display.
int copyQueryToTable(store::Database& source, const QString& queryText, store::Database& scratch, const QString& tableName,
                     const std::function<void(int rows)>& rowsCopied = {});

} // namespace verbalo

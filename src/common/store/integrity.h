#pragma once

#include <QString>
#include <QStringList>

namespace verbalo::store {

class Database;

// Runs the engine's integrity check on a table file with the store's collation registered
// (which checking with a stock SQLite tool cannot do). Empty list: the file is sound.
QStringList checkTableIntegrity(Database& db, const QString& tableName);

} // namespace verbalo::store

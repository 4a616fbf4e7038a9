#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Catalogue work of the main program's windows that needs no widgets: opening the catalogue in
// name order, making and dropping dictionary tables, listing the existing dictionaries.
namespace verbalo {

namespace store {
class Database;
class Table;
} // namespace store

// Opens the catalogue on table, filtered to the rows whose table exists (letezik='I') and
// ordered by name. When that fails and rebuildIndex is set, the name index is dropped and made
// again (failures of both ignored) and the table opened once more; a failure then reaches the
// caller as a StoreError.
void openCatalogueByName(store::Database& db, store::Table& table, bool rebuildIndex);

// Makes a dictionary's table with the type's statement and its secondary indexes, the widths
// taken as typed. Refuses a
// name that would make the statement anything but the creation of one table of that very name
// in the data folder. Throws StoreError; a failure leaves no file behind.
void createDictionaryTable(store::Database& db, int type, const QString& tableName, const QString& firstWidth,
                           const QString& secondWidth);

// The « button of the properties window: a table name made from a dictionary's name that the
// store takes. Accents dropped and lower case; every run of other characters (blanks, "#",
// punctuation) one "_", none at either end; a leading digit gets "sz_" before it; at most 50
// characters; "szotar" for a name with nothing usable. A name the catalogue has, or one of
// `taken` (the data folder's tables, compared without regard to case), gets "_2", "_3", ...
QString suggestTableName(const QString& dictionaryName, const QStringList& taken);
// Whether createDictionaryTable would take the name as the name of one plain table.
bool isAcceptableTableName(const QString& name);

// Removes a dictionary's table file; false when the store refused (the file then stays). The
// catalogue itself is never removed this way, whatever a row names as its table.
bool dropDictionaryTable(store::Database& db, const QString& tableName);

// One row of the side panel: an existing dictionary with its large icon file (empty: none).
struct DictionaryListing {
    int id = 0;
    QString name;
    QByteArray largeIcon;
};

// The dictionaries whose table exists (letezik='I'), in id order. Store errors reach the caller.
QList<DictionaryListing> existingDictionaries(store::Database& db);

} // namespace verbalo

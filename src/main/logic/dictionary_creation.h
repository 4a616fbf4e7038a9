#pragma once

#include <QString>

// A new dictionary is its table and its catalogue row together: both are made, or neither.
namespace verbalo {

namespace store {
class Database;
class Table;
} // namespace store

// Inserts a catalogue row on catalogue (open on the catalogue table) with the values every
// new dictionary starts with: its type, half the width for each column, the first language's
// order and the first tab page. The caller fills the rest and posts.
void startNewCatalogueRow(store::Table& catalogue, int type);

struct NewDictionary {
    int type = 0;
    QString name;
    QString table;
    QString language1;
    QString language2;
    // A bilingual table's column widths, as typed: the store refuses what is not a number.
    QString firstWidth = QStringLiteral("50");
    QString secondWidth = QStringLiteral("50");
};

// Makes the table with the type's statement and the name rules of createDictionaryTable, then
// its catalogue row; returns the row's id. A row that cannot be posted takes its new table
// with it, so a failure leaves the folder as it was. Throws StoreError with the store's
// message; callers put "Tábla létrehozása sikertelen: " before it, as the properties window.
int createDictionary(store::Database& db, const NewDictionary& dictionary);

} // namespace verbalo

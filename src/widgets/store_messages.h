#pragma once

#include <QString>

class QObject;

namespace verbalo {

namespace store {
class StoreError;
}

// The messages a user sees when the store fails: Hungarian, naming the table (and so its file
// in the data folder) and saying what can be done, by the kind of failure; the store's own
// English text follows in parentheses for whoever has to look further.
//   table: the table the window works on ("angol"); empty when the store's text names it.
QString storeFailureText(const store::StoreError& error, const QString& table = QString());

// The message of a data folder that holds no catalogue (szotarak.DB): which folder, and that
// Rendszer / Beállítások chooses another.
QString missingCatalogueText(const QString& dataFolder);

// showError with storeFailureText, an optional Hungarian first line before it ("Hiba az
// adatbázis megnyitásakor:").
void showStoreError(const store::StoreError& error, const QString& table, QObject* owner, const QString& firstLine = QString());

// What an editor shows when saving a row failed: its own refusedText for a row the table
// refused (a duplicate, an empty key), the store's message for everything else.
void showPostError(const store::StoreError& error, const QString& refusedText, const QString& table, QObject* owner);

} // namespace verbalo

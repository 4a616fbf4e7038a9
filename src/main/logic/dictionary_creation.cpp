#include "main/logic/dictionary_creation.h"

#include "common/store/database.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "main/logic/catalogue_editing.h"

namespace verbalo {

void startNewCatalogueRow(store::Table& catalogue, int type) {
    catalogue.insert();
    catalogue.setValue(QStringLiteral("tipus"), type);
    catalogue.setValue(QStringLiteral("nyelv1szeles"), 0.5);
    catalogue.setValue(QStringLiteral("nyelv2szeles"), 0.5);
    catalogue.setValue(QStringLiteral("sorrend"), kFirstLanguageColumn);
    catalogue.setValue(QStringLiteral("ablak"), 0);
}

int createDictionary(store::Database& db, const NewDictionary& dictionary) {
    createDictionaryTable(db, dictionary.type, dictionary.table, dictionary.firstWidth, dictionary.secondWidth);
    store::Table catalogue(db);
    try {
        catalogue.setTableName(kCatalogueTable);
        catalogue.setFiltered(false);
        catalogue.open();
        startNewCatalogueRow(catalogue, dictionary.type);
        catalogue.setValue(QStringLiteral("szotarak_nev"), dictionary.name);
        catalogue.setValue(QStringLiteral("tablanev"), dictionary.table.trimmed());
        catalogue.setValue(kFirstLanguageColumn, dictionary.language1);
        catalogue.setValue(kSecondLanguageColumn, dictionary.language2);
        catalogue.post();
        return static_cast<int>(catalogue.integer(QStringLiteral("szotarak")));
    } catch (const store::StoreError&) {
        if (catalogue.state() == store::Table::State::Insert) catalogue.cancel();
        dropDictionaryTable(db, dictionary.table.trimmed());
        throw;
    }
}

} // namespace verbalo

#include "dictionaries/logic/pair_lookup.h"

#include "common/catalogue.h"
#include "common/store/table.h"
#include "common/store/table_values.h"

namespace verbalo {

PairLookup::PairLookup(store::Database& db, const QString& tableName, const QString& keyColumn)
    : owned_(std::make_unique<store::Table>(db)), table_(owned_.get()), keyColumn_(keyColumn),
      translationColumn_(otherLanguageColumn(keyColumn)) {
    table_->setTableName(tableName);
    table_->setIndexFieldNames(keyColumn_);
    table_->open();
    prepare(tableName);
}

PairLookup::PairLookup(store::Table& orderedCursor, const QString& keyColumn)
    : table_(&orderedCursor), keyColumn_(keyColumn), translationColumn_(otherLanguageColumn(keyColumn)) {
    if (!table_->isOpen()) throw store::StoreError(QStringLiteral("table %1 is not open").arg(table_->tableName()));
    borrowedRecNo_ = table_->recNo();
    signalsWereBlocked_ = table_->blockSignals(true);
    try {
        prepare(table_->tableName());
    } catch (...) {
        table_->blockSignals(signalsWereBlocked_);
        throw;
    }
}

void PairLookup::prepare(const QString& tableName) {
    keyField_ = table_->fieldIndex(keyColumn_);
    translationField_ = table_->fieldIndex(translationColumn_);
    if (keyField_ < 0 || translationField_ < 0)
        throw store::StoreError(
            QStringLiteral("no column %1 in table %2").arg(keyField_ < 0 ? keyColumn_ : translationColumn_, tableName));
    count_ = table_->recordCount();
    span_ = std::make_unique<store::ReadSpan>(*table_);
}

PairLookup::~PairLookup() {
    span_.reset();
    if (owned_) return;
    try {
        if (borrowedRecNo_ > 0) table_->setRecNo(borrowedRecNo_);
    } catch (const store::StoreError&) {
        // A destructor cannot pass it on: the word list then stays where the lookup left it,
        // and the window, reading its current row next, meets and says the failure itself.
    }
    table_->blockSignals(signalsWereBlocked_);
}

DictionarizedWord PairLookup::lookup(const QString& word) {
    auto it = answered_.constFind(word);
    if (it != answered_.constEnd()) return *it;
    DictionarizedWord result = lookupInTable(word);
    answered_.insert(word, result);
    return result;
}

DictionarizedWord PairLookup::lookupInTable(const QString& word) {
    DictionarizedWord result;
    result.word = word;
    if (count_ == 0) return result;
    table_->gotoNearest({word});
    // The rows are read where they stand, without moving the cursor row by row.
    for (int pos = table_->recNo() - 1; pos < count_; ++pos) {
        if (store::valueText(table_->valueAt(pos, keyField_)) != word) break;
        result.found = true;
        result.translations << store::valueText(table_->valueAt(pos, translationField_));
    }
    return result;
}

void dictionarizeWords(store::Database& db, const QString& tableName, const QString& keyColumn, const QStringList& words,
                       const std::function<void(int index, const DictionarizedWord& result)>& report) {
    PairLookup lookup(db, tableName, keyColumn);
    for (int i = 0; i < words.size(); ++i) report(i, lookup.lookup(words.at(i)));
}

DictionarizedWord lookupCaretWord(store::Table& table, const QString& keyColumn, const QString& word) {
    DictionarizedWord result;
    result.word = word;
    if (table.recordCount() == 0) return result;
    const int keyField = table.fieldIndex(keyColumn);
    const int translationField = table.fieldIndex(otherLanguageColumn(keyColumn));
    if (keyField < 0 || translationField < 0) return result;
    table.gotoNearest({word});
    const QString lowered = word.toLower();
    const int count = table.recordCount();
    for (int pos = table.recNo() - 1; pos < count; ++pos) {
        if (store::valueText(table.valueAt(pos, keyField)).toLower() != lowered) break;
        result.found = true;
        result.translations << store::valueText(table.valueAt(pos, translationField));
    }
    return result;
}

} // namespace verbalo

#include "quickfinder/logic/word_lookup.h"

#include "common/catalogue.h"
#include "common/store/keyed_reader.h"
#include "common/store/store_error.h"

namespace verbalo {

std::optional<LookupOutcome> WordLookup::lookUp(const QString& word) {
    if (word.isEmpty() || word == lastWord_ || table_.isEmpty()) return std::nullopt;
    // Remembered before the store is asked: a word whose lookup fails is not tried again
    // until another word has been looked up.
    lastWord_ = word;
    LookupOutcome outcome;
    outcome.word = word;

    const QString wanted = word.toLower();
    const QString other = otherLanguageColumn(column_);
    store::KeyedReader reader(db_);
    try {
        ++tableOpens_;
        reader.open(table_, column_);
        reader.gotoNearest(word);
        while (!reader.eof() && reader.text(column_).toLower() == wanted) {
            outcome.translations << reader.text(other);
            reader.next();
        }
    } catch (const store::StoreError& e) {
        outcome.error = e.message();
    }
    storeReads_ += reader.storeReads();
    reader.close();
    return outcome;
}

} // namespace verbalo

#pragma once

#include "common/table_layouts.h"
#include <QString>
#include <QStringList>

#include <optional>

namespace verbalo {

namespace store {
class Database;
}

// What one lookup found: the word as it was asked for (the pane's headline) and the other
// column of every entry whose search column equals it without regard to case, in the
// table's order. A failing store leaves its message in error, with the translations read
// before the failure.
struct LookupOutcome {
    QString word;
    QStringList translations;
    QString error;
};

// Looks words up in the open dictionary for the quick finder. The table is opened for each
// lookup and closed again at once, so the main program can write to it in between; a lookup
// is a keyed seek on the search column's index and a read of the matching entries only.
//
// The last word looked up is remembered: asking for it again (letter case counting) costs
// nothing, so caret moves within a word never reach the store.
class WordLookup {
public:
    explicit WordLookup(store::Database& db) : db_(db) {}

    // The dictionary table; "" while no dictionary is open, when nothing is looked up.
    void setTable(const QString& tableName) { table_ = tableName; }
    const QString& table() const { return table_; }
    // The column looked in, "nyelv1" or "nyelv2"; the other one holds the translations. Takes
    // effect at the next lookup; a column without an index is refused only then.
    void setSearchColumn(const QString& column) { column_ = column; }
    const QString& searchColumn() const { return column_; }

    // Nothing (std::nullopt) for an empty word, for the last word again, and while no
    // dictionary is open; otherwise the word is remembered and looked up.
    std::optional<LookupOutcome> lookUp(const QString& word);
    const QString& lastWord() const { return lastWord_; }

    // Times a table was opened, and statements run against table files, since construction.
    quint64 tableOpens() const { return tableOpens_; }
    quint64 storeReads() const { return storeReads_; }

private:
    store::Database& db_;
    QString table_;
    QString column_ = kFirstLanguageColumn;
    QString lastWord_;
    quint64 tableOpens_ = 0;
    quint64 storeReads_ = 0;
};

} // namespace verbalo

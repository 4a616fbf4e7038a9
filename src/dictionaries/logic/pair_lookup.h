#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace verbalo {

namespace store {
class Database;
class ReadSpan;
class Table;
} // namespace store

// One word of a dictionarized text: found when the key column holds it exactly, with the other
// column of every such pair in index order (an empty text for an empty value).
struct DictionarizedWord {
    QString word;
    bool found = false;
    QStringList translations;
};

// The cursor dictionarizing looks words up on ("TblK"), ordered by the key column. A word is
// found only when a key equals it byte for byte: «london» does not find «London».
class PairLookup {
public:
    // Opens a cursor of its own on the table, ordered by keyColumn; StoreError when the table
    // or its index is missing.
    PairLookup(store::Database& db, const QString& tableName, const QString& keyColumn);
    // Borrows an open cursor already ordered by keyColumn (a window's word list, whose order
    // a million-row table need not build twice). The cursor sends no signals meanwhile and is
    // back on its row when the lookup ends.
    PairLookup(store::Table& orderedCursor, const QString& keyColumn);
    ~PairLookup();
    PairLookup(const PairLookup&) = delete;
    PairLookup& operator=(const PairLookup&) = delete;

    const QString& keyColumn() const { return keyColumn_; }
    const QString& translationColumn() const { return translationColumn_; }

    // Repeated words of one text are answered from memory: the table does not change during
    // a run, and natural text repeats its common words.
    DictionarizedWord lookup(const QString& word);

private:
    DictionarizedWord lookupInTable(const QString& word);
    void prepare(const QString& tableName);

    std::unique_ptr<store::Table> owned_;
    store::Table* table_ = nullptr;
    bool signalsWereBlocked_ = false;
    int borrowedRecNo_ = 0;
    QString keyColumn_;
    QString translationColumn_;
    int keyField_ = -1;
    int translationField_ = -1;
    int count_ = 0; // the table does not change during a run
    QHash<QString, DictionarizedWord> answered_;
    // A run reads under one held read of the file (let go every so often for the other
    // program), not one lock per read.
    std::unique_ptr<store::ReadSpan> span_;
};

// Looks every word up in list order, calling report for each (its index in the list and the
// result). StoreError when the cursor cannot be opened; nothing is reported then.
void dictionarizeWords(store::Database& db, const QString& tableName, const QString& keyColumn, const QStringList& words,
                       const std::function<void(int index, const DictionarizedWord& result)>& report);

// The lookup of the word at the editor's caret on the word list's own cursor: positions the
// cursor on the first pair whose key equals the word without regard to case, and returns the
// translations of every such pair in index order. When no key matches, the cursor stays where
// the nearest-key search left it and the result is not found.
DictionarizedWord lookupCaretWord(store::Table& table, const QString& keyColumn, const QString& word);

} // namespace verbalo

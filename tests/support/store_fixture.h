#pragma once

#include "data_folder.h"

#include "common/store/query.h"

namespace verbalo::test {

// A data folder without a catalogue, with the store connected to it: the store's own tests.
class StoreFixture {
public:
    StoreFixture() : data_(DataFolder::Layout{false}) {}
    const QString& folder() const { return data_.dataFolder(); }
    store::Database& db() { return data_.db(); }
    int exec(const QString& sql) { return data_.exec(sql); }
    QStringList rows(const QString& sql) { return data_.rows(sql); }
    // Makes a bilingual table and fills it with "first;second" pairs.
    void makePairs(const QString& table, const QStringList& pairs, int width1 = 50, int width2 = 50) {
        data_.makePairTable(table, pairs, width1, width2);
    }

private:
    DataFolder data_;
};

} // namespace verbalo::test

#pragma once

#include "common/store/database.h"
#include "common/store/query.h"

#include <QTemporaryDir>

namespace verbalo::test {

// A data folder in a temporary directory with the store connected to it.
class StoreFixture {
public:
    StoreFixture();
    const QString& folder() const { return folder_; }
    store::Database& db() { return db_; }
    // Runs SQL text through a query and returns the rows changed.
    int exec(const QString& sql);
    // The rows of a query as lines of tab-separated cells ("" for null).
    QStringList rows(const QString& sql);
    // Makes a bilingual table and fills it with "first;second" pairs.
    void makePairs(const QString& table, const QStringList& pairs, int width1 = 50, int width2 = 50);

private:
    QTemporaryDir dir_;
    QString folder_;
    store::Database db_;
};

} // namespace verbalo::test

#pragma once

#include "exchange/logic/import_session.h"

#include <QChar>
#include <QString>

namespace verbalo {

// The separators the word-pair import offers, in the order of its choice list: semicolon,
// comma, TAB, vertical bar. Any other index gives the semicolon.
QChar pairSeparator(int choice);

struct PairFields {
    QString first;
    QString second;
};

// A word-pair line cut at every separator: the first field goes to nyelv1, the second to
// nyelv2, the rest is ignored. No quoting and no trimming: quotes and spaces are ordinary
// characters, a line without the separator is all first field.
PairFields splitPairLine(const QString& line, QChar separator);

// Stores word-pair lines in a bilingual table, one new row per line offered, empty lines
// included (whether an empty pair is a row is the table's decision).
class PairImporter {
public:
    // Throws store::StoreError when the table has no nyelv1 and nyelv2 columns.
    PairImporter(store::Table& table, QChar separator);

    RowResult offer(const QString& line);
    bool finish() { return session_.finish(); }
    bool failed() const { return session_.failed(); }
    const QString& failure() const { return session_.failure(); }
    const ImportCounts& counts() const { return session_.counts(); }

private:
    ImportSession session_;
    QChar separator_;
    int firstField_ = -1;
    int secondField_ = -1;
};

} // namespace verbalo

#pragma once

#include "exchange/logic/import_session.h"

#include <QString>
#include <QStringView>

namespace verbalo {

// The headword-list text format: a line whose text, without its surrounding blanks and control
// characters, starts with "##" begins a headword block; every other line belongs, unchanged,
// to the body of the block it is in.
bool isHeadwordLine(QStringView line);
// The headword of a headword line: what follows the "##", without surrounding blanks and
// control characters ("##  alma " gives "alma", "###x" gives "#x", "##" gives "").
QString headwordOf(QStringView line);
// The text without the characters up to and including the blank at its two ends, as the list
// format trims them (a no-break space stays).
QStringView trimBlanksAndControls(QStringView text);

// Stores headword blocks in a headword-list table, one new row per block, fed line by line.
// The body is the block's lines each followed by CR LF. Lines before the first headword, and
// lines after a "##" with no headword, are carried over into the body of the next non-empty
// headword; those left at the end are dropped.
class ListImporter {
public:
    // Throws store::StoreError when the table has no nyelv1 and megjegyzes columns.
    explicit ListImporter(store::Table& table);

    void addLine(QStringView line);
    // Stores the last block and commits; false when the store failed.
    bool finish();
    bool failed() const { return session_.failed(); }
    const QString& failure() const { return session_.failure(); }
    const ImportCounts& counts() const { return session_.counts(); }

private:
    void storeEntry();

    ImportSession session_;
    int headwordField_ = -1;
    int bodyField_ = -1;
    QString headword_;
    QString body_;
};

} // namespace verbalo

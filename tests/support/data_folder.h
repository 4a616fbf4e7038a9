#pragma once

#include "common/folders.h"
#include "common/store/database.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace verbalo::test {

// The catalogue row a test adds, with the columns a dictionary window reads at opening.
struct DictionaryRow {
    QString language1 = QStringLiteral("magyar");
    QString language2 = QStringLiteral("angol");
    bool makeTable = true;                // false: a row whose table does not exist
    QString exists = QStringLiteral("I"); // `letezik`; a null string stores NULL
    bool withLayout = true;               // widths 0.5/0.5, sorrend 'nyelv1', ablak 0
};

// A temporary portable installation: a program folder, its data folder with an empty
// catalogue (unless told otherwise) and the store connected to it. Every suite's fixture is
// built on this one, so a test's data folder looks like the one the programs make.
class DataFolder {
public:
    struct Layout {
        bool withCatalogue = true;
        // Verbalo9.ini beside the program: the program folder is then the settings folder.
        bool iniBesideProgram = false;
        // The advert's server, written to the ini; the default refuses at once, so no test
        // waits for a network it does not have.
        QString server = QStringLiteral("http://127.0.0.1:1");
    };
    DataFolder();
    explicit DataFolder(const Layout& layout);

    const QString& root() const { return root_; }
    const Folders& folders() const { return folders_; }
    Folders& folders() { return folders_; }
    const QString& dataFolder() const { return folders_.dataFolder; }
    store::Database& db() { return db_; }

    // Runs SQL text and returns the rows changed.
    int exec(const QString& sql);
    // The rows of a query as lines of tab-separated cells ("" for null).
    QStringList rows(const QString& sql);

    // A catalogue row of this type and, unless told otherwise, its table; returns the new id.
    int addDictionary(int type, const QString& name, const QString& table, const DictionaryRow& row = {});
    // "first;second" pairs appended to a table of pairs in one commit.
    void addPairs(const QString& table, const QStringList& pairs);
    // A bare table of pairs, without a catalogue row, filled with "first;second" pairs.
    void makePairTable(const QString& table, const QStringList& pairs, int width1 = 50, int width2 = 50);
    // The catalogue row of id in the given columns ("sorrend, ablak"), its cells joined by "|".
    QString catalogueCells(int id, const QString& columns);

private:
    QTemporaryDir dir_;
    QString root_;
    Folders folders_;
    store::Database db_;
};

} // namespace verbalo::test

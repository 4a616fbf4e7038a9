#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace verbalo {

namespace store {
class Database;
}

// Files unpacked into a staging folder, checked and then moved into the data folder.
struct StagedFiles {
    QString folder;    // the staging folder, inside the data folder so that moves are renames
    QStringList names; // plain file names inside it
};

// Asked before table files that already exist are replaced, with their table names; false
// stops the installation with nothing replaced (the user kept a window open, say).
using ReplaceGuard = std::function<bool(const QStringList& tables)>;

struct PlacementResult {
    bool ok = false;
    QString error;      // plain words
    QStringList tables; // the table names placed
};

// Moves staged files into db's folder. Every table file (".DB") is first checked to be a sound
// table file of the store, and brought up to the running collation; names in protectedTables
// (the catalogue) are refused. Nothing is moved unless every table file passed. A table that
// exists already (its name matched without regard to case) keeps its file, whose content is
// replaced through the engine's locking, so a connection of the other program waits its turn
// or the replacement fails with the old content intact. New tables and other files take their
// place by renaming. The store's side files (journals) are never moved: a journal from
// elsewhere beside a live table would be played back into it.
PlacementResult placeStagedFiles(store::Database& db, const StagedFiles& staged, const QStringList& protectedTables,
                                 const ReplaceGuard& beforeReplace);

// Whether a file name is one the store keeps beside a table file.
bool isStoreSideFile(const QString& name);

} // namespace verbalo

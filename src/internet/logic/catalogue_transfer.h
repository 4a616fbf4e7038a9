#pragma once

#include "internet/logic/staged_files.h"

#include <QString>

#include <chrono>
#include <functional>

namespace verbalo {

namespace store {
class Database;
}

// A list the maker's server offers as a ZIP archive holding its table.
struct ListArchive {
    QString table;       // the list table it brings
    QString path;        // on the maker's server
    int downloadMaximum; // the progress bar's end while the archive downloads (its usual size)
};
const ListArchive& dictionaryListArchive(); // internet.DB
const ListArchive& programListArchive();    // programok.DB

// The file name a package address is stored under: the part after its last "/" or ":", the
// whole text when it has neither.
QString localArchiveName(const QString& address);

struct TransferOutcome {
    enum class Kind { Done, LocalFileFailed, DownloadFailed, UnpackFailed, CatalogueFailed };
    Kind kind = Kind::Done;
    QString detail; // plain words, for logs and the command-line tool
    bool ok() const { return kind == Kind::Done; }
    // What the user is told when it failed (empty when it did not).
    QString message() const;
};

// The progress bar's range and position as a transfer goes.
struct TransferProgress {
    std::function<void(int minimum, int maximum)> range;
    std::function<void(qint64 position)> position;
};

struct TransferOptions {
    std::chrono::milliseconds stallTimeout = std::chrono::seconds(30);
    // Asked before existing tables are replaced; none: they are replaced.
    ReplaceGuard beforeReplace;
};

// Fetching the lists and the dictionary packages from the web into the data folder. Archives
// are stored in the settings folder and deleted once unpacked; their members are unpacked into
// a staging folder inside the data folder, checked, and only then moved into place, so a failure
// at any step leaves the data folder's files as they were. Blocks until done, running an event
// loop that ignores user input, as the windows show progress and stay painted meanwhile.
class CatalogueTransfer {
public:
    CatalogueTransfer(store::Database& db, QString settingsFolder, TransferOptions options = {}, TransferProgress progress = {});

    // The list archive from server (the maker's address, without a trailing path).
    TransferOutcome refreshList(const ListArchive& list, const QString& server);
    // The package at address, then its catalogue row (see registerPackage) and the existence
    // flags. listTableName: the list row's tablanev; expectedSize: its meret.
    TransferOutcome installPackage(const QString& address, const QString& listTableName, qint64 expectedSize);

private:
    TransferOutcome fetch(const QString& address, const QString& localPath, qint64 maximum);
    TransferOutcome unpackAndPlace(const QString& archivePath, const std::function<void(const QString& staging)>& beforePlacing);

    store::Database& db_;
    QString settingsFolder_;
    TransferOptions options_;
    TransferProgress progress_;
};

} // namespace verbalo

#pragma once

#include "common/catalogue.h"
#include "common/folders.h"
#include "common/ini_file.h"
#include "common/settings.h"
#include "common/store/database.h"
#include "common/window_placement.h"
#include "quickfinder/logic/word_lookup.h"

#include <QString>

namespace verbalo {

// The quick finder's state apart from its window: its settings from Verbalo9.ini, its own
// connection to the data folder, the open dictionary and its search column, and the word
// lookup on them. Only the quick finder's own keys are ever written back.
class QuickFinderSession {
public:
    static constexpr int kDesignedWidth = 431;
    static constexpr int kDesignedHeight = 345;

    explicit QuickFinderSession(Folders folders);

    const Folders& folders() const { return folders_; }
    const IniFile& ini() const { return ini_; }
    QuickFinderSettings& settings() { return settings_; }
    const QuickFinderSettings& settings() const { return settings_; }
    store::Database& database() { return db_; }
    WordLookup& lookup() { return lookup_; }

    // Connects the store to the data folder and brings the catalogue's existence flags up to
    // date. Errors of the store reach the caller; the connection stays made.
    void connect();

    enum class OpenResult { Opened, NotBilingual, Missing };
    // Reads the catalogue row of id and makes it the open dictionary when it is a bilingual
    // one. For an id the catalogue lacks, the catalogue's first row is opened instead when it is
    // bilingual (the last dictionary id stays the one asked for); otherwise that is Missing,
    // which the window passes over in silence. A refused dictionary leaves the one open before,
    // with the last dictionary id, as they were. Errors of the store reach the caller, also
    // leaving everything as it was.
    OpenResult openDictionary(int id);
    bool hasDictionary() const { return hasDictionary_; }
    const TSzotarak& dictionary() const { return dictionary_; }

    // "nyelv1" or "nyelv2"; the lookup uses it from its next lookup on.
    void setSearchColumn(const QString& column);
    const QString& searchColumn() const { return settings_.orderColumn; }
    // The caption and hint of the command that chooses column: the language's name followed by
    // " szerint" once a dictionary is open, "Keresés nyelv1 szerint" and the like before.
    QString searchCommandCaption(const QString& column) const;

    // Disconnects the store and writes LastGyDict, GyOrder and the window's bounds; when the
    // file cannot be written, saveError() says why and the file stays as it was.
    void close(const WindowBounds& bounds);
    const QString& saveError() const { return saveError_; }

private:
    Folders folders_;
    IniFile ini_;
    QuickFinderSettings settings_;
    store::Database db_;
    WordLookup lookup_;
    QString saveError_;
    TSzotarak dictionary_;
    bool hasDictionary_ = false;
};

} // namespace verbalo

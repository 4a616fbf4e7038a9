#pragma once

#include "common/folders.h"
#include "common/ini_file.h"

#include <functional>

class QWidget;

namespace verbalo {

namespace store {
class Database;
}

// Which program the catalogue picker serves. The main program's picker also makes, edits and
// deletes dictionaries; the quick finder's only chooses one.
enum class PickerMode { MainProgram, QuickFinder };

// What the catalogue picker and the properties window need from the program that opens them.
struct PickerContext {
    store::Database& db;
    const IniFile& ini;
    const Folders& folders;
    int fontSize;
    PickerMode mode;
    QWidget* owner;
    // Called after a dictionary was made or its row changed, once the catalogue's existence
    // flags are up to date, so that the program shows it at once (the frame's side panel).
    std::function<void()> catalogueChanged = {};
};

} // namespace verbalo

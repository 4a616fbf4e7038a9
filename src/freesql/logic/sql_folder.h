#pragma once

#include <QString>

namespace verbalo {

struct Folders;

// Where the SQL window's file dialogs start: the folder "SQL" in the settings folder, which is
// the program's folder in a portable installation and the user's own data folder otherwise
// (a program folder under /usr cannot be written).
QString sqlFolder(const Folders& folders);

// Makes the SQL folder when it is missing. False, with the reason in Hungarian, when it
// cannot be made.
bool ensureSqlFolder(const Folders& folders, QString* error);

} // namespace verbalo

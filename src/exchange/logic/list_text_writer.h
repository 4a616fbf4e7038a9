#pragma once

#include "common/text_file.h"

#include <QStringList>

namespace verbalo {

namespace store {
class Table;
}

// The headword list as the lines of its text file: for every row in the table's order a line
// "##" + headword, then the body's own lines (an empty body gives one empty line, a body that
// ends with a line break one extra empty line). The list import reads this back into the same
// headwords and bodies, each body one empty line longer. The cursor is not moved.
QStringList listTextLines(store::Table& table);

// Writes those lines to a file (CR LF after each, Windows-1250, or UTF-8 with a byte order mark
// when a character needs it), replacing the file. Store errors are thrown.
TextWriteResult writeListText(store::Table& table, const QString& path);

} // namespace verbalo

#pragma once

#include <QString>
#include <QStringList>

// How the SQL window runs the text it is given: as one query whose rows it shows, or as a list
// of statements cut at every ";".
namespace verbalo {

enum class SqlRunKind { Query, Statements };

// The text without the blanks and control characters (every character up to the space) at
// either end.
QString trimBlanksAndControls(const QString& text);

// A text that, trimmed and upper-cased, begins with "SELECT" is a query; anything else, a
// comment before a SELECT included, is statements.
SqlRunKind runKindOf(const QString& text);

// The statements of a statement text: the trimmed text cut after every ";", each piece with
// its ";" and the line breaks before it. The cut is blind to quotes and comments, as users of
// this window have always written their scripts for it; text after the last ";" is no
// statement.
QStringList statementPieces(const QString& text);

} // namespace verbalo

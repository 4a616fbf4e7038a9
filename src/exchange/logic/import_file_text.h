#pragma once

#include <QByteArray>
#include <QString>

namespace verbalo {

// Text files as the import windows show them before importing.

// Lines longer than this are more than any dictionary column holds, and a text view lays a
// line out whole: a 10 MB line would hold the window for minutes.
constexpr int kLongestShownLine = 65536;

struct EditorFileText {
    bool ok = false;
    QString error;
    QByteArray utf8;  // the text in UTF-8, its line ends as in the file
    int cutLines = 0; // lines that were longer than the limit and are cut to it
};

// A file for the word-pair import's editor: read and decoded as every text file is (a NUL ends
// it, UTF-8 or Windows-1250), handed on as UTF-8 without being split into lines, so that a
// large file costs about its own size once more. Lines longer than longestLine characters are
// cut to it; cutLines says how many.
EditorFileText readFileForEditor(const QString& path, int longestLine = kLongestShownLine);

// Cuts every line of UTF-8 text (lines end at CR, LF or CR LF) to at most longestLine
// characters; *cut, when given, receives the number of lines cut. The text comes back
// unchanged (and not copied) when no line is that long.
QByteArray cutLongLines(const QByteArray& utf8, int longestLine, int* cut = nullptr);

// Breaks every line longer than longestLine characters into pieces of that length, for a view
// that wraps its lines anyway and would otherwise lay out a huge line at once.
QString breakLongLines(const QString& text, int longestLine = kLongestShownLine);

struct ImportText {
    bool ok = false;
    QString error;
    QString text;
};

// A file's text as the imports read it (a NUL ends it, UTF-8 or Windows-1250), whole, for
// reading line by line with forEachLine rather than holding every line apart.
ImportText readImportText(const QString& path);

struct PreviewText {
    bool ok = false;
    QString error;
    QString text;
    bool shortened = false;
};

// The beginning of a file for a preview box: at most maxChars characters, ended at a line
// break, followed by a "..." line when there is more; every line break a line feed, long lines
// broken as breakLongLines does.
PreviewText readPreviewText(const QString& path, int maxChars);

} // namespace verbalo

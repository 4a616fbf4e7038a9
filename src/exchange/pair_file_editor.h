#pragma once

#include <Qsci/qsciscintilla.h>

namespace verbalo {

// The word-pair import's editor SynEdit1: line numbers in the margin, a monospaced font, the
// caret's line in light yellow. It holds the file as loaded (or as the user then edited it),
// and the import reads its lines one by one, so a large file is held once, by the editor, in a
// document without the per-character style bytes a source editor keeps (nothing is styled here).
class PairFileEditor : public QsciScintilla {
    Q_OBJECT
public:
    explicit PairFileEditor(QWidget* parent = nullptr);
    ~PairFileEditor() override;

    // Replaces the text by UTF-8 text whose lines end in CR, LF or CR LF, without undo history;
    // false, leaving the text as it was, when there is no memory for it.
    bool loadUtf8(const QByteArray& utf8);
    // The number of lines: a line break at the very end gives an empty last line; an empty
    // editor has none.
    int lineCount();
    // A line without its line end.
    QString lineText(int line);
    // Puts the caret at the start of the line and scrolls it to the middle of the editor.
    void showLine(int line);

private:
    void fitLineNumbers();

    // The document the editor was made with, kept while it shows loaded ones.
    void* originalDocument_ = nullptr;
};

} // namespace verbalo

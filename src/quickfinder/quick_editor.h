#pragma once

#include <Qsci/qsciscintilla.h>

namespace verbalo::quickfinder {

// The editing area of the search tab: plain text in a monospaced font with word wrap, the
// caret line in light yellow and selections on grey. The caret may stand beyond the end of a
// line, and the right mouse button moves it as the left one does.
class QuickEditor : public QsciScintilla {
    Q_OBJECT
public:
    explicit QuickEditor(QWidget* parent = nullptr);

    // The caret's line without its line break, and the caret's column in it counted from 1 in
    // characters, room beyond the end of the line included.
    QString caretLineText() const;
    int caretColumn() const;
    // Puts the caret, with nothing selected, at a character offset of the whole text.
    void setCaretOffset(int offset);

signals:
    // Any change of the editor's state that the display shows: the caret or the selection
    // moved, the text changed, the view scrolled.
    void stateChanged();

protected:
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

} // namespace verbalo::quickfinder

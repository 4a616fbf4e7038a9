#pragma once

#include <Qsci/qsciscintilla.h>

#include <QStringList>

#include <functional>

class QMenu;

namespace verbalo {

// The text editor of the dictionarizing tab: word wrap, a monospaced 13-pixel font, the caret's
// line in light yellow, grey selection, automatic indentation, tabs typed as spaces, the caret
// free to go past the end of a line, and the right mouse button moving the caret before the
// pop-up menu opens.
class TextEditor : public QsciScintilla {
    Q_OBJECT
public:
    explicit TextEditor(QWidget* parent = nullptr);

    // The lines of the text without their line ends and trailing spaces.
    QStringList textLines() const;
    // The selected text with its lines separated by CR LF.
    QString selectedTextCrLf() const;
    // The word the caret touches; empty when it is not on a word.
    QString wordAtCaret() const;
    // Replaces the text by lines (a loaded file).
    void setTextLines(const QStringList& lines);

    // Fills the pop-up menu; the editor shows it at the caret after moving there.
    void setMenuBuilder(std::function<void(QMenu*)> builder) { menuBuilder_ = std::move(builder); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::function<void(QMenu*)> menuBuilder_;
};

} // namespace verbalo

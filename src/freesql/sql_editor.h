#pragma once

#include <Qsci/qsciscintilla.h>

#include <QList>

class QAction;
class QsciLexerSQL;

namespace verbalo {

// The SQL window's editing area (Memo1): Courier New with line numbers, the SQL colours
// (comments green, numbers blue, strings red), the caret line in light blue and the selection
// on grey. Its context menu holds the commands it is given.
class SqlEditor : public QsciScintilla {
    Q_OBJECT
public:
    explicit SqlEditor(QWidget* parent = nullptr);

    // The text in its point size (the window's size plus two).
    void setTextPointSize(int pointSize);
    // The entries of the context menu, a null action standing for a separator.
    void setContextCommands(QList<QAction*> commands) { contextCommands_ = std::move(commands); }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void fitLineNumbers();

    QsciLexerSQL* lexer_ = nullptr;
    QList<QAction*> contextCommands_;
};

} // namespace verbalo

#include "freesql/sql_editor.h"

#include "widgets/editor_accessibility.h"

#include <Qsci/qscilexersql.h>

#include <QContextMenuEvent>
#include <QMenu>

namespace verbalo {

namespace {

QFont editorFont(int pointSize) {
    QFont font(QStringLiteral("Courier New"), pointSize);
    font.setStyleHint(QFont::Monospace);
    return font;
}

} // namespace

SqlEditor::SqlEditor(QWidget* parent) : QsciScintilla(parent), lexer_(new QsciLexerSQL(this)) {
    quietenEditorAccessibility();
    setObjectName(QStringLiteral("Memo1"));
    setUtf8(true);
    setEolMode(EolWindows);
    setWrapMode(WrapNone);
    setLexer(lexer_);
    setTextPointSize(10);
    setMarginLineNumbers(0, true);
    setCaretLineVisible(true);
    setCaretLineBackgroundColor(QColor(225, 240, 255));
    setSelectionBackgroundColor(QColor(Qt::gray));
    setSelectionForegroundColor(QColor(Qt::white));
    connect(this, &QsciScintilla::linesChanged, this, &SqlEditor::fitLineNumbers);
}

void SqlEditor::setTextPointSize(int pointSize) {
    const QFont font = editorFont(pointSize);
    // The lexer paints every style in its own font: each one gets the editor's.
    lexer_->setDefaultFont(font);
    lexer_->setFont(font);
    const QColor green(0, 128, 0);
    for (int style : {QsciLexerSQL::Comment, QsciLexerSQL::CommentLine, QsciLexerSQL::CommentDoc, QsciLexerSQL::PlusComment,
                      QsciLexerSQL::CommentLineHash, QsciLexerSQL::CommentDocKeyword})
        lexer_->setColor(green, style);
    lexer_->setColor(QColor(Qt::blue), QsciLexerSQL::Number);
    for (int style : {QsciLexerSQL::SingleQuotedString, QsciLexerSQL::DoubleQuotedString})
        lexer_->setColor(QColor(Qt::red), style);
    setMarginsFont(font);
    fitLineNumbers();
}

void SqlEditor::fitLineNumbers() {
    setMarginWidth(0, QStringLiteral("0%1").arg(lines()));
}

void SqlEditor::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    for (QAction* command : contextCommands_) {
        if (command)
            menu.addAction(command);
        else
            menu.addSeparator();
    }
    menu.exec(event->globalPos());
}

} // namespace verbalo

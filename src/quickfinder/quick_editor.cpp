#include "quickfinder/quick_editor.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QKeyEvent>

namespace verbalo::quickfinder {

QuickEditor::QuickEditor(QWidget* parent) : QsciScintilla(parent) {
    setUtf8(true);
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    setFont(font);
    for (int margin = 0; margin < 5; ++margin) setMarginWidth(margin, 0);
    setWrapMode(WrapWord);
    setCaretLineVisible(true);
    setCaretLineBackgroundColor(QColor(255, 255, 196));
    SendScintilla(SCI_SETCARETLINEVISIBLEALWAYS, 1L);
    setSelectionBackgroundColor(QColor(128, 128, 128));
    setSelectionForegroundColor(QColor(255, 255, 255));
    SendScintilla(SCI_SETVIRTUALSPACEOPTIONS, SCVS_USERACCESSIBLE);
    SendScintilla(SCI_SETHSCROLLBAR, 0L);
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int) { emit stateChanged(); });
}

QString QuickEditor::caretLineText() const {
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    QString t = text(line);
    while (t.endsWith(QLatin1Char('\n')) || t.endsWith(QLatin1Char('\r'))) t.chop(1);
    return t;
}

int QuickEditor::caretColumn() const {
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    const long main = SendScintilla(SCI_GETMAINSELECTION);
    const long virtualSpace = SendScintilla(SCI_GETSELECTIONNCARETVIRTUALSPACE, main);
    return index + static_cast<int>(virtualSpace) + 1;
}

void QuickEditor::setCaretOffset(int offset) {
    const long position = SendScintilla(SCI_POSITIONRELATIVE, 0UL, static_cast<long>(offset));
    SendScintilla(SCI_GOTOPOS, offset > 0 && position == 0 ? SendScintilla(SCI_GETLENGTH) : position);
}

bool QuickEditor::event(QEvent* event) {
    // Esc belongs to the window (it minimises the program); the editor would only use it to
    // drop a pop-up list it never shows.
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->ignore();
        return false;
    }
    return QsciScintilla::event(event);
}

void QuickEditor::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse) {
        // A mouse's menu request reaches a scroll area through its viewport, in its coordinates.
        const QPoint at = event->pos();
        const long position = SendScintilla(SCI_POSITIONFROMPOINT, static_cast<unsigned long>(at.x()), static_cast<long>(at.y()));
        SendScintilla(SCI_GOTOPOS, position);
    }
    QsciScintilla::contextMenuEvent(event);
}

} // namespace verbalo::quickfinder

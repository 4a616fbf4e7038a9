#include "quickfinder/quick_result_pane.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace verbalo::quickfinder {

QuickResultPane::QuickResultPane(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUndoRedoEnabled(false);
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (document()->isEmpty()) empty_ = true;
    });
}

void QuickResultPane::addLine(const QList<PaneSegment>& segments) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // Each line is its own block; the first one uses the block an empty document starts with,
    // so the pane never starts with an empty line.
    if (!empty_) cursor.insertBlock();
    for (const PaneSegment& s : segments) {
        QTextCharFormat format;
        format.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
        format.setForeground(s.color);
        cursor.insertText(s.text, format);
    }
    empty_ = false;
}

void QuickResultPane::scrollToStart() {
    QTextCursor cursor(document());
    cursor.setPosition(std::min(1, std::max(0, document()->characterCount() - 1)));
    setTextCursor(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
}

QStringList QuickResultPane::lines() const {
    QStringList out;
    if (empty_) return out;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) out << b.text();
    return out;
}

} // namespace verbalo::quickfinder

#include "dictionaries/text_editor.h"

#include "common/word_at_caret.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QMenu>
#include <QMouseEvent>

namespace verbalo {

namespace {

QString withoutLineEnd(QString line) {
    while (!line.isEmpty() && (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))) line.chop(1);
    return line;
}

QString withoutTrailingSpaces(QString line) {
    qsizetype n = line.size();
    while (n > 0 && (line.at(n - 1) == QLatin1Char(' ') || line.at(n - 1) == QLatin1Char('\t'))) --n;
    line.truncate(n);
    return line;
}

} // namespace

TextEditor::TextEditor(QWidget* parent) : QsciScintilla(parent) {
    setUtf8(true);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    mono.setFixedPitch(true);
    // 13 pixels at the 96 dots per inch the size was chosen for; the editor takes point sizes.
    mono.setPointSizeF(13 * 72.0 / 96.0);
    setFont(mono);
    setWrapMode(QsciScintilla::WrapWord);
    setCaretLineVisible(true);
    setCaretLineBackgroundColor(QColor(255, 255, 196));
    // The caret's line keeps its colour while the focus is elsewhere, as the caret word's
    // translations below stay too.
    SendScintilla(SCI_SETCARETLINEVISIBLEALWAYS, 1);
    setSelectionBackgroundColor(QColor(128, 128, 128));
    setSelectionForegroundColor(QColor(255, 255, 255));
    setAutoIndent(true);
    setIndentationsUseTabs(false);
    setTabIndents(true);
    setBackspaceUnindents(true);
    setMarginWidth(1, 0);
    setEolMode(QsciScintilla::EolWindows);
    SendScintilla(SCI_SETVIRTUALSPACEOPTIONS, SCVS_USERACCESSIBLE | SCVS_RECTANGULARSELECTION);
}

QStringList TextEditor::textLines() const {
    QStringList out;
    const int count = lines();
    out.reserve(count);
    for (int i = 0; i < count; ++i) out << withoutTrailingSpaces(withoutLineEnd(text(i)));
    // An empty document still has one (empty) line.
    if (out.size() == 1 && out.first().isEmpty() && length() == 0) out.clear();
    return out;
}

QString TextEditor::selectedTextCrLf() const {
    QString t = selectedText();
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t;
}

QString TextEditor::wordAtCaret() const {
    int line = 0;
    int index = 0;
    getCursorPosition(&line, &index);
    // Editor indexes count from 0, the word routine's columns from 1.
    return verbalo::wordAtCaret(withoutLineEnd(text(line)), index + 1);
}

void TextEditor::setTextLines(const QStringList& lines) {
    QStringList trimmed;
    trimmed.reserve(lines.size());
    for (const QString& l : lines) trimmed << withoutTrailingSpaces(l);
    setText(trimmed.join(QLatin1String("\r\n")));
}

void TextEditor::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        const QPoint p = event->position().toPoint();
        const long pos = SendScintilla(SCI_POSITIONFROMPOINT, static_cast<unsigned long>(p.x()), static_cast<long>(p.y()));
        int line = 0;
        int index = 0;
        lineIndexFromPosition(static_cast<int>(pos), &line, &index);
        // A click inside the selection keeps it, so that the menu acts on it.
        const long selStart = SendScintilla(SCI_GETSELECTIONSTART);
        const long selEnd = SendScintilla(SCI_GETSELECTIONEND);
        if (selStart == selEnd || pos < selStart || pos > selEnd) setCursorPosition(line, index);
        event->accept();
        return;
    }
    QsciScintilla::mousePressEvent(event);
}

void TextEditor::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    if (menuBuilder_) menuBuilder_(&menu);
    menu.exec(event->globalPos());
}

} // namespace verbalo

#include "exchange/pair_file_editor.h"

#include "widgets/editor_accessibility.h"

namespace verbalo {

PairFileEditor::PairFileEditor(QWidget* parent) : QsciScintilla(parent) {
    quietenEditorAccessibility();
    setUtf8(true);
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::Monospace);
    setFont(font);
    setMarginsFont(font);
    setMarginLineNumbers(0, true);
    setCaretLineVisible(true);
    setCaretLineBackgroundColor(QColor(255, 255, 215));
    setWrapMode(WrapNone);
    fitLineNumbers();
}

void PairFileEditor::loadUtf8(const QByteArray& utf8) {
    // A loaded file is no edit to undo, and keeping it as one would hold it twice.
    SendScintilla(SCI_SETUNDOCOLLECTION, 0L);
    SendScintilla(SCI_SETTEXT, 0UL, utf8.constData());
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETUNDOCOLLECTION, 1L);
    setCursorPosition(0, 0);
    fitLineNumbers();
}

int PairFileEditor::lineCount() { return SendScintilla(SCI_GETLENGTH) == 0 ? 0 : lines(); }

QString PairFileEditor::lineText(int line) {
    QString text = QsciScintilla::text(line);
    qsizetype end = text.size();
    while (end > 0 && (text.at(end - 1) == QLatin1Char('\n') || text.at(end - 1) == QLatin1Char('\r'))) --end;
    text.truncate(end);
    return text;
}

void PairFileEditor::showLine(int line) {
    setCursorPosition(line, 0);
    SendScintilla(SCI_VERTICALCENTRECARET);
}

void PairFileEditor::fitLineNumbers() {
    setMarginWidth(0, QStringLiteral("0") + QString::number(std::max(lines(), 1000)));
}

} // namespace verbalo

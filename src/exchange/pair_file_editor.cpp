#include "exchange/pair_file_editor.h"

#include "widgets/editor_accessibility.h"

#include <cstddef>

namespace verbalo {

// Scintilla's document loader, as SCI_CREATELOADER hands it out (Scintilla's ILoader; its
// header is not installed with QScintilla). It fills a document that no editor shows yet, so
// no insertion is announced: QScintilla would copy every announced insertion into a string and
// count its characters from the start of the document. Declared with external linkage so that
// the compiler cannot take this class for one without implementations.
namespace scintilla {
class DocumentLoader {
public:
    virtual int Release() = 0;
    virtual int AddData(const char* data, std::ptrdiff_t length) = 0; // 0 when stored
    virtual void* ConvertToDocument() = 0;

protected:
    ~DocumentLoader() = default;
};
} // namespace scintilla

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

PairFileEditor::~PairFileEditor() {
    // QScintilla releases the document it made itself: give it back.
    if (originalDocument_) {
        SendScintilla(SCI_SETDOCPOINTER, 0UL, originalDocument_);
        SendScintilla(SCI_RELEASEDOCUMENT, 0UL, originalDocument_);
    }
}

bool PairFileEditor::loadUtf8(const QByteArray& utf8) {
    // The new document has room for the whole file from the start (so its buffer is not grown
    // and copied) and no style bytes (which would hold the file a second time); a loaded file
    // is no edit to undo.
    auto* loader = reinterpret_cast<scintilla::DocumentLoader*>(
        SendScintilla(SCI_CREATELOADER, static_cast<unsigned long>(utf8.size()) + 1, long(SC_DOCUMENTOPTION_STYLES_NONE)));
    if (!loader) return false;
    if (!utf8.isEmpty() && loader->AddData(utf8.constData(), utf8.size()) != 0) {
        loader->Release();
        return false;
    }
    void* document = loader->ConvertToDocument();
    if (!originalDocument_) {
        originalDocument_ = reinterpret_cast<void*>(SendScintilla(SCI_GETDOCPOINTER));
        SendScintilla(SCI_ADDREFDOCUMENT, 0UL, originalDocument_);
    }
    SendScintilla(SCI_SETDOCPOINTER, 0UL, document);
    SendScintilla(SCI_RELEASEDOCUMENT, 0UL, document);
    // The code page belongs to the document, and the loader left it without undo.
    setUtf8(true);
    SendScintilla(SCI_SETUNDOCOLLECTION, 1L);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    setCursorPosition(0, 0);
    fitLineNumbers();
    return true;
}

int PairFileEditor::lineCount() {
    return SendScintilla(SCI_GETLENGTH) == 0 ? 0 : lines();
}

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

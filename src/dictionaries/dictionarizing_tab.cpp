#include "dictionaries/dictionarizing_tab.h"

#include "common/codepage.h"
#include "common/messages.h"
#include "common/store/table.h"
#include "common/text_file.h"
#include "dictionaries/logic/dictionarizing_text.h"
#include "dictionaries/logic/pair_lookup.h"
#include "dictionaries/logic/pair_search.h"
#include "dictionaries/logic/result_writers.h"
#include "dictionaries/result_pane.h"
#include "dictionaries/pair_window_actions.h"
#include "dictionaries/text_editor.h"
#include "widgets/store_messages.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMenu>
#include <QProgressBar>
#include <QSplitter>
#include <QVBoxLayout>

#include <memory>

namespace verbalo {

namespace {

// Repaints during a long run at most this often, so that painting costs no throughput.
constexpr qint64 kRepaintMillis = 30;

} // namespace

DictionarizingTab::DictionarizingTab(QWidget* parent) : QWidget(parent) {
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(2);

    auto* across = new QSplitter(Qt::Horizontal, this);
    across->setObjectName(QStringLiteral("Splitter1"));
    auto* down = new QSplitter(Qt::Vertical, across);
    editor_ = new TextEditor(down);
    editor_->setObjectName(QStringLiteral("SynEdit1"));
    caretWordPane_ = new ResultPane(down);
    caretWordPane_->setObjectName(QStringLiteral("RichEdit2"));
    down->addWidget(editor_);
    down->addWidget(caretWordPane_);
    down->setStretchFactor(0, 3);
    down->setStretchFactor(1, 1);

    auto* right = new QWidget(across);
    auto* rightLayout = new QHBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    progress_ = new QProgressBar(right);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setOrientation(Qt::Vertical);
    progress_->setTextVisible(false);
    progress_->setFixedWidth(12);
    progress_->setVisible(false);
    dictionarizedPane_ = new ResultPane(right);
    dictionarizedPane_->setObjectName(QStringLiteral("RichEdit1"));
    rightLayout->addWidget(progress_);
    rightLayout->addWidget(dictionarizedPane_, 1);
    across->addWidget(down);
    across->addWidget(right);
    across->setStretchFactor(0, 3);
    across->setStretchFactor(1, 2);
    layout_->addWidget(across, 1);

    editor_->setMenuBuilder([this](QMenu* menu) { buildEditorMenu(menu); });
    dictionarizedPane_->setMenuExtender([this](QMenu* menu) { addSaveItem(menu, [this] { savePane(dictionarizedPane_); }); });
    caretWordPane_->setMenuExtender([this](QMenu* menu) { addSaveItem(menu, [this] { savePane(caretWordPane_); }); });
    // Every change of the editor's state: the caret, the selection, the text, scrolling.
    connect(editor_, &QsciScintilla::cursorPositionChanged, this, &DictionarizingTab::lookUpCaretWord);
    connect(editor_, &QsciScintilla::selectionChanged, this, &DictionarizingTab::lookUpCaretWord);
    connect(editor_, &QsciScintilla::textChanged, this, &DictionarizingTab::lookUpCaretWord);
    connect(editor_, &QsciScintillaBase::SCN_UPDATEUI, this, &DictionarizingTab::lookUpCaretWord);
}

void DictionarizingTab::addToolBar(QWidget* toolbar) {
    layout_->insertWidget(0, toolbar);
}

void DictionarizingTab::setDictionary(store::Database* db, store::Table* wordList, const QString& tableName) {
    db_ = db;
    wordList_ = wordList;
    tableName_ = tableName;
}

void DictionarizingTab::dictionarize() {
    if (!db_ || tableName_.isEmpty()) return;
    try {
        // The word list's own cursor is already in the order wanted; a second cursor on a large
        // table would build that order again.
        std::unique_ptr<PairLookup> lookup = wordList_ && wordList_->isOpen()
                                                 ? std::make_unique<PairLookup>(*wordList_, orderColumn_)
                                                 : std::make_unique<PairLookup>(*db_, tableName_, orderColumn_);
        dictionarizedPane_->clear();
        const QString selection = editor_->selectedTextCrLf();
        const QString source = selection.size() >= 2 ? selection : joinEditorLines(editor_->textLines());
        const QStringList words = dictionarizingWords(source);
        if (words.isEmpty()) return;

        const int count = static_cast<int>(words.size());
        progress_->setRange(1, count);
        progress_->setValue(1);
        progress_->setVisible(true);
        ResultLines& lines = dictionarizedPane_->lines();
        lines.reserve(count * 2, source.size() * 2);
        QElapsedTimer sinceRepaint;
        sinceRepaint.start();
        try {
            for (int i = 0; i < count; ++i) {
                appendDictionarizedWord(lines, lookup->lookup(words.at(i)));
                if (sinceRepaint.elapsed() >= kRepaintMillis) {
                    progress_->setValue(std::min(count, i + 2));
                    // Only painting: the run keeps the window busy, as its progress bar says.
                    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                    sinceRepaint.restart();
                }
            }
        } catch (const store::StoreError& e) {
            dictionarizedPane_->linesChanged();
            progress_->reset();
            showStoreError(e, tableName_, this);
            return;
        }
        dictionarizedPane_->linesChanged();
        progress_->reset();
    } catch (const store::StoreError& e) {
        showStoreError(e, tableName_, this);
    }
}

void DictionarizingTab::lookUpCaretWord() {
    if (editor_->length() == 0) return;
    const QString word = editor_->wordAtCaret();
    if (word.isEmpty() || word == lastCaretWord_) return;
    lastCaretWord_ = word;
    caretWordPane_->lines().clear();
    DictionarizedWord result;
    result.word = word;
    if (wordList_ && wordList_->isOpen()) {
        try {
            result = lookupCaretWord(*wordList_, orderColumn_, word);
        } catch (const store::StoreError& e) {
            // No key to search by (an order without an index, the store's own refusal): the
            // word alone. The table failing is said.
            result = DictionarizedWord{word, false, {}};
            if (e.kind() != store::StoreError::Kind::Other) showStoreError(e, tableName_, this);
        }
    }
    appendCaretWord(caretWordPane_->lines(), result);
    caretWordPane_->linesChanged();
}

void DictionarizingTab::searchCaretWordOccurrences() {
    caretWordPane_->clear();
    if (!db_ || tableName_.isEmpty()) return;
    try {
        const QString word = editor_->wordAtCaret();
        const ExpressionSearchResult result = searchExpression(*db_, tableName_, orderColumn_, word);
        if (result.tooShort) {
            showError(kTooShortExpression, this);
            return;
        }
        appendExpressionMatches(caretWordPane_->lines(), result.matches);
        if (result.matches.empty()) appendNoExpressionMatch(caretWordPane_->lines(), word);
    } catch (const store::StoreError& e) {
        showStoreError(e, tableName_, this);
    }
    caretWordPane_->linesChanged();
}

void DictionarizingTab::clearText() {
    editor_->clear();
}

void DictionarizingTab::openFile() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("File megnyitása fordításhoz"), QString(),
                                                      QStringLiteral("Minden file (*)"));
    if (!path.isEmpty()) loadFile(path);
}

void DictionarizingTab::loadFile(const QString& path) {
    const TextReadResult file = readTextFile(path);
    if (!file.ok) {
        showError(file.error, this);
        return;
    }
    editor_->setTextLines(file.lines);
}

QString DictionarizingTab::chooseSaveFile(bool offerHtml, bool* asHtml) {
    const QString text = QStringLiteral("Szöveges file (*.txt)");
    const QString html = QStringLiteral("HTML állomány (*.htm)");
    QString chosen = text;
    QFileDialog dialog(this, QStringLiteral("Mentés"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(offerHtml ? QStringList{text, html} : QStringList{text});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, html](const QString& filter) {
        dialog.setDefaultSuffix(filter == html ? QStringLiteral("htm") : QStringLiteral("txt"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    const QString path = dialog.selectedFiles().first();
    *asHtml = offerHtml && (dialog.selectedNameFilter() == html || path.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive) ||
                            path.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive));
    return path;
}

void DictionarizingTab::savePane(ResultPane* pane) {
    bool asHtml = false;
    const QString path = chooseSaveFile(true, &asHtml);
    if (path.isEmpty()) return;
    const QString title = pane == dictionarizedPane_ ? QStringLiteral("Szótárazás") : lastCaretWord_;
    const TextWriteResult written = writeResultFile(pane->lines(), path, asHtml, title);
    if (!written.ok) showError(written.error, this);
}

void DictionarizingTab::saveEditor() {
    bool asHtml = false;
    const QString path = chooseSaveFile(false, &asHtml);
    if (path.isEmpty()) return;
    const TextWriteResult written = writeTextFile(path, editor_->textLines());
    if (!written.ok) showError(written.error, this);
}

void DictionarizingTab::saveFocused() {
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == editor_ || editor_->isAncestorOf(focus)))
        saveEditor();
    else if (focus && (focus == caretWordPane_ || caretWordPane_->isAncestorOf(focus)))
        savePane(caretWordPane_);
    else
        savePane(dictionarizedPane_);
}

void DictionarizingTab::addSaveItem(QMenu* menu, const std::function<void()>& save) {
    menu->addSeparator();
    menu->addAction(QStringLiteral("Mentés\tCtrl+S"), this, save);
}

void DictionarizingTab::buildEditorMenu(QMenu* menu) {
    if (actions_) {
        menu->addAction(actions_->aElofordulas);
        menu->addAction(actions_->aSzotaraz);
    }
    menu->addSeparator();
    menu->addAction(QStringLiteral("Kivágás\tCtrl+X"), editor_, &QsciScintilla::cut)->setEnabled(editor_->hasSelectedText());
    menu->addAction(QStringLiteral("Másolás\tCtrl+C"), editor_, &QsciScintilla::copy)->setEnabled(editor_->hasSelectedText());
    menu->addAction(QStringLiteral("Beillesztés\tCtrl+V"), editor_, &QsciScintilla::paste);
    menu->addSeparator();
    if (actions_) {
        menu->addAction(actions_->aUreslap);
        menu->addAction(actions_->aMegnyit);
    }
    menu->addAction(QStringLiteral("Mentés\tCtrl+S"), this, &DictionarizingTab::saveEditor);
}

} // namespace verbalo

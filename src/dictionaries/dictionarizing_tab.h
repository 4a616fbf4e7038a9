#pragma once

#include "common/table_layouts.h"
#include <QString>
#include <QWidget>

#include <functional>

class QMenu;
class QProgressBar;
class QVBoxLayout;

namespace verbalo {

class ResultPane;
class TextEditor;
struct SzotarActions;

namespace store {
class Database;
class Table;
} // namespace store

// The dictionarizing tab ("Szótárazás") of the bilingual window: the text editor SynEdit1, the
// translations of the word at its caret in RichEdit2, and the dictionarized text in RichEdit1
// with the vertical progress bar at its left edge.
class DictionarizingTab : public QWidget {
    Q_OBJECT
public:
    explicit DictionarizingTab(QWidget* parent = nullptr);

    // The dictionary and the word list's own cursor, which the caret lookup moves.
    void setDictionary(store::Database* db, store::Table* wordList, const QString& tableName);
    void setOrderColumn(const QString& column) { orderColumn_ = column; }
    // The window's commands that the pop-up menus offer.
    void setActions(const SzotarActions* actions) { actions_ = actions; }
    void addToolBar(QWidget* toolbar);

    TextEditor* editor() const { return editor_; }
    ResultPane* resultPane() const { return dictionarizedPane_; }
    ResultPane* caretPane() const { return caretWordPane_; }
    QProgressBar* progressBar() const { return progress_; }
    const QString& lastCaretWord() const { return lastCaretWord_; }

    // aSzotaraz: looks every word of the selection (two characters or more) or of the whole
    // text up, writing the result into RichEdit1.
    void dictionarize();
    void clearText();
    void openFile();
    void loadFile(const QString& path);
    // "Előfordulás": the expression search for the word at the caret, into RichEdit2.
    void searchCaretWordOccurrences();
    // "Mentés": the pane or editor that has the focus, RichEdit1 when none of them has it.
    void saveFocused();
    void savePane(ResultPane* pane);
    void saveEditor();
    // The caret-word lookup; runs on every change of the editor's state.
    void lookUpCaretWord();

private:
    void buildEditorMenu(QMenu* menu);
    void addSaveItem(QMenu* menu, const std::function<void()>& save);
    QString chooseSaveFile(bool offerHtml, bool* asHtml);

    store::Database* db_ = nullptr;
    store::Table* wordList_ = nullptr;
    QString tableName_;
    QString orderColumn_ = kFirstLanguageColumn;
    QString lastCaretWord_;
    const SzotarActions* actions_ = nullptr;

    QVBoxLayout* layout_;
    TextEditor* editor_;
    ResultPane* dictionarizedPane_;
    ResultPane* caretWordPane_;
    QProgressBar* progress_;
};

} // namespace verbalo

#pragma once

#include "dictionaries/pair_window_actions.h"
#include "widgets/dictionary_window.h"

#include <memory>

class QLabel;
class QLineEdit;
class QTabWidget;
class QTableView;

namespace verbalo {

class DictionarizingTab;
class PairListModel;
class SearchTab;

namespace store {
class Table;
}

// The window of a bilingual dictionary: the word list with its incremental search and entry
// editor (tab 0), dictionarizing a text (tab 1) and the expression search (tab 2). Every tab
// works in the direction of the current order: the order column is searched, the other column
// is the translation.
class Tfrm_Szotar : public DictionaryWindow {
    Q_OBJECT
public:
    Tfrm_Szotar(FrameServices& frame, QWidget* parent = nullptr);
    ~Tfrm_Szotar() override;

    bool openDictionary(int id) override;
    store::Table* table() override;
    void reportActive() override;
    void saveLayoutForDataSheet() override { saveViewSettings(); }
    bool offers(Command) const override {
        return true; // every frame command, the dictionary format included
    }
    // The word list, or the dictionary format in 2, 3 or 4 columns, in the window's order.
    void printList() override;
    bool printDictionaryFormat(int columns) override;
    // "Adatok importja": the word-pair import (Tfrm_SzotarBetolt) on the window's table.
    void importData() override;
    void reloadDictionaryInfo() override;
    void exportData() override;
    bool queryClose() override;

    // Orders the list by a column; false, after "Index hiba", when the table has no index for
    // it. Any column but "nyelv1" is arranged as the second language.
    bool setOrder(const QString& column);
    const QString& order() const { return order_; }
    // "nyelv1", or "nyelv2" for any other order.
    QString orderColumn() const;
    void applyColumnWidths();
    void saveViewSettings();

    const SzotarActions& actions() const { return actions_; }
    DictionarizingTab* dictionarizingTab() const { return dictionarizingTab_; }
    SearchTab* searchTab() const { return searchTab_; }

protected:
    QList<QAction*> windowCommands() const override { return actions_.all(); }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildWordListTab();
    void buildPopupMenu();
    void connectActions();
    void arrangeColumns(bool firstLanguageFirst);
    void showStatus();
    void followCurrentRecord();
    void gridRowChosen(const QModelIndex& current);
    void searchAsTyped(const QString& text);
    void tabChanged(int index);
    void focusFirstControl(int tab);
    void newPair();
    void editPair();
    void deletePair();
    void runEditor();
    bool isOnTab(int tab) const;

    std::unique_ptr<store::Table> tbl_;
    QString order_;
    bool following_ = false;
    bool closed_ = false;

    SzotarActions actions_;
    QTabWidget* pages_ = nullptr;
    QLineEdit* searchBox_ = nullptr;
    QLabel* dictionaryNameLabel_ = nullptr;
    QTableView* wordGrid_ = nullptr;
    PairListModel* pairModel_ = nullptr;
    DictionarizingTab* dictionarizingTab_ = nullptr;
    SearchTab* searchTab_ = nullptr;
};

} // namespace verbalo

#pragma once

#include "dictionaries/list_window_actions.h"
#include "widgets/dictionary_window.h"

#include <memory>

class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QTableView;

namespace verbalo {

class HeadwordListModel;

namespace store {
class Table;
}

// The window of a headword list: the headwords in alphabetical order with the beginning of
// each text (DBGrid1 on the panel Panel1), the whole text of the current entry beside them
// (DBMemo1), an incremental search on the headword (Edit1), the entry editor, the list import
// and the list text export.
class Tfrm_Szotar2 : public DictionaryWindow {
    Q_OBJECT
public:
    Tfrm_Szotar2(FrameServices& frame, QWidget* parent = nullptr);
    ~Tfrm_Szotar2() override;

    bool openDictionary(int id) override;
    store::Table* table() override;
    void reportActive() override;
    bool offers(Command command) const override { return command != Command::PrintDictionaryFormat; }
    // The headwords with their texts, in the window's order.
    void printList() override;
    void importData() override;
    void exportData() override;
    void reloadDictionaryInfo() override;
    bool queryClose() override;

    // The list text export into a file chosen in a save dialog ("Adatbázis export").
    void exportListText();
    // The same into the given file.
    void exportListTextTo(const QString& path);
    int panelWidth() const { return panelWidth_; }

    const Szotar2Actions& actions() const { return actions_; }

protected:
    QList<QAction*> windowCommands() const override { return actions_.all(); }
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPopupMenu();
    void connectActions();
    void setPanelWidth(int width);
    void applyPanelWidth();
    void applySharedColumns();
    void applyEqualColumns();
    void saveShare();
    void showStatus(const QString& orderLanguage);
    void followCurrentRecord();
    void gridRowChosen(const QModelIndex& current);
    void searchAsTyped(const QString& text);
    void newEntry();
    void editEntry();
    void runEditor();

    std::unique_ptr<store::Table> tbl_;
    Szotar2Actions actions_;
    QLineEdit* searchBox_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* listPanel_ = nullptr;
    QTableView* headwordGrid_ = nullptr;
    QPlainTextEdit* bodyView_ = nullptr;
    HeadwordListModel* model_ = nullptr;
    int panelWidth_ = 0;
    int laidOutWidth_ = -1; // the window width the panel was last halved for
    bool following_ = false;
    bool closed_ = false;
};

} // namespace verbalo

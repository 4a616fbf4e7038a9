#pragma once

#include "dictionaries/list_commands.h"
#include "widgets/dictionary_window.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QStatusBar;
class QTableView;

namespace verbalo {

class PicturePanel;
class RecipeListModel;
class RecipeMemos;

// The window of a recipe book: the recipes by category and dish (DBGrid1 on Panel1) with the
// current one's dish, difficulty, time and ingredients below them, its method and picture
// beside them, a search on the category (Edit1), and the recipe editor for new and changed
// recipes. The ingredients and the method can also be typed into in place.
class Tfrm_Szotar5 : public DictionaryWindow {
    Q_OBJECT
public:
    Tfrm_Szotar5(FrameServices& frame, QWidget* parent = nullptr);
    ~Tfrm_Szotar5() override;

    bool openDictionary(int id) override;
    store::Table* table() override;
    void reportActive() override;
    // Export is offered so that the frame can say this kind of dictionary has none.
    bool offers(Command command) const override { return command != Command::PrintDictionaryFormat; }
    void printList() override;
    void importData() override;
    void saveLayoutForDataSheet() override;
    void reloadDictionaryInfo() override;
    bool queryClose() override;

    // The list is in category order when the table has an index for it (tables made by this
    // program have); an older table is listed by its key and searched row by row.
    bool orderedByCategory() const { return orderedByCategory_; }
    // The search box's work: the first recipe whose category is at or after the text in the
    // category order, or, without that order, the first one whose category starts with it.
    void searchCategory(const QString& text);
    // Stores what is typed into the memos in the current recipe; false after the message, the
    // text still in the memos.
    bool postMemos();
    // "Mentés" into the given file: the current picture's bytes; false after the message.
    bool savePictureTo(const QString& path);
    // The file name "Mentés" proposes: the dish and the picture's extension.
    QString proposedPictureName();
    void showPicture();
    void savePanelRatio();
    int listPanelWidth() const;

    struct Actions : ListCommands {
        explicit Actions(QWidget* window);
        QAction* aMentes = nullptr;
    };
    const Actions& actions() const { return actions_; }
    PicturePanel* picturePanel() const { return picturePanel_; }
    QStatusBar* statusBar() const { return statusBar_; }

protected:
    QList<QAction*> windowCommands() const override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildTopBar();
    QWidget* buildListPanel();
    QWidget* buildRightPanel();
    void buildPopupMenu();
    void connectActions();
    void openOrdered();
    void followCurrentRecord();
    void showDetails();
    void gridRowChosen(const QModelIndex& current);
    void applyPanelWidth();
    void applyColumnWidths();
    void newRecipe();
    void editCurrentRecipe();
    void runEditor();
    void deleteRecipe();
    void savePicture();

    std::unique_ptr<store::Table> tbl_;
    Actions actions_;
    QLineEdit* searchBox_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QSplitter* rightSplitter_ = nullptr;
    QWidget* listPanel_ = nullptr;
    QTableView* recipeGrid_ = nullptr;
    QLabel* dishLabel_ = nullptr;
    QLabel* difficultyLabel_ = nullptr;
    QLabel* minutesLabel_ = nullptr;
    QPlainTextEdit* ingredientsMemo_ = nullptr;
    QPlainTextEdit* methodMemo_ = nullptr;
    PicturePanel* picturePanel_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    RecipeListModel* model_ = nullptr;
    RecipeMemos* memos_ = nullptr;
    bool orderedByCategory_ = false;
    bool following_ = false;
    bool closed_ = false;
};

} // namespace verbalo

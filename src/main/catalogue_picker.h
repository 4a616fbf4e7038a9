#pragma once

#include "main/picker_context.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QToolBar;

namespace verbalo {

namespace store {
class Table;
}

class CatalogueGridModel;

// The catalogue picker: a modal list of the existing dictionaries by name, with a search box,
// the current dictionary's large icon and note. In the main program it also makes, edits and
// deletes dictionaries; the quick finder's mode only chooses.
class Tfrm_TorzsSzotar : public QDialog {
    Q_OBJECT
public:
    Tfrm_TorzsSzotar(PickerContext& context, QWidget* parent = nullptr);
    ~Tfrm_TorzsSzotar() override;

    // Opens the catalogue (rebuilding a broken name index once in the main program) and makes
    // the row with this id current; the first row when there is none. Store errors of the
    // second attempt reach the caller.
    void openCatalogue(int currentId);
    // The current row's id; 0 when the list is empty.
    int currentId() const;

    store::Table& table();
    CatalogueGridModel* model() const { return model_; }

    // Column widths follow the grid's width less 40 pixels: 0.45, 0.15, 0.15 and 0.25 of it,
    // but never narrower than a column's title; the name column gives up what the titles need.
    void fitColumns();

    // Placed before it is first shown.
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void buildActions();
    void searchChanged(const QString& text);
    void sortByColumn(int column);
    void currentRowChanged();
    void newDictionary();
    void editDictionary();
    void deleteDictionary();

    PickerContext& context_;
    std::unique_ptr<store::Table> table_;
    QStringList existingTables_;
    CatalogueGridModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* header_ = nullptr;
    QLabel* icon_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    int sortColumn_ = 0;
    bool placed_ = false;
};

// Shows the picker modally with the dictionary `currentId` preselected (-1: none). Returns the
// id of the dictionary chosen with OK, -1 otherwise (0 after OK on an empty list). A catalogue
// that cannot be opened throws store::StoreError before the window shows; the main program
// rebuilds a broken name index once first, the quick finder does not.
int pickDictionary(PickerContext& context, int currentId);

} // namespace verbalo

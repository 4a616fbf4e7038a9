#pragma once

#include "common/table_layouts.h"
#include <QString>
#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QTableView;
class QVBoxLayout;

namespace verbalo {

class PairListModel;
class ResultPane;

namespace store {
class Database;
class Table;
} // namespace store

// The search tab ("Kereső") of the bilingual window: the expression box Edit2, the prefix list
// in DBGrid2 while the user types, and on Enter the entries that contain the expression anywhere
// in RichEdit3, the expression in bold and the translation indented below.
class SearchTab : public QWidget {
    Q_OBJECT
public:
    explicit SearchTab(QWidget* parent = nullptr);
    ~SearchTab() override;

    // The dictionary searched and the word list's own cursor, which shows the whole table.
    void setDictionary(store::Database* db, store::Table* wordList, const QString& tableName);
    // The order column and the titles of the grid's first and second column.
    void setColumns(const QString& orderColumn, const QString& firstTitle, const QString& secondTitle);
    void addToolBar(QWidget* toolbar);

    QLineEdit* edit() const { return expressionBox_; }
    QTableView* grid() const { return grid_; }
    ResultPane* resultPane() const { return pane_; }
    const QString& listStatement() const { return statement_; }
    bool listOpen() const { return listOpen_; }

    // The prefix list's statement as the window opens: the whole table.
    void setWholeTableStatement();
    // Opens the list with its last statement / closes it (tab shown / left).
    void openList();
    void closeList();
    // When the tab is shown: the list opens again once the box holds enough for it.
    void reopenListIfTyped();
    void runPrefixList();
    void runExpressionSearch();

signals:
    // A column title of the grid was clicked: the window orders by that field.
    void orderRequested(const QString& column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    store::Database* db_ = nullptr;
    store::Table* wordList_ = nullptr;
    QString tableName_;
    QString orderColumn_ = kFirstLanguageColumn;
    QString statement_;
    QString condition_; // the statement's WHERE condition; empty for the whole table
    bool listOpen_ = false;
    std::unique_ptr<store::Table> listCursor_;

    QVBoxLayout* layout_;
    QLabel* label_;
    QLineEdit* expressionBox_;
    ResultPane* pane_;
    QTableView* grid_;
    PairListModel* model_;
};

} // namespace verbalo

#include "dictionaries/search_tab.h"

#include "common/messages.h"
#include "common/store/table.h"
#include "dictionaries/pair_list_model.h"
#include "dictionaries/logic/pair_search.h"
#include "dictionaries/logic/result_writers.h"
#include "dictionaries/pair_grid.h"
#include "dictionaries/result_pane.h"
#include "widgets/store_messages.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace verbalo {

SearchTab::SearchTab(QWidget* parent) : QWidget(parent) {
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(2);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter2"));
    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(4, 4, 0, 0);
    label_ = new QLabel(QStringLiteral("Keresendő kifejezés (Enter, ha kész)"), left);
    label_->setObjectName(QStringLiteral("Label1"));
    expressionBox_ = new QLineEdit(left);
    expressionBox_->setObjectName(QStringLiteral("Edit2"));
    label_->setBuddy(expressionBox_);
    pane_ = new ResultPane(left);
    pane_->setObjectName(QStringLiteral("RichEdit3"));
    leftLayout->addWidget(label_);
    leftLayout->addWidget(expressionBox_);
    leftLayout->addWidget(pane_, 1);

    grid_ = new QTableView(splitter);
    grid_->setObjectName(QStringLiteral("DBGrid2"));
    configurePairGrid(grid_);
    model_ = new PairListModel(this);
    model_->setFailureHandler([this](const store::StoreError& e) { showStoreError(e, tableName_, this); });
    grid_->setModel(model_);
    splitter->addWidget(left);
    splitter->addWidget(grid_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    layout_->addWidget(splitter, 1);

    expressionBox_->installEventFilter(this);
    connect(expressionBox_, &QLineEdit::textChanged, this, &SearchTab::runPrefixList);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        const QString field = model_->fieldOfColumn(section).toLower();
        if (!field.isEmpty()) emit orderRequested(field);
        expressionBox_->setFocus();
    });
}

SearchTab::~SearchTab() = default;

void SearchTab::addToolBar(QWidget* toolbar) {
    layout_->insertWidget(0, toolbar);
}

void SearchTab::setDictionary(store::Database* db, store::Table* wordList, const QString& tableName) {
    closeList();
    db_ = db;
    wordList_ = wordList;
    tableName_ = tableName;
}

void SearchTab::setColumns(const QString& orderColumn, const QString& firstTitle, const QString& secondTitle) {
    orderColumn_ = orderColumn;
    model_->setColumns(orderColumn, firstTitle, secondTitle);
}

void SearchTab::setWholeTableStatement() {
    statement_ = wholeTableStatement(tableName_);
    condition_.clear();
}

void SearchTab::openList() {
    if (!db_ || tableName_.isEmpty() || statement_.isEmpty()) return;
    closeList();
    try {
        if (condition_.isEmpty()) {
            // The whole table is what the word list's cursor already holds.
            model_->setTable(wordList_);
        } else {
            listCursor_ = std::make_unique<store::Table>(*db_);
            listCursor_->setTableName(tableName_);
            listCursor_->setFilter(condition_);
            listCursor_->setFiltered(true);
            listCursor_->setIndexFieldNames(orderColumn_);
            listCursor_->open();
            model_->setTable(listCursor_.get());
        }
        listOpen_ = true;
    } catch (const store::StoreError& e) {
        closeList();
        showStoreError(e, tableName_, this);
    }
}

void SearchTab::closeList() {
    model_->setTable(nullptr);
    listCursor_.reset();
    listOpen_ = false;
}

void SearchTab::reopenListIfTyped() {
    if (expressionBox_->text().size() >= kPrefixListMinLength) openList();
}

void SearchTab::runPrefixList() {
    const QString text = expressionBox_->text();
    if (text.size() < kPrefixListMinLength || tableName_.isEmpty()) return;
    condition_ = prefixListCondition(orderColumn_, text);
    statement_ = prefixListStatement(tableName_, orderColumn_, text);
    openList();
}

void SearchTab::runExpressionSearch() {
    pane_->clear();
    if (!db_ || tableName_.isEmpty()) return;
    try {
        const ExpressionSearchResult result = searchExpression(*db_, tableName_, orderColumn_, expressionBox_->text());
        if (result.tooShort) {
            showError(kTooShortExpression, this);
            return;
        }
        appendExpressionMatches(pane_->lines(), result.matches);
        if (result.matches.empty()) appendNoExpressionMatch(pane_->lines(), expressionBox_->text());
    } catch (const store::StoreError& e) {
        showStoreError(e, tableName_, this);
    }
    pane_->linesChanged();
}

bool SearchTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == expressionBox_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            expressionBox_->selectAll();
            runExpressionSearch();
            return true;
        }
        if (key->key() == Qt::Key_Down) {
            pane_->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace verbalo

#include "dictionaries/pair_grid.h"

#include "dictionaries/logic/table_rows_model.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

#include <algorithm>
#include <limits>

namespace verbalo {

namespace {

// A long list reaches its grid in steps (TableRowsModel). A key that goes to the end of the
// list, or past the last row shown so far, first brings the rest, so that End finds the
// table's last row rather than the last one shown yet.
class ListEndKeys : public QObject {
public:
    explicit ListEndKeys(QTableView* grid) : QObject(grid), grid_(grid) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        auto* model = qobject_cast<TableRowsModel*>(grid_->model());
        if (!model || model->allRowsShown()) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int pageRows = std::max(1, grid_->viewport()->height() / std::max(1, grid_->verticalHeader()->defaultSectionSize()));
        const bool nearTheEnd = grid_->currentIndex().row() + pageRows >= model->rowCount();
        if (key == Qt::Key_End || (nearTheEnd && (key == Qt::Key_PageDown || key == Qt::Key_Down)))
            model->showRowsThrough(std::numeric_limits<int>::max() - 1);
        return false;
    }

private:
    QTableView* grid_;
};

} // namespace

int pairGridRowHeight(const QTableView* grid) {
    return grid->fontMetrics().height() + 4;
}

void configurePairGrid(QTableView* grid) {
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setWordWrap(false);
    grid->setSortingEnabled(false);
    grid->setTabKeyNavigation(false);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    QHeaderView* rows = grid->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(pairGridRowHeight(grid));
    rows->hide();
    QHeaderView* titles = grid->horizontalHeader();
    // Columns get the widths their shares give, however narrow.
    titles->setMinimumSectionSize(8);
    titles->setSectionsClickable(true);
    titles->setSectionsMovable(false);
    titles->setStretchLastSection(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setHighlightSections(false);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titles->setCursor(Qt::PointingHandCursor);
    grid->installEventFilter(new ListEndKeys(grid));
}

void selectRecordRow(QTableView* grid, TableRowsModel& model, int recNo, RowReveal reveal) {
    model.syncRowCount();
    const int row = recNo - 1;
    model.showRowsThrough(row);
    if (row < 0 || row >= model.rowCount()) return;
    const QModelIndex index = model.index(row, std::max(0, grid->currentIndex().column()));
    const bool inView = grid->viewport()->rect().contains(grid->visualRect(index).center());
    if (reveal == RowReveal::TopWhenOutside && !inView) grid->scrollTo(index, QAbstractItemView::PositionAtTop);
    grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid->scrollTo(index);
}

} // namespace verbalo

#include "dictionaries/pair_grid.h"

#include "dictionaries/logic/table_rows_model.h"

#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace verbalo {

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

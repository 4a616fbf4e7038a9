#include "dictionaries/pair_grid.h"

#include <QHeaderView>
#include <QTableView>

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

} // namespace verbalo

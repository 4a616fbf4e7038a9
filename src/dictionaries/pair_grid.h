#pragma once

#include <QTableView>

namespace verbalo {

// The word-list grids: read-only, whole rows selected one at a time, rows of one fixed height
// (so a million rows cost nothing to lay out), column titles that are clicked to order the list
// and show a pointing hand.
void configurePairGrid(QTableView* grid);

// The grid of a list window with a search box: it does not jump to rows by what is typed into
// it, as letters go to the search box (or do nothing).
class SearchBoxGrid : public QTableView {
public:
    using QTableView::QTableView;
    void keyboardSearch(const QString&) override {}
};

// The height of a grid row for the grid's present font.
int pairGridRowHeight(const QTableView* grid);

} // namespace verbalo

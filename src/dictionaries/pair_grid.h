#pragma once

#include <QTableView>

namespace verbalo {

class TableRowsModel;

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

// How a grid brings the table's current row into view: just enough to show it, or, for a row
// found far away, at the top followed by the entries after it.
enum class RowReveal { Nearest, TopWhenOutside };

// Makes the table's current record (recNo, 1-based) the grid's one selected row, once the model
// has caught up with the table's row count; the column stays the one the user was in. A store
// failure is left to the window, which says it in its own words.
void selectRecordRow(QTableView* grid, TableRowsModel& model, int recNo, RowReveal reveal);

} // namespace verbalo

#pragma once

#include "common/catalogue.h"

#include <QString>

class QWidget;

namespace verbalo::store {
class Database;
}

// The width rules of the headword list window: the left panel with the grid, the memo beside
// it, and the grid's two columns.
namespace verbalo::headword_widths {

// The panel width a stored share gives.
int panelWidthForShare(int windowWidth, double share);

struct ColumnWidths {
    int headword = 0;
    int text = 0;
};

// After the panel changed width (the splitter was dragged): a third and two thirds.
ColumnWidths sharedColumns(int gridWidth);
// After the window was resized: two equal columns.
ColumnWidths equalColumns(int gridWidth);

// The share of the window the panel takes, and the statement that stores it and the rest.
double panelShare(int panelWidth, int windowWidth);
QString saveShareStatement(int id, double share);

// Stores the panel's share in the dictionary's catalogue row and in info. A failure is shown
// to the user over owner and the window goes on (closing included): only the width is lost.
void storePanelShare(store::Database& db, TSzotarak& info, int panelWidth, int windowWidth, QWidget* owner);

} // namespace verbalo::headword_widths

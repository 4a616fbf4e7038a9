#pragma once

#include <QString>

#include <optional>

// The bilingual window's view settings in the catalogue: the shares of the two grid columns,
// the order and the tab shown.
namespace verbalo {

namespace store {
class Database;
}

struct PairColumnWidths {
    int nyelv1 = 0;
    int nyelv2 = 0;
};

// The widths of the columns showing nyelv1 and nyelv2 in a grid whose usable width is given.
PairColumnWidths pairColumnWidths(int usableWidth, double nyelv1Share, double nyelv2Share);

// The share of the nyelv1 column in the two widths; none when they add up to nothing (a grid
// never shown), so that the stored shares are kept rather than made meaningless.
std::optional<double> nyelv1ShareOf(int nyelv1Width, int nyelv2Width);

// Writes the shares (nyelv1share and 1 - nyelv1share, when given), the order and the tab into
// the catalogue row through a cursor of its own. False when the catalogue holds no such row; a
// failure of the store (the catalogue busy, damaged, the disk full) reaches the caller as a
// store::StoreError, with the row's edit cancelled.
bool saveViewSettings(store::Database& db, int id, std::optional<double> nyelv1Share, const QString& order, int tab);

// "UPDATE szotarak SET sorrend='nyelv1',ablak=0 WHERE szotarak=7;"
QString closingUpdateStatement(const QString& order, int tab, int id);

} // namespace verbalo

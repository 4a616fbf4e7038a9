#include "dictionaries/recipe_window_widths.h"

#include "common/text_routines.h"
#include "dictionaries/list_window_widths.h"

#include <algorithm>

namespace verbalo::recipe_widths {

int listPanelWidth(int windowWidth, double share) {
    return std::max(kListPanelMinimum, headword_widths::panelWidthForShare(windowWidth, share));
}

ColumnWidths columns(int gridWidth) {
    return ColumnWidths{std::max(0, roundHalfEven((gridWidth - 33) * 0.32)), std::max(0, roundHalfEven((gridWidth - 33) * 0.67))};
}

} // namespace verbalo::recipe_widths

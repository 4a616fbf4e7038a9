#pragma once

// The width rules of the recipe window: the recipe list panel on the left and its grid's two
// columns.
namespace verbalo::recipe_widths {

// The list panel is never narrower than this, whatever the stored share or the splitter says.
constexpr int kListPanelMinimum = 316;

// The list panel's width for the window width and the stored share, at least the minimum.
int listPanelWidth(int windowWidth, double share);

struct ColumnWidths {
    int category = 0;
    int dish = 0;
};

// A third of the grid less its edge for the category, two thirds for the dish.
ColumnWidths columns(int gridWidth);

} // namespace verbalo::recipe_widths

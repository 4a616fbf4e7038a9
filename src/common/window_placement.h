#pragma once

#include "common/ini_file.h"

#include <QList>
#include <QString>

// Window positions and sizes kept in Verbalo9.ini, one section per window named after the
// window's object name.
namespace verbalo {

// The desktop area that windows may use; right and bottom are its far edges. The window layer
// fills it from the primary screen once at start.
struct WorkArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct WindowPos {
    int left = 10;
    int top = 10;
};

struct WindowBounds {
    int left = 10;
    int top = 10;
    int width = 0;
    int height = 0;
};

inline bool operator==(const WindowBounds& a, const WindowBounds& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

// Left and Top, defaults 10 and 10; not clamped, as these windows are small dialogs.
WindowPos loadWindowPos(const IniFile& ini, const QString& section);
// Whether the section holds a saved place (a Left and a Top key): a window never placed before
// opens where its kind opens first (a dialog centred on its owner).
bool hasSavedPlace(const IniFile& ini, const QString& section);
void saveWindowPos(const IniFile& ini, const QString& section, int left, int top);

// Left and Top (defaults 10, 10) and Width and Height (defaults: the window's designed size),
// clamped to the work area.
WindowBounds loadWindowBounds(const IniFile& ini, const QString& section, int designedWidth, int designedHeight,
                              const WorkArea& workArea);
void saveWindowBounds(const IniFile& ini, const QString& section, const WindowBounds& bounds);

// Brings bounds saved on a larger screen back inside the work area: a window that fits is
// moved, one that does not is placed at the edge and shrunk to the area. Only the far edges
// count, as they did when the positions were first saved.
WindowBounds clampToWorkArea(WindowBounds bounds, const WorkArea& workArea);

// How much of a window's title bar must lie on a screen for it to be grabbed with the mouse.
constexpr int kReachableTitleWidth = 100;
constexpr int kReachableTitleHeight = 24;

// Moves a window's frame (left/top its outer corner, width/height its outer size) the least
// distance that puts its title bar on one of the work areas: the top edge inside an area, and
// at least kReachableTitleWidth pixels of the bar's width (all of it for a narrower window)
// between the area's left and right edges. A frame whose bar already lies on an area is left as
// it is; otherwise the area nearest to the bar takes it. No areas: unchanged. The size never
// changes.
WindowBounds keepTitleBarOnScreen(WindowBounds frame, const QList<WorkArea>& areas);

} // namespace verbalo

#pragma once

#include "common/ini_file.h"
#include "common/window_placement.h"

#include <QList>
#include <QMargins>

class QWidget;

namespace verbalo {

// The desktop work area of the primary screen, read when called.
WorkArea primaryWorkArea();
// The work areas of every screen, the primary's first.
QList<WorkArea> screenWorkAreas();

// The frame a window manager puts around a window of this program, as far as it is known
// before the window is shown: that of the window's owner, else that of another visible window
// of the program; none when no window is framed yet (and on platforms without frames).
QMargins expectedFrameMargins(const QWidget* window);

// A window keeps its place in the configuration section named after its object name:
// dialogs keep Left and Top, resizable windows also Width and Height (clamped to the work
// area when read). Left and Top are the outer corner of the window's frame, as pos() and
// frameGeometry() give it, and are saved from there; Width and Height are the window's own
// size, without the frame.
//
// Call restore before the window is first shown: only then does the window manager take the
// position as the frame's corner (a position set while the window is being mapped is taken as
// the corner of the area inside the frame, and the window creeps up by its title bar at every
// opening). A restored window is moved so that its title bar lies on a screen. A window whose
// section holds no place yet opens centred on its owner (frame on frame).
void restoreWindowPos(const IniFile& ini, QWidget* window);
void saveWindowPos(const IniFile& ini, const QWidget* window);
void restoreWindowBounds(const IniFile& ini, QWidget* window, int designedWidth, int designedHeight);
void saveWindowBounds(const IniFile& ini, const QWidget* window);
// Puts a window not yet shown at a frame corner and size (the size without the frame), its
// title bar kept on a screen.
void placeWindow(QWidget* window, int left, int top, int width, int height);

// Sets the point size of a window's font (and so of its children that do not set their own).
void applyFontSize(QWidget* window, int pointSize);

} // namespace verbalo

#pragma once

#include "common/ini_file.h"
#include "common/window_placement.h"

class QWidget;

namespace verbalo {

// The desktop work area of the primary screen, read when called.
WorkArea primaryWorkArea();

// A window keeps its place in the configuration section named after its object name:
// dialogs keep Left and Top, resizable windows also Width and Height (clamped to the work
// area when read). Call restore when the window is shown, save when it closes.
void restoreWindowPos(const IniFile& ini, QWidget* window);
void saveWindowPos(const IniFile& ini, const QWidget* window);
void restoreWindowBounds(const IniFile& ini, QWidget* window, int designedWidth, int designedHeight);
void saveWindowBounds(const IniFile& ini, const QWidget* window);

// Sets the point size of a window's font (and so of its children that do not set their own).
void applyFontSize(QWidget* window, int pointSize);

} // namespace verbalo

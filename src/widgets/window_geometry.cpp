#include "widgets/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace verbalo {

WorkArea primaryWorkArea() {
    WorkArea area;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        area.left = r.left();
        area.top = r.top();
        area.right = r.left() + r.width();
        area.bottom = r.top() + r.height();
    }
    return area;
}

void restoreWindowPos(const IniFile& ini, QWidget* window) {
    const WindowPos pos = loadWindowPos(ini, window->objectName());
    window->move(pos.left, pos.top);
}

void saveWindowPos(const IniFile& ini, const QWidget* window) {
    verbalo::saveWindowPos(ini, window->objectName(), window->x(), window->y());
}

void restoreWindowBounds(const IniFile& ini, QWidget* window, int designedWidth, int designedHeight) {
    const WindowBounds b = loadWindowBounds(ini, window->objectName(), designedWidth, designedHeight, primaryWorkArea());
    // Left and Top are the frame's corner, as saved below; the size is the window's own.
    window->resize(b.width, b.height);
    window->move(b.left, b.top);
}

void saveWindowBounds(const IniFile& ini, const QWidget* window) {
    verbalo::saveWindowBounds(ini, window->objectName(), WindowBounds{window->x(), window->y(), window->width(), window->height()});
}

void applyFontSize(QWidget* window, int pointSize) {
    if (!window || pointSize <= 0) return;
    QFont f = window->font();
    f.setPointSize(pointSize);
    window->setFont(f);
}

} // namespace verbalo

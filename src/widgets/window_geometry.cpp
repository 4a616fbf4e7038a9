#include "widgets/window_geometry.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace verbalo {

namespace {

WorkArea areaOf(const QRect& r) {
    return WorkArea{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QMargins marginsOf(const QWidget* w) {
    const QRect outer = w->frameGeometry();
    const QRect inner = w->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

bool framed(const QWidget* w) {
    return w && w->isVisible() && w->isWindow() && w->frameGeometry() != w->geometry();
}

// The size the window will have when shown: a dialog laid out by its layout and never resized
// takes its size hint then.
QSize comingSize(const QWidget* window) {
    if (window->testAttribute(Qt::WA_Resized) || window->isVisible()) return window->size();
    return window->sizeHint().expandedTo(window->minimumSize());
}

// A window never placed before: centred on its owner's frame, frame to frame (Qt's own centring
// cannot know the new window's title bar and leaves it half a title bar low).
void centreOnOwner(QWidget* window, const QSize& size, const QMargins& m) {
    const QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    if (!owner || !owner->isVisible()) return;
    const QRect around = owner->frameGeometry();
    const int outerWidth = size.width() + m.left() + m.right();
    const int outerHeight = size.height() + m.top() + m.bottom();
    const WindowBounds frame =
        keepTitleBarOnScreen(WindowBounds{around.left() + (around.width() - outerWidth) / 2,
                                          around.top() + (around.height() - outerHeight) / 2, outerWidth, outerHeight},
                             screenWorkAreas());
    window->move(frame.left, frame.top);
}

} // namespace

WorkArea primaryWorkArea() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) return areaOf(screen->availableGeometry());
    return WorkArea{};
}

QList<WorkArea> screenWorkAreas() {
    QList<WorkArea> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary) areas.append(areaOf(primary->availableGeometry()));
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary) areas.append(areaOf(screen->availableGeometry()));
    return areas;
}

QMargins expectedFrameMargins(const QWidget* window) {
    if (window && window->parentWidget() && framed(window->parentWidget()->window()))
        return marginsOf(window->parentWidget()->window());
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w != window && framed(w) && !(w->windowFlags() & Qt::FramelessWindowHint)) return marginsOf(w);
    return QMargins();
}

void placeWindow(QWidget* window, int left, int top, int width, int height) {
    const QMargins m = expectedFrameMargins(window);
    const WindowBounds frame = keepTitleBarOnScreen(
        WindowBounds{left, top, width + m.left() + m.right(), height + m.top() + m.bottom()}, screenWorkAreas());
    window->resize(width, height);
    window->move(frame.left, frame.top);
}

void restoreWindowPos(const IniFile& ini, QWidget* window) {
    // Sized now: sizing it while it is being shown would have the position taken as the
    // inside's corner again.
    if (!window->testAttribute(Qt::WA_Resized)) window->resize(comingSize(window));
    if (!hasSavedPlace(ini, window->objectName())) {
        centreOnOwner(window, comingSize(window), expectedFrameMargins(window));
        return;
    }
    const WindowPos pos = loadWindowPos(ini, window->objectName());
    const QSize size = comingSize(window);
    const QMargins m = expectedFrameMargins(window);
    const WindowBounds frame = keepTitleBarOnScreen(
        WindowBounds{pos.left, pos.top, size.width() + m.left() + m.right(), size.height() + m.top() + m.bottom()},
        screenWorkAreas());
    window->move(frame.left, frame.top);
}

void saveWindowPos(const IniFile& ini, const QWidget* window) {
    const QPoint corner = window->frameGeometry().topLeft();
    verbalo::saveWindowPos(ini, window->objectName(), corner.x(), corner.y());
}

void restoreWindowBounds(const IniFile& ini, QWidget* window, int designedWidth, int designedHeight) {
    const WindowBounds b = loadWindowBounds(ini, window->objectName(), designedWidth, designedHeight, primaryWorkArea());
    if (!hasSavedPlace(ini, window->objectName())) {
        window->resize(b.width, b.height);
        centreOnOwner(window, window->size(), expectedFrameMargins(window));
        return;
    }
    placeWindow(window, b.left, b.top, b.width, b.height);
}

void saveWindowBounds(const IniFile& ini, const QWidget* window) {
    const QPoint corner = window->frameGeometry().topLeft();
    verbalo::saveWindowBounds(ini, window->objectName(), WindowBounds{corner.x(), corner.y(), window->width(), window->height()});
}

void applyFontSize(QWidget* window, int pointSize) {
    if (!window || pointSize <= 0) return;
    QFont f = window->font();
    f.setPointSize(pointSize);
    window->setFont(f);
}

} // namespace verbalo

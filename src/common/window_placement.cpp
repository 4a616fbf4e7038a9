#include "common/window_placement.h"

namespace verbalo {
namespace {

const QString kLeft = QStringLiteral("Left");
const QString kTop = QStringLiteral("Top");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");

} // namespace

WindowPos loadWindowPos(const IniFile& ini, const QString& section) {
    WindowPos pos;
    pos.left = ini.readInteger(section, kLeft, pos.left);
    pos.top = ini.readInteger(section, kTop, pos.top);
    return pos;
}

bool hasSavedPlace(const IniFile& ini, const QString& section) {
    return !ini.readString(section, kLeft, QString()).isEmpty() && !ini.readString(section, kTop, QString()).isEmpty();
}

void saveWindowPos(const IniFile& ini, const QString& section, int left, int top) {
    ini.writeInteger(section, kLeft, left);
    ini.writeInteger(section, kTop, top);
}

WindowBounds loadWindowBounds(const IniFile& ini, const QString& section, int designedWidth, int designedHeight,
                              const WorkArea& workArea) {
    WindowBounds b;
    b.left = ini.readInteger(section, kLeft, b.left);
    b.top = ini.readInteger(section, kTop, b.top);
    b.width = ini.readInteger(section, kWidth, designedWidth);
    b.height = ini.readInteger(section, kHeight, designedHeight);
    return clampToWorkArea(b, workArea);
}

void saveWindowBounds(const IniFile& ini, const QString& section, const WindowBounds& bounds) {
    ini.writeInteger(section, kLeft, bounds.left);
    ini.writeInteger(section, kTop, bounds.top);
    ini.writeInteger(section, kWidth, bounds.width);
    ini.writeInteger(section, kHeight, bounds.height);
}

WindowBounds clampToWorkArea(WindowBounds b, const WorkArea& area) {
    const int r = area.right;
    const int bottom = area.bottom;
    if (b.left > r) b.left = 0;
    if (b.top > bottom) b.top = 0;
    // 64-bit sums: a hand-edited file may hold values near the integer limits.
    if (qint64(b.left) + b.width > r) {
        if (b.width < r) {
            b.left = r - b.width;
        } else {
            b.left = 0;
            b.width = r;
        }
    }
    if (qint64(b.top) + b.height > bottom) {
        if (b.height < bottom) {
            b.top = bottom - b.height;
        } else {
            b.top = 0;
            b.height = bottom;
        }
    }
    return b;
}

namespace {

bool titleBarOn(const WindowBounds& f, const WorkArea& a) {
    const int need = qMin(qMax(f.width, 1), kReachableTitleWidth);
    const qint64 visibleLeft = qMax<qint64>(f.left, a.left);
    const qint64 visibleRight = qMin<qint64>(qint64(f.left) + f.width, a.right);
    return f.top >= a.top && qint64(f.top) + kReachableTitleHeight <= a.bottom && visibleRight - visibleLeft >= need;
}

// The frame moved into one area by the least distance that puts its bar there.
WindowBounds movedInto(WindowBounds f, const WorkArea& a) {
    const int need = qMin(qMax(f.width, 1), kReachableTitleWidth);
    if (f.top < a.top) f.top = a.top;
    if (qint64(f.top) + kReachableTitleHeight > a.bottom) f.top = qMax(a.top, a.bottom - kReachableTitleHeight);
    if (qint64(f.left) + f.width < qint64(a.left) + need) f.left = int(qint64(a.left) + need - f.width);
    if (qint64(f.left) + need > a.right) f.left = a.right - need;
    // A frame wider than the area still shows its left end, where the bar starts.
    if (f.left < a.left && qint64(f.left) + f.width > a.right) f.left = a.left;
    return f;
}

qint64 distance(const WindowBounds& a, const WindowBounds& b) {
    return qAbs(qint64(a.left) - b.left) + qAbs(qint64(a.top) - b.top);
}

} // namespace

WindowBounds keepTitleBarOnScreen(WindowBounds frame, const QList<WorkArea>& areas) {
    if (areas.isEmpty()) return frame;
    for (const WorkArea& a : areas)
        if (titleBarOn(frame, a)) return frame;
    WindowBounds best = movedInto(frame, areas.first());
    for (const WorkArea& a : areas) {
        const WindowBounds moved = movedInto(frame, a);
        if (distance(moved, frame) < distance(best, frame)) best = moved;
    }
    return best;
}

} // namespace verbalo

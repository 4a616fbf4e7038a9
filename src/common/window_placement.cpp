#include "common/window_placement.h"

namespace verbalo {
namespace {

const QString kLeft = QStringLiteral("Left");
const QString kTop = QStringLiteral("Top");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");

} // namespace

WindowPos loadWindowPos(const IniFile &ini, const QString &section)
{
    WindowPos pos;
    pos.left = ini.readInteger(section, kLeft, pos.left);
    pos.top = ini.readInteger(section, kTop, pos.top);
    return pos;
}

void saveWindowPos(const IniFile &ini, const QString &section, int left, int top)
{
    ini.writeInteger(section, kLeft, left);
    ini.writeInteger(section, kTop, top);
}

WindowBounds loadWindowBounds(const IniFile &ini, const QString &section, int designedWidth,
                              int designedHeight, const WorkArea &workArea)
{
    WindowBounds b;
    b.left = ini.readInteger(section, kLeft, b.left);
    b.top = ini.readInteger(section, kTop, b.top);
    b.width = ini.readInteger(section, kWidth, designedWidth);
    b.height = ini.readInteger(section, kHeight, designedHeight);
    return clampToWorkArea(b, workArea);
}

void saveWindowBounds(const IniFile &ini, const QString &section, const WindowBounds &bounds)
{
    ini.writeInteger(section, kLeft, bounds.left);
    ini.writeInteger(section, kTop, bounds.top);
    ini.writeInteger(section, kWidth, bounds.width);
    ini.writeInteger(section, kHeight, bounds.height);
}

WindowBounds clampToWorkArea(WindowBounds b, const WorkArea &area)
{
    const int r = area.right;
    const int bottom = area.bottom;
    if (b.left > r)
        b.left = 0;
    if (b.top > bottom)
        b.top = 0;
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

} // namespace verbalo

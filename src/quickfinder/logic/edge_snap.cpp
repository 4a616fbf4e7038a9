#include "quickfinder/logic/edge_snap.h"

#include <cstdlib>

namespace verbalo {

QPoint snappedToEdges(const QRect& frame, const QRect& area, int distance) {
    QPoint to = frame.topLeft();
    const int frameRight = frame.x() + frame.width();
    const int frameBottom = frame.y() + frame.height();
    const int areaRight = area.x() + area.width();
    const int areaBottom = area.y() + area.height();
    if (std::abs(frame.x() - area.x()) <= distance)
        to.setX(area.x());
    else if (std::abs(frameRight - areaRight) <= distance)
        to.setX(areaRight - frame.width());
    if (std::abs(frame.y() - area.y()) <= distance)
        to.setY(area.y());
    else if (std::abs(frameBottom - areaBottom) <= distance)
        to.setY(areaBottom - frame.height());
    return to;
}

} // namespace verbalo

#pragma once

#include <QPoint>
#include <QRect>

namespace verbalo {

// How near (in pixels) a window edge must come to a screen edge to be pulled onto it.
inline constexpr int kSnapDistance = 25;

// Where a window whose frame is `frame` goes when it is let go near the edges of `area`: a
// frame edge within `distance` pixels of the area's edge on the same side (inside or outside
// it) is moved onto that edge; the left and top edges win over the right and bottom ones.
QPoint snappedToEdges(const QRect& frame, const QRect& area, int distance = kSnapDistance);

} // namespace verbalo

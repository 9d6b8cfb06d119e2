// Joining two contour lines into one: lightweight with lightweight (the first is extended
// in place and keeps its id) or old-style 2D with old-style 2D (a new polyline replaces
// both). The ends that lie closest together are joined; lines on different layers, at
// different elevations (start point z, compared exactly), closed lines and other pairs
// are refused.
#pragma once

#include <acdb/AcDbObjectId.h>

class AcDbPolyline;

namespace dh::terrain {

constexpr int kJoined = 0;
constexpr int kJoinRefused = 3;

// kJoined when joined, or at once when both ids are the same; kJoinRefused for other
// layers, elevations or kinds; the host's status when a line cannot be opened for write.
// When the join makes a new entity, first becomes its id. Refusals for layer, elevation
// and open failures are reported on the command line.
int joinContours(AcDbObjectId& first, AcDbObjectId second);

// Puts the vertices of second onto first (open for write): before it when atStart1, after
// it otherwise, running from the end of second that meets first (its start when
// atStart2); a reversed part carries its arcs and widths along with their segments, so
// both shapes stay. Without touch a straight segment bridges the gap; with touch the two
// equal seam vertices become one. kJoinRefused without a polyline or a writable first.
int joinLwPolylines(AcDbPolyline* first, bool atStart1, const AcDbPolyline* second, bool atStart2,
                    bool touch);

} // namespace dh::terrain

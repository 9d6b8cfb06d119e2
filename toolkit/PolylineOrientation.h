// Orientation of lightweight polylines: which way a closed one runs, and a copy running
// the other way.
#pragma once

class AcDbPolyline;

namespace dh::toolkit {

// 1 when the closed polyline runs counter-clockwise seen from +Z, -1 when clockwise, 0 for
// an open polyline or a vertex ring without area. Decided by the signed area of the ring of
// vertices in world x and y; bulges are not considered.
int isPolylineClockwise(const AcDbPolyline* polyline);

// A new polyline (in no database) through the same curve in the opposite direction: arcs
// reversed, the source's properties, elevation, thickness, normal and open or closed
// state; widths 0. The source is not changed. Answers a status of GeometryStatus.h (3
// when the polyline has no segment); polyline is nullptr on failure.
int reversePolyline(const AcDbPolyline* source, AcDbPolyline*& polyline);

} // namespace dh::toolkit

// Old-style 2D polylines as lightweight polylines.
#pragma once

class AcDb2dPolyline;
class AcDbPolyline;

namespace dh::toolkit {

// A new lightweight polyline (in no database) with one vertex per segment start, the
// arcs as bulges, the source's properties, elevation, thickness and normal, its open or
// closed state, and on every segment the start width of the source's first curve vertex.
// The source (database resident, open) is not changed. Answers a status of
// GeometryStatus.h; polyline is nullptr on failure.
int convertPolyline2dToPolyline(const AcDb2dPolyline* source, AcDbPolyline*& polyline);

} // namespace dh::toolkit

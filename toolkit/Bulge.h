// Polyline bulges of kernel arcs: tan of a quarter of the included angle, negative for a
// clockwise arc (seen from +Z), 0 for a straight segment.
#pragma once

class AcGeCircArc2d;
class AcGePoint2d;

namespace dh::toolkit {

// The bulge of the whole arc, from its start and end angles.
double arcBulge(const AcGeCircArc2d& arc);

// The bulge of the part of arc between two of its points, running in the arc's direction
// from `from` to `to`; 0 without an arc. Points that coincide give 0 (no sweep).
double arcPieceBulge(const AcGeCircArc2d* arc, const AcGePoint2d& from, const AcGePoint2d& to);

} // namespace dh::toolkit

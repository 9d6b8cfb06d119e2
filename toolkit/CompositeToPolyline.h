// Composite curves back to polylines: one vertex at the start of every component, with the
// component's bulge (0 for anything but a circular arc). A composite whose ends lie within
// 0.1 of each other gives a closed polyline; otherwise one more vertex at its end.
//
// Both answer a status of GeometryStatus.h (1 without start or end point, 3 for nothing to
// build) or the host's status of the failed vertex addition; on success polyline is a new
// entity in no database (the caller appends or deletes it), otherwise nullptr.
#pragma once

class AcDb2dPolyline;
class AcDbPolyline;
class AcGeCompositeCurve2d;

namespace dh::toolkit {

// Equal-point tolerance of the closed test and of the end coincidence check.
constexpr double kCompositeCloseTolerance = 0.1;

// Lightweight polyline; every segment gets start and end width `width`.
int compositeToPolyline(const AcGeCompositeCurve2d* composite, double width,
                        AcDbPolyline*& polyline);
// The same, closed exactly when `closed` says, however near the ends lie: for copies of a
// polyline that must keep its open or closed state.
int compositeToPolyline(const AcGeCompositeCurve2d* composite, double width, bool closed,
                        AcDbPolyline*& polyline);

// Old-style 2D polyline of plain vertices at z 0; every segment gets width `width`.
int compositeToPolyline2d(const AcGeCompositeCurve2d* composite, double width,
                          AcDb2dPolyline*& polyline);

} // namespace dh::toolkit
